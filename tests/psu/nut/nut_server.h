// A real Network UPS Tools server for the tests: upsd and the dummy-ups driver, started in
// a temporary folder on a free loopback port and stopped by their process IDs.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class NutServer {
public:
    ~NutServer();

    // Empty when the programs exist; else why they cannot run here.
    static QString missingPrograms();

    // Starts the driver and the server with `status` as ups.status and a user "admin"
    // (password "secret") allowed every instant command. False, with error(), on failure.
    bool start(const QString& status);
    QString error() const { return error_; }
    quint16 port() const { return port_; }
    QString address() const { return QStringLiteral("dummy@127.0.0.1:%1").arg(port_); }

    // Rewrites the driver's file; upsd shows it within about a second.
    // `extra`: more lines of the dummy driver's file, such as "ups.load: 40\n".
    bool setStatus(const QString& status, int charge = 100, int runtime = 1800, const QString& extra = {});

    bool startDriver();
    void stopDriver();
    bool startServer();
    void stopServer();

private:
    bool run(std::unique_ptr<QProcess>& process, const QString& program);
    QStringList userOption() const;

    QTemporaryDir dir_{QStringLiteral("/tmp/brightlock-nut-XXXXXX")};
    quint16 port_ = 0;
    QString error_;
    std::unique_ptr<QProcess> driver_;
    std::unique_ptr<QProcess> server_;
};

// A free TCP port on 127.0.0.1 (free when asked; the caller binds it soon after).
quint16 freeLoopbackPort();
