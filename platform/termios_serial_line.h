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
    std::string fault() const override { return fault_; }

    // The device of a port number: 1 -> /dev/ttyS0.
    static std::string devicePath(int number);

private:
    void setLine(int bit, bool on);
    bool line(int bit) const;

    void lose(const char* what) const;

    int port_ = 1;
    // A line that can no longer be read (a USB adapter pulled out) closes the port from a
    // const read, so that the next open starts afresh.
    mutable int fd_ = -1;
    mutable std::string fault_;
};

} // namespace brightlock
