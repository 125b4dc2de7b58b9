// The alarm window and the confirmation dialog as widgets: their buttons reach the rules,
// the bar's chunks are painted, the dialog's text is chosen when it loads and its controls
// sit inside its skinned frame, and each is loaded once and unloaded cleanly.
#include "form_host.h"
#include "frm_alarm.h"
#include "frm_question.h"
#include "question_modes.h"
#include "shutdown_controller.h"
#include "support/monitor_rig.h"
#include "xp_canvas.h"
#include "xpcmdbutton.h"

#include <QLabel>
#include <QTest>

using namespace brightlock;

namespace {

struct Ports : ShutdownPorts, QuestionPorts {
    FormHost<FrmQuestion> host;
    ShutdownController* shutdown = nullptr;
    QStringList calls;
    void showQuestion() override { host.show(); }
    void unloadQuestion() override { host.unload(); }
    void startShutdown() override { shutdown->StartShutdown(ShutdownController::Asker::Question); }
    void hideMainWindow() override { calls << "hideMainWindow"; }
    void hideAlarm() override { calls << "hideAlarm"; }
    bool startCloser() override {
        calls << "startCloser";
        return true;
    }
    void clearStore(Store) override { calls << "clear"; }
};

struct NoPowerOff : PowerOff {
    void request(FinalAction, Done) override {}
    void canHibernate(Answer answer) override { answer({}); }
};

// The dialog with its modes and the shutdown path behind it.
struct QuestionRig {
    MonitorRig r;
    NoPowerOff power;
    Ports ports;
    ShutdownController controller{r.monitor, power, ports};
    QuestionModes questions{ports};
    QuestionRig() {
        ports.shutdown = &controller;
        controller.setCloserReach([] { return QString(); });
        ports.host.setFactory([this] { return new FrmQuestion(questions); });
    }
    FrmQuestion* dialog() { return ports.host.form(); }
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
    void questionWearsTheFrame();
    void closingTheQuestionAnswersNo();
};

void TestShutdownWindows::alarmWindowRunsItsBar() {
    MonitorRig r;
    int shutdowns = 0;
    AlarmHost host([&] { ++shutdowns; });
    host.setMonitor(&r.monitor);
    r.psu.acPresent = false; // on battery: the countdown runs and shows its seconds
    r.monitor.Timer1Tick();
    r.monitor.TimerSubTick();
    QVERIFY(!r.monitor.statusArea().LblAlarm.isEmpty());
    host.showAlarm();
    frmAlarm* w = host.window();
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(552, 172));
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w->title(), QString("Alarm Message"));
    QVERIFY(r.monitor.state().AlarmShown);
    QCOMPARE(r.monitor.statusArea().LblAlarm, QString());
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
    host.hideAlarm(); // a shutdown asked elsewhere: no re-check brings the window back
    QVERIFY(!w->sequence().Timer1.isActive() && !w->sequence().Timer2.isActive() &&
            !w->sequence().Timer3.isActive());
    w->sequence().bringBack();
    click(w, "xpcmdbutton1"); // Shutdown
    QCOMPARE(shutdowns, 1);
    QVERIFY(!w->sequence().Timer1.isActive());
    host.unloadAlarm();
    QVERIFY(!host.window());
}

void TestShutdownWindows::questionTextIsChosenAtLoad() {
    QuestionRig q;
    q.questions.askClear(Store::Ups);
    q.questions.CmdShutdownClick(); // a second opener before the answer
    QVERIFY(q.dialog());
    QCOMPARE(q.dialog()->windowTitle(), QString("System Information"));
    QCOMPARE(q.dialog()->findChild<QLabel*>("Label1")->text(), QString("     Are you sure clear all logs ?"));
    click(q.dialog(), "xpcmdbutton1"); // YES: both requests
    QCOMPARE(q.ports.calls, (QStringList{"hideMainWindow", "hideAlarm", "startCloser", "clear"}));
    QVERIFY(!q.dialog());

    q.questions.CmdShutdownClick(); // loaded afresh, with the shutdown text
    QCOMPARE(q.dialog()->findChild<QLabel*>("Label1")->text(),
             QString("Are you sure shutdown system and ups ?"));
    click(q.dialog(), "xpcmdbutton2"); // NO
    QVERIFY(!q.questions.flags().AskShutdown);
    QVERIFY(!q.dialog());
}

void TestShutdownWindows::questionWearsTheFrame() {
    QuestionRig q;
    q.questions.CmdShutdownClick();
    FrmQuestion* d = q.dialog();
    QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
    auto* frame = d->findChild<xp_canvas*>("xp_canvas1");
    QVERIFY(frame);
    QCOMPARE(frame->Caption(), QString("System Information"));
    QVERIFY(frame->Fixed_Single());
    QVERIFY(!frame->Icon().isNull());
    QCOMPARE(frame->geometry(), d->rect());
    const QRect client(5, 29, d->width() - 10, d->height() - 34); // inside title bar and borders
    for (const char* name : {"Label1", "xpcmdbutton1", "xpcmdbutton2"})
        QVERIFY2(client.contains(d->findChild<QWidget*>(name)->geometry()), name);
    QVERIFY(!d->mask().contains(QPoint(0, 0))); // rounded top corners
    QVERIFY(d->mask().contains(QPoint(0, d->height() - 1)));
}

void TestShutdownWindows::closingTheQuestionAnswersNo() {
    QuestionRig q;
    q.questions.CmdShutdownClick();
    q.dialog()->close();
    QVERIFY(!q.questions.flags().AskShutdown);
    QVERIFY(!q.dialog());
    q.questions.askClear(Store::Log);
    click(q.dialog(), "xpcmdbutton1");
    QCOMPARE(q.ports.calls, QStringList{"clear"}); // no shutdown left over

    // Escape, wherever the focus is in the dialog, closes it too.
    q.questions.CmdShutdownClick();
    QTest::keyClick(q.dialog()->findChild<xpcmdbutton*>("xpcmdbutton1"), Qt::Key_Escape);
    QVERIFY(!q.questions.flags().AskShutdown);
    QVERIFY(!q.dialog());
}

QTEST_MAIN(TestShutdownWindows)
#include "shutdown_windows_test.moc"
