// The desktop notifications of the power events, from the monitor's poll through the D-Bus
// sender to a stand-in notification service (monitor/shell/notification_server) on a private
// session bus: one per event and none per poll, their urgency and texts, the off switch,
// and a service that hangs or is missing, which neither delays the poll nor shows an error.
#include "desktop_notifier.h"
#include "support/monitor_rig.h"
#include "support/private_bus.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// The monitor with stand-ins for everything but the notifications; the test polls.
struct Rig : MonitorRigOf<brightlock::DesktopNotifier> {
    Rig() {
        monitor.Form_Load();
        holdPoll();
    }
    // `times` polls reading this state.
    void ups(bool answering, bool ac, bool low, int times = 3) {
        psu.replyOverride.reset();
        psu.answering = answering;
        psu.acPresent = ac;
        psu.batteryLow = low;
        for (int i = 0; i < times; ++i)
            monitor.Timer1Tick();
    }
};

// The stand-in service, and the notifications it has shown.
class Server {
public:
    explicit Server(const QStringList& args = {}) {
        process_.start(QCoreApplication::applicationDirPath() + "/notification_server", args);
        ready_ = QTest::qWaitFor([this] { return read().contains("ready"); }, 10000);
    }
    ~Server() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    bool ready() const { return ready_; }
    QStringList shown() {
        QStringList lines = read().split('\n', Qt::SkipEmptyParts);
        lines.removeAll("ready");
        return lines.filter(QRegularExpression("^notify "));
    }
    QStringList closed() {
        return read().split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^close "));
    }

private:
    QString read() {
        seen_ += QString::fromUtf8(process_.readAllStandardOutput());
        return seen_;
    }
    QProcess process_;
    QString seen_;
    bool ready_ = false;
};

const QString kHead = "image=48x48 app=Brightlock | ";

} // namespace

class TestDesktopNotices : public QObject {
    Q_OBJECT
public:
    explicit TestDesktopNotices(bool bus) : bus_(bus) {}

private slots:
    void initTestCase() {
        if (!bus_)
            QSKIP("needs dbus-daemon");
    }
    void oneNotificationPerEvent();
    void offSwitch();
    void hungServiceDelaysNothing();
    void missingServiceIsNoError();

private:
    bool bus_;
};

// Each event is told once, when it starts, however many polls it lasts; the end of an
// event replaces the notification of its start, and a newer countdown closes an older one.
void TestDesktopNotices::oneNotificationPerEvent() {
    Server server;
    QVERIFY(server.ready());
    Rig r;
    int expected = 0;
    // Each poll comes once the service has answered the calls of the last, as 2.2 s apart
    // they do: a close of a notification whose id is still on its way is sent after the
    // answer, unless the next notification of its slot replaces it first.
    auto next = [&](const QString& line) {
        ++expected;
        QTRY_VERIFY_WITH_TIMEOUT(server.shown().size() >= expected, 5000);
        QCOMPARE(server.shown().at(expected - 1), line);
        QTRY_COMPARE_WITH_TIMEOUT(r.notices.service().pending(), 0, 5000);
    };
    r.ups(true, true, false); // on-line: nothing to tell
    r.ups(true, false, false);
    next("notify 1 replaces=0 urgency=2 " + kHead +
         "UPS is on Battery | Attention!! System Power Failed\\nThe computer shuts down in 5 minutes.");
    r.ups(true, false, true);
    next("notify 2 replaces=0 urgency=2 " + kHead +
         "UPS is Low Battery | Attention!! UPS Battery Low\\nThe computer shuts down in 1 minute.");
    // The power failure's countdown notice leaves the screen to the battery's.
    QTRY_COMPARE_WITH_TIMEOUT(server.closed(), QStringList{"close 1"}, 5000);
    r.ups(true, true, false); // the mains are back: both events end in one poll
    next("notify 1 replaces=1 urgency=1 " + kHead +
         "UPS is on-line | System AC Power Recovered\\nThe shutdown is called off.");
    next("notify 2 replaces=2 urgency=1 " + kHead + "UPS is on-line | UPS Battery Low Recovered");
    r.ups(false, true, false, 1); // one missed answer is not told
    r.ups(false, true, false, 4);
    next("notify 3 replaces=0 urgency=1 " + kHead +
         "UPS Disconnect | The UPS does not answer: the computer is not protected until it answers again.");
    r.ups(true, true, false);
    next("notify 3 replaces=3 urgency=1 " + kHead + "UPS is on-line | The UPS answers again.");

    QTest::qWait(300);
    QCOMPARE(server.shown().size(), expected);

    // The battery's countdown notice (here: the charge at its limit, with the mains still out)
    // leaves the screen when the mains are back, though no battery event ends.
    r.ups(true, false, false);
    next("notify 1 replaces=1 urgency=2 " + kHead +
         "UPS is on Battery | Attention!! System Power Failed\\nThe computer shuts down in 5 minutes.");
    QByteArray reply("T\x01\x00\x00\x05\xff\xff\xff\xff", 9); // on battery, 5 %, no runtime
    r.psu.replyOverride = reply;
    r.monitor.Timer1Tick();
    next("notify 2 replaces=2 urgency=2 " + kHead +
         "UPS is on Battery | Attention!! UPS Battery Level Critical\\nThe computer shuts down in 1 minute.");
    r.ups(true, true, false);
    next("notify 1 replaces=1 urgency=1 " + kHead +
         "UPS is on-line | System AC Power Recovered\\nThe shutdown is called off.");
    // Each countdown notice went as the next event came: the power failure's at the battery's,
    // the battery's with the mains back (both times).
    QTRY_COMPARE_WITH_TIMEOUT(server.closed(), (QStringList{"close 1", "close 2", "close 1", "close 2"}),
                              5000);

    // A mains failure that arms no countdown is not critical.
    r.home.set("UpsOnBattery", "Shutdown", "0");
    r.ups(true, false, false);
    next("notify 1 replaces=1 urgency=1 " + kHead + "UPS is on Battery | Attention!! System Power Failed");
}

void TestDesktopNotices::offSwitch() {
    Server server;
    QVERIFY(server.ready());
    Rig r;
    r.home.set("Desktop", "Notifications", "0");
    r.ups(true, false, false);
    r.ups(true, false, true);
    r.ups(false, true, false);
    r.ups(true, true, false);
    r.home.set("Desktop", "Notifications", "1"); // read at every use, as every setting
    r.ups(true, false, false);
    QTRY_COMPARE(server.shown().size(), 1);
    QVERIFY(server.shown().first().endsWith("UPS is on Battery | Attention!! System Power Failed\\nThe "
                                            "computer shuts down in 5 minutes."));
}

// A service that takes the calls and never answers: a blocking call would hold each poll
// for D-Bus's 25 s timeout.
void TestDesktopNotices::hungServiceDelaysNothing() {
    Server server({"--stall"});
    QVERIFY(server.ready());
    Rig r;
    r.ups(true, false, false);
    r.ups(true, false, true);
    r.ups(true, true, false);
    // The polls are done and the records written while every call still waits for its answer.
    QCOMPARE(r.records.rows.size(), 1 + 4 * 2);
    // One call per topic: a topic's next notification waits for the answer that tells
    // which one it replaces, so none is ever shown beside the one it should replace.
    QTRY_COMPARE(server.shown().size(), 2);
    QCOMPARE(r.notices.service().pending(), 2);
}

void TestDesktopNotices::missingServiceIsNoError() {
    QTest::failOnWarning(QRegularExpression(".*"));
    Rig r;
    r.ups(true, false, false);
    r.ups(true, false, true);
    r.ups(true, true, false);
    QTRY_COMPARE(r.notices.service().pending(), 0); // every call came back, refused
    QCOMPARE(r.records.rows.size(), 1 + 4 * 2);     // and the polls did all their work: four events
}

int main(int argc, char** argv) {
    PrivateBus bus;
    if (bus.ok())
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address());
    QGuiApplication app(argc, argv);
    TestDesktopNotices test(bus.ok());
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_notices_test.moc"
