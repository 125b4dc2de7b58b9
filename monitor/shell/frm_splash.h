// The start-up picture: shown centred for 2000 ms, then it hands over to the monitor.
#pragma once

#include <QTimer>
#include <QWidget>

namespace brightlock {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 339;
    static constexpr int kHeight = 203;
    static constexpr int kHandOverMs = 2000;

    explicit frmSplash(QWidget* parent = nullptr);

    void Timer1Tick();

    QTimer Timer1;

signals:
    // Once, 2000 ms after the splash is shown, after the splash is gone.
    void handOver();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
};

} // namespace brightlock
