// upsprobe: the USB HID part of the listing, in words a user can act on.
#include "probe.h"

#include "hid/hid_ups.h"
#include "hid/replay_device.h"
#include "hid/ups_finder.h"
#include "hid/ups_vendors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace upsprobe {
namespace {

using namespace psu::hid;

void printFields(HidUps& ups) {
    const UpsLayout& layout = ups.layout();
    for (const NeedInfo& n : needTable()) {
        for (const auto* f : {&layout.featureField(n.need), &layout.inputField(n.need)}) {
            if (!*f)
                continue;
            const Field& x = **f;
            std::printf("    %-28s %-7s report 0x%02x bit %3u size %2u %s  %s\n", n.name,
                        reportTypeName(x.type), x.reportId, x.bitOffset, x.bitSize,
                        x.isSigned ? "signed  " : "unsigned", fieldPath(x).c_str());
        }
    }
}

void printStatus(HidUps& ups) {
    auto st = ups.readStatus();
    if (!st) {
        std::printf("    status: no answer%s\n", ups.gone() ? " (the device has gone)" : "");
        return;
    }
    std::printf("    status: mains %s, battery %s", st->acPresent ? "present" : "FAILED (on battery)",
                st->batteryLow ? "LOW" : "normal");
    if (st->chargePercent >= 0)
        std::printf(", charge %d%%", st->chargePercent);
    if (st->runtimeSeconds >= 0)
        std::printf(", runtime %ld s", st->runtimeSeconds);
    std::printf("\n    switch-off: %s\n", ups.layout().canSwitchOff()
                                              ? "supported (DelayBeforeShutdown)"
                                              : "not supported: the UPS has no DelayBeforeShutdown field");
}

// Where the rule and its check live: installed by scripts/install-udev-rule.sh, or by the
// package.
constexpr const char* kInstalledRules[] = {"/etc/udev/rules.d/70-brightlock-ups.rules",
                                           "/usr/lib/udev/rules.d/70-brightlock-ups.rules",
                                           "/lib/udev/rules.d/70-brightlock-ups.rules"};
constexpr const char* kInstalledChecks[] = {"/usr/local/lib/brightlock/brightlock-ups-check",
                                            "/usr/lib/brightlock/brightlock-ups-check"};

bool ruleInstalled() {
    auto any = [](const auto& paths, int mode) {
        for (const char* path : paths)
            if (::access(path, mode) == 0)
                return true;
        return false;
    };
    return any(kInstalledRules, F_OK) && any(kInstalledChecks, X_OK);
}

void explainOpenError(const Candidate& c) {
    struct stat st {};
    ::stat(c.node.devPath.c_str(), &st);
    if (c.openError == EACCES || c.openError == EPERM) {
        std::printf("    You may not open %s (mode %04o, owner uid %u).\n", c.node.devPath.c_str(),
                    unsigned(st.st_mode & 07777), unsigned(st.st_uid));
        if (!ruleInstalled())
            std::printf(
                "    Install the udev rule that comes with Brightlock (scripts/install-udev-rule.sh),\n"
                "    then unplug the UPS and plug it in again.\n");
        else
            std::printf(
                "    Brightlock's udev rule is installed and takes this device for a UPS: unplug the\n"
                "    UPS and plug it in again. The rule lets only the user logged in at the seat in\n"
                "    (not a remote login); 'loginctl' shows the sessions.\n");
    } else if (c.openError == ENOENT) {
        std::printf("    %s does not exist although the kernel lists it: is /dev mounted from the host?\n",
                    c.node.devPath.c_str());
    } else {
        std::printf("    %s\n", c.problem.c_str());
    }
}

} // namespace

int listHidUps(bool showFields) {
    auto candidates = probeHidraw(true);
    int usable = 0, seen = 0;
    for (Candidate& c : candidates) {
        if (!c.isUps)
            continue;
        ++seen;
        const UpsVendor* v = findUpsVendor(c.node.vendorId, c.node.productId);
        std::printf("%s  %04x:%04x  %s%s%s\n", c.node.devPath.c_str(), c.node.vendorId, c.node.productId,
                    c.node.name.c_str(), v && *v->maker ? "  maker: " : "", v && *v->maker ? v->maker : "");
        if (c.ups) {
            ++usable;
            printStatus(*c.ups);
            if (showFields)
                printFields(*c.ups);
        } else if (c.openError) {
            explainOpenError(c);
        } else {
            std::printf("    cannot be used: %s\n", c.problem.c_str());
        }
    }
    for (const Candidate& c : candidates) {
        if (c.isUps || !mayBePowerDevice(c.node))
            continue;
        ++seen;
        std::printf("%s  %04x:%04x  %s\n", c.node.devPath.c_str(), c.node.vendorId, c.node.productId,
                    c.node.name.c_str());
        std::printf("    not taken for a UPS: %s.\n"
                    "    Brightlock's udev rule opens UPSes only, so this device stays closed to you. If it\n"
                    "    is a UPS, a recording (as root: upsprobe --capture FOLDER --device %s)\n"
                    "    helps the developers to support it.\n",
                    c.problem.c_str(), c.node.devPath.c_str());
    }
    std::vector<HidrawNode> nodes;
    for (Candidate& c : candidates)
        nodes.push_back(c.node);
    for (const HeldUsbDevice& d : listHeldUpsDevices(nodes)) {
        ++seen;
        std::printf("USB %04x:%04x  %s\n", d.vendorId, d.productId, d.product.c_str());
        if (!d.programs.empty())
            std::printf("    This UPS is held by %s, so Brightlock cannot reach it over USB.\n",
                        d.programs.c_str());
        else if (d.driver == "usbfs")
            std::printf("    Another program (usually a UPS daemon such as a driver of Network UPS Tools)\n"
                        "    has claimed this UPS, so Brightlock cannot reach it over USB.\n");
        else
            std::printf("    This UPS has no hidraw device (kernel driver: %s), so Brightlock cannot\n"
                        "    reach it over USB.\n",
                        d.driver.empty() ? "none" : d.driver.c_str());
        std::printf("    Either stop that program, or let Brightlock ask it: if it is Network UPS Tools,\n"
                    "    set Driver=nut in section [PSU] of PSU.ini (see psu/README.md).\n");
    }
    if (seen == 0)
        std::printf("No USB UPS found.\n");
    return usable;
}

int showReplay(const std::string& folder, bool showFields) {
    std::string why;
    auto ups = HidUps::create(std::make_unique<ReplayDevice>(folder), &why);
    if (!ups) {
        std::printf("%s: %s\n", folder.c_str(), why.c_str());
        return 1;
    }
    std::printf("%s (recording)\n", folder.c_str());
    printStatus(*ups);
    if (showFields)
        printFields(*ups);
    return 0;
}

} // namespace upsprobe
