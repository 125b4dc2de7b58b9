// The desktop notifications of the power events: when each is sent and what it says. The
// power events themselves send theirs from the poll's first-time actions (power_poll.cpp),
// so there is one per event and never one per poll; this file adds the UPS that stops
// answering and answers again, and the texts about the countdown.
#include "monitor.h"

#include "settings_catalogue.h"

namespace brightlock {

// Each notification wears the tray's picture of the state it tells of, which the event
// has just set.
void Monitor::notify(NoticeTopic topic, const QString& summary, const QString& body, NoticeUrgency urgency) {
    if (settings::notificationsOn())
        ports_.notices.notify({topic, summary, body, trayPicture_, urgency});
}

// A silence is told once it has lasted kSilentQueriesToNotify queries (the start-up query
// counts: no UPS found at start-up is told too), and its end only when it was told.
void Monitor::noteQueryAnswered(bool answered) {
    if (answered) {
        answersAgain_ = silenceNotified_;
        silenceNotified_ = false;
        silentQueries_ = 0;
    } else {
        ++silentQueries_;
    }
}

// Called at the end of a poll, when the displays show what the UPS said.
void Monitor::tellLinkState() {
    if (answersAgain_) {
        answersAgain_ = false;
        notify(NoticeTopic::Link, area_.LblMessage, QStringLiteral("The UPS answers again."),
               NoticeUrgency::Normal);
        return;
    }
    if (silentQueries_ >= kSilentQueriesToNotify && !silenceNotified_) {
        silenceNotified_ = true;
        notify(
            NoticeTopic::Link, area_.LblMessage,
            QStringLiteral("The UPS does not answer: the computer is not protected until it answers again."),
            NoticeUrgency::Normal);
    }
}

QString Monitor::countdownNotice() const {
    const int seconds = state_.ShutdownSeconds;
    if (seconds <= 0)
        return QStringLiteral("The computer shuts down now.");
    if (seconds % 60 == 0) {
        const int minutes = seconds / 60;
        return minutes == 1 ? QStringLiteral("The computer shuts down in 1 minute.")
                            : QStringLiteral("The computer shuts down in %1 minutes.").arg(minutes);
    }
    return QStringLiteral("The computer shuts down in %1 seconds.").arg(seconds);
}

// Told once, by the first notification of the poll that stopped the countdown.
QString Monitor::calledOffNotice() {
    if (!countdownCalledOff_)
        return QString();
    countdownCalledOff_ = false;
    return QStringLiteral("\nThe shutdown is called off.");
}

} // namespace brightlock
