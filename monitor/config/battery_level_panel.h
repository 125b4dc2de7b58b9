// The rules of the "Battery Level" panel (FrmBatteryLevel) on the panel's controls taken as
// values, as for the power-event panels: a check box that arms the shutdown by what the
// battery has left, and the two limits, runtime in minutes and charge in percent.
#pragma once

#include "arrow_buttons.h"
#include "message_port.h"
#include "settings_catalogue.h"

#include <QString>
#include <functional>

namespace brightlock {

struct BatteryLevelPanel {
    int shutdown = 0;          // ChkLevelShutdown
    QString runtime;           // TxtLevelRuntime, minutes
    QString charge;            // TxtLevelCharge, percent
    bool limitsEnabled = true; // the two boxes and their arrows
};

// The arrows keep to each key's range.
inline constexpr ArrowRange kLevelRuntimeArrows{settings::LevelRuntime.min, settings::LevelRuntime.max};
inline constexpr ArrowRange kLevelChargeArrows{settings::LevelCharge.min, settings::LevelCharge.max};

// The range message of a limit box: "Please input number range between 0 and 600".
QString levelRangeMessage(const Setting& key);

// Fills the panel from [UpsBatteryLevel]; the boxes are enabled while the box is ticked.
void loadBatteryLevelPanel(BatteryLevelPanel& panel);

// The check box clicked (its state from before the click): ticking it enables the boxes,
// clearing it disables them.
void levelShutdownClicked(BatteryLevelPanel& panel);

// "Apply": each box in turn (runtime, charge): not a number gets "Please input number " and
// then the stored value back; a number out of its range or not whole gets the stored value
// back and then the range message; a message never ends the Apply. Then writes Shutdown and
// the usable limits in one replacement of the file. A write that fails is told with the
// folder and the reason, and the panel shows again what is in force. True when stored.
// `shown` lets the page show the panel before each message comes up.
bool applyBatteryLevelPanel(BatteryLevelPanel& panel, MessagePort& messages,
                            const std::function<void(const BatteryLevelPanel&)>& shown = {});

} // namespace brightlock
