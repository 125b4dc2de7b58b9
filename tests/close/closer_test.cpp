// The closer's passes against the scripted desktop: what it records in CloseApp.ini and in
// which order, where its keystrokes go, and that every run ends with the hand-over flags.
#include "close/closer_rig.h"

#include <QDir>
#include <QFile>
#include <QTest>

using brightlock::Key;
using brightlock::WindowId;
using fakes::OnClose;

namespace {

const QStringList kExitWrites{"[Schema] Close=0", "[Schema] ShutDown=1", "[Schema] CloseAppFlag=1"};

// Respawns a window each time one is closed, as a program restarting itself would: with a
// new title each time (`sameTitle` false), or as the same window again.
struct RespawningDesktop : fakes::FakeDesktop {
    bool sameTitle = false;
    int respawned = 0;
    bool requestClose(WindowId id) override {
        const bool asked = FakeDesktop::requestClose(id);
        const WindowId next = addWindow(sameTitle ? QStringLiteral("respawned")
                                                  : QStringLiteral("respawned %1").arg(++respawned),
                                        OnClose::Closes);
        window(next)->program = QStringLiteral("respawner");
        return asked;
    }
};

// The saved files' contents by recorded index, read from the paths CloseApp.ini names.
template <typename Rig> QStringList recordedFiles(const Rig& r) {
    QStringList files;
    for (int i = 1; i < r.list("CloseApp", "Count").toInt(); ++i) {
        const QString path = r.list("SaveAppFileName", QString::number(i));
        files << (QFileInfo(path).isFile() ? QFileInfo(path).fileName() : "missing " + path);
    }
    return files;
}

} // namespace

class CloserTest : public QObject {
    Q_OBJECT
private slots:
    void withoutApplicationWindowsHandsOverAtTheFirstPass();
    void windowsThatCloseReuseTheirIndex();
    void savesThroughPromptAndSaveDialog();
    void saveDialogGetsOneMoreEnter();
    void excludedTitlesEndTheRunAtTheThirdLanding();
    void untitledWindowEndsTheRun();
    void keystrokesGoOnlyToTheTargetsNewDialogs();
    void keystrokesWaitForTheDialogInFront();
    void runIsBounded();
    void savePathIsTypedLiterally();
    void readableDialogsAreAnsweredByTheirSaveButton();
    void onlyFilesThatAppearedAreRecorded();
    void nameRefusedAsAbsoluteIsTypedRelative();
    void noKeyWhileAnotherProgramHoldsTheKeyboard();
    void reopeningWindowIsTakenUpALimitedNumberOfTimes();
};

// Only a panel, the desktop of a file manager and a dock: nothing is taken up, and the
// last run's list is gone.
void CloserTest::withoutApplicationWindowsHandsOverAtTheFirstPass() {
    CloserRig<> r;
    WriteIni(brightlock::closeapp::filePath(), "SaveAppFileName", "1", "/old/Save/SaveClose1");
    r.desktop.addPanel();
    r.desktop.addOtherWindow("Desktop");
    r.closer.run();

    QCOMPARE(r.log,
             QStringList({"remove CloseApp.ini", "minimizeAll", "pause 200", "pause 200", "pause 250"}) +
                 kExitWrites + QStringList({"[CloseApp] Count=1", "[Schema] SaveList=1"}));
    QCOMPARE(r.clock.now(), qint64(650));
    QCOMPARE(r.list("SaveAppFileName", "1"), QString("(none)"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("1"));
    QVERIFY(QFileInfo(r.home.path() + "/Save").isDir());
    QCOMPARE(r.flag("ShutDown"), QString("1"));
    QCOMPARE(r.flag("CloseAppFlag"), QString("1"));
    QCOMPARE(r.flag("SaveList"), QString("1"));
    QCOMPARE(r.flag("Close"), QString("0"));
}

void CloserTest::windowsThatCloseReuseTheirIndex() {
    CloserRig<> r;
    const WindowId lower = r.desktop.addWindow("lower");
    const WindowId upper = r.desktop.addWindow("upper");
    r.closer.run();

    // Top of the stack first; each pass goes on as soon as the window is in front or gone.
    const QString probe = "[temp123456] 1=0";
    QCOMPARE(
        r.from("activate"),
        QStringList({QString("activate %1").arg(upper), "[CloseApp] 1=upper", QString("close %1").arg(upper),
                     probe, "pause 250", QString("activate %1").arg(lower), "[CloseApp] 1=lower",
                     QString("close %1").arg(lower), probe, "pause 250"}) +
            kExitWrites + QStringList({"[CloseApp] Count=1", "[Schema] SaveList=1"}));
    QCOMPARE(r.desktop.clientWindows(), QVector<WindowId>());
    QCOMPARE(r.list("CloseApp", "1"), QString("lower"));
    QCOMPARE(r.list("Date", "1"), QString("(none)"));
}

void CloserTest::savesThroughPromptAndSaveDialog() {
    CloserRig<> r;
    const WindowId asks = r.desktop.addWindow("asks", OnClose::AsksToSave);
    const WindowId notes = r.desktop.addWindow("notes", OnClose::AsksThenSaveDialog);
    r.closer.run();

    // notes: prompt 3, save dialog 4; asks then takes index 2 and saves by itself. The save is
    // recorded once its file is there.
    const QString path = r.savePath(4821);
    // The name field's text is selected first, so that the path replaces a name it offers.
    const QStringList pass = r.from("activate").mid(0, 21);
    QCOMPARE(pass.mid(0, 16),
             QStringList({QString("activate %1").arg(notes), "[CloseApp] 1=notes",
                          QString("close %1").arg(notes), QString("[temp123456] 1=%1").arg(notes),
                          "keyDown Return @3", "keyUp Return @4", "keyDown Home @4", "keyUp Home @4",
                          "keyDown Shift @4", "keyDown End @4", "keyUp End @4", "keyUp Shift @4",
                          "type " + path + " @4", "pause 2300", "keyDown Return @4", "keyUp Return @0"}));
    QCOMPARE(pass[16], "[Date] 1=" + QLocale::c().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(pass[17].startsWith("[Time] 1="));
    QCOMPARE(pass.mid(18),
             QStringList({"[SaveAppFileName] 1=" + path, "pause 250", QString("activate %1").arg(asks)}));
    QCOMPARE(r.desktop.savedAs, QStringList{path});
    QCOMPARE(r.list("CloseApp", "2"), QString("asks"));
    QCOMPARE(r.list("temp123456", "2"), QString::number(asks));
    QCOMPARE(r.list("SaveAppFileName", "2"), QString("(none)"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("2"));
    QCOMPARE(r.log.mid(r.log.size() - 5),
             kExitWrites + QStringList({"[CloseApp] Count=2", "[Schema] SaveList=1"}));
    QVERIFY(r.desktop.clientWindows().isEmpty());
}

// An Enter that a completion list took is repeated once; a dialog that still does not
// save is left to the user, without further keys.
void CloserTest::saveDialogGetsOneMoreEnter() {
    for (int taken : {1, 2}) {
        CloserRig<> r;
        r.desktop.completionTakesEnters = taken;
        const WindowId notes = r.desktop.addWindow("notes", OnClose::AsksThenSaveDialog);
        r.closer.run();

        QCOMPARE(r.log.count("keyDown Return @3"), 2); // the save dialog
        QCOMPARE(r.desktop.savedAs, taken == 1 ? QStringList{r.savePath(4821)} : QStringList());
        QCOMPARE(bool(r.desktop.window(notes)), taken == 2);
        // A dialog that saved nothing has nothing recorded, and its index is used again.
        QCOMPARE(r.list("SaveAppFileName", "1"), taken == 1 ? r.savePath(4821) : QString("(none)"));
        QCOMPARE(r.list("CloseApp", "Count"), QString(taken == 1 ? "2" : "1"));
    }
}

// Exact, case-sensitive titles; the third landing ends the run with the document unclosed.
void CloserTest::excludedTitlesEndTheRunAtTheThirdLanding() {
    CloserRig<> r;
    const WindowId document = r.desktop.addWindow("document");
    r.desktop.addWindow("Brightlock");
    r.desktop.addWindow("Tide-Watch");
    r.desktop.addWindow("Brightlock");
    const WindowId lookalike = r.desktop.addWindow("brightlock");
    r.closer.run();

    QCOMPARE(r.log.filter("close "), QStringList{QString("close %1").arg(lookalike)});
    QCOMPARE(r.closer.SkipCounter, 2);
    QVERIFY(r.desktop.window(document));
    QCOMPARE(r.list("CloseApp", "1"), QString("Brightlock"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("1"));
    QCOMPARE(r.flag("ShutDown"), QString("1"));
}

void CloserTest::untitledWindowEndsTheRun() {
    CloserRig<> r;
    const WindowId document = r.desktop.addWindow("document");
    r.desktop.addWindow("");
    r.closer.run();

    QVERIFY(r.log.filter("close ").isEmpty());
    QVERIFY(r.desktop.window(document));
    QCOMPARE(r.list("CloseApp", "1"), QString(""));
    QCOMPARE(r.list("CloseApp", "Count"), QString("1"));
    QCOMPARE(r.clock.now(), qint64(400 + 250));
}

// Nothing goes to a window that only stays open, to a prompt that Enter does not answer, to
// a window whose prompt Enter cancelled, nor to another window of the same program.
void CloserTest::keystrokesGoOnlyToTheTargetsNewDialogs() {
    CloserRig<> r;
    const WindowId terminal = r.desktop.addWindow("terminal", OnClose::StaysOpen);
    const WindowId deaf = r.desktop.addWindow("deaf", OnClose::AsksAndWaits);
    const WindowId cancels = r.desktop.addWindow("cancels", OnClose::AsksThenCancels);
    const WindowId sibling = r.desktop.addWindow("second document");
    const WindowId twin = r.desktop.addWindow("first document", OnClose::StaysOpen);
    r.desktop.window(sibling)->client = r.desktop.window(twin)->client;
    // While the closer waits on the twin, its program brings its other window forward.
    r.clock.onPause = [&](int ms) {
        if (ms == 2000 && r.desktop.window(twin) && r.desktop.activeWindow() == twin)
            r.desktop.setActive(sibling);
    };
    r.closer.run();

    // One Enter each for the prompts of deaf and cancels, and nothing typed.
    QCOMPARE(r.log.filter("keyDown").size(), 2);
    QVERIFY(r.log.filter("type ").isEmpty());
    for (WindowId w : {terminal, deaf, cancels, twin})
        QVERIFY2(r.desktop.window(w) && r.desktop.window(w)->typed.isEmpty(), qPrintable(QString::number(w)));
    QVERIFY(!r.desktop.window(sibling)); // closed in its own pass
    QCOMPARE(r.list("Date", "1"), QString("(none)"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("1"));
    QCOMPARE(r.closer.finishReason(), QString("no application window is left"));
}

// The user's terminal comes to the front as the closer asks, and dialogs open without the
// keyboard: the target's prompt is brought to the front before Enter, and its save dialog
// before the name is typed; dialogs that are not transient but of the same program count too.
void CloserTest::keystrokesWaitForTheDialogInFront() {
    CloserRig<> r;
    r.desktop.dialogsTransient = false;
    r.desktop.dialogsTakeFocus = false;
    const WindowId terminal = r.desktop.addWindow("terminal", OnClose::StaysOpen);
    r.desktop.window(terminal)->staysBehind = true;
    r.desktop.addWindow("notes", OnClose::AsksThenSaveDialog);
    r.desktop.afterRequestClose = [&] { r.desktop.setActive(terminal); };
    r.closer.run();

    QCOMPARE(r.desktop.savedAs, QStringList{r.savePath(4821)});
    QVERIFY(r.desktop.window(terminal)->typed.isEmpty());
    QVERIFY(r.log.filter(QString("@%1").arg(terminal)).isEmpty());
    QCOMPARE(r.log.filter("activate 3"), QStringList{"activate 3"}); // the prompt
    QCOMPARE(r.log.filter("activate 4"), QStringList{"activate 4"}); // the save dialog
}

// A program that opens a new window with a new title each time one is closed, and one that
// never comes to the front, still let the run end by its time limit with the flags written.
void CloserTest::runIsBounded() {
    CloserRig<RespawningDesktop> r;
    r.desktop.addWindow("respawning");
    const WindowId hidden = r.desktop.addWindow("never in front");
    r.desktop.window(hidden)->staysBehind = true;
    r.closer.run();

    QVERIFY(r.closer.reachedRunLimit());
    QVERIFY(r.clock.now() >= brightlock::Closer::kRunLimitMs);
    QVERIFY(r.clock.now() < brightlock::Closer::kRunLimitMs + brightlock::Closer::kLongestPassMs);
    QCOMPARE(r.log.count(QString("activate %1").arg(hidden)), 2);
    QCOMPARE(r.flag("ShutDown"), QString("1"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("1"));
}

// Characters that keystroke syntaxes give a meaning arrive as themselves.
void CloserTest::savePathIsTypedLiterally() {
    CloserRig<> r;
    const QString odd = r.home.path() + "/Brightlock {x}[y](z)+1^2%3~ é";
    QVERIFY(QDir().mkpath(odd));
    qputenv("BRIGHTLOCK_HOME", odd.toLocal8Bit());
    brightlock::Closer closer({r.desktop, r.clock, r.files}, {odd, QLocale::c(), [] { return 7; }});
    r.desktop.addWindow("notes", OnClose::AsksThenSaveDialog);
    closer.run();

    const QString path = odd + "/Save/SaveClose7";
    QCOMPARE(r.desktop.savedAs, QStringList{path});
    QCOMPARE(r.list("SaveAppFileName", "1"), path);
}

// A prompt that lists both documents (Enter would untick the first) and one whose default
// button cancels, each of a program on the accessibility bus with two documents: both are
// answered by their save buttons and every document is saved under its own name, without a
// key. The one program off the bus still gets its keys.
void CloserTest::readableDialogsAreAnsweredByTheirSaveButton() {
    CloserRig<> r;
    const WindowId keys = r.desktop.addWindow("keys", OnClose::AsksThenSaveDialog);
    const WindowId cancels = r.desktop.addWindow("cancels", OnClose::AsksThenCancels);
    const WindowId lists = r.desktop.addWindow("lists", OnClose::AsksThenSaveDialog);
    for (WindowId w : {cancels, lists}) {
        r.desktop.window(w)->exposed = true;
        r.desktop.window(w)->documents = 2;
    }
    r.desktop.window(lists)->listsDocuments = true;
    r.closer.run();

    QVERIFY(r.desktop.clientWindows().isEmpty());
    QCOMPARE(r.desktop.window(lists), nullptr);
    // lists: prompt 4, save dialogs 5 and 6; cancels: prompt 7, dialog 8, prompt 9, dialog 10.
    QCOMPARE(r.log.filter("pressSave"), QStringList({"pressSave @4", "pressSave @7", "pressSave @9"}));
    QCOMPARE(r.log.filter("keyDown Return"), QStringList({"keyDown Return @11", "keyDown Return @12"}));
    QCOMPARE(r.log.filter(QRegularExpression("keyDown .* @([0-9]|10)$")), QStringList());
    QCOMPARE(r.desktop.savedAs.size(), 5);
    QCOMPARE(QSet<QString>(r.desktop.savedAs.cbegin(), r.desktop.savedAs.cend()).size(), 5);
    QCOMPARE(recordedFiles(r), QStringList({"SaveClose4821", "SaveClose4822", "SaveClose4823",
                                            "SaveClose4824", "SaveClose4825"}));
    for (const char* i : {"1", "2"})
        QCOMPARE(r.list("CloseApp", i), QString("lists"));
    for (const char* i : {"3", "4"})
        QCOMPARE(r.list("CloseApp", i), QString("cancels"));
    QCOMPARE(r.list("CloseApp", "5"), QString("keys"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("6"));
    QCOMPARE(r.desktop.window(keys), nullptr);
}

// A file with the extension its program added is recorded under its real name; a save
// dialog that closed without writing anything leaves no record, by role or by keys.
void CloserTest::onlyFilesThatAppearedAreRecorded() {
    CloserRig<> r;
    const WindowId silentKeys = r.desktop.addWindow("silent keys", OnClose::AsksThenSaveDialog);
    const WindowId silent = r.desktop.addWindow("silent", OnClose::AsksThenSaveDialog);
    const WindowId text = r.desktop.addWindow("text", OnClose::AsksThenSaveDialog);
    r.desktop.window(text)->extension = ".txt";
    for (WindowId w : {text, silent})
        r.desktop.window(w)->exposed = true;
    for (WindowId w : {silent, silentKeys})
        r.desktop.window(w)->writesNothing = true;
    r.closer.run();

    QCOMPARE(r.desktop.savedAs.size(), 3);
    QCOMPARE(r.list("SaveAppFileName", "1"), r.savePath(4821) + ".txt");
    QCOMPARE(recordedFiles(r), QStringList{"SaveClose4821.txt"});
    QCOMPARE(r.list("CloseApp", "2"), QString("silent keys"));
    QCOMPARE(r.list("Date", "2"), QString("(none)"));
    QCOMPARE(r.list("CloseApp", "Count"), QString("2"));
    QCOMPARE(QDir(r.home.path() + "/Save").entryList(QDir::Files), QStringList{"SaveClose4821.txt"});
}

// A save dialog that joins an absolute name to its own folder writes nothing: the dialog it
// opens again gets the same place as a path relative to any folder, and that save is recorded.
void CloserTest::nameRefusedAsAbsoluteIsTypedRelative() {
    CloserRig<> r;
    const WindowId motif = r.desktop.addWindow("motif", OnClose::AsksThenSaveDialog);
    r.desktop.window(motif)->joinsFolder = r.home.path() + "/documents/letters";
    r.closer.run();

    QCOMPARE(r.desktop.savedAs.size(), 2);
    QVERIFY(r.desktop.savedAs[0].startsWith('/'));
    QVERIFY(r.desktop.savedAs[1].startsWith("../../"));
    QVERIFY(!r.desktop.window(motif));
    QCOMPARE(recordedFiles(r).size(), 1);
    QVERIFY(QFile::exists(r.list("SaveAppFileName", "1")));
}

// While another program holds the keyboard, the window that needs keys gets none and stays
// open; a program on the accessibility bus is still answered, since that takes no keys.
void CloserTest::noKeyWhileAnotherProgramHoldsTheKeyboard() {
    CloserRig<> r;
    const WindowId keys = r.desktop.addWindow("keys", OnClose::AsksThenSaveDialog);
    const WindowId readable = r.desktop.addWindow("readable", OnClose::AsksThenSaveDialog);
    r.desktop.window(readable)->exposed = true;
    r.desktop.grabbedElsewhere = true;
    r.closer.run();

    QVERIFY(r.log.filter("keyDown").isEmpty());
    QVERIFY(r.log.filter("type ").isEmpty());
    QVERIFY(r.desktop.window(keys));
    QCOMPARE(r.desktop.window(readable), nullptr);
    QCOMPARE(recordedFiles(r), QStringList{"SaveClose4821"});
    QCOMPARE(r.closer.finishReason(), QString("no application window is left"));
}

// A window that reopens itself as the same program and title is taken up three times, and
// the editor below it still gets its turn long before the run's limit.
void CloserTest::reopeningWindowIsTakenUpALimitedNumberOfTimes() {
    CloserRig<RespawningDesktop> r;
    r.desktop.sameTitle = true;
    const WindowId editor = r.desktop.addWindow("*notes", OnClose::AsksThenSaveDialog);
    const WindowId first = r.desktop.addWindow("respawned");
    r.desktop.window(first)->program = "respawner";
    r.closer.run();

    QCOMPARE(r.desktop.window(editor), nullptr);
    QCOMPARE(recordedFiles(r), QStringList{"SaveClose4821"});
    QCOMPARE(r.desktop.respawned, 0);
    QCOMPARE(r.log.filter("close ").size(), 1 + brightlock::Closer::kTakeUpsPerWindow);
    QVERIFY(!r.closer.reachedRunLimit());
    QCOMPARE(r.closer.finishReason(), QString("no application window is left"));
}

QTEST_GUILESS_MAIN(CloserTest)
#include "closer_test.moc"
