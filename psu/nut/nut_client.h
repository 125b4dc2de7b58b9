// A connection to a Network UPS Tools server through libupsclient. Every call may block
// for the library's network timeout; the nut driver runs them on a deadline worker.
#pragma once

#include "nut_config.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace psu::nut {

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connects, giving up after `timeoutMs` when the host does not accept.
    bool connect(const std::string& host, uint16_t port, Tls tls, int timeoutMs);
    void disconnect();
    bool connected() const { return connected_; }

    // Cuts the connection off from another thread: a call blocked on it (a server that
    // trickles its answer byte by byte) returns at once with an error, and a connect
    // still under way fails, and so does every later connect of this object. Safe at any
    // time from any thread; disconnect() still has to be called.
    void abort();

    enum class Result { Ok, Missing, NoAnswer, Broken };
    // GET VAR: Ok with the value; Missing when the UPS lacks the variable; NoAnswer when
    // the server knows no answer now (unknown UPS, driver not connected, stale data);
    // Broken when the connection failed (it is closed then).
    Result get(const std::string& ups, const std::string& var, std::string* value);

    struct Answer {
        Result result = Result::Broken;
        std::string value;
    };
    // Whether getAll() can read this connection: a plain one (not TLS) with nothing left
    // in the library's buffer.
    bool plain() const;
    // GET VAR for every name of `vars` in one write, the answers read on the calling thread
    // until `deadline`, without blocking past it: the results as get() gives them, in the
    // order of `vars`. A server that misses the deadline, hangs up or answers out of turn
    // has the connection closed, and every answer not yet read is Broken.
    std::vector<Answer> getAll(const std::string& ups, const std::vector<std::string>& vars,
                               std::chrono::steady_clock::time_point deadline);
    // Whether the last getAll() found the connection closed by the server before any
    // answer (some servers close every connection after a few requests).
    bool hungUp() const { return hungUp_; }

    // The names of the UPSes the server shares; empty on failure. A server that does not
    // answer is disconnected (connected() is false afterwards).
    std::vector<std::string> listUps();

    // Sends one protocol line and returns the server's one-line answer; nullopt when the
    // connection failed.
    std::optional<std::string> request(const std::string& line);

    // The library's description of the last error; "the server did not answer" when the
    // connection broke before the server sent anything back.
    std::string lastError();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    bool connected_ = false;
    bool silent_ = false; // the last failure was a server that sent no answer
    bool hungUp_ = false;
    size_t lastReplyBytes_ = 0; // the size of getAll()'s last whole reply
};

// A protocol argument in double quotes, with quotes and backslashes escaped.
std::string quoted(const std::string& arg);

} // namespace psu::nut
