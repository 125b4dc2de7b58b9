// Reading a settings file for its values, bounded in time and memory whatever the file
// holds. Lines are cut to kMaxLineBytes: a line a megabyte long costs a few kilobytes and
// the keys after it still read, and a value still reads as its first 253 characters. A file
// larger than kMaxReadBytes is not read at all, so a reader never spends more than one
// bounded pass on it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace brightlock::ini {

// Far more than a section or key name and the 253 characters a value is read to.
constexpr size_t kMaxLineBytes = 4096;
// Far more than any settings file of ours (the shipped one is under 1 KiB).
constexpr size_t kMaxReadBytes = 8 * 1024 * 1024;

// The file's text with every line cut to kMaxLineBytes (its line end kept), or nullopt when
// it cannot be read: missing, not a regular file, unreadable, or larger than kMaxReadBytes.
// `why`, when given, then says why, in a few words.
std::optional<std::string> readValuesText(const std::string& path, std::string* why = nullptr);

} // namespace brightlock::ini
