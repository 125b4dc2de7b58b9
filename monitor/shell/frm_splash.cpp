// Splash window; see frm_splash.h.
#include "frm_splash.h"

#include "resource_paths.h"
#include "window_placement.h"
#include <QPainter>

namespace brightlock {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      picture_(QString::fromLatin1(res::kSplash)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Brightlock"));
    setFixedSize(kWidth, kHeight);
    centreOnPrimaryScreen(this);
    Timer1.setInterval(kHandOverMs);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1Tick);
    Timer1.start();
}

void frmSplash::Timer1Tick() {
    Timer1.stop();
    close();
    deleteLater();
    emit handOver();
}

void frmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!picture_.isNull()) {
        p.drawPixmap(0, 0, picture_);
        return;
    }
    p.fillRect(rect(), QColor(33, 120, 224));
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Brightlock"));
}

} // namespace brightlock
