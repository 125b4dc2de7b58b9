// The alarm window and the confirmation dialog as widgets: their buttons reach the rules,
// the bar's chunks are painted, the dialog's text is chosen when it loads, and each is
// loaded once and unloaded cleanly.
#include "frm_alarm.h"
#include "frm_question.h"
#include "monitor_rig.h"
#include "xpcmdbutton.h"

#include <QLabel>
#include <QTest>

using namespace brightlock;

namespace {

struct Ports : ShutdownPorts {
    QuestionHost* host = nullptr;
    QStringList calls;
    void showQuestion() override { host->show(); }
    void unloadQuestion() override { host->unload(); }
    void hideMainWindow() override { calls << "hideMainWindow"; }
    void hideAlarm() override { calls << "hideAlarm"; }
    bool startCloser() override {
        calls << "startCloser";
        return true;
    }
    void clearStore(EventRecorder::Store) override { calls << "clear"; }
};

struct NoPowerOff : PowerOff {
    void powerOff() override {}
};

void click(QWidget* w, const char* name) {
    auto* b = w->findChild<xpcmdbutton*>(name);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class TestShutdownWindows : public QObject {
    Q_OBJECT
private slots:
    void alarmWindowRunsItsBar();
    void alarmButtons();
    void questionTextIsChosenAtLoad();
    void closingTheQuestionAnswersNo();
};

void TestShutdownWindows::alarmWindowRunsItsBar() {
    MonitorRig r;
    int shutdowns = 0;
    AlarmHost host([&] { ++shutdowns; });
    host.setMonitor(&r.monitor);
    r.monitor.page().LblAlarm = "System ShutDown After 1  Seconds";
    host.showAlarm();
    frmAlarm* w = host.window();
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(552, 172));
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w->title(), QString("Alarm Message"));
    QVERIFY(r.monitor.state().AlarmShown);
    QCOMPARE(r.monitor.page().LblAlarm, QString());
    QCOMPARE(w->barWidth(), 415);

    w->sequence().Timer1Tick();
    auto* bar = w->findChild<AlarmBar*>("picpgb2");
    const QColor chunk = bar->picture().pixelColor(8, 10);
    QVERIFY2(chunk.green() > 150 && chunk.red() < 160, qPrintable(chunk.name())); // green chunk
    QVERIFY(bar->picture().pixelColor(200, 10) != chunk);                         // empty trough

    host.showAlarm(); // shown again: the same window
    QCOMPARE(host.window(), w);
    QPointer<frmAlarm> alive(w);
    while (w->sequence().Timer1.isActive())
        w->sequence().Timer1Tick();
    QCOMPARE(shutdowns, 1);
    QVERIFY(!host.window()); // unloaded after the full bar
    QTRY_VERIFY(alive.isNull());
}

void TestShutdownWindows::alarmButtons() {
    MonitorRig r;
    int shutdowns = 0;
    AlarmHost host([&] { ++shutdowns; });
    host.setMonitor(&r.monitor);
    host.showAlarm();
    frmAlarm* w = host.window();
    click(w, "xpcmdbutton2"); // Cancel
    QVERIFY(w->isHidden());
    QVERIFY(w->sequence().Timer2.isActive() && w->sequence().Timer3.isActive());
    click(w, "xpcmdbutton1"); // Shutdown
    QCOMPARE(shutdowns, 1);
    QVERIFY(!w->sequence().Timer1.isActive());
    host.unloadAlarm();
    QVERIFY(!host.window());
}

void TestShutdownWindows::questionTextIsChosenAtLoad() {
    MonitorRig r;
    NoPowerOff power;
    Ports ports;
    ShutdownController controller(r.monitor, power, ports);
    QuestionHost host(&controller);
    ports.host = &host;

    controller.askClear(EventRecorder::Ups);
    controller.CmdShutdownClick(); // a second opener before the answer
    QVERIFY(host.dialog());
    QCOMPARE(host.dialog()->windowTitle(), QString("System Information"));
    QCOMPARE(host.dialog()->findChild<QLabel*>("Label1")->text(),
             QString("     Are you sure clear all logs ?"));
    click(host.dialog(), "xpcmdbutton1"); // YES: both requests
    QCOMPARE(ports.calls, (QStringList{"hideMainWindow", "startCloser", "clear"}));
    QVERIFY(!host.dialog());

    controller.CmdShutdownClick(); // loaded afresh, with the shutdown text
    QCOMPARE(host.dialog()->findChild<QLabel*>("Label1")->text(),
             QString("Are you sure shutdown system and ups ?"));
    click(host.dialog(), "xpcmdbutton2"); // NO
    QVERIFY(!r.monitor.dialog().AskShutdown);
    QVERIFY(!host.dialog());
}

void TestShutdownWindows::closingTheQuestionAnswersNo() {
    MonitorRig r;
    NoPowerOff power;
    Ports ports;
    ShutdownController controller(r.monitor, power, ports);
    QuestionHost host(&controller);
    ports.host = &host;
    controller.CmdShutdownClick();
    host.dialog()->close();
    QVERIFY(!r.monitor.dialog().AskShutdown);
    QVERIFY(!host.dialog());
    controller.askClear(EventRecorder::Log);
    click(host.dialog(), "xpcmdbutton1");
    QCOMPARE(ports.calls, QStringList{"clear"}); // no shutdown left over
}

QTEST_MAIN(TestShutdownWindows)
#include "test_shutdown_windows.moc"
