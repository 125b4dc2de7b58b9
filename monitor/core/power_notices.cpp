// The desktop notifications of the power events; see power_notices.h.
#include "power_notices.h"

#include "settings_catalogue.h"

namespace brightlock {

void PowerNotices::notify(NoticeTopic topic, const QString& summary, const QString& body, TrayPicture picture,
                          NoticeUrgency urgency) {
    if (settings::notificationsOn())
        desktop_.notify({topic, summary, body, picture, urgency});
}

// A silence is told once it has lasted kSilentQueriesToNotify queries (the start-up query
// counts: no UPS found at start-up is told too), and its end only when it was told.
void PowerNotices::queryAnswered(bool answered) {
    if (answered) {
        answersAgain_ = silenceNotified_;
        silenceNotified_ = false;
        silentQueries_ = 0;
    } else {
        ++silentQueries_;
    }
}

void PowerNotices::tellLinkState(const QString& summary, TrayPicture picture) {
    if (answersAgain_) {
        answersAgain_ = false;
        notify(NoticeTopic::Link, summary, QStringLiteral("The UPS answers again."), picture,
               NoticeUrgency::Normal);
        return;
    }
    if (silentQueries_ >= kSilentQueriesToNotify && !silenceNotified_) {
        silenceNotified_ = true;
        notify(
            NoticeTopic::Link, summary,
            QStringLiteral("The UPS does not answer: the computer is not protected until it answers again."),
            picture, NoticeUrgency::Normal);
    }
}

void PowerNotices::tellTrouble(NoticeTopic topic, const QString& summary, TrayPicture picture,
                               const QString& text, std::optional<int32_t> secondsLeft) {
    const bool critical = secondsLeft || topic == NoticeTopic::BatteryLow;
    notify(topic, summary, secondsLeft ? text + '\n' + countdownText(*secondsLeft) : text, picture,
           critical ? NoticeUrgency::Critical : NoticeUrgency::Normal);
}

void PowerNotices::tellRecovery(NoticeTopic topic, const QString& summary, TrayPicture picture,
                                const QString& text) {
    notify(topic, summary, text + calledOffText(), picture, NoticeUrgency::Normal);
}

void PowerNotices::tellShutdown(const QString& summary, const QString& body) {
    desktop_.notify({NoticeTopic::Shutdown, summary, body, TrayPicture::ImaSLow, NoticeUrgency::Critical});
}

QString PowerNotices::countdownText(int32_t seconds) {
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
QString PowerNotices::calledOffText() {
    if (!countdownCalledOff_)
        return QString();
    countdownCalledOff_ = false;
    return QStringLiteral("\nThe shutdown is called off.");
}

} // namespace brightlock
