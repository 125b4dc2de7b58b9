// The INI text rules shared by every reader and writer of the system's INI files:
// sections and keys matched without regard to (ASCII) case, the first match wins,
// writes change only the one line they concern. Pure functions on the file's bytes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brightlock::ini {

// The value of `key` in the first section named `section`, blanks and one pair of
// surrounding quotes removed; nullopt when the section or the key is missing.
std::optional<std::string> lookup(std::string_view text, std::string_view section, std::string_view key);

// Calls `visit` with each key and value of the first section named `section`, in file order,
// read by lookup's rules (a key listed twice is visited twice; lookup takes the first), until
// `visit` returns false. One pass over the text, holding nothing of it.
void visitSection(std::string_view text, std::string_view section,
                  const std::function<bool(std::string_view key, std::string_view value)>& visit);

// `text` with `key` of `section` set to `value`: replaced in place when the key
// exists, added at the end of its section when only the section exists, or a new
// section appended at the end. Every other line is kept byte for byte, and added
// lines use the line ends the file already has (CRLF or LF).
std::string assign(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value);

// Whether a name can be written without breaking the file's structure.
bool isValidSection(std::string_view name);
bool isValidKey(std::string_view name);

// A value made safe for one line: line breaks and NUL bytes become blanks.
std::string singleLine(std::string_view value);

} // namespace brightlock::ini
