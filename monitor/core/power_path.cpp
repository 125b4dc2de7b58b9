// Power-path diagram rules; see power_path.h.
#include "power_path.h"

namespace brightlock {

PowerPath::PowerPath(const UpsFlags& flags, QObject* parent) : QObject(parent), flags_(flags) {
    Timer4.setInterval(1000);
    Timer5.setInterval(1000);
    Timer6.setInterval(1000);
    Timer7.setInterval(200);
    connect(&Timer4, &AnimationTimer::timeout, this, &PowerPath::Timer4Tick);
    connect(&Timer5, &AnimationTimer::timeout, this, &PowerPath::Timer5Tick);
    connect(&Timer6, &AnimationTimer::timeout, this, &PowerPath::Timer6Tick);
    connect(&Timer7, &AnimationTimer::timeout, this, &PowerPath::Timer7Tick);
}

void PowerPath::holdAnimations(bool held) {
    for (AnimationTimer* t : {&Timer4, &Timer5, &Timer6, &Timer7})
        t->hold(held);
}

void PowerPath::setShown(Picture p, bool shown) {
    if (shown_[p] == shown)
        return;
    shown_[p] = shown;
    emit changed();
}

// A running timer keeps its rhythm: the Display methods are called at every poll.
void PowerPath::startIfStopped(AnimationTimer& t) {
    if (!t.isActive())
        t.start();
}

void PowerPath::AcPipeDisplay() {
    Timer5.stop();
    Timer6.stop();
    setShown(Image1, true);
    setShown(ImageAC1, true);
    setShown(ImageAC2, true);
    if (!flags_.UsbLink || flags_.UpsReplyOk)
        startIfStopped(Timer4);
}

void PowerPath::AcPipeDisable() {
    setShown(Image1, false);
    Timer4.stop();
    setShown(ImageAC1, false);
    setShown(ImageAC2, false);
}

void PowerPath::DcPipeDisplay() {
    setShown(Image1, false);
    Timer6.stop();
    Timer4.stop();
    setShown(ImageDC1, true);
    setShown(ImageDC2, true);
    startIfStopped(Timer5);
}

void PowerPath::DcPipeDisable() {
    Timer5.stop();
    setShown(ImageDC1, false);
    setShown(ImageDC2, false);
}

void PowerPath::LowPipeDisplay() {
    setShown(Image1, false);
    Timer5.stop();
    Timer4.stop();
    setShown(ImageBL1, true);
    setShown(ImageBL2, true);
    startIfStopped(Timer6);
}

void PowerPath::LowPipeDisable() {
    Timer6.stop();
    setShown(ImageBL1, false);
    setShown(ImageBL2, false);
}

void PowerPath::Timer4Tick() {
    if (shown_[ImageAC1]) {
        setShown(ImageAC1, false);
        setShown(ImageAC2, true);
        startIfStopped(Timer7);
    }
    // Checked on the same tick: a phase left at two passes while the timer was stopped
    // ends at once.
    if (!shown_[ImageAC1] && FlowCycles == 2) {
        FlowCycles = 0;
        setShown(ImageAC1, true);
        Timer7.stop();
        setShown(ImageAC2, false);
    }
}

void PowerPath::Timer7Tick() {
    if (FlowFrame == 0) {
        ++FlowCycles;
        if (FlowCycles == 2)
            Timer7.stop();
        FlowFrame = 6;
    }
    if (FlowFrame > 6)
        FlowFrame = 1;
    flowImage_ = FlowFrame;
    --FlowFrame;
    emit changed();
}

void PowerPath::blink(Picture first, Picture second) {
    if (shown_[first]) {
        setShown(first, false);
        setShown(second, true);
    } else {
        setShown(first, true);
        setShown(second, false);
    }
}

void PowerPath::Timer5Tick() {
    blink(ImageDC1, ImageDC2);
}
void PowerPath::Timer6Tick() {
    blink(ImageBL1, ImageBL2);
}

} // namespace brightlock
