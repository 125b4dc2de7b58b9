// The "<" and ">" buttons beside the number boxes. Each reads its box as a decimal number
// and writes the result back as the text of that number: "<" takes one off down to the
// lower bound, ">" adds one up to the upper bound, if there is one.
#pragma once

#include "settings_catalogue.h"

#include <QString>
#include <optional>

namespace brightlock {

struct ArrowRange {
    double low;
    std::optional<double> high;
};

enum class Arrow { Down, Up };

// The box's next number; nullopt when the text is not a number.
std::optional<double> arrowStep(const QString& text, Arrow arrow, const ArrowRange& range);

// A number as a box shows it: whole numbers without a decimal point, fractions kept
// (15 significant digits, so 2.3 - 1 shows as 1.3).
QString numberText(double value);

// The box's text after a press. A box that does not hold a number gets the value in
// force for its key back, as the panel shows it on loading, so the user can go on from
// a number again.
QString pressArrow(const QString& text, Arrow arrow, const ArrowRange& range, const Setting& key);

} // namespace brightlock
