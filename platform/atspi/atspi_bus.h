// The session's accessibility bus (org.a11y.Bus, started by at-spi-bus-launcher).
#pragma once

#include <QString>

namespace brightlock::atspi {

// Whether the session has an accessibility bus; when it has, sets org.a11y.Status IsEnabled,
// which Qt and KDE programs read as they start to decide whether to expose themselves
// (GTK programs expose themselves whenever the bus is there). False, with `whyNot`, when
// there is no session bus or no accessibility bus on it.
bool switchAccessibilityOn(QString& whyNot);

} // namespace brightlock::atspi
