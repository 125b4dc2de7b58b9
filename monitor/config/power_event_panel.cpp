// The power-event panels' rules; see power_event_panel.h.
#include "power_event_panel.h"

#include "ini.h"
#include "settings.h"
#include "shown_values.h"
#include "unsaved_settings.h"

#include <cmath>

namespace brightlock {

void loadPowerEventPanel(PowerEventPanel& panel) {
    const settings::EventSettings& keys = settings::eventSettings(panel.event);
    panel.disableAll = checkBoxState(keys.Disableevent);
    panel.recordLog = checkBoxState(keys.Recordlog);
    panel.shutdown = checkBoxState(keys.Shutdown);
    panel.delay = numberBoxText(keys.Delaytime);
    panel.groupEnabled = panel.disableAll != 1;
    panel.delayEnabled = panel.shutdown == 1;
    panel.delayArrowsEnabled = panel.shutdown == 1;
}

void disableAllClicked(PowerEventPanel& panel) {
    const bool ticking = panel.disableAll == 0;
    panel.groupEnabled = !ticking;
    panel.recordLogEnabled = !ticking;
    panel.shutdownEnabled = !ticking;
    if (ticking) {
        panel.recordLog = 0;
        panel.shutdown = 0;
        panel.delayArrowsEnabled = false;
    }
}

void enableEventClicked(PowerEventPanel& panel) {
    const bool ticking = panel.shutdown == 0;
    panel.delayEnabled = ticking;
    panel.delayArrowsEnabled = ticking;
}

void applyPowerEventPanel(PowerEventPanel& panel, MessagePort& messages,
                          const std::function<void(const PowerEventPanel&)>& shown) {
    const settings::EventSettings& keys = settings::eventSettings(panel.event);
    // A delay the poll cannot use would silently give way to the shipped one: the user
    // would believe a delay to be in force that is not.
    const std::optional<double> delay = parseNumber(panel.delay);
    const bool delayUsable = delay && keys.Delaytime.accepts(*delay);
    if (!delayUsable) {
        if (shown)
            shown(panel);
        // A number outside the range is told as such: "input a number" would puzzle.
        messages.critical(delay ? QStringLiteral("Please input number range between %1 and %2")
                                      .arg(qint64(std::ceil(keys.Delaytime.min)))
                                      .arg(qint64(std::floor(keys.Delaytime.max)))
                                : QString::fromLatin1(kPleaseInputNumber));
        panel.delay = numberBoxText(keys.Delaytime);
    }

    bool written = settings::write(keys.Disableevent, panel.disableAll);
    written &= settings::write(keys.Shutdown, panel.shutdown);
    written &= settings::write(keys.Recordlog, panel.recordLog);
    if (delayUsable)
        written &= settings::write(keys.Delaytime, panel.delay.trimmed());
    if (!written) {
        tellUnsavedSettings(messages);
        loadPowerEventPanel(panel); // what is in force, not what could not be stored
    }
}

} // namespace brightlock
