// The next window to take up; see task_switch.h.
#include "task_switch.h"

#include <QRegularExpression>

namespace brightlock {

WindowId nextWindow(Desktop& desktop, const QSet<WindowId>& tried, const std::function<int(WindowId)>& rank) {
    const QVector<WindowId> stacking = desktop.clientWindows();
    WindowId best = 0;
    int bestRank = 0;
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it) {
        const WindowId window = *it;
        if (tried.contains(window) || !desktop.isApplicationWindow(window))
            continue;
        if (stacking.contains(desktop.transientFor(window)))
            continue;
        const int r = rank ? rank(window) : 0;
        if (!best || r < bestRank) {
            best = window;
            bestRank = r;
        }
    }
    return best;
}

bool titleShowsChanges(const QString& title) {
    static const QRegularExpression marks(
        QStringLiteral("^\\s*[*\\x{25CF}\\x{2022}]|\\*\\s*$|\\s\\*(\\s|$)|[\\[(]modified[\\])]"),
        QRegularExpression::CaseInsensitiveOption);
    return title.contains(marks);
}

} // namespace brightlock
