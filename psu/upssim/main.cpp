// upssim: sets and shows the state of the simulated UPS (driver "sim" of libPSU.so).
#include "sim/sim_state.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage(FILE* out) {
    std::fputs("Usage: upssim COMMAND [--charge PERCENT|none] [--runtime SECONDS|none]\n"
               "              [--load PERCENT|none] [--voltage VOLTS|none]\n"
               "Set or show the simulated UPS that libPSU.so's driver \"sim\" reports.\n\n"
               "Commands:\n"
               "  online    mains present, battery normal, UPS answering\n"
               "  onbatt    mains failed, battery normal\n"
               "  lowbatt   mains failed and battery low\n"
               "  silent    the UPS stops answering\n"
               "  reset     forget the switch-off commands received\n"
               "  status    print the state\n"
               "  --version show the version\n\n"
               "Options, after a command that sets the state (or alone, to change only them):\n"
               "  --charge PERCENT   the battery's charge, 0 to 100; \"none\": not reported\n"
               "  --runtime SECONDS  the runtime left on battery; \"none\": not reported\n"
               "  --load PERCENT     the output load, 0 to 254; \"none\": not reported\n"
               "  --voltage VOLTS    the mains voltage at the input, 0 to 6000, tenths allowed\n"
               "                     (229.5); \"none\": not reported\n\n"
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
    if (s.chargePercent >= 0 && s.chargePercent <= 100)
        std::printf("charge: %d%%\n", s.chargePercent);
    else
        std::printf("charge: not reported\n");
    if (s.runtimeSeconds >= 0)
        std::printf("runtime: %ld s\n", s.runtimeSeconds);
    else
        std::printf("runtime: not reported\n");
    if (s.loadPercent >= 0)
        std::printf("load: %d%%\n", s.loadPercent);
    else
        std::printf("load: not reported\n");
    if (s.inputDeciVolts >= 0)
        std::printf("input voltage: %d.%d V\n", s.inputDeciVolts / 10, s.inputDeciVolts % 10);
    else
        std::printf("input voltage: not reported\n");
    if (s.switchOffCount > 0)
        std::printf("switched off: yes (%ld times)\n", s.switchOffCount);
    else
        std::printf("switched off: no\n");
    return 0;
}

// The options that set a reading: a whole number within [0, max] (in tenths for --voltage,
// which takes one decimal), or "none" (-1).
struct Reading {
    const char* option;
    long max;
    bool tenths;
    long value = 0;
    bool given = false;
};

bool parseValue(const char* text, Reading& r) {
    if (std::strcmp(text, "none") == 0) {
        r.value = -1;
        return true;
    }
    char* end = nullptr;
    errno = 0;
    if (r.tenths) {
        const double v = std::strtod(text, &end);
        if (errno || end == text || *end != '\0' || !(v >= 0 && v <= double(r.max)))
            return false;
        r.value = std::lround(v * 10);
        return true;
    }
    const long v = std::strtol(text, &end, 10);
    if (errno || end == text || *end != '\0' || v < 0 || v > r.max)
        return false;
    r.value = v;
    return true;
}

// The commands that set the UPS to a typical state: an answering UPS with these readings.
struct Preset {
    const char* command;
    bool acPresent;
    bool batteryLow;
    int chargePercent;
    long runtimeSeconds;
};

constexpr Preset kPresets[] = {
    {"online", true, false, 100, 1800},
    {"onbatt", false, false, 75, 1200},
    {"lowbatt", false, true, 15, 120},
};

const Preset* presetNamed(const std::string& command) {
    for (const Preset& p : kPresets)
        if (command == p.command)
            return &p;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage(stderr);
    // The options come after the command, or alone.
    std::string cmd = argv[1];
    Reading readings[] = {{"--charge", 100, false},
                          {"--runtime", 0xFFFFFFFEL, false},
                          {"--load", 254, false},
                          {"--voltage", 6000, true}};
    Reading& charge = readings[0];
    Reading& runtime = readings[1];
    Reading& load = readings[2];
    Reading& voltage = readings[3];
    int first = 2;
    if (cmd.rfind("--", 0) == 0 && cmd != "--help" && cmd != "--version") {
        cmd.clear();
        first = 1;
    }
    bool setsReading = false;
    for (int i = first; i < argc; ++i) {
        Reading* r = nullptr;
        for (Reading& candidate : readings)
            if (std::strcmp(argv[i], candidate.option) == 0)
                r = &candidate;
        if (!r || i + 1 >= argc || !parseValue(argv[i + 1], *r)) {
            std::fprintf(stderr, "upssim: bad option '%s'\n", argv[i]);
            return usage(stderr);
        }
        r->given = setsReading = true;
        ++i;
    }
    const bool setsState = cmd != "status" && cmd != "-h" && cmd != "--help" && cmd != "help" &&
                           cmd != "-v" && cmd != "--version";
    if (!setsState && setsReading) {
        std::fprintf(stderr, "upssim: '%s' takes no options\n", cmd.c_str());
        return usage(stderr);
    }
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
    if (const Preset* p = presetNamed(cmd)) {
        s.answering = true;
        s.acPresent = p->acPresent;
        s.batteryLow = p->batteryLow;
        s.chargePercent = p->chargePercent;
        s.runtimeSeconds = p->runtimeSeconds;
    } else if (cmd == "silent") {
        s.answering = false;
    } else if (cmd == "reset") {
        s.switchOffCount = 0;
    } else if (!cmd.empty()) {
        std::fprintf(stderr, "upssim: unknown command '%s'\n", argv[1]);
        return usage(stderr);
    }
    if (charge.given)
        s.chargePercent = int(charge.value);
    if (runtime.given)
        s.runtimeSeconds = runtime.value;
    if (load.given)
        s.loadPercent = int(load.value);
    if (voltage.given)
        s.inputDeciVolts = int(voltage.value);
    if (!psu::sim::save(path, s)) {
        std::fprintf(stderr, "upssim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    return printStatus(path);
}
