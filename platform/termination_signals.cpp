// Self-pipe from the signal handler to a QSocketNotifier; see termination_signals.h.
#include "termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace brightlock {
namespace {

int gSignalFds[2] = {-1, -1};

void onUnixSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(gSignalFds[0], &byte, 1);
}

} // namespace

void watchTerminationSignals(std::function<void()> onSignal) {
    if (gSignalFds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalFds) != 0)
        return;
    auto* notifier = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal = std::move(onSignal)] {
        char byte;
        [[maybe_unused]] ssize_t n = ::read(gSignalFds[1], &byte, 1);
        onSignal();
    });
    struct sigaction sa {};
    sa.sa_handler = onUnixSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        // "nohup" and shells starting a background job hand the program an ignored
        // SIGHUP or SIGINT: the user asked for it to outlive the terminal, so it stays
        // ignored. SIGTERM always ends the monitor in order.
        struct sigaction inherited {};
        if (sig != SIGTERM && ::sigaction(sig, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        ::sigaction(sig, &sa, nullptr);
    }
}

} // namespace brightlock
