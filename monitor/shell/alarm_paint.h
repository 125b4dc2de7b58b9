// Painting of the alarm window: its left-to-right gradient and the progress bar cut from
// the 36 x 19 bar skin (trough caps, stretched middle, green chunk).
#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <cstdint>

namespace brightlock {

// A colour as the settings and the alarm window keep it: red + 256 x green + 65536 x blue.
constexpr uint32_t vbRgb(int r, int g, int b) {
    return uint32_t(r) + 256u * uint32_t(g) + 65536u * uint32_t(b);
}

inline constexpr uint32_t kAlarmBackground = vbRgb(207, 207, 207);
inline constexpr uint32_t kGradientLeft = vbRgb(131, 166, 244);
inline constexpr uint32_t kGradientRight = vbRgb(33, 120, 224);

// The colour of column x of a gradient over scaleWidth pixels: each channel steps
// evenly from left (x = 0) to exactly right (x = scaleWidth), rounded halves to even.
QColor gradientColour(uint32_t left, uint32_t right, int scaleWidth, int x);

// One vertical line per column, x = 0 to scaleWidth inclusive.
void DrawGradient(QPainter& p, int scaleWidth, int scaleHeight, uint32_t left, uint32_t right);

// The trough: left cap, middle stretched to width - 9, right cap. It covers every
// chunk painted before, so it also empties the bar.
void DrawBarFrame(QPainter& p, const QPixmap& skin, int width);

// One chunk at (x, 4).
void DrawBarChunk(QPainter& p, const QPixmap& skin, int x);

} // namespace brightlock
