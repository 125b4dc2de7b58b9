// Animation timer; see animation_timer.h.
#include "animation_timer.h"

#include <algorithm>

namespace brightlock {

AnimationTimer::AnimationTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &AnimationTimer::tick);
}

void AnimationTimer::setInterval(int ms) {
    interval_ = ms;
}

void AnimationTimer::start() {
    running_ = true;
    leftMs_ = interval_;
    if (!held_)
        timer_.start(interval_);
}

void AnimationTimer::stop() {
    running_ = false;
    leftMs_ = -1;
    timer_.stop();
}

int AnimationTimer::remainingTime() const {
    if (!running_)
        return -1;
    return held_ ? leftMs_ : timer_.remainingTime();
}

void AnimationTimer::hold(bool held) {
    if (held == held_)
        return;
    held_ = held;
    if (!running_)
        return;
    if (held) {
        leftMs_ = std::max(timer_.remainingTime(), 0);
        timer_.stop();
    } else {
        // The first tick after the release comes after what was left; later ones at the
        // timer's own interval (tick() puts it back).
        timer_.start(leftMs_);
    }
}

void AnimationTimer::tick() {
    if (timer_.interval() != interval_)
        timer_.start(interval_);
    emit timeout();
}

} // namespace brightlock
