// Tests only: what a test must stage inside the monitor and no operation of the program
// reaches, such as holding the poll while the test polls by hand.
#pragma once

#include "monitor.h"

namespace brightlock {

struct MonitorProbe {
    static QTimer& pollTimer(Monitor& m) { return m.Timer1; }
    static PowerPath& powerPath(Monitor& m) { return m.powerPath_; }
};

} // namespace brightlock
