// Nine-piece painting of a skin cell.
#include "nine_piece_paint.h"

#include "skin_rules.h"

#include <QPainter>

namespace brightlock::skin {

void paintNinePieces(QPainter& painter, const QPixmap& strip, QRect cell, QSize size) {
    // Stretched pieces repeat pixel columns and rows: smoothing would blur the border into the face.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const NinePiece& piece : ninePieces(size))
        painter.drawPixmap(piece.target, strip, piece.source.translated(cell.topLeft()));
}

} // namespace brightlock::skin
