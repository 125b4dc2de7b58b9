// Colours kept as 32-bit values, red + 256 x green + 65536 x blue, as the settings and the
// controls' colour properties hold them. Values with the top bit set name a system colour;
// the skinned windows resolve those to the skin's own colours, so a control looks the
// same on a light and a dark desktop theme.
#pragma once

#include <QColor>

namespace brightlock {

inline constexpr quint32 kSystemButtonFace = 0x8000000F;

QColor fromOleColor(quint32 value);

} // namespace brightlock
