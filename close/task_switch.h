// The closer's task switch: which window it brings to the front next. Instead of a
// window manager's key binding (which differs between window managers and, after the
// desktop is shown, may land nowhere), it takes an application window it has not tried yet
// from the window manager's stacking list: of those with the lowest rank, the topmost. A
// dialog is not taken on its own while the window it belongs to is listed: closing that
// window answers it.
#pragma once

#include "desktop.h"

#include <QSet>
#include <functional>

namespace brightlock {

// 0 when every application window has been tried. `rank` null: all rank alike.
WindowId nextWindow(Desktop& desktop, const QSet<WindowId>& tried,
                    const std::function<int(WindowId)>& rank = nullptr);

// Whether a title shows unsaved changes the way editors mark them: "*notes", "notes *",
// "● notes", "notes [modified]".
bool titleShowsChanges(const QString& title);

} // namespace brightlock
