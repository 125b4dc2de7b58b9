// The port list; see port_choice.h.
#include "port_choice.h"

namespace brightlock {

QStringList portEntries() {
    return {QStringLiteral("USB"), QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
            QStringLiteral("COM4")};
}

std::optional<int> portValueOf(const QString& entryText) {
    const int index = portEntries().indexOf(entryText);
    if (index < 0)
        return std::nullopt;
    return index;
}

} // namespace brightlock
