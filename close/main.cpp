// close: the companion program the monitor starts just before a shutdown. It saves and
// closes the user's open applications on the X11 desktop, then asks the monitor to go on.
#include "closer.h"
#include "dialog_watchdog.h"
#include "hand_over.h"

#include "app_paths.h"
#include "desktop.h"
#include "dialog_reader.h"
#include "settings.h"
#include "termination_signals.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void printHelp() {
    std::printf("Usage: close\n"
                "Started by Brightlock just before a shutdown. It brings each open application window\n"
                "to the front, asks it to close and answers the dialogs it opens, one per unsaved\n"
                "document, saving each under the Save folder of Brightlock's application directory as\n"
                "SaveClose<number>. Dialogs are read on the accessibility bus where the application\n"
                "exposes them (GTK, Qt, KDE, LibreOffice); other applications get Enter for their\n"
                "prompt and the typed name for their save dialog. It records in CloseApp.ini each\n"
                "file that was written, then asks Brightlock to shut down ([Schema] ShutDown=1 in\n"
                "UpsConfigure.ini).\n\n"
                "A run lasts at most about %d s: no window is taken up after %d s. Without an X11\n"
                "desktop it saves nothing and hands over at once. Keep away from the keyboard and\n"
                "the mouse while it runs. Arguments other than these are ignored:\n"
                "  -h, --help     show this help and whether this desktop can be driven, and exit\n"
                "  -v, --version  show the version and exit\n\n"
                "Environment:\n"
                "  BRIGHTLOCK_HOME  the application directory (default: the program folder when\n"
                "                   writable, else ~/.local/share/brightlock)\n",
                (brightlock::Closer::kRunLimitMs + brightlock::Closer::kLongestPassMs) / 1000,
                brightlock::Closer::kRunLimitMs / 1000);
    // Whether this session's windows could be driven, for someone finding out why nothing
    // was saved.
    QString whyNot;
    if (brightlock::openDesktop(whyNot))
        std::printf("\nDesktop: usable\n");
    else
        std::printf("\nDesktop: not usable: %s\n", qPrintable(whyNot));
    if (brightlock::openDialogReader(whyNot))
        std::printf("Accessibility bus: usable\n");
    else
        std::printf("Accessibility bus: not usable (keystrokes only): %s\n", qPrintable(whyNot));
}

// The run under way, for the exit hook: Xlib ends the process through exit() when the X
// server goes away, and the monitor must still learn that the closer is done.
brightlock::Closer* gRunning = nullptr;

void finishOnExit() {
    if (gRunning)
        gRunning->FinishClosing(QStringLiteral("the program ended early"));
}

} // namespace

int main(int argc, char** argv) {
    // Qt's own event dispatcher, not GLib's: GLib's would dispatch the accessibility bus's
    // messages while the closer pauses, and libatspi's handlers of them call the bus again
    // from inside that dispatch, which never returns. Messages are read during its own calls.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            printHelp();
            return 0;
        }
        if (!std::strcmp(argv[i], "-v") || !std::strcmp(argv[i], "--version")) {
            std::printf("close %s\n", BRIGHTLOCK_VERSION);
            return 0;
        }
    }
    brightlock::installSettingsFile();
    brightlock::ProfileFiles files;
    // Absolute, because the save path is typed into other programs' dialogs.
    const QString applicationDirectory = QDir(brightlock::ApplicationDirectory()).absolutePath();

    QString whyNot;
    const std::unique_ptr<brightlock::Desktop> desktop = brightlock::openDesktop(whyNot);
    if (!desktop) {
        std::fprintf(stderr, "close: no open application is saved: %s\n", qPrintable(whyNot));
        brightlock::startList(files, applicationDirectory);
        brightlock::handOver(files, QStringLiteral("1"));
        return 0;
    }

    // Switched on before the first window is taken up; without it every dialog gets keys.
    const std::unique_ptr<brightlock::DialogReader> dialogs = brightlock::openDialogReader(whyNot);
    if (!dialogs)
        std::fprintf(stderr, "close: dialogs are answered with keystrokes only: %s\n", qPrintable(whyNot));

    brightlock::SteadyClock clock;
    brightlock::Closer::Options options;
    options.applicationDirectory = applicationDirectory;
    std::unique_ptr<brightlock::DialogWatchdog> watchdog;
    if (dialogs) {
        // A bus call that never returns: hand over and end, as on a termination signal.
        watchdog = std::make_unique<brightlock::DialogWatchdog>(*dialogs, [] {
            std::fprintf(stderr, "close: the accessibility bus stopped answering\n");
            if (gRunning)
                gRunning->FinishClosing(QStringLiteral("the accessibility bus stopped answering"));
            std::_Exit(0);
        });
    }
    brightlock::Closer closer({*desktop, clock, files, watchdog.get()}, options);
    gRunning = &closer;
    std::atexit(finishOnExit);
    // The session or the system ending: hand over at once, whatever the pass was doing.
    brightlock::watchTerminationSignals([&closer] {
        closer.FinishClosing(QStringLiteral("a termination signal"));
        std::exit(0);
    });
    closer.run();
    if (closer.reachedRunLimit())
        std::fprintf(stderr, "close: %s; windows not reached by then stay open\n",
                     qPrintable(closer.finishReason()));
    gRunning = nullptr;
    return 0;
}
