// The skinned push button: its looks, caption place and painting.
#include "xpcmdbutton.h"

#include "nine_piece_paint.h"
#include "palette.h"
#include "skin_pictures.h"
#include "skin_rules.h"

#include <QLabel>
#include <QPainter>

namespace brightlock {

xpcmdbutton::xpcmdbutton(QWidget* parent) : xpcmdbutton(QString(), parent) {}

xpcmdbutton::xpcmdbutton(const QString& caption, QWidget* parent)
    : SkinnedControl(LookTiming::AfterEvent, parent) {
    resize(sizeHint());
    setCaption(caption);
    redraw();
}

void xpcmdbutton::setState(qint32 state) {
    state_ = state;
    redraw();
}

void xpcmdbutton::clickControl() {
    emit Click();
}

QSize xpcmdbutton::sizeHint() const {
    const QSize text = captionLabel()->sizeHint();
    return {qMax(73, text.width() + 16), qMax(25, text.height() + 8)};
}

void xpcmdbutton::redraw() {
    look_ = skin::lookForState(state_, look_);
    drawCell(skin::redrawCell(isEnabled(), look_));
}

void xpcmdbutton::drawCell(int cell) {
    if (cell != cell_) {
        cell_ = cell;
        update();
    }
}

void xpcmdbutton::showPressedLook() {
    drawCell(skin::CellPressed);
}

void xpcmdbutton::showMoveLook(int button) {
    drawCell(skin::moveCell(button));
}

void xpcmdbutton::placeCaption() {
    QLabel* lbl = captionLabel();
    lbl->adjustSize();
    lbl->move(skin::centredCaption(size(), lbl->size()));
}

void xpcmdbutton::releaseClick() {
    redraw();
    clickControl();
}

void xpcmdbutton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin::paintNinePieces(painter, skin::buttonStrip(), skin::buttonCellRect(cell_), size());
    if (showsFocusCue() && width() > 8 && height() > 8) {
        painter.setPen(QPen(palette::kInk, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void xpcmdbutton::resizeEvent(QResizeEvent* event) {
    redraw();
    SkinnedControl::resizeEvent(event);
}

} // namespace brightlock
