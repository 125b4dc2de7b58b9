// Painting helpers shared by the status diagram, the state icons and the splash: canvases,
// soft shadows, the label font and saving.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>

class QPainter;

namespace art {

// A fully transparent ARGB canvas.
QImage transparentCanvas(int width, int height);

// Paints a blurred copy of `shape`, moved by `offset`, in black at `alpha`: the soft shadow
// that lifts the pictures off the window face.
void softShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int blurRadius, int alpha);

// A sans-serif font in pixels, so the pictures look the same whatever the screen's DPI.
QFont sansFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// Blends two colours: 0 gives `a`, 1 gives `b`.
QColor mix(const QColor& a, const QColor& b, double t);

// Writes `image` as a PNG under `folder`, creating sub-folders; false and a message on failure.
bool savePng(const QImage& image, const QString& folder, const QString& name);

} // namespace art
