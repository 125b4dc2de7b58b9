// The program close as the monitor and a user start it: --help and --version change nothing,
// and every way a run can end (no desktop, nothing to close, a termination signal, the X
// server going away) leaves CloseApp.ini's Count and the hand-over flags written.
#include "support/x_session.h"

#include "ini.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <memory>

namespace {

// Windows that take the close request and never answer it: each keeps a run busy for a few
// seconds, so a run is still under way when the test acts on it.
class SilentWindows {
public:
    SilentWindows(const QString& display, int count)
        : display_(XOpenDisplay(display.toLocal8Bit().constData())) {
        if (!display_)
            return;
        Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        for (int i = 0; i < count; ++i) {
            const Window w =
                XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
            XStoreName(display_, w, qPrintable(QString("silent %1").arg(i)));
            XSetWMProtocols(display_, w, &deleteWindow, 1);
            XMapWindow(display_, w);
        }
        XSync(display_, False);
    }
    ~SilentWindows() {
        if (display_)
            XCloseDisplay(display_);
    }
    // Drops the connection without closing it, for a server that is already gone.
    void forget() { display_ = nullptr; }

private:
    Display* display_;
};

QString dist(const QString& file) {
    return qEnvironmentVariable("BRIGHTLOCK_DIST") + "/" + file;
}

struct Run {
    QTemporaryDir home;
    QProcess process;

    // `display` empty: no X display at all.
    void start(const QString& display, const QStringList& args = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("BRIGHTLOCK_HOME", home.path());
        env.remove("WAYLAND_DISPLAY");
        if (display.isEmpty())
            env.remove("DISPLAY");
        else
            env.insert("DISPLAY", display);
        process.setProcessEnvironment(env);
        process.start(dist("close"), args);
    }
    QString list(const char* section, const char* key) const {
        return ReadIni(home.filePath("CloseApp.ini"), section, key, "(none)");
    }
    // The four flags and Count, as close leaves them.
    QString handOver() const {
        QStringList values;
        for (const char* flag : {"Close", "ShutDown", "CloseAppFlag", "SaveList"})
            values << ReadIni(home.filePath("UpsConfigure.ini"), "Schema", flag, "(none)");
        return values.join(' ') + " Count=" + list("CloseApp", "Count");
    }
};

const QString kHandedOver = "0 1 1 1 Count=1";

} // namespace

class CloseProgramTest : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersionChangeNothing();
    void withoutDesktopHandsOverAtOnce();
    void emptyDesktopHandsOverAfterOnePass();
    void signalOrLostDisplayStillHandsOver();
};

void CloseProgramTest::helpAndVersionChangeNothing() {
    QProcess brightlock;
    brightlock.start(dist("Brightlock"), {"--version"});
    QVERIFY(brightlock.waitForFinished());
    const QByteArray version = brightlock.readAllStandardOutput().mid(QByteArray("Brightlock ").size());

    Run help;
    help.start("", {"--help"});
    QVERIFY(help.process.waitForFinished());
    const QByteArray text = help.process.readAllStandardOutput();
    QVERIFY2(text.contains("Usage: close") && text.contains("after 120 s"), text.constData());
    QVERIFY(text.contains("Desktop: not usable"));
    Run versionRun;
    versionRun.start("", {"--version"});
    QVERIFY(versionRun.process.waitForFinished());
    QCOMPARE(versionRun.process.readAllStandardOutput(), "close " + version);
    for (const Run* run : {&help, &versionRun})
        QCOMPARE(QDir(run->home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// No X display: nothing is saved, the reason is said once, the last run's list is gone,
// and an argument the monitor never passes is ignored.
void CloseProgramTest::withoutDesktopHandsOverAtOnce() {
    Run run;
    WriteIni(run.home.filePath("CloseApp.ini"), "SaveAppFileName", "1", "/old/Save/SaveClose1");
    run.start("", {"--bogus"});
    QVERIFY(run.process.waitForFinished());
    QCOMPARE(run.process.exitCode(), 0);
    const QString err = QString::fromLocal8Bit(run.process.readAllStandardError());
    QCOMPARE(err.count('\n'), 1);
    QVERIFY2(err.contains("no open application is saved") && err.contains("DISPLAY is not set"),
             qPrintable(err));
    QCOMPARE(run.handOver(), kHandedOver);
    QCOMPARE(run.list("SaveAppFileName", "1"), QString("(none)"));
    QVERIFY(QDir(run.home.filePath("Save")).exists());
}

void CloseProgramTest::emptyDesktopHandsOverAfterOnePass() {
    testing::XSession session;
    if (!session.ok())
        QSKIP(qPrintable(session.whyNot()));
    Run run;
    run.start(session.display());
    QVERIFY(run.process.waitForFinished(30000));
    QCOMPARE(run.process.exitCode(), 0);
    QCOMPARE(run.handOver(), kHandedOver);
}

// A termination signal during the first wait, and the X server ending under the run.
void CloseProgramTest::signalOrLostDisplayStillHandsOver() {
    auto session = std::make_unique<testing::XSession>();
    if (!session->ok())
        QSKIP(qPrintable(session->whyNot()));
    SilentWindows windows(session->display(), 10);
    Run signalled;
    signalled.start(session->display());
    // Once it has taken up the first window, the run is under way for a while.
    QVERIFY(QTest::qWaitFor([&] { return signalled.list("CloseApp", "1") != "(none)"; }, 20000));
    QVERIFY(signalled.process.processId() > 0);
    ::kill(pid_t(signalled.process.processId()), SIGTERM);
    QVERIFY(signalled.process.waitForFinished(10000));
    QCOMPARE(signalled.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(signalled.handOver(), kHandedOver);

    Run orphaned;
    orphaned.start(session->display());
    QVERIFY(QTest::qWaitFor([&] { return orphaned.list("CloseApp", "1") != "(none)"; }, 20000));
    windows.forget();
    session.reset();
    QVERIFY(orphaned.process.waitForFinished(10000));
    QCOMPARE(orphaned.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(orphaned.handOver(), kHandedOver);
}

QTEST_GUILESS_MAIN(CloseProgramTest)
#include "close_program_test.moc"
