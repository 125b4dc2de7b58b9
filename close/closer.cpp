// The closer's passes; see closer.h.
#include "closer.h"

#include "hand_over.h"
#include "log_categories.h"
#include "task_switch.h"

#include <QRandomGenerator>

BRIGHTLOCK_LOGGING_CATEGORY(lcCloser, "brightlock.closer")

namespace brightlock {

namespace {

// Longest waits, in milliseconds: each ends as soon as what it waits for has happened.
constexpr int kLoadPause = 200;
constexpr int kToFront = 3500;
constexpr int kStep = 50;
// Titles are read into a buffer of 255 characters.
constexpr int kTitleLength = 254;
// A window that twice does not come to the front when brought there is given up.
constexpr int kMissesAllowed = 2;

const QString kCloseApp = QLatin1String(closeapp::kCloseApp);

bool excludedTitle(const QString& title) {
    return title == QLatin1String("Tide-Watch") || title == QLatin1String("Brightlock");
}

} // namespace

Closer::Closer(Ports ports, Options options)
    : desktop_(ports.desktop), clock_(ports.clock), files_(ports.files), dialogs_(ports.dialogs),
      options_(std::move(options)) {
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
    clock_.pause(kLoadPause);
    StartWindow = desktop_.activeWindow();
    TrayWindow = desktop_.panelWindow();
    qCInfo(lcCloser) << "start window" << StartWindow << "panel" << TrayWindow;
    clock_.pause(kLoadPause);
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
    const QString key = programKey(current);
    if (takeUps_.value(key) >= kTakeUpsPerWindow) {
        qCInfo(lcCloser) << "window" << current << title << "reopened" << kTakeUpsPerWindow
                         << "times; it is left open";
        return;
    }
    ++takeUps_[key];
    qCInfo(lcCloser) << "pass" << KeyText << "takes up window" << current << title;
    closeWindow(current, title);
}

QString Closer::programKey(WindowId window) {
    QString program = desktop_.windowClass(window);
    if (program.isEmpty())
        program = QString::number(desktop_.processOf(window));
    return program + QLatin1Char('\n') + desktop_.windowTitle(window);
}

int Closer::rankOf(WindowId window) {
    return 2 * takeUps_.value(programKey(window)) + (titleShowsChanges(desktop_.windowTitle(window)) ? 1 : 0);
}

WindowId Closer::switchTask() {
    const WindowId next = nextWindow(desktop_, tried_, [this](WindowId w) { return rankOf(w); });
    if (!next) {
        // Nothing left to switch to: where the task switch would land on the start window.
        FinishClosing(QStringLiteral("no application window is left"));
        return 0;
    }
    desktop_.activateWindow(next);
    waitFor(kToFront, [&] { return desktop_.activeWindow() == next || !desktop_.probeWindow(next); });
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

bool Closer::waitFor(int limitMs, const std::function<bool()>& done) {
    for (int waited = 0; waited < limitMs; waited += kStep) {
        if (done())
            return true;
        clock_.pause(kStep);
    }
    return done();
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
