// Bounded reading of a settings file; see ini_read.h.
#include "ini_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brightlock::ini {
namespace {

// Appends a chunk of the file to `text`, cutting each line to kMaxLineBytes. `lineLength`
// is the length of the line the chunk continues, as read so far (not as kept).
void keepCut(std::string& text, const char* chunk, size_t size, size_t& lineLength) {
    for (size_t pos = 0; pos < size;) {
        const void* found = std::memchr(chunk + pos, '\n', size - pos);
        const size_t end = found ? size_t(static_cast<const char*>(found) - chunk) : size;
        const size_t length = end - pos;
        if (lineLength < kMaxLineBytes)
            text.append(chunk + pos, std::min(length, kMaxLineBytes - lineLength));
        lineLength += length;
        pos = end;
        if (found) {
            text.push_back('\n');
            lineLength = 0;
            ++pos;
        }
    }
}

std::string reason(int error) {
    return error ? std::string(std::strerror(error)) : std::string("unknown error");
}

} // namespace

std::optional<std::string> readValuesText(const std::string& path, std::string* why) {
    auto fail = [why](std::string text) -> std::optional<std::string> {
        if (why)
            *why = std::move(text);
        return std::nullopt;
    };
    // Non-blocking, so a FIFO in the file's place cannot hold the reader.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(reason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(reason(errno));
    if (!S_ISREG(st.st_mode))
        return fail("not a regular file");
    if (size_t(st.st_size) > kMaxReadBytes)
        return fail("larger than " + std::to_string(kMaxReadBytes / (1024 * 1024)) + " MiB");
    std::string text;
    text.reserve(std::min(size_t(st.st_size), size_t(64 * 1024)) + 1);
    char chunk[16 * 1024];
    size_t total = 0;
    size_t lineLength = 0;
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(reason(errno));
        }
        if (n == 0)
            break;
        total += size_t(n);
        if (total > kMaxReadBytes) // it grew while being read
            return fail("larger than " + std::to_string(kMaxReadBytes / (1024 * 1024)) + " MiB");
        keepCut(text, chunk, size_t(n), lineLength);
    }
    return text;
}

} // namespace brightlock::ini
