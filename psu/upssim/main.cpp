// upssim: sets and shows the state of the simulated UPS (driver "sim" of libPSU.so).
#include "sim/sim_state.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage(FILE* out) {
    std::fputs("Usage: upssim COMMAND\n"
               "Set or show the simulated UPS that libPSU.so's driver \"sim\" reports.\n\n"
               "Commands:\n"
               "  online    mains present, battery normal, UPS answering\n"
               "  onbatt    mains failed, battery normal\n"
               "  lowbatt   mains failed and battery low\n"
               "  silent    the UPS stops answering\n"
               "  reset     forget the switch-off commands received\n"
               "  status    print the state\n"
               "  --version show the version\n\n"
               "The state file is $PSU_SIM_STATE, else upssim.state in the application\n"
               "directory ($BRIGHTLOCK_HOME, else the program folder when writable, else\n"
               "~/.local/share/brightlock).\n",
               out);
    return out == stdout ? 0 : 2;
}

int printStatus(const std::string& path) {
    psu::sim::State s = psu::sim::load(path);
    std::printf("state file: %s\n", path.c_str());
    std::printf("answering: %s\n", s.answering ? "yes" : "no");
    std::printf("mains: %s\n", s.acPresent ? "present" : "failed");
    std::printf("battery: %s\n", s.batteryLow ? "low" : "normal");
    std::printf("charge: %d%%\n", s.chargePercent);
    std::printf("runtime: %ld s\n", s.runtimeSeconds);
    if (s.switchOffCount > 0)
        std::printf("switched off: yes (%ld times)\n", s.switchOffCount);
    else
        std::printf("switched off: no\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return usage(stderr);
    const std::string cmd = argv[1];
    if (cmd == "-h" || cmd == "--help" || cmd == "help")
        return usage(stdout);
    if (cmd == "-v" || cmd == "--version") {
        std::printf("upssim (Brightlock) %s\n", BRIGHTLOCK_VERSION);
        return 0;
    }

    const std::string path = psu::sim::stateFile();
    if (cmd == "status")
        return printStatus(path);

    psu::sim::State s = psu::sim::load(path);
    if (cmd == "online") {
        s.answering = true;
        s.acPresent = true;
        s.batteryLow = false;
        s.chargePercent = 100;
        s.runtimeSeconds = 1800;
    } else if (cmd == "onbatt") {
        s.answering = true;
        s.acPresent = false;
        s.batteryLow = false;
        s.chargePercent = 75;
        s.runtimeSeconds = 1200;
    } else if (cmd == "lowbatt") {
        s.answering = true;
        s.acPresent = false;
        s.batteryLow = true;
        s.chargePercent = 15;
        s.runtimeSeconds = 120;
    } else if (cmd == "silent") {
        s.answering = false;
    } else if (cmd == "reset") {
        s.switchOffCount = 0;
    } else {
        std::fprintf(stderr, "upssim: unknown command '%s'\n", argv[1]);
        return usage(stderr);
    }
    if (!psu::sim::save(path, s)) {
        std::fprintf(stderr, "upssim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    return printStatus(path);
}
