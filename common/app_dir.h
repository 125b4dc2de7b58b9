// Where the system's files live. The program directory holds the programs and
// libPSU.so; the application directory holds UpsConfigure.ini, CloseApp.ini, the record
// databases and the Save folder. Every program and the library compute it here, so
// they always agree.
#pragma once

#include <string>

namespace brightlock {

// The folder of the running executable (from /proc/self/exe).
std::string executableDirectory();

// The application directory, always an absolute path:
// - BRIGHTLOCK_HOME when set. A relative value is taken relative to the folder the
//   program was started in, and made absolute in the program's environment before
//   main() runs, so the programs it starts (the closer, upssim) inherit the same folder;
// - else `programDir` when it is an absolute path and writable (a build tree or an
//   unpacked folder);
// - else $XDG_DATA_HOME/brightlock, or ~/.local/share/brightlock;
// - else (no HOME either) privateTemporaryDirectory();
// - else "/dev/null/brightlock", a folder that can never exist: every read gives the
//   shipped values and every write fails, never resolving against "/" or the working folder.
// A folder created here is open to its owner only (0700).
std::string applicationDirectory(const std::string& programDir);

// A folder only this user can reach, for a session without a home folder:
// $XDG_RUNTIME_DIR/brightlock (or /run/user/<uid>/brightlock), else
// ${TMPDIR:-/tmp}/brightlock-<uid>, each used only when it is a real folder of this user
// that nobody else may enter. Empty when neither is: a message on standard error says
// why, once.
std::string privateTemporaryDirectory();

// `path` made absolute against the current folder ("." and leading "./" dropped).
std::string absolutePath(const std::string& path);

// Creates a folder and its parents (open to the owner only); true when it exists afterwards.
bool makeDirectories(const std::string& path);

} // namespace brightlock
