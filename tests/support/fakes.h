// Test stand-ins for the monitor's outside world. Each records what it was asked to do
// in one shared call log, so a test can check the order of steps across all of them.
#pragma once

#include "monitor_ports.h"
#include "psu_api.h"
#include "serial_line.h"

#include <QStringList>
#include <cstring>
#include <optional>

namespace fakes {

using CallLog = QStringList;

// A UPS behind the four library calls. `answer` decides the next status reply.
struct Psu : brightlock::PsuApi {
    CallLog& log;
    bool answering = true;
    bool acPresent = true;
    bool batteryLow = false;
    QByteArray echoOverride;                 // when set, CmdOutput writes this echo
    std::optional<QByteArray> replyOverride; // when set, CmdInput writes these bytes
    int switchOffCommands = 0;
    bool simulatedUps = false;

    explicit Psu(CallLog& l) : log(l) {}
    bool simulated() override { return simulatedUps; }
    void HidHandle() override { log << "HidHandle"; }
    void CloseHandleDevice() override { log << "CloseHandleDevice"; }
    void CmdOutput(int32_t command, int32_t, char* echo) override {
        log << QStringLiteral("CmdOutput %1").arg(command);
        if (!echoOverride.isNull()) {
            std::memcpy(echo, echoOverride.constData(), size_t(std::min<int>(2, echoOverride.size())));
            return;
        }
        if (!answering)
            return;
        if (command == 1)
            std::memcpy(echo, "T1", 2);
        if (command == 2) {
            ++switchOffCommands;
            std::memcpy(echo, "S1", 2);
        }
    }
    void CmdInput(char* reply, char*) override {
        log << "CmdInput";
        if (replyOverride) {
            std::memcpy(reply, replyOverride->constData(), size_t(std::min<int>(50, replyOverride->size())));
            return;
        }
        reply[0] = 'T';
        reply[2] = acPresent ? 1 : 0;
        reply[3] = batteryLow ? 1 : 0;
    }
};

struct Serial : brightlock::SerialLine {
    CallLog& log;
    int number = 1;
    bool opened = false;
    bool openFails = false;
    bool rts = false, dtr = false;
    bool ctsLine = false, cdLine = false;

    explicit Serial(CallLog& l) : log(l) {}
    void setPort(int n) override {
        log << QStringLiteral("setPort %1").arg(n);
        number = n;
    }
    int port() const override { return number; }
    bool open() override {
        log << "open";
        opened = !openFails;
        return opened;
    }
    void close() override {
        log << "close";
        opened = false;
    }
    bool isOpen() const override { return opened; }
    void setRts(bool on) override {
        log << QStringLiteral("RTS %1").arg(on);
        rts = on;
    }
    void setDtr(bool on) override {
        log << QStringLiteral("DTR %1").arg(on);
        dtr = on;
    }
    bool cts() const override { return ctsLine; }
    bool cd() const override { return cdLine; }
};

struct Tray : brightlock::TrayIcon {
    CallLog& log;
    bool shown = false;
    QString tip;
    brightlock::TrayPicture picture = brightlock::TrayPicture::ImaMain;

    explicit Tray(CallLog& l) : log(l) {}
    void ShowTrayIcon(brightlock::TrayPicture p, const QString& t) override {
        log << QStringLiteral("tray %1 %2").arg(name(p), t);
        shown = true;
        picture = p;
        tip = t;
    }
    void RemoveTrayIcon() override {
        log << "RemoveTrayIcon";
        shown = false;
    }
    void setTip(const QString& t) override {
        log << "tip " + t;
        tip = t;
    }
    static QString name(brightlock::TrayPicture p) {
        switch (p) {
        case brightlock::TrayPicture::ImaSOk:
            return "ImaSOk";
        case brightlock::TrayPicture::ImaSLow:
            return "ImaSLow";
        case brightlock::TrayPicture::ImaUnCon:
            return "ImaUnCon";
        case brightlock::TrayPicture::ImaMain:
            break;
        }
        return "ImaMain";
    }
};

struct Recorder : brightlock::EventRecorder {
    CallLog& log;
    QStringList rows; // "log:<text>" and "ups:<text>", in order
    int trims = 0;

    explicit Recorder(CallLog& l) : log(l) {}
    void bind() override { log << "bind"; }
    void appendProgramStart() override {
        log << "Program start";
        rows << "log:Program start";
    }
    void appendProgramQuit() override {
        log << "Program quit";
        rows << "log:Program quit";
    }
    void record(const QString& text) override {
        log << "record " + text;
        rows << "log:" + text << "ups:" + text;
    }
    void trimStep(brightlock::Store s, int limit) override {
        ++trims;
        log << QStringLiteral("trim %1 %2").arg(int(s)).arg(limit);
    }
};

struct Alarm : brightlock::AlarmControl {
    CallLog& log;
    int shows = 0;
    explicit Alarm(CallLog& l) : log(l) {}
    void showAlarm() override {
        ++shows;
        log << "showAlarm";
    }
    void unloadAlarm() override { log << "unloadAlarm"; }
};

// Keeps every notification the monitor sends.
struct Notices : brightlock::DesktopNotices {
    QList<brightlock::DesktopNotice> sent;
    void notify(const brightlock::DesktopNotice& n) override { sent << n; }
};

struct Form : brightlock::MainFormHooks {
    CallLog& log;
    explicit Form(CallLog& l) : log(l) {}
    void LayoutFormSkin() override { log << "LayoutFormSkin"; }
    void selectStatusPage() override { log << "selectStatusPage"; }
};

} // namespace fakes
