// The nut driver: one connection to upsd kept open between queries; the switch-off logs
// in on a connection of its own, because a login cannot be undone on a connection.
// Every network call runs on the driver's one deadline worker. A call that misses its
// deadline (a server that trickles its answer) has its connection cut off when the
// monitor closes the link, and no new connection is made while it still runs: at most
// one late call per driver, and no connections piling up, whatever the server does.
#include "nut_driver.h"

#include "deadline_worker.h"
#include "log.h"
#include "nut_client.h"
#include "nut_status.h"

#include <vector>

namespace psu {
namespace {

constexpr std::chrono::milliseconds kDeadline{900};
// How long an open waits for a call that was cut off to end.
constexpr std::chrono::milliseconds kSettleWait{200};
constexpr int kConnectTimeoutMs = 700;

// What a poll reads, the status first.
const std::vector<std::string> kPollVars = {"ups.status", "battery.charge", "battery.runtime", "ups.load",
                                            "input.voltage"};

std::optional<Status> statusFrom(const std::vector<nut::Connection::Answer>& answers) {
    if (answers.at(0).result != nut::Connection::Result::Ok)
        return std::nullopt;
    auto st = nut::statusFromUpsStatus(answers[0].value);
    if (!st) {
        debugLog("nut: ups.status '%s' says nothing yet", answers[0].value.c_str());
        return std::nullopt;
    }
    auto value = [&](size_t i) -> std::optional<std::string> {
        if (answers.at(i).result == nut::Connection::Result::Ok)
            return answers[i].value;
        return std::nullopt;
    };
    st->chargePercent = nut::chargeFromText(value(1));
    st->runtimeSeconds = nut::runtimeFromText(value(2));
    st->loadPercent = nut::loadFromText(value(3));
    st->inputVoltage = nut::voltageFromText(value(4));
    return st;
}

// What the worker thread touches; owned jointly, so a call that misses its deadline
// finishes on it safely.
struct Session {
    nut::Config config;
    int connectTimeoutMs = kConnectTimeoutMs;
    std::string ups; // the configured name, or the first the server listed
    nut::Connection conn;
    nut::Connection admin; // the switch-off's login

    bool connect(nut::Connection& c) {
        return c.connect(config.address.host, config.address.port, config.tls, connectTimeoutMs);
    }

    bool open() {
        if (!connect(conn))
            return false;
        ups = config.address.ups;
        if (ups.empty()) {
            auto names = conn.listUps();
            if (names.empty()) {
                debugLog("nut: %s shares no UPS", config.address.host.c_str());
                conn.disconnect();
                return false;
            }
            ups = names.front();
        }
        debugLog("nut: using %s@%s:%u", ups.c_str(), config.address.host.c_str(),
                 unsigned(config.address.port));
        return true;
    }

    // The answers of a poll, in the order of kPollVars: read in one round trip on a plain
    // connection, one variable after the other through the library on a TLS one.
    using Answers = std::vector<nut::Connection::Answer>;

    Answers readOneByOne() {
        Answers answers(kPollVars.size());
        for (size_t i = 0; i < kPollVars.size(); ++i) {
            answers[i].result = conn.get(ups, kPollVars[i], &answers[i].value);
            if (i == 0 && answers[i].result != nut::Connection::Result::Ok)
                break; // without a status the rest is not needed
        }
        return answers;
    }

    // Connects again when the server hung up after the status (some close every
    // connection after a few requests): the status stands, and the next poll finds a
    // connection.
    bool needsReconnect(const std::optional<Status>& st) const { return st && !conn.connected(); }

    bool reconnect() {
        debugLog("nut: the server closed the connection; connecting again");
        return connect(conn);
    }

    std::optional<Status> readStatus() {
        auto st = statusFrom(readOneByOne());
        if (needsReconnect(st))
            reconnect();
        return st;
    }
    void abort() {
        conn.abort();
        admin.abort();
    }

    bool switchOff() {
        if (!config.credentialProblem.empty()) {
            debugLog("nut: cannot switch the UPS off: %s", config.credentialProblem.c_str());
            return false;
        }
        if (!connect(admin))
            return false;
        const std::string steps[] = {
            "USERNAME " + nut::quoted(config.user),
            "PASSWORD " + nut::quoted(config.password),
            "INSTCMD " + nut::quoted(ups) + " shutdown.return",
        };
        for (const std::string& line : steps) {
            auto answer = admin.request(line);
            // "OK", or "OK TRACKING <id>" from servers that track commands.
            if (!answer || answer->compare(0, 2, "OK") != 0) {
                debugLog("nut: '%s' refused: %s", line.substr(0, line.find(' ')).c_str(),
                         answer ? answer->c_str() : admin.lastError().c_str());
                admin.disconnect();
                return false;
            }
        }
        admin.request("LOGOUT");
        admin.disconnect();
        return true;
    }
};

class NutDriver : public Driver {
public:
    NutDriver(int configuredTimeoutMs, int localTimeoutMs)
        : configuredTimeoutMs_(configuredTimeoutMs), localTimeoutMs_(localTimeoutMs) {}

    bool open() override {
        close();
        if (!worker_.waitIdle(kSettleWait)) {
            debugLog("nut: the previous connection is still busy; not connecting again yet");
            return false;
        }
        auto session = std::make_shared<Session>();
        session->config = nut::loadConfig();
        session->connectTimeoutMs = session->config.configured ? configuredTimeoutMs_ : localTimeoutMs_;
        auto ok = worker_.call([session] { return session->open(); }, kDeadline);
        if (!ok) {
            session->abort();
            debugLog("nut: %s:%u did not answer in time", session->config.address.host.c_str(),
                     unsigned(session->config.address.port));
            return false;
        }
        if (!*ok) {
            debugLog("nut: no server at %s:%u", session->config.address.host.c_str(),
                     unsigned(session->config.address.port));
            return false;
        }
        session_ = std::move(session);
        return true;
    }

    void close() override {
        if (!session_)
            return;
        auto session = std::move(session_);
        if (worker_.busy() || !worker_.run([session] { session->conn.disconnect(); }, kDeadline))
            session->abort(); // a late call still uses it: cut it off so that it ends
    }

    // On a plain connection the poll needs no thread: its one round trip waits in poll()
    // on the calling thread, never past the deadline. The worker remains for what may
    // block (connecting, TLS) and must not run beside it.
    std::optional<Status> readStatus() override {
        if (!session_)
            return std::nullopt;
        if (worker_.busy()) {
            debugLog("nut: a late call still runs; no status");
            return std::nullopt;
        }
        std::optional<Status> st;
        if (session_->conn.plain()) {
            const auto deadline = std::chrono::steady_clock::now() + kDeadline;
            auto answers = session_->conn.getAll(session_->ups, kPollVars, deadline);
            if (session_->conn.hungUp()) { // since the last poll: ask once more on a new connection
                auto again = worker_.call([session = session_] { return session->reconnect(); }, kDeadline);
                if (again && *again)
                    answers = session_->conn.getAll(session_->ups, kPollVars, deadline);
            }
            st = statusFrom(answers);
            if (session_->needsReconnect(st))
                worker_.run([session = session_] { session->reconnect(); }, kDeadline);
        } else {
            auto result = worker_.call([session = session_] { return session->readStatus(); }, kDeadline);
            if (!result) {
                debugLog("nut: the server did not answer in time");
                return std::nullopt;
            }
            st = *result;
        }
        if (!worker_.busy() && !session_->conn.connected())
            session_.reset();
        return st;
    }

    bool switchOff() override {
        if (!session_)
            return false;
        auto result = worker_.call([session = session_] { return session->switchOff(); }, kDeadline);
        if (!result) {
            debugLog("nut: the switch-off command did not finish in time");
            return false;
        }
        return *result;
    }

private:
    int configuredTimeoutMs_;
    int localTimeoutMs_;
    std::shared_ptr<Session> session_;
    DeadlineWorker worker_;
};

} // namespace

std::unique_ptr<Driver> makeNutDriver() {
    return std::make_unique<NutDriver>(kConnectTimeoutMs, kConnectTimeoutMs);
}

std::unique_ptr<Driver> makeNutDriver(int configuredMs, int localMs) {
    return std::make_unique<NutDriver>(configuredMs, localMs);
}

} // namespace psu
