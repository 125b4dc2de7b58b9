// The lit layers of the power-path diagram: the filled mains and battery paths, the flow
// markers and the battery gauge. Each is a transparent picture laid over the base.
#include "diagram_geometry.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace art {

using namespace diagram;

namespace {

// Distance between two flow markers; the six frames step through one such period.
constexpr double kFlowPeriod = 30;
constexpr int kFlowFrames = 6;
constexpr double kFlowFade = 9; // length over which markers fade at a pipe's ends

// Fills a bore with `colour`, shaded across its width so it reads as a round pipe.
void fillBore(QPainter& p, const QRectF& bore, const QColor& colour) {
    const bool horizontal = bore.width() > bore.height();
    QLinearGradient g = horizontal ? QLinearGradient(bore.topLeft(), bore.bottomLeft())
                                   : QLinearGradient(bore.topLeft(), bore.topRight());
    g.setColorAt(0, mix(colour, Qt::white, 0.45));
    g.setColorAt(0.4, colour);
    g.setColorAt(1, colour.darker(125));
    p.fillRect(bore, g);
}

void paintLamp(QPainter& p, const QColor& colour) {
    QRadialGradient g(kUpsLamp - QPointF(1.2, 1.2), kLampRadius * 1.4);
    g.setColorAt(0, mix(colour, Qt::white, 0.6));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(kUpsLamp, kLampRadius, kLampRadius);
}

// Paints every cell of the gauge, the first `lit` ones in `colour` and the rest empty, so that
// a gauge drawn later covers one drawn before.
void paintGauge(QPainter& p, int lit, const QColor& colour) {
    for (int i = 0; i < kGaugeCells; ++i) {
        if (i < lit)
            fillBore(p, gaugeCell(i), colour);
        else
            p.fillRect(gaugeCell(i), QColor(52, 56, 66));
    }
}

QPainterPath chevron(double tipX, double y) {
    QPainterPath path;
    path.moveTo(tipX - 4.5, y - 4);
    path.lineTo(tipX, y);
    path.lineTo(tipX - 4.5, y + 4);
    return path;
}

} // namespace

QImage mainsPathLayer(const QColor& pipe) {
    QImage image = transparentCanvas(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillBore(p, kMainsBore, pipe);
    fillBore(p, kLoadBore, pipe);
    paintLamp(p, pipe);
    return image;
}

QImage flowLayer(int frame) {
    QImage image = transparentCanvas(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bores;
    bores.addRect(kMainsBore);
    bores.addRect(kLoadBore);
    p.setClipPath(bores);
    p.setPen(QPen(QColor(255, 255, 255, 235), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // The markers run through the UPS as if the pipe went on inside it, so the spacing stays even.
    const double shift = (kFlowFrames - frame) * kFlowPeriod / kFlowFrames;
    for (double x = kMainsBore.left() - kFlowPeriod + shift; x < kLoadBore.right() + kFlowPeriod;
         x += kFlowPeriod)
        p.drawPath(chevron(x, kRowY));

    // Fade the markers out where the pipes enter the devices instead of cutting them off.
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    for (const QRectF& bore : {kMainsBore, kLoadBore}) {
        QLinearGradient fade(bore.topLeft(), bore.topRight());
        const double edge = kFlowFade / bore.width();
        fade.setColorAt(0, Qt::transparent);
        fade.setColorAt(edge, Qt::black);
        fade.setColorAt(1 - edge, Qt::black);
        fade.setColorAt(1, Qt::transparent);
        p.fillRect(bore, fade);
    }
    return image;
}

QImage batteryPathLayer(const QColor& pipe, bool low) {
    QImage image = transparentCanvas(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillBore(p, kBatteryBore, pipe);
    fillBore(p, kLoadBore, pipe);
    paintLamp(p, pipe);
    paintGauge(p, low ? 1 : 3, pipe);
    return image;
}

} // namespace art
