// The two INI operations of both programs and the settings path. Every call reads or
// writes the file itself; nothing is cached, so a value written by one program is seen
// by the other at its next read.
#pragma once

#include <QString>
#include <string_view>

// The value of Key in Section of FileName, cut to 253 characters; Default when the
// file, the section or the key does not exist, or the file cannot be read (see ini_read.h:
// over-long lines are cut, not refused).
QString ReadIni(const QString& FileName, const QString& Section, const QString& Key, const QString& Default);

// Stores Value under Key in Section, creating the file, section or key as needed.
// Returns "1" when the value is on disk, "0" when it could not be written: a folder that
// is missing, read-only or full, a lock that another process holds for longer than
// 400 ms, a file too large or not writable, or a link that the user did not make (the
// rules are in ini_file.h). On "0" the file is exactly as it was; callers that must not
// lose a value (a shutdown request) keep it themselves.
QString WriteIni(const QString& FileName, const QString& Section, const QString& Key, const QString& Value);

// The application directory followed by "/UpsConfigure.ini".
QString SettingsFile();

namespace brightlock {

// A value as found in the file, in the form ReadIni returns it: decoded, cut to 253 characters.
QString iniValueText(std::string_view stored);

} // namespace brightlock
