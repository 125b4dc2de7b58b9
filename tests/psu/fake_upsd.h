// A scripted stand-in for upsd on a loopback port, for what the real server with its
// dummy driver cannot show: a UPS that accepts the switch-off command, and a server that
// accepts connections but never answers. It records every line it receives.
#pragma once

#include <QStringList>

#include <atomic>
#include <mutex>
#include <thread>

class FakeUpsd {
public:
    enum class Mode { Answering, Silent };

    explicit FakeUpsd(Mode mode);
    ~FakeUpsd();

    quint16 port() const { return port_; }
    QStringList lines() const;

private:
    void serve();
    void talk(int fd);

    Mode mode_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    QStringList lines_;
    std::thread thread_;
};
