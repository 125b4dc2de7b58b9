// The skinned window frame: its parts, looks, layout and the moves and resizes it starts.
//
// The look follows the window's activation through the activation events Qt passes from the
// window to its widgets (and the frame's own focus), so it changes as soon as the window
// manager moves the activation, with no timer polling for the active window.
#include "xp_canvas.h"

#include "canvas_pieces.h"
#include "canvas_rules.h"
#include "form_skin.h"
#include "label_colour.h"
#include "ole_color.h"
#include "palette.h"
#include "resource_paths.h"
#include "skin_pictures.h"
#include "vb_input.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace brightlock {

namespace {

const QColor kBackground(236, 233, 216);
// The key colour of the title picture's corners, RGB(255,0,255).
constexpr quint32 kSeeThrough = 0xFF00FF;

struct CaptionColours {
    QColor text, shadow;
};

CaptionColours captionColours(bool active) {
    if (active)
        return {Qt::white, palette::kBlueDeep};
    return {QColor(246, 247, 251), QColor(112, 130, 176)};
}

QLabel* titleLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

xp_canvas::xp_canvas(QWidget* parent) : QWidget(parent) {
    using namespace canvas;
    setObjectName(QStringLiteral("xp_canvas"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    pictop_ = new FramePiece(QStringLiteral("pictop"), FramePiece::Paint::TitleSlices, this);
    picleft_ = new FramePiece(QStringLiteral("picleft"), FramePiece::Paint::Stretched, this);
    picright_ = new FramePiece(QStringLiteral("picright"), FramePiece::Paint::Stretched, this);
    picbottom_ = new FramePiece(QStringLiteral("picbottom"), FramePiece::Paint::Stretched, this);
    handles_[LeftBorder] = picleft_;
    handles_[RightBorder] = picright_;
    handles_[BottomBorder] = picbottom_;
    for (int code : kGrips)
        handles_[code] =
            new FramePiece(QStringLiteral("imgresize%1").arg(code), FramePiece::Paint::Nothing, this);

    // The shadow lies behind the caption; both, and the icon, leave the mouse to the title bar.
    lblshadow_ = titleLabel("lblshadow", pictop_);
    lblcaption_ = titleLabel("lblcaption", pictop_);
    imgicon_ = new QLabel(pictop_);
    imgicon_->setObjectName(QStringLiteral("imgicon"));
    imgicon_->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgicon_->setAlignment(Qt::AlignCenter);
    imgicon_->setGeometry(kIconRect);

    connect(pictop_, &FramePiece::pressed, this, [this](int button, QPoint) { titlePressed(button); });
    connect(pictop_, &FramePiece::doubleClicked, this, &xp_canvas::titleDoubleClicked);
    for (int code = 0; code < int(handles_.size()); ++code) {
        connect(handles_[code], &FramePiece::pressed, this,
                [this, code](int button, QPoint at) { handlePressed(code, button, at); });
        connect(handles_[code], &FramePiece::released, this,
                [this, code](int button, QPoint at) { handleReleased(code, button, at); });
    }
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        if (!captionSet_)
            showCaption(name);
    });

    showCaption(objectName());
    setIcon(skin::picture(res::kIconMain));
    watchParent();
    followParent();
    layoutFrame();
}

xp_canvas::~xp_canvas() = default;

void xp_canvas::setCaption(const QString& vNewCaption) {
    captionSet_ = true;
    showCaption(vNewCaption);
    layoutFrame();
}

void xp_canvas::showCaption(const QString& caption) {
    caption_ = caption;
    for (QLabel* label : {lblshadow_, lblcaption_}) {
        label->setText(caption);
        label->adjustSize();
    }
}

void xp_canvas::setIcon(const QPixmap& New_Icon) {
    icon_ = New_Icon;
    const QSize box = canvas::kIconRect.size();
    const bool fits = New_Icon.width() <= box.width() && New_Icon.height() <= box.height();
    imgicon_->setPixmap(fits ? New_Icon
                             : New_Icon.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void xp_canvas::setFixed_Single(bool vNewValue) {
    fixedSingle_ = vNewValue;
    layoutFrame();
}

void xp_canvas::SetFocus() {
    setFocus(Qt::OtherFocusReason);
    setLook(true);
}

void xp_canvas::AlwaysOnTop(QWidget* FrmID, bool OnTop) {
    SetTopMost(FrmID, OnTop ? -1 : 0);
}

void xp_canvas::make_trans() {
    shaped_ = true;
    applyShape();
}

void xp_canvas::applyShape() {
    QWidget* f = form();
    if (f->width() <= 0 || f->height() <= 0)
        return;
    // The title picture across the top of the window, as the title bar paints it; only its
    // top six rows are looked at.
    QImage top(f->width(), qMin(f->height(), 6), QImage::Format_ARGB32_Premultiplied);
    top.fill(Qt::transparent);
    QPainter painter(&top);
    const QPixmap picture = titlePicture();
    for (const canvas::Slice& slice : canvas::titleSlices(picture.size(), f->width()))
        painter.drawPixmap(slice.target, picture, slice.source);
    painter.end();
    f->setMask(regionFromPicture(top, f->size(), fromOleColor(kSeeThrough)));
}

QPixmap xp_canvas::titlePicture() const {
    const res::FrameSet& set = active_ ? res::kFrameActive : res::kFrameInactive;
    const bool maximised = canvas::windowStateOf(form()->windowState()) == canvas::WindowState::Maximized;
    return skin::picture(maximised ? set.topMax : set.top);
}

void xp_canvas::setLook(bool active) {
    if (active == active_)
        return;
    active_ = active;
    layoutFrame();
}

void xp_canvas::watchParent() {
    for (QWidget* w : watched_)
        if (w)
            w->removeEventFilter(this);
    // The parent for its size, the window for its state (the same widget on a form).
    watched_ = {parentWidget(), isWindow() ? nullptr : window()};
    for (QWidget* w : watched_)
        if (w)
            w->installEventFilter(this);
}

void xp_canvas::followParent() {
    if (QWidget* parent = parentWidget())
        setGeometry(parent->rect());
}

void xp_canvas::layoutFrame() {
    using namespace canvas;
    const Layout l = canvasLayout(size());
    pictop_->setGeometry(l.top);
    picleft_->setGeometry(l.left);
    picright_->setGeometry(l.right);
    picbottom_->setGeometry(l.bottom);

    const res::FrameSet& set = active_ ? res::kFrameActive : res::kFrameInactive;
    picleft_->setPicture(skin::picture(set.left));
    picright_->setPicture(skin::picture(set.right));
    picbottom_->setPicture(skin::picture(set.bottom));
    pictop_->setPicture(titlePicture());

    const CaptionColours colours = captionColours(active_);
    setTextColour(lblcaption_, colours.text);
    setTextColour(lblshadow_, colours.shadow);
    lblcaption_->move(kCaptionAt);
    lblshadow_->move(kShadowAt);

    const bool resizing = resizeAllowed(fixedSingle_, windowStateOf(form()->windowState()));
    for (int code = 0; code < int(handles_.size()); ++code)
        handles_[code]->setCursor(handleCursor(code, resizing));
    // A grip that cannot resize leaves presses to the title bar beneath it.
    for (int code : kGrips) {
        handles_[code]->setGeometry(l.grips[code]);
        handles_[code]->setAttribute(Qt::WA_TransparentForMouseEvents, !resizing);
        handles_[code]->raise();
    }
    if (shaped_)
        applyShape();
    emit Resize();
}

void xp_canvas::titlePressed(int button) {
    if (canvas::titlePressDrags(button, canvas::windowStateOf(form()->windowState())))
        DragForm(form());
}

void xp_canvas::titleDoubleClicked(int button) {
    using namespace canvas;
    if (button != 1)
        return;
    QWidget* f = form();
    const auto target = stateAfterDoubleClick(fixedSingle_, windowStateOf(f->windowState()));
    if (!target)
        return;
    Qt::WindowStates states =
        f->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (*target == WindowState::Maximized)
        states |= Qt::WindowMaximized;
    f->setWindowState(states);
}

void xp_canvas::handlePressed(int code, int button, QPoint globalPos) {
    if (button != 1 || !canvas::resizeAllowed(fixedSingle_, canvas::windowStateOf(form()->windowState())))
        return;
    resizeHandle_ = code;
    resizeFrom_ = globalPos;
}

void xp_canvas::handleReleased(int code, int button, QPoint globalPos) {
    using namespace canvas;
    if (button != 1 || code != resizeHandle_)
        return;
    resizeHandle_ = -1;
    QWidget* f = form();
    if (!resizeAllowed(fixedSingle_, windowStateOf(f->windowState())))
        return;
    const QScreen* screen = f->screen();
    const double tpp = twipsPerPixel(screen ? screen->logicalDotsPerInch() : 96.0);
    const QPoint delta = globalPos - resizeFrom_;
    const auto move = resizeMove(code, delta.x() * tpp, delta.y() * tpp);
    if (!move)
        return;
    f->setGeometry(resizedGeometry(f->geometry(), *move, tpp, f->minimumSize().expandedTo(kSmallestFrame)));
}

bool xp_canvas::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ParentChange:
        watchParent();
        followParent();
        break;
    // The window passes its activation on to the frame; a frame shown in a window that is
    // not active takes the inactive look at once.
    case QEvent::WindowActivate:
        setLook(true);
        break;
    case QEvent::WindowDeactivate:
        setLook(false);
        break;
    case QEvent::Show:
        setLook(isActiveWindow());
        break;
    case QEvent::WindowStateChange:
        if (isWindow())
            layoutFrame();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool xp_canvas::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == parentWidget())
        followParent();
    else if (event->type() == QEvent::WindowStateChange && watched == window())
        layoutFrame();
    return false;
}

void xp_canvas::resizeEvent(QResizeEvent* event) {
    layoutFrame();
    QWidget::resizeEvent(event);
}

void xp_canvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
}

void xp_canvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseMove(buttonMask(event->buttons()), shiftMask(event->modifiers()), p.x(), p.y());
}

void xp_canvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = leftPressed_ && rect().contains(p.toPoint());
    leftPressed_ = false;
    if (click)
        emit Click();
}

void xp_canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void xp_canvas::keyPressEvent(QKeyEvent* event) {
    // Keys of the window's controls pass through here on their way to the window; only the
    // frame's own are reported.
    if (hasFocus()) {
        emit KeyDown(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
        if (const int ascii = keyAscii(*event))
            emit KeyPress(ascii);
    }
    event->ignore();
}

void xp_canvas::keyReleaseEvent(QKeyEvent* event) {
    if (hasFocus())
        emit KeyUp(virtualKeyCode(event->key()), shiftMask(event->modifiers()));
    event->ignore();
}

void xp_canvas::focusInEvent(QFocusEvent* event) {
    setLook(true);
    QWidget::focusInEvent(event);
}

void xp_canvas::focusOutEvent(QFocusEvent* event) {
    setLook(form()->isActiveWindow());
    QWidget::focusOutEvent(event);
}

} // namespace brightlock
