// The OS panel's Apply; see os_panel_apply.h.
#include "os_panel_apply.h"

#include "ini.h"
#include "port_choice.h"
#include "settings.h"
#include "shown_values.h"
#include "unsaved_settings.h"

#include <cmath>

namespace brightlock {

void OsPanelApply::Command5(OsPanel& panel, const std::function<void(const OsPanel&)>& shown) {
    for (size_t box = 0; box < panel.limits.size(); ++box)
        checkLimit(panel, box, shown);
    if (!writePanel(panel)) {
        tellUnsavedSettings(messages_);
        loadOsPanel(panel); // what is in force, not what could not be stored
    }
    if (const QString trouble = monitor_.switchLink(); !trouble.isEmpty())
        messages_.critical(trouble);
    monitor_.rearmCountdown();
}

void OsPanelApply::checkLimit(OsPanel& panel, size_t box, const std::function<void(const OsPanel&)>& shown) {
    QString& text = panel.limits[box];
    const Setting& key = *kLimitKeys[box];
    const std::optional<double> value = parseNumber(text);
    if (value && (*value < kLimitRange.low || *value > *kLimitRange.high)) {
        text = numberBoxText(key);
        if (shown)
            shown(panel);
        messages_.critical(QString::fromLatin1(kNumberRangeMessage));
    } else if (!value) {
        if (shown)
            shown(panel);
        messages_.critical(QString::fromLatin1(kPleaseInputNumber));
        text = numberBoxText(key);
    }
}

bool OsPanelApply::writePanel(const OsPanel& panel) {
    bool written = true;
    for (size_t box : {2u, 1u, 0u}) {
        if (const std::optional<double> value = parseNumber(panel.limits[box]))
            written &= settings::write(*kLimitKeys[box], QString::number(std::floor(*value), 'f', 0));
    }
    written &= settings::write(settings::Saveapllication, panel.saveApplications);
    written &= settings::write(settings::OSDisableevent, panel.disableAll);
    written &= settings::write(settings::Hibernate, panel.hibernate);
    if (const std::optional<int> port = portValueOf(panel.portText()))
        written &= settings::write(settings::ComboPort, *port);
    return written;
}

} // namespace brightlock
