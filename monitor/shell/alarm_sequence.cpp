// Alarm window rules; see alarm_sequence.h.
#include "alarm_sequence.h"

namespace brightlock {

AlarmSequence::AlarmSequence(Monitor& monitor, AlarmView& view, std::function<void()> startShutdown,
                             QObject* parent)
    : QObject(parent), monitor_(monitor), view_(view), startShutdown_(std::move(startShutdown)) {
    Timer1.setInterval(100);
    Timer2.setInterval(5000);
    Timer3.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &AlarmSequence::Timer1Tick);
    connect(&Timer2, &QTimer::timeout, this, &AlarmSequence::Timer2Tick);
    connect(&Timer3, &QTimer::timeout, this, &AlarmSequence::Timer3Tick);
}

void AlarmSequence::resetAlarmDisplay() {
    BarPos = kBarStart;
    view_.resetDisplay();
}

void AlarmSequence::Load() {
    resetAlarmDisplay();
    monitor_.alarmLoaded();
    Timer1.start();
}

void AlarmSequence::Timer1Tick() {
    view_.paintChunk(BarPos);
    BarPos = int16_t(BarPos + kChunkStep);
    if (view_.barWidth() - kChunkStep < BarPos) {
        Timer1.stop();
        shutdownAction();
        view_.unloadWindow();
    }
}

void AlarmSequence::shutdownAction() {
    if (startShutdown_)
        startShutdown_();
}

void AlarmSequence::ShutdownClick() {
    // The bar would otherwise keep filling while the window is hidden, and a re-check
    // bring the window back, each starting the shutdown (and the closer) a second time.
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    shutdownAction();
}

void AlarmSequence::CancelClick() {
    view_.hideWindow();
    Timer1.stop();
    Timer2.start();
    Timer3.start();
}

void AlarmSequence::bringBack() {
    resetAlarmDisplay();
    view_.showWindow();
    Timer1.start();
}

void AlarmSequence::Timer3Tick() {
    if (monitor_.batteryLow())
        bringBack();
    Timer3.stop();
}

void AlarmSequence::Timer2Tick() {
    // The power conditions as the monitor judges them, on the link in force.
    if (monitor_.batteryLow())
        return; // keeps polling until the low-battery signal has gone
    if (monitor_.acFailed())
        bringBack();
    Timer2.stop();
}

} // namespace brightlock
