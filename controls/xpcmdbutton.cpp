// The skinned push button: looks, caption, mouse, keyboard and hover handling.
#include "xpcmdbutton.h"

#include "hover_watch.h"
#include "mnemonic.h"
#include "nine_piece_paint.h"
#include "palette.h"
#include "skin_pictures.h"
#include "skin_rules.h"
#include "vb_input.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QShortcutEvent>

using namespace brightlock;

xpcmdbutton::xpcmdbutton(QWidget* parent) : xpcmdbutton(QString(), parent) {}

xpcmdbutton::xpcmdbutton(const QString& caption, QWidget* parent)
    : QWidget(parent), m_lbl(new QLabel(this)),
      m_hover(std::make_unique<HoverWatch>(nullptr, [this](QPoint pos) { hoverTick(pos); })) {
    m_lbl->setObjectName("lbl");
    m_lbl->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lbl->setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    setCaption(caption);
    applyCaptionColour();
    redraw();
}

xpcmdbutton::~xpcmdbutton() = default;

void xpcmdbutton::setState(qint32 state) {
    m_state = state;
    redraw();
}

void xpcmdbutton::setCaption(const QString& caption) {
    m_caption = caption;
    m_lbl->setText(captionWithoutMnemonic(caption));
    centreCaption();
    grabAccessKey();
}

bool xpcmdbutton::isHoverTimerActive() const {
    return m_hover->isActive();
}

QSize xpcmdbutton::sizeHint() const {
    const QSize text = m_lbl->sizeHint();
    return {qMax(73, text.width() + 16), qMax(25, text.height() + 8)};
}

void xpcmdbutton::redraw() {
    m_look = skin::lookForState(m_state, m_look);
    drawCell(skin::redrawCell(isEnabled(), m_look));
}

void xpcmdbutton::drawCell(int cell) {
    if (cell != m_cell) {
        m_cell = cell;
        update();
    }
}

void xpcmdbutton::centreCaption() {
    m_lbl->adjustSize();
    m_lbl->move(skin::centredCaption(size(), m_lbl->size()));
}

void xpcmdbutton::applyCaptionColour() {
    const QColor colour = isEnabled() ? QColor(Qt::black) : palette::kDisabledText;
    QPalette pal = m_lbl->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, colour);
    m_lbl->setPalette(pal);
}

void xpcmdbutton::grabAccessKey() {
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    m_shortcutId = key.isEmpty() ? 0 : grabShortcut(key);
}

void xpcmdbutton::hoverTick(QPoint globalPos) {
    if (!skin::hoverHasEnded(mapFromGlobal(globalPos), size()))
        return;
    m_hover->stop();
    emit MouseOut();
    redraw();
}

bool xpcmdbutton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId) {
        if (isEnabled())
            emit Click();
        return true;
    }
    return QWidget::event(event);
}

void xpcmdbutton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin::paintNinePieces(painter, skin::buttonStrip(), skin::buttonCellRect(m_cell), size());
    if (hasFocus() && m_keyboardFocus && width() > 8 && height() > 8) {
        QPen pen(palette::kInk, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void xpcmdbutton::resizeEvent(QResizeEvent*) {
    redraw();
    centreCaption();
}

void xpcmdbutton::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        redraw();
        applyCaptionColour();
        break;
    case QEvent::FontChange:
        centreCaption();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void xpcmdbutton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    drawCell(skin::CellPressed);
}

void xpcmdbutton::mouseMoveEvent(QMouseEvent* event) {
    m_hover->start();
    const QPointF p = event->position();
    if (!skin::moveIsInside(p.x(), p.y(), size()))
        return;
    const int button = buttonMask(event->buttons());
    emit MouseMove(button, shiftMask(event->modifiers()), p.x(), p.y());
    drawCell(skin::moveCell(button));
}

void xpcmdbutton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    redraw();
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(p.toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    if (click)
        emit Click();
}

void xpcmdbutton::keyPressEvent(QKeyEvent* event) {
    const int shift = shiftMask(event->modifiers());
    emit KeyDown(virtualKeyCode(event->key()), shift);
    if (const int ascii = keyAscii(*event))
        emit KeyPress(ascii);
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Space) {
        m_spacePressed = true;
        drawCell(skin::CellPressed);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit Click();
    } else {
        event->ignore();
    }
}

void xpcmdbutton::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    if (event->isAutoRepeat() || event->key() != Qt::Key_Space || !m_spacePressed)
        return;
    m_spacePressed = false;
    redraw();
    emit Click();
}

void xpcmdbutton::focusInEvent(QFocusEvent* event) {
    m_keyboardFocus = isKeyboardFocus(event->reason());
    update();
    QWidget::focusInEvent(event);
}

void xpcmdbutton::focusOutEvent(QFocusEvent* event) {
    if (m_spacePressed) {
        m_spacePressed = false;
        redraw();
    }
    update();
    QWidget::focusOutEvent(event);
}
