// The rules of the skinned window frame xp_canvas, without widgets: where the title bar,
// borders, caption, icon and resize grips go on a frame of a given size, how the title
// picture is cut into three slices, what a double-click, a press on the title and a resize
// handle do in each window state, and how a border drag moves and sizes the window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>
#include <array>
#include <optional>
#include <vector>

namespace brightlock::canvas {

inline constexpr int kTitleHeight = 29;
inline constexpr int kBorderWidth = 5;
inline constexpr QPoint kCaptionAt{26, 6};
inline constexpr QPoint kShadowAt{28, 8};
// The window icon sits left of the caption, centred on the title text.
inline constexpr QRect kIconRect{6, 6, 16, 16};
// Corner grips are 9 x 9, the 9 px by which the grips are inset from the frame's corners.
inline constexpr int kGripSize = 9;
// The top-edge grip covers the title bar's top rows, so most of the bar still drags.
inline constexpr int kTopGripHeight = 4;
// The left and right ends of the title picture that are painted unstretched.
inline constexpr int kTitleEndWidth = 9;
// The frame never gets smaller than its own title bar and borders.
inline constexpr QSize kSmallestFrame{2 * kTitleEndWidth, kTitleHeight + kBorderWidth};

// Resize handle codes: the three borders and the grips' own indices.
enum Handle : int {
    LeftBorder = 0,
    RightBorder = 1,
    TopGrip = 2,
    BottomBorder = 3,
    BottomRightGrip = 4,
    BottomLeftGrip = 5,
    TopRightGrip = 6,
    TopLeftGrip = 7,
};
inline constexpr std::array<int, 5> kGrips{TopGrip, BottomRightGrip, BottomLeftGrip, TopRightGrip,
                                           TopLeftGrip};

struct Layout {
    QRect top, left, right, bottom;
    // Indexed by handle code; only the grips' entries are used.
    std::array<QRect, 8> grips;
};

// The parts of a frame of `size`: title bar and bottom border across the full width, side
// borders between them, grips at the corners and along the top edge.
Layout canvasLayout(QSize size);

struct Slice {
    QRect target;
    QRect source;
};

// The three slices of a title picture of `picture` size painted over a bar `barWidth` wide:
// left end, stretched middle, right end. Slices with no area are left out.
std::vector<Slice> titleSlices(QSize picture, int barWidth);

// A window's state as the frame sees it.
enum class WindowState : int { Normal = 0, Minimized = 1, Maximized = 2 };
WindowState windowStateOf(Qt::WindowStates states);

// The state a double-click on the title asks for; none when the frame is fixed.
std::optional<WindowState> stateAfterDoubleClick(bool fixedSingle, WindowState state);

// Whether a press of `button` (1 left, 2 right, 4 middle) on the title starts a move.
bool titlePressDrags(int button, WindowState state);

// Whether the borders and grips resize the window.
bool resizeAllowed(bool fixedSingle, WindowState state);

// The pointer shown over a border or grip.
Qt::CursorShape handleCursor(int code, bool allowed);

// Twips per screen pixel at `dpi` dots per inch (15 at 96 dpi).
double twipsPerPixel(double dpi);

// What a release after a drag of (dx, dy) twips does to the window's left, top, width and
// height, in twips.
struct FormMove {
    double left = 0, top = 0, width = 0, height = 0;
};
// None for a code outside 0 to 7.
std::optional<FormMove> resizeMove(int code, double dx, double dy);

// The window geometry in pixels after `move`: the geometry is taken into twips, moved and
// sized in one step, and brought back to pixels. A size below `smallest` stops at it, with
// the edge opposite the dragged one kept in place.
QRect resizedGeometry(QRect geometry, const FormMove& move, double twipsPerPixel, QSize smallest);

} // namespace brightlock::canvas
