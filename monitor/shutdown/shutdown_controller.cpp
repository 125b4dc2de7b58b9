// The shutdown path; see shutdown_controller.h.
#include "shutdown_controller.h"

#include "ini.h"
#include "monitor_settings.h"
#include "pause_ms.h"
#include "settings.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcShutdown, "brightlock.shutdown", QtWarningMsg)

namespace brightlock {
namespace {

const QString kSchema = QStringLiteral("Schema");
const QString kShutDown = QStringLiteral("ShutDown");

void writeShutDown(const char* value) {
    WriteIni(SettingsFile(), kSchema, kShutDown, QString::fromLatin1(value));
}

} // namespace

ShutdownController::ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports,
                                       QObject* parent)
    : QObject(parent), monitor_(monitor), powerOff_(powerOff), ports_(ports) {
    Timer3.setInterval(kWatchMs);
    connect(&Timer3, &QTimer::timeout, this, &ShutdownController::ShutdownWatch);
}

void ShutdownController::CmdShutdownClick() {
    monitor_.dialog().AskShutdown = true;
    ports_.showQuestion();
}

void ShutdownController::askClear(EventRecorder::Store store) {
    DialogFlags& d = monitor_.dialog();
    switch (store) {
    case EventRecorder::Log:
        d.AskClearLog = true;
        break;
    case EventRecorder::Ups:
        d.AskClearUps = true;
        break;
    case EventRecorder::Closed:
        d.AskClearClosed = true;
        break;
    }
    ports_.showQuestion();
}

QString ShutdownController::questionText() const {
    return monitor_.dialog().AskShutdown ? QStringLiteral("Are you sure shutdown system and ups ?")
                                         : QStringLiteral("     Are you sure clear all logs ?");
}

void ShutdownController::Yes() {
    DialogFlags& d = monitor_.dialog();
    if (d.AskShutdown) {
        d.AskShutdown = false;
        StartShutdown(Asker::Question);
    }
    if (d.AskClearLog) {
        d.AskClearLog = false;
        ports_.clearStore(EventRecorder::Log);
    }
    if (d.AskClearUps) {
        d.AskClearUps = false;
        ports_.clearStore(EventRecorder::Ups);
    }
    if (d.AskClearClosed) {
        d.AskClearClosed = false;
        ports_.clearStore(EventRecorder::Closed);
    }
    ports_.unloadQuestion();
}

void ShutdownController::No() {
    monitor_.dialog() = DialogFlags{};
    ports_.unloadQuestion();
}

void ShutdownController::StartShutdown(Asker asker) {
    if (!Timer3.isActive())
        Timer3.start();
    ports_.hideMainWindow();
    if (asker == Asker::Question)
        ports_.unloadQuestion();
    else
        ports_.hideAlarm();

    if (settings::saveApplications()) {
        // A "1" left from an earlier run would power off while the closer is still
        // saving the user's work; the closer writes its own "1" when it is done.
        writeShutDown("0");
        if (ports_.startCloser())
            return;
        // Without the closer nobody would ever ask: go down without saving rather
        // than let the battery run out.
        qCWarning(lcShutdown) << "the closer could not be started; shutting down without it";
    }
    writeShutDown("1");
}

void ShutdownController::ShutdownWatch() {
    auto request = storedNumber(kSchema, kShutDown);
    if (!request || *request != 1)
        return;
    writeShutDown("0");
    if (settings::comboPort() > 0) {
        monitor_.serial().setDtr(true);
    } else {
        UpsLink& link = monitor_.link();
        link.QueryUps(2);
        PauseMs(10);
        link.QueryUps(2);
        PauseMs(10);
        link.QueryUps(2);
    }
    ShutdownWindows(powerOff_);
}

} // namespace brightlock
