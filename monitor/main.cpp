// Brightlock: the desktop UPS monitor.
#include "app_paths.h"
#include "application.h"
#include "history_export.h"
#include "resource_paths.h"
#include "settings.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The command as the user started it: the launcher's name when a launcher started the
// program (it says so in BRIGHTLOCK_COMMAND), else the base name of argv[0].
std::string commandName(const char* argv0) {
    if (const char* launcher = std::getenv("BRIGHTLOCK_COMMAND"); launcher && *launcher)
        return launcher;
    const char* slash = argv0 ? std::strrchr(argv0, '/') : nullptr;
    return slash ? slash + 1 : (argv0 && *argv0 ? argv0 : "Brightlock");
}

void printHelp(const std::string& command) {
    std::printf("Usage: %s [--dry-run]\n"
                "       %s --export-history FILE\n"
                "Watches the UPS, shows whether the computer runs on mains or on battery, records\n"
                "power events and, before the battery runs out, saves the open applications and\n"
                "shuts the computer and the UPS down. It lives in the system tray.\n\n"
                "Options:\n"
                "  --dry-run      never power the computer off nor switch a real UPS off; print\n"
                "                 \"dry run: power-off requested\" and \"dry run: UPS switch-off\n"
                "                 requested\" on standard error instead (the simulated UPS of\n"
                "                 PSU_DRIVER=sim still counts its switch-off commands)\n"
                "  --export-history FILE\n"
                "                 write the battery history (a sample a minute and one at each\n"
                "                 power event, 31 days) to FILE as CSV and exit; \"-\" writes to\n"
                "                 standard output. The running monitor is left as it is.\n"
                "  -h, --help     show this help and exit\n"
                "  -v, --version  show the version and exit\n\n"
                "Environment:\n"
                "  BRIGHTLOCK_HOME  folder for the settings and records (default: the program folder\n"
                "                   when writable, else ~/.local/share/brightlock)\n"
                "  PSU_DRIVER       UPS driver of libPSU.so (for example sim)\n",
                command.c_str(), command.c_str());
}

} // namespace

int main(int argc, char** argv) {
    brightlock::Options options;
    const std::string command = commandName(argv[0]);
    qunsetenv("BRIGHTLOCK_COMMAND"); // the closer the monitor starts is not started by the launcher
    const char* exportFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            printHelp(command);
            return 0;
        }
        if (!std::strcmp(arg, "-v") || !std::strcmp(arg, "--version")) {
            std::printf("Brightlock %s\n", BRIGHTLOCK_VERSION);
            return 0;
        }
        if (!std::strcmp(arg, "--dry-run")) {
            options.dryRun = true;
            continue;
        }
        if (!std::strcmp(arg, "--export-history")) {
            if (i + 1 >= argc || !*argv[i + 1]) {
                std::fprintf(stderr,
                             "%s: --export-history needs a file name (\"-\": standard output)\nTry '%s "
                             "--help'.\n",
                             command.c_str(), command.c_str());
                return 2;
            }
            exportFile = argv[++i];
            continue;
        }
        // Qt's own options (-platform, -display, ...) pass through.
        if (arg[0] == '-' && arg[1] == '-') {
            std::fprintf(stderr, "%s: unknown option '%s'\nTry '%s --help'.\n", command.c_str(), arg,
                         command.c_str());
            return 2;
        }
    }

    // Before anything of the monitor: no window, no settings file installed, no instance lock,
    // so it runs beside a running monitor and never starts a second one.
    if (exportFile) {
        QCoreApplication core(argc, argv);
        return brightlock::exportHistory(brightlock::ApplicationDirectory(),
                                         QString::fromLocal8Bit(exportFile));
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightlock"));
    QApplication::setApplicationVersion(QStringLiteral(BRIGHTLOCK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("brightlock"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QString::fromLatin1(brightlock::res::kIconMain)));

    brightlock::installSettingsFile();
    brightlock::Application monitor(options);
    monitor.start();
    return app.exec();
}
