// PauseMs on the monotonic clock; see pause_ms.h.
#include "pause_ms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

void PauseMs(int ms) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 left = qint64(ms) - clock.elapsed();
        if (left <= 0)
            return;
        // Sleep in short slices so events that arrive meanwhile are handled promptly.
        QThread::usleep(static_cast<unsigned long>(std::min<qint64>(left * 1000, 1000)));
    }
}
