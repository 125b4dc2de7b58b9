// The final action against a stand-in logind on a private system bus and a stand-in
// `systemctl` first on PATH: logind first, the fallback when logind refuses or never
// answers, what hibernation logind allows, and the dry run's lines.
#include "power_off.h"
#include "support/logind_standin.h"
#include "support/private_bus.h"
#include "support/stderr_capture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

using namespace brightlock;

namespace {

// `systemctl` that writes its arguments to a log and exits with the status in a file.
struct SystemctlStandIn {
    QTemporaryDir dir;
    SystemctlStandIn() {
        QFile script(dir.filePath("systemctl"));
        if (script.open(QIODevice::WriteOnly))
            script.write("#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/calls\"\n"
                         "exit $(cat \"$(dirname \"$0\")/status\")\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setStatus(0);
        qputenv("PATH", dir.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    }
    void setStatus(int status) {
        QFile file(dir.filePath("status"));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::number(status));
    }
    QStringList calls() {
        QFile file(dir.filePath("calls"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
        file.close();
        file.remove();
        return lines;
    }
};

// The answer to `ask`, waited for longer than every deadline of the way: it must come,
// whatever it says.
template <typename T> std::optional<T> await(const std::function<void(std::function<void(const T&)>)>& ask) {
    auto got = std::make_shared<std::optional<T>>();
    ask([got](const T& value) { *got = value; });
    QDeadlineTimer limit((SystemPowerOff::kLogindMs + SystemPowerOff::kSystemctlMs) * 2);
    while (!got->has_value() && !limit.hasExpired())
        QTest::qWait(10);
    return *got;
}

} // namespace

class TestPowerOff : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void logindTakesThePowerOff();
    void fallbackWhenLogindRefusesOrNeverAnswers();
    void hibernationAsLogindAllows();
    void dryRunLines();

private:
    ActionOutcome powerOff(FinalAction action = FinalAction::PowerOff) {
        SystemPowerOff power;
        auto got = await<ActionOutcome>([&](auto done) { power.request(action, done); });
        return got.value_or(ActionOutcome{});
    }

    PrivateBus bus_;
    LogindStandIn logind_;
    SystemctlStandIn systemctl_;
};

void TestPowerOff::initTestCase() {
    QVERIFY(bus_.ok());
    // Before anything in this process opens a system bus: only the stand-in is reached.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus_.address());
    QVERIFY(logind_.attach(QString::fromLatin1(bus_.address())));
}

void TestPowerOff::logindTakesThePowerOff() {
    logind_.mode = LogindStandIn::Mode::Accept;
    logind_.calls.clear();
    const ActionOutcome outcome = powerOff();
    QVERIFY(outcome.accepted);
    QCOMPARE(outcome.acceptedBy, QString("logind"));
    QCOMPARE(logind_.calls, QStringList{"PowerOff"}); // not interactive
    QVERIFY(systemctl_.calls().isEmpty());
}

void TestPowerOff::fallbackWhenLogindRefusesOrNeverAnswers() {
    for (const auto mode : {LogindStandIn::Mode::Refuse, LogindStandIn::Mode::Silent}) {
        for (const int status : {0, 1}) {
            logind_.mode = mode;
            systemctl_.setStatus(status);
            const ActionOutcome outcome = powerOff();
            QCOMPARE(outcome.accepted, status == 0);
            QCOMPARE(systemctl_.calls(), QStringList{"poweroff --no-ask-password"});
            QVERIFY2(outcome.refusals.startsWith(
                         mode == LogindStandIn::Mode::Refuse ? "logind refused" : "logind did not answer"),
                     qPrintable(outcome.refusals));
            if (status == 0)
                QCOMPARE(outcome.acceptedBy, QString("systemctl poweroff"));
            else
                QVERIFY2(outcome.refusals.contains("systemctl poweroff refused (exit status 1)"),
                         qPrintable(outcome.refusals));
        }
    }
}

void TestPowerOff::hibernationAsLogindAllows() {
    struct Case {
        const char* hibernate;
        const char* hybrid;
        bool possible;
        const char* requested; // what the request calls, when possible
    };
    const Case cases[] = {{"yes", "no", true, "Hibernate"},
                          {"challenge", "yes", true, "HybridSleep"},
                          {"na", "no", false, nullptr}};
    logind_.mode = LogindStandIn::Mode::Accept;
    for (const Case& c : cases) {
        logind_.canHibernate = c.hibernate;
        logind_.canHybridSleep = c.hybrid;
        SystemPowerOff power;
        const auto answer = await<HibernateAnswer>([&](auto done) { power.canHibernate(done); });
        QVERIFY(answer);
        QCOMPARE(answer->possible, c.possible);
        if (!c.possible) {
            QVERIFY2(answer->why.contains("CanHibernate \"na\""), qPrintable(answer->why));
            continue;
        }
        logind_.calls.clear();
        QVERIFY(powerOff(FinalAction::Hibernate).accepted);
        QCOMPARE(logind_.calls.last(), QString(c.requested));
    }
    QVERIFY(systemctl_.calls().isEmpty()); // a refused hibernation is the caller's to handle
}

void TestPowerOff::dryRunLines() {
    logind_.canHibernate = "yes";
    logind_.calls.clear();
    DryRunPowerOff dry;
    StderrCapture err;
    QVERIFY(await<HibernateAnswer>([&](auto done) { dry.canHibernate(done); })->possible); // asks, read-only
    QVERIFY(await<ActionOutcome>([&](auto done) { dry.request(FinalAction::Hibernate, done); })->accepted);
    QVERIFY(await<ActionOutcome>([&](auto done) { dry.request(FinalAction::PowerOff, done); })->accepted);
    QCOMPARE(err.text(), QByteArray("dry run: hibernate requested\ndry run: power-off requested\n"));
    QCOMPARE(logind_.calls, QStringList{"CanHibernate"});
}

QTEST_GUILESS_MAIN(TestPowerOff)
#include "power_off_test.moc"
