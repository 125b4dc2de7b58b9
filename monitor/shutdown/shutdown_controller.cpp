// The shutdown path; see shutdown_controller.h.
#include "shutdown_controller.h"

#include "pause_ms.h"
#include "settings_catalogue.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcShutdown, "brightlock.shutdown", QtWarningMsg)

namespace brightlock {
namespace {

void writeShutDown(int value) {
    settings::write(settings::ShutDown, value);
}

} // namespace

ShutdownController::ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports,
                                       QObject* parent)
    : QObject(parent), monitor_(monitor), powerOff_(powerOff), ports_(ports) {
    Timer3.setInterval(kWatchMs);
    connect(&Timer3, &QTimer::timeout, this, &ShutdownController::ShutdownWatch);
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
        writeShutDown(0);
        if (ports_.startCloser())
            return;
        // Without the closer nobody would ever ask: go down without saving rather
        // than let the battery run out.
        qCWarning(lcShutdown) << "the closer could not be started; shutting down without it";
    }
    writeShutDown(1);
}

void ShutdownController::ShutdownWatch() {
    if (!settings::shutdownRequested())
        return;
    writeShutDown(0);
    switchUpsOff();
    ShutdownWindows(powerOff_);
}

// A rehearsal tells no real UPS to switch off: neither DTR nor a library command goes
// out, a line says what would have. The simulated UPS still receives the three commands,
// so that a rehearsal can be checked.
void ShutdownController::switchUpsOff() {
    const bool serial = settings::comboPort() > 0;
    UpsLink& link = monitor_.link();
    if (powerOff_.dryRun() && (serial || !link.psu().simulated())) {
        reportDryRunUpsSwitchOff();
        return;
    }
    if (serial) {
        monitor_.serial().setDtr(true);
        return;
    }
    link.QueryUps(2);
    PauseMs(10);
    link.QueryUps(2);
    PauseMs(10);
    link.QueryUps(2);
}

} // namespace brightlock
