// What the settings pages tell the user when Apply could not store the settings: the
// folder, why it cannot take them, and which settings are in force instead.
#pragma once

#include "message_port.h"

#include <QString>

namespace brightlock {

// Why the settings folder cannot take a write, in a few words ("it is read-only"), found
// by looking at the folder and the file as they are now.
QString settingsFolderProblem();

// The message: 'The settings could not be saved in the folder "…": <why>.' and, on a
// second line, the settings in force: those stored before, or the shipped ones when no
// file can be read (with the shutdown armed).
QString unsavedSettingsText();

// Shows the message through `messages`.
void tellUnsavedSettings(MessagePort& messages);

} // namespace brightlock
