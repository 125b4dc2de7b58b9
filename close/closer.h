// The closer's work, without a screen of its own: after the desktop is shown, every
// `Timer1` pass (2000 ms apart) brings the next application window to the front, asks it
// to close, answers its save prompt with Enter, types a fresh name under the Save folder
// into its save dialog and confirms it, and records in CloseApp.ini what it took up. When
// no window is left, the run reaches its time limit, an empty title or a third excluded
// window comes to the front, `FinishClosing` writes the hand-over flags and the run ends.
#pragma once

#include "closer_files.h"
#include "desktop.h"
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
    };
    struct Options {
        QString applicationDirectory;
        // The formats of Date / n and Time / n.
        QLocale locale = QLocale::system();
        // A number from 0 to 9999 for a save name; null: a random one.
        std::function<int()> draw;
        int runLimitMs = kRunLimitMs;
    };

    static constexpr int kTimer1Ms = 2000;
    // No pass starts once this much time has gone by since the start. The pass under way
    // still ends; with every wait at its longest a pass takes under kLongestPassMs plus the
    // typing, so a run ends within about 140 s.
    static constexpr int kRunLimitMs = 120000;
    static constexpr int kLongestPassMs = 20000;

    Closer(Ports ports, Options options);

    // Load, then a pass every kTimer1Ms until the run is finished.
    void run();

    // Start-up: a fresh CloseApp.ini, the Save folder, every window minimised, the start
    // window and the panel recorded.
    void Form_Load();
    // One tick of `Timer1`.
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
    // Brings the next untried window to the front; the window in front afterwards, or 0
    // when the pass has nothing to take up. Finishes the run when nothing is left.
    WindowId switchTask();
    // Close request, prompt, save dialog.
    void closeWindow(WindowId window);
    // The dialog of `window` that is in front, brought there when it is not; 0 when none.
    WindowId dialogInFront(WindowId window, const QSet<WindowId>& before);
    // The same, given a little longer to show up while the window is still there.
    WindowId dialogOf(WindowId window, const QSet<WindowId>& before);
    // Pauses in short steps until `done` or a few seconds have passed; whether it is done.
    bool waitAWhile(const std::function<bool()>& done);
    void pressEnter();

    Desktop& desktop_;
    PassClock& clock_;
    CloserFiles& files_;
    Options options_;
    qint64 startedAt_ = 0;
    bool finished_ = false;
    bool reachedRunLimit_ = false;
    QString finishReason_;
    // Windows taken up (asked to close, or excluded by title): never taken up again.
    QSet<WindowId> tried_;
    // How often a window brought to the front did not come there.
    QHash<WindowId, int> missedFront_;
    QSet<QString> savePaths_;
};

} // namespace brightlock
