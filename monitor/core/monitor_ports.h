// What the monitor's logic asks of the rest of the program: the tray icon, the record
// stores, the alarm window and the main window's frame. Each is an interface so the
// logic runs in tests without a screen or a database.
#pragma once

#include "monitor/records/store.h"

#include <QString>

namespace brightlock {

// The pictures the tray icon can take.
enum class TrayPicture { ImaMain, ImaSOk, ImaSLow };

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Removes the icon, then adds it again with this picture and tip.
    virtual void ShowTrayIcon(TrayPicture picture, const QString& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
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
