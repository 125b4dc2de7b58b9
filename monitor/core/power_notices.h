// The desktop notifications of the power events: when each is sent and what it says. The
// monitor tells this class what happened (a status query answered or not, a countdown
// called off, a power event with its countdown) and it sends one notification per event,
// never one per poll, and tells the UPS that stops answering and answers again.
#pragma once

#include "monitor_ports.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace brightlock {

class PowerNotices {
public:
    // Status queries in a row that the UPS must leave unanswered before the desktop is told
    // it does not answer: one missed answer is not worth a notification.
    static constexpr int kSilentQueriesToNotify = 2;

    explicit PowerNotices(DesktopNotices& desktop) : desktop_(desktop) {}

    // A new poll begins: a call-off told by the last one is forgotten.
    void pollStarts() { countdownCalledOff_ = false; }
    // A status query of the UPS was answered, or not.
    void queryAnswered(bool answered);
    // This poll stopped a running countdown; the next notification of the poll says so.
    void countdownCalledOff() { countdownCalledOff_ = true; }

    // The end of a poll, when the displays show what the UPS said (`summary`, the Status
    // page's message, under the tray's `picture`): tells a silence that has lasted
    // kSilentQueriesToNotify queries, once, and its end when it was told.
    void tellLinkState(const QString& summary, TrayPicture picture);
    // A mains failure or a low battery began: `text` is its record's text, followed by
    // when the computer goes down when the event armed the countdown (`secondsLeft`).
    // A low battery is always critical, a mains failure when it armed the countdown.
    void tellTrouble(NoticeTopic topic, const QString& summary, TrayPicture picture, const QString& text,
                     std::optional<int32_t> secondsLeft);
    // The mains are back or the battery recovered: `text` is its record's text, followed
    // by the call-off of a countdown this poll stopped.
    void tellRecovery(NoticeTopic topic, const QString& summary, TrayPicture picture, const QString& text);
    // The shutdown path's own warnings (work about to be lost): sent whatever the power
    // events' notification setting says.
    void tellShutdown(const QString& summary, const QString& body);

private:
    void notify(NoticeTopic topic, const QString& summary, const QString& body, TrayPicture picture,
                NoticeUrgency urgency);
    static QString countdownText(int32_t seconds);
    QString calledOffText();

    DesktopNotices& desktop_;
    int silentQueries_ = 0;           // status queries in a row the UPS left unanswered
    bool silenceNotified_ = false;    // the desktop was told the UPS does not answer
    bool answersAgain_ = false;       // this poll's query was the first answered after that
    bool countdownCalledOff_ = false; // this poll stopped a running countdown
};

} // namespace brightlock
