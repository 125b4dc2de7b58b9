// Pointer moves delivered straight to a skinned control, the way its hover and drag looks
// are reached without a real pointer.
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace pointer {

// A move with the `held` buttons down.
inline void move(QWidget* w, QPointF at, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// A move with no button held.
inline void hover(QWidget* w, QPointF at) {
    move(w, at, Qt::NoButton);
}

// A move with the left button held.
inline void drag(QWidget* w, QPointF at) {
    move(w, at, Qt::LeftButton);
}

} // namespace pointer
