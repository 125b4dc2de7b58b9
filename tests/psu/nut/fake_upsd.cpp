// The scripted upsd; see fake_upsd.h.
#include "psu/nut/fake_upsd.h"

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
    std::vector<int> trickled; // clients being sent an endless answer
    auto drop = [&](int fd) {
        ::close(fd);
        clients.erase(std::find(clients.begin(), clients.end(), fd));
        trickled.erase(std::remove(trickled.begin(), trickled.end(), fd), trickled.end());
    };
    for (;;) {
        std::vector<pollfd> fds = {{wakeFds_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
        for (int c : clients)
            fds.push_back({c, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), trickled.empty() ? 10000 : 100);
        if (ready < 0 || (ready == 0 && trickled.empty()) || fds[0].revents)
            break;
        for (int c : trickled)
            (void)::send(c, "A", 1, MSG_NOSIGNAL);
        if (fds[1].revents & POLLIN) {
            clients.push_back(::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC));
            mostConnections_ = std::max(mostConnections_.load(), int(clients.size()));
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buf[1024];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                drop(fds[i].fd);
                continue;
            }
            std::string text(buf, size_t(n));
            bool hangUp = false;
            for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                const QString line = QString::fromStdString(text.substr(start, end - start));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    lines_ << line;
                }
                if (mode_ == Mode::Silent)
                    continue;
                if (mode_ == Mode::Trickling && line.startsWith("GET VAR")) {
                    if (std::find(trickled.begin(), trickled.end(), fds[i].fd) == trickled.end())
                        trickled.push_back(fds[i].fd);
                    continue;
                }
                std::string answer = "OK\n";
                if (line.startsWith("GET VAR") && line.contains("ups.status")) {
                    answer = "VAR myups ups.status \"OL CHRG\"\n";
                    hangUp = mode_ == Mode::HangingUp;
                } else if (line.startsWith("GET VAR")) {
                    answer = "ERR VAR-NOT-SUPPORTED\n";
                } else if (line == "LOGOUT") {
                    answer = "OK Goodbye\n";
                }
                (void)::send(fds[i].fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            }
            if (hangUp)
                drop(fds[i].fd);
        }
    }
    for (int c : clients)
        ::close(c);
}
