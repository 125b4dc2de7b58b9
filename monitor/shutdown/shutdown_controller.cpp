// The shutdown path; see shutdown_controller.h.
#include "shutdown_controller.h"

#include "ini.h"
#include "pause_ms.h"
#include "settings_catalogue.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcShutdown, "brightlock.shutdown", QtWarningMsg)

namespace brightlock {

ShutdownController::ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports,
                                       QObject* parent)
    : QObject(parent), monitor_(monitor), powerOff_(powerOff), ports_(ports),
      writeShutDown_([](int value) { return settings::write(settings::ShutDown, value); }) {
    Timer3.setInterval(kWatchMs);
    connect(&Timer3, &QTimer::timeout, this, &ShutdownController::ShutdownWatch);
}

void ShutdownController::StartShutdown(Asker asker) {
    const bool armed = Timer3.isActive();
    if (!armed)
        Timer3.start();
    ports_.hideMainWindow();
    if (asker == Asker::Question)
        ports_.unloadQuestion();
    else
        ports_.hideAlarm();
    // A later request (a new alarm, the shutdown button) only hides the windows: a second
    // closer would type into the first one's work, and the first one's request would
    // power off while the second still saves.
    if (armed)
        return;
    // Nor does an alarm window come up again, from the countdown or a re-check after
    // Cancel: it would take the keyboard from the closer.
    monitor_.state().ShuttingDown = true;
    if (asker == Asker::Question)
        ports_.hideAlarm();

    if (settings::saveApplications()) {
        // A "1" left from an earlier run would power off while the closer is still
        // saving the user's work; the closer writes its own "1" when it is done.
        withdrawRequest();
        if (ports_.startCloser()) {
            closerStartedMs_ = monitor_.now();
            return;
        }
        // Without the closer nobody would ever ask: go down without saving rather
        // than let the battery run out.
        qCWarning(lcShutdown) << "the closer could not be started; shutting down without it";
    }
    requestShutdown();
}

void ShutdownController::requestShutdown() {
    if (writeShutDown_(1)) {
        staleRequest_ = false;
        return;
    }
    storeFailed();
    requested_ = true;
}

void ShutdownController::withdrawRequest() {
    if (writeShutDown_(0))
        return;
    storeFailed();
    // A "1" that stays is not the next shutdown's request: it must not power off again at
    // every tick, nor before the closer is done.
    staleRequest_ = settings::shutdownRequested();
}

void ShutdownController::storeFailed() {
    if (toldStoreFailure_)
        return;
    toldStoreFailure_ = true;
    qCWarning(lcShutdown).noquote() << "cannot store the shutdown request in" << SettingsFile()
                                    << "- the shutdown goes on without it";
}

bool ShutdownController::requestSeen() {
    if (requested_)
        return true;
    if (closerStartedMs_ && monitor_.now() - *closerStartedMs_ >= kCloserWaitMs) {
        qCWarning(lcShutdown) << "the closer did not report within" << kCloserWaitMs / 1000
                              << "s; shutting down without waiting longer";
        return true;
    }
    return !staleRequest_ && settings::shutdownRequested();
}

void ShutdownController::ShutdownWatch() {
    if (!requestSeen())
        return;
    requested_ = false;
    closerStartedMs_.reset();
    withdrawRequest();
    switchUpsOff();
    ShutdownWindows(powerOff_);
}

// A rehearsal tells no real UPS to switch off: neither DTR nor a library command goes
// out, a line says what would have. The simulated UPS still receives the three commands,
// so that a rehearsal can be checked.
void ShutdownController::switchUpsOff() {
    const bool serial = settings::serialLink();
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
