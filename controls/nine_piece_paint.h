// Paints one 18 x 21 skin cell over a whole control in nine pieces with 3-pixel borders.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>

class QPainter;

namespace brightlock::skin {

// `strip` holds the cell at `cell`; the control is `size` large and painted from (0, 0).
void paintNinePieces(QPainter& painter, const QPixmap& strip, QRect cell, QSize size);

} // namespace brightlock::skin
