// Shared behaviour of the skinned check box and radio button.
#include "glyph_control.h"

#include "hover_watch.h"
#include "mnemonic.h"
#include "ole_color.h"
#include "palette.h"
#include "skin_rules.h"
#include "vb_input.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QShortcutEvent>

namespace brightlock {

using skin::GlyphLook;

GlyphControl::GlyphControl(QWidget* parent)
    : QWidget(parent), m_p(new QLabel(this)), m_lbl(new QLabel(this)),
      m_hover(std::make_unique<HoverWatch>(nullptr, [this](QPoint pos) { hoverTick(pos); })),
      m_backColor(kSystemButtonFace) {
    m_p->setObjectName("p");
    m_p->setAlignment(Qt::AlignCenter);
    m_p->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lbl->setObjectName("lbl");
    m_lbl->setTextFormat(Qt::PlainText);
    m_lbl->setAttribute(Qt::WA_TransparentForMouseEvents);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(120, 17);
    applyCaptionColour();
    layoutParts();
    // Running from the start: the first tick with the pointer elsewhere settles the look.
    m_hover->start();
}

GlyphControl::~GlyphControl() = default;

void GlyphControl::setCaption(const QString& caption) {
    m_caption = caption;
    m_lbl->setText(captionWithoutMnemonic(caption));
    layoutParts();
    grabAccessKey();
}

void GlyphControl::setBackColor(quint32 colour) {
    m_backColor = colour;
    update();
}

void GlyphControl::setForeColor(quint32 colour) {
    m_foreColor = colour;
    applyCaptionColour();
}

bool GlyphControl::isHoverTimerActive() const {
    return m_hover->isActive();
}

QSize GlyphControl::sizeHint() const {
    const QSize text = m_lbl->sizeHint();
    return {skin::kCaptionLeft + text.width() + 2, qMax(17, text.height() + 2)};
}

void GlyphControl::drawLook(int look) {
    const std::optional<int> index = glyphFor(look);
    if (!index)
        return;
    m_glyph = *index;
    m_p->setPixmap(glyphPicture(*index));
}

void GlyphControl::drawNormal() {
    drawLook(int(isEnabled() ? GlyphLook::Normal : GlyphLook::Disabled));
}

void GlyphControl::hoverTick(QPoint globalPos) {
    if (!skin::hoverHasEnded(mapFromGlobal(globalPos), size()))
        return;
    drawNormal();
    m_hover->stop();
    emit MouseOut();
}

void GlyphControl::layoutParts() {
    m_lbl->adjustSize();
    const skin::GlyphLayout layout = skin::glyphLayout(size(), m_lbl->size());
    m_p->setGeometry(layout.glyph);
    m_lbl->move(layout.caption);
}

void GlyphControl::applyCaptionColour() {
    const QColor colour = isEnabled() ? fromOleColor(m_foreColor) : palette::kDisabledText;
    QPalette pal = m_lbl->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, colour);
    m_lbl->setPalette(pal);
}

void GlyphControl::grabAccessKey() {
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    m_shortcutId = key.isEmpty() ? 0 : grabShortcut(key);
}

bool GlyphControl::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        if (isEnabled()) {
            setFocus(Qt::ShortcutFocusReason);
            clickControl();
        }
        return true;
    }
    return QWidget::event(event);
}

void GlyphControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fromOleColor(m_backColor));
    if (hasFocus() && m_keyboardFocus) {
        painter.setPen(QPen(palette::kInk, 1, Qt::DotLine));
        painter.drawRect(m_lbl->geometry().adjusted(-2, -1, 1, 0));
    }
}

void GlyphControl::resizeEvent(QResizeEvent*) {
    layoutParts();
}

void GlyphControl::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        drawNormal();
        applyCaptionColour();
        break;
    case QEvent::FontChange:
        layoutParts();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void GlyphControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    drawLook(int(GlyphLook::Pressed));
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
}

void GlyphControl::mouseMoveEvent(QMouseEvent* event) {
    m_hover->start();
    const QPointF p = event->position();
    if (!skin::moveIsInside(p.x(), p.y(), size()))
        return;
    const int button = buttonMask(event->buttons());
    emit MouseMove(button, shiftMask(event->modifiers()), p.x(), p.y());
    if (isEnabled())
        drawLook(int(button == 1 ? GlyphLook::Pressed : GlyphLook::Hover));
}

void GlyphControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(p.toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    if (click)
        clickControl();
    else
        drawNormal();
}

void GlyphControl::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    if (const int ascii = keyAscii(*event))
        emit KeyPress(ascii);
    if (event->key() != Qt::Key_Space) {
        event->ignore();
        return;
    }
    if (!event->isAutoRepeat()) {
        m_spacePressed = true;
        drawLook(int(GlyphLook::Pressed));
    }
}

void GlyphControl::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    if (event->isAutoRepeat() || event->key() != Qt::Key_Space || !m_spacePressed)
        return;
    m_spacePressed = false;
    clickControl();
}

void GlyphControl::focusInEvent(QFocusEvent* event) {
    m_keyboardFocus = isKeyboardFocus(event->reason());
    update();
    QWidget::focusInEvent(event);
}

void GlyphControl::focusOutEvent(QFocusEvent* event) {
    if (m_spacePressed) {
        m_spacePressed = false;
        drawNormal();
    }
    update();
    QWidget::focusOutEvent(event);
}

} // namespace brightlock
