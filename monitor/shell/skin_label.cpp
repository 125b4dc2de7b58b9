// Mouse reporting of the skinned windows' labels and images.
#include "skin_label.h"

#include "vb_input.h"

#include <QMouseEvent>

namespace brightlock {

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {}

void SkinLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    const QPointF p = event->position();
    emit MouseDown(buttonMask(event->button()), shiftMask(event->modifiers()), p.x(), p.y());
}

void SkinLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftPressed && rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        emit Click();
}

} // namespace brightlock
