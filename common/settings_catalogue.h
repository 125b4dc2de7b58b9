// Every name of the system's two INI files in one place, used by both programs: the
// sections and keys of UpsConfigure.ini with the rule by which each value is read, the
// run-time flags of [Schema] that the monitor and the closer hand over, and the sections
// of CloseApp.ini. The shipped value of each setting is the one in the settings file the
// programs carry (settings.h); a value that breaks its rule reads as that shipped value,
// except for the switches that arm a shutdown, which then read as off.
#pragma once

#include <QString>
#include <climits>
#include <optional>

namespace brightlock {

// How a stored value is taken.
enum class SettingRule {
    Number,     // a number within [min, max] (whole when `whole`); else the shipped value
    Flag,       // any number other than 0 is true; not a number: the shipped value
    SafetyFlag, // like Flag, but missing or not a number reads as false: never arms a shutdown
    Text,       // used as stored
};

struct Setting {
    const char* section;
    const char* key;
    SettingRule rule;
    double min;
    double max;
    bool whole;

    QString sectionName() const { return QString::fromLatin1(section); }
    QString keyName() const { return QString::fromLatin1(key); }
    // Whether a number obeys the setting's range.
    bool accepts(double value) const;
};

namespace settings {

inline constexpr char kMscomm[] = "Mscomm";
inline constexpr char kOSEvent[] = "OSEvent";
inline constexpr char kUpsOnBattery[] = "UpsOnBattery";
inline constexpr char kUpsLowBattery[] = "UpsLowBattery";
inline constexpr char kUpsBatteryLevel[] = "UpsBatteryLevel";
inline constexpr char kSchema[] = "Schema";
inline constexpr char kDesktop[] = "Desktop";

using R = SettingRule;
constexpr double kNoMax = INT_MAX;

// The four keys of a power event's section.
struct EventSettings {
    Setting Disableevent;
    Setting Recordlog;
    Setting Shutdown;
    Setting Delaytime;
};

// The countdown runs Delaytime x 60 seconds, so its largest value keeps that in an int.
constexpr double kMaxDelayMinutes = INT_MAX / 60.0;

// clang-format off
//                                        section         key                rule           min  max        whole
inline constexpr Setting ComboPort       {kMscomm,        "ComboPort",       R::Number,     0,   4,         true};
inline constexpr Setting Logcount        {kOSEvent,       "Logcount",        R::Number,     1,   kNoMax,    false};
inline constexpr Setting Eventcount      {kOSEvent,       "Eventcount",      R::Number,     1,   kNoMax,    false};
inline constexpr Setting Closecount      {kOSEvent,       "Closecount",      R::Number,     1,   kNoMax,    false};
inline constexpr Setting Saveapllication {kOSEvent,       "Saveapllication", R::Flag,       0,   0,         false};
inline constexpr Setting OSDisableevent  {kOSEvent,       "Disableevent",    R::Number,     0,   kNoMax,    false};
inline constexpr Setting Hibernate       {kOSEvent,       "Hibernate",       R::Flag,       0,   0,         false};

inline constexpr EventSettings UpsOnBattery {
                                         {kUpsOnBattery,  "Disableevent",    R::Number,     -kNoMax, kNoMax, false},
                                         {kUpsOnBattery,  "Recordlog",       R::Flag,       0,   0,         false},
                                         {kUpsOnBattery,  "Shutdown",        R::SafetyFlag, 0,   0,         false},
                                         {kUpsOnBattery,  "Delaytime",       R::Number,     0,   kMaxDelayMinutes, false}};
inline constexpr EventSettings UpsLowBattery {
                                         {kUpsLowBattery, "Disableevent",    R::Number,     -kNoMax, kNoMax, false},
                                         {kUpsLowBattery, "Recordlog",       R::Flag,       0,   0,         false},
                                         {kUpsLowBattery, "Shutdown",        R::SafetyFlag, 0,   0,         false},
                                         {kUpsLowBattery, "Delaytime",       R::Number,     0,   kMaxDelayMinutes, false}};

// A shutdown by what the battery has left, as the UPS reports it: at or below `Runtime`
// minutes of runtime or `Charge` percent (0 turns either off), the low-battery shutdown
// starts. Its switch reads a missing or damaged value as the shipped "on": it can only
// bring a shutdown forward when the battery is nearly empty, never start one on mains.
inline constexpr Setting LevelShutdown   {kUpsBatteryLevel, "Shutdown",      R::Flag,       0,   0,         false};
inline constexpr Setting LevelRuntime    {kUpsBatteryLevel, "Runtime",       R::Number,     0,   600,       true};
inline constexpr Setting LevelCharge     {kUpsBatteryLevel, "Charge",        R::Number,     0,   100,       true};

// The hand-over flags between the monitor and the closer ("ShutDown" here is not the
// "Shutdown" of the power events).
inline constexpr Setting ShutDown        {kSchema,        "ShutDown",        R::Number,     0,   1,         true};
inline constexpr Setting CloseAppFlag    {kSchema,        "CloseAppFlag",    R::Number,     0,   1,         true};
inline constexpr Setting SaveList        {kSchema,        "SaveList",        R::Flag,       0,   0,         false};
inline constexpr Setting Close           {kSchema,        "Close",           R::Number,     0,   1,         true};
// The desktop's notifications of the power events (1 = shown).
inline constexpr Setting Notifications   {kDesktop,       "Notifications",   R::Flag,       0,   0,         false};
// clang-format on

// Every setting of the file, in the order the shipped file holds them.
inline constexpr const Setting* kAll[] = {
    &ComboPort,
    &Logcount,
    &Eventcount,
    &Closecount,
    &Saveapllication,
    &OSDisableevent,
    &Hibernate,
    &UpsOnBattery.Disableevent,
    &UpsOnBattery.Recordlog,
    &UpsOnBattery.Shutdown,
    &UpsOnBattery.Delaytime,
    &UpsLowBattery.Disableevent,
    &UpsLowBattery.Recordlog,
    &UpsLowBattery.Shutdown,
    &UpsLowBattery.Delaytime,
    &LevelShutdown,
    &LevelRuntime,
    &LevelCharge,
    &ShutDown,
    &CloseAppFlag,
    &SaveList,
    &Close,
    &Notifications,
};

// The two power events, each with its section.
enum class PowerEvent { OnBattery, LowBattery };
const EventSettings& eventSettings(PowerEvent event);

// --- Reading -------------------------------------------------------------------------

// The stored text, cut as ReadIni cuts it; empty when missing.
QString readText(const Setting& s);
// The stored number; nullopt when missing or not a number (no range check).
std::optional<double> storedNumber(const Setting& s);
// The stored number when it obeys the setting's rule, else the shipped value.
double readNumber(const Setting& s);
// The setting as a truth value, by its rule (Flag or SafetyFlag).
bool readFlag(const Setting& s);
// The value the shipped settings file holds.
QString shippedText(const Setting& s);

// --- Writing -------------------------------------------------------------------------

// Stores one value; true when it is on disk.
bool write(const Setting& s, const QString& value);
bool write(const Setting& s, int value);

// --- The monitor's readers, by their meaning ------------------------------------------

// 0 = USB, 1 to 4 = COM1 to COM4.
int comboPort();
inline bool serialLink() {
    return comboPort() > 0;
}
// [event] Shutdown as a truth value (a damaged value never arms).
bool shutdownArmed(PowerEvent event);
// [event] Shutdown compared with 1.
bool shutdownIsOne(PowerEvent event);
// [event] Delaytime x 60, rounded to whole seconds (halves to even).
int delaySeconds(PowerEvent event);
// [event] Disableevent is 0: the event's record may be written.
bool eventEnabled(PowerEvent event);
// [event] Recordlog as a truth value.
bool recordLog(PowerEvent event);
// A record limit (Logcount, Eventcount or Closecount) as a whole number of rows.
int recordLimit(const Setting& limit);
// The limits of the three record stores, from one reading of the file.
struct RecordLimits {
    int log;
    int events;
    int closed;
};
RecordLimits recordLimits();
// [UpsBatteryLevel], from one reading of the file: the thresholds in force (0 when off or
// when the switch is off).
struct BatteryLevelLimits {
    int runtimeSeconds = 0;
    int chargePercent = 0;
    bool any() const { return runtimeSeconds > 0 || chargePercent > 0; }
};
BatteryLevelLimits batteryLevelLimits();
// [OSEvent] Saveapllication: run the closer before a shutdown.
bool saveApplications();
// [OSEvent] Hibernate: hibernate instead of powering off when the system allows it.
bool hibernate();
// [Schema] SaveList: show the save list at the next start.
bool saveListRequested();
// [Schema] ShutDown equals 1: a shutdown is requested.
bool shutdownRequested();
// [Desktop] Notifications: tell the desktop of each power event.
bool notificationsOn();

} // namespace settings

// The sections and keys of CloseApp.ini, the closer's list of the windows it took up.
namespace closeapp {

inline constexpr char kFileName[] = "CloseApp.ini";

// clang-format off
inline constexpr char kCloseApp[]        = "CloseApp";        // n = window title; Count
inline constexpr char kCount[]           = "Count";
inline constexpr char kDate[]            = "Date";            // n = date of the save request
inline constexpr char kTime[]            = "Time";            // n = time of the save request
inline constexpr char kSaveAppFileName[] = "SaveAppFileName"; // n = the path it was told to save under
inline constexpr char kProbe[]           = "temp123456";      // n = the existence probe's window id
// clang-format on

// The application directory followed by "/CloseApp.ini".
QString filePath();

} // namespace closeapp

} // namespace brightlock
