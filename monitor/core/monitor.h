// The heart of the monitor, without any window: the main window's start-up and exit
// steps, the 2200 ms power-event poll, the shutdown countdown, the disconnected display
// and the battery reading. Widgets show what it decides (StatusArea, PowerPath), it tells
// PowerNotices what happened for the desktop notifications, and it reaches the rest of the
// program through the interfaces of monitor_ports.h.
#pragma once

#include "monitor_ports.h"
#include "monitor_state.h"
#include "power_notices.h"
#include "power_path.h"
#include "serial_line.h"
#include "settings_catalogue.h"
#include "status_area.h"
#include "ups_link.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

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
        DesktopNotices& notices;
    };

    static constexpr int kPollMs = 2200;
    static constexpr int kCountdownMs = 1000;
    // How long the countdown pauses for a USB UPS that stopped answering while the mains
    // were failed: the usual dead time of UPS monitors.
    static constexpr qint64 kSilenceLimitMs = 15000;

    // Milliseconds of a monotonic clock; tests put their own in its place.
    using Clock = std::function<qint64()>;

    explicit Monitor(Ports ports, QObject* parent = nullptr);
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // The main window's load: opens the link, records "Program start", shows the first
    // state, then starts the poll. Every failing step is skipped.
    void Form_Load();
    // The main window's unload: records "Program quit", closes the link, unloads the
    // alarm window and removes the tray icon. Runs once; later calls do nothing.
    void Form_Unload();
    bool loaded() const { return loaded_; }

    void Timer1Tick();   // the poll
    void TimerSubTick(); // the countdown
    void UnConShow();    // the UPS-disconnected display

    // --- What the rest of the program asks of the monitor ---

    // The settings' Apply: puts the link the settings now name in force at once. To a serial
    // port, the USB device is closed and the port opened afresh (openUpsPort); to USB, the
    // port is closed and the next poll, finding no answer on record, opens the USB device
    // and asks the UPS. Returns what the user must be told, empty when nothing: a serial
    // port that cannot be opened (the polls keep trying it).
    QString switchLink();
    // The settings' Apply: the countdown's seconds start again from the stored delay of the
    // event in force (the low battery's while it is low or its level critical, else the mains
    // failure's). A delay that cannot be used leaves them as they are.
    void rearmCountdown();
    // The alarm window has loaded: the countdown's text goes and AlarmShown is set.
    void alarmLoaded();
    // A shutdown is under way: the countdown's end no longer brings up the alarm window,
    // which would take the keyboard from the closer.
    void beginShutdown();
    // The shutdown ended without the machine going down (refused, or a rehearsal): the
    // monitor is armed again for the next power failure.
    void armAgain();
    // The shutdown path's outcomes: a row in the records, and a warning about work about to
    // be lost (sent whatever the power events' notification setting says).
    void record(const QString& text);
    void warnUser(const QString& summary, const QString& body);
    // Whether a switch-off reaches only a simulated UPS: the USB link in force, through a
    // driver that simulates one.
    bool upsSimulated() const;
    // Tells the UPS to switch off, once the machine is on its way down: DTR high on the
    // serial link, the switch-off command three times, 10 ms apart, on USB.
    void switchUpsOff();
    // The Status page's diagram cannot be seen (true), or can again: its animation timers
    // hold, keeping the pictures' state, or go on.
    void holdAnimations(bool held) { powerPath_.holdAnimations(held); }

    // --- Its state, read-only ---

    const UpsLink& link() const { return link_; }
    const UpsFlags& flags() const { return link_.flags(); }
    const StatusArea& statusArea() const { return area_; }
    const EventState& state() const { return state_; }
    const PowerPath& powerPath() const { return powerPath_; }
    const QTimer& pollTimer() const { return Timer1; }
    const QTimer& countdownTimer() const { return TimerSub; }
    qint64 now() const { return clock_(); }

    // The power conditions on the link in force (its UsbLink flag, set from the settings at
    // the load, at each poll and at switchLink): the USB flags of the last answer, or the
    // serial lines read afresh.
    bool acFailed() const;
    bool batteryLow() const;

signals:
    // A shutdown countdown started (or was shortened) with `seconds` left.
    void countdownArmed(int seconds);
    // The end of every poll, whether the UPS answered or not (the battery history samples here).
    void polled();

private:
    // Tests stage what no operation reaches through it (tests/support/monitor_probe.h).
    friend struct MonitorProbe;

    enum class Display { OnLine, OnBattery, LowBattery };
    enum class TrayState { OnBattery, LowBattery, Idle, IdleUsb, Disconnected };

    // Sets the UsbLink flag from the port the settings name, and returns that port (0 for USB).
    int takeLinkFromSettings();
    // The steps of a poll.
    bool readUps();
    void queryStatus();
    bool silenceOutlasted() const;
    void checkMains();
    void checkBatteryLow();
    void checkBatteryLevel();
    void trimStores();
    // The first-time actions of each transition.
    void mainsFailed();
    void mainsBack();
    void batteryLowStarts();
    void batteryLowEnds();
    void batteryLevelCritical();

    void show(Display d);
    static QString displayText(Display d);
    void setTray(TrayState t);
    void showTray(TrayPicture picture, const QString& text);
    // The battery's charge and runtime, and the time before the shutdown, on the Status page
    // and after the tray's tip.
    BatteryReading batteryReading() const;
    void showBattery();
    std::optional<qint64> secondsToShutdown() const;
    QString trayTip() const;
    // True when it armed the countdown.
    bool armCountdown(settings::PowerEvent event);
    // Starts the countdown at `seconds`, or at what is left of the one of this mains failure
    // when that is sooner.
    void startCountdown(int32_t seconds);
    void stopCountdown();
    void countdownRanOut();
    void unloadAlarmIfShown();

    // What a power event's notification is told: the Status page's message and the tray's picture.
    void tellTrouble(NoticeTopic topic, const QString& text, bool counting);
    void tellRecovery(NoticeTopic topic, const QString& summary, const QString& text);

    QTimer Timer1;   // the poll
    QTimer TimerSub; // the countdown
    Ports ports_;
    UpsLink link_;
    PowerPath powerPath_;
    StatusArea area_;
    EventState state_;
    PowerNotices notices_;
    Clock clock_;
    std::optional<qint64> lastAnswerMs_; // when the UPS last answered a status query
    bool countdownInFailure_ = false;    // a countdown was armed during this mains failure
    TrayPicture trayPicture_ = TrayPicture::ImaMain;
    QString trayText_; // the tip of the tray state, without the battery reading
    bool loaded_ = false;
    bool unloaded_ = false;
};

} // namespace brightlock
