// The colours every piece of Brightlock's artwork is drawn with, so the skin, the status
// diagram, the icons and the splash look like one program. The controls and windows paint
// with them at run time; the generators in tools/ paint the committed pictures with them.
#pragma once

#include <QColor>

namespace brightlock::palette {

// Window chrome: the blue of the title bar and of the alarm gradient.
inline const QColor kBlueDark{33, 120, 224};
inline const QColor kBlueLight{131, 166, 244};
inline const QColor kBlueDeep{18, 62, 140};
inline const QColor kFace{207, 207, 207}; // window face
inline const QColor kFaceLight{236, 236, 232};
inline const QColor kFaceShadow{150, 150, 146};
inline const QColor kDisabledText{161, 161, 146};
inline const QColor kInk{32, 36, 44}; // outlines and text on light faces

// Power states.
inline const QColor kMains{0, 128, 0};         // on-line text colour
inline const QColor kMainsBright{46, 190, 80}; // mains pipe, flowing
inline const QColor kMainsDim{120, 160, 128};  // mains pipe, still
inline const QColor kBattery{255, 128, 0};     // on battery
inline const QColor kBatteryDim{200, 150, 96};
inline const QColor kLow{255, 0, 0}; // battery low
inline const QColor kLowDim{176, 96, 96};
inline const QColor kNotProtected{128, 128, 128}; // no UPS answers: the tray's greyed shield
inline const QColor kNotProtectedLight{196, 196, 196};
inline const QColor kNotProtectedDeep{84, 84, 84};

// Progress chunk of the alarm bar.
inline const QColor kChunkLight{149, 233, 150};
inline const QColor kChunkDark{40, 210, 43};

// The warning sign of the alarm.
inline const QColor kWarningLight{255, 222, 89};
inline const QColor kWarning{255, 184, 0};
inline const QColor kWarningDeep{150, 90, 0};

} // namespace brightlock::palette
