// The confirmation dialog's modes; see question_modes.h.
#include "question_modes.h"

namespace brightlock {

void QuestionModes::CmdShutdownClick() {
    flags_.AskShutdown = true;
    ports_.showQuestion();
}

void QuestionModes::askClear(Store store) {
    switch (store) {
    case Store::Log:
        flags_.AskClearLog = true;
        break;
    case Store::Ups:
        flags_.AskClearUps = true;
        break;
    case Store::Closed:
        flags_.AskClearClosed = true;
        break;
    }
    ports_.showQuestion();
}

QString QuestionModes::questionText() const {
    // One text serves the three clear commands; its leading blanks centre it in the dialog.
    return flags_.AskShutdown ? QStringLiteral("Are you sure shutdown system and ups ?")
                              : QStringLiteral("     Are you sure clear all logs ?");
}

void QuestionModes::Yes() {
    // Each mode is reset before it is carried out, so a request never runs twice.
    if (flags_.AskShutdown) {
        flags_.AskShutdown = false;
        ports_.startShutdown();
    }
    if (flags_.AskClearLog) {
        flags_.AskClearLog = false;
        ports_.clearStore(Store::Log);
    }
    if (flags_.AskClearUps) {
        flags_.AskClearUps = false;
        ports_.clearStore(Store::Ups);
    }
    if (flags_.AskClearClosed) {
        flags_.AskClearClosed = false;
        ports_.clearStore(Store::Closed);
    }
    ports_.unloadQuestion();
}

void QuestionModes::No() {
    flags_ = DialogFlags{};
    ports_.unloadQuestion();
}

} // namespace brightlock
