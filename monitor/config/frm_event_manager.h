// The Event Manager page: what the monitor does on each power event and by the battery's
// level, the record limits, and the port the UPS is reached through. Four option buttons
// choose one of four panels, each loaded afresh from the settings file whenever it is chosen.
#pragma once

#include "frm_battery_level.h"
#include "frm_os_log.h"
#include "frm_power_event.h"
#include "message_port.h"
#include "monitor.h"
#include "monitor/kit/main_page.h"
#include "xpradiobutton.h"

#include <array>

namespace brightlock {

class FrmEventManager : public MainPage {
    Q_OBJECT
public:
    FrmEventManager(Monitor& monitor, MessagePort& messages, QWidget* parent = nullptr);

    // The tab's click opens the page on the "UPS On Battery " panel.
    void pageOpened() override { EventMana(); }

    // Sets "UPS On Battery " and clears the other option buttons, then loads its
    // panel as a click on it does.
    void EventMana();

private:
    void OptOnBattClick();
    void OptLowBattClick();
    void OptLevelClick();
    void OptOsLogClick();
    std::array<QFrame*, 4> panels() const;
    void showOnly(QFrame* shown);

    xpradiobutton* OptOnBatt_;
    xpradiobutton* OptLowBatt_;
    xpradiobutton* OptLevel_;
    xpradiobutton* OptOsLog_;
    FrmPowerEvent* onBattery_;
    FrmPowerEvent* lowBattery_;
    FrmBatteryLevel* level_;
    FrmOSLog* osLog_;
};

} // namespace brightlock
