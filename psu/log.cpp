// Diagnostics of libPSU.so; see log.h.
#include "log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace psu {

bool debugEnabled() {
    const char* env = std::getenv("PSU_DEBUG");
    return env && *env && *env != '0';
}

void debugLog(const char* format, ...) {
    if (!debugEnabled())
        return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "psu: %s\n", line);
}

} // namespace psu
