// What the settings pages show for a stored value: the value the monitor works with. A
// value the monitor would not use (missing, not a number, outside its range) is shown as
// the shipped value it falls back to, so a box never shows a number that is not in force
// and Apply never writes a damaged value back unseen.
#pragma once

#include "settings_catalogue.h"

#include <QString>

namespace brightlock {

// A check box's state: a stored 0, 1 or 2 as it is; any other value as the truth value
// the monitor reads from it (1 when it counts as set, else 0).
int checkBoxState(const Setting& s);

// A number box's text: the stored text unchanged when the monitor uses it, else the
// shipped text.
QString numberBoxText(const Setting& s);

// The port list's entry: the link the monitor uses (a stored ComboPort outside 0 to 4
// reads as USB, as it does for the poll).
int portIndex();

} // namespace brightlock
