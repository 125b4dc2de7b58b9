// SerialLine over a real tty through the termios modem-control ioctls.
#pragma once

#include "serial_line.h"

#include <string>

namespace brightlock {

class TermiosSerialLine : public SerialLine {
public:
    TermiosSerialLine() = default;
    ~TermiosSerialLine() override;
    TermiosSerialLine(const TermiosSerialLine&) = delete;
    TermiosSerialLine& operator=(const TermiosSerialLine&) = delete;

    void setPort(int number) override;
    int port() const override { return port_; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    void setRts(bool on) override;
    void setDtr(bool on) override;
    bool cts() const override;
    bool cd() const override;

    // The device of a port number: 1 -> /dev/ttyS0.
    static std::string devicePath(int number);

private:
    void setLine(int bit, bool on);
    bool line(int bit) const;

    int port_ = 1;
    int fd_ = -1;
};

} // namespace brightlock
