// Where the closer's Enter and typed file name may go: only to a dialog that the window it
// is closing showed in answer, never to that window itself, to another of its program's
// windows that was already there, or to another program. Keystrokes into anything else
// (the user's document, a terminal) could change or lose work, so the step is skipped then.
#pragma once

#include "desktop.h"

#include <QSet>

namespace brightlock {

// Whether `window` is a dialog of `target` that was not yet listed in `before` (the
// windows listed when the request it answers was made): transient for the target, directly
// or through another dialog, or a window of the same X client or process.
bool isDialogOf(Desktop& desktop, WindowId window, WindowId target, const QSet<WindowId>& before);

// The topmost listed window that is such a dialog; 0 when there is none.
WindowId topDialogOf(Desktop& desktop, WindowId target, const QSet<WindowId>& before);

// The listed windows, as a set.
QSet<WindowId> listedWindows(Desktop& desktop);

} // namespace brightlock
