// The alarm window's rules, without the window: the progress bar that runs full in about
// four seconds and then starts the shutdown, "Cancel", and the two re-check timers that
// bring the warning back while the power is still out.
#pragma once

#include "monitor.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace brightlock {

// What the alarm window paints and how it is shown.
class AlarmView {
public:
    virtual ~AlarmView() = default;
    // Redraws the background gradient and the empty bar.
    virtual void resetDisplay() = 0;
    // Paints one chunk of the bar at x.
    virtual void paintChunk(int x) = 0;
    virtual int barWidth() const = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Unloads the window (after the handler that asks for it has returned).
    virtual void unloadWindow() = 0;
};

class AlarmSequence : public QObject {
    Q_OBJECT
public:
    static constexpr int kBarStart = 4;
    static constexpr int kChunkStep = 10;

    // `startShutdown` runs the shutdown path for the alarm window.
    AlarmSequence(Monitor& monitor, AlarmView& view, std::function<void()> startShutdown,
                  QObject* parent = nullptr);

    // The load steps after the window's own layout: empty bar, countdown label cleared,
    // AlarmShown set, the bar started.
    void Load();

    void Timer1Tick(); // the bar, every 100 ms
    void Timer2Tick(); // on-battery re-check, 5 s after Cancel
    void Timer3Tick(); // low-battery re-check, 2 s after Cancel
    void ShutdownClick();
    void CancelClick();
    void bringBack();

    int16_t BarPos = kBarStart;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;

private:
    void resetAlarmDisplay();
    void shutdownAction();

    Monitor& monitor_;
    AlarmView& view_;
    std::function<void()> startShutdown_;
};

} // namespace brightlock
