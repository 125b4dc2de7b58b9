// Test helper: appends power events to the stores in a directory until it is killed,
// printing the number of each event once appendEvent has returned (both rows committed).
#include "record_stores.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: records_writer DIR PREFIX\n");
        return 2;
    }
    brightlock::RecordStores stores(QString::fromLocal8Bit(argv[1]));
    stores.bind();
    if (!stores.isAvailable(brightlock::Store::Log) || !stores.isAvailable(brightlock::Store::Ups))
        return 1;
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    for (int i = 1; i <= 1000000; ++i) {
        stores.appendEvent(QStringLiteral("%1 %2").arg(prefix).arg(i));
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    return 0;
}
