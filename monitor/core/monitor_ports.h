// What the monitor's logic asks of the rest of the program: the tray icon, the record
// stores, the alarm window, the main window's frame and the desktop's notifications. Each is an interface so
// the logic runs in tests without a screen or a database.
#pragma once

#include "monitor/records/store.h"

#include <QString>

namespace brightlock {

// The pictures the tray icon can take. ImaUnCon, greyed, says the computer is not protected:
// the UPS does not answer, or none was ever found.
enum class TrayPicture { ImaMain, ImaSOk, ImaSLow, ImaUnCon };

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Removes the icon, then adds it again with this picture and tip.
    virtual void ShowTrayIcon(TrayPicture picture, const QString& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // Changes the tip of the icon where it stands (the battery reading after the state's
    // text follows the UPS from poll to poll without the icon being replaced).
    virtual void setTip(const QString& tip) = 0;
};

// The desktop's notifications (the bubbles a notification service shows).
enum class NoticeUrgency { Low = 0, Normal = 1, Critical = 2 };
// What a notification is about; a new one replaces the last one of the same topic.
enum class NoticeTopic { Mains, BatteryLow, Link, Shutdown };

struct DesktopNotice {
    NoticeTopic topic;
    QString summary;
    QString body;
    TrayPicture picture;
    NoticeUrgency urgency;
};

class DesktopNotices {
public:
    virtual ~DesktopNotices() = default;
    // Shows a notification. Returns at once, whether or not a notification service listens.
    virtual void notify(const DesktopNotice& notice) = 0;
};

class EventRecorder {
public:
    virtual ~EventRecorder() = default;
    virtual void bind() = 0;
    virtual void appendProgramStart() = 0;
    virtual void appendProgramQuit() = 0;
    // One row in the log store, then one in the UPS-event store.
    virtual void record(const QString& text) = 0;
    // Deletes the oldest row when the store holds `limit` rows or more.
    virtual void trimStep(Store store, int limit) = 0;
};

class AlarmControl {
public:
    virtual ~AlarmControl() = default;
    // Shows the alarm window (loading it first if needed), modeless.
    virtual void showAlarm() = 0;
    // Unloads the alarm window.
    virtual void unloadAlarm() = 0;
};

// Steps of the main window's load that belong to the window itself.
class MainFormHooks {
public:
    virtual ~MainFormHooks() = default;
    virtual void LayoutFormSkin() = 0;
    virtual void selectStatusPage() = 0;
};

} // namespace brightlock
