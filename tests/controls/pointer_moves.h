// Pointer moves delivered straight to a skinned control, the way its hover and drag looks
// are reached without a real pointer.
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace pointer {

// A move with no button held.
inline void hover(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

// A move with the left button held.
inline void drag(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace pointer
