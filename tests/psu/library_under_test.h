// The real libPSU.so of the build, loaded by the monitor's own loader, and the monitor's
// status query spelled out on top of its four functions, with their results.
#pragma once

#include "monitor/core/psu_library.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class LibraryUnderTest {
public:
    // Loads $BRIGHTLOCK_DIST/libPSU.so; check loaded() and error().
    LibraryUnderTest();
    ~LibraryUnderTest();

    bool loaded() const { return loaded_; }
    QString error() const { return error_; }

    int32_t hidHandle() { return f_.HidHandle(); }
    int32_t closeHandleDevice() { return f_.CloseHandleDevice(); }

    struct Reply {
        QByteArray echo;  // the two echo bytes
        QByteArray reply; // 50 bytes; empty unless the echo was "T1"
        QByteArray aux;   // 6 bytes
        bool answered() const { return echo == "T1"; }
        int acPresent() const { return uint8_t(reply.at(2)); }
        int batteryLow() const { return uint8_t(reply.at(3)); }
        int charge() const { return uint8_t(reply.at(4)); }
        uint32_t runtime() const;
        int reported() const { return uint8_t(reply.at(9)); } // bit 0 load, bit 1 input voltage
        int load() const { return uint8_t(reply.at(10)); }
        int inputDeciVolts() const { return uint8_t(reply.at(11)) | uint8_t(reply.at(12)) << 8; }
    };

    // One status query as the monitor makes it (command 1, then CmdInput on "T1").
    Reply query();
    // Command 2; true when the echo is "S1".
    bool switchOff();
    // The optional PsuIsSimulated; -1 when the library lacks it.
    int32_t isSimulated() { return f_.PsuIsSimulated ? f_.PsuIsSimulated() : -1; }

    // Re-opens the link and queries until `accept` holds or `attempts` queries were made,
    // sleeping `pauseMs` between them; returns the last reply.
    template <typename F> Reply pollUntil(F accept, int attempts = 40, int pauseMs = 250);

private:
    brightlock::PsuFunctions f_;
    bool loaded_ = false;
    QString error_;
};

// PSU_DRY_RUN set while it lives, as Brightlock --dry-run sets it.
struct Rehearsal {
    Rehearsal() { qputenv("PSU_DRY_RUN", "1"); }
    ~Rehearsal() { qunsetenv("PSU_DRY_RUN"); }
};

#include <QThread>

template <typename F>
LibraryUnderTest::Reply LibraryUnderTest::pollUntil(F accept, int attempts, int pauseMs) {
    Reply r;
    for (int i = 0; i < attempts; ++i) {
        closeHandleDevice();
        hidHandle();
        r = query();
        if (accept(r))
            return r;
        QThread::msleep(pauseMs);
    }
    return r;
}
