// How the nut driver reads what a server and PSU.ini give it: ups.status, the battery
// values, and a UPS address. Properties: a status is an answer only when it names OL,
// OB or FSD; an accepted address is written back and read again unchanged.
#include "fuzz_input.h"
#include "nut/nut_config.h"
#include "nut/nut_status.h"

#include <sstream>

using namespace psu::nut;

namespace {

bool namesPowerSource(const std::string& status) {
    std::istringstream tokens(status);
    for (std::string t; tokens >> t;)
        if (t == "OL" || t == "OB" || t == "FSD")
            return true;
    return false;
}

std::string written(const Address& a) {
    const bool bracket = a.host.find(':') != std::string::npos;
    return a.ups + "@" + (bracket ? "[" + a.host + "]" : a.host) + ":" + std::to_string(a.port);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const std::string status(in.piece());
    const std::string charge(in.piece()), runtime(in.piece());
    const std::string address(in.rest());

    auto st = statusFromUpsStatus(status);
    fuzz::require(st.has_value() == namesPowerSource(status));
    const int c = chargeFromText(charge);
    fuzz::require(c >= -1 && c <= 100);
    fuzz::require(runtimeFromText(runtime) >= -1);

    if (auto a = parseAddress(address)) {
        fuzz::require(!a->host.empty() && a->port != 0);
        auto again = parseAddress(written(*a));
        fuzz::require(again && again->ups == a->ups && again->host == a->host && again->port == a->port);
    }
    return 0;
}
