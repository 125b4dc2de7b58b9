// Diagnostics of libPSU.so. The library is plain C++ loaded into other programs, so it has
// no Qt logging category: its messages go to standard error only when PSU_DEBUG is set,
// and the monitor's window stays quiet otherwise.
#pragma once

namespace psu {

bool debugEnabled();

// printf-style; one line, the prefix "psu: " is added.
void debugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace psu
