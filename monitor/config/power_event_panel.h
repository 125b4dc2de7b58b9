// The rules of the two power-event panels ("UPS On Battery " and "UPS Low Battery "), on
// the panel's controls taken as values. The page reads its controls into a
// PowerEventPanel, lets a rule change it and shows the result, so the page keeps no state
// beyond its controls. The skinned check box raises its click before its state changes:
// the click rules get the state from before the click and leave the clicked box alone.
#pragma once

#include "arrow_buttons.h"
#include "message_port.h"
#include "settings_catalogue.h"

#include <QString>
#include <functional>

namespace brightlock {

struct PowerEventPanel {
    settings::PowerEvent event = settings::PowerEvent::OnBattery;
    int disableAll = 0;           // "Disable on all events" (ChkOnBattE, ChkLowBattE)
    int recordLog = 0;            // "Enable for record logs" (ChkOnBattL, ChkLowBattL)
    int shutdown = 0;             // "Enable for this event" (ChkOnBattS, ChkLowBattS)
    QString delay;                // TxtOnBattCount, TxtLowBattCount
    bool groupEnabled = true;     // the group frame (Frame2, Frame4)
    bool recordLogEnabled = true; // the two check boxes inside the group
    bool shutdownEnabled = true;
    bool delayEnabled = true;       // the delay box
    bool delayArrowsEnabled = true; // its "<" and ">"
};

// The delay's arrows: "<" stops at 1 minute, ">" has no upper bound.
inline constexpr ArrowRange kDelayArrows{1, std::nullopt};

// Fills the panel from the event's section. Sets the group frame's and the delay's
// enabled states; the two check boxes inside the group keep theirs.
void loadPowerEventPanel(PowerEventPanel& panel);

// "Disable on all events" clicked. Ticking it disables the group, clears and disables
// the two check boxes and disables the delay's arrows (the delay box keeps its own state,
// unusable inside the disabled group); clearing it enables the group and the two boxes
// and leaves everything else as it is.
void disableAllClicked(PowerEventPanel& panel);

// "Enable for this event" clicked: ticking it enables the delay box and its arrows,
// clearing it disables them.
void enableEventClicked(PowerEventPanel& panel);

// "Apply": writes Disableevent, Shutdown, Recordlog and Delaytime, in that order, the
// check boxes as whole numbers and the delay as typed. A delay the countdown cannot use
// (not a number, below 0, or beyond the countdown's longest run) is refused: the
// "Please input number " message, then the stored value back in the box, and Delaytime
// keeps it; the other three keys are written all the same. A write that fails is told
// with the folder and the reason (unsaved_settings.h), and the panel is loaded again with
// what is in force. `shown` lets the page show the panel before the message comes up.
void applyPowerEventPanel(PowerEventPanel& panel, MessagePort& messages,
                          const std::function<void(const PowerEventPanel&)>& shown = {});

} // namespace brightlock
