// Test helper: writes INI values in a loop, as a second program sharing the file would.
//   ini_writer keys <file> <section> <prefix> <count>   writes <prefix><i>=<i>, i = 1..count
//   ini_writer big <file> <section> <key> <bytes>       rewrites one huge value until killed
#include "ini.h"

#include <QCoreApplication>
#include <cstdio>

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
    if (mode == "big") {
        for (int i = 0;; ++i) {
            WriteIni(file, section, key, QString(n, QLatin1Char(i % 2 ? 'b' : 'a')));
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    }
    return 2;
}
