// INI file access with locking and atomic replacement; see ini_file.h.
#include "ini_file.h"

#include "ini_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brightlock::ini {
namespace {

// Settings files are small; anything larger is not one of ours and reads as missing.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
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

// A settings file reached through a symbolic link is replaced where the link points.
std::string resolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(path.c_str(), buf))
            return buf;
    }
    return path;
}

} // namespace

std::optional<std::string> readFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize)
        return std::nullopt;
    std::string data;
    data.resize(size_t(st.st_size));
    size_t done = 0;
    for (;;) {
        if (done == data.size())
            data.resize(data.size() + 4096); // the file grew since fstat
        ssize_t n = ::read(fd.get(), &data[done], data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (n == 0)
            break;
        done += size_t(n);
        if (done > size_t(kMaxFileSize))
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

namespace {

class WriteLock {
public:
    explicit WriteLock(const std::string& path)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_.get() < 0)
            return;
        while (::flock(fd_.get(), LOCK_EX) != 0)
            if (errno != EINTR)
                return;
        held_ = true;
    }
    bool held() const { return held_; }

private:
    Fd fd_;
    bool held_ = false;
};

// Replaces the file with `text` through a temporary file and a rename; the caller holds the lock.
bool replaceFile(const std::string& path, const std::string& text, const struct stat* old) {
    const std::string tmp = path + ".tmp";
    Fd out(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (out.get() < 0)
        return false;
    if (old)
        ::fchmod(out.get(), old->st_mode & 07777);
    if (!writeAll(out.get(), text) || ::fsync(out.get()) != 0 || ::close(out.release()) != 0 ||
        ::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    // The directory is not flushed: the file system commits the rename within seconds,
    // and until then a crash leaves the previous whole file, never a partial one. One
    // device flush per write keeps a settings change quick.
    return true;
}

} // namespace

bool writeValues(const std::string& givenPath, const std::string& section,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    if (!isValidSection(section))
        return false;
    for (const auto& kv : values)
        if (!isValidKey(kv.first))
            return false;
    const std::string path = resolveLink(givenPath);
    WriteLock lock(path);
    if (!lock.held())
        return false;

    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    std::optional<std::string> old = readFile(path);
    if (exists && !old)
        return false; // present but not readable as a settings file: leave it alone
    const std::string text = old.value_or(std::string());
    std::string updated = text;
    for (const auto& kv : values)
        updated = assign(updated, section, kv.first, singleLine(kv.second));
    if (exists && updated == text)
        return true;
    return replaceFile(path, updated, exists ? &st : nullptr);
}

bool writeValue(const std::string& path, const std::string& section, const std::string& key,
                const std::string& value) {
    return writeValues(path, section, {{key, value}});
}

bool createFile(const std::string& givenPath, const std::string& text) {
    const std::string path = resolveLink(givenPath);
    WriteLock lock(path);
    if (!lock.held())
        return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return true;
    return replaceFile(path, text, nullptr);
}

} // namespace brightlock::ini
