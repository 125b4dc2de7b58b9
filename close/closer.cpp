// The closer's passes; see closer.h.
#include "closer.h"

#include "dialog_guard.h"
#include "hand_over.h"
#include "save_name.h"
#include "task_switch.h"

#include <QLoggingCategory>
#include <QRandomGenerator>

Q_LOGGING_CATEGORY(lcCloser, "brightlock.closer", QtWarningMsg)

namespace brightlock {

namespace {

// The pauses of a pass, in milliseconds.
constexpr int kAfterSwitch = 500;
constexpr int kBeforeProbe = 200;
constexpr int kBeforeEnter = 2000;
constexpr int kBeforeTyping = 2000;
constexpr int kAfterTyping = 2300;
constexpr int kAfterSave = 1000;
// Before and after the closer brings a dialog to the front itself.
constexpr int kDialogToFront = 200;
// Titles are read into a buffer of 255 characters.
constexpr int kTitleLength = 254;
// A window that twice does not come to the front when brought there is given up.
constexpr int kMissesAllowed = 2;
// On a busy desktop a window or dialog may come later than the pauses above allow for: the
// closer then looks again every kGraceStep until kGrace has passed, before it gives up.
constexpr int kGrace = 3000;
constexpr int kGraceStep = 100;

const QString kCloseApp = QLatin1String(closeapp::kCloseApp);

bool excludedTitle(const QString& title) {
    return title == QLatin1String("Tide-Watch") || title == QLatin1String("Brightlock");
}

} // namespace

Closer::Closer(Ports ports, Options options)
    : desktop_(ports.desktop), clock_(ports.clock), files_(ports.files), options_(std::move(options)) {
    if (!options_.draw)
        options_.draw = [] { return int(QRandomGenerator::global()->bounded(10000)); };
}

void Closer::run() {
    Form_Load();
    while (!finished_) {
        clock_.pause(kTimer1Ms);
        ClosePass();
    }
}

void Closer::Form_Load() {
    startedAt_ = clock_.now();
    startList(files_, options_.applicationDirectory);
    WindowCounter = 1;
    KeyText = QString::number(WindowCounter);
    SkipCounter = 0;
    desktop_.minimizeAll();
    clock_.pause(200);
    StartWindow = desktop_.activeWindow();
    TrayWindow = desktop_.panelWindow();
    qCInfo(lcCloser) << "start window" << StartWindow << "panel" << TrayWindow;
    clock_.pause(200);
}

void Closer::ClosePass() {
    if (finished_)
        return;
    KeyText = QString::number(WindowCounter);
    if (clock_.now() - startedAt_ >= options_.runLimitMs) {
        reachedRunLimit_ = true;
        FinishClosing(QStringLiteral("the run took %1 s, its limit").arg(options_.runLimitMs / 1000));
        return;
    }
    const WindowId current = switchTask();
    if (finished_ || !current)
        return;

    const QString title = desktop_.windowTitle(current).left(kTitleLength);
    files_.writeList(kCloseApp, KeyText, title);
    const QString Text1 = files_.readList(kCloseApp, KeyText);
    if (excludedTitle(Text1)) {
        tried_.insert(current);
        if (SkipCounter == 2) {
            FinishClosing(QStringLiteral("an excluded window came to the front a third time"));
            return;
        }
        ++SkipCounter;
        return;
    }
    if (Text1.isEmpty()) {
        FinishClosing(QStringLiteral("a window without a title came to the front"));
        return;
    }
    if (tried_.contains(current)) {
        qCInfo(lcCloser) << "window" << current << "is still open after it was tried; it stays open";
        return;
    }
    tried_.insert(current);
    qCInfo(lcCloser) << "pass" << KeyText << "takes up window" << current << title;
    closeWindow(current);
}

WindowId Closer::switchTask() {
    const WindowId next = nextWindow(desktop_, tried_);
    if (!next) {
        // Nothing left to switch to: where the task switch would land on the start window.
        FinishClosing(QStringLiteral("no application window is left"));
        return 0;
    }
    desktop_.activateWindow(next);
    clock_.pause(kAfterSwitch);
    waitAWhile([&] { return desktop_.activeWindow() == next || !desktop_.probeWindow(next); });
    const WindowId current = desktop_.activeWindow();
    if (current != next) {
        if (!desktop_.probeWindow(next)) {
            qCInfo(lcCloser) << "window" << next << "went away by itself";
            return 0;
        }
        if (++missedFront_[next] >= kMissesAllowed)
            tried_.insert(next);
    }
    if (current && current == TrayWindow) {
        FinishClosing(QStringLiteral("the panel came to the front"));
        return 0;
    }
    if (current && current == StartWindow && !desktop_.isApplicationWindow(StartWindow)) {
        FinishClosing(QStringLiteral("the start window came to the front"));
        return 0;
    }
    if (!current || !desktop_.isApplicationWindow(current)) {
        qCInfo(lcCloser) << "window" << next << "did not come to the front";
        return 0;
    }
    return current;
}

void Closer::closeWindow(WindowId window) {
    const QSet<WindowId> beforeClose = listedWindows(desktop_);
    desktop_.requestClose(window);
    clock_.pause(kBeforeProbe);
    WindowId probe = desktop_.probeWindow(window);
    files_.writeList(QLatin1String(closeapp::kProbe), KeyText, QString::number(probe));
    if (!probe) {
        qCInfo(lcCloser) << "window" << window << "closed at once";
        return;
    }

    clock_.pause(kBeforeEnter);
    if (!dialogOf(window, beforeClose)) {
        qCInfo(lcCloser) << "window" << window << "shows no prompt of its own; it stays open";
        return;
    }
    const QSet<WindowId> beforeEnter = listedWindows(desktop_);
    qCInfo(lcCloser) << "Enter to its prompt" << desktop_.activeWindow();
    pressEnter();
    clock_.pause(kBeforeProbe);
    probe = desktop_.probeWindow(window);
    if (!probe) {
        qCInfo(lcCloser) << "window" << window << "closed after Enter";
        return;
    }

    clock_.pause(kBeforeTyping);
    const WindowId dialog = dialogOf(window, beforeEnter);
    if (!dialog) {
        qCInfo(lcCloser) << "window" << window << "shows no save dialog of its own; it stays open";
        return;
    }
    const QString savePath =
        freshSavePath(saveFolder(options_.applicationDirectory), options_.draw, savePaths_);
    savePaths_.insert(savePath);
    writeSaveRecord(files_, KeyText, QDateTime::currentDateTime(), options_.locale, savePath);
    ++WindowCounter;
    qCInfo(lcCloser) << "typing" << savePath << "into its save dialog" << dialog;
    if (!desktop_.typeText(savePath))
        qCWarning(lcCloser) << "could not type all of" << savePath;
    clock_.pause(kAfterTyping);
    if (desktop_.activeWindow() != dialog) {
        qCInfo(lcCloser) << "the save dialog of window" << window << "left the front; no Enter";
        clock_.pause(kAfterSave);
        return;
    }
    const QSet<WindowId> beforeConfirm = listedWindows(desktop_);
    pressEnter();
    clock_.pause(kAfterSave);
    // The completion list of a dialog's name field can take an Enter for itself. The dialog
    // is then still in front and shows nothing new (a dialog that refuses a name says so in a
    // window of its own): confirm once more.
    if (desktop_.activeWindow() == dialog && desktop_.probeWindow(window) &&
        !topDialogOf(desktop_, window, beforeConfirm)) {
        qCInfo(lcCloser) << "the save dialog" << dialog << "is still open; Enter once more";
        pressEnter();
        clock_.pause(kAfterSave);
    }
}

bool Closer::waitAWhile(const std::function<bool()>& done) {
    for (int waited = 0; waited < kGrace; waited += kGraceStep) {
        if (done())
            return true;
        clock_.pause(kGraceStep);
    }
    return done();
}

WindowId Closer::dialogOf(WindowId window, const QSet<WindowId>& before) {
    WindowId dialog = 0;
    waitAWhile([&] {
        dialog = dialogInFront(window, before);
        return dialog || !desktop_.probeWindow(window);
    });
    return dialog;
}

WindowId Closer::dialogInFront(WindowId window, const QSet<WindowId>& before) {
    const WindowId active = desktop_.activeWindow();
    if (isDialogOf(desktop_, active, window, before))
        return active;
    const WindowId dialog = topDialogOf(desktop_, window, before);
    if (!dialog)
        return 0;
    desktop_.activateWindow(dialog);
    clock_.pause(kDialogToFront);
    return desktop_.activeWindow() == dialog ? dialog : 0;
}

void Closer::pressEnter() {
    desktop_.keyDown(Key::Return);
    desktop_.keyUp(Key::Return);
}

void Closer::FinishClosing(const QString& why) {
    if (finished_)
        return;
    finished_ = true;
    finishReason_ = why;
    qCInfo(lcCloser) << "finished:" << why << "- Count" << KeyText;
    handOver(files_, KeyText);
}

} // namespace brightlock
