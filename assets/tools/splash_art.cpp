// The start-up picture: the program's shield on the chrome's blue, its name, and a lit pipe
// with flow markers as on the Status page.
#include "palette.h"
#include "status_paint.h"
#include "status_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace palette = brightlock::palette;

namespace art {

namespace {

constexpr int kWidth = 341;
constexpr int kHeight = 204;
// The splash window is 339 x 203, so the last columns and row of the picture are never seen.
const QRect kVisible(0, 0, 339, 203);

void paintBackground(QPainter& p) {
    p.fillRect(QRect(0, 0, kWidth, kHeight), palette::kBlueDeep);
    QLinearGradient sky(kVisible.topLeft(), kVisible.bottomRight());
    sky.setColorAt(0, palette::kBlueDark.lighter(112));
    sky.setColorAt(0.6, palette::kBlueDark.darker(118));
    sky.setColorAt(1, palette::kBlueDeep);
    p.fillRect(kVisible, sky);

    QRadialGradient bloom(QPointF(78, 86), 110);
    bloom.setColorAt(0, QColor(255, 255, 255, 70));
    bloom.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(kVisible, bloom);
}

void paintPipe(QPainter& p) {
    const QRectF bore(0, 168, kVisible.width(), 8);
    p.fillRect(bore.adjusted(0, -3, 0, 3), QColor(10, 36, 86, 150));
    QLinearGradient g(bore.topLeft(), bore.bottomLeft());
    g.setColorAt(0, mix(palette::kMainsBright, Qt::white, 0.45));
    g.setColorAt(0.4, palette::kMainsBright);
    g.setColorAt(1, palette::kMainsBright.darker(125));
    p.fillRect(bore, g);
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double y = bore.center().y();
    for (double x = 14; x < bore.right(); x += 24) {
        QPainterPath chevron;
        chevron.moveTo(x - 3, y - 2.5);
        chevron.lineTo(x, y);
        chevron.lineTo(x - 3, y + 2.5);
        p.drawPath(chevron);
    }
}

void paintIcon(QPainter& p) {
    const int size = 112;
    const QImage icon = stateIcon(StateIcon::Main, size);
    const QPointF at(22, 28);
    QPainterPath bounds;
    bounds.addEllipse(QRectF(at + QPointF(18, 20), QSizeF(size - 36, size - 30)));
    softShadow(p, bounds, QPointF(0, 6), 6, 160);
    p.drawImage(at, icon);
}

void paintTitle(QPainter& p) {
    const QRectF name(146, 54, 186, 44);
    p.setFont(sansFont(30, QFont::Bold));
    p.setPen(QColor(0, 20, 60, 110));
    p.drawText(name.translated(0, 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Brightlock"));
    p.setPen(Qt::white);
    p.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Brightlock"));

    p.setFont(sansFont(16));
    p.setPen(QColor(225, 236, 255));
    p.drawText(QRectF(148, 100, 184, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("UPS Monitor"));
}

void paintFrame(QPainter& p) {
    p.setPen(QPen(palette::kBlueDeep.darker(140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kVisible).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(1.5, 1.5), QPointF(kVisible.right() - 1, 1.5));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, kVisible.bottom() - 1));
}

} // namespace

QImage splash() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintBackground(p);
    paintPipe(p);
    paintIcon(p);
    paintTitle(p);
    paintFrame(p);
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace art
