// Where the parts of the power-path diagram sit. The base and every lit layer share these
// numbers, so the layers drop exactly into the empty channels of the base.
#pragma once

#include <QPointF>
#include <QRectF>

namespace art::diagram {

inline constexpr int kWidth = 440;
inline constexpr int kHeight = 200;

// The devices.
inline const QRectF kSocket{24, 34, 56, 56};
inline const QRectF kUps{174, 16, 64, 90};
inline const QRectF kBattery{162, 148, 88, 38};
inline const QRectF kTower{324, 22, 32, 84};
inline const QRectF kScreen{362, 28, 58, 44};

// The pipes: an outer channel and the inner bore that the lit layers fill.
inline constexpr double kChannelWidth = 18;
inline constexpr double kBoreWidth = 12;
inline constexpr double kCollar = 5; // length of the fitting where a pipe meets a device
inline constexpr double kRowY = 62;  // height of the mains row

inline const double kBatteryPipeX = kUps.center().x();

// Bores between the fittings, one per visible pipe section.
inline const QRectF kMainsBore{kSocket.right() + kCollar, kRowY - kBoreWidth / 2,
                               kUps.left() - kSocket.right() - 2 * kCollar, kBoreWidth};
inline const QRectF kLoadBore{kUps.right() + kCollar, kRowY - kBoreWidth / 2,
                              kTower.left() - kUps.right() - 2 * kCollar, kBoreWidth};
inline const QRectF kBatteryBore{kBatteryPipeX - kBoreWidth / 2, kUps.bottom() + kCollar, kBoreWidth,
                                 kBattery.top() - kUps.bottom() - 2 * kCollar};

// The level window on the battery's front and the status lamp on the UPS front.
inline const QRectF kBatteryGauge{kBattery.left() + 14, kBattery.top() + 13, 60, 14};
inline constexpr int kGaugeCells = 4;
inline QRectF gaugeCell(int index) {
    const double gap = 2;
    const double width = (kBatteryGauge.width() - gap * (kGaugeCells - 1)) / kGaugeCells;
    return QRectF(kBatteryGauge.left() + index * (width + gap), kBatteryGauge.top(), width,
                  kBatteryGauge.height());
}
inline const QPointF kUpsLamp{kUps.right() - 14, kUps.bottom() - 16};
inline constexpr double kLampRadius = 4;

} // namespace art::diagram
