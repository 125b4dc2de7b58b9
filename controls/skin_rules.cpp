// Cell choice, nine-piece geometry, click values and hover tests of the skinned controls.
#include "skin_rules.h"

namespace brightlock::skin {

int lookForState(qint32 state, int lastLook) {
    if (state == 1)
        return CellLatched;
    if (state == 0)
        return CellNormal;
    return lastLook;
}

int redrawCell(bool enabled, int look) {
    return enabled ? look : CellDisabled;
}

int moveCell(int button) {
    return button == 1 ? CellPressed : CellHover;
}

bool moveIsInside(double x, double y, QSize size) {
    return x >= 0 && x < size.width() && y >= 0 && y < size.height();
}

bool hoverHasEnded(QPoint pos, QSize size) {
    return pos.x() < 0 || pos.y() < 0 || pos.x() > size.width() || pos.y() > size.height();
}

std::vector<NinePiece> ninePieces(QSize size) {
    const int w = size.width(), h = size.height(), b = kBorder;
    const int sw = kButtonCellSize.width() - 2 * b, sh = kButtonCellSize.height() - 2 * b;
    const int right = kButtonCellSize.width() - b, bottom = kButtonCellSize.height() - b;
    const NinePiece all[] = {
        {{0, 0, b, b}, {0, 0, b, b}},
        {{b, 0, w - 2 * b, b}, {b, 0, sw, b}},
        {{w - b, 0, b, b}, {right, 0, b, b}},
        {{0, b, b, h - 2 * b}, {0, b, b, sh}},
        {{b, b, w - 2 * b, h - 2 * b}, {b, b, sw, sh}},
        {{w - b, b, b, h - 2 * b}, {right, b, b, sh}},
        {{0, h - b, b, b}, {0, bottom, b, b}},
        {{b, h - b, w - 2 * b, b}, {b, bottom, sw, b}},
        {{w - b, h - b, b, b}, {right, bottom, b, b}},
    };
    std::vector<NinePiece> pieces;
    for (const NinePiece& piece : all)
        if (piece.target.width() > 0 && piece.target.height() > 0)
            pieces.push_back(piece);
    return pieces;
}

std::optional<int> checkBoxCell(qint32 value, GlyphLook look) {
    if (value < 0 || value > 2)
        return std::nullopt;
    return 4 * value + int(look);
}

int radioGlyph(bool value, GlyphLook look) {
    return 4 * (value ? 1 : 0) + int(look);
}

qint32 nextCheckValue(qint32 value) {
    switch (value) {
    case 0:
        return 1;
    case 1:
    case 2:
        return 0;
    default:
        return value;
    }
}

GlyphLayout glyphLayout(QSize control, QSize caption) {
    const int h = control.height();
    return {QRect(QPoint(0, (h - kGlyphSize.height()) / 2), kGlyphSize),
            QPoint(kCaptionLeft, (h - caption.height()) / 2)};
}

QPoint centredCaption(QSize control, QSize caption) {
    return {(control.width() - caption.width()) / 2, (control.height() - caption.height()) / 2};
}

} // namespace brightlock::skin
