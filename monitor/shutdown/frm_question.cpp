// Confirmation dialog; see frm_question.h.
#include "frm_question.h"

#include "resource_paths.h"
#include "skin_pictures.h"
#include "window_placement.h"
#include "xp_canvas.h"
#include "xpcmdbutton.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace brightlock {

FrmQuestion::FrmQuestion(QuestionModes& modes)
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint), modes_(modes) {
    setObjectName(QStringLiteral("FrmQuestion"));
    // Shown without taking the keyboard from the window the user types in; a click on it
    // activates it as any window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("System Information"));
    setWindowIcon(QIcon(QString::fromLatin1(res::kIconMain)));
    setFixedSize(kWidth, kHeight);

    // A fixed frame: the dialog moves by its title but keeps its size.
    auto* frame = new xp_canvas(this);
    frame->setObjectName(QStringLiteral("xp_canvas1"));
    frame->setCaption(QStringLiteral("System Information"));
    frame->setIcon(skin::picture(res::kIconMain));
    frame->setFixed_Single(true);

    // The message and the buttons sit in the frame's client area, below the 29 px title.
    auto* sign = new QLabel(frame);
    sign->setPixmap(
        skin::picture(res::kIconAlarm).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    sign->setGeometry(25, 51, 32, 32);

    auto* label = new QLabel(modes.questionText(), frame); // chosen once, at load
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(69, 51, 250, 32);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);

    auto* yes = new xpcmdbutton(QStringLiteral("YES"), frame);
    yes->setObjectName(QStringLiteral("xpcmdbutton1"));
    yes->setGeometry(93, 109, 73, 25);
    auto* no = new xpcmdbutton(QStringLiteral("NO"), frame);
    no->setObjectName(QStringLiteral("xpcmdbutton2"));
    no->setGeometry(181, 109, 73, 25);
    connect(yes, &xpcmdbutton::Click, this, [this] {
        answered_ = true;
        modes_.Yes();
    });
    connect(no, &xpcmdbutton::Click, this, [this] {
        answered_ = true;
        modes_.No();
    });

    frame->make_trans();
    centreOnPrimaryScreen(this);
}

void FrmQuestion::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!answered_) {
        answered_ = true;
        modes_.No();
    }
}

void FrmQuestion::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat())
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace brightlock
