// The serial link to a contact-closure UPS: only the modem-control lines are used.
// CTS asserted = mains failed, CD asserted = battery low; RTS is held on while the port
// is open, and raising DTR tells the UPS to switch itself off.
#pragma once

namespace brightlock {

class SerialLine {
public:
    virtual ~SerialLine() = default;

    // The port number, 1 to 4 for COM1 to COM4 (/dev/ttyS0 to /dev/ttyS3).
    virtual void setPort(int number) = 0;
    virtual int port() const = 0;

    // Opens the port with DTR low, so opening never signals a switch-off. False when the
    // port cannot be opened; the link then reads as "no line asserted".
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual bool cts() const = 0;
    virtual bool cd() const = 0;
};

} // namespace brightlock
