// INI file access with locking and atomic replacement; see ini_file.h.
#include "ini_file.h"

#include "ini_text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace brightlock::ini {
namespace {

// Links followed from a settings file to its target, at most.
constexpr int kMaxLinkHops = 8;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool folderOwnedBy(const std::string& dir, uid_t uid) {
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid;
}

std::string linkTarget(const std::string& link) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf);
    if (n <= 0 || size_t(n) >= sizeof buf)
        return {};
    const std::string target(buf, size_t(n));
    return target.front() == '/' ? target : parentOf(link) + "/" + target;
}

// The file a write replaces: the path itself when it is no symbolic link. A settings
// file that is a link (into a dotfiles folder, say) is replaced where the link leads
// only when the user made every link on the way and the file there, and the folder it
// lies in, are the user's own. A link someone else made, or one that leads to a file or
// folder of someone else, is refused, so a planted link can never direct a write.
std::optional<std::string> writeTarget(const std::string& path) {
    const uid_t me = ::geteuid();
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return std::nullopt;
            // A file to be created: through a link only into a folder of the user's.
            if (hop > 0 && !folderOwnedBy(parentOf(current), me))
                return std::nullopt;
            return current;
        }
        if (!S_ISLNK(st.st_mode)) {
            if (hop > 0 && (st.st_uid != me || !folderOwnedBy(parentOf(current), me)))
                return std::nullopt;
            return current;
        }
        if (st.st_uid != me)
            return std::nullopt;
        current = linkTarget(current);
        if (current.empty())
            return std::nullopt;
    }
    return std::nullopt; // a loop, or a chain longer than anyone makes by hand
}

// Tries `attempt` until it succeeds or the deadline passes, pausing a little longer each
// time. False at the deadline, or at once when `attempt` fails for another reason than
// a lock held elsewhere.
template <typename Attempt> bool retryUntil(std::chrono::steady_clock::time_point deadline, Attempt attempt) {
    std::chrono::milliseconds pause{1};
    for (;;) {
        if (attempt())
            return true;
        if (errno != EWOULDBLOCK && errno != EAGAIN && errno != EACCES && errno != EINTR)
            return false;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(8));
    }
}

bool setTurnstile(int fd, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

// The advisory lock that serialises writers: flock on "<file>.lock", taken within
// kLockWait. flock cannot wait with a time limit, so a writer tries again and again; to
// keep a writer that writes in a loop from taking the lock back each time before a
// waiting one tries, a waiter first takes a turnstile (a record lock on the same file,
// which does not interact with flock) and holds it until it has the lock: the writer
// that just finished then waits at the turnstile. The lock file is opened without
// following links and must be a plain file.
class WriteLock {
public:
    explicit WriteLock(const std::string& path)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                     0600)) {
        struct stat st {};
        if (fd_.get() < 0) {
            if (errno == ELOOP)
                refuse(path, "is a symbolic link", ELOOP);
            return;
        }
        if (::fstat(fd_.get(), &st) != 0)
            return;
        if (!S_ISREG(st.st_mode)) {
            refuse(path, "is not a plain file", EINVAL);
            return;
        }
        const int fd = fd_.get();
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        if (!retryUntil(deadline, [fd] { return setTurnstile(fd, F_WRLCK); })) {
            errno = EWOULDBLOCK;
            return;
        }
        held_ = retryUntil(deadline, [fd] { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; });
        setTurnstile(fd, F_UNLCK);
        if (!held_)
            errno = EWOULDBLOCK;
    }
    bool held() const { return held_; }

private:
    // Nobody but a writer of these settings makes the lock file, and writers make a plain
    // file: anything else in its place was planted, and no write goes through it. Said once
    // a process, on standard error, since every later write fails the same way.
    static void refuse(const std::string& path, const char* what, int error) {
        static std::atomic<bool> told{false};
        if (!told.exchange(true))
            std::fprintf(stderr,
                         "brightlock: %s.lock %s, so no setting is written to %s; remove it to store "
                         "settings again\n",
                         path.c_str(), what, path.c_str());
        errno = error;
    }

    Fd fd_;
    bool held_ = false;
};

// Whether `name` is a temporary file of a writer of `base`: "<base>.tmp-XXXXXX", or
// "<base>.tmp" as older versions named it.
bool isTemporaryOf(const std::string& name, const std::string& base) {
    const std::string prefix = base + ".tmp";
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return name.size() == prefix.size() || (name.size() == prefix.size() + 7 && name[prefix.size()] == '-');
}

// Under the lock no writer is at work, so any temporary file left beside the settings
// file belongs to a writer that was killed. Removing one never follows a link.
void removeLeftovers(const std::string& path) {
    const std::string dir = parentOf(path);
    const std::string base = path.substr(path.rfind('/') + 1);
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    while (dirent* e = ::readdir(d))
        if (isTemporaryOf(e->d_name, base))
            ::unlinkat(::dirfd(d), e->d_name, 0);
    ::closedir(d);
}

// Replaces the file with `text` through a fresh temporary file (created exclusively, so
// never through a link) and a rename; the caller holds the lock. A new file is readable
// by its owner only; a replaced one keeps its permissions.
bool replaceFile(const std::string& path, const std::string& text, const struct stat* old) {
    std::string tmp = path + ".tmp-XXXXXX";
    Fd out(::mkostemp(&tmp[0], O_CLOEXEC));
    if (out.get() < 0)
        return false;
    if (old)
        ::fchmod(out.get(), old->st_mode & 07777);
    if (!writeAll(out.get(), text) || ::fsync(out.get()) != 0 || ::close(out.release()) != 0 ||
        ::rename(tmp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(tmp.c_str());
        errno = error;
        return false;
    }
    // The directory is not flushed: the file system commits the rename within seconds,
    // and until then a crash leaves the previous whole file, never a partial one. One
    // device flush per write keeps a settings change quick.
    return true;
}

// Runs `change` on the file that a write to `givenPath` may replace, with the writers' lock
// held and the leftovers of killed writers removed. False when the file may not be written,
// the lock was not had in time, or `change` fails.
template <class Change> bool underLock(const std::string& givenPath, Change change) {
    const std::optional<std::string> path = writeTarget(givenPath);
    if (!path) {
        errno = EPERM;
        return false;
    }
    WriteLock lock(*path);
    if (!lock.held())
        return false;
    removeLeftovers(*path);
    return change(*path);
}

} // namespace

std::optional<std::string> readFile(const std::string& path) {
    // Non-blocking, so a FIFO in the file's place cannot hold the reader.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > off_t(kMaxFileSize))
        return std::nullopt;
    std::string data(size_t(st.st_size), '\0');
    size_t done = 0;
    char more[4096]; // for a file that grew since fstat
    for (;;) {
        const bool inPlace = done < data.size();
        ssize_t n =
            inPlace ? ::read(fd.get(), &data[done], data.size() - done) : ::read(fd.get(), more, sizeof more);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (!inPlace)
            data.append(more, size_t(n));
        done += size_t(n);
        if (done > kMaxFileSize)
            return std::nullopt;
    }
    data.resize(done);
    return data;
}

std::optional<std::string> readValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
    auto text = readFile(path);
    if (!text)
        return std::nullopt;
    return lookup(*text, section, key);
}

bool writeValues(const std::string& givenPath, const std::string& section,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    if (!isValidSection(section)) {
        errno = EINVAL;
        return false;
    }
    for (const auto& kv : values)
        if (!isValidKey(kv.first)) {
            errno = EINVAL;
            return false;
        }
    return underLock(givenPath, [&](const std::string& path) {
        struct stat st {};
        const bool exists = ::lstat(path.c_str(), &st) == 0;
        std::optional<std::string> old = readFile(path);
        if (exists && (!old || !S_ISREG(st.st_mode))) {
            // Present but not readable as a settings file: leave it alone.
            if (!S_ISREG(st.st_mode))
                errno = EINVAL;
            else if (st.st_size > off_t(kMaxFileSize))
                errno = EFBIG;
            return false;
        }
        const std::string text = old.value_or(std::string());
        std::string updated = text;
        for (const auto& kv : values)
            updated = assign(updated, section, kv.first, singleLine(kv.second));
        if (exists && updated == text)
            return true;
        if (updated.size() > kMaxFileSize) {
            errno = EFBIG;
            return false;
        }
        return replaceFile(path, updated, exists ? &st : nullptr);
    });
}

bool writeValue(const std::string& path, const std::string& section, const std::string& key,
                const std::string& value) {
    return writeValues(path, section, {{key, value}});
}

bool createFile(const std::string& givenPath, const std::string& text) {
    return underLock(givenPath, [&](const std::string& path) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0)
            return true;
        return replaceFile(path, text, nullptr);
    });
}

} // namespace brightlock::ini
