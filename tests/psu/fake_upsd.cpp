// The scripted upsd; see fake_upsd.h.
#include "fake_upsd.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <string>

FakeUpsd::FakeUpsd(Mode mode) : mode_(mode) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listenFd_, 8) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 || ::pipe(wakeFds_) != 0)
        return;
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread(&FakeUpsd::serve, this);
}

FakeUpsd::~FakeUpsd() {
    if (thread_.joinable()) {
        const char stop = 'x';
        (void)::write(wakeFds_[1], &stop, 1);
        thread_.join();
    }
    for (int fd : {listenFd_, wakeFds_[0], wakeFds_[1]})
        if (fd >= 0)
            ::close(fd);
}

QStringList FakeUpsd::lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void FakeUpsd::serve() {
    std::vector<int> clients;
    for (;;) {
        std::vector<pollfd> fds = {{wakeFds_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (int c : clients)
            fds.push_back({c, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 10000) <= 0 || fds[0].revents)
            break;
        if (fds[1].revents & POLLIN)
            clients.push_back(::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC));
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buf[1024];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                ::close(fds[i].fd);
                clients.erase(std::find(clients.begin(), clients.end(), fds[i].fd));
                continue;
            }
            std::string text(buf, size_t(n));
            for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                const QString line = QString::fromStdString(text.substr(start, end - start));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    lines_ << line;
                }
                if (mode_ == Mode::Silent)
                    continue;
                std::string answer = "OK\n";
                if (line.startsWith("GET VAR") && line.contains("ups.status"))
                    answer = "VAR myups ups.status \"OL CHRG\"\n";
                else if (line.startsWith("GET VAR"))
                    answer = "ERR VAR-NOT-SUPPORTED\n";
                else if (line == "LOGOUT")
                    answer = "OK Goodbye\n";
                (void)::write(fds[i].fd, answer.data(), answer.size());
            }
        }
    }
    for (int c : clients)
        ::close(c);
}
