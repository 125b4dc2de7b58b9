// The Event Manager page on the offscreen platform, clicked through as a user would: the
// option buttons, the panels' rules, both Applies, the arrows and the F1 help button; and
// the real message box, which keeps the program's timers running while it is open.
#include "critical_message_box.h"
#include "frm_event_manager.h"
#include "help.h"
#include "support/monitor_rig.h"
#include "support/recording_messages.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace brightlock;

class EventManagerPageTest : public QObject {
    Q_OBJECT
private slots:
    void clickThroughThePage();
    void f1HelpButton();
    void messageBoxKeepsTimersRunning();
};

namespace {

struct PageRig : MonitorRig {
    RecordingMessages messages;
    FrmEventManager page{monitor, messages};

    PageRig() {
        page.resize(616, 324);
        page.show();
        page.pageOpened();
    }
    template <typename T = QWidget> T* find(const char* name) {
        T* w = page.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton, Qt::NoModifier, {6, 6}); }
    int value(const char* name) { return find<xpcheckbox>(name)->Value(); }
    bool enabled(const char* name) { return find(name)->isEnabled(); }
    bool shown(const char* name) { return find(name)->isVisible(); }
    void type(const char* box, const QString& text) {
        auto* edit = find<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QString text(const char* box) { return find<QLineEdit>(box)->text(); }
    QString stored(const Setting& s) { return settings::readText(s); }
};

} // namespace

void EventManagerPageTest::clickThroughThePage() {
    PageRig r;
    QVERIFY(r.shown("FrmUpsOnBatt") && !r.shown("FrmUpsLowBatt") && !r.shown("FrmOSLog"));
    QCOMPARE(r.text("TxtOnBattCount"), QString("5"));

    // Low battery: "Disable on all events" ticked, applied, then cleared again.
    r.click("OptLowBatt");
    QVERIFY(r.find<xpradiobutton>("OptLowBatt")->Value() && !r.find<xpradiobutton>("OptOnBatt")->Value());
    QVERIFY(!r.shown("FrmUpsOnBatt") && r.shown("FrmUpsLowBatt"));
    r.click("ChkLowBattE");
    QCOMPARE(r.value("ChkLowBattE"), 1);
    QCOMPARE(r.value("ChkLowBattS"), 0);
    QVERIFY(!r.enabled("Frame4") && !r.enabled("Command4") && !r.enabled("TxtLowBattCount"));
    r.click("CmdLowBatt");
    QCOMPARE(r.stored(settings::UpsLowBattery.Disableevent), QString("1"));
    QCOMPARE(r.stored(settings::UpsLowBattery.Shutdown), QString("0"));
    r.click("ChkLowBattE");
    QCOMPARE(r.value("ChkLowBattE"), 0);
    QVERIFY(r.enabled("ChkLowBattL") && r.enabled("ChkLowBattS") && !r.enabled("Command3"));
    QVERIFY(r.enabled("TxtLowBattCount")); // usable again: it kept its own state
    r.click("ChkLowBattS");
    QVERIFY(r.enabled("Command3"));
    r.click("Command3");
    r.click("Command3");
    QCOMPARE(r.text("TxtLowBattCount"), QString("3"));

    // A typo in the delay is refused and the stored delay stays.
    r.type("TxtLowBattCount", "1O");
    r.click("CmdLowBatt");
    QCOMPARE(r.messages.texts, QStringList{"Please input number "});
    QCOMPARE(r.text("TxtLowBattCount"), QString("1"));
    QCOMPARE(r.stored(settings::UpsLowBattery.Shutdown), QString("1"));

    // Unapplied edits are gone when the panel is chosen again.
    r.type("TxtLowBattCount", "9");
    r.click("ChkLowBattL");
    r.click("OptOnBatt");
    r.click("OptLowBatt");
    QCOMPARE(r.text("TxtLowBattCount"), QString("1"));
    QCOMPARE(r.value("ChkLowBattL"), 0);

    // The OS panel: five ports however often it is visited, a limit out of range, and
    // COM3 taken into use at once.
    for (int visit = 0; visit < 4; ++visit) {
        r.click("OptOsLog");
        r.click("OptOnBatt");
    }
    r.click("OptOsLog");
    QVERIFY(r.shown("FrmOSLog") && !r.shown("FrmUpsOnBatt") && !r.shown("FrmUpsLowBatt"));
    auto* port = r.find<QComboBox>("ComboPort");
    QCOMPARE(port->count(), 5);
    port->setCurrentText("COM3");
    r.type("TextLimitLog", "9");
    r.click("Command9"); // event limit "<": 999
    r.messages.texts.clear();
    r.log.clear();
    r.click("Command5");
    QCOMPARE(r.messages.texts, QStringList{"Please input number range between 10 and 1000"});
    QCOMPARE(r.text("TextLimitLog"), QString("1000"));
    QCOMPARE(r.stored(settings::Eventcount), QString("999"));
    QCOMPARE(r.stored(settings::ComboPort), QString("3"));
    QCOMPARE(r.log, QStringList({"CloseHandleDevice", "setPort 3", "open", "RTS 1", "DTR 0"}));

    r.click("ChkOSDisable");
    QCOMPARE(r.value("ChkOSSave"), 0);
    QVERIFY(!r.enabled("ChkOSSave") && !r.enabled("TextLimitClose") && !r.enabled("Command2"));
    QVERIFY(r.enabled("ComboPort"));
    r.click("Command2"); // disabled: nothing happens
    QCOMPARE(r.text("TextLimitLog"), QString("1000"));

    // The battery level has a panel of its own: clearing its box greys the limits, and
    // Apply stores the box and the limits.
    r.click("OptLevel");
    QVERIFY(r.shown("FrmBatteryLevel") && !r.shown("FrmOSLog") && !r.shown("FrmUpsLowBatt"));
    QCOMPARE(r.text("TxtLevelRuntime"), QString("3"));
    r.click("CmdLevelChargeUp");
    QCOMPARE(r.text("TxtLevelCharge"), QString("11"));
    r.click("ChkLevelShutdown");
    QVERIFY(!r.enabled("TxtLevelRuntime") && !r.enabled("CmdLevelChargeUp"));
    r.messages.texts.clear();
    r.click("CmdLevel");
    QVERIFY(r.messages.texts.isEmpty());
    QCOMPARE(r.stored(settings::LevelShutdown), QString("0"));
    QCOMPARE(r.stored(settings::LevelCharge), QString("11"));

    // Opening the page again shows the on-battery panel, whatever was shown last.
    r.page.pageOpened();
    QVERIFY(r.shown("FrmUpsOnBatt") && !r.shown("FrmOSLog"));
    QVERIFY(r.find<xpradiobutton>("OptOnBatt")->Value() && !r.find<xpradiobutton>("OptOsLog")->Value());
}

void EventManagerPageTest::f1HelpButton() {
    QList<QUrl> opened;
    setUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    QTemporaryDir dir;
    QFile f1Help(dir.filePath("Wrenfield II.html"));
    QVERIFY(f1Help.open(QIODevice::WriteOnly));
    f1Help.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    InstallF1Help();

    PageRig r;
    r.page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.page));
    r.click("OptLowBatt");
    r.click("xpcmdbutton10");
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir.filePath("Wrenfield II.html"))});
    QDir::setCurrent(previous);
}

void EventManagerPageTest::messageBoxKeepsTimersRunning() {
    QWidget window;
    window.show();
    CriticalMessageBox messages(&window);

    // A timer of the window's: it looks at the open box and closes it on its third tick.
    // Were the timers held while the box is open, the box would never close.
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    int ticksWhileOpen = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (++ticksWhileOpen == 1) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
        }
        if (ticksWhileOpen == 3)
            box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    messages.critical("Please input number ");

    QCOMPARE(ticksWhileOpen, 3);
    QCOMPARE(title, QString("System Information"));
    QCOMPARE(text, QString("Please input number "));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
}

QTEST_MAIN(EventManagerPageTest)
#include "event_manager_page_test.moc"
