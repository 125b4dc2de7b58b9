// The base picture of the power-path diagram: a light panel with the mains socket, the UPS,
// its battery and the computer, joined by empty pipes.
#include "diagram_geometry.h"
#include "palette.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace palette = brightlock::palette;

namespace art {

using namespace diagram;

namespace {

QPainterPath rounded(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void paintPanel(QPainter& p) {
    p.fillRect(QRect(0, 0, kWidth, kHeight), palette::kFace);
    const QRectF panel(3.5, 3.5, kWidth - 7, kHeight - 7);
    p.setPen(QPen(palette::kFaceShadow.lighter(118), 1));
    p.setBrush(vertical(panel, QColor(224, 224, 222), QColor(213, 213, 211)));
    p.drawRoundedRect(panel, 12, 12);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), 11, 11);
}

// An empty channel: a darker rim around a recessed bore whose upper (or left) edge is shaded.
void paintChannel(QPainter& p, const QRectF& bore, bool horizontal) {
    const double rim = (kChannelWidth - kBoreWidth) / 2;
    const QRectF outer = horizontal ? bore.adjusted(-kCollar, -rim, kCollar, rim)
                                    : bore.adjusted(-rim, -kCollar, rim, kCollar);
    p.fillRect(outer, QColor(166, 166, 162));
    const QRectF inner = horizontal ? outer.adjusted(0, 1, 0, -1) : outer.adjusted(1, 0, -1, 0);
    p.fillRect(inner, QColor(178, 178, 175));
    QLinearGradient g = horizontal ? QLinearGradient(bore.topLeft(), bore.bottomLeft())
                                   : QLinearGradient(bore.topLeft(), bore.topRight());
    g.setColorAt(0, QColor(150, 150, 147));
    g.setColorAt(0.35, QColor(190, 190, 187));
    g.setColorAt(1, QColor(198, 198, 195));
    const QRectF groove = horizontal ? QRectF(outer.left(), bore.top(), outer.width(), bore.height())
                                     : QRectF(bore.left(), outer.top(), bore.width(), outer.height());
    p.fillRect(groove, g);
}

// A metal fitting where a pipe enters a device.
void paintCollar(QPainter& p, const QRectF& rect, bool horizontal) {
    QLinearGradient g = horizontal ? QLinearGradient(rect.topLeft(), rect.bottomLeft())
                                   : QLinearGradient(rect.topLeft(), rect.topRight());
    g.setColorAt(0, QColor(236, 236, 234));
    g.setColorAt(0.5, QColor(196, 196, 194));
    g.setColorAt(1, QColor(150, 150, 148));
    p.setPen(QPen(QColor(120, 120, 118), 1));
    p.setBrush(g);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
}

void paintPipes(QPainter& p) {
    paintChannel(p, kMainsBore, true);
    paintChannel(p, kLoadBore, true);
    paintChannel(p, kBatteryBore, false);
}

void paintCollars(QPainter& p) {
    const double h = kChannelWidth + 4;
    const double top = kRowY - h / 2;
    paintCollar(p, QRectF(kMainsBore.left() - kCollar, top, kCollar, h), true);
    paintCollar(p, QRectF(kMainsBore.right(), top, kCollar, h), true);
    paintCollar(p, QRectF(kLoadBore.left() - kCollar, top, kCollar, h), true);
    paintCollar(p, QRectF(kLoadBore.right(), top, kCollar, h), true);
    const double left = kBatteryPipeX - h / 2;
    paintCollar(p, QRectF(left, kBatteryBore.top() - kCollar, h, kCollar), false);
    paintCollar(p, QRectF(left, kBatteryBore.bottom(), h, kCollar), false);
}

void paintSocket(QPainter& p) {
    const QPainterPath plate = rounded(kSocket, 11);
    softShadow(p, plate, QPointF(0, 2), 3, 90);
    p.setPen(QPen(QColor(150, 150, 146), 1));
    p.setBrush(vertical(kSocket, QColor(252, 252, 250), QColor(226, 226, 222)));
    p.drawPath(plate.translated(0.5, 0.5));

    const QPointF c = kSocket.center();
    const double r = 19;
    QLinearGradient recess(c - QPointF(0, r), c + QPointF(0, r));
    recess.setColorAt(0, QColor(196, 196, 192));
    recess.setColorAt(1, QColor(240, 240, 236));
    p.setPen(QPen(QColor(170, 170, 166), 1));
    p.setBrush(recess);
    p.drawEllipse(c, r, r);
    // Earth clips at the top and bottom of the recess.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(168, 168, 164));
    p.drawRoundedRect(QRectF(c.x() - 4, c.y() - r + 1, 8, 4), 1, 1);
    p.drawRoundedRect(QRectF(c.x() - 4, c.y() + r - 5, 8, 4), 1, 1);
    for (double dx : {-8.5, 8.5}) {
        QRadialGradient hole(c + QPointF(dx, -1), 4);
        hole.setColorAt(0, QColor(20, 22, 26));
        hole.setColorAt(1, QColor(70, 72, 78));
        p.setBrush(hole);
        p.drawEllipse(c + QPointF(dx, 0), 3.6, 3.6);
    }
}

// The dark box shared by the UPS and its battery.
void paintDarkBox(QPainter& p, const QRectF& rect, double radius) {
    const QPainterPath box = rounded(rect, radius);
    softShadow(p, box, QPointF(0, 3), 3, 110);
    p.setPen(QPen(palette::kInk, 1));
    p.setBrush(vertical(rect, QColor(82, 90, 106), QColor(40, 45, 55)));
    p.drawPath(box.translated(0.5, 0.5));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect.adjusted(1.5, 1.5, -0.5, -0.5), radius - 1, radius - 1);
}

void paintUps(QPainter& p) {
    paintDarkBox(p, kUps, 7);
    p.setPen(Qt::white);
    p.setFont(sansFont(13, QFont::Bold));
    p.drawText(QRectF(kUps.left(), kUps.top() + 8, kUps.width(), 16), Qt::AlignCenter, QStringLiteral("UPS"));

    const QRectF lcd(kUps.left() + 11, kUps.top() + 30, kUps.width() - 22, 18);
    p.setPen(QPen(QColor(20, 24, 30), 1));
    p.setBrush(vertical(lcd, QColor(60, 84, 110), QColor(36, 52, 72)));
    p.drawRoundedRect(lcd.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setPen(QPen(QColor(140, 180, 220, 110), 1));
    p.drawLine(QPointF(lcd.left() + 5, lcd.center().y() - 2.5),
               QPointF(lcd.right() - 12, lcd.center().y() - 2.5));
    p.drawLine(QPointF(lcd.left() + 5, lcd.center().y() + 2.5),
               QPointF(lcd.right() - 20, lcd.center().y() + 2.5));

    p.setPen(QPen(QColor(20, 24, 30), 1.5));
    for (int i = 0; i < 3; ++i) {
        const double y = lcd.bottom() + 9.5 + i * 4;
        p.drawLine(QPointF(kUps.left() + 14, y), QPointF(kUps.right() - 14, y));
    }

    // The power button and the status lamp, which the lit layers colour.
    const QPointF button(kUps.left() + 14, kUpsLamp.y());
    p.setPen(QPen(QColor(150, 156, 166), 1.5));
    p.setBrush(QColor(56, 62, 74));
    p.drawEllipse(button, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(72, 78, 88));
    p.drawEllipse(kUpsLamp, kLampRadius + 1.5, kLampRadius + 1.5);
    p.setBrush(QColor(104, 110, 120));
    p.drawEllipse(kUpsLamp, kLampRadius, kLampRadius);
}

void paintBattery(QPainter& p) {
    p.setPen(QPen(palette::kInk, 1));
    for (double x : {kBattery.left() + 10, kBattery.right() - 24}) {
        const QRectF post(x, kBattery.top() - 6, 14, 8);
        QLinearGradient metal(post.topLeft(), post.topRight());
        metal.setColorAt(0, QColor(160, 160, 158));
        metal.setColorAt(0.4, QColor(236, 236, 234));
        metal.setColorAt(1, QColor(140, 140, 138));
        p.setBrush(metal);
        p.drawRoundedRect(post.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    paintDarkBox(p, kBattery, 5);

    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    const double signY = kBattery.top() + 7;
    const double plusX = kBattery.left() + 17;
    p.drawLine(QPointF(plusX - 3, signY), QPointF(plusX + 3, signY));
    p.drawLine(QPointF(plusX, signY - 3), QPointF(plusX, signY + 3));
    const double minusX = kBattery.right() - 17;
    p.drawLine(QPointF(minusX - 3, signY), QPointF(minusX + 3, signY));

    p.setPen(QPen(QColor(18, 20, 24), 1));
    p.setBrush(QColor(28, 31, 38));
    p.drawRoundedRect(kBatteryGauge.adjusted(-2.5, -2.5, 2.5, 2.5), 2, 2);
    for (int i = 0; i < kGaugeCells; ++i)
        p.fillRect(gaugeCell(i), QColor(88, 94, 106));
}

void paintComputer(QPainter& p) {
    const QPainterPath tower = rounded(kTower, 4);
    softShadow(p, tower, QPointF(0, 3), 3, 100);
    p.setPen(QPen(QColor(120, 122, 126), 1));
    p.setBrush(vertical(kTower, QColor(246, 246, 244), QColor(196, 198, 200)));
    p.drawPath(tower.translated(0.5, 0.5));
    p.setPen(QPen(QColor(150, 152, 156), 1));
    for (int i = 0; i < 2; ++i) {
        const double y = kTower.top() + 12.5 + i * 7;
        p.drawLine(QPointF(kTower.left() + 6, y), QPointF(kTower.right() - 6, y));
    }
    const QPointF power(kTower.center().x(), kTower.bottom() - 16);
    p.setPen(QPen(QColor(120, 122, 126), 1.2));
    p.setBrush(QColor(226, 228, 230));
    p.drawEllipse(power, 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kBlueDark);
    p.drawEllipse(power, 1.8, 1.8);

    // Monitor: stand first, then the bezel and the screen.
    const double cx = kScreen.center().x();
    const QRectF neck(cx - 4, kScreen.bottom(), 8, 12);
    const QRectF foot(cx - 15, neck.bottom() - 1, 30, 5);
    p.setPen(QPen(QColor(120, 122, 126), 1));
    p.setBrush(vertical(neck, QColor(210, 212, 214), QColor(170, 172, 176)));
    p.drawRect(neck.adjusted(0.5, 0, -0.5, 0));
    const QPainterPath footPath = rounded(foot, 2);
    softShadow(p, footPath, QPointF(0, 2), 2, 90);
    p.setBrush(vertical(foot, QColor(236, 236, 236), QColor(180, 182, 186)));
    p.drawPath(footPath.translated(0.5, 0.5));

    const QPainterPath bezel = rounded(kScreen, 4);
    softShadow(p, bezel, QPointF(0, 3), 3, 100);
    p.setPen(QPen(palette::kInk, 1));
    p.setBrush(vertical(kScreen, QColor(70, 76, 88), QColor(38, 42, 50)));
    p.drawPath(bezel.translated(0.5, 0.5));
    const QRectF glass = kScreen.adjusted(4, 4, -4, -4);
    QLinearGradient sky(glass.topLeft(), glass.bottomRight());
    sky.setColorAt(0, palette::kBlueLight);
    sky.setColorAt(0.55, palette::kBlueDark);
    sky.setColorAt(1, palette::kBlueDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(glass);
    QPainterPath glare;
    glare.moveTo(glass.topLeft());
    glare.lineTo(glass.left() + glass.width() * 0.62, glass.top());
    glare.lineTo(glass.left() + glass.width() * 0.28, glass.bottom());
    glare.lineTo(glass.bottomLeft());
    glare.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 34));
    p.drawPath(glare);
}

void paintLabel(QPainter& p, const QRectF& box, const QString& text, Qt::Alignment align) {
    p.setFont(sansFont(11, QFont::DemiBold));
    p.setPen(QColor(255, 255, 255, 170));
    p.drawText(box.translated(0, 1), align, text);
    p.setPen(palette::kInk.lighter(135));
    p.drawText(box, align, text);
}

void paintLabels(QPainter& p) {
    // Mains and Computer share one line, under the socket and under the monitor's foot.
    const double top = kSocket.bottom() + 6;
    paintLabel(p, QRectF(kSocket.left() - 20, top, kSocket.width() + 40, 14), QStringLiteral("Mains"),
               Qt::AlignHCenter | Qt::AlignTop);
    paintLabel(p, QRectF(kScreen.left() - 10, top, kScreen.width() + 20, 14), QStringLiteral("Computer"),
               Qt::AlignHCenter | Qt::AlignTop);
    paintLabel(p, QRectF(kBattery.right() + 12, kBattery.top(), 80, kBattery.height()),
               QStringLiteral("Battery"), Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

QImage diagramBase() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintPanel(p);
    paintPipes(p);
    paintSocket(p);
    paintUps(p);
    paintBattery(p);
    paintComputer(p);
    paintCollars(p);
    paintLabels(p);
    return image;
}

} // namespace art
