// The OS panel's loading and its "Disable on all events" rule; see os_panel.h.
#include "os_panel.h"

#include "port_choice.h"
#include "shown_values.h"

namespace brightlock {

void loadOsPanel(OsPanel& panel) {
    panel.ports = portEntries();
    panel.port = portIndex();
    panel.disableAll = checkBoxState(settings::OSDisableevent);
    panel.saveApplications = checkBoxState(settings::Saveapllication);
    panel.hibernate = checkBoxState(settings::Hibernate);
    for (size_t i = 0; i < kLimitKeys.size(); ++i)
        panel.limits[i] = numberBoxText(*kLimitKeys[i]);
}

void osDisableAllClicked(OsPanel& panel) {
    const bool ticking = panel.disableAll == 0;
    if (ticking)
        panel.saveApplications = 0;
    panel.saveApplicationsEnabled = !ticking;
    panel.limitsEnabled = !ticking;
    panel.limitArrowsEnabled = !ticking;
}

} // namespace brightlock
