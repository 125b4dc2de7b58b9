// The 10 ms hover timer of the skinned controls. Each tick reads the pointer position and
// hands it to the control, which decides whether the pointer has left; a test calls the
// control's handler with a position of its own instead.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

namespace brightlock {

class HoverWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 10;

    // `onTick` receives the pointer position in global coordinates.
    HoverWatch(QObject* parent, std::function<void(QPoint)> onTick);

    void start();
    void stop();
    bool isActive() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void(QPoint)> onTick_;
};

} // namespace brightlock
