// Events, access key, hover end and focus cue of the skinned controls.
#include "skinned_control.h"

#include "hover_watch.h"
#include "label_colour.h"
#include "mnemonic.h"
#include "palette.h"
#include "skin_rules.h"
#include "vb_input.h"

#include <QKeyEvent>
#include <QLabel>
#include <QShortcutEvent>

namespace brightlock {

SkinnedControl::SkinnedControl(LookTiming timing, QWidget* parent)
    : QWidget(parent), timing_(timing), lbl_(new QLabel(this)),
      hover_(std::make_unique<HoverWatch>(nullptr, [this](QPoint pos) { hoverTick(pos); })),
      captionColour_(Qt::black) {
    lbl_->setObjectName("lbl");
    lbl_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lbl_->setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    applyCaptionColour();
}

SkinnedControl::~SkinnedControl() = default;

void SkinnedControl::setCaption(const QString& caption) {
    caption_ = caption;
    lbl_->setText(captionWithoutMnemonic(caption));
    placeCaption();
    grabAccessKey();
}

bool SkinnedControl::isHoverTimerActive() const {
    return hover_->isActive();
}

void SkinnedControl::startHoverWatch() {
    hover_->start();
}

void SkinnedControl::setCaptionColour(const QColor& colour) {
    captionColour_ = colour;
    applyCaptionColour();
}

void SkinnedControl::applyCaptionColour() {
    setTextColour(lbl_, isEnabled() ? captionColour_ : palette::kDisabledText);
}

void SkinnedControl::grabAccessKey() {
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    shortcutId_ = key.isEmpty() ? 0 : grabShortcut(key);
}

void SkinnedControl::hoverTick(QPoint globalPos) {
    if (!skin::hoverHasEnded(mapFromGlobal(globalPos), size()))
        return;
    hover_->stop();
    if (timing_ == LookTiming::BeforeEvent)
        showRestingLook();
    emit MouseOut();
    if (timing_ == LookTiming::AfterEvent)
        showRestingLook();
}

bool SkinnedControl::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        if (isEnabled())
            accessKeyClick();
        return true;
    }
    return QWidget::event(event);
}

void SkinnedControl::resizeEvent(QResizeEvent*) {
    placeCaption();
}

void SkinnedControl::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        showRestingLook();
        applyCaptionColour();
        break;
    case QEvent::FontChange:
        placeCaption();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void SkinnedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    if (timing_ == LookTiming::BeforeEvent)
        showPressedLook();
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    if (timing_ == LookTiming::AfterEvent)
        showPressedLook();
}

void SkinnedControl::mouseMoveEvent(QMouseEvent* event) {
    hover_->start();
    const QPointF p = event->position();
    if (!skin::moveIsInside(p.x(), p.y(), size()))
        return;
    const int button = buttonMask(event->buttons());
    emit MouseMove(button, shiftMask(event->modifiers()), p.x(), p.y());
    showMoveLook(button);
}

void SkinnedControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    const bool click = event->button() == Qt::LeftButton && leftPressed_ && rect().contains(p.toPoint());
    if (event->button() == Qt::LeftButton)
        leftPressed_ = false;
    if (click)
        releaseClick();
    else
        showRestingLook();
}

// Keys raise only the key events: no key clicks a skinned control, so a Space or Enter typed
// into another window just as one of ours comes up can never press its button. The access
// key of the caption is the keyboard's way to click. The keys go on to the window.
void SkinnedControl::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    if (const int ascii = keyAscii(*event))
        emit KeyPress(ascii);
    event->ignore();
}

void SkinnedControl::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    event->ignore();
}

void SkinnedControl::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = isKeyboardFocus(event->reason());
    update();
    QWidget::focusInEvent(event);
}

void SkinnedControl::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

} // namespace brightlock
