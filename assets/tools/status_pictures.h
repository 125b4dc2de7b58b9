// The pictures that status_art paints: the power-path diagram of the Status page with its lit
// layers, the state icons (also the tray icons) and the splash.
#pragma once

#include <QColor>
#include <QImage>

namespace art {

// The opaque diagram with empty pipes; every layer below is a transparent picture of the same
// size drawn over it.
QImage diagramBase();

// The mains path (mains -> UPS -> computer) filled with `pipe`.
QImage mainsPathLayer(const QColor& pipe);

// Markers along the mains path; frame 6 has them nearest the mains, and the frames are shown
// 6, 5, ..., 1, 6, ... so that power runs towards the computer.
QImage flowLayer(int frame);

// The battery path (battery -> UPS -> computer) filled with `pipe`, with the battery's gauge
// nearly empty when `low`.
QImage batteryPathLayer(const QColor& pipe, bool low);

enum class StateIcon { Main, NotProtected, OnBattery, LowBattery, Alarm };

// A square state icon of `size` pixels, drawn for 48 and legible when scaled to 16.
QImage stateIcon(StateIcon icon, int size);

// The opaque start-up picture.
QImage splash();

} // namespace art
