// What the confirmation dialog "System Information" is asking for: a shutdown of the
// system and the UPS, or the clearing of a record store. Each opener sets its mode and
// shows the one dialog; "YES" carries out every mode set, in a fixed order, and "NO"
// drops them all. Windows and stores are reached through QuestionPorts.
#pragma once

#include "monitor/records/store.h"

#include <QString>

namespace brightlock {

class QuestionPorts {
public:
    virtual ~QuestionPorts() = default;
    // Shows the dialog modeless, loading it first when it is not loaded.
    virtual void showQuestion() = 0;
    virtual void unloadQuestion() = 0;
    // Starts the shutdown path for the dialog.
    virtual void startShutdown() = 0;
    // Deletes every row of a record store (a record page's clear-all).
    virtual void clearStore(Store store) = 0;
};

// What the confirmation dialog is asking for; one request may stack on another. None is
// set when the program starts.
struct DialogFlags {
    bool AskShutdown = false;
    bool AskClearLog = false;
    bool AskClearUps = false;
    bool AskClearClosed = false;
};

class QuestionModes {
public:
    explicit QuestionModes(QuestionPorts& ports) : ports_(ports) {}

    // The main window's "Shutdown" button.
    void CmdShutdownClick();
    // A record page's clear button.
    void askClear(Store store);

    // The dialog's message; the dialog asks for it once, when it loads.
    QString questionText() const;
    void Yes();
    void No();

    const DialogFlags& flags() const { return flags_; }

private:
    DialogFlags flags_;
    QuestionPorts& ports_;
};

} // namespace brightlock
