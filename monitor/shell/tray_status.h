// The status line at the top of the tray icon's menu: what protects the computer now, in
// the words a person reads at a glance ("On mains — 100 %, 30 min left", "Not protected:
// the UPS does not answer").
#pragma once

#include "monitor_ports.h"

#include <QString>

namespace brightlock {

struct TrayStatus {
    TrayPicture picture = TrayPicture::ImaMain; // the state the tray icon shows
    QString charge;                             // "64 %", or empty when not reported
    QString runtime;                            // "12 min", or empty
    QString linkFault;                          // why the serial port cannot be used, or empty
    int countdownSeconds = 0;                   // seconds to the shutdown while one counts down
};

QString trayStatusLine(const TrayStatus& status);

} // namespace brightlock
