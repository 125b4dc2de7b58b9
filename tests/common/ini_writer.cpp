// Test helper: writes INI values in a loop, as a second program sharing the file would.
//   ini_writer keys <file> <section> <prefix> <count>   writes <prefix><i>=<i>, i = 1..count
//   ini_writer big <file> <section> <key> <bytes>       rewrites one huge value until killed
//   ini_writer hold <file> <section> <key> <ms>         takes the writers' lock, stores
//                                                       <key>=held, prints "held", keeps
//                                                       the lock <ms> milliseconds
#include "ini.h"
#include "ini_file.h"
#include "ini_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QThread>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 6)
        return 2;
    const QString mode = a[1], file = a[2], section = a[3], key = a[4];
    const int n = a[5].toInt();
    if (mode == "keys") {
        for (int i = 1; i <= n; ++i)
            if (WriteIni(file, section, key + QString::number(i), QString::number(i)) != "1")
                return 1;
        return 0;
    }
    if (mode == "hold") {
        const int fd = ::open(QFile::encodeName(file + ".lock").constData(), O_RDWR | O_CREAT, 0600);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0)
            return 1;
        const std::string text = brightlock::ini::readFile(file.toStdString()).value_or("");
        QSaveFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(QByteArray::fromStdString(
            brightlock::ini::assign(text, section.toStdString(), key.toStdString(), "held")));
        if (!out.commit())
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        QThread::msleep(n);
        return 0;
    }
    if (mode == "big") {
        for (int i = 0;; ++i) {
            WriteIni(file, section, key, QString(n, QLatin1Char(i % 2 ? 'b' : 'a')));
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    return 2;
}
