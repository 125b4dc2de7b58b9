// The closer's task switch: which window it brings to the front next. Instead of a
// window manager's key binding (which differs between window managers and, after the
// desktop is shown, may land nowhere), it takes the topmost application window it has not
// tried yet from the window manager's stacking list. A dialog is not taken on its own while
// the window it belongs to is listed: closing that window answers it.
#pragma once

#include "desktop.h"

#include <QSet>

namespace brightlock {

// 0 when every application window has been tried.
WindowId nextWindow(Desktop& desktop, const QSet<WindowId>& tried);

} // namespace brightlock
