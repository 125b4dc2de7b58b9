// libupsclient wrapper; see nut_client.h. The library is loaded at the first use, so
// libPSU.so, with its other drivers, still loads on a machine without it.
#include "nut_client.h"

#include "log.h"

#include <cstdint>
#include <ctime>
#include <sys/time.h>
// after the headers it needs
#include <upsclient.h>

#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
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
            resolve(lib, "upscli_strerror", a.strerror) && resolve(lib, "upscli_upserror", a.upserror))
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

// The errors of a connection that broke before the server sent an answer line.
bool lostWithoutAnswer(int error) {
    return error == UPSCLI_ERR_SRVDISC || error == UPSCLI_ERR_READ || error == UPSCLI_ERR_RECVFAILURE;
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
