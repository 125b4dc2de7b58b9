// The panel of one power event, FrmUpsOnBatt ("UPS On Battery ") or FrmUpsLowBatt ("UPS
// Low Battery "): "Disable on all events", the group frame with "Enable for record logs",
// "Enable for this event" and the shutdown delay, then "Apply" and "Help". It shows the
// rules of power_event_panel.h.
#pragma once

#include "message_port.h"
#include "panel_parts.h"
#include "power_event_panel.h"
#include "xpcheckbox.h"
#include "xpcmdbutton.h"

#include <QFrame>

namespace brightlock {

class FrmPowerEvent : public QFrame {
    Q_OBJECT
public:
    FrmPowerEvent(settings::PowerEvent event, MessagePort& messages, QWidget* parent = nullptr);

    // Fills the panel afresh from the settings file.
    void load();

    // The controls as values, and back.
    PowerEventPanel values() const;
    void showValues(const PowerEventPanel& panel);

private:
    void change(void (*rule)(PowerEventPanel&));
    void pressArrow(Arrow arrow);
    void apply();

    settings::PowerEvent event_;
    MessagePort& messages_;
    xpcheckbox* disableAll_;
    QFrame* group_;
    xpcheckbox* recordLog_;
    xpcheckbox* shutdown_;
    NumberBox delay_;
};

} // namespace brightlock
