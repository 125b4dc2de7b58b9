// Where libPSU.so finds its files: the application directory of the programs beside it.
#pragma once

#include <string>

namespace psu {

// The folder that holds libPSU.so (and the programs).
std::string libraryDirectory();

// The application directory of the programs in libraryDirectory().
std::string applicationDirectory();

// The library's own settings file: PSU.ini in the application directory.
std::string settingsFile();

} // namespace psu
