// Alarm window; see frm_alarm.h.
#include "frm_alarm.h"

#include "alarm_paint.h"
#include "form_skin.h"
#include "resource_paths.h"
#include "skin_label.h"
#include "window_placement.h"
#include "xpcmdbutton.h"

#include <QLabel>
#include <QPainter>

namespace brightlock {

AlarmBar::AlarmBar(QWidget* parent)
    : QWidget(parent), skin_(QString::fromLatin1(res::kSkinProgress)),
      picture_(415, 19, QImage::Format_ARGB32_Premultiplied) {
    setObjectName(QStringLiteral("picpgb2"));
    setGeometry(120, 72, 415, 19);
    picture_.fill(Qt::transparent);
}

void AlarmBar::reset() {
    picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    QPainter p(&picture_);
    DrawBarFrame(p, skin_, width());
    update();
}

void AlarmBar::chunk(int x) {
    QPainter p(&picture_);
    DrawBarChunk(p, skin_, x);
    update();
}

void AlarmBar::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, picture_);
}

frmAlarm::frmAlarm(Monitor& monitor, std::function<void()> startShutdown)
    : sequence_(monitor, *this, std::move(startShutdown)) {
    setObjectName(QStringLiteral("frmAlarm"));
    // The alarm comes up while the user works in another window: it must not take the
    // keyboard from there, or the next keys typed would land in this window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setTitle(QStringLiteral("Alarm Message"));
    setFixedSize(kWidth, kHeight);
    setWindowIcon(QIcon(QString::fromLatin1(res::kIconAlarm)));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(207, 207, 207));
    setPalette(pal);
    if (auto* help = skinImage(QStringLiteral("imgTitleHelp")))
        help->show(); // decoration only on this window, as are minimize and close

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setPixmap(QPixmap(QString::fromLatin1(res::kIconAlarm48)));
    icon->setGeometry(28, 58, 48, 48);

    auto* text =
        new QLabel(QStringLiteral("Please save all files , System will shutdown after five seconds"), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setGeometry(96, 40, 440, 16);
    text->setStyleSheet(QStringLiteral("color: white;"));

    bar_ = new AlarmBar(this);

    auto* shutdown = new xpcmdbutton(QStringLiteral("Shutdown"), this);
    shutdown->setObjectName(QStringLiteral("xpcmdbutton1"));
    shutdown->setGeometry(376, 104, 73, 25);
    connect(shutdown, &xpcmdbutton::Click, &sequence_, &AlarmSequence::ShutdownClick);

    auto* cancel = new xpcmdbutton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("xpcmdbutton2"));
    cancel->setGeometry(464, 104, 73, 25);
    connect(cancel, &xpcmdbutton::Click, &sequence_, &AlarmSequence::CancelClick);

    // The load: skin and shape, topmost, then the sequence's own steps.
    brightlock::LayoutFormSkin(this);
    SetTopMost(this, -1);
    centreOnPrimaryScreen(this);
    sequence_.Load();
}

void frmAlarm::resetDisplay() {
    update(); // the gradient is repainted with the window
    bar_->reset();
}

void frmAlarm::paintChunk(int x) {
    bar_->chunk(x);
}

int frmAlarm::barWidth() const {
    return bar_->width();
}

void frmAlarm::showWindow() {
    show();
    raise();
}

void frmAlarm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawGradient(p, width(), height(), kGradientLeft, kGradientRight);
}

AlarmHost::AlarmHost(std::function<void()> startShutdown) : startShutdown_(std::move(startShutdown)) {
    host_.setFactory([this]() -> frmAlarm* {
        if (!monitor_)
            return nullptr;
        auto* window = new frmAlarm(*monitor_, startShutdown_);
        connect(window, &frmAlarm::unloadRequested, this, &AlarmHost::unloadAlarm);
        return window;
    });
}

void AlarmHost::showAlarm() {
    host_.show();
}

void AlarmHost::unloadAlarm() {
    // Its timers stop at once: the window is deleted only when its own tick has returned.
    stopTimers();
    host_.unload();
}

void AlarmHost::hideAlarm() {
    stopTimers();
    if (frmAlarm* w = host_.form())
        w->hide();
}

void AlarmHost::stopTimers() {
    if (frmAlarm* w = host_.form()) {
        w->sequence().Timer1.stop();
        w->sequence().Timer2.stop();
        w->sequence().Timer3.stop();
    }
}

} // namespace brightlock
