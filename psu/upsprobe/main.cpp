// upsprobe: lists the UPSes libPSU.so can reach and why it cannot reach others; records
// a USB UPS for a bug report.
#include "probe.h"

#include "driver.h"
#include "library_paths.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage(FILE* out) {
    std::fputs("Usage: upsprobe [--fields] [--nut [UPS@HOST[:PORT]]]\n"
               "       upsprobe --capture FOLDER [--device /dev/hidrawN]\n"
               "       upsprobe --replay FOLDER [--fields]\n"
               "Lists the UPSes that Brightlock's libPSU.so can reach, and says why it cannot\n"
               "reach the others.\n\n"
               "  --fields     also show where each value lies in the UPS's reports\n"
               "  --nut        ask a Network UPS Tools server (default: the one in PSU.ini,\n"
               "               else this machine's)\n"
               "  --capture    record the UPS into FOLDER, for a bug report or a test\n"
               "               (reads from the UPS only)\n"
               "  --replay     show what the hid driver makes of a recording\n"
               "  -h, --help   show this help\n"
               "  --version    show the version\n",
               out);
    return out == stdout ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN); // a server that hangs up is reported, not fatal
    bool fields = false, nut = false;
    std::string nutAddress, captureFolder, device, replay;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        if (arg == "-h" || arg == "--help")
            return usage(stdout);
        if (arg == "-v" || arg == "--version") {
            std::printf("upsprobe (Brightlock) %s\n", BRIGHTLOCK_VERSION);
            return 0;
        }
        if (arg == "--fields")
            fields = true;
        else if (arg == "--nut") {
            nut = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                nutAddress = argv[++i];
        } else if (arg == "--capture") {
            if (!next(captureFolder))
                return usage(stderr);
        } else if (arg == "--device") {
            if (!next(device))
                return usage(stderr);
        } else if (arg == "--replay") {
            if (!next(replay))
                return usage(stderr);
        } else {
            std::fprintf(stderr, "upsprobe: unknown option '%s'\n", argv[i]);
            return usage(stderr);
        }
    }
    if (!captureFolder.empty())
        return upsprobe::capture(captureFolder, device);
    if (!replay.empty())
        return upsprobe::showReplay(replay, fields);
    if (nut)
        return upsprobe::probeNut(nutAddress);

    if (const std::string problem = psu::chosenDriverProblem(); !problem.empty()) {
        std::fprintf(stderr,
                     "upsprobe: %s\n"
                     "Brightlock reaches no UPS with this setting: name one of the known drivers,\n"
                     "or remove the setting to use auto.\n",
                     problem.c_str());
        return 2;
    }
    std::printf("libPSU.so driver: %s (settings: %s)\n\n", psu::chosenDriverName().c_str(),
                psu::settingsFile().c_str());
    const int usable = upsprobe::listHidUps(fields);
    std::printf("\n");
    const int nutResult = upsprobe::probeNut("");
    if (usable > 0 || nutResult == 0)
        return 0;
    std::printf("\nNo UPS can be reached. What to do next:\n"
                "  - A USB UPS: plug its USB cable into this computer, then run upsprobe again.\n"
                "  - A USB UPS that is listed but cannot be opened: install Brightlock's udev rule\n"
                "    (the Debian package does; from the sources: scripts/install-udev-rule.sh),\n"
                "    then unplug the UPS and plug it in again.\n"
                "  - A UPS shared by another machine (a NAS, a server with Network UPS Tools): set\n"
                "    Driver=nut and Ups=ups@host:3493 in %s, or try it with\n"
                "    upsprobe --nut ups@host:3493.\n",
                psu::settingsFile().c_str());
    return 1;
}
