// A label's text colour, set alike for the active, inactive and disabled looks, so the skinned
// windows keep their caption colours whatever the window's activation and the desktop theme.
#pragma once

class QColor;
class QLabel;

namespace brightlock {

void setTextColour(QLabel* label, const QColor& colour);

} // namespace brightlock
