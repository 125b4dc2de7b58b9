// The monitor's settings, read from UpsConfigure.ini at every use. Each reader decides
// what a missing or damaged value means: the shipped value, except that a damaged
// switch never arms a shutdown.
#pragma once

#include <QString>

namespace brightlock::settings {

// [Mscomm] ComboPort: 0 = USB, 1 to 4 = COM1 to COM4. Anything else: the shipped value.
int comboPort();
inline bool serialLink() {
    return comboPort() > 0;
}

// The two power events' sections.
inline const QString kOnBattery = QStringLiteral("UpsOnBattery");
inline const QString kLowBattery = QStringLiteral("UpsLowBattery");

// [event] Shutdown as a truth value; missing or not a number reads as off.
bool shutdownArmed(const QString& event);
// [event] Shutdown compared with 1; missing or not a number reads as 0.
bool shutdownIsOne(const QString& event);
// [event] Delaytime in minutes x 60, rounded (halves to even); negative, missing or
// not a number: the shipped value.
int delaySeconds(const QString& event);
// [event] Disableevent is 0 (the event's record may be written).
bool eventEnabled(const QString& event);
// [event] Recordlog as a truth value.
bool recordLog(const QString& event);

// [OSEvent] Logcount, Eventcount, Closecount: whole numbers of at least 1; anything
// else: the shipped value.
int recordLimit(const QString& key);

// [OSEvent] Saveapllication as a truth value.
bool saveApplications();

// [Schema] SaveList as a truth value.
bool saveListRequested();

} // namespace brightlock::settings
