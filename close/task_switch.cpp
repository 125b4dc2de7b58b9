// The next window to take up; see task_switch.h.
#include "task_switch.h"

namespace brightlock {

WindowId nextWindow(Desktop& desktop, const QSet<WindowId>& tried) {
    const QVector<WindowId> stacking = desktop.clientWindows();
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it) {
        const WindowId window = *it;
        if (tried.contains(window) || !desktop.isApplicationWindow(window))
            continue;
        if (stacking.contains(desktop.transientFor(window)))
            continue;
        return window;
    }
    return 0;
}

} // namespace brightlock
