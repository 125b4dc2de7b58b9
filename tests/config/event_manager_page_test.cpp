// The Event Manager page on the offscreen platform, clicked through as a user would: the
// option buttons, the panels' rules, both Applies, the arrows and the help buttons; and
// the real message box, which keeps the program's timers running while it is open.
#include "config/recording_messages.h"
#include "critical_message_box.h"
#include "frm_event_manager.h"
#include "help.h"
#include "monitor_rig.h"

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
    void helpButtons();
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
    QCOMPARE(r.find<xpradiobutton>("OptOnBatt")->Caption(), QString("UPS On Battery "));
    QCOMPARE(r.find<xpradiobutton>("OptLowBatt")->Caption(), QString("UPS Low Battery "));
    QCOMPARE(r.find<xpradiobutton>("OptOsLog")->Caption(), QString("OS Event Log"));
    QVERIFY(r.shown("FrmUpsOnBatt") && !r.shown("FrmUpsLowBatt") && !r.shown("FrmOSLog"));
    QCOMPARE(r.text("TxtOnBattCount"), QString("5"));

    // Low battery: "Disable on all events" ticked, applied, then cleared again.
    r.click("OptLowBatt");
    QVERIFY(r.find<xpradiobutton>("OptLowBatt")->Value() && !r.find<xpradiobutton>("OptOnBatt")->Value());
    QVERIFY(!r.shown("FrmUpsOnBatt") && r.shown("FrmUpsLowBatt"));
    r.click("ChkLowBattE");
    QCOMPARE(r.value("ChkLowBattE"), 1);
    QCOMPARE(r.value("ChkLowBattL"), 0);
    QCOMPARE(r.value("ChkLowBattS"), 0);
    QVERIFY(!r.enabled("Frame4") && !r.enabled("Command4") && !r.enabled("TxtLowBattCount"));
    r.click("CmdLowBatt");
    QCOMPARE(r.stored(settings::UpsLowBattery.Disableevent), QString("1"));
    QCOMPARE(r.stored(settings::UpsLowBattery.Shutdown), QString("0"));
    QCOMPARE(r.stored(settings::UpsLowBattery.Recordlog), QString("0"));
    QCOMPARE(r.stored(settings::UpsLowBattery.Delaytime), QString("1"));
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
    QCOMPARE(port->currentText(), QString("USB"));
    port->setCurrentText("COM3");
    r.type("TextLimitLog", "9");
    r.click("Command12"); // closed-applications limit ">" at 1000 stays 1000
    r.click("Command9");  // event limit "<": 999
    r.messages.texts.clear();
    r.log.clear();
    r.click("Command5");
    QCOMPARE(r.messages.texts, QStringList{"Please input number range between 10 and 1000"});
    QCOMPARE(r.text("TextLimitLog"), QString("1000"));
    QCOMPARE(r.stored(settings::Eventcount), QString("999"));
    QCOMPARE(r.stored(settings::Closecount), QString("1000"));
    QCOMPARE(r.stored(settings::ComboPort), QString("3"));
    QCOMPARE(r.log, QStringList({"CloseHandleDevice", "setPort 3", "open", "RTS 1"}));

    r.click("ChkOSDisable");
    QCOMPARE(r.value("ChkOSSave"), 0);
    QVERIFY(!r.enabled("ChkOSSave") && !r.enabled("TextLimitClose") && !r.enabled("Command2"));
    QVERIFY(r.enabled("ComboPort"));
    r.click("Command2"); // disabled: nothing happens
    QCOMPARE(r.text("TextLimitLog"), QString("1000"));

    // Opening the page again shows the on-battery panel, whatever was shown last.
    r.page.pageOpened();
    QVERIFY(r.shown("FrmUpsOnBatt") && !r.shown("FrmOSLog"));
    QVERIFY(r.find<xpradiobutton>("OptOnBatt")->Value() && !r.find<xpradiobutton>("OptOsLog")->Value());
}

void EventManagerPageTest::helpButtons() {
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
    QCOMPARE(r.find<xpcmdbutton>("xpcmdbutton10")->Caption(), QString("Help"));
    r.click("xpcmdbutton10");
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir.filePath("Wrenfield II.html"))});

    // The other two open the manual beside the program, which this build does not have.
    opened.clear();
    r.click("OptOnBatt");
    r.click("xpcmdbutton9");
    r.click("OptOsLog");
    r.click("xpcmdbutton11");
    QVERIFY(opened.isEmpty());
    QDir::setCurrent(previous);
}

void EventManagerPageTest::messageBoxKeepsTimersRunning() {
    QWidget window;
    window.show();
    CriticalMessageBox messages(&window);

    QTimer poll;
    int ticks = 0;
    connect(&poll, &QTimer::timeout, [&] { ++ticks; });
    poll.start(10);

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    int ticksWhileOpen = 0;
    QTimer::singleShot(200, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        ticksWhileOpen = ticks;
        box->button(QMessageBox::Ok)->click();
    });
    messages.critical("Please input number ");

    QCOMPARE(title, QString("System Information"));
    QCOMPARE(text, QString("Please input number "));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
    QVERIFY2(ticksWhileOpen >= 5, qPrintable(QString::number(ticksWhileOpen)));
}

QTEST_MAIN(EventManagerPageTest)
#include "event_manager_page_test.moc"
