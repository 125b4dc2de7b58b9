// The words of dialog buttons as toolkits name them on the accessibility bus (mnemonics
// marked, labels given twice, ellipses), and which of them the closer may press.
#include "dialog_labels.h"

#include <QTest>

using namespace brightlock::atspi;

class DialogLabelsTest : public QObject {
    Q_OBJECT
private slots:
    void pressesOnlyWhatSaves();
};

void DialogLabelsTest::pressesOnlyWhatSaves() {
    // GTK 4 ("_Save Save"), GTK 3 ("_Save"), Qt ("&Save"), KDE, LibreOffice.
    for (const char* name : {"Save", "_Save Save", "&Save", "Save All", "Save As…", "Save _As...", "_Save"})
        QVERIFY2(savesLabel(name), name);
    for (const char* name : {"Don't Save", "_Don't Save Don't Save", "Close _without Saving",
                             "Discard changes", "Cancel", "No to all", "Save Without Formatting", ""})
        QVERIFY2(!savesLabel(name), name);
    QVERIFY(confirmsFileLabel("_OK"));
    QVERIFY(!confirmsFileLabel("_Cancel Cancel"));

    // LibreOffice's "Confirm File Format": older versions end the label with "!", 7.4 does not.
    QVERIFY(keepsFormatLabel("Use Word 2007-365!"));
    QVERIFY(keepsFormatLabel("Use Office Open XML Text (Transitional) Format"));
    QVERIFY(keepsFormatLabel("&Keep Current Format"));
    for (const char* name : {"Use ODF Format!", "Use ODF Format", "Use _ODF Format"}) {
        QVERIFY2(!keepsFormatLabel(name), name);
        QVERIFY2(ownFormatLabel(name), name);
    }
    QVERIFY(!keepsFormatLabel("Use"));
    QVERIFY(selectsAllLabel("Select &All"));
    QVERIFY(settingLabel("Do not ask again"));
    QVERIFY(!settingLabel("Save changes for this document notes (new)"));
}

QTEST_GUILESS_MAIN(DialogLabelsTest)
#include "dialog_labels_test.moc"
