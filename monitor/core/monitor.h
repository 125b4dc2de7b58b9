// The heart of the monitor, without any window: the main window's start-up and exit
// steps, the 2200 ms power-event poll, the shutdown countdown and the disconnected
// display. Widgets show what it decides (StatusPage, StatusDisplay) and it reaches the
// rest of the program through the interfaces of monitor_ports.h.
#pragma once

#include "monitor_ports.h"
#include "monitor_state.h"
#include "serial_line.h"
#include "status_display.h"
#include "status_page.h"
#include "ups_link.h"

#include <QObject>
#include <QTimer>

namespace brightlock {

class Monitor : public QObject {
    Q_OBJECT
public:
    struct Ports {
        PsuApi& psu;
        SerialLine& serial;
        EventRecorder& records;
        TrayIcon& tray;
        AlarmControl& alarm;
        MainFormHooks& form;
    };

    static constexpr int kPollMs = 2200;
    static constexpr int kCountdownMs = 1000;

    explicit Monitor(Ports ports, QObject* parent = nullptr);

    // The main window's load: opens the link, records "Program start", shows the first
    // state, then starts the poll. Every failing step is skipped.
    void Form_Load();
    // The main window's unload: records "Program quit", closes the link, unloads the
    // alarm window and removes the tray icon. Runs once; later calls do nothing.
    void Form_Unload();
    bool isLoaded() const { return loaded_; }

    void Timer1Tick();   // the poll
    void TimerSubTick(); // the countdown
    void UnConShow();    // the UPS-disconnected display

    UpsLink& link() { return link_; }
    UpsFlags& flags() { return link_.flags(); }
    SerialLine& serial() { return ports_.serial; }
    StatusDisplay& display() { return display_; }
    StatusPage& page() { return page_; }
    EventState& state() { return state_; }
    DialogFlags& dialog() { return dialog_; }

    QTimer Timer1;
    QTimer TimerSub;

private:
    enum class Display { OnLine, OnBattery, LowBattery };
    enum class TrayState { OnBattery, LowBattery, Idle, IdleUsb };

    void show(Display d);
    void setTray(TrayState t);
    void armCountdown(const QString& event);
    void unloadAlarmIfShown();

    Ports ports_;
    UpsLink link_;
    StatusDisplay display_;
    StatusPage page_;
    EventState state_;
    DialogFlags dialog_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace brightlock
