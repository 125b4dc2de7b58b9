// The accessibility bus for a test desktop, as a full desktop session starts it: a private
// session bus (its address put into this process's environment, so programs started from
// here use it), at-spi-bus-launcher on it with accessibility switched on, and the bus's
// address on the X display's root window (AT_SPI_BUS), where Qt programs look for it.
#pragma once

#include <QProcess>
#include <QString>

namespace testing {

class AccessibilityBus {
public:
    explicit AccessibilityBus(const QString& display);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    bool ok() const { return whyNot_.isEmpty(); }
    // Why the bus could not be had, for QSKIP.
    QString whyNot() const { return whyNot_; }

private:
    void start(const QString& display);

    QProcess session_;
    QProcess launcher_;
    QString whyNot_;
};

} // namespace testing
