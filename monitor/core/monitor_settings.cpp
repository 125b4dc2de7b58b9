// The monitor's settings readers; see monitor_settings.h.
#include "monitor_settings.h"

#include "settings.h"

#include <climits>
#include <cmath>

namespace brightlock::settings {
namespace {

const QString kKeyShutdown = QStringLiteral("Shutdown");

} // namespace

int comboPort() {
    double v = readNumber(QStringLiteral("Mscomm"), QStringLiteral("ComboPort"),
                          [](double n) { return n >= 0 && n <= 4 && n == std::floor(n); });
    return int(v);
}

bool shutdownArmed(const QString& event) {
    return readSafetyFlag(event, kKeyShutdown);
}

bool shutdownIsOne(const QString& event) {
    auto v = storedNumber(event, kKeyShutdown);
    return v && *v == 1;
}

int delaySeconds(const QString& event) {
    double minutes =
        readNumber(event, QStringLiteral("Delaytime"), [](double n) { return n >= 0 && n * 60 <= INT_MAX; });
    return int(std::nearbyint(minutes * 60));
}

bool eventEnabled(const QString& event) {
    return readNumber(event, QStringLiteral("Disableevent")) == 0;
}

bool recordLog(const QString& event) {
    return readFlag(event, QStringLiteral("Recordlog"));
}

int recordLimit(const QString& key) {
    double v = readNumber(QStringLiteral("OSEvent"), key, [](double n) { return n >= 1 && n <= INT_MAX; });
    return int(std::nearbyint(v));
}

bool saveApplications() {
    return readFlag(QStringLiteral("OSEvent"), QStringLiteral("Saveapllication"));
}

bool saveListRequested() {
    return readFlag(QStringLiteral("Schema"), QStringLiteral("SaveList"));
}

} // namespace brightlock::settings
