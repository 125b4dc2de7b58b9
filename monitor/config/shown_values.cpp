// Stored values as the pages show them; see shown_values.h.
#include "shown_values.h"

#include "settings.h"

namespace brightlock {

int checkBoxState(const Setting& s) {
    const std::optional<double> stored = settings::storedNumber(s);
    if (stored && (*stored == 0 || *stored == 1 || *stored == 2))
        return int(*stored);
    const bool set = s.rule == SettingRule::Number ? settings::readNumber(s) != 0 : settings::readFlag(s);
    return set ? 1 : 0;
}

QString numberBoxText(const Setting& s) {
    const QString stored = settings::readText(s);
    if (const std::optional<double> v = parseNumber(stored); v && s.accepts(*v))
        return stored;
    return settings::shippedText(s);
}

int portIndex() {
    return settings::comboPort();
}

} // namespace brightlock
