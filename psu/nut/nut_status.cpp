// Mapping of NUT variables; see nut_status.h.
#include "nut_status.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace psu::nut {
namespace {

std::optional<double> number(const std::optional<std::string>& text) {
    if (!text || text->empty())
        return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(text->c_str(), &end);
    while (end && *end == ' ')
        ++end;
    if (end == text->c_str() || (end && *end != '\0') || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Status> statusFromUpsStatus(const std::string& upsStatus) {
    std::istringstream tokens(upsStatus);
    bool onLine = false, onBattery = false, low = false;
    for (std::string t; tokens >> t;) {
        if (t == "OL")
            onLine = true;
        else if (t == "OB")
            onBattery = true;
        else if (t == "LB")
            low = true;
        else if (t == "FSD")
            onBattery = low = true;
    }
    // Only OL or OB (or FSD) say where the power comes from; anything else (WAIT while
    // the server's driver has no data yet, a server that sends nonsense) is no answer.
    if (!onLine && !onBattery)
        return std::nullopt;
    Status st;
    st.acPresent = !onBattery;
    st.batteryLow = low;
    return st;
}

int chargeFromText(const std::optional<std::string>& text) {
    auto v = number(text);
    if (!v || *v < 0 || *v > 100)
        return -1;
    return int(std::lround(*v));
}

long runtimeFromText(const std::optional<std::string>& text) {
    auto v = number(text);
    if (!v || *v < 0 || *v > 4.0e9)
        return -1;
    return long(std::lround(*v));
}

int loadFromText(const std::optional<std::string>& text) {
    auto v = number(text);
    if (!v || *v < 0)
        return -1;
    return int(std::lround(std::min(*v, 254.0)));
}

double voltageFromText(const std::optional<std::string>& text) {
    auto v = number(text);
    if (!v || *v < 0 || *v > 6000)
        return -1;
    return *v;
}

} // namespace psu::nut
