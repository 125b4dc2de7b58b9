// Mouse reporting of the skinned windows' labels and images.
#include "skin_label.h"

#include "vb_input.h"

#include <QMouseEvent>

namespace brightlock {

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {}

void SkinLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
}

void SkinLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = leftPressed_ && rect().contains(event->position().toPoint());
    leftPressed_ = false;
    if (click)
        emit Click();
}

} // namespace brightlock
