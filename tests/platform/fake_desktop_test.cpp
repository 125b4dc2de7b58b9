// The scripted desktop that the closer's tests stand on: a program that asks to save and
// then shows a save dialog, one that stays open, and the record of who got which keys.
#include "support/fake_desktop.h"

#include <QTest>

using brightlock::Key;
using fakes::OnClose;
constexpr brightlock::WindowId none = 0;

class FakeDesktopTest : public QObject {
    Q_OBJECT
private slots:
    void savesThroughPromptAndDialog() {
        fakes::FakeDesktop desktop;
        const auto editor = desktop.addWindow("notes", OnClose::AsksThenSaveDialog);
        const auto stubborn = desktop.addWindow("terminal", OnClose::StaysOpen);
        desktop.minimizeAll();
        QCOMPARE(desktop.activeWindow(), none);

        desktop.activateWindow(editor);
        desktop.requestClose(editor);
        const auto prompt = desktop.activeWindow();
        QCOMPARE(desktop.transientFor(prompt), editor);
        QCOMPARE(desktop.clientOf(prompt), desktop.clientOf(editor));
        desktop.keyDown(Key::Return);
        const auto dialog = desktop.activeWindow();
        QCOMPARE(desktop.windowTitle(dialog), QStringLiteral("Save As"));
        QCOMPARE(desktop.probeWindow(prompt), none);
        desktop.typeText("/s/SaveClose7");
        desktop.keyDown(Key::Return);
        QCOMPARE(desktop.savedAs, QStringList{"/s/SaveClose7"});
        QCOMPARE(desktop.probeWindow(editor), none);
        QCOMPARE(desktop.activeWindow(), none); // the other window is still minimised

        desktop.activateWindow(stubborn);
        desktop.requestClose(stubborn);
        desktop.keyDown(Key::Return);
        QCOMPARE(desktop.window(stubborn)->typed, QStringLiteral("\n"));
        QCOMPARE(desktop.clientWindows(), QVector<brightlock::WindowId>{stubborn});

        const QStringList calls{
            "minimizeAll",       "activate 1", "close 1", "keyDown Return @3", "type /s/SaveClose7 @4",
            "keyDown Return @4", "activate 2", "close 2", "keyDown Return @2"};
        QCOMPARE(desktop.calls, calls);
    }
};

QTEST_APPLESS_MAIN(FakeDesktopTest)
#include "fake_desktop_test.moc"
