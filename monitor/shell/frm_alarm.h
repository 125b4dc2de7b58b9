// The alarm window: the last warning before an automatic shutdown. A topmost skinned
// window over a blue gradient with a progress bar that fills in about four seconds; its
// rules are AlarmSequence's.
#pragma once

#include "alarm_sequence.h"
#include "form_host.h"
#include "skinned_form.h"

#include <QPixmap>
#include <functional>

class QLabel;

namespace brightlock {

// The bar: everything in it is painted by code into a picture that keeps its chunks.
class AlarmBar : public QWidget {
    Q_OBJECT
public:
    explicit AlarmBar(QWidget* parent = nullptr);
    void reset();
    void chunk(int x);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap skin_;
    QImage picture_;
};

class frmAlarm : public SkinnedForm, public AlarmView {
    Q_OBJECT
public:
    static constexpr int kWidth = 552;
    static constexpr int kHeight = 172;

    // `startShutdown` runs the shutdown path for this window.
    frmAlarm(Monitor& monitor, std::function<void()> startShutdown);

    AlarmSequence& sequence() { return sequence_; }

    void resetDisplay() override;
    void paintChunk(int x) override;
    int barWidth() const override;
    void showWindow() override;
    void hideWindow() override { hide(); }
    void unloadWindow() override { emit unloadRequested(); }

signals:
    // The alarm is over: its owner unloads the window.
    void unloadRequested();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    AlarmSequence sequence_;
    AlarmBar* bar_;
};

// The monitor's side of the alarm window: loads it on first show, unloads it on request.
class AlarmHost : public QObject, public AlarmControl {
    Q_OBJECT
public:
    explicit AlarmHost(std::function<void()> startShutdown);
    // The monitor the window reports to; set once, before the first show.
    void setMonitor(Monitor* monitor) { monitor_ = monitor; }

    void showAlarm() override;
    void unloadAlarm() override;
    // Hides the window with its bar and re-checks stopped.
    void hideAlarm();
    frmAlarm* window() const { return host_.form(); }

private:
    void stopTimers();

    Monitor* monitor_ = nullptr;
    std::function<void()> startShutdown_;
    FormHost<frmAlarm> host_;
};

} // namespace brightlock
