// Where the system's files live. The program directory holds the programs and
// libPSU.so; the application directory holds UpsConfigure.ini, CloseApp.ini, the record
// databases and the Save folder. Every program and the library compute it here, so
// they always agree.
#pragma once

#include <string>

namespace brightlock {

// The folder of the running executable (from /proc/self/exe).
std::string executableDirectory();

// BRIGHTLOCK_HOME when set; else `programDir` when it is writable (a build tree or an
// unpacked folder); else $XDG_DATA_HOME/brightlock (~/.local/share/brightlock), created
// when missing.
std::string applicationDirectory(const std::string& programDir);

// Creates a folder and its parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

} // namespace brightlock
