// The settings-file rules: lookup and update by section and key, what stays untouched,
// line ends, damaged files and values, and the typed readers' fallbacks.
#include "app_dir.h"
#include "ini.h"
#include "ini_file.h"
#include "ini_read.h"
#include "ini_text.h"
#include "settings.h"
#include "support/stderr_capture.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <unistd.h>

using brightlock::ini::assign;
using brightlock::ini::lookup;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

} // namespace

class TestIni : public QObject {
    Q_OBJECT
private slots:
    void lookupRules_data();
    void lookupRules();
    void assignRules_data();
    void assignRules();
    void readAndWriteThroughFiles();
    void longValuesAreCut();
    void damagedFilesGiveDefaults();
    void unsafeNamesAndValues();
    void plantedLinksAreNotFollowed();
    void createdFilesArePrivate();
    void applicationFolderIsAbsoluteAndPrivate();
    void typedReadersFallBack();
};

void TestIni::lookupRules_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected"); // null: missing

    const QByteArray file = "[Mscomm]\nComboPort=3\n[OSEvent]\nLogcount=100\n";
    QTest::newRow("case of section") << file << QByteArray("MsComm") << QByteArray("ComboPort")
                                     << QByteArray("3");
    QTest::newRow("case of key") << file << QByteArray("mscomm") << QByteArray("COMBOPORT")
                                 << QByteArray("3");
    QTest::newRow("missing key") << file << QByteArray("Mscomm") << QByteArray("Logcount") << QByteArray();
    QTest::newRow("missing section") << file << QByteArray("Schema") << QByteArray("ShutDown")
                                     << QByteArray();
    QTest::newRow("first section wins")
        << QByteArray("[A]\nk=1\n[a]\nk=2\n") << QByteArray("A") << QByteArray("k") << QByteArray("1");
    QTest::newRow("key only in second same-named section")
        << QByteArray("[A]\nx=1\n[a]\nk=2\n") << QByteArray("A") << QByteArray("k") << QByteArray();
    QTest::newRow("first key wins") << QByteArray("[A]\nk=1\nK=2\n") << QByteArray("A") << QByteArray("k")
                                    << QByteArray("1");
    QTest::newRow("blanks around names and value") << QByteArray("  [ A ]  \n  k  =  v w  \n")
                                                   << QByteArray("A") << QByteArray("k") << QByteArray("v w");
    QTest::newRow("quotes removed") << QByteArray("[A]\nk=\"quoted\"\n") << QByteArray("A") << QByteArray("k")
                                    << QByteArray("quoted");
    QTest::newRow("CRLF line ends") << QByteArray("[A]\r\nk=v\r\n") << QByteArray("A") << QByteArray("k")
                                    << QByteArray("v");
    QTest::newRow("empty value") << QByteArray("[A]\nk=\n") << QByteArray("A") << QByteArray("k")
                                 << QByteArray("");
    QTest::newRow("ShutDown and Shutdown in different sections")
        << QByteArray("[UpsOnBattery]\nShutdown=1\n[Schema]\nShutDown=0\n") << QByteArray("schema")
        << QByteArray("shutdown") << QByteArray("0");
    QTest::newRow("comment is not a key")
        << QByteArray("[A]\n;k=1\nk=2\n") << QByteArray("A") << QByteArray("k") << QByteArray("2");
    QTest::newRow("key before any section")
        << QByteArray("k=1\n[A]\n") << QByteArray("A") << QByteArray("k") << QByteArray();
    QTest::newRow("byte-order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Mscomm]\r\nComboPort=3\r\n") << QByteArray("Mscomm")
        << QByteArray("ComboPort") << QByteArray("3");
    QTest::newRow("doubled CR before LF")
        << QByteArray("[A]\r\nk=v\r\r\n") << QByteArray("A") << QByteArray("k") << QByteArray("v");
}

void TestIni::lookupRules() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);
    auto v = lookup(text.toStdString(), section.toStdString(), key.toStdString());
    if (expected.isNull()) {
        QVERIFY(!v);
    } else {
        QVERIFY(v);
        QCOMPARE(QByteArray::fromStdString(*v), expected);
    }
}

void TestIni::assignRules_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place, other lines kept")
        << QByteArray("; note\n[A]\nx = 1 \nk=old\n\n[B]\nk=b\n") << QByteArray("a") << QByteArray("K")
        << QByteArray("new") << QByteArray("; note\n[A]\nx = 1 \nk=new\n\n[B]\nk=b\n");
    QTest::newRow("key added after the section's last line, before blank lines")
        << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << QByteArray("A") << QByteArray("k") << QByteArray("v")
        << QByteArray("[A]\nx=1\nk=v\n\n[B]\ny=2\n");
    QTest::newRow("section added at the end")
        << QByteArray("[A]\nx=1\n") << QByteArray("Schema") << QByteArray("ShutDown") << QByteArray("1")
        << QByteArray("[A]\nx=1\n[Schema]\nShutDown=1\n");
    QTest::newRow("file without final line end")
        << QByteArray("[A]\nx=1") << QByteArray("A") << QByteArray("k") << QByteArray("v")
        << QByteArray("[A]\nx=1\nk=v\n");
    QTest::newRow("CRLF file keeps CRLF")
        << QByteArray("[A]\r\nx=1\r\n") << QByteArray("B") << QByteArray("k") << QByteArray("v")
        << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("CRLF replace keeps the line end")
        << QByteArray("[A]\r\nk=1\r\nz=2\r\n") << QByteArray("A") << QByteArray("k") << QByteArray("9")
        << QByteArray("[A]\r\nk=9\r\nz=2\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("A") << QByteArray("k") << QByteArray("v")
                                << QByteArray("[A]\nk=v\n");
    QTest::newRow("first of two same-named sections")
        << QByteArray("[A]\nx=1\n[a]\nk=2\n") << QByteArray("A") << QByteArray("k") << QByteArray("3")
        << QByteArray("[A]\nx=1\nk=3\n[a]\nk=2\n");
    // Found by fuzzing: the section was not recognised, a second one was appended, and
    // the value landed where no read finds it.
    QTest::newRow("last line ends in a lone CR")
        << QByteArray("x\n[Schema\r") << QByteArray("Schema") << QByteArray("k") << QByteArray("v")
        << QByteArray("x\n[Schema\r\nk=v\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[A]\nk=1\n") << QByteArray("A") << QByteArray("k") << QByteArray("2")
        << QByteArray("\xEF\xBB\xBF[A]\nk=2\n");
}

void TestIni::assignRules() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    const std::string out =
        assign(before.toStdString(), section.toStdString(), key.toStdString(), value.toStdString());
    QCOMPARE(QByteArray::fromStdString(out), after);
}

void TestIni::readAndWriteThroughFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    QCOMPARE(ReadIni(path, "A", "k", "dflt"), QString("dflt")); // missing file
    QCOMPARE(WriteIni(path, "A", "k", "v1"), QString("1"));     // creates it
    QCOMPARE(ReadIni(path, "a", "K", ""), QString("v1"));
    QCOMPARE(ReadIni(path, "A", "missing", "dflt"), QString("dflt"));
    QCOMPARE(ReadIni(path, "B", "k", ""), QString());

    // Nothing is cached: a change made behind the module's back is read at once.
    writeAll(path, "[A]\nk=outside\n");
    QCOMPARE(ReadIni(path, "A", "k", ""), QString("outside"));

    // A non-ASCII value survives the round trip.
    QCOMPARE(WriteIni(path, "A", "name", QString::fromUtf8("Grüße ✓")), QString("1"));
    QCOMPARE(ReadIni(path, "A", "name", ""), QString::fromUtf8("Grüße ✓"));

    // A folder that cannot be written: the write fails and says so.
    QCOMPARE(WriteIni(dir.filePath("no/such/dir/x.ini"), "A", "k", "v"), QString("0"));
}

void TestIni::longValuesAreCut() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    const QString long300(300, QLatin1Char('x'));
    WriteIni(path, "A", "k", long300);
    QCOMPARE(ReadIni(path, "A", "k", ""), long300.left(253));
    QVERIFY(readAll(path).contains(long300.toLatin1())); // stored whole, only the read is cut
}

void TestIni::damagedFilesGiveDefaults() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xFF));
    writeAll(path, garbage);
    QCOMPARE(ReadIni(path, "Mscomm", "ComboPort", "d"), QString("d"));
    // Writing into such a file adds the section and leaves the bytes before it alone.
    QCOMPARE(WriteIni(path, "Mscomm", "ComboPort", "2"), QString("1"));
    QCOMPARE(ReadIni(path, "Mscomm", "ComboPort", ""), QString("2"));
    QVERIFY(readAll(path).startsWith(garbage));

    writeAll(path, QByteArray(1 << 19, 'a') + "\n[A]\nk=v\n"); // a line of half a megabyte
    QCOMPARE(ReadIni(path, "A", "k", ""), QString("v"));
    QCOMPARE(WriteIni(path, "A", "k", "w"), QString("1")); // the writer keeps that line whole
    QCOMPARE(readAll(path), QByteArray(1 << 19, 'a') + "\n[A]\nk=w\n");
    writeAll(path, QByteArray("[A]\nk=") + QByteArray(1 << 19, 'z') + "\n");
    QCOMPARE(ReadIni(path, "A", "k", "").size(), 253);

    // A line of a megabyte is passed over: the keys before and after it still read. The
    // writer neither replaces such a file nor lets one grow past its limit, so it loses nothing.
    const QByteArray huge = "[A]\nk=v\n" + QByteArray(int(brightlock::ini::kMaxFileSize), '#') + "\nj=w\n";
    writeAll(path, huge);
    QCOMPARE(ReadIni(path, "A", "k", "d"), QString("v"));
    QCOMPARE(ReadIni(path, "A", "j", "d"), QString("w"));
    QCOMPARE(WriteIni(path, "A", "k", "w"), QString("0"));
    QCOMPARE(readAll(path), huge);
    // A file larger than any reader reads is not read at all.
    writeAll(path, "[A]\nk=v\n" + QByteArray(int(brightlock::ini::kMaxReadBytes), '\n'));
    QCOMPARE(ReadIni(path, "A", "k", "d"), QString("d"));
    const QByteArray full = huge.left(int(brightlock::ini::kMaxFileSize) - 4);
    writeAll(path, full);
    QCOMPARE(ReadIni(path, "A", "k", "d"), QString("v"));
    QCOMPARE(WriteIni(path, "A", "k", "widest"), QString("0")); // one byte too many
    QCOMPARE(readAll(path), full);
    QCOMPARE(WriteIni(path, "A", "k", "w"), QString("1")); // same size: fine

    writeAll(path, QByteArray("[A]\0\nk=v\n", 9)); // NUL bytes
    QCOMPARE(ReadIni(path, "B", "k", "d"), QString("d"));

    QCOMPARE(ReadIni(dir.path(), "A", "k", "d"), QString("d")); // a folder, not a file
}

void TestIni::unsafeNamesAndValues() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    WriteIni(path, "A", "k", "line1\nInjected=1\r\n[Schema]\nShutDown=1");
    QCOMPARE(ReadIni(path, "Schema", "ShutDown", "none"), QString("none"));
    QCOMPARE(ReadIni(path, "A", "Injected", "none"), QString("none"));
    QVERIFY(ReadIni(path, "A", "k", "").startsWith("line1 Injected=1"));

    const QByteArray before = readAll(path);
    QCOMPARE(WriteIni(path, "A]\n[B", "k", "v"), QString("0"));
    QCOMPARE(WriteIni(path, "A", "k=x", "v"), QString("0"));
    QCOMPARE(WriteIni(path, "A", "", "v"), QString("0"));
    QCOMPARE(WriteIni(path, "", "k", "v"), QString("0"));
    QCOMPARE(readAll(path), before);
}

// A link planted beside the settings file never directs a write elsewhere; a settings
// file that is a link the user made to a file of their own is written where it leads.
void TestIni::plantedLinksAreNotFollowed() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    const QString victim = dir.filePath("victim");
    writeAll(victim, "precious\n");
    QVERIFY(QFile::link(victim, path + ".tmp"));
    QCOMPARE(WriteIni(path, "A", "k", "v"), QString("1"));
    QCOMPARE(readAll(victim), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QVERIFY(!QFileInfo::exists(path + ".tmp")); // the leftover is cleared

    QVERIFY(QFile::remove(path + ".lock"));
    QVERIFY(QFile::link(victim, path + ".lock"));
    {
        StderrCapture err;
        errno = 0;
        QVERIFY(!brightlock::ini::writeValue(path.toStdString(), "A", "k", "w"));
        QCOMPARE(errno, ELOOP); // a reason to print, never "Success"
        QVERIFY(!brightlock::ini::writeValue(path.toStdString(), "A", "k", "w"));
        QCOMPARE(err.text().count((path + ".lock is a symbolic link").toUtf8()), 1); // said once
    }
    QCOMPARE(readAll(victim), QByteArray("precious\n"));
    QCOMPARE(ReadIni(path, "A", "k", ""), QString("v"));
    QVERIFY(QFile::remove(path + ".lock"));

    // The user's own link, into a folder of theirs: written through, and still a link.
    QVERIFY(QDir(dir.path()).mkdir("dotfiles"));
    const QString real = dir.filePath("dotfiles/x.ini");
    writeAll(real, "[A]\nk=1\n");
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(real, path));
    QCOMPARE(WriteIni(path, "A", "k", "2"), QString("1"));
    QVERIFY(QFileInfo(path).isSymLink());
    QCOMPARE(readAll(real), QByteArray("[A]\nk=2\n"));

    if (::geteuid() != 0)
        return; // only root can make a link or a file that belongs to someone else
    const uid_t nobody = 65534;
    QCOMPARE(::lchown(QFile::encodeName(path).constData(), nobody, nobody), 0);
    QCOMPARE(WriteIni(path, "A", "k", "3"), QString("0")); // a link someone else made
    QCOMPARE(::lchown(QFile::encodeName(path).constData(), 0, 0), 0);
    QCOMPARE(::chown(QFile::encodeName(real).constData(), nobody, nobody), 0);
    QCOMPARE(WriteIni(path, "A", "k", "3"), QString("0")); // to someone else's file
    QCOMPARE(readAll(real), QByteArray("[A]\nk=2\n"));
}

void TestIni::createdFilesArePrivate() {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    QCOMPARE(WriteIni(path, "A", "k", "v"), QString("1"));
    QCOMPARE(QFileInfo(path).permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
    QCOMPARE(QFileInfo(path + ".lock").permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
    // A file the user opened to others keeps that choice.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther));
    QCOMPARE(WriteIni(path, "A", "k", "w"), QString("1"));
    QVERIFY(QFileInfo(path).permissions() & QFile::ReadOther);
}

void TestIni::applicationFolderIsAbsoluteAndPrivate() {
    using brightlock::applicationDirectory;
    QTemporaryDir dir;
    const QByteArray saved[] = {qgetenv("BRIGHTLOCK_HOME"), qgetenv("HOME"), qgetenv("XDG_DATA_HOME"),
                                qgetenv("XDG_RUNTIME_DIR"), qgetenv("TMPDIR")};
    const QString oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const std::string noPrograms = "/nonexistent/programs"; // not writable, even for root

    qputenv("BRIGHTLOCK_HOME", "./rel/home");
    QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), dir.filePath("rel/home"));
    QCOMPARE(QFileInfo(dir.filePath("rel/home")).permissions() & 0x0777,
             QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);

    // No home folder: a shared temporary folder is used only when it is private.
    qunsetenv("BRIGHTLOCK_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    QVERIFY(QDir(dir.path()).mkdir("runtime") && QDir(dir.path()).mkdir("tmp"));
    QVERIFY(QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ExeOwner | QFile::ReadOther |
                                                               QFile::ExeOther));
    qputenv("XDG_RUNTIME_DIR", dir.filePath("runtime").toLocal8Bit()); // open to others: not used
    qputenv("TMPDIR", dir.filePath("tmp").toLocal8Bit());
    const QString shared = dir.filePath(QString("tmp/brightlock-%1").arg(::geteuid()));
    QVERIFY(QDir().mkdir(shared));
    QVERIFY(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
    // No folder of the user's: a path where nothing can be read or created, never "" (which
    // would put the files in "/" or the working folder).
    const QString nowhere = "/dev/null/brightlock";
    QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), nowhere); // planted, open
    QVERIFY(!WriteIni(nowhere + "/UpsConfigure.ini", "A", "k", "v").toInt());
    QVERIFY(QDir().rmdir(shared));
    QVERIFY(QFile::link(dir.filePath("runtime"), shared));
    QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), nowhere); // a link
    QVERIFY(QFile::remove(shared));
    QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), shared); // made here, 0700
    if (::geteuid() == 0) {
        QCOMPARE(::chown(QFile::encodeName(shared).constData(), 65534, 65534), 0);
        QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), nowhere); // someone else's
    }
    QVERIFY(QFile::setPermissions(dir.filePath("runtime"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(QString::fromStdString(applicationDirectory(noPrograms)), dir.filePath("runtime/brightlock"));

    QDir::setCurrent(oldCwd);
    const char* names[] = {"BRIGHTLOCK_HOME", "HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "TMPDIR"};
    for (int i = 0; i < 5; ++i) {
        if (saved[i].isNull())
            qunsetenv(names[i]);
        else
            qputenv(names[i], saved[i]);
    }
}

void TestIni::typedReadersFallBack() {
    TempHome home;
    using namespace brightlock;
    QCOMPARE(shippedValue("Mscomm", "ComboPort"), QString("0"));
    QCOMPARE(readNumber("OSEvent", "Logcount"), 1000.0);

    home.set("OSEvent", "Logcount", " 250 ");
    QCOMPARE(readNumber("OSEvent", "Logcount"), 250.0);
    home.set("OSEvent", "Logcount", "lots");
    QCOMPARE(readNumber("OSEvent", "Logcount"), 1000.0); // not a number: the shipped value

    home.set("OSEvent", "Saveapllication", "2");
    QVERIFY(readFlag("OSEvent", "Saveapllication")); // any non-zero number is true
    home.set("OSEvent", "Saveapllication", "0");
    QVERIFY(!readFlag("OSEvent", "Saveapllication"));

    home.set("UpsOnBattery", "Shutdown", "yes please");
    QVERIFY(!readSafetyFlag("UpsOnBattery", "Shutdown")); // damaged: never arms a shutdown
    home.set("UpsOnBattery", "Shutdown", "1");
    QVERIFY(readSafetyFlag("UpsOnBattery", "Shutdown"));

    QVERIFY(parseNumber("1.5"));
    QVERIFY(!parseNumber("1,5"));
    QVERIFY(!parseNumber("nan"));
    QVERIFY(!parseNumber(""));
}

QTEST_GUILESS_MAIN(TestIni)
#include "ini_test.moc"
