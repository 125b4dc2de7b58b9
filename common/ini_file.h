// Reading and writing one value of an INI file on disk, safely shared between processes.
// A write takes an advisory lock beside the file, so writers of both programs run one
// after another, and replaces the file atomically (temporary file, flush, rename), so a
// reader never sees a half-written file and a writer killed mid-way leaves the old one.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brightlock::ini {

// The whole file, or nullopt when it is missing, not a regular file or unreadable.
std::optional<std::string> readFile(const std::string& path);

// The value of `key` in `section` of the file; nullopt when the file, section or key is missing.
std::optional<std::string> readValue(const std::string& path, const std::string& section,
                                     const std::string& key);

// Stores `value` (made single-line) and returns once it is on disk. False when the names
// are not writable or the file cannot be replaced; the old file then stays as it was.
bool writeValue(const std::string& path, const std::string& section, const std::string& key,
                const std::string& value);

// Stores several values of one section with one replacement of the file, so a reader
// sees all of them changed or none.
bool writeValues(const std::string& path, const std::string& section,
                 const std::vector<std::pair<std::string, std::string>>& values);

// Creates the file with `text` unless it exists already (under the same lock as the
// writes, so it never replaces a file another process has just made). True when the
// file exists afterwards.
bool createFile(const std::string& path, const std::string& text);

} // namespace brightlock::ini
