// The decisions behind the skinned controls' looks: which skin cell each state shows,
// how a cell is cut into nine pieces, what a click does to a value and when the pointer
// has left. Plain functions, so they can be checked without a screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace brightlock::skin {

// Cells of the command-button strip.
enum ButtonCell : int { CellNormal = 0, CellPressed = 1, CellDisabled = 2, CellHover = 3, CellLatched = 4 };

inline constexpr QSize kButtonCellSize{18, 21};
inline constexpr int kBorder = 3;

// The look a button falls back to: State 0 normal, 1 latched, anything else keeps the last one.
int lookForState(qint32 state, int lastLook);

// The cell painted when the button redraws itself.
int redrawCell(bool enabled, int look);

// The cell shown while the pointer moves over the button with the given button mask.
int moveCell(int button);

// Whether a move at (x, y) lies on the control (right and bottom edges excluded).
bool moveIsInside(double x, double y, QSize size);

// Whether the pointer at client position `pos` has left: the edges still count as inside.
bool hoverHasEnded(QPoint pos, QSize size);

// One piece of a nine-piece paint: where it goes and where it comes from in the cell.
struct NinePiece {
    QRect target;
    QRect source;
};

// The pieces of an 18 x 21 cell that a control of `size` paints; pieces whose target has
// no area (a control 6 px wide or high or less) are left out.
std::vector<NinePiece> ninePieces(QSize size);

// Looks of a check-box or radio glyph.
enum class GlyphLook : int { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

inline constexpr QSize kGlyphSize{16, 16};
inline constexpr int kCheckCellCount = 12;
inline constexpr int kRadioGlyphCount = 8;

// The check-box glyph cell; none for a value other than 0, 1 and 2.
std::optional<int> checkBoxCell(qint32 value, GlyphLook look);

// The radio glyph image index.
int radioGlyph(bool value, GlyphLook look);

// The value a click leaves in a check box: 1 -> 0, 0 -> 1, 2 -> 0, others unchanged.
qint32 nextCheckValue(qint32 value);

// Where the glyph and the caption of a check box or radio button go.
struct GlyphLayout {
    QRect glyph;
    QPoint caption;
};
inline constexpr int kCaptionLeft = 32;
GlyphLayout glyphLayout(QSize control, QSize caption);

// Top-left corner that centres a caption of `caption` size on a control of `control` size.
QPoint centredCaption(QSize control, QSize caption);

} // namespace brightlock::skin
