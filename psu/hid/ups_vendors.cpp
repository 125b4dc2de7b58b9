// The table of UPS vendors; see ups_vendors.h.
#include "ups_vendors.h"

namespace psu::hid {

const std::vector<UpsVendor>& upsVendors() {
    static const std::vector<UpsVendor> kVendors = {
        {0x051d, 0, "APC"},
        {0x0764, 0, "CyberPower"},
        {0x0463, 0, "Eaton / MGE"},
        {0x0592, 0, "Powerware"},
        {0x047c, 0, "Dell"},
        {0x03f0, 0, "HP"},
        {0x04b3, 0, "IBM"},
        {0x06da, 0, "Phoenixtec"},
        {0x09d6, 0, ""},
        {0x2b2d, 0, ""},
        {0x09ae, 0, "Tripp Lite"},
        {0x10af, 0, "Liebert"},
        {0x0d9f, 0, "Powercom"},
        {0x05dd, 0, "Delta"},
        {0x0483, 0xa430, "STMicroelectronics (UPS firmware)"},
    };
    return kVendors;
}

const UpsVendor* findUpsVendor(uint16_t vendorId, uint16_t productId) {
    for (const UpsVendor& v : upsVendors())
        if (v.vendorId == vendorId && (v.productId == 0 || v.productId == productId))
            return &v;
    return nullptr;
}

} // namespace psu::hid
