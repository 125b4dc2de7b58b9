// The closer's passes on a scripted desktop, a virtual clock and the real INI files of a
// temporary application directory. Desktop calls, pauses and file writes go into one
// timeline, so a test sees what happened in which order.
#pragma once

#include "closer.h"
#include "support/fake_desktop.h"
#include "support/fake_dialog_reader.h"
#include "support/temp_home.h"

#include "ini.h"

#include <functional>

namespace fakes {

// Virtual time: a pause only moves the clock on. `onPause` runs after the pause, so a test
// can change the desktop while the closer waits.
struct VirtualClock : brightlock::PassClock {
    explicit VirtualClock(QStringList& log) : log_(log) {}
    void pause(int ms) override {
        now_ += ms;
        log_ << QStringLiteral("pause %1").arg(ms);
        if (onPause)
            onPause(ms);
    }
    qint64 now() override { return now_; }

    std::function<void(int)> onPause;

private:
    QStringList& log_;
    qint64 now_ = 0;
};

// The real files, with every write entered in the timeline as "[Section] key=value".
struct RecordingFiles : brightlock::CloserFiles {
    explicit RecordingFiles(QStringList& log) : log_(log) {}
    void removeList() override {
        log_ << QStringLiteral("remove CloseApp.ini");
        real_.removeList();
    }
    void writeList(const QString& section, const QString& key, const QString& value) override {
        log_ << QStringLiteral("[%1] %2=%3").arg(section, key, value);
        real_.writeList(section, key, value);
    }
    QString readList(const QString& section, const QString& key) override {
        return real_.readList(section, key);
    }
    void writeFlag(const brightlock::Setting& flag, const QString& value) override {
        log_ << QStringLiteral("[%1] %2=%3").arg(flag.sectionName(), flag.keyName(), value);
        real_.writeFlag(flag, value);
    }

private:
    QStringList& log_;
    brightlock::ProfileFiles real_;
};

} // namespace fakes

// One closer run's surroundings. The save numbers drawn are 4821, 4822, ...
template <typename Desktop = fakes::FakeDesktop> struct CloserRig {
    TempHome home;
    Desktop desktop;
    QStringList& log = desktop.calls;
    fakes::VirtualClock clock{log};
    fakes::RecordingFiles files{log};
    fakes::FakeDialogReader dialogs{desktop};
    int draw = 4821;
    brightlock::Closer closer{{desktop, clock, files, &dialogs}, options()};

    brightlock::Closer::Options options() {
        brightlock::Closer::Options o;
        o.applicationDirectory = home.path();
        o.locale = QLocale::c();
        o.draw = [this] { return draw++; };
        return o;
    }
    QString list(const QString& section, const QString& key) const {
        return ReadIni(brightlock::closeapp::filePath(), section, key, QStringLiteral("(none)"));
    }
    QString flag(const QString& key) const { return ReadIni(SettingsFile(), "Schema", key, "(none)"); }
    QString savePath(int number) const { return home.path() + "/Save/SaveClose" + QString::number(number); }
    // The timeline from the first entry that starts with `first`.
    QStringList from(const QString& first) const {
        for (int i = 0; i < log.size(); ++i)
            if (log[i].startsWith(first))
                return log.mid(i);
        return {};
    }
};
