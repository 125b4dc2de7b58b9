// The record pages as a user meets them, offscreen: opening a page trims its store to the
// limit and sets the clear button by record count, the grids show the stores as they change,
// clear-all goes through the confirmation dialog, and a broken table is reported once.
#include "form_host.h"
#include "frm_close.h"
#include "frm_log.h"
#include "frm_main.h"
#include "frm_question.h"
#include "frm_ups_event.h"
#include "main_pages.h"
#include "question_modes.h"
#include "record_format.h"
#include "record_page.h"
#include "settings_catalogue.h"
#include "support/monitor_rig.h"
#include "support/recording_messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace brightlock;

namespace {

// Rows written straight into a store in one transaction, oldest first: "<text> 1", "<text> 2", ...
void fill(RecordStores& stores, Store store, int rows, const QString& text) {
    QSqlDatabase db = QSqlDatabase::database(stores.connectionName(store));
    QVERIFY(db.transaction());
    QSqlQuery insert(db);
    const bool closed = store == Store::Closed;
    insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?%2)")
                       .arg(stores.tableName(store), closed ? ", ?" : ""));
    for (int i = 1; i <= rows; ++i) {
        insert.addBindValue(QStringLiteral("2024-05-01"));
        insert.addBindValue(QStringLiteral("08:00:00"));
        insert.addBindValue(QStringLiteral("%1 %2").arg(text).arg(i));
        if (closed)
            insert.addBindValue(QStringLiteral("/home/u/Save/SaveClose%1").arg(i));
        QVERIFY(insert.exec());
    }
    QVERIFY(db.commit());
}

QAbstractItemModel* gridModel(RecordPage* page) {
    QAbstractItemModel* model = page->grid()->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    return model;
}

QString cell(RecordPage* page, int row, int column) {
    return gridModel(page)->index(row, column).data().toString();
}

// The monitor's stores, the main window with its pages and the confirmation dialog behind
// the clear buttons, wired as the program wires them.
struct PagesRig : QuestionPorts {
    MonitorRig r;
    RecordStores stores{r.home.path()};
    QuestionModes questions{*this};
    FormHost<FrmQuestion> dialog{[this] { return new FrmQuestion(questions); }};
    RecordingMessages messages;
    frmMain window;
    MainPages pages;

    PagesRig() {
        stores.bind();
        pages = addMainPages(window, r.monitor, messages, stores, questions);
    }
    void showQuestion() override { dialog.show(); }
    void unloadQuestion() override { dialog.unload(); }
    void startShutdown() override {}
    void clearStore(Store store) override { pages.recordPage(store)->ClearAllRecords(); }

    void click(QWidget* in, const char* name) {
        auto* button = in->findChild<xpcmdbutton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void openTab(const char* tab) { click(&window, tab); }
};

} // namespace

class RecordPagesTest : public QObject {
    Q_OBJECT
private slots:
    void openingTrimsToTheLimit_data();
    void openingTrimsToTheLimit();
    void emptyPageFollowsPollWithoutEnablingClear();
    void clearingTheUpsEventTable();
    void closedApplicationsByDateInTheUsersLocale();
    void brokenTableIsReportedOnce();
};

void RecordPagesTest::openingTrimsToTheLimit_data() {
    QTest::addColumn<QString>("limit");
    QTest::newRow("1000") << "1000";
    // A limit that is missing or not a number reads as the shipped 1000, never as 0.
    QTest::newRow("missing") << "";
    QTest::newRow("not a number") << "many";
}

void RecordPagesTest::openingTrimsToTheLimit() {
    QFETCH(QString, limit);
    PagesRig rig;
    rig.r.set("OSEvent", "Logcount", limit);
    fill(rig.stores, Store::Log, 1005, "event");

    rig.openTab("xpcmdbutton2");
    FrmLog* page = rig.pages.log;
    QVERIFY(!page->isHidden());
    QCOMPARE(rig.stores.count(Store::Log), 1000);
    QCOMPARE(gridModel(page)->rowCount(), 1000);
    QCOMPARE(cell(page, 0, 2), QString("event 6")); // the five oldest went
    QVERIFY(page->clearButton()->isEnabled());

    // The header row names the fields; the widths follow the twip table at the screen's
    // twips per pixel, also after a refresh has made the columns anew.
    QCOMPARE(gridModel(page)->headerData(2, Qt::Horizontal).toString(), QString("Event"));
    rig.stores.appendEvent("System AC Power Recovered");
    const int dpi = page->grid()->logicalDpiX();
    QCOMPARE(page->grid()->columnWidth(0), qRound(1200 * dpi / 1440.0));
    QCOMPARE(page->grid()->columnWidth(2), qRound(5900 * dpi / 1440.0));
}

void RecordPagesTest::emptyPageFollowsPollWithoutEnablingClear() {
    PagesRig rig;
    QSignalSpy deleted(&rig.stores, &RecordStores::changed);
    rig.openTab("xpcmdbutton3");
    FrmUpsEvent* page = rig.pages.upsEvent;
    QCOMPARE(deleted.count(), 0);
    QVERIFY(!page->clearButton()->isEnabled());

    // A power event recorded while the page is shown reaches its grid at once; the clear
    // button waits for the next opening.
    rig.stores.appendEvent("Attention!! System Power Failed");
    QCOMPARE(gridModel(page)->rowCount(), 1);
    QCOMPARE(cell(page, 0, 2), QString("Attention!! System Power Failed"));
    QVERIFY(!page->clearButton()->isEnabled());
    rig.openTab("xpcmdbutton1");
    rig.openTab("xpcmdbutton3");
    QVERIFY(page->clearButton()->isEnabled());
}

void RecordPagesTest::clearingTheUpsEventTable() {
    PagesRig rig;
    fill(rig.stores, Store::Ups, 12, "power");
    fill(rig.stores, Store::Log, 3, "log");
    rig.openTab("xpcmdbutton3");
    FrmUpsEvent* page = rig.pages.upsEvent;

    rig.click(page, "CmdClearUps");
    FrmQuestion* dialog = rig.dialog.form();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QString("     Are you sure clear all logs ?"));
    rig.click(dialog, "xpcmdbutton1"); // YES
    QCOMPARE(rig.stores.count(Store::Ups), 0);
    QCOMPARE(rig.stores.count(Store::Log), 3);
    QCOMPARE(gridModel(page)->rowCount(), 0);
    QVERIFY(!page->clearButton()->isEnabled());
    QVERIFY(!rig.questions.flags().AskClearUps);

    // Clearing the empty table again changes nothing; an opening with records enables it.
    page->ClearAllRecords();
    QCOMPARE(rig.stores.count(Store::Log), 3);
    rig.stores.appendEvent("System AC Power Recovered");
    rig.openTab("xpcmdbutton3");
    QVERIFY(page->clearButton()->isEnabled());
}

void RecordPagesTest::closedApplicationsByDateInTheUsersLocale() {
    PagesRig rig;
    rig.r.set("OSEvent", "Closecount", "2");
    rig.stores.importClosedApplications({{"2024-06-02", "09:15:00", "Report - Writer", "/s/SaveClose3"},
                                         {"2023-12-24", "18:00:00", "Letter - Writer", "/s/SaveClose1"},
                                         {"2024-01-10", "07:30:00", "Sheet - Calc", "/s/SaveClose2"}});

    rig.openTab("xpcmdbutton4");
    FrmClose* page = rig.pages.closed;
    // By date, and the limit of 2 took the oldest by date, not the first written.
    QCOMPARE(gridModel(page)->rowCount(), 2);
    QCOMPARE(cell(page, 0, 2), QString("Sheet - Calc"));
    QCOMPARE(cell(page, 1, 2), QString("Report - Writer"));
    QCOMPARE(cell(page, 0, 0), QLocale().toString(QDate(2024, 1, 10), QLocale::ShortFormat));
    QCOMPARE(cell(page, 0, 1), QLocale().toString(QTime(7, 30), QLocale::ShortFormat));
}

void RecordPagesTest::brokenTableIsReportedOnce() {
    PagesRig rig;
    fill(rig.stores, Store::Log, 20, "event");
    QSignalSpy reports(&rig.stores, &RecordStores::failed);
    {
        // Someone else's program removes the table under the running monitor.
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(rig.r.home.path() + "/EventRecord.mdb");
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec("DROP TABLE record"));
    }
    QSqlDatabase::removeDatabase("other");

    rig.openTab("xpcmdbutton2");
    rig.pages.log->ClearAllRecords();
    rig.stores.trimStep(Store::Log, 10);
    rig.openTab("xpcmdbutton2");
    QCOMPARE(reports.count(), 1);
    QVERIFY(reports.first().first().toString().contains("\"record\""));
    QVERIFY(!rig.pages.log->clearButton()->isEnabled());
    // The other table of the file goes on working.
    rig.stores.appendEvent("Attention!! UPS Battery Low");
    QCOMPARE(rig.stores.count(Store::Ups), 1);
}

QTEST_MAIN(RecordPagesTest)
#include "record_pages_test.moc"
