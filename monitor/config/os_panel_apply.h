// "Apply" of the OS panel (Command5): checks the three record limits, stores the panel,
// switches the monitor's UPS link to the chosen port at once and re-arms the countdown's
// length from the delay of the event in force.
#pragma once

#include "message_port.h"
#include "monitor.h"
#include "os_panel.h"

#include <functional>

namespace brightlock {

class OsPanelApply {
public:
    OsPanelApply(Monitor& monitor, MessagePort& messages) : monitor_(monitor), messages_(messages) {}

    // 1. Each limit box in turn (log, event, closed): a number outside 10..1000 gets the
    //    stored value back and then the range message; an empty box (or one without a
    //    number) gets the number message and then the stored value back. A message never
    //    ends the Apply.
    // 2. Writes Closecount, Eventcount, Logcount (each rounded down to a whole number),
    //    Saveapllication, Disableevent and Hibernate, in that order.
    // 3. Writes ComboPort when the port list shows exactly one of its entries. A write that
    //    fails is told with the folder and the reason (unsaved_settings.h), and the panel
    //    is loaded again with what is in force.
    // 4. Switches the link to the port now stored, then re-arms the countdown's length;
    //    a serial port that cannot be opened is told (the polls keep trying it), any other
    //    step that fails is skipped without a message.
    // `shown` lets the page show the panel as it stands before each message comes up.
    void Command5(OsPanel& panel, const std::function<void(const OsPanel&)>& shown = {});

private:
    void checkLimit(OsPanel& panel, size_t box, const std::function<void(const OsPanel&)>& shown);
    bool writePanel(const OsPanel& panel); // true when all of it is stored

    Monitor& monitor_;
    MessagePort& messages_;
};

} // namespace brightlock
