// The closer's keystroke guard; see dialog_guard.h.
#include "dialog_guard.h"

namespace brightlock {

namespace {

// Dialogs of dialogs (a save dialog over a prompt) are followed this far.
constexpr int kOwnerDepth = 4;

bool ownedBy(Desktop& desktop, WindowId window, WindowId target) {
    for (int depth = 0; depth < kOwnerDepth && window; ++depth) {
        window = desktop.transientFor(window);
        if (window == target)
            return true;
    }
    return false;
}

} // namespace

bool isDialogOf(Desktop& desktop, WindowId window, WindowId target, const QSet<WindowId>& before) {
    if (!window || !target || window == target || before.contains(window) || !desktop.probeWindow(window))
        return false;
    if (ownedBy(desktop, window, target))
        return true;
    if (desktop.clientOf(window) == desktop.clientOf(target))
        return true;
    const qint64 process = desktop.processOf(target);
    return process != 0 && desktop.processOf(window) == process;
}

WindowId topDialogOf(Desktop& desktop, WindowId target, const QSet<WindowId>& before) {
    const QVector<WindowId> stacking = desktop.clientWindows();
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it)
        if (isDialogOf(desktop, *it, target, before))
            return *it;
    return 0;
}

QSet<WindowId> listedWindows(Desktop& desktop) {
    const QVector<WindowId> windows = desktop.clientWindows();
    return QSet<WindowId>(windows.cbegin(), windows.cend());
}

} // namespace brightlock
