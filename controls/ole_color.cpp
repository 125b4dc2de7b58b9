// Conversion of 32-bit colour values into QColor.
#include "ole_color.h"

#include "palette.h"

#include <utility>

namespace brightlock {

QColor fromOleColor(quint32 value) {
    if (value & 0x80000000u) {
        // The few system colours the windows use; anything else reads as the window face.
        static const std::pair<quint32, QColor> table[] = {
            {0x05, Qt::white},      // window
            {0x08, Qt::black},      // window text
            {0x0F, palette::kFace}, // button face
            {0x10, palette::kFaceShadow},
            {0x11, palette::kDisabledText},
            {0x12, Qt::black}, // button text
            {0x14, palette::kFaceLight},
        };
        for (const auto& [index, colour] : table)
            if (index == (value & 0xFFFFu))
                return colour;
        return palette::kFace;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace brightlock
