// Confirmation dialog; see frm_question.h.
#include "frm_question.h"

#include "xpcmdbutton.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace brightlock {

FrmQuestion::FrmQuestion(QuestionModes& modes) : QWidget(nullptr, Qt::Dialog), modes_(modes) {
    setObjectName(QStringLiteral("FrmQuestion"));
    setWindowTitle(QStringLiteral("System Information"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/alarm.png")));
    setFixedSize(330, 128);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(207, 207, 207));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/alarm.png"))
                        .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setGeometry(20, 22, 32, 32);

    auto* label = new QLabel(modes.questionText(), this); // chosen once, at load
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(64, 22, 250, 32);

    auto* yes = new xpcmdbutton(QStringLiteral("YES"), this);
    yes->setObjectName(QStringLiteral("xpcmdbutton1"));
    yes->setGeometry(88, 80, 73, 25);
    auto* no = new xpcmdbutton(QStringLiteral("NO"), this);
    no->setObjectName(QStringLiteral("xpcmdbutton2"));
    no->setGeometry(176, 80, 73, 25);
    connect(yes, &xpcmdbutton::Click, this, [this] {
        answered_ = true;
        modes_.Yes();
    });
    connect(no, &xpcmdbutton::Click, this, [this] {
        answered_ = true;
        modes_.No();
    });

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FrmQuestion::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!answered_) {
        answered_ = true;
        modes_.No();
    }
}

} // namespace brightlock
