// The serial link to a contact-closure UPS: only the modem-control lines are used.
// CTS asserted = mains failed, CD asserted = battery low; RTS is held on while the port
// is open, and raising DTR tells the UPS to switch itself off.
#pragma once

#include <string>

namespace brightlock {

class SerialLine {
public:
    virtual ~SerialLine() = default;

    // The port number, 1 to 4 for COM1 to COM4 (/dev/ttyS0 to /dev/ttyS3).
    virtual void setPort(int number) = 0;
    virtual int port() const = 0;

    // Opens the port with DTR low, so opening never signals a switch-off. False when the
    // port cannot be opened; the monitor then reads the UPS as not answering.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual bool cts() const = 0;
    virtual bool cd() const = 0;

    // Why the port could not be opened, or was lost while it was read, in the system's
    // words ("/dev/ttyS3: No such file or directory"); empty when nothing failed since it
    // was last opened.
    virtual std::string fault() const { return {}; }
};

} // namespace brightlock
