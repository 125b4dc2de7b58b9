// Mapping of NUT variables; see nut_status.h.
#include "nut_status.h"

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
    bool any = false, onBattery = false, low = false, meaningful = false;
    for (std::string t; tokens >> t;) {
        any = true;
        if (t != "WAIT")
            meaningful = true;
        if (t == "OB")
            onBattery = true;
        else if (t == "LB")
            low = true;
        else if (t == "FSD")
            onBattery = low = true;
    }
    if (!any || !meaningful)
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

} // namespace psu::nut
