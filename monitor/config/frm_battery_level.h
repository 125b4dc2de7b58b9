// The "Battery Level" panel (FrmBatteryLevel): "Shut down when the battery runs short",
// then in a group frame the runtime and charge limits, each a number box with "<" and ">",
// then "Apply" and "Help". It shows the rules of battery_level_panel.h.
#pragma once

#include "battery_level_panel.h"
#include "message_port.h"
#include "panel_parts.h"
#include "xpcheckbox.h"

#include <QFrame>

namespace brightlock {

class FrmBatteryLevel : public QFrame {
    Q_OBJECT
public:
    explicit FrmBatteryLevel(MessagePort& messages, QWidget* parent = nullptr);

    // Fills the panel afresh from the settings file.
    void load();

    // The controls as values, and back.
    BatteryLevelPanel values() const;
    void showValues(const BatteryLevelPanel& panel);

private:
    void apply();

    MessagePort& messages_;
    xpcheckbox* shutdown_;
    QFrame* group_;
    NumberBox runtime_;
    NumberBox charge_;
};

} // namespace brightlock
