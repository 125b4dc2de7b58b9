// One window of a pass: the close request and every dialog the window opens in answer, until
// it is gone, gives no further answer or has had its time; see closer.h.
#include "closer.h"

#include "dialog_guard.h"
#include "hand_over.h"
#include "save_name.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcCloser)

namespace brightlock {

namespace {

// Longest waits, in milliseconds; each ends as soon as what it waits for has happened.
// For the window to close or show its first dialog: a window that does neither is left.
constexpr int kFirstAnswer = 2500;
// For the next dialog after one was answered (a file chooser takes a moment to list a folder).
constexpr int kNextAnswer = 4000;
// For an answered dialog to go away.
constexpr int kDialogGone = 3000;
// For the saved file to appear once its dialog is gone.
constexpr int kFileWritten = 3300;
// Keystroke dialogs: after typing the name, before its Enter, and after that Enter.
constexpr int kAfterTyping = 2300;
constexpr int kAfterEnter = 1000;
// Before and after the closer brings a dialog to the front itself.
constexpr int kDialogToFront = 200;
constexpr int kDialogInFront = 3000;

const QString kCloseApp = QLatin1String(closeapp::kCloseApp);

} // namespace

void Closer::closeWindow(WindowId window, const QString& title) {
    const qint64 until = clock_.now() + kWindowLimitMs;
    savesOfWindow_ = 0;
    typedNameMissed_ = false;
    titleOfWindow_ = title;
    QSet<WindowId> before = listedWindows(desktop_);
    desktop_.requestClose(window);
    Expect expect = Expect::Prompt;
    int limit = kFirstAnswer;
    for (bool first = true;; first = false) {
        WindowId dialog = 0;
        waitFor(limit, [&] {
            if (!desktop_.probeWindow(window))
                return true;
            dialog = topDialogOf(desktop_, window, before);
            return dialog != 0;
        });
        const WindowId probe = desktop_.probeWindow(window);
        if (first)
            files_.writeList(QLatin1String(closeapp::kProbe), KeyText, QString::number(probe));
        if (!probe) {
            qCInfo(lcCloser) << "window" << window << (first ? "closed at once" : "closed");
            return;
        }
        if (!dialog) {
            qCInfo(lcCloser) << "window" << window << "shows no further dialog of its own; it stays open";
            return;
        }
        if (clock_.now() >= until) {
            qCInfo(lcCloser) << "window" << window << "had its" << kWindowLimitMs / 1000
                             << "s; it stays open";
            return;
        }
        const QSet<WindowId> listed = listedWindows(desktop_);
        const Answer answer = answerDialog(window, dialog, expect, listed);
        if (answer == Answer::Leave)
            return;
        before = listed;
        // The answered dialog goes (or the window, or a new dialog comes); a toolkit that shows
        // its next dialog in the same window then has it counted as new.
        waitFor(kDialogGone, [&] {
            return !desktop_.probeWindow(dialog) || !desktop_.probeWindow(window) ||
                   topDialogOf(desktop_, window, before);
        });
        if (!desktop_.probeWindow(dialog))
            before.remove(dialog);
        limit = kNextAnswer;
    }
}

Closer::Answer Closer::answerDialog(WindowId window, WindowId dialog, Expect& expect,
                                    const QSet<WindowId>& before) {
    const DialogRef ref{desktop_.processOf(dialog), desktop_.windowTitle(dialog)};
    const DialogKind kind = dialogs_ ? dialogs_->read(ref) : DialogKind::Unreadable;
    switch (kind) {
    case DialogKind::Unreadable:
        return answerByKeys(window, dialog, expect, before);
    case DialogKind::SavePrompt:
        qCInfo(lcCloser) << "pressing Save in" << dialog << ref.title;
        expect = Expect::SaveDialog;
        return dialogs_->pressSave(ref) ? Answer::Asked : Answer::Leave;
    case DialogKind::FileChooser: {
        const QString path = nextSavePath();
        qCInfo(lcCloser) << "saving as" << path << "through" << dialog << ref.title;
        expect = Expect::Prompt;
        if (!dialogs_->fillFileName(ref, path))
            return Answer::Leave;
        recordSave(path, dialog);
        return Answer::SaveConfirmed;
    }
    case DialogKind::KeepFormat:
        qCInfo(lcCloser) << "keeping the format in" << dialog << ref.title;
        return dialogs_->keepFormat(ref) ? Answer::Asked : Answer::Leave;
    case DialogKind::Other:
        break;
    }
    qCInfo(lcCloser) << "dialog" << dialog << ref.title << "asks something else; window" << window
                     << "stays open";
    return Answer::Leave;
}

Closer::Answer Closer::answerByKeys(WindowId window, WindowId dialog, Expect& expect,
                                    const QSet<WindowId>& before) {
    // Keys go only into the dialog in front; the window's list before this dialog came
    // stands for what was there before the request it answers.
    QSet<WindowId> earlier = before;
    earlier.remove(dialog);
    if (dialogInFront(window, earlier) != dialog) {
        qCInfo(lcCloser) << "dialog" << dialog << "does not come to the front; no keys";
        return Answer::Leave;
    }
    if (expect == Expect::Prompt) {
        expect = Expect::SaveDialog;
        if (!pressEnter())
            return Answer::Leave;
        qCInfo(lcCloser) << "Enter to its prompt" << dialog;
        return Answer::Asked;
    }
    const QString path = nextSavePath();
    expect = Expect::Prompt;
    if (desktop_.keyboardGrabbedElsewhere()) {
        qCInfo(lcCloser) << "another program holds the keyboard; nothing typed into" << dialog;
        return Answer::Leave;
    }
    // Some dialogs (Motif's) join whatever is typed to the folder they show, an absolute path
    // too. After such a miss the same place is typed as a path that climbs from any folder to
    // the root first.
    const QString typed = typedNameMissed_ ? climbingPath(path) : path;
    qCInfo(lcCloser) << "typing" << typed << "into its save dialog" << dialog;
    // The name field may hold a name already, with the cursor at its start (LibreOffice's own
    // save dialog offers "Untitled 1" so): the whole name is selected for the typed path to
    // replace. Home and Shift+End select a line in every toolkit's text field.
    selectFieldText();
    if (!desktop_.typeText(typed))
        qCWarning(lcCloser) << "could not type all of" << typed;
    // Nothing tells when a program has taken in typed keys: the name is given its time to show
    // in the field (and a completion list to settle) before Enter, as before.
    clock_.pause(kAfterTyping);
    if (desktop_.activeWindow() != dialog) {
        qCInfo(lcCloser) << "the save dialog of window" << window << "left the front; no Enter";
        return Answer::Leave;
    }
    const QSet<WindowId> beforeConfirm = listedWindows(desktop_);
    if (!pressEnter())
        return Answer::Leave;
    waitFor(kAfterEnter, [&] { return !desktop_.probeWindow(dialog); });
    // The completion list of a dialog's name field can take an Enter for itself. The dialog
    // is then still in front and shows nothing new (a dialog that refuses a name says so in a
    // window of its own): confirm once more.
    if (desktop_.activeWindow() == dialog && desktop_.probeWindow(window) &&
        !topDialogOf(desktop_, window, beforeConfirm)) {
        qCInfo(lcCloser) << "the save dialog" << dialog << "is still open; Enter once more";
        if (!pressEnter())
            return Answer::Leave;
        waitFor(kAfterEnter, [&] { return !desktop_.probeWindow(dialog); });
    }
    if (!recordSave(path, dialog))
        typedNameMissed_ = true;
    return Answer::SaveConfirmed;
}

QString Closer::nextSavePath() {
    const QString path = freshSavePath(saveFolder(options_.applicationDirectory), options_.draw, savePaths_);
    savePaths_.insert(path);
    return path;
}

bool Closer::recordSave(const QString& savePath, WindowId dialog) {
    // The file is written once the dialog is gone, or while it still shows progress.
    waitFor(kDialogGone, [&] { return !desktop_.probeWindow(dialog) || !savedFile(savePath).isEmpty(); });
    QString file;
    waitFor(kFileWritten, [&] { return !(file = savedFile(savePath)).isEmpty(); });
    if (file.isEmpty()) {
        qCInfo(lcCloser) << "no file appeared for" << savePath << "; nothing recorded";
        return false;
    }
    // A second document of the same window is listed under its own index.
    if (savesOfWindow_++ > 0)
        files_.writeList(kCloseApp, KeyText, titleOfWindow_);
    writeSaveRecord(files_, KeyText, QDateTime::currentDateTime(), options_.locale, file);
    ++WindowCounter;
    KeyText = QString::number(WindowCounter);
    qCInfo(lcCloser) << "saved as" << file;
    return true;
}

WindowId Closer::dialogInFront(WindowId window, const QSet<WindowId>& before) {
    WindowId dialog = 0;
    waitFor(kDialogInFront, [&] {
        const WindowId active = desktop_.activeWindow();
        if (isDialogOf(desktop_, active, window, before)) {
            dialog = active;
            return true;
        }
        const WindowId top = topDialogOf(desktop_, window, before);
        if (!top || !desktop_.probeWindow(window))
            return !desktop_.probeWindow(window);
        desktop_.activateWindow(top);
        clock_.pause(kDialogToFront);
        dialog = desktop_.activeWindow() == top ? top : 0;
        return dialog != 0;
    });
    return dialog;
}

void Closer::selectFieldText() {
    desktop_.keyDown(Key::Home);
    desktop_.keyUp(Key::Home);
    desktop_.keyDown(Key::Shift);
    desktop_.keyDown(Key::End);
    desktop_.keyUp(Key::End);
    desktop_.keyUp(Key::Shift);
}

bool Closer::pressEnter() {
    if (desktop_.keyboardGrabbedElsewhere()) {
        qCInfo(lcCloser) << "another program holds the keyboard; no Enter";
        return false;
    }
    desktop_.keyDown(Key::Return);
    desktop_.keyUp(Key::Return);
    return true;
}

} // namespace brightlock
