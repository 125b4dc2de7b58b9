// The shutdown path; see shutdown_controller.h.
#include "shutdown_controller.h"

#include "closer_reach.h"
#include "ini.h"
#include "log_categories.h"
#include "settings_catalogue.h"

#include <QPointer>

BRIGHTLOCK_LOGGING_CATEGORY(lcShutdown, "brightlock.shutdown")

namespace brightlock {

ShutdownController::ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports,
                                       QObject* parent)
    : QObject(parent), monitor_(monitor), powerOff_(powerOff), ports_(ports),
      writeShutDown_([](int value) { return settings::write(settings::ShutDown, value); }),
      closerCannotReach_([] { return closerCannotReach(QProcessEnvironment::systemEnvironment()); }) {
    Timer3.setInterval(kWatchMs);
    connect(&Timer3, &QTimer::timeout, this, &ShutdownController::ShutdownWatch);
    connect(&monitor_, &Monitor::countdownArmed, this, &ShutdownController::countdownStarted);
}

void ShutdownController::StartShutdown(Asker asker) {
    const bool armed = underWay();
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
    monitor_.beginShutdown();
    if (asker == Asker::Question)
        ports_.hideAlarm();
    requested_ = false;
    storeBroken_ = false;
    toldStoreFailure_ = false;
    closerStartedMs_.reset();
    closerExit_.reset();

    // Hibernation keeps every open window as it is, so it needs no closer; a desktop the
    // closer cannot drive is hibernated whenever the system allows it, as the only way to
    // keep the user's work.
    const bool wanted = settings::hibernate();
    const bool unreachable = settings::saveApplications() && !closerCannotReach_().isEmpty();
    if (wanted || unreachable) {
        stage_ = Stage::Deciding;
        QPointer<ShutdownController> guard(this);
        powerOff_.canHibernate([this, guard, wanted](const HibernateAnswer& answer) {
            if (guard)
                hibernationAnswered(answer, wanted);
        });
        return;
    }
    startSaving();
}

void ShutdownController::hibernationAnswered(const HibernateAnswer& answer, bool asked) {
    if (stage_ != Stage::Deciding)
        return;
    if (answer.possible) {
        goDown(FinalAction::Hibernate);
        return;
    }
    if (asked)
        recordOnce(QStringLiteral("Hibernation is not possible (%1): the computer is shut down instead")
                       .arg(answer.why));
    startSaving();
}

void ShutdownController::startSaving() {
    stage_ = Stage::Saving;
    if (settings::saveApplications()) {
        // A "1" left from an earlier run would power off while the closer is still
        // saving the user's work; the closer writes its own "1" when it is done.
        withdrawRequest();
        if (ports_.startCloser()) {
            closerRunning_ = true;
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
    if (!writeShutDown_(1))
        storeFailed();
    // Kept in memory either way: the watch needs no second reading of the file to go on.
    requested_ = true;
}

void ShutdownController::withdrawRequest() {
    if (!writeShutDown_(0))
        storeFailed();
}

// From here on the settings file carries no hand-over: a "1" that stays is not this
// shutdown's, and the closer cannot store its own. Its end says it is done.
void ShutdownController::storeFailed() {
    storeBroken_ = true;
    if (toldStoreFailure_)
        return;
    toldStoreFailure_ = true;
    qCWarning(lcShutdown).noquote() << "cannot store the shutdown request in" << SettingsFile()
                                    << "- the shutdown goes on without it";
}

void ShutdownController::closerEnded(int exitCode, bool crashed) {
    closerRunning_ = false;
    if (!closerStartedMs_)
        return;
    closerExit_ = crashed ? -1 : exitCode;
    if (stage_ == Stage::Saving)
        ShutdownWatch();
}

bool ShutdownController::requestSeen() {
    if (requested_)
        return true;
    if (closerStartedMs_) {
        if (closerExit_) {
            if (*closerExit_ != 0)
                qCWarning(lcShutdown).noquote()
                    << (*closerExit_ < 0
                            ? QStringLiteral("the closer crashed or was given up")
                            : QStringLiteral("the closer ended with status %1").arg(*closerExit_))
                    << "- shutting down without waiting for it";
            return true;
        }
        if (monitor_.now() - *closerStartedMs_ >= kCloserWaitMs) {
            qCWarning(lcShutdown) << "the closer did not report within" << kCloserWaitMs / 1000
                                  << "s; shutting down without waiting longer";
            return true;
        }
    }
    return !storeBroken_ && settings::shutdownRequested();
}

void ShutdownController::ShutdownWatch() {
    if (stage_ == Stage::Deciding || stage_ == Stage::GoingDown)
        return;
    if (!requestSeen())
        return;
    goDown(FinalAction::PowerOff);
}

void ShutdownController::goDown(FinalAction action) {
    requested_ = false;
    closerStartedMs_.reset();
    closerExit_.reset();
    withdrawRequest();
    stage_ = Stage::GoingDown;
    QPointer<ShutdownController> guard(this);
    ShutdownWindows(powerOff_, action, [this, guard, action](const ActionOutcome& outcome) {
        if (guard)
            finalOutcome(action, outcome);
    });
}

// The UPS is told to switch off only once the machine is on its way down: a UPS that cut
// the power of a machine still running would lose what it was writing.
void ShutdownController::finalOutcome(FinalAction action, const ActionOutcome& outcome) {
    if (stage_ != Stage::GoingDown)
        return;
    if (outcome.accepted) {
        if (!outcome.refusals.isEmpty())
            qCWarning(lcShutdown).noquote() << outcome.refusals << "- accepted by" << outcome.acceptedBy;
        switchUpsOff();
        if (powerOff_.dryRun())
            endWithoutGoingDown();
        return;
    }
    if (action == FinalAction::Hibernate) {
        // The closer did not run: save what it can, then power off.
        recordOnce(QStringLiteral("Hibernation was refused (%1): the computer is shut down instead")
                       .arg(outcome.refusals));
        startSaving();
        return;
    }
    qCWarning(lcShutdown).noquote() << "the power-off was refused:" << outcome.refusals;
    monitor_.record(QStringLiteral("Attention!! System Shutdown Refused: ") + outcome.refusals);
    tellUser(
        QStringLiteral("The computer could not be shut down"),
        outcome.refusals +
            QStringLiteral(".\nThe UPS stays on and the computer runs on until its battery is empty: save "
                           "your work now."));
    endWithoutGoingDown();
}

void ShutdownController::endWithoutGoingDown() {
    stage_ = Stage::Idle;
    Timer3.stop();
    monitor_.armAgain();
}

void ShutdownController::countdownStarted(int seconds) {
    if (underWay() || !settings::saveApplications())
        return;
    const QString why = closerCannotReach_();
    if (why.isEmpty())
        return;
    QPointer<ShutdownController> guard(this);
    powerOff_.canHibernate([this, guard, seconds, why](const HibernateAnswer& answer) {
        if (guard && !answer.possible)
            tellUser(QStringLiteral("Save your work now"), saveNowNotice(seconds, why));
    });
}

void ShutdownController::recordOnce(const QString& text) {
    if (recorded_.contains(text))
        return;
    recorded_.insert(text);
    monitor_.record(text);
}

// Shown whatever the power events' notification setting says: it is about losing work.
void ShutdownController::tellUser(const QString& summary, const QString& body) {
    monitor_.warnUser(summary, body);
}

// A rehearsal tells no real UPS to switch off: neither DTR nor a library command goes
// out, a line says what would have. The simulated UPS still receives the three commands,
// so that a rehearsal can be checked.
void ShutdownController::switchUpsOff() {
    if (powerOff_.dryRun() && !monitor_.upsSimulated()) {
        reportDryRunUpsSwitchOff();
        return;
    }
    monitor_.switchUpsOff();
}

} // namespace brightlock
