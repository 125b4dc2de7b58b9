// The closer's work, without a screen of its own: after the desktop is shown, each pass brings
// the next application window to the front, asks it to close and answers the dialogs it
// opens in answer, one after another, until the window is gone: a save prompt by pressing its
// save button (every document ticked), a file chooser by filling in a fresh name under the
// Save folder and confirming, a "keep the format?" question by keeping it. Dialogs are read
// on the accessibility bus where the program exposes them; for the others the closer falls
// back to Enter for a prompt and a typed name for a save dialog, and only into the dialog in
// front, never while another program holds the keyboard. A save is recorded in CloseApp.ini
// with the file that appeared. Every wait ends as soon as what it waits for has happened.
// When no window is left, the run reaches its time limit, an empty title or a third excluded
// window comes to the front, `FinishClosing` writes the hand-over flags and the run ends.
#pragma once

#include "closer_files.h"
#include "desktop.h"
#include "dialog_reader.h"
#include "pass_clock.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <functional>

namespace brightlock {

class Closer {
public:
    struct Ports {
        Desktop& desktop;
        PassClock& clock;
        CloserFiles& files;
        // Null: no accessibility bus; every dialog is answered with keystrokes.
        DialogReader* dialogs = nullptr;
    };
    struct Options {
        QString applicationDirectory;
        // The formats of Date / n and Time / n.
        QLocale locale = QLocale::system();
        // A number from 0 to 9999 for a save name; null: a random one.
        std::function<int()> draw;
        int runLimitMs = kRunLimitMs;
    };

    // The pause between passes.
    static constexpr int kTimer1Ms = 250;
    // No pass starts once this much time has gone by since the start. The pass under way
    // still ends; one window is given at most kWindowLimitMs to answer its dialogs, and with
    // every wait at its longest a pass takes under kLongestPassMs plus the typing.
    static constexpr int kRunLimitMs = 120000;
    static constexpr int kWindowLimitMs = 20000;
    static constexpr int kLongestPassMs = 45000;
    // How often windows of one program with one title are taken up: a window that reopens
    // itself as it closes is left after this.
    static constexpr int kTakeUpsPerWindow = 3;

    Closer(Ports ports, Options options);

    // Load, then a pass every kTimer1Ms until the run is finished.
    void run();

    // Start-up: a fresh CloseApp.ini, the Save folder, every window minimised, the start
    // window and the panel recorded.
    void Form_Load();
    // One pass.
    void ClosePass();
    // Writes the hand-over flags and ends the run; `why` goes to the log. Only the first
    // call writes.
    void FinishClosing(const QString& why);

    bool finished() const { return finished_; }
    QString finishReason() const { return finishReason_; }
    // Whether the run ended by its time limit, with windows perhaps not reached.
    bool reachedRunLimit() const { return reachedRunLimit_; }

    int WindowCounter = 1;
    QString KeyText = QStringLiteral("1");
    int SkipCounter = 0;
    WindowId StartWindow = 0;
    WindowId TrayWindow = 0;

private:
    // What the next dialog that nobody can read is taken for.
    enum class Expect { Prompt, SaveDialog };
    // How a dialog was answered.
    enum class Answer { Leave, Asked, SaveConfirmed };

    // Brings the next window to the front; the window in front afterwards, or 0 when the
    // pass has nothing to take up. Finishes the run when nothing is left.
    WindowId switchTask();
    // The order windows are taken up in: fewest take-ups of their program and title first,
    // then windows whose title shows no unsaved changes, then the topmost.
    int rankOf(WindowId window);
    QString programKey(WindowId window);

    // Close request, then every dialog the window opens, until it is gone or gives no answer.
    void closeWindow(WindowId window, const QString& title);
    Answer answerDialog(WindowId window, WindowId dialog, Expect& expect, const QSet<WindowId>& before);
    Answer answerByKeys(WindowId window, WindowId dialog, Expect& expect, const QSet<WindowId>& before);
    // Once `dialog` is gone, records the save when a file of `savePath`'s name appeared.
    // True when the file appeared (and was recorded).
    bool recordSave(const QString& savePath, WindowId dialog);
    QString nextSavePath();
    // The dialog of `window` that is in front, brought there when it is not; 0 when none.
    WindowId dialogInFront(WindowId window, const QSet<WindowId>& before);
    // Checks `done` every short step until it holds or `limitMs` have passed; whether it held.
    bool waitFor(int limitMs, const std::function<bool()>& done);
    // Selects what the focused name field holds, for typing to replace it.
    void selectFieldText();
    // Enter into the dialog in front, unless another program holds the keyboard.
    bool pressEnter();

    Desktop& desktop_;
    PassClock& clock_;
    CloserFiles& files_;
    DialogReader* dialogs_;
    Options options_;
    qint64 startedAt_ = 0;
    bool finished_ = false;
    bool reachedRunLimit_ = false;
    QString finishReason_;
    // Windows taken up (asked to close, or excluded by title): never taken up again.
    QSet<WindowId> tried_;
    // How often a window brought to the front did not come there.
    QHash<WindowId, int> missedFront_;
    // Take-ups by program and title.
    QHash<QString, int> takeUps_;
    QSet<QString> savePaths_;
    // The window of this pass: its title as listed, and the saves recorded for it.
    QString titleOfWindow_;
    int savesOfWindow_ = 0;
    // A name typed into this window's save dialog produced no file: the next is typed relative.
    bool typedNameMissed_ = false;
};

} // namespace brightlock
