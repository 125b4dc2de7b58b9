// A Monitor wired to the stand-ins of fakes.h, in a fresh application directory. The
// notifications go to `Notices`: the stand-in that keeps them, or a real sender.
#pragma once

#include "monitor.h"
#include "support/fakes.h"
#include "support/monitor_probe.h"
#include "support/temp_home.h"

template <typename Notices = fakes::Notices> struct MonitorRigOf {
    TempHome home;
    fakes::CallLog log;
    fakes::Psu psu{log};
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
