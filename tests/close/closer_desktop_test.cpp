// The real closer on a real desktop: a private Xvfb with openbox, two editors of different
// toolkits (mousepad on GTK, featherpad on Qt) holding unsaved text, and a window of this
// test that refuses to close and holds the user's words. After `close` ends, both texts are
// in files under Save/, both editors are gone, nothing was typed into the stubborn window,
// and [Schema] holds the exit flags; the application directory has characters that keystroke
// syntaxes give a meaning. Skipped, with the reason, where a part is missing.
#include "desktop.h"
#include "support/own_session_main.h"

#include "ini.h"

#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using brightlock::WindowId;

namespace {

// The user's document in a program that will not close.
class Stubborn : public QPlainTextEdit {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QString dist(const QString& file) {
    return qEnvironmentVariable("BRIGHTLOCK_DIST") + "/" + file;
}

} // namespace

class CloserDesktopTest : public QObject {
    Q_OBJECT
public:
    explicit CloserDesktopTest(const testing::XSession& session) : session_(session) {}

private slots:
    void savesAndClosesRealEditors();

private:
    // Starts `program` with its settings in the sandbox and waits for its window.
    WindowId startEditor(QProcess& editor, const QString& program) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", sandbox_.path());
        env.insert("XDG_CONFIG_HOME", sandbox_.path() + "/config");
        env.insert("XDG_DATA_HOME", sandbox_.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", sandbox_.path());
        env.insert("GSETTINGS_BACKEND", "memory");
        env.insert("NO_AT_BRIDGE", "1");
        env.remove("QT_QPA_PLATFORM");
        editor.setProcessEnvironment(env);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(program, {});
        if (!editor.waitForStarted())
            return 0;
        WindowId found = 0;
        (void)QTest::qWaitFor(
            [&] {
                for (WindowId w : desktop_->clientWindows())
                    if (desktop_->processOf(w) == editor.processId() && desktop_->probeWindow(w) &&
                        !desktop_->windowTitle(w).isEmpty())
                        found = w;
                return found != 0;
            },
            20000);
        return found;
    }
    // Types into the editor until it marks its title as changed ("*"), as both editors do.
    bool typeInto(WindowId window, const QString& text) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            QTest::qWait(500);
            if (!desktop_->activateWindow(window) ||
                !QTest::qWaitFor([&] { return desktop_->activeWindow() == window; }, 10000))
                continue;
            QTest::qWait(1000);
            if (desktop_->activeWindow() != window)
                continue;
            if (desktop_->typeText(text) &&
                QTest::qWaitFor([&] { return desktop_->windowTitle(window).startsWith('*'); }, 5000))
                return true;
        }
        return false;
    }

    const testing::XSession& session_;
    QTemporaryDir sandbox_;
    std::unique_ptr<brightlock::Desktop> desktop_;
};

void CloserDesktopTest::savesAndClosesRealEditors() {
    if (!session_.ok())
        QSKIP(qPrintable(session_.whyNot()));
    for (const char* editor : {"mousepad", "featherpad"})
        if (QStandardPaths::findExecutable(editor).isEmpty())
            QSKIP(
                qPrintable(QString("%1 is not installed (scripts/install-deps.sh installs it)").arg(editor)));
    QString whyNot;
    desktop_ = brightlock::openDesktop(whyNot);
    QVERIFY2(desktop_, qPrintable(whyNot));
    // Characters that keystroke syntaxes give a meaning, and one the keyboard has no key for.
    QTemporaryDir temporary;
    const QString home = temporary.path() + "/Brightlock {x}[y](z)+1^2%3~ é";
    QVERIFY(QDir().mkpath(home));

    Stubborn stubborn;
    stubborn.setWindowTitle("user's notes");
    stubborn.setPlainText("the user's own words");
    stubborn.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stubborn, 20000));

    // One editor at a time, so that a window still coming up cannot take the other's text.
    QProcess gtkEditor, qtEditor;
    const QStringList texts{"written in mousepad, not saved", "written in featherpad, not saved"};
    const WindowId gtkWindow = startEditor(gtkEditor, "mousepad");
    QVERIFY(gtkWindow && typeInto(gtkWindow, texts[0]));
    const WindowId qtWindow = startEditor(qtEditor, "featherpad");
    QVERIFY(qtWindow && typeInto(qtWindow, texts[1]));
    QTest::qWait(500);

    QProcess closer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BRIGHTLOCK_HOME", home);
    env.insert("QT_LOGGING_RULES", "brightlock.closer.info=true");
    closer.setProcessEnvironment(env);
    closer.setProcessChannelMode(QProcess::ForwardedChannels);
    closer.start(dist("close"), {});
    QVERIFY(QTest::qWaitFor([&] { return closer.state() == QProcess::NotRunning; }, 90000));
    QCOMPARE(closer.exitCode(), 0);

    QVERIFY(QTest::qWaitFor([&] { return gtkEditor.state() == QProcess::NotRunning; }, 10000));
    QVERIFY(QTest::qWaitFor([&] { return qtEditor.state() == QProcess::NotRunning; }, 10000));
    // Each text in a file named as CloseApp.ini recorded it (an editor may add an extension).
    const QString list = home + "/CloseApp.ini";
    const QString settings = home + "/UpsConfigure.ini";
    QCOMPARE(ReadIni(list, "CloseApp", "Count", ""), QString("3"));
    QStringList saved;
    for (const char* n : {"1", "2"}) {
        const QFileInfo path(ReadIni(list, "SaveAppFileName", n, ""));
        QCOMPARE(path.absolutePath(), home + "/Save");
        const QStringList files =
            path.dir().entryList({path.fileName(), path.fileName() + ".*"}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile file(path.dir().filePath(files.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        saved << QString::fromUtf8(file.readAll()).trimmed();
    }
    saved.sort();
    QCOMPARE(saved, QStringList({texts[1], texts[0]}));
    QCOMPARE(QDir(home + "/Save").entryList(QDir::Files).size(), 2);
    QCOMPARE(stubborn.toPlainText(), QString("the user's own words"));
    QVERIFY(stubborn.isVisible());

    for (const char* flag : {"ShutDown", "CloseAppFlag", "SaveList"})
        QCOMPARE(ReadIni(settings, "Schema", flag, ""), QString("1"));
    QCOMPARE(ReadIni(settings, "Schema", "Close", ""), QString("0"));
}

int main(int argc, char** argv) {
    return testing::execOnOwnSession<CloserDesktopTest>(argc, argv);
}

#include "closer_desktop_test.moc"
