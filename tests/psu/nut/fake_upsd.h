// A scripted stand-in for upsd on a loopback port, for what the real server with its
// dummy driver cannot show: a UPS that accepts the switch-off command, and hostile
// servers: one that never answers, one that trickles its answers a byte at a time
// without end, one that hangs up after every status. It records every line it receives
// and the most connections it held at once.
#pragma once

#include <QStringList>

#include <atomic>
#include <mutex>
#include <thread>

class FakeUpsd {
public:
    enum class Mode { Answering, Silent, Trickling, HangingUp };

    explicit FakeUpsd(Mode mode);
    ~FakeUpsd();

    quint16 port() const { return port_; }
    QStringList lines() const;
    int mostConnections() const { return mostConnections_; }

private:
    void serve();
    void talk(int fd);

    Mode mode_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    QStringList lines_;
    std::atomic<int> mostConnections_{0};
    std::thread thread_;
};
