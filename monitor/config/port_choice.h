// The UPS port as the settings page offers it: the list "USB", "COM1" to "COM4", whose
// index is the stored [Mscomm] ComboPort (0 = USB through libPSU.so, 1 to 4 = the serial
// ports /dev/ttyS0 to /dev/ttyS3).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace brightlock {

// The entries of the port list, in order.
QStringList portEntries();

// The ComboPort value of an entry's text, compared exactly (case and blanks count);
// nullopt for any other text.
std::optional<int> portValueOf(const QString& entryText);

} // namespace brightlock
