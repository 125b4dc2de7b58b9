// The state icons: the program's shield, the same shield greyed for a computer that no UPS
// protects, the battery in use, the low battery and the warning sign. They are drawn on a 48-unit grid with
// outlines about 1/16 of the size, so each still reads as a shape when the tray shrinks it to 16 pixels.
#include "palette.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace palette = brightlock::palette;

namespace art {

namespace {

QLinearGradient verticalGradient(double top, double bottom) {
    return QLinearGradient(QPointF(0, top), QPointF(0, bottom));
}

QPainterPath shieldPath() {
    QPainterPath path;
    path.moveTo(24, 2.5);
    path.cubicTo(30, 6.5, 36, 7.5, 42.5, 7.5);
    path.lineTo(42.5, 21);
    path.cubicTo(42.5, 33.5, 34.5, 41.5, 24, 45.5);
    path.cubicTo(13.5, 41.5, 5.5, 33.5, 5.5, 21);
    path.lineTo(5.5, 7.5);
    path.cubicTo(12, 7.5, 18, 6.5, 24, 2.5);
    path.closeSubpath();
    return path;
}

QPainterPath boltPath() {
    QPainterPath path;
    path.moveTo(26.5, 8);
    path.lineTo(14.5, 27);
    path.lineTo(22.5, 27);
    path.lineTo(19.5, 41);
    path.lineTo(34, 20);
    path.lineTo(26, 20);
    path.lineTo(31.5, 8);
    path.closeSubpath();
    return path;
}

void paintShield(QPainter& p, const QColor& light, const QColor& dark, const QColor& deep) {
    const QPainterPath shield = shieldPath();
    QLinearGradient fill = verticalGradient(3, 45);
    fill.setColorAt(0, light);
    fill.setColorAt(0.45, dark);
    fill.setColorAt(1, deep);
    p.setPen(QPen(deep.darker(130), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shield);

    // A soft gloss over the upper half gives the flat shape some depth.
    p.save();
    p.setClipPath(shield);
    p.setPen(Qt::NoPen);
    QLinearGradient gloss = verticalGradient(2, 26);
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRect(QRectF(0, 0, 48, 26));
    p.restore();
}

void paintMain(QPainter& p) {
    paintShield(p, palette::kBlueLight, palette::kBlueDark, palette::kBlueDeep);
    const QPainterPath bolt = boltPath();
    QLinearGradient green = verticalGradient(8, 41);
    green.setColorAt(0, mix(palette::kMainsBright, Qt::white, 0.35));
    green.setColorAt(0.5, palette::kMainsBright);
    green.setColorAt(1, palette::kMains);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(green);
    p.drawPath(bolt);
}

// The shield in greys with a hollow bolt: nothing flows, nothing guards. It keeps the main
// icon's shape so the user knows the program, and loses its colour so the difference shows
// at a glance even at 16 pixels.
void paintNotProtected(QPainter& p) {
    paintShield(p, palette::kNotProtectedLight, palette::kNotProtected, palette::kNotProtectedDeep);
    p.setPen(QPen(palette::kFaceLight, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(palette::kNotProtectedDeep);
    p.drawPath(boltPath());
}

// An upright battery filled to `level` (0..1) with `colour`; the empty part stays light so
// the icon keeps its outline on dark panels too.
void paintBattery(QPainter& p, double level, const QColor& colour, const QColor& outline) {
    const QRectF body(9.5, 9, 29, 36.5);
    const QRectF nub(17.5, 3.5, 13, 6.5);
    QLinearGradient empty(body.topLeft(), body.topRight());
    empty.setColorAt(0, QColor(250, 250, 248));
    empty.setColorAt(1, QColor(214, 214, 210));
    p.setPen(QPen(outline, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(empty);
    p.drawRoundedRect(nub, 1.5, 1.5);
    p.drawRoundedRect(body, 4, 4);

    const QRectF inside = body.adjusted(3.5, 3.5, -3.5, -3.5);
    const QRectF fill(inside.left(), inside.bottom() - inside.height() * level, inside.width(),
                      inside.height() * level);
    QLinearGradient charge(fill.topLeft(), fill.topRight());
    charge.setColorAt(0, mix(colour, Qt::white, 0.35));
    charge.setColorAt(0.45, colour);
    charge.setColorAt(1, colour.darker(125));
    p.setPen(Qt::NoPen);
    p.setBrush(charge);
    p.drawRoundedRect(fill, 1.5, 1.5);
}

void paintOnBattery(QPainter& p) {
    paintBattery(p, 0.72, palette::kBattery, palette::kBattery.darker(230));
}

void paintLowBattery(QPainter& p) {
    const QColor outline = palette::kLow.darker(170);
    paintBattery(p, 0.2, palette::kLow, outline);
    // An exclamation mark in the empty part says the little that is left will not last.
    p.setPen(QPen(palette::kLow, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 16.5), QPointF(24, 25.5));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kLow);
    p.drawEllipse(QPointF(24, 31.5), 2.2, 2.2);
}

void paintAlarm(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(24, 4.5);
    triangle.lineTo(44.5, 41.5);
    triangle.lineTo(3.5, 41.5);
    triangle.closeSubpath();
    QLinearGradient amber = verticalGradient(4, 42);
    amber.setColorAt(0, palette::kWarningLight);
    amber.setColorAt(1, palette::kWarning);
    const QColor outline = palette::kWarningDeep;
    p.setPen(QPen(outline, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(amber);
    p.drawPath(triangle);

    p.setPen(QPen(palette::kInk, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 17), QPointF(24, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kInk);
    p.drawEllipse(QPointF(24, 35), 2.8, 2.8);
}

} // namespace

QImage stateIcon(StateIcon icon, int size) {
    QImage image = transparentCanvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    switch (icon) {
    case StateIcon::Main:
        paintMain(p);
        break;
    case StateIcon::NotProtected:
        paintNotProtected(p);
        break;
    case StateIcon::OnBattery:
        paintOnBattery(p);
        break;
    case StateIcon::LowBattery:
        paintLowBattery(p);
        break;
    case StateIcon::Alarm:
        paintAlarm(p);
        break;
    }
    return image;
}

} // namespace art
