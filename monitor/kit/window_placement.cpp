// Window placement; see window_placement.h.
#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace brightlock {

QRect availableAreaFor(const QWidget* window) {
    QScreen* screen = QGuiApplication::screenAt(window->geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint placedInside(const QRect& window, const QRect& area) {
    if (area.isEmpty())
        return window.topLeft();
    const int x = std::max(area.left(), std::min(window.left(), area.right() + 1 - window.width()));
    const int y = std::max(area.top(), std::min(window.top(), area.bottom() + 1 - window.height()));
    return {x, y};
}

void centreOnPrimaryScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void placeInsideScreen(QWidget* window) {
    const QRect area = availableAreaFor(window);
    // The frame the window manager adds counts too; a frameless window has none.
    // move() places the frame's top-left corner.
    const QRect frame = window->frameGeometry();
    const QPoint at = placedInside(frame, area);
    if (at != frame.topLeft())
        window->move(at);
}

} // namespace brightlock
