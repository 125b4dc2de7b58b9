// libupsclient wrapper; see nut_client.h. The library is loaded at the first use, so
// libPSU.so, with its other drivers, still loads on a machine without it.
#include "nut_client.h"

#include "log.h"

#include <cstdint>
#include <ctime>
#include <sys/time.h>
// after the headers it needs
#include <upsclient.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace psu::nut {
namespace {

struct Api {
    decltype(&upscli_init) init;
    decltype(&upscli_tryconnect) tryconnect;
    decltype(&upscli_disconnect) disconnect;
    decltype(&upscli_get) get;
    decltype(&upscli_list_start) listStart;
    decltype(&upscli_list_next) listNext;
    decltype(&upscli_sendline) sendline;
    decltype(&upscli_readline) readline;
    decltype(&upscli_strerror) strerror;
    decltype(&upscli_upserror) upserror;
    decltype(&upscli_ssl) ssl;
};

template <typename T> bool resolve(void* lib, const char* name, T& into) {
    into = reinterpret_cast<T>(::dlsym(lib, name));
    return into != nullptr;
}

// nullptr when libupsclient cannot be loaded.
const Api* api() {
    static const Api* loaded = []() -> const Api* {
        void* lib = ::dlopen("libupsclient.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            lib = ::dlopen("libupsclient.so", RTLD_NOW | RTLD_LOCAL);
        if (!lib) {
            debugLog("nut: libupsclient is not installed (Debian package libupsclient6)");
            return nullptr;
        }
        static Api a;
        if (resolve(lib, "upscli_init", a.init) && resolve(lib, "upscli_tryconnect", a.tryconnect) &&
            resolve(lib, "upscli_disconnect", a.disconnect) && resolve(lib, "upscli_get", a.get) &&
            resolve(lib, "upscli_list_start", a.listStart) && resolve(lib, "upscli_list_next", a.listNext) &&
            resolve(lib, "upscli_sendline", a.sendline) && resolve(lib, "upscli_readline", a.readline) &&
            resolve(lib, "upscli_strerror", a.strerror) && resolve(lib, "upscli_upserror", a.upserror) &&
            resolve(lib, "upscli_ssl", a.ssl))
            return &a;
        debugLog("nut: libupsclient lacks a function this library needs");
        return nullptr;
    }();
    return loaded;
}

// Blocks SIGPIPE in the calling thread for its lifetime and drops one raised meanwhile:
// libupsclient writes to its socket with write(), and a server that has gone away would
// otherwise end the program.
struct SigpipeGuard {
    sigset_t pipe;
    sigset_t previous;
    bool alreadyPending = false;

    SigpipeGuard() {
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &previous);
        sigset_t pending;
        alreadyPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeGuard() {
        if (!alreadyPending && !sigismember(&previous, SIGPIPE)) {
            const timespec none{};
            while (sigtimedwait(&pipe, nullptr, &none) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;
};

// Only TLS needs the library's set-up, which also prints a line on standard error.
void initTlsOnce(const Config& config) {
    static std::once_flag once;
    std::call_once(once, [&] {
        api()->init(config.certVerify ? 1 : 0, config.certPath.empty() ? nullptr : config.certPath.c_str(),
                    nullptr, nullptr);
    });
}

} // namespace

namespace {

// How much shorter than the last one a poll's reply may be and still wake the poll at
// once, and how long a shorter one waits.
constexpr size_t kReplySlackBytes = 16;
constexpr int kShortReplyWaitMs = 60;

// The errors of a connection that broke before the server sent an answer line.
bool lostWithoutAnswer(int error) {
    return error == UPSCLI_ERR_SRVDISC || error == UPSCLI_ERR_READ || error == UPSCLI_ERR_RECVFAILURE;
}

// Splits a protocol line into its words; a word in double quotes may hold blanks and
// backslash escapes.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    for (size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size())
                    ++i;
                word += line[i];
            }
            ++i;
        } else {
            for (; i < line.size() && line[i] != ' '; ++i)
                word += line[i];
        }
        out.push_back(std::move(word));
    }
    return out;
}

// The answer to GET VAR `var` of `ups` as get() reports it; Broken for an error that is
// not about the variable or the UPS, or an answer to another question.
Connection::Answer answerFromLine(const std::string& line, const std::string& ups, const std::string& var) {
    const auto w = words(line);
    Connection::Answer a;
    if (w.size() >= 4 && w[0] == "VAR" && w[1] == ups && w[2] == var) {
        a.result = Connection::Result::Ok;
        a.value = w[3];
    } else if (w.size() >= 2 && w[0] == "ERR") {
        static const char* const missing[] = {"VAR-NOT-SUPPORTED", "VAR-UNKNOWN", "UNKNOWN-VAR"};
        static const char* const noAnswer[] = {"UNKNOWN-UPS", "DRIVER-NOT-CONNECTED", "DATA-STALE",
                                               "ACCESS-DENIED"};
        for (const char* m : missing)
            if (w[1] == m)
                a.result = Connection::Result::Missing;
        for (const char* m : noAnswer)
            if (w[1] == m) {
                debugLog("nut: %s of %s: %s", var.c_str(), ups.c_str(), w[1].c_str());
                a.result = Connection::Result::NoAnswer;
            }
    }
    return a;
}

} // namespace

struct Connection::Impl {
    UPSCONN_t conn;
    // A duplicate of the connection's socket for abort(): it stays open until
    // disconnect() closes it under the mutex, so abort() never reaches a reused number.
    std::mutex abortMutex;
    int abortFd = -1;
    bool aborted = false;
};

Connection::Connection() : impl_(std::make_unique<Impl>()) {
    std::memset(&impl_->conn, 0, sizeof impl_->conn);
}

Connection::~Connection() {
    disconnect();
}

bool Connection::connect(const std::string& host, uint16_t port, Tls tls, int timeoutMs) {
    disconnect();
    silent_ = false;
    if (!api())
        return false;
    if (tls != Tls::Off)
        initTlsOnce(loadConfig());
    int flags = 0;
    if (tls == Tls::Try)
        flags |= UPSCLI_CONN_TRYSSL;
    else if (tls == Tls::Require)
        flags |= UPSCLI_CONN_REQSSL;
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    std::memset(&impl_->conn, 0, sizeof impl_->conn);
    SigpipeGuard guard;
    if (api()->tryconnect(&impl_->conn, host.c_str(), port, flags, &tv) < 0) {
        debugLog("nut: cannot connect to %s:%u: %s", host.c_str(), unsigned(port),
                 api()->strerror(&impl_->conn));
        api()->disconnect(&impl_->conn);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(impl_->abortMutex);
        if (!impl_->aborted)
            impl_->abortFd = ::fcntl(impl_->conn.fd, F_DUPFD_CLOEXEC, 0);
    }
    connected_ = true;
    if (impl_->abortFd < 0) { // aborted while connecting, or no descriptor to spare
        debugLog("nut: connection to %s:%u given up", host.c_str(), unsigned(port));
        disconnect();
        return false;
    }
    return true;
}

void Connection::disconnect() {
    if (!connected_)
        return;
    {
        SigpipeGuard guard;
        api()->disconnect(&impl_->conn);
    }
    connected_ = false;
    std::lock_guard<std::mutex> lock(impl_->abortMutex);
    if (impl_->abortFd >= 0)
        ::close(impl_->abortFd);
    impl_->abortFd = -1;
}

void Connection::abort() {
    std::lock_guard<std::mutex> lock(impl_->abortMutex);
    impl_->aborted = true;
    if (impl_->abortFd >= 0)
        ::shutdown(impl_->abortFd, SHUT_RDWR);
}

Connection::Result Connection::get(const std::string& ups, const std::string& var, std::string* value) {
    if (!connected_)
        return Result::Broken;
    const char* query[] = {"VAR", ups.c_str(), var.c_str()};
    size_t numa = 0;
    char** answer = nullptr;
    if (api()->get(&impl_->conn, 3, query, &numa, &answer) < 0) {
        const int err = api()->upserror(&impl_->conn);
        switch (err) {
        case UPSCLI_ERR_VARNOTSUPP:
        case UPSCLI_ERR_UNKNOWNVAR:
        case UPSCLI_ERR_VARUNKNOWN:
            return Result::Missing;
        case UPSCLI_ERR_UNKNOWNUPS:
        case UPSCLI_ERR_DRVNOTCONN:
        case UPSCLI_ERR_DATASTALE:
        case UPSCLI_ERR_ACCESSDENIED:
            debugLog("nut: %s of %s: %s", var.c_str(), ups.c_str(), api()->strerror(&impl_->conn));
            return Result::NoAnswer;
        default:
            debugLog("nut: %s of %s: %s; closing the connection", var.c_str(), ups.c_str(),
                     api()->strerror(&impl_->conn));
            silent_ = lostWithoutAnswer(err);
            disconnect();
            return Result::Broken;
        }
    }
    if (numa < 4) {
        disconnect();
        return Result::Broken;
    }
    if (value)
        *value = answer[3];
    return Result::Ok;
}

bool Connection::plain() const {
    return connected_ && api()->ssl(&impl_->conn) == 0 && impl_->conn.readidx >= impl_->conn.readlen;
}

std::vector<Connection::Answer> Connection::getAll(const std::string& ups,
                                                   const std::vector<std::string>& vars,
                                                   std::chrono::steady_clock::time_point deadline) {
    std::vector<Answer> answers(vars.size());
    hungUp_ = false;
    if (!plain())
        return answers;
    std::string out;
    for (const std::string& var : vars)
        out += "GET VAR " + quoted(ups) + " " + quoted(var) + "\n";
    const int fd = impl_->conn.fd;
    // What is left of the deadline, for poll(); 0 once it has passed.
    auto remainingMs = [&] {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        return int(std::max<long long>(0, left.count()));
    };
    auto wait = [&](short events, int atMostMs) {
        pollfd p{fd, events, 0};
        int r;
        while ((r = ::poll(&p, 1, std::min(remainingMs(), atMostMs))) < 0 && errno == EINTR) {
        }
        return r > 0;
    };
    // upsd writes every answer on its own: waking for each would cost a wake-up per
    // variable. The socket wakes the poll only once about as much has arrived as the
    // last whole reply held, less a slack for values that got shorter; a reply shorter
    // still is read after a short wait.
    int lowWater = lastReplyBytes_ > 2 * kReplySlackBytes ? int(lastReplyBytes_ - kReplySlackBytes) : 1;
    auto setLowWater = [&](int bytes) {
        lowWater = bytes;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVLOWAT, &bytes, sizeof bytes);
    };
    if (lowWater > 1)
        setLowWater(lowWater);
    auto fail = [&](const char* why) {
        debugLog("nut: GET VAR of %s: %s; closing the connection", ups.c_str(), why);
        silent_ = true;
        disconnect();
        return answers;
    };
    for (size_t sent = 0; sent < out.size();) {
        const ssize_t n = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            sent += size_t(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            hungUp_ = errno == EPIPE || errno == ECONNRESET;
            return fail(std::strerror(errno));
        } else if (n < 0 && errno == EAGAIN && !wait(POLLOUT, INT_MAX))
            return fail("the server took no request in time");
    }
    std::string in;
    size_t received = 0;
    size_t next = 0; // the answer read next
    while (next < vars.size()) {
        const size_t end = in.find('\n');
        if (end == std::string::npos) {
            if (in.size() > UPSCLI_NETBUF_LEN)
                return fail("an answer line too long");
            char buf[UPSCLI_NETBUF_LEN];
            const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
            if (n > 0) {
                in.append(buf, size_t(n));
                received += size_t(n);
            } else if (n == 0) {
                hungUp_ = next == 0;
                return fail("the server hung up");
            } else if (errno != EAGAIN && errno != EINTR) {
                // A request sent after the server closed is answered with a reset.
                hungUp_ = next == 0 && errno == ECONNRESET;
                return fail(std::strerror(errno));
            } else if (errno == EAGAIN && lowWater > 1) {
                if (!wait(POLLIN, kShortReplyWaitMs))
                    setLowWater(1);
            } else if (errno == EAGAIN && !wait(POLLIN, INT_MAX)) {
                return fail("no answer in time");
            }
            continue;
        }
        std::string line = in.substr(0, end);
        in.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        answers[next] = answerFromLine(line, ups, vars[next]);
        if (answers[next].result == Result::Broken) {
            debugLog("nut: %s of %s: unexpected answer '%s'", vars[next].c_str(), ups.c_str(), line.c_str());
            silent_ = false;
            disconnect();
            return answers;
        }
        ++next;
    }
    if (lowWater > 1)
        setLowWater(1);
    lastReplyBytes_ = received;
    return answers;
}

std::vector<std::string> Connection::listUps() {
    std::vector<std::string> names;
    if (!connected_)
        return names;
    const char* query[] = {"UPS"};
    if (api()->listStart(&impl_->conn, 1, query) < 0) {
        debugLog("nut: LIST UPS: %s", api()->strerror(&impl_->conn));
        // A server that takes the connection and then sends nothing (or hangs up) leaves
        // a connection that answers nothing: close it, and say so rather than the
        // library's later "Driver not connected".
        if (lostWithoutAnswer(api()->upserror(&impl_->conn))) {
            silent_ = true;
            disconnect();
        }
        return names;
    }
    size_t numa = 0;
    char** answer = nullptr;
    while (api()->listNext(&impl_->conn, 1, query, &numa, &answer) == 1 && names.size() < 256)
        if (numa >= 2)
            names.push_back(answer[1]);
    return names;
}

std::optional<std::string> Connection::request(const std::string& line) {
    if (!connected_)
        return std::nullopt;
    const std::string out = line + "\n";
    if (api()->sendline(&impl_->conn, out.c_str(), out.size()) < 0) {
        disconnect();
        return std::nullopt;
    }
    char buf[UPSCLI_NETBUF_LEN] = {};
    if (api()->readline(&impl_->conn, buf, sizeof buf) < 0) {
        // upsd answers protocol errors as "ERR ..." lines that the library reports as
        // failures; give the caller the line all the same.
        if (std::strncmp(buf, "ERR", 3) == 0)
            return std::string(buf);
        disconnect();
        return std::nullopt;
    }
    std::string answer = buf;
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r'))
        answer.pop_back();
    return answer;
}

std::string Connection::lastError() {
    if (silent_)
        return "the server did not answer";
    return api() ? api()->strerror(&impl_->conn) : "libupsclient is not installed";
}

std::string quoted(const std::string& arg) {
    std::string out = "\"";
    for (char c : arg) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace psu::nut
