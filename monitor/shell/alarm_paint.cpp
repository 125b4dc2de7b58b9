// Alarm window painting; see alarm_paint.h.
#include "alarm_paint.h"

#include <cmath>
#include <cstdlib>

namespace brightlock {
namespace {

int channel(uint32_t colour, int shift) {
    return int((colour >> shift) & 0xFF);
}

} // namespace

QColor gradientColour(uint32_t left, uint32_t right, int scaleWidth, int x) {
    int rgb[3];
    for (int k = 0; k < 3; ++k) {
        const int l = channel(left, 8 * k);
        const int r = channel(right, 8 * k);
        double step = scaleWidth > 0 ? std::abs(r - l) / double(scaleWidth) : 0.0;
        if (r < l)
            step = -step;
        rgb[k] = int(std::nearbyint(l + step * x));
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

void DrawGradient(QPainter& p, int scaleWidth, int scaleHeight, uint32_t left, uint32_t right) {
    for (int x = 0; x <= scaleWidth; ++x) {
        p.setPen(gradientColour(left, right, scaleWidth, x));
        p.drawLine(x, 0, x, scaleHeight);
    }
}

void DrawBarFrame(QPainter& p, const QPixmap& skin, int width) {
    p.drawPixmap(QRect(0, 0, 4, 19), skin, QRect(0, 0, 4, 19));
    if (width - 9 > 0)
        p.drawPixmap(QRect(4, 0, width - 9, 19), skin, QRect(4, 0, 10, 19));
    p.drawPixmap(QRect(width - 5, 0, 5, 19), skin, QRect(14, 0, 5, 19));
}

void DrawBarChunk(QPainter& p, const QPixmap& skin, int x) {
    p.drawPixmap(QRect(x, 4, 8, 12), skin, QRect(23, 5, 8, 12));
}

} // namespace brightlock
