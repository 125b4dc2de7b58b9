// close: the companion program the monitor starts just before a shutdown. For now it
// saves nothing: it signs off and asks the monitor to go on with the shutdown.
#include "desktop.h"
#include "settings.h"
#include "settings_catalogue.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            std::printf("Usage: close\nStarted by Brightlock before a shutdown; asks it to shut down.\n\n"
                        "Options:\n"
                        "  -h, --help     show this help and exit\n"
                        "  -v, --version  show the version and exit\n");
            // Whether this session's windows could be driven, for someone finding out why
            // nothing was saved.
            QString whyNot;
            if (brightlock::openDesktop(whyNot))
                std::printf("Desktop: usable\n");
            else
                std::printf("Desktop: not usable: %s\n", qPrintable(whyNot));
            return 0;
        }
        if (!std::strcmp(argv[i], "-v") || !std::strcmp(argv[i], "--version")) {
            std::printf("close (Brightlock) %s\n", BRIGHTLOCK_VERSION);
            return 0;
        }
    }
    QCoreApplication app(argc, argv);
    brightlock::installSettingsFile();
    namespace s = brightlock::settings;
    s::write(s::Close, 0);
    s::write(s::ShutDown, 1);
    return 0;
}
