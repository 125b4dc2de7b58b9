// Hover timer of the skinned controls.
#include "hover_watch.h"

#include <QCursor>

namespace brightlock {

HoverWatch::HoverWatch(QObject* parent, std::function<void(QPoint)> onTick)
    : QObject(parent), m_onTick(std::move(onTick)) {
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_onTick(QCursor::pos()); });
}

void HoverWatch::start() {
    // Restarting on every move would keep postponing the tick; a running timer is left alone.
    if (!m_timer.isActive())
        m_timer.start();
}

void HoverWatch::stop() {
    m_timer.stop();
}

} // namespace brightlock
