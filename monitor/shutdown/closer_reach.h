// Whether the closer can reach this session's windows, and what the user is told when it
// cannot: it drives X11 windows only.
#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace brightlock {

// Empty when the closer can drive the desktop of this environment; else why it cannot:
// no X display, or a Wayland session, whose own windows are not X windows.
QString closerCannotReach(const QProcessEnvironment& environment);

// The critical notice at the start of a countdown on such a desktop, naming the time left.
QString saveNowNotice(int secondsLeft, const QString& why);

} // namespace brightlock
