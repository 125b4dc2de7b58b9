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

    UpsLink& link() { return link_; }
    UpsFlags& flags() { return link_.flags(); }
    SerialLine& serial() { return ports_.serial; }
    PowerPath& powerPath() { return powerPath_; }
    StatusArea& statusArea() { return area_; }
    EventState& state() { return state_; }
    DialogFlags& dialog() { return dialog_; }
    EventRecorder& records() { return ports_.records; }
    DesktopNotices& notices() { return ports_.notices; }
    void setClock(Clock clock) { clock_ = std::move(clock); }
    qint64 now() const { return clock_(); }

    QTimer Timer1;
    QTimer TimerSub;

    // The settings' Apply: puts the link the settings now name in force at once. To a serial
    // port, the USB device is closed and the port opened afresh (openUpsPort); to USB, the
    // port is closed and the next poll, finding no answer on record, opens the USB device
    // and asks the UPS. Returns what the user must be told, empty when nothing: a serial
    // port that cannot be opened (the polls keep trying it).
    QString switchLink();

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

    Ports ports_;
    UpsLink link_;
    PowerPath powerPath_;
    StatusArea area_;
    EventState state_;
    DialogFlags dialog_;
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
