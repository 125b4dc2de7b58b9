// Real serial modem lines; see termios_serial_line.h.
#include "termios_serial_line.h"

#include "log_categories.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

BRIGHTLOCK_LOGGING_CATEGORY(lcSerial, "brightlock.serial")

namespace brightlock {

TermiosSerialLine::~TermiosSerialLine() {
    close();
}

std::string TermiosSerialLine::devicePath(int number) {
    return "/dev/ttyS" + std::to_string(number - 1);
}

void TermiosSerialLine::setPort(int number) {
    if (number == port_)
        return;
    close(); // a port number change applies to the next open, as with a closed port
    port_ = number;
}

bool TermiosSerialLine::open() {
    if (fd_ >= 0)
        return true;
    if (port_ < 1)
        return false;
    const std::string path = devicePath(port_);
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        fault_ = path + ": " + std::strerror(errno);
        qCDebug(lcSerial) << "cannot open" << fault_.c_str();
        return false;
    }
    // The kernel raises DTR and RTS when a port opens; DTR is this UPS's switch-off
    // signal, so drop both at once. A zero baud rate also keeps the next open from
    // raising them (the setting outlives the close), and CLOCAL keeps CD from hanging
    // the port up: CD is only read here.
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cflag &= ~HUPCL;
        ::cfsetospeed(&t, B0);
        ::cfsetispeed(&t, B0);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    fd_ = fd;
    fault_.clear();
    setDtr(false);
    setRts(true);
    return true;
}

void TermiosSerialLine::close() {
    if (fd_ < 0)
        return;
    // The lines stay as they are (no hang-up on close): a switch-off signal on DTR must
    // outlast the monitor, which the system ends while it goes down.
    ::close(fd_);
    fd_ = -1;
}

void TermiosSerialLine::setLine(int bit, bool on) {
    if (fd_ < 0)
        return;
    if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) != 0)
        qCDebug(lcSerial) << "modem line change failed" << std::strerror(errno);
}

bool TermiosSerialLine::line(int bit) const {
    int status = 0;
    if (fd_ < 0)
        return false;
    if (::ioctl(fd_, TIOCMGET, &status) != 0) {
        lose("modem lines unreadable");
        return false;
    }
    return (status & bit) != 0;
}

void TermiosSerialLine::lose(const char* what) const {
    fault_ = devicePath(port_) + ": " + std::strerror(errno);
    qCDebug(lcSerial) << what << fault_.c_str();
    ::close(fd_);
    fd_ = -1;
}

void TermiosSerialLine::setRts(bool on) {
    setLine(TIOCM_RTS, on);
}
void TermiosSerialLine::setDtr(bool on) {
    setLine(TIOCM_DTR, on);
}
bool TermiosSerialLine::cts() const {
    return line(TIOCM_CTS);
}
bool TermiosSerialLine::cd() const {
    return line(TIOCM_CAR);
}

} // namespace brightlock
