// libFuzzer target: CloseApp.ini as arbitrary bytes. Reading it ends, never crashes, and
// hands over only values as ReadIni would return them: at most 253 characters, no NUL,
// every row with its save path, and never more rows than the 16-bit index allows.
#include "import_closed_apps.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<brightlock::ClosedAppRow> rows = brightlock::savedApplications(text);
    if (rows.size() > 32767)
        std::abort();
    for (const brightlock::ClosedAppRow& row : rows) {
        if (row.size() != 4 || row[3].isEmpty())
            std::abort();
        for (const QString& value : row)
            if (value.size() > 253 || value.contains(QChar(0)))
                std::abort();
    }
    return 0;
}
