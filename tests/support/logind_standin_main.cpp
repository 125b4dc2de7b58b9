// logind_standin: the stand-in logind as a program, for trying the real final step by hand
// against a private bus. Usage:
//   DBUS_SYSTEM_BUS_ADDRESS=<a private bus> logind_standin accept|refuse|silent [yes|no]
// The second word is its answer to CanHibernate. It prints each call it receives.
#include "support/logind_standin.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    const QStringList args = app.arguments().mid(1);
    if (address.isEmpty() || args.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: DBUS_SYSTEM_BUS_ADDRESS=<private bus> logind_standin accept|refuse|silent [yes|no]\n");
        return 2;
    }
    LogindStandIn logind;
    logind.mode = args[0] == "refuse"   ? LogindStandIn::Mode::Refuse
                  : args[0] == "silent" ? LogindStandIn::Mode::Silent
                                        : LogindStandIn::Mode::Accept;
    logind.canHibernate = args.value(1, QStringLiteral("no"));
    if (!logind.attach(address)) {
        std::fprintf(stderr, "logind_standin: cannot take org.freedesktop.login1 on %s\n",
                     qPrintable(address));
        return 1;
    }
    QTimer report;
    qsizetype told = 0;
    QObject::connect(&report, &QTimer::timeout, [&] {
        for (; told < logind.calls.size(); ++told)
            std::printf("logind_standin: %s\n", qPrintable(logind.calls[told])), std::fflush(stdout);
    });
    report.start(50);
    return app.exec();
}
