// The test NUT server; see nut_server.h.
#include "psu/nut/nut_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

const QString kUpsd = QStringLiteral("/lib/nut/upsd");
const QString kDummy = QStringLiteral("/lib/nut/dummy-ups");

bool writeText(const QString& path, const QString& text, QFile::Permissions perms) {
    QFile f(path + ".new");
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0)
        return false;
    f.close();
    f.setPermissions(perms);
    QFile::remove(path);
    return QFile::rename(path + ".new", path);
}

} // namespace

quint16 freeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

NutServer::~NutServer() {
    stopServer();
    stopDriver();
}

QString NutServer::missingPrograms() {
    for (const QString& p : {kUpsd, kDummy})
        if (!QFileInfo(p).isExecutable())
            return p + " is missing: install the Debian package nut-server";
    return {};
}

QStringList NutServer::userOption() const {
    // As root both programs would switch to the user "nut", who cannot read our folder.
    return ::geteuid() == 0 ? QStringList{"-u", "root"} : QStringList{};
}

bool NutServer::run(std::unique_ptr<QProcess>& process, const QString& program) {
    process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NUT_CONFPATH", dir_.path());
    env.insert("NUT_STATEPATH", dir_.path());
    env.insert("NUT_ALTPIDPATH", dir_.path());
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::MergedChannels);
    // Should the test die, the kernel ends the programs it started.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->setStandardOutputFile(dir_.filePath(QFileInfo(program).fileName() + ".log"), QIODevice::Append);
    QStringList args = {"-F"};
    if (program == kDummy)
        args += {"-a", "dummy"};
    process->start(program, args + userOption());
    if (!process->waitForStarted(3000)) {
        error_ = program + ": " + process->errorString();
        return false;
    }
    return true;
}

bool NutServer::start(const QString& status) {
    if (!dir_.isValid()) {
        error_ = "no temporary folder";
        return false;
    }
    port_ = freeLoopbackPort();
    const QString d = dir_.path();
    const auto mine = QFile::ReadOwner | QFile::WriteOwner;
    bool ok =
        writeText(
            d + "/ups.conf",
            QStringLiteral("[dummy]\n driver = dummy-ups\n port = %1/dummy.dev\n pollinterval = 1\n").arg(d),
            mine) &&
        writeText(d + "/upsd.conf", QStringLiteral("LISTEN 127.0.0.1 %1\n").arg(port_), mine) &&
        writeText(d + "/upsd.users", "[admin]\n password = secret\n instcmds = ALL\n", mine) &&
        setStatus(status);
    if (!ok) {
        error_ = "cannot write the configuration into " + d;
        return false;
    }
    return startDriver() && startServer();
}

bool NutServer::setStatus(const QString& status, int charge, int runtime, const QString& extra) {
    return writeText(dir_.filePath("dummy.dev"),
                     QStringLiteral("ups.status: %1\nbattery.charge: %2\nbattery.runtime: %3\n")
                             .arg(status)
                             .arg(charge)
                             .arg(runtime) +
                         extra,
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

bool NutServer::startDriver() {
    QFile::remove(dir_.filePath("dummy-ups-dummy"));
    if (!run(driver_, kDummy))
        return false;
    // The driver is ready when its socket exists.
    for (QDeadlineTimer t(5000); !t.hasExpired(); QThread::msleep(50))
        if (QFileInfo::exists(dir_.filePath("dummy-ups-dummy")))
            return true;
    error_ = "dummy-ups did not start; see " + dir_.filePath("dummy-ups.log");
    return false;
}

bool NutServer::startServer() {
    if (!run(server_, kUpsd))
        return false;
    for (QDeadlineTimer t(5000); !t.hasExpired(); QThread::msleep(50)) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port_);
        if (s.waitForConnected(200))
            return true;
    }
    error_ = "upsd did not listen; see " + dir_.filePath("upsd.log");
    return false;
}

void NutServer::stopDriver() {
    if (!driver_)
        return;
    driver_->terminate();
    if (!driver_->waitForFinished(3000))
        driver_->kill();
    driver_->waitForFinished(1000);
    driver_.reset();
}

void NutServer::stopServer() {
    if (!server_)
        return;
    server_->terminate();
    if (!server_->waitForFinished(3000))
        server_->kill();
    server_->waitForFinished(1000);
    server_.reset();
}
