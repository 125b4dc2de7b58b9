// A Monitor wired to the stand-ins of fakes.h, in a fresh application directory. The
// notifications go to `Notices`: the stand-in that keeps them, or a real sender; the UPS is
// `Psu`: the stand-in, or the real driver library.
#pragma once

#include "monitor.h"
#include "support/fakes.h"
#include "support/monitor_probe.h"
#include "support/temp_home.h"

#include <type_traits>

// The UPS side of a rig: a stand-in writes to the call log, the real library needs nothing.
template <typename Psu> Psu makeRigPsu(fakes::CallLog& log) {
    if constexpr (std::is_constructible_v<Psu, fakes::CallLog&>)
        return Psu{log};
    else
        return Psu{};
}

template <typename Notices = fakes::Notices, typename Psu = fakes::Psu> struct MonitorRigOf {
    TempHome home;
    fakes::CallLog log;
    Psu psu = makeRigPsu<Psu>(log);
    fakes::Serial serial{log};
    fakes::Tray tray{log};
    fakes::Recorder records{log};
    fakes::Alarm alarm{log};
    fakes::Form form{log};
    Notices notices;
    brightlock::Monitor monitor{{psu, serial, records, tray, alarm, form, notices}};

    void set(const QString& section, const QString& key, const QString& value) {
        home.set(section, key, value);
    }
    const brightlock::UpsFlags& flags() { return monitor.flags(); }
    const brightlock::StatusArea& statusArea() { return monitor.statusArea(); }
    bool shown(brightlock::PowerPath::Picture p) { return monitor.powerPath().isShown(p); }
    // Holds the poll's timer: the test polls by hand.
    void holdPoll() { brightlock::MonitorProbe::pollTimer(monitor).stop(); }
};

using MonitorRig = MonitorRigOf<>;
