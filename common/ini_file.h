// Reading and writing one value of an INI file on disk, safely shared between processes.
// A write takes an advisory lock beside the file, so writers of both programs run one
// after another, and replaces the file atomically (a fresh temporary file, flush,
// rename), so a reader never sees a half-written file and a writer killed mid-way leaves
// the old one. Reads take no lock.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brightlock::ini {

// Settings files are small (the shipped one is under 1 KiB). A larger file is not one
// of ours: it reads as missing, so every reader falls back to its default, and a write
// never makes a file larger than this.
constexpr size_t kMaxFileSize = 1024 * 1024;

// How long a write waits for the lock while another process writes. Well under one poll
// of the monitor, so a process that holds the lock for long (stopped, or hostile) costs
// a failed write, never a frozen window.
constexpr std::chrono::milliseconds kLockWait{400};

// The whole file, or nullopt when it is missing, not a regular file, unreadable or
// larger than kMaxFileSize.
std::optional<std::string> readFile(const std::string& path);

// The value of `key` in `section` of the file; nullopt when the file, section or key is missing.
std::optional<std::string> readValue(const std::string& path, const std::string& section,
                                     const std::string& key);

// Stores `value` (made single-line) and returns true once it is on disk. False, with the
// file left exactly as it was, when:
// - the section or key name cannot be written (see isValidSection, isValidKey);
// - another process holds the lock for longer than kLockWait (its write stands);
// - the folder is missing, read-only or full, or the file cannot be read back first
//   (not a regular file, unreadable, or larger than kMaxFileSize), or would grow beyond it;
// - the lock file is a symbolic link, or the settings file is a symbolic link that the
//   user did not make to a file of their own (see writeTarget in ini_file.cpp).
// On false, errno tells why: the system's own error, or EINVAL (a name that cannot be
// written, a file or lock file that is not a plain file), EWOULDBLOCK (the lock was held
// too long), EPERM (a link that may not be followed), ELOOP (a lock file that is a link,
// also said once on standard error) or EFBIG (too large). Never 0.
bool writeValue(const std::string& path, const std::string& section, const std::string& key,
                const std::string& value);

// Stores several values of one section with one replacement of the file, so a reader
// sees all of them changed or none. Fails as writeValue does.
bool writeValues(const std::string& path, const std::string& section,
                 const std::vector<std::pair<std::string, std::string>>& values);

// Creates the file with `text` unless it exists already (under the same lock as the
// writes, so it never replaces a file another process has just made). True when the
// file exists afterwards. A file the program creates is readable by its owner only.
bool createFile(const std::string& path, const std::string& text);

} // namespace brightlock::ini
