// A session bus of the test's own, started before Qt first connects to one and stopped
// with the test. It starts no service on demand, so only the stand-ins a test runs answer.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <sys/types.h>

class PrivateBus {
public:
    PrivateBus() {
        const QString config = dir_.filePath("session.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>\n"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        const QByteArray command =
            "dbus-daemon --fork --print-address=1 --print-pid=1 --config-file=" + QFile::encodeName(config);
        FILE* out = ::popen(command.constData(), "r");
        if (!out)
            return;
        char address[512] = {}, pid[32] = {};
        if (std::fgets(address, sizeof address, out) && std::fgets(pid, sizeof pid, out)) {
            address_ = QByteArray(address).trimmed();
            pid_ = QByteArray(pid).trimmed().toInt();
        }
        ::pclose(out);
    }
    ~PrivateBus() {
        if (pid_ > 0)
            ::kill(pid_, SIGTERM);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool ok() const { return pid_ > 0 && !address_.isEmpty(); }
    QByteArray address() const { return address_; }

private:
    QTemporaryDir dir_;
    QByteArray address_;
    pid_t pid_ = 0;
};
