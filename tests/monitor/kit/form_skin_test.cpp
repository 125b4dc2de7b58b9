// The skinned-form routines: layout numbers and window shape of a 552 x 172 window, the
// key-colour cut-out, topmost, and the title bar's signals and main-window behaviour.
#include "form_skin.h"
#include "skin_label.h"
#include "skinned_form.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace brightlock;

namespace {

// A window whose top-left corner is painted magenta, with magenta in row 5's last column
// and more below row 5.
class MagentaCorner : public QWidget {
public:
    MagentaCorner() { resize(80, 40); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(30, 90, 200));
        p.fillRect(0, 0, 4, 2, Qt::magenta);
        p.fillRect(0, 2, 2, 2, Qt::magenta);
        p.fillRect(0, 6, 3, 3, Qt::magenta);
        p.fillRect(79, 5, 1, 1, Qt::magenta);
    }
};

class RecordingForm : public SkinnedForm {
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        SkinnedForm::closeEvent(event);
    }
};

QRect geometryOf(const QWidget& form, const char* name) {
    return form.findChild<QWidget*>(name)->geometry();
}

} // namespace

class FormSkinTest : public QObject {
    Q_OBJECT
private slots:
    void roundedShapeWithCornerEllipses() {
        const QRegion region = roundFormRegion({552, 172});
        QCOMPARE(region.boundingRect(), QRect(0, 0, 552, 172));
        for (QPoint out : {QPoint(0, 0), QPoint(2, 2), QPoint(551, 0), QPoint(0, 171), QPoint(551, 171),
                           QPoint(549, 169), QPoint(8, 0)})
            QVERIFY2(!region.contains(out), qPrintable(QString("%1,%2").arg(out.x()).arg(out.y())));
        for (QPoint in : {QPoint(4, 4), QPoint(12, 0), QPoint(0, 12), QPoint(539, 0), QPoint(551, 159),
                          QPoint(276, 86), QPoint(12, 171)})
            QVERIFY2(region.contains(in), qPrintable(QString("%1,%2").arg(in.x()).arg(in.y())));
        for (int y = 0; y < 172; ++y)
            for (int x = 0; x < 24; ++x) {
                const bool here = region.contains(QPoint(x, y));
                QCOMPARE(region.contains(QPoint(551 - x, y)), here);
                QCOMPARE(region.contains(QPoint(x, 171 - y)), here);
            }
    }

    void layoutPlacesTheNamedPartsAndShapesTheWindow() {
        SkinnedForm form;
        form.setTitle("Alarm Message");
        form.resize(552, 172);
        form.show();
        QCOMPARE(form.windowTitle(), QString("Alarm Message"));
        QCOMPARE(geometryOf(form, "lblTitle").topLeft(), QPoint(16, 7));
        QCOMPARE(geometryOf(form, "imgTitleClose"), QRect(530, 8, 13, 13));
        QCOMPARE(geometryOf(form, "imgTitleMinimize"), QRect(513, 8, 13, 13));
        QCOMPARE(geometryOf(form, "imgTitleLeft"), QRect(0, 0, 19, 30));
        QCOMPARE(geometryOf(form, "imgTitleMain"), QRect(19, 0, 514, 30));
        QCOMPARE(geometryOf(form, "imgTitleRight"), QRect(533, 0, 19, 30));
        QCOMPARE(geometryOf(form, "imgWindowBottom"), QRect(17, 142, 516, 28));
        QCOMPARE(geometryOf(form, "imgWindowBottomLeft"), QRect(0, 142, 17, 27));
        QCOMPARE(geometryOf(form, "imgWindowBottomRight"), QRect(533, 142, 18, 28));
        QCOMPARE(form.mask(), roundFormRegion({552, 172}));

        form.resize(300, 200);
        QCOMPARE(geometryOf(form, "imgTitleClose"), QRect(278, 8, 13, 13));
        QCOMPARE(form.mask().boundingRect(), QRect(0, 0, 300, 200));
    }

    void layoutStopsAtAMissingPart() {
        QWidget form;
        form.resize(200, 100);
        auto* title = new QLabel("Partial", &form);
        title->setObjectName("lblTitle");
        auto* left = new QLabel(&form);
        left->setObjectName("imgTitleLeft");
        LayoutFormSkin(&form);
        QCOMPARE(form.windowTitle(), QString("Partial"));
        QCOMPARE(title->pos(), QPoint(16, 7));
        QCOMPARE(left->pos(), QPoint(0, 0));
        QVERIFY(form.mask().isEmpty());
    }

    void topMostOnlyForMinusOne() {
        QWidget form;
        SetTopMost(&form, -1);
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        SetTopMost(&form, 1);
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        SetTopMost(&form, -1);
        SetTopMost(&form, 0);
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        form.show();
        SetTopMost(&form, -1);
        QVERIFY(form.isVisible());
    }

    void regionFromPictureOnAPaintedWindow() {
        MagentaCorner form;
        RegionFromPicture(&form, 255 + 255 * 65536);
        const QRegion mask = form.mask();
        QCOMPARE(mask.boundingRect(), QRect(0, 0, 80, 40));
        QVERIFY(!mask.contains(QPoint(0, 0)));
        QVERIFY(!mask.contains(QPoint(3, 1)));
        QVERIFY(!mask.contains(QPoint(1, 3)));
        QVERIFY(mask.contains(QPoint(2, 3)));
        QVERIFY(!mask.contains(QPoint(79, 5)));
        QVERIFY(mask.contains(QPoint(0, 6)));
        QVERIFY(mask.contains(QPoint(2, 8)));
        QCOMPARE(mask,
                 QRegion(0, 0, 80, 40) - QRegion(0, 0, 4, 2) - QRegion(0, 2, 2, 2) - QRegion(79, 5, 1, 1));
    }

    void titlePressesOfAnyButtonAndTitleButtons() {
        SkinnedForm form;
        form.setTitle("Brightlock");
        QSignalSpy press(&form, &SkinnedForm::TitleMouseDown);
        QSignalSpy close(&form, &SkinnedForm::TitleCloseClick);
        QSignalSpy minimize(&form, &SkinnedForm::TitleMinimizeClick);
        QTest::mousePress(form.lblTitle(), Qt::RightButton, Qt::NoModifier, {3, 3});
        QTest::mousePress(form.skinImage("imgTitleMain"), Qt::LeftButton, Qt::NoModifier, {3, 3});
        QTest::mousePress(form.skinImage("imgTitleLeft"), Qt::MiddleButton, Qt::NoModifier, {3, 3});
        QTest::mousePress(form.skinImage("imgTitleRight"), Qt::LeftButton, Qt::NoModifier, {3, 3});
        QCOMPARE(press.count(), 4);
        QCOMPARE(press.at(0).at(0).toInt(), 2);
        QCOMPARE(press.at(1).at(0).toInt(), 1);
        QCOMPARE(press.at(2).at(0).toInt(), 4);

        QTest::mouseClick(form.skinImage("imgTitleClose"), Qt::LeftButton);
        QTest::mouseClick(form.skinImage("imgTitleMinimize"), Qt::LeftButton);
        QTest::mouseClick(form.skinImage("imgTitleMinimize"), Qt::RightButton);
        QCOMPARE(close.count(), 1);
        QCOMPARE(minimize.count(), 1);
        QVERIFY(form.skinImage("imgTitleHelp")->isHidden());
    }

    // Only a left-button press starts the window manager's move (which ends on the left
    // button's release); offscreen the move cannot start and says so.
    void mainTitleBarDragsWithTheLeftButtonOnly() {
        QLoggingCategory::setFilterRules("brightlock.forms.warning=true");
        RecordingForm form;
        form.useMainTitleBar();
        form.show();
        const QRegularExpression moveTried("window move not started");
        QTest::failOnWarning(moveTried);
        QTest::mousePress(form.lblTitle(), Qt::RightButton, Qt::NoModifier, {3, 3});
        QTest::mousePress(form.skinImage("imgTitleMain"), Qt::MiddleButton, Qt::NoModifier, {3, 3});
        QTest::ignoreMessage(QtWarningMsg, moveTried);
        QTest::mousePress(form.skinImage("imgTitleMain"), Qt::LeftButton, Qt::NoModifier, {3, 3});
        QLoggingCategory::setFilterRules(QString());
    }

    void mainTitleBarHidesAndCloses() {
        RecordingForm form;
        form.useMainTitleBar();
        form.show();
        QTest::mouseClick(form.skinImage("imgTitleMinimize"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.closeEvents, 0);
        form.show();
        QTest::mouseClick(form.skinImage("imgTitleClose"), Qt::LeftButton);
        QCOMPARE(form.closeEvents, 1);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(FormSkinTest)
#include "form_skin_test.moc"
