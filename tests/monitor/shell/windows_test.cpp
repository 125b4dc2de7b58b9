// The monitor's windows on the offscreen platform: the main window follows what the
// monitor decides, the tabs switch pages, the splash hands over once, and the tray icon
// opens the main window as its kind of tray host clicks.
#include "frm_main.h"
#include "frm_splash.h"
#include "main_pages.h"
#include "question_modes.h"
#include "record_stores.h"
#include "status_diagram.h"
#include "support/monitor_rig.h"
#include "support/recording_messages.h"
#include "system_tray.h"
#include "xpcmdbutton.h"

#include <QLabel>
#include <QMenu>
#include <QTest>

using brightlock::frmMain;
using brightlock::PowerPath;
using brightlock::xpcmdbutton;

namespace {

// What the main window's pages need besides the monitor: the record stores and the
// confirmation dialog's modes (the dialog itself stays away).
struct PageRig : brightlock::QuestionPorts {
    MonitorRig r;
    brightlock::RecordStores stores{r.home.path()};
    brightlock::QuestionModes questions{*this};
    RecordingMessages messages;
    void addPages(frmMain& w) {
        stores.bind();
        brightlock::addMainPages(w, r.monitor, messages, stores, questions);
    }
    void showQuestion() override {}
    void unloadQuestion() override {}
    void startShutdown() override {}
    void clearStore(brightlock::Store) override {}
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void statusPageFollowsTheMonitor();
    void animationsRunOnlyWhileSeen();
    void tabsSwitchPages();
    void closingAsksTheProgramToEnd();
    void minimizeKeepsTheWindowWithinReach();
    void splashHandsOverOnce();
    void trayOpensAsItsHostClicks();
};

void TestWindows::statusPageFollowsTheMonitor() {
    PageRig rig;
    MonitorRig& r = rig.r;
    frmMain w;
    rig.addPages(w);
    QCOMPARE(w.size(), QSize(frmMain::kWidth, frmMain::kHeight));
    r.monitor.Form_Load();
    // On battery, from a library that reports the charge and 750 s of runtime.
    r.psu.replyOverride = QByteArray("T\x01\x00\x00\x40\xee\x02\x00\x00", 9);
    r.monitor.Timer1Tick();

    auto* message = w.findChild<QLabel*>("LblMessage");
    QVERIFY(message);
    QCOMPARE(message->text(), QString("UPS is on Battery"));
    QVERIFY(message->styleSheet().contains(QColor(255, 128, 0).name()));
    QVERIFY(!w.findChild<QLabel*>("ImaSOk")->isHidden());
    QVERIFY(w.findChild<QLabel*>("ImaSLow")->isHidden());
    QVERIFY(!w.findChild<QLabel*>("ImaAlarm")->isHidden());
    QVERIFY(w.findChild<xpcmdbutton*>("CmdShutdown")->isEnabled());
    QVERIFY(!w.findChild<QLabel*>("ImageDC1")->isHidden());
    QVERIFY(w.findChild<QLabel*>("ImageAC1")->isHidden());
    auto* charge = w.findChild<QLabel*>("LblCharge");
    auto* runtime = w.findChild<QLabel*>("LblRuntime");
    QVERIFY(!charge->isHidden() && !runtime->isHidden());
    QCOMPARE(charge->text(), QString("Charge: 64 %"));
    QCOMPARE(runtime->text(), QString("Runtime: 12 min"));
    // The countdown's 5 min come before the battery level's 570 s + 60 s.
    QCOMPARE(w.findChild<QLabel*>("LblShutdownIn")->text(), QString("Shutdown in 5 min"));
    QCOMPARE(r.tray.tip, QString("UPS is on battery \u2014 64 %, 12 min, shutdown in 5 min"));

    r.monitor.TimerSubTick();
    QCOMPARE(w.findChild<QLabel*>("LblAlarm")->text(), QString("System ShutDown After 300  Seconds"));

    r.psu.answering = false;
    r.monitor.Timer1Tick();
    QCOMPARE(message->text(), QString("UPS Disconnect"));
    QVERIFY(!w.findChild<xpcmdbutton*>("CmdShutdown")->isEnabled());
    QVERIFY(!w.findChild<QLabel*>("ImageAC1")->isHidden());
    QVERIFY(w.findChild<QLabel*>("Image1")->isHidden());
    QVERIFY(charge->isHidden() && runtime->isHidden()); // no reading from a silent UPS
    QVERIFY(w.findChild<QLabel*>("LblShutdownIn")->isHidden());
    QCOMPARE(r.tray.tip, QString("Brightlock \u2014 not protected: the UPS does not answer"));
}

// The animations wake the program only while the diagram can be seen; hidden, a blink
// stays in its phase and goes on from there when shown again.
void TestWindows::animationsRunOnlyWhileSeen() {
    PageRig rig;
    MonitorRig& r = rig.r;
    frmMain w;
    rig.addPages(w);
    r.monitor.Form_Load();
    r.holdPoll(); // the test polls (each poll shows both battery phases again)
    const PowerPath& path = r.monitor.powerPath();
    auto* diagram = w.findChild<brightlock::StatusDiagram*>();
    QVERIFY(path.Timer4.isActive() && !path.Timer4.ticking()); // the window starts hidden
    QVERIFY(!diagram->picturesLoaded());

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(path.Timer4.ticking() && diagram->picturesLoaded());

    r.psu.acPresent = false;
    r.monitor.Timer1Tick();
    QVERIFY(path.Timer5.ticking() && !path.Timer4.isActive());
    QTRY_VERIFY_WITH_TIMEOUT(path.isShown(PowerPath::ImageDC1) != path.isShown(PowerPath::ImageDC2), 3000);
    const bool dc1 = path.isShown(PowerPath::ImageDC1);

    w.hide();
    QVERIFY(path.Timer5.isActive() && !path.Timer5.ticking());
    QVERIFY(!diagram->picturesLoaded());
    const int left = path.Timer5.remainingTime();
    QTest::qWait(1300); // more than a blink's interval: no blink while hidden
    QCOMPARE(path.isShown(PowerPath::ImageDC1), dc1);
    QCOMPARE(path.Timer5.remainingTime(), left);

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(path.Timer5.ticking());
    QCOMPARE(path.isShown(PowerPath::ImageDC1), dc1);
    QTRY_VERIFY_WITH_TIMEOUT(path.isShown(PowerPath::ImageDC1) != dc1, 3000); // and it blinks on

    w.selectPage(frmMain::PageLog); // another page: held too
    QVERIFY(path.Timer5.isActive() && !path.Timer5.ticking());
    w.selectStatusPage();
    QVERIFY(path.Timer5.ticking());
}

void TestWindows::tabsSwitchPages() {
    PageRig rig;
    frmMain w;
    rig.addPages(w);
    w.selectStatusPage();
    const char* pages[] = {"frmStatus", "FrmLog", "FrmUpsEvent", "FrmClose", "FrmEventManager"};
    const char* tabs[] = {"xpcmdbutton1", "xpcmdbutton2", "xpcmdbutton3", "xpcmdbutton4", "xpcmdbutton5"};
    auto outline = [&](const char* name) {
        return w.findChild<QFrame*>(name)->property("outlineColour").value<QColor>();
    };
    const char* shapes[] = {"Shape2", "Shape3", "Shape4", "Shape5", "Shape6"};
    for (int t : {4, 0, 1, 2, 3}) {
        QTest::mouseClick(w.findChild<xpcmdbutton*>(tabs[t]), Qt::LeftButton);
        QCOMPARE(int(w.selectedPage()), t);
        for (int p = 0; p < 5; ++p) {
            QCOMPARE(w.findChild<QFrame*>(pages[p])->isHidden(), p != t);
            QCOMPARE(w.PageSelected[p], qint16(p == t ? -1 : 0));
            QCOMPARE(outline(shapes[p]), p == t ? QColor(0, 255, 0) : QColor(0, 0, 255));
        }
    }
    QCOMPARE(w.findChild<xpcmdbutton*>("xpcmdbutton4")->Caption(), QString("Closed Applications"));

    // With Closed Applications selected, the pointer over Event Record turns its outline
    // amber and back to blue; over the selected tab the outline stays green.
    auto* eventTab = w.findChild<xpcmdbutton*>("xpcmdbutton3");
    emit eventTab->MouseMove(0, 0, 5, 5);
    QCOMPARE(outline("Shape4"), QColor(210, 162, 49));
    emit eventTab->MouseOut();
    QCOMPARE(outline("Shape4"), QColor(0, 0, 255));
    auto* selectedTab = w.findChild<xpcmdbutton*>("xpcmdbutton4");
    emit selectedTab->MouseMove(0, 0, 5, 5);
    QCOMPARE(outline("Shape5"), QColor(0, 255, 0));
    emit selectedTab->MouseOut();
    QCOMPARE(outline("Shape5"), QColor(0, 255, 0));
}

void TestWindows::closingAsksTheProgramToEnd() {
    frmMain w;
    int asked = 0;
    QObject::connect(&w, &brightlock::frmMain::closeRequested, [&] { ++asked; });
    w.show();
    w.close();
    QCOMPARE(asked, 1);
}

void TestWindows::minimizeKeepsTheWindowWithinReach() {
    frmMain w;
    w.show();
    // The button only asks: whoever knows of a tray decides where the window goes.
    int asked = 0;
    QObject::connect(&w, &frmMain::minimizeRequested, [&] { ++asked; });
    emit w.TitleMinimizeClick();
    QCOMPARE(asked, 1);
    QVERIFY(w.isVisible() && !w.isMinimized());
    w.minimizeInto(false); // no tray to come back from: minimized as any window
    QVERIFY(w.isVisible() && w.isMinimized());
    w.showNormal();
    w.minimizeInto(true);
    QVERIFY(!w.isVisible());
}

void TestWindows::splashHandsOverOnce() {
    auto* splash = new brightlock::frmSplash;
    QCOMPARE(splash->size(), QSize(339, 203));
    QCOMPARE(splash->Timer1.interval(), 2000);
    QVERIFY(splash->Timer1.isActive());
    int handOvers = 0;
    QObject::connect(splash, &brightlock::frmSplash::handOver, [&] { ++handOvers; });
    QPointer<brightlock::frmSplash> alive(splash);
    splash->show();
    splash->Timer1Tick();
    QCOMPARE(handOvers, 1);
    QVERIFY(!splash->Timer1.isActive());
    QTRY_VERIFY(alive.isNull()); // unloaded
}

void TestWindows::trayOpensAsItsHostClicks() {
    for (bool statusNotifier : {false, true}) {
        brightlock::SystemTray tray(statusNotifier, nullptr);
        int opens = 0;
        QObject::connect(&tray, &brightlock::SystemTray::openRequested, [&] { ++opens; });
        for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
            tray.activated(reason);
        QCOMPARE(opens, 0);
        tray.activated(QSystemTrayIcon::Trigger); // a single click: only where no double-click comes
        QCOMPARE(opens, statusNotifier ? 1 : 0);
        tray.activated(QSystemTrayIcon::DoubleClick);
        QCOMPARE(opens, statusNotifier ? 2 : 1);
        // The menu: a status line that is not a command, Open, and Quit (which the caller
        // asks about) at the bottom; the program's own entries go in before Quit.
        int quits = 0;
        QObject::connect(&tray, &brightlock::SystemTray::quitRequested, [&] { ++quits; });
        QObject::connect(&tray, &brightlock::SystemTray::statusLineWanted,
                         [&] { tray.setStatusLine("Not protected: the UPS does not answer"); });
        tray.addMenuAction("History");
        tray.ShowTrayIcon(brightlock::TrayPicture::ImaUnCon, "Brightlock");
        QStringList texts;
        for (QAction* item : tray.menu()->actions())
            if (!item->isSeparator())
                texts << item->text();
        QCOMPARE(texts, (QStringList{"Not protected: the UPS does not answer", "Open", "History", "Quit"}));
        QVERIFY(!tray.menu()->actions().first()->isEnabled());
        for (QAction* item : tray.menu()->actions())
            if (item->text() == "Open" || item->text() == "Quit")
                item->trigger();
        QCOMPARE(opens, statusNotifier ? 3 : 2);
        QCOMPARE(quits, 1);
    }

    const QString tip64(64, QLatin1Char('x'));
    QCOMPARE(brightlock::SystemTray::fitTip(tip64 + "yz"), tip64);
    QCOMPARE(brightlock::SystemTray::fitTip("Brightlock"), QString("Brightlock"));
    for (auto p : {brightlock::TrayPicture::ImaMain, brightlock::TrayPicture::ImaSOk,
                   brightlock::TrayPicture::ImaSLow})
        QVERIFY(!brightlock::SystemTray::iconFor(p).isNull());
}

QTEST_MAIN(TestWindows)
#include "windows_test.moc"
