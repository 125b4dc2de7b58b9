// The save list: which of the closer's entries are imported and when, a damaged CloseApp.ini,
// and the "Save List" window itself, offscreen.
#include "frm_save.h"
#include "import_closed_apps.h"
#include "settings_catalogue.h"
#include "support/temp_home.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace brightlock;

namespace {

void writeList(const QByteArray& text) {
    QFile file(closeapp::filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// A list as the closer writes it: entries 1..n in all five sections, Count last.
QByteArray closerList(const QList<QStringList>& entries, const QByteArray& count) {
    QByteArray sections[4] = {"[CloseApp]\n", "[Date]\n", "[Time]\n", "[SaveAppFileName]\n"};
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList& e = entries[i]; // title, date, time, save path (empty: none)
        for (int s = 0; s < 4; ++s)
            if (!e[s].isEmpty())
                sections[s] += QByteArray::number(i + 1) + "=" + e[s].toUtf8() + "\n";
    }
    return sections[0] + "Count=" + count + "\n" + sections[1] + sections[2] + sections[3];
}

struct Import {
    std::vector<ClosedAppRow> added;
    ImportClosedApps import{[this](const std::vector<ClosedAppRow>& rows) {
        added.insert(added.end(), rows.begin(), rows.end());
        return int(rows.size());
    }};
    bool run() { return import.run(closeapp::filePath().toStdString()); }
};

QString flag() {
    return settings::readText(settings::CloseAppFlag);
}

// The record file with what an earlier run saved, and the closer's hand-over of a new run
// raised (SaveList and CloseAppFlag at 1), as the save list finds them at the start.
struct AfterARun {
    TempHome home;
    RecordStores stores{home.path()};
    AfterARun() {
        stores.bind();
        stores.importClosedApplications({{"2024-03-01", "12:00:00", "Earlier run", "/s/SaveClose5"}});
        home.set("Schema", "SaveList", "1");
        home.set("Schema", "CloseAppFlag", "1");
    }
};

} // namespace

class SaveListTest : public QObject {
    Q_OBJECT
private slots:
    void importsWhatTheCloserSaved_data();
    void importsWhatTheCloserSaved();
    void importRunsOnlyWhenTheFlagIsOne();
    void damagedListStaysBounded();
    void saveListWindow();
    void noWindowAfterARunThatSavedNothing();
};

void SaveListTest::importsWhatTheCloserSaved_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("titles");
    const QString title254(254, QLatin1Char('T'));
    QTest::newRow("nothing saved") << closerList({{"Editor", "", "", ""}}, "1") << QStringList{};
    QTest::newRow("last window unsaved") << closerList({{"A", "2024-05-01", "08:00:00", "/s/SaveClose7"},
                                                        {"B", "2024-05-01", "08:00:05", "/s/SaveClose9"},
                                                        {"C", "2024-05-01", "08:00:09", ""}},
                                                       "3")
                                         << QStringList{"A", "B"};
    QTest::newRow("title of 254 characters")
        << closerList({{title254, "2024-05-01", "08:00:00", "/s/SaveClose1"}}, "1")
        << QStringList{title254.left(253)};
    QTest::newRow("entries beyond Count")
        << closerList({{"A", "d", "t", "/s/1"}, {"B", "d", "t", "/s/2"}}, "1") << QStringList{"A"};
    QTest::newRow("Count out of 16-bit range")
        << closerList({{"A", "d", "t", "/s/1"}}, "32768") << QStringList{};
    QTest::newRow("Count negative") << closerList({{"A", "d", "t", "/s/1"}}, "-1") << QStringList{};
    QTest::newRow("Count not a number") << closerList({{"A", "d", "t", "/s/1"}}, "one") << QStringList{};
    QTest::newRow("no file") << QByteArray() << QStringList{};
}

void SaveListTest::importsWhatTheCloserSaved() {
    QFETCH(QByteArray, list);
    QFETCH(QStringList, titles);
    TempHome home;
    home.set("Schema", "CloseAppFlag", "1");
    if (!list.isEmpty())
        writeList(list);
    Import i;
    QVERIFY(i.run());
    QStringList imported;
    for (const ClosedAppRow& row : i.added)
        imported << row.value(2);
    QCOMPARE(imported, titles);
    QCOMPARE(flag(), QString("0")); // also when nothing was imported, or the file was missing
}

void SaveListTest::importRunsOnlyWhenTheFlagIsOne() {
    TempHome home;
    writeList(closerList({{"A", "2024-05-01", "08:00:00", "/s/SaveClose1"}}, "1"));
    for (const char* value : {"0", "", "yes", "2"}) {
        home.set("Schema", "CloseAppFlag", value);
        Import i;
        QVERIFY2(!i.run(), value);
        QVERIFY(i.added.empty());
        QCOMPARE(flag(), QString(value)); // left for the closer to set
    }
}

void SaveListTest::damagedListStaysBounded() {
    // Binary bytes, NULs, a huge Count, a value far over 253 characters, keys that only
    // look like indices, and many entries: every value arrives cut, nothing beyond the
    // 16-bit index is read.
    QByteArray text =
        QByteArrayLiteral("[CloseApp]\nCount=32767\n1=Ti\0tle\n01=zero\n+2=plus\n[SaveAppFileName]\n");
    text.append("1=/s/").append(QByteArray(100000, 'p')).append('\n');
    text.append("2=\xff\xfe\x80 bytes\r\n");
    for (int i = 3; i <= 40000; ++i)
        text.append(QByteArray::number(i)).append("=/s/SaveClose").append(QByteArray::number(i)).append('\n');
    QRandomGenerator random(13);
    for (int i = 0; i < 20000; ++i)
        text.append(char(random.bounded(256)));
    text.append("\n[Date]\n2=2024-05-01\n");

    const std::vector<ClosedAppRow> rows = savedApplications(std::string_view(text.constData(), text.size()));
    QCOMPARE(rows.size(), size_t(32767));
    QCOMPARE(rows.front().value(2), QString("Ti")); // cut at the NUL
    QCOMPARE(rows.front().value(3).size(), 253);
    QCOMPARE(rows[1].value(0), QString("2024-05-01"));
    QVERIFY(rows[1].value(3).endsWith(" bytes"));
    QCOMPARE(rows.back().value(3), QString("/s/SaveClose32767"));
    for (const ClosedAppRow& row : rows)
        for (const QString& value : row)
            QVERIFY(value.size() <= 253 && !value.contains(QChar(0)));
}

void SaveListTest::saveListWindow() {
    AfterARun run;
    RecordStores& stores = run.stores;
    writeList(closerList({{"Report", "2024-06-02", "09:15:00", "/s/SaveClose3"},
                          {"Letter", "2024-01-10", "07:30:00", "/s/SaveClose1"}},
                         "2"));
    int unloads = 0;
    {
        frmSave window(stores);
        QObject::connect(&window, &frmSave::unloadRequested, [&] { ++unloads; });
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        // The whole store, by date.
        QAbstractItemModel* model = window.findChild<RecordGrid*>("MSFlexGrid3")->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(0, 2).data().toString(), QString("Letter"));
        QCOMPARE(model->index(1, 2).data().toString(), QString("Earlier run"));
        QCOMPARE(model->index(2, 3).data().toString(), QString("/s/SaveClose3"));
        QCOMPARE(flag(), QString("0"));

        QTest::mouseClick(window.findChild<xpcmdbutton*>("xpcmdbutton1"), Qt::LeftButton);
        QCOMPARE(unloads, 1);
        QCOMPARE(settings::readText(settings::SaveList), QString("0"));
    }
    // Shown again with the flag down: nothing imported again, the table as it is stored.
    frmSave again(stores);
    QAbstractItemModel* model = again.findChild<RecordGrid*>("MSFlexGrid3")->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, 2).data().toString(), QString("Earlier run"));
}

// The closer asks for the list after every run; one that saved nothing shows no window and
// ends the hand-over as "Close" would, while the store keeps what earlier runs saved.
void SaveListTest::noWindowAfterARunThatSavedNothing() {
    AfterARun run;
    RecordStores& stores = run.stores;
    writeList(closerList({{"Editor", "", "", ""}}, "1"));
    int unloads = 0;
    frmSave window(stores);
    QObject::connect(&window, &frmSave::unloadRequested, [&] { ++unloads; });
    QVERIFY(window.savedNothing());
    window.show();
    QVERIFY(!window.isVisible());
    QTRY_COMPARE(unloads, 1);
    QCOMPARE(settings::readText(settings::SaveList), QString("0"));
    QCOMPARE(flag(), QString("0"));
    QCOMPARE(window.findChild<RecordGrid*>("MSFlexGrid3")->model()->rowCount(), 1);
}

QTEST_MAIN(SaveListTest)
#include "save_list_test.moc"
