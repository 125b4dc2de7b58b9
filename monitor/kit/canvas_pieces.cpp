// Painting and mouse reports of the window frame's pieces.
#include "canvas_pieces.h"

#include "canvas_rules.h"
#include "vb_input.h"

#include <QMouseEvent>
#include <QPainter>

namespace brightlock {

FramePiece::FramePiece(const QString& name, Paint paint, QWidget* parent) : QWidget(parent), paint_(paint) {
    setObjectName(name);
}

void FramePiece::setPicture(const QPixmap& picture) {
    if (picture.cacheKey() == picture_.cacheKey())
        return;
    picture_ = picture;
    update();
}

void FramePiece::paintEvent(QPaintEvent*) {
    if (paint_ == Paint::Nothing || picture_.isNull())
        return;
    QPainter painter(this);
    // Stretched columns and rows are repeated, not blended, so edges stay one colour.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (paint_ == Paint::Stretched) {
        painter.drawPixmap(rect(), picture_);
        return;
    }
    for (const canvas::Slice& slice : canvas::titleSlices(picture_.size(), width()))
        painter.drawPixmap(slice.target, picture_, slice.source);
}

void FramePiece::mousePressEvent(QMouseEvent* event) {
    emit pressed(buttonMask(event->button()), event->globalPosition().toPoint());
}

void FramePiece::mouseReleaseEvent(QMouseEvent* event) {
    emit released(buttonMask(event->button()), event->globalPosition().toPoint());
}

void FramePiece::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(buttonMask(event->button()));
}

} // namespace brightlock
