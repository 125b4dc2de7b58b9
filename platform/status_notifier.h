// Which kind of system tray the desktop offers. Panels that speak StatusNotifierItem (KDE
// Plasma, GNOME with the AppIndicator extension, most current panels) run a
// StatusNotifierWatcher on the session bus with a host registered; Qt then shows its tray
// icons there, and such hosts report a click as an activation, never as a double-click.
// Other trays are XEmbed system trays, which report double-clicks.
#pragma once

namespace brightlock {

// True when the session bus has a StatusNotifierWatcher with a host registered, as Qt
// decides it when it creates its first tray icon.
bool statusNotifierHostPresent();

} // namespace brightlock
