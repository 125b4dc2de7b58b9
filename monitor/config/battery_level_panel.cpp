// The "Battery Level" panel's rules; see battery_level_panel.h.
#include "battery_level_panel.h"

#include "ini.h"
#include "ini_file.h"
#include "settings.h"
#include "shown_values.h"
#include "unsaved_settings.h"

#include <optional>
#include <utility>
#include <vector>

namespace brightlock {
namespace {

// Checks one box; true when its number may be stored.
bool checkBox(QString& text, const Setting& key, MessagePort& messages, const std::function<void()>& shown) {
    const std::optional<double> value = parseNumber(text);
    if (!value) {
        shown();
        messages.critical(QString::fromLatin1(kPleaseInputNumber));
        text = numberBoxText(key);
        return false;
    }
    if (!key.accepts(*value)) {
        text = numberBoxText(key);
        shown();
        messages.critical(levelRangeMessage(key));
        return false;
    }
    return true;
}

} // namespace

QString levelRangeMessage(const Setting& key) {
    return QStringLiteral("Please input number range between %1 and %2").arg(key.min).arg(key.max);
}

void loadBatteryLevelPanel(BatteryLevelPanel& panel) {
    panel.shutdown = checkBoxState(settings::LevelShutdown);
    panel.runtime = numberBoxText(settings::LevelRuntime);
    panel.charge = numberBoxText(settings::LevelCharge);
    panel.limitsEnabled = panel.shutdown != 0;
}

void levelShutdownClicked(BatteryLevelPanel& panel) {
    panel.limitsEnabled = panel.shutdown == 0;
}

bool applyBatteryLevelPanel(BatteryLevelPanel& panel, MessagePort& messages,
                            const std::function<void(const BatteryLevelPanel&)>& shown) {
    const auto show = [&] {
        if (shown)
            shown(panel);
    };
    std::vector<std::pair<std::string, std::string>> values{
        {settings::LevelShutdown.key, std::to_string(panel.shutdown)}};
    if (checkBox(panel.runtime, settings::LevelRuntime, messages, show))
        values.emplace_back(settings::LevelRuntime.key, panel.runtime.trimmed().toStdString());
    if (checkBox(panel.charge, settings::LevelCharge, messages, show))
        values.emplace_back(settings::LevelCharge.key, panel.charge.trimmed().toStdString());
    if (ini::writeValues(SettingsFile().toStdString(), settings::kUpsBatteryLevel, values))
        return true;
    tellUnsavedSettings(messages);
    loadBatteryLevelPanel(panel);
    return false;
}

} // namespace brightlock
