// The real closer on a real desktop: a private Xvfb with openbox and the accessibility bus,
// editors of three toolkits with two documents each (mousepad on GTK 3 and featherpad on Qt
// with two new documents, gnome-text-editor on GTK 4 with two changed files), and a window of
// this test that refuses to close and holds the user's words. After `close` ends, every new
// document's text is in its own file under Save/ named as CloseApp.ini records it, the
// changed files hold their changes, the editors are gone, nothing was typed into the stubborn
// window, and [Schema] holds the exit flags; the application directory has characters that
// keystroke syntaxes give a meaning. Skipped, with the reason, where a part is missing.
#include "desktop.h"
#include "support/accessibility_bus.h"
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
    WindowId startEditor(QProcess& editor, const QString& program, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", sandbox_.path());
        env.insert("XDG_CONFIG_HOME", sandbox_.path() + "/config");
        env.insert("XDG_DATA_HOME", sandbox_.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", sandbox_.path());
        env.insert("GSETTINGS_BACKEND", "memory");
        env.remove("QT_QPA_PLATFORM");
        editor.setProcessEnvironment(env);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(program, args);
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
    // A second document: Control+N in the window in front.
    void newDocument() {
        desktop_->keyDown(brightlock::Key::Control);
        desktop_->keyDown(brightlock::Key::N);
        desktop_->keyUp(brightlock::Key::N);
        desktop_->keyUp(brightlock::Key::Control);
    }
    // Types into the editor until `changed` holds for its title (by default: marked "*").
    bool typeInto(WindowId window, const QString& text, const QString& titleHas = "*") {
        for (int attempt = 0; attempt < 5; ++attempt) {
            QTest::qWait(500);
            if (!desktop_->activateWindow(window) ||
                !QTest::qWaitFor([&] { return desktop_->activeWindow() == window; }, 10000))
                continue;
            QTest::qWait(1000);
            if (desktop_->activeWindow() != window)
                continue;
            if (desktop_->typeText(text) &&
                QTest::qWaitFor([&] { return desktop_->windowTitle(window).contains(titleHas); }, 5000))
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
    for (const char* editor : {"mousepad", "featherpad", "gnome-text-editor"})
        if (QStandardPaths::findExecutable(editor).isEmpty())
            QSKIP(
                qPrintable(QString("%1 is not installed (scripts/install-deps.sh installs it)").arg(editor)));
    const testing::AccessibilityBus accessibility(session_.display());
    if (!accessibility.ok())
        QSKIP(qPrintable(accessibility.whyNot()));
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

    // One editor at a time, so that a window still coming up cannot take another's text. The
    // two new documents of mousepad and of featherpad are saved under Save/; gnome-text-editor
    // saves its two changed files where they are.
    QProcess gtkEditor, qtEditor, gtk4Editor, gtk4Second;
    const QStringList texts{"mousepad one, not saved", "mousepad two, not saved", "featherpad one, not saved",
                            "featherpad two, not saved"};
    const WindowId gtkWindow = startEditor(gtkEditor, "mousepad");
    QVERIFY(gtkWindow && typeInto(gtkWindow, texts[0]));
    newDocument();
    QVERIFY(typeInto(gtkWindow, texts[1], "Untitled 2"));
    const WindowId qtWindow = startEditor(qtEditor, "featherpad");
    QVERIFY(qtWindow && typeInto(qtWindow, texts[2]));
    newDocument();
    QVERIFY(typeInto(qtWindow, texts[3]));
    const QString files[2] = {sandbox_.path() + "/first.txt", sandbox_.path() + "/second.txt"};
    for (const QString& path : files) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("file\n");
    }
    const WindowId gtk4Window = startEditor(gtk4Editor, "gnome-text-editor", {files[0]});
    QVERIFY(gtk4Window && typeInto(gtk4Window, "changed first ", "first.txt"));
    // The running editor opens the second file in a tab of its window.
    gtk4Second.start("gnome-text-editor", {files[1]});
    QVERIFY(QTest::qWaitFor([&] { return desktop_->windowTitle(gtk4Window).contains("second.txt"); }, 20000));
    QVERIFY(typeInto(gtk4Window, "changed second ", "second.txt"));
    QTest::qWait(1000);

    QProcess closer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BRIGHTLOCK_HOME", home);
    env.insert("QT_LOGGING_RULES", "brightlock.closer.info=true;brightlock.dialogs.info=true");
    closer.setProcessEnvironment(env);
    closer.setProcessChannelMode(QProcess::ForwardedChannels);
    closer.start(dist("close"), {});
    QVERIFY(QTest::qWaitFor([&] { return closer.state() == QProcess::NotRunning; }, 170000));
    QCOMPARE(closer.exitCode(), 0);

    for (QProcess* editor : {&gtkEditor, &qtEditor, &gtk4Editor})
        QVERIFY(QTest::qWaitFor([&] { return editor->state() == QProcess::NotRunning; }, 20000));
    // Each new document's text in a file that CloseApp.ini records by its real name.
    const QString list = home + "/CloseApp.ini";
    const QString settings = home + "/UpsConfigure.ini";
    QCOMPARE(ReadIni(list, "CloseApp", "Count", ""), QString("5"));
    QStringList saved;
    for (const char* n : {"1", "2", "3", "4"}) {
        QFile file(ReadIni(list, "SaveAppFileName", n, ""));
        QCOMPARE(QFileInfo(file).absolutePath(), home + "/Save");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        saved << QString::fromUtf8(file.readAll()).trimmed();
    }
    saved.sort();
    QCOMPARE(saved, QStringList({texts[2], texts[3], texts[0], texts[1]}));
    QCOMPARE(QDir(home + "/Save").entryList(QDir::Files).size(), 4);
    for (const QString& path : files) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().startsWith("changed "), qPrintable(path));
    }
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
