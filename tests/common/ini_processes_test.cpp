// Two programs sharing one INI file: concurrent writers lose nothing, a writer killed in
// the middle of a write leaves a whole file behind, and a process that keeps the lock
// costs a failed write, never a long wait or the other process's value.
#include "ini.h"
#include "ini_file.h"
#include "ini_text.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writer() {
    return QCoreApplication::applicationDirPath() + "/ini_writer";
}

} // namespace

class TestIniProcesses : public QObject {
    Q_OBJECT
private slots:
    void concurrentWritersLoseNothing();
    void killedWriterLeavesAWholeFile();
    void heldLockCostsAFailedWrite();
};

void TestIniProcesses::concurrentWritersLoseNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("UpsConfigure.ini");
    WriteIni(path, "Schema", "ShutDown", "0");
    constexpr int kWrites = 150;

    QProcess a, b;
    a.start(writer(), {"keys", path, "Schema", "Monitor", QString::number(kWrites)});
    b.start(writer(), {"keys", path, "Schema", "Closer", QString::number(kWrites)});
    // Meanwhile this process reads: every read sees a whole file.
    int reads = 0;
    while (a.state() != QProcess::NotRunning || b.state() != QProcess::NotRunning) {
        QCOMPARE(ReadIni(path, "Schema", "ShutDown", "missing"), QString("0"));
        ++reads;
        a.waitForFinished(1);
        b.waitForFinished(1);
    }
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    QVERIFY(reads > 0);
    for (int i = 1; i <= kWrites; ++i) {
        QCOMPARE(ReadIni(path, "Schema", QString("Monitor%1").arg(i), ""), QString::number(i));
        QCOMPARE(ReadIni(path, "Schema", QString("Closer%1").arg(i), ""), QString::number(i));
    }
}

void TestIniProcesses::killedWriterLeavesAWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("UpsConfigure.ini");
    WriteIni(path, "Mscomm", "ComboPort", "0");
    constexpr int kBytes = 768 * 1024; // big enough that a write takes a while

    for (int round = 0; round < 5; ++round) {
        QProcess w;
        w.start(writer(), {"big", path, "Data", "Blob", QString::number(kBytes)});
        QVERIFY(w.waitForStarted());
        // Wait for at least one complete write, then kill at a random moment.
        QTRY_VERIFY_WITH_TIMEOUT(w.bytesAvailable() > 0 || w.canReadLine(), 5000);
        QTest::qWait(int(QRandomGenerator::global()->bounded(5, 60)));
        w.kill();
        QVERIFY(w.waitForFinished());

        auto text = brightlock::ini::readFile(path.toStdString());
        QVERIFY(text);
        QCOMPARE(ReadIni(path, "Mscomm", "ComboPort", ""), QString("0"));
        auto blob = brightlock::ini::lookup(*text, "Data", "Blob");
        QVERIFY(blob);
        QCOMPARE(int(blob->size()), kBytes);
        QVERIFY(blob->find_first_not_of(blob->front()) == std::string::npos); // one write, whole
    }
    // The next writer takes over the lock and the stale temporary file.
    QCOMPARE(WriteIni(path, "Mscomm", "ComboPort", "2"), QString("1"));
    QCOMPARE(ReadIni(path, "Mscomm", "ComboPort", ""), QString("2"));
}

void TestIniProcesses::heldLockCostsAFailedWrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath("UpsConfigure.ini");
    WriteIni(path, "Schema", "ShutDown", "0");

    QProcess holder;
    holder.start(writer(), {"hold", path, "Schema", "Close", "30000"});
    QVERIFY(holder.waitForReadyRead(5000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(WriteIni(path, "Schema", "ShutDown", "1"), QString("0"));
    QVERIFY2(waited.elapsed() < 5000, "the write waited for the lock without a limit");
    QCOMPARE(holder.state(), QProcess::Running); // it still holds the lock
    QCOMPARE(ReadIni(path, "Schema", "ShutDown", ""), QString("0"));
    QCOMPARE(ReadIni(path, "Schema", "Close", ""), QString("held"));

    holder.kill();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(WriteIni(path, "Schema", "ShutDown", "1"), QString("1"));
    QCOMPARE(ReadIni(path, "Schema", "ShutDown", ""), QString("1"));
    QCOMPARE(ReadIni(path, "Schema", "Close", ""), QString("held")); // the other's write stands
}

QTEST_GUILESS_MAIN(TestIniProcesses)
#include "ini_processes_test.moc"
