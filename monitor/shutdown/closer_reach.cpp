// The closer's reach; see closer_reach.h.
#include "closer_reach.h"

namespace brightlock {

QString closerCannotReach(const QProcessEnvironment& environment) {
    if (environment.value(QStringLiteral("DISPLAY")).isEmpty())
        return QStringLiteral("there is no X display");
    if (!environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland"))
        return QStringLiteral("the windows of a Wayland session cannot be driven");
    return {};
}

QString saveNowNotice(int secondsLeft, const QString& why) {
    // Whole minutes rounded down: the notice never promises more time than is left.
    const QString left = secondsLeft < 120 ? QStringLiteral("%1 seconds").arg(qMax(secondsLeft, 0))
                                           : QStringLiteral("%1 minutes").arg(secondsLeft / 60);
    return QStringLiteral("Save your work now: the computer shuts down in %1, and open applications "
                          "cannot be saved for you (%2).")
        .arg(left, why);
}

} // namespace brightlock
