// A timer of the power-path animations that can be held while nobody can see them. For the
// animation rules it runs or stops as a QTimer does; while held it does not wake the
// program, and when released it ticks after what was left of its interval when it was
// held, so a blink or a flow goes on where it was.
#pragma once

#include <QObject>
#include <QTimer>

namespace brightlock {

class AnimationTimer : public QObject {
    Q_OBJECT
public:
    explicit AnimationTimer(QObject* parent = nullptr);

    void setInterval(int ms);

    // Starts (or restarts) the timer: its first tick comes one interval from now, or, while
    // held, one interval after the release.
    void start();
    void stop();
    // Running as far as the animation rules go, held or not.
    bool isActive() const { return running_; }
    // Milliseconds to the next tick; -1 when stopped. While held: what is left after the release.
    int remainingTime() const;

    // Holds or releases the timer; the rules' state is left as it is.
    void hold(bool held);
    // Whether the timer will wake the program: running and not held.
    bool ticking() const { return timer_.isActive(); }

signals:
    void timeout();

private:
    void tick();

    QTimer timer_;
    int interval_ = 0;
    bool running_ = false;
    bool held_ = false;
    int leftMs_ = -1; // while held and running: the time to the next tick at the release
};

} // namespace brightlock
