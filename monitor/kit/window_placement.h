// Windows inside the screen: on a small or scaled screen (a laptop at 200 %) a window
// centred or put back where it was can stand partly off the screen, its buttons out of
// reach. These place a window inside the available area of its screen (without panels).
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace brightlock {

// The available area of the screen under the window's centre, else of the primary screen;
// empty without a screen.
QRect availableAreaFor(const QWidget* window);

// Where a window of geometry `window` goes so that it lies inside `area`: unchanged when it
// does, else moved the least; one larger than the area keeps its top-left corner (and so its
// title bar) inside.
QPoint placedInside(const QRect& window, const QRect& area);

// Centres a window in the available area of the primary screen; unmoved without a screen.
void centreOnPrimaryScreen(QWidget* window);

// Moves a top-level window inside the available area of its screen.
void placeInsideScreen(QWidget* window);

} // namespace brightlock
