// Hover timer of the skinned controls.
#include "hover_watch.h"

#include <QCursor>

namespace brightlock {

HoverWatch::HoverWatch(QObject* parent, std::function<void(QPoint)> onTick)
    : QObject(parent), onTick_(std::move(onTick)) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { onTick_(QCursor::pos()); });
}

void HoverWatch::start() {
    // Restarting on every move would keep postponing the tick; a running timer is left alone.
    if (!timer_.isActive())
        timer_.start();
}

void HoverWatch::stop() {
    timer_.stop();
}

} // namespace brightlock
