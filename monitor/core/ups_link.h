// The status flags of the UPS and QueryUps, the one operation that talks to a USB UPS.
#pragma once

#include "psu_api.h"

#include <cstdint>

namespace brightlock {

struct UpsFlags {
    bool UpsReplyOk = false; // the last USB status query was answered in the expected form
    bool UpsOnBatt = false;  // mains failed, the UPS runs on battery
    bool UpsLowBatt = false; // the UPS battery is low
    bool UsbLink = false;    // the configured link is USB (set by each poll)
};

class UpsLink {
public:
    explicit UpsLink(PsuApi& psu) : psu_(psu) {}

    // Command 1 asks for the status and updates the flags from the reply; command 2
    // tells the UPS to switch off. Any other command counts as an unanswered query.
    void QueryUps(int16_t command);

    UpsFlags& flags() { return flags_; }
    const UpsFlags& flags() const { return flags_; }
    PsuApi& psu() { return psu_; }

private:
    PsuApi& psu_;
    UpsFlags flags_;
};

} // namespace brightlock
