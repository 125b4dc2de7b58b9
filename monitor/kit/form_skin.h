// The routines that give the program's frameless windows their skin: the title-bar and
// bottom-border layout, the rounded window shape, topmost, the drag by the title and the
// cut-out of a key colour along the top edge. The geometry is worked out by plain functions
// that tests check; the routines apply it to a window.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>

class QImage;
class QWidget;

namespace brightlock {

// Where LayoutFormSkin puts lblTitle and the skin images on a window of `outer` size.
struct FormSkinLayout {
    QPoint title;
    QRect titleLeft, titleMain, titleRight;
    QRect bottomLeft, bottom, bottomRight;
    QRect close, minimize;
};
FormSkinLayout formSkinLayout(QSize outer);

inline constexpr int kFormCornerEllipse = 24;

// The rounded-rectangle window shape: `outer` with 24 x 24 corner ellipses.
QRegion roundFormRegion(QSize outer);

// Only -1 (True as a 16-bit value) asks for topmost.
inline bool isTopMostRequest(qint16 onTop) {
    return onTop == -1;
}

// The window shape left when every pixel of `colour` in the top six rows of `picture` is cut
// out of the rectangle `inner`.
QRegion regionFromPicture(const QImage& picture, QSize inner, QColor colour);

// Sets the caption from lblTitle, places lblTitle and the skin images, rounds the window.
// A form without one of the named controls is left as far as the routine got.
void LayoutFormSkin(QWidget* form);

void RoundFormRegion(QWidget* form);

// -1 makes the window stay on top; any other value makes it an ordinary window.
void SetTopMost(QWidget* form, qint16 onTop);

// Hands the window to the window manager's move, as a press on a system title bar would.
void DragForm(QWidget* form);

// Cuts the pixels of `colour` (red + 256 x green + 65536 x blue) in the window's top six rows
// out of its shape, as painted now.
void RegionFromPicture(QWidget* form, quint32 colour);

} // namespace brightlock
