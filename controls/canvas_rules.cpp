// Geometry, window-state rules and the resize table of the skinned window frame.
#include "canvas_rules.h"

#include <cmath>

namespace brightlock::canvas {

Layout canvasLayout(QSize size) {
    const int w = size.width(), h = size.height();
    const int sideHeight = h - kTitleHeight - kBorderWidth;
    Layout l;
    l.top = {0, 0, w, kTitleHeight};
    l.bottom = {0, h - kBorderWidth, w, kBorderWidth};
    l.left = {0, kTitleHeight, kBorderWidth, sideHeight};
    l.right = {w - kBorderWidth, kTitleHeight, kBorderWidth, sideHeight};
    const QSize grip(kGripSize, kGripSize);
    l.grips[TopGrip] = {kGripSize, 0, w - 2 * kGripSize, kTopGripHeight};
    l.grips[TopRightGrip] = {QPoint(w - kGripSize, 0), grip};
    l.grips[TopLeftGrip] = {QPoint(0, 0), grip};
    // The bottom corner grips reach up out of the 5 px border by 4 px, into the side borders.
    l.grips[BottomRightGrip] = {QPoint(w - kGripSize, h - kGripSize), grip};
    l.grips[BottomLeftGrip] = {QPoint(0, h - kGripSize), grip};
    return l;
}

std::vector<Slice> titleSlices(QSize picture, int barWidth) {
    const int end = kTitleEndWidth, pw = picture.width(), h = picture.height();
    const Slice all[] = {
        {{0, 0, end, h}, {0, 0, end, h}},
        {{end, 0, barWidth - 2 * end, h}, {end, 0, pw - 2 * end, h}},
        {{barWidth - end, 0, end, h}, {pw - end, 0, end, h}},
    };
    std::vector<Slice> slices;
    for (const Slice& s : all)
        if (s.target.width() > 0 && s.source.width() > 0 && h > 0)
            slices.push_back(s);
    return slices;
}

WindowState windowStateOf(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowState::Maximized;
    return WindowState::Normal;
}

std::optional<WindowState> stateAfterDoubleClick(bool fixedSingle, WindowState state) {
    if (fixedSingle)
        return std::nullopt;
    return state == WindowState::Normal ? WindowState::Maximized : WindowState::Normal;
}

bool titlePressDrags(int button, WindowState state) {
    return button == 1 && state == WindowState::Normal;
}

bool resizeAllowed(bool fixedSingle, WindowState state) {
    return !fixedSingle && state == WindowState::Normal;
}

Qt::CursorShape handleCursor(int code, bool allowed) {
    if (!allowed)
        return Qt::ArrowCursor;
    switch (code) {
    case LeftBorder:
    case RightBorder:
        return Qt::SizeHorCursor;
    case TopGrip:
    case BottomBorder:
        return Qt::SizeVerCursor;
    case BottomRightGrip:
    case TopLeftGrip:
        return Qt::SizeFDiagCursor;
    case BottomLeftGrip:
    case TopRightGrip:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

double twipsPerPixel(double dpi) {
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

std::optional<FormMove> resizeMove(int code, double dx, double dy) {
    switch (code) {
    case LeftBorder:
        return FormMove{dx, 0, -dx, 0};
    case RightBorder:
        return FormMove{0, 0, dx, 0};
    case TopGrip:
        return FormMove{0, dy, 0, -dy};
    case BottomBorder:
        return FormMove{0, 0, 0, dy};
    case BottomRightGrip:
        return FormMove{0, 0, dx, dy};
    case BottomLeftGrip:
        return FormMove{dx, 0, -dx, dy};
    case TopRightGrip:
        return FormMove{0, dy, dx, -dy};
    case TopLeftGrip:
        return FormMove{dx, dy, -dx, -dy};
    default:
        return std::nullopt;
    }
}

QRect resizedGeometry(QRect geometry, const FormMove& move, double twipsPerPixel, QSize smallest) {
    const double t = twipsPerPixel;
    auto pixels = [t](double twips) { return int(std::lround(twips / t)); };
    int left = pixels(geometry.x() * t + move.left);
    int top = pixels(geometry.y() * t + move.top);
    int width = pixels(geometry.width() * t + move.width);
    int height = pixels(geometry.height() * t + move.height);
    // A window dragged past its opposite edge would get no size at all and could not be
    // reached again; it stops at the smallest size instead.
    if (width < smallest.width()) {
        if (move.left != 0)
            left += width - smallest.width();
        width = smallest.width();
    }
    if (height < smallest.height()) {
        if (move.top != 0)
            top += height - smallest.height();
        height = smallest.height();
    }
    return {left, top, width, height};
}

} // namespace brightlock::canvas
