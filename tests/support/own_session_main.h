// The main() of a widget test that drives a real desktop: its own X session is started
// before the application, so that Qt's xcb platform connects to it; without one Qt runs
// offscreen and the cases skip with the session's reason.
#pragma once

#include "support/x_session.h"

#include <QApplication>
#include <QTest>

namespace testing {

// `Test` is a QObject test class constructed from the session.
template <typename Test> int execOnOwnSession(int argc, char** argv) {
    XSession session;
    if (session.ok()) {
        qputenv("DISPLAY", session.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    Test test(session);
    return QTest::qExec(&test, argc, argv);
}

} // namespace testing
