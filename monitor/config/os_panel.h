// The "OS Event Log" panel's controls taken as values, how the panel loads and the rule
// of its "Disable on all events" box. Its "Apply" is OsPanelApply (os_panel_apply.h).
#pragma once

#include "arrow_buttons.h"
#include "settings_catalogue.h"

#include <QString>
#include <QStringList>
#include <array>

namespace brightlock {

struct OsPanel {
    QStringList ports;             // the port list's entries (ComboPort)
    int port = -1;                 // the chosen entry; -1 for none
    std::array<QString, 3> limits; // TextLimitLog, TextLimitEvent, TextLimitClose
    int disableAll = 0;            // ChkOSDisable
    int saveApplications = 0;      // ChkOSSave
    int hibernate = 0;             // ChkOSHibernate
    bool saveApplicationsEnabled = true;
    bool limitsEnabled = true;      // the three limit boxes
    bool limitArrowsEnabled = true; // their six "<" and ">" buttons

    // The chosen entry's text, as the port list shows it.
    QString portText() const { return ports.value(port); }
};

// The keys of the three limit boxes, in the panel's order.
inline constexpr std::array<const Setting*, 3> kLimitKeys{&settings::Logcount, &settings::Eventcount,
                                                          &settings::Closecount};

// A record limit is a number from 10 to 1000; its arrows keep to the same range.
inline constexpr ArrowRange kLimitRange{10, 1000};

// Fills the panel from the file: the port list afresh with the stored port chosen, the
// three check boxes and the three limits. No enabled state changes.
void loadOsPanel(OsPanel& panel);

// "Disable on all events" clicked. Ticking it clears and disables "Save all
// apllications", and disables the limit boxes and their arrows; clearing it enables them
// again and leaves the save box's state as it is. The port list stays enabled.
void osDisableAllClicked(OsPanel& panel);

} // namespace brightlock
