// Painting helpers shared by the status artwork.
#include "status_paint.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace art {

QImage transparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

namespace {

// One horizontal or vertical pass of a box blur over the alpha of a premultiplied image.
void boxBlurAlpha(QImage& image, int radius, bool horizontal) {
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    std::vector<int> source(length);
    for (int line = 0; line < lines; ++line) {
        auto pixel = [&](int i) -> QRgb* {
            return horizontal ? reinterpret_cast<QRgb*>(image.scanLine(line)) + i
                              : reinterpret_cast<QRgb*>(image.scanLine(i)) + line;
        };
        for (int i = 0; i < length; ++i)
            source[i] = qAlpha(*pixel(i));
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += source[std::clamp(i, 0, length - 1)];
        for (int i = 0; i < length; ++i) {
            const int a = sum / (2 * radius + 1);
            *pixel(i) = qRgba(0, 0, 0, a);
            sum += source[std::min(i + radius + 1, length - 1)] - source[std::max(i - radius, 0)];
        }
    }
}

} // namespace

void softShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int blurRadius, int alpha) {
    const QRectF bounds = shape.boundingRect().translated(offset);
    const int pad = blurRadius * 3 + 2;
    const QRect area = bounds.toAlignedRect().adjusted(-pad, -pad, pad, pad);
    QImage mask = transparentCanvas(area.width(), area.height());
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(offset - QPointF(area.topLeft()));
        p.fillPath(shape, QColor(0, 0, 0, alpha));
    }
    // Three box passes come close to a Gaussian.
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurAlpha(mask, blurRadius, true);
        boxBlurAlpha(mask, blurRadius, false);
    }
    painter.drawImage(area.topLeft(), mask);
}

QFont sansFont(int pixelSize, QFont::Weight weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

bool savePng(const QImage& image, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.save(path, "PNG"))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

} // namespace art
