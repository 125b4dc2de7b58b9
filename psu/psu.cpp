// The four exported functions of libPSU.so: the fixed byte contract of psu.h on top of
// whichever driver is chosen. Nothing here may throw across the C boundary.
#include "psu.h"

#include "driver.h"
#include "log.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct Session {
    std::mutex mutex;
    std::string driverName;
    std::unique_ptr<psu::Driver> driver;
    std::string problem; // why the last HidHandle chose no driver
    bool replyWaiting = false;
    psu::Status reply;
};

Session& session() {
    static Session s;
    return s;
}

void encodeReply(const psu::Status& st, char* reply) {
    std::memset(reply, 0, PSU_REPLY_SIZE);
    reply[0] = 'T';
    reply[1] = 1;
    reply[2] = st.acPresent ? 1 : 0;
    reply[3] = st.batteryLow ? 1 : 0;
    reply[4] = char(st.chargePercent >= 0 && st.chargePercent <= 100 ? st.chargePercent : 0xFF);
    uint32_t runtime = st.runtimeSeconds >= 0 && st.runtimeSeconds <= 0xFFFFFFFEL
                           ? uint32_t(st.runtimeSeconds)
                           : 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        reply[5 + i] = char((runtime >> (8 * i)) & 0xFF);

    uint8_t reported = 0;
    if (st.loadPercent >= 0 && st.loadPercent <= 254) {
        reported |= PSU_REPORTS_LOAD;
        reply[10] = char(st.loadPercent);
    }
    const double tenths = st.inputVoltage * 10.0 + 0.5;
    if (st.inputVoltage >= 0 && tenths < 65536.0) {
        reported |= PSU_REPORTS_INPUT_VOLTAGE;
        const auto v = uint16_t(tenths);
        reply[11] = char(v & 0xFF);
        reply[12] = char(v >> 8);
    }
    reply[9] = char(reported);
}

// A rehearsal never lets a real UPS receive the switch-off, whatever its caller does.
bool rehearsal() {
    const char* env = std::getenv("PSU_DRY_RUN");
    return env && *env && std::strcmp(env, "0") != 0;
}

template <typename F> int32_t guarded(F&& f) {
    try {
        std::lock_guard<std::mutex> lock(session().mutex);
        return f(session()) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t HidHandle(void) {
    return guarded([](Session& s) {
        s.replyWaiting = false;
        const std::string name = psu::chosenDriverName();
        if (s.driver && name != s.driverName) {
            s.driver->close();
            s.driver.reset();
        }
        if (!s.driver) {
            s.driver = psu::makeDriver(name);
            s.driverName = name;
        }
        s.problem = s.driver ? std::string() : psu::chosenDriverProblem();
        if (!s.problem.empty())
            psu::debugLog("%s", s.problem.c_str());
        return s.driver && s.driver->open();
    });
}

__attribute__((visibility("default"))) int32_t CloseHandleDevice(void) {
    return guarded([](Session& s) {
        s.replyWaiting = false;
        if (s.driver)
            s.driver->close();
        return true;
    });
}

__attribute__((visibility("default"))) int32_t CmdOutput(int32_t command, int32_t, char* echo) {
    return guarded([&](Session& s) {
        s.replyWaiting = false;
        if (!s.driver || !echo)
            return false;
        if (command == 1) {
            auto st = s.driver->readStatus();
            if (!st)
                return false;
            s.reply = *st;
            s.replyWaiting = true;
            std::memcpy(echo, "T1", PSU_ECHO_SIZE);
            return true;
        }
        if (command != 2)
            return false;
        if (rehearsal() && !s.driver->simulated()) {
            psu::debugLog("dry run: the switch-off is not sent to the %s driver", s.driverName.c_str());
            std::memcpy(echo, "S1", PSU_ECHO_SIZE);
            return true;
        }
        if (!s.driver->switchOff())
            return false;
        std::memcpy(echo, "S1", PSU_ECHO_SIZE);
        return true;
    });
}

__attribute__((visibility("default"))) int32_t CmdInput(char* reply, char* aux) {
    return guarded([&](Session& s) {
        if (!s.replyWaiting || !reply)
            return false;
        s.replyWaiting = false;
        encodeReply(s.reply, reply);
        if (aux) {
            std::memset(aux, 0, PSU_AUX_SIZE);
            std::strncpy(aux, s.driverName.c_str(), PSU_AUX_SIZE - 1);
        }
        return true;
    });
}

__attribute__((visibility("default"))) int32_t PsuIsSimulated(void) {
    return guarded([](Session& s) { return s.driver && s.driver->simulated(); });
}

__attribute__((visibility("default"))) int32_t PsuProblem(char* text, int32_t size) {
    return guarded([&](Session& s) {
        if (s.problem.empty())
            return false;
        if (text && size > 0) {
            std::strncpy(text, s.problem.c_str(), size_t(size) - 1);
            text[size - 1] = '\0';
        }
        return true;
    });
}

} // extern "C"
