// Opening the help files: which file each help opens, silence for a missing file, and the
// F1 key anywhere in the program.
#include "app_paths.h"
#include "help.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace brightlock;

class HelpTest : public QObject {
    Q_OBJECT
    QList<QUrl> opened;

private slots:
    void init() {
        opened.clear();
        setUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }

    void helpFilePlaces() {
        QCOMPARE(programHelpPath(), QDir(ProgramDirectory()).filePath("Brightlock.html"));

        // The F1 help of the current directory wins; without one, the copy beside the programs.
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QCOMPARE(f1HelpPath(), QDir(ProgramDirectory()).filePath("Wrenfield II.html"));
        QFile file(dir.filePath("Wrenfield II.html"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(f1HelpPath(), dir.filePath("Wrenfield II.html"));
        QDir::setCurrent(previous);
    }

    void missingFileOpensNothing() {
        QTemporaryDir dir;
        QVERIFY(!openHelpFile(dir.filePath("Brightlock.html")));
        QVERIFY(opened.isEmpty());
    }

    void existingFileIsHandedToTheViewer() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Brightlock.html");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(openHelpFile(path));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(path)});
    }

    void f1OpensTheF1Help() {
        QTemporaryDir dir;
        QFile file(dir.filePath("Wrenfield II.html"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());

        InstallF1Help();
        InstallF1Help();
        QLineEdit edit;
        edit.show();
        edit.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_F1);
        QCOMPARE(opened.size(), 1);
        SendF1ToActiveWindow();
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.last(), QUrl::fromLocalFile(dir.filePath("Wrenfield II.html")));
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(edit.text(), QString("a"));
        QCOMPARE(opened.size(), 2);

        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
