// The arrow buttons' arithmetic; see arrow_buttons.h.
#include "arrow_buttons.h"

#include "settings.h"
#include "shown_values.h"

namespace brightlock {

std::optional<double> arrowStep(const QString& text, Arrow arrow, const ArrowRange& range) {
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    if (arrow == Arrow::Down)
        return *value > range.low ? *value - 1 : range.low;
    if (!range.high || *value < *range.high)
        return *value + 1;
    return *range.high;
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

QString pressArrow(const QString& text, Arrow arrow, const ArrowRange& range, const Setting& key) {
    if (const std::optional<double> next = arrowStep(text, arrow, range))
        return numberText(*next);
    return numberBoxText(key);
}

} // namespace brightlock
