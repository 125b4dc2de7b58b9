// The skinned check box and radio button on real widgets: glyph cells by value and look,
// the click order and value rules, clearing a container's radio buttons, colours, layout
// and the hover timer that runs from the start.
#include "controls/pointer_moves.h"
#include "xpcheckbox.h"
#include "xpradiobutton.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace brightlock;
using pointer::drag;
using pointer::hover;

namespace {

const QPoint kFarAway(-5000, -5000);

QColor captionColour(const QWidget& control) {
    return control.findChild<QLabel*>("lbl")->palette().color(QPalette::Active, QPalette::WindowText);
}

} // namespace

class GlyphControlsTest : public QObject {
    Q_OBJECT
private slots:
    void checkBoxGlyphForEachValueAndLook() {
        xpcheckbox box("Write log");
        box.resize(150, 17);
        for (int value = 0; value < 3; ++value) {
            box.setValue(value);
            QCOMPARE(box.currentGlyph(), 4 * value);
            hover(&box, {5, 5});
            QCOMPARE(box.currentGlyph(), 4 * value + 1);
            drag(&box, {6, 5});
            QCOMPARE(box.currentGlyph(), 4 * value + 2);
            box.hoverTick(kFarAway);
            QCOMPARE(box.currentGlyph(), 4 * value);
            QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, {5, 5});
            QCOMPARE(box.currentGlyph(), 4 * value + 2);
            QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, {500, 5});
            box.setEnabled(false);
            QCOMPARE(box.currentGlyph(), 4 * value + 3);
            box.setEnabled(true);
        }
        box.setValue(1);
        for (int outside : {3, -1}) { // kept, with the glyph of the value before
            box.setValue(outside);
            QCOMPARE(box.currentGlyph(), 4);
            QCOMPARE(box.Value(), outside);
        }
    }

    // A click turns 0 to 1, 1 and 2 to 0, and leaves any other value.
    void checkBoxClickIsRaisedBeforeTheValueChanges() {
        xpcheckbox box;
        QList<int> seen;
        connect(&box, &xpcheckbox::Click, this, [&] { seen << box.Value(); });
        const int starts[] = {0, 1, 2, 3, -1};
        const int ends[] = {1, 0, 0, 3, -1};
        for (int i = 0; i < 5; ++i) {
            box.setValue(starts[i]);
            QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, {5, 5});
            QCOMPARE(box.Value(), ends[i]);
        }
        QCOMPARE(seen, (QList<int>{0, 1, 2, 3, -1}));
    }

    void checkBoxClicksByMouseButNotBySpace() {
        xpcheckbox box("Shutdown");
        box.resize(150, 17);
        QSignalSpy click(&box, &xpcheckbox::Click);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, {60, 8});
        QCOMPARE(box.Value(), 1);
        QCOMPARE(box.currentGlyph(), 4);
        QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, {5, 5});
        QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, {500, 5});
        QCOMPARE(box.Value(), 1);
        QTest::mouseClick(box.findChild<QLabel*>("p"), Qt::LeftButton);
        QCOMPARE(box.Value(), 0);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.Value(), 0);
        QCOMPARE(click.count(), 2);
    }

    // The glyph changes before MouseDown and MouseOut are raised; the access key focuses
    // the control and clicks it.
    void glyphChangesBeforeTheEventsAndTheAccessKeyClicks() {
        QWidget window;
        auto* other = new xpcheckbox("Other", &window);
        auto* box = new xpcheckbox("&Log", &window);
        box->resize(150, 17);
        QList<int> seen;
        connect(box, &xpcheckbox::MouseDown, this, [&] { seen << box->currentGlyph(); });
        connect(box, &xpcheckbox::MouseOut, this, [&] { seen << box->currentGlyph(); });
        QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, {5, 5});
        box->hoverTick(kFarAway);
        QCOMPARE(seen, (QList<int>{2, 0}));
        QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, {500, 5});

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTest::keyClick(&window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(box->Value(), 1);
        QVERIFY(box->hasFocus());
    }

    void radioClickClearsTheWholeContainer() {
        QWidget container;
        auto* a1 = new xpradiobutton("A1", &container);
        auto* a2 = new xpradiobutton("A2", &container);
        auto* b1 = new xpradiobutton("B1", &container);
        auto* b2 = new xpradiobutton("B2", &container);
        QWidget frame(&container);
        auto* nested = new xpradiobutton("nested", &frame);
        a1->setValue(true);
        b2->setValue(true);
        nested->setValue(true);

        bool valueSeen = true;
        connect(a2, &xpradiobutton::Click, this, [&] { valueSeen = a2->Value(); });
        a2->clickControl();
        QVERIFY(!valueSeen);
        QVERIFY(!a1->Value());
        QVERIFY(a2->Value());
        QVERIFY(!b1->Value());
        QVERIFY(!b2->Value());
        QVERIFY(nested->Value());
        QCOMPARE(a2->currentGlyph(), 4);
        QCOMPARE(b2->currentGlyph(), 0);
    }

    void radioAlreadyOnIsClickedAnyway() {
        QWidget container;
        auto* on = new xpradiobutton(&container);
        auto* other = new xpradiobutton(&container);
        on->setValue(true);
        other->setValue(true); // from code: no exclusivity
        QVERIFY(on->Value());
        QSignalSpy click(on, &xpradiobutton::Click);
        QTest::mouseClick(on, Qt::LeftButton, Qt::NoModifier, {5, 5});
        QCOMPARE(click.count(), 1);
        QVERIFY(on->Value());
        QVERIFY(!other->Value());
    }

    void radioGlyphs() {
        xpradiobutton radio("Record");
        radio.resize(150, 17);
        QCOMPARE(radio.currentGlyph(), 0);
        hover(&radio, {5, 5});
        QCOMPARE(radio.currentGlyph(), 1);
        radio.setValue(true);
        QCOMPARE(radio.currentGlyph(), 4);
        drag(&radio, {5, 6});
        QCOMPARE(radio.currentGlyph(), 6);
        radio.setEnabled(false);
        QCOMPARE(radio.currentGlyph(), 7);
        radio.setValue(false);
        QCOMPARE(radio.currentGlyph(), 3);
        QVERIFY(!radio.findChild<QLabel*>("p")->pixmap().isNull());
    }

    void coloursOfBackgroundAndCaption() {
        xpcheckbox box("Colours");
        box.resize(150, 20);
        QCOMPARE(box.BackColor(), 0x8000000Fu);
        QCOMPARE(box.grab().toImage().pixelColor(149, 0), QColor(207, 207, 207));
        box.setBackColor(0xFF0000);
        QCOMPARE(box.grab().toImage().pixelColor(149, 0), QColor(0, 0, 255));

        QCOMPARE(captionColour(box), QColor(Qt::black));
        box.setForeColor(0x0000C0);
        QCOMPARE(captionColour(box), QColor(192, 0, 0));
        box.setEnabled(false);
        QCOMPARE(captionColour(box), QColor(161, 161, 146));
        box.setForeColor(0x00C000);
        QCOMPARE(captionColour(box), QColor(161, 161, 146));
        box.setEnabled(true);
        QCOMPARE(captionColour(box), QColor(0, 192, 0));
    }

    void glyphLeftCaptionAt32() {
        xpradiobutton radio("Save the applications");
        radio.resize(200, 24);
        radio.show();
        const QRect glyph = radio.findChild<QLabel*>("p")->geometry();
        const QRect caption = radio.findChild<QLabel*>("lbl")->geometry();
        QCOMPARE(glyph, QRect(0, 4, 16, 16));
        QCOMPARE(caption.x(), 32);
        QCOMPARE(caption.y(), (24 - caption.height()) / 2);
    }

    void hoverTimerRunsFromTheStart() {
        xpcheckbox box;
        box.resize(150, 17);
        QVERIFY(box.isHoverTimerActive());
        QSignalSpy out(&box, &xpcheckbox::MouseOut);
        box.hoverTick(kFarAway);
        QCOMPARE(out.count(), 1);
        QVERIFY(!box.isHoverTimerActive());
        hover(&box, {5, 5});
        QVERIFY(box.isHoverTimerActive());
    }
};

QTEST_MAIN(GlyphControlsTest)
#include "glyph_controls_test.moc"
