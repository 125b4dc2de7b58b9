// Program and application directories; see app_dir.h.
#include "app_dir.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace brightlock {
namespace {

constexpr const char* kHomeVariable = "BRIGHTLOCK_HOME";

// The application directory when there is no folder of the user's to use: a path under a
// device file, where nothing can ever be read or created, by root neither. An empty path
// would put the files in the root folder ("/UpsConfigure.ini") or the working folder.
constexpr const char* kNowhere = "/dev/null/brightlock";

std::string currentDirectory() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}

// A folder only this user can reach: a real folder (no link), theirs, closed to others.
// Empty when it is; else the reason.
std::string privateFolderProblem(const std::string& dir) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0)
        return "it cannot be created";
    if (!S_ISDIR(st.st_mode))
        return "it is not a folder";
    if (st.st_uid != ::geteuid())
        return "it belongs to user id " + std::to_string(st.st_uid);
    if (st.st_mode & 077) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", unsigned(st.st_mode & 07777));
        return std::string("others may use it (mode ") + mode + ")";
    }
    return {};
}

// Makes a relative BRIGHTLOCK_HOME absolute in the environment before main() runs: the
// program is still one thread, in the folder it was started from. The closer, upssim
// and anything else started from here inherit the absolute value, so a closer started
// in another folder still uses the monitor's application directory.
__attribute__((constructor)) void absoluteHomeAtStart() {
    const char* home = std::getenv(kHomeVariable);
    if (!home || !*home || *home == '/')
        return;
    const std::string absolute = absolutePath(home);
    if (absolute.front() == '/')
        ::setenv(kHomeVariable, absolute.c_str(), 1);
}

} // namespace

std::string executableDirectory() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    std::string path(buf, size_t(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string absolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/')
        return path;
    std::string base = currentDirectory();
    if (base.empty())
        return path;
    std::string rest = path;
    while (rest.compare(0, 2, "./") == 0)
        rest.erase(0, 2);
    if (rest == ".")
        rest.clear();
    if (base.back() != '/' && !rest.empty())
        base += '/';
    return base + rest;
}

bool makeDirectories(const std::string& path) {
    if (path.empty())
        return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        makeDirectories(path.substr(0, slash));
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string privateTemporaryDirectory() {
    const uid_t uid = ::geteuid();
    // The per-user runtime folder of the login manager, even where the variable is unset.
    std::string runtime;
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg == '/')
        runtime = xdg;
    else
        runtime = "/run/user/" + std::to_string(uid);
    if (privateFolderProblem(runtime).empty()) {
        const std::string dir = runtime + "/brightlock";
        ::mkdir(dir.c_str(), 0700);
        if (privateFolderProblem(dir).empty())
            return dir;
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir =
        std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/brightlock-" + std::to_string(uid);
    ::mkdir(dir.c_str(), 0700);
    if (const std::string problem = privateFolderProblem(dir); !problem.empty()) {
        static std::once_flag told;
        std::call_once(told, [&] {
            std::fprintf(stderr,
                         "brightlock: no folder of your own for the settings and records: %s cannot be "
                         "used (%s). Set HOME, or BRIGHTLOCK_HOME to a folder of yours; until then the "
                         "shipped settings apply and nothing is stored.\n",
                         dir.c_str(), problem.c_str());
        });
        return {};
    }
    return dir;
}

std::string applicationDirectory(const std::string& programDir) {
    if (const char* home = std::getenv(kHomeVariable); home && *home) {
        const std::string dir = absolutePath(home);
        makeDirectories(dir);
        return dir;
    }
    // Only a folder found as such: "." (no /proc to tell) would be the working folder.
    if (!programDir.empty() && programDir.front() == '/' && ::access(programDir.c_str(), W_OK) == 0)
        return programDir;
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        base = std::string(home) + "/.local/share";
    else if (std::string dir = privateTemporaryDirectory(); !dir.empty())
        return dir;
    else
        return kNowhere;
    std::string dir = base + "/brightlock";
    makeDirectories(dir);
    return dir;
}

} // namespace brightlock
