// The final action through logind with its fallback, and its dry run; see power_off.h.
#include "power_off.h"

#include "bounded_call.h"
#include "log_categories.h"
#include "logind.h"

#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

BRIGHTLOCK_LOGGING_CATEGORY(lcPowerOff, "brightlock.poweroff")

namespace brightlock {
namespace {

// A worker's own call waits a little longer than the deadline kept on the window thread, so
// that a logind that never answers is always told as such, by the deadline.
constexpr int kWorkerCallMs = SystemPowerOff::kLogindMs + 1000;

// logind's answers to CanHibernate and CanHybridSleep, and the method that goes with the
// first "yes". Both questions fit in one deadline.
struct HibernateWay {
    QString method; // empty when neither answered "yes"
    QString why;
};

HibernateWay hibernateWay(int timeoutMs) {
    QStringList answers;
    for (const char* name : {"Hibernate", "HybridSleep"}) {
        const QString method = QString::fromLatin1(name);
        const logind::Reply reply = logind::call(QStringLiteral("Can") + method, {}, timeoutMs);
        if (!reply.ok)
            return {{}, QStringLiteral("logind did not answer Can%1: %2").arg(method, reply.error)};
        if (reply.value == QLatin1String("yes"))
            return {method, {}};
        answers << QStringLiteral("Can%1 \"%2\"").arg(method, reply.value);
    }
    return {{}, QStringLiteral("logind answers ") + answers.join(QStringLiteral(", "))};
}

void askCanHibernate(QObject* context, PowerOff::Answer answer) {
    boundedCall<HibernateWay>(
        context, SystemPowerOff::kLogindMs, [] { return hibernateWay(kWorkerCallMs); },
        [answer = std::move(answer)](std::optional<HibernateWay> way) {
            if (!way)
                answer({false, QStringLiteral("logind did not answer within %1 s")
                                   .arg(SystemPowerOff::kLogindMs / 1000)});
            else
                answer({!way->method.isEmpty(), way->why});
        });
}

QString noAnswer(const QString& who, int limitMs) {
    return QStringLiteral("%1 did not answer within %2 s").arg(who).arg(limitMs / 1000);
}

// `systemctl <verb>` from PATH, killed at the deadline; accepted when it exits with 0.
void runSystemctl(QObject* context, const QString& verb, std::function<void(bool, QString)> done) {
    const QString who = QStringLiteral("systemctl ") + verb;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("systemctl"));
    if (program.isEmpty()) {
        done(false, QStringLiteral("systemctl is not on PATH"));
        return;
    }
    auto* process = new QProcess(context);
    auto* deadline = new QTimer(process);
    auto finish = std::make_shared<std::function<void(bool, QString)>>(std::move(done));
    auto settle = [process, finish](bool accepted, const QString& why) {
        if (!*finish)
            return;
        auto call = std::move(*finish);
        *finish = nullptr;
        process->deleteLater();
        call(accepted, why);
    };
    QObject::connect(
        process, &QProcess::finished, process, [process, settle, who](int code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit) {
                settle(false, who + QStringLiteral(" ended abnormally"));
                return;
            }
            if (code == 0) {
                settle(true, {});
                return;
            }
            const QString said = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
            settle(false, QStringLiteral("%1 refused (exit status %2)%3")
                              .arg(who)
                              .arg(code)
                              .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said));
        });
    QObject::connect(
        process, &QProcess::errorOccurred, process, [settle, who, process](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                settle(false, QStringLiteral("%1 could not be started: %2").arg(who, process->errorString()));
        });
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, process, [process, settle, who] {
        process->kill();
        settle(false, noAnswer(who, SystemPowerOff::kSystemctlMs));
    });
    deadline->start(SystemPowerOff::kSystemctlMs);
    process->start(program, {verb, QStringLiteral("--no-ask-password")});
}

QObject& contextOf(std::unique_ptr<QObject>& context) {
    if (!context)
        context = std::make_unique<QObject>();
    return *context;
}

} // namespace

void SystemPowerOff::request(FinalAction action, Done done) {
    QObject* context = &contextOf(context_);
    if (action == FinalAction::Hibernate) {
        boundedCall<logind::Reply>(
            context, kLogindMs,
            [] {
                const HibernateWay way = hibernateWay(kWorkerCallMs);
                if (way.method.isEmpty())
                    return logind::Reply{false, {}, way.why};
                return logind::requestAction(way.method, kWorkerCallMs);
            },
            [done](std::optional<logind::Reply> reply) {
                if (reply && reply->ok)
                    done({true, QStringLiteral("logind"), {}});
                else
                    done({false,
                          {},
                          reply ? QStringLiteral("logind refused: ") + reply->error
                                : noAnswer(QStringLiteral("logind"), kLogindMs)});
            });
        return;
    }
    boundedCall<logind::Reply>(
        context, kLogindMs, [] { return logind::requestAction(QStringLiteral("PowerOff"), kWorkerCallMs); },
        [context, done](std::optional<logind::Reply> reply) {
            if (reply && reply->ok) {
                done({true, QStringLiteral("logind"), {}});
                return;
            }
            const QString refusal = reply ? QStringLiteral("logind refused: ") + reply->error
                                          : noAnswer(QStringLiteral("logind"), kLogindMs);
            qCWarning(lcPowerOff).noquote() << refusal << "- trying systemctl poweroff";
            runSystemctl(context, QStringLiteral("poweroff"),
                         [done, refusal](bool accepted, const QString& why) {
                             if (accepted)
                                 done({true, QStringLiteral("systemctl poweroff"), refusal});
                             else
                                 done({false, {}, refusal + QStringLiteral("; ") + why});
                         });
        });
}

void SystemPowerOff::canHibernate(Answer answer) {
    askCanHibernate(&contextOf(context_), std::move(answer));
}

void DryRunPowerOff::request(FinalAction action, Done done) {
    std::fputs(action == FinalAction::Hibernate ? "dry run: hibernate requested\n"
                                                : "dry run: power-off requested\n",
               stderr);
    std::fflush(stderr);
    done({true, QStringLiteral("dry run"), {}});
}

void DryRunPowerOff::canHibernate(Answer answer) {
    askCanHibernate(&contextOf(context_), std::move(answer));
}

void EnableShutdownPrivilege() {}

void ShutdownWindows(PowerOff& powerOff, FinalAction action, PowerOff::Done done) {
    EnableShutdownPrivilege();
    powerOff.request(action, std::move(done));
}

void reportDryRunUpsSwitchOff() {
    std::fputs("dry run: UPS switch-off requested\n", stderr);
    std::fflush(stderr);
}

} // namespace brightlock
