// Finding the UPS for the hid driver: the replay folder of PSU_HID_REPLAY, or the first
// hidraw node that is a UPS. upsprobe uses the same search to explain what it sees.
#pragma once

#include "hid_ups.h"
#include "hidraw_device.h"

#include <memory>
#include <string>
#include <vector>

namespace psu::hid {

// One hidraw node and what the search made of it.
struct Candidate {
    HidrawNode node;
    bool isUps = false;  // announces a UPS, or comes from a UPS vendor with power fields
    int openError = 0;   // errno of opening the node, 0 when it opened
    std::string problem; // why it is no UPS, or why it cannot be used; empty when it can
    std::unique_ptr<HidUps> ups;
};

// Whether the hid driver takes the node for a UPS: its descriptor announces a UPS
// (application collection 0x84:0x04), or it comes from a UPS maker (ups_vendors.cpp) and
// reports the mains status. The udev rule grants access by the same test (through
// brightlock-ups-check). When not, `why` says why in words for a user.
bool isUps(const HidrawNode& node, std::string* why = nullptr);

// Whether the node might be a power device all the same: it comes from a UPS maker, or
// its descriptor uses the Power Device or Battery System usage pages (0x84, 0x85).
bool mayBePowerDevice(const HidrawNode& node);

// Every hidraw node; the UPS nodes are opened (and kept open in `ups`) when `open`.
std::vector<Candidate> probeHidraw(bool open);

// The UPS the hid driver uses: the replay device when PSU_HID_REPLAY is set, else the
// first usable UPS among the hidraw nodes. nullptr with the reason in `why`.
std::unique_ptr<HidUps> findUps(std::string* why);

// The replay folder named by PSU_HID_REPLAY; empty when unset.
std::string replayFolder();

} // namespace psu::hid
