// The tray menu's status line; see tray_status.h.
#include "tray_status.h"

#include <QStringList>

namespace brightlock {

QString trayStatusLine(const TrayStatus& s) {
    if (s.picture == TrayPicture::ImaUnCon)
        return s.linkFault.isEmpty() ? QStringLiteral("Not protected: the UPS does not answer")
                                     : QStringLiteral("Not protected: the UPS port cannot be used");
    QString line = s.picture == TrayPicture::ImaSLow  ? QStringLiteral("Battery low")
                   : s.picture == TrayPicture::ImaSOk ? QStringLiteral("On battery")
                                                      : QStringLiteral("On mains");
    QStringList reading;
    if (!s.charge.isEmpty())
        reading << s.charge;
    if (!s.runtime.isEmpty())
        reading << s.runtime + QStringLiteral(" left");
    if (!reading.isEmpty())
        line += QStringLiteral(" \u2014 ") + reading.join(QStringLiteral(", "));
    if (s.countdownSeconds > 0)
        line += QStringLiteral("; shutdown in %1:%2")
                    .arg(s.countdownSeconds / 60)
                    .arg(s.countdownSeconds % 60, 2, 10, QLatin1Char('0'));
    return line;
}

} // namespace brightlock
