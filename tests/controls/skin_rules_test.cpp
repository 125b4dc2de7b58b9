// Nine-piece geometry, caption places, colours and event arguments of the skinned controls,
// without widgets; and the compiled-in pictures behind the resource paths.
#include "mnemonic.h"
#include "nine_piece_paint.h"
#include "ole_color.h"
#include "resource_paths.h"
#include "skin_rules.h"
#include "vb_input.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QtTest>

using namespace brightlock;
using namespace brightlock::skin;

namespace {

// A strip whose cell 1 has a distinct colour per piece, to see which piece lands where.
QImage pieceColouredStrip() {
    QImage strip(90, 21, QImage::Format_ARGB32);
    strip.fill(Qt::black);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x) {
            const int col = x < 3 ? 0 : x < 15 ? 1 : 2;
            const int row = y < 3 ? 0 : y < 18 ? 1 : 2;
            strip.setPixelColor(18 + x, y, QColor(40 + 60 * col, 40 + 60 * row, 200));
        }
    return strip;
}

QColor pieceColour(int col, int row) {
    return QColor(40 + 60 * col, 40 + 60 * row, 200);
}

QImage paintCell(QSize size) {
    QImage out(size, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    paintNinePieces(painter, QPixmap::fromImage(pieceColouredStrip()), QRect(18, 0, 18, 21), size);
    return out;
}

} // namespace

class SkinRulesTest : public QObject {
    Q_OBJECT
private slots:
    // Each piece lands in its place: the 3 px borders unscaled and exact to the pixel, the
    // middles stretched from the cell's middles alone.
    void paintedPiecesLandInTheirPlaces() {
        const QImage big = paintCell({40, 30});
        const auto piece = [](int at, int size) { return at < 3 ? 0 : at < size - 3 ? 1 : 2; };
        for (int y : {0, 2, 3, 15, 26, 27, 29})
            for (int x : {0, 2, 3, 20, 36, 37, 39})
                QCOMPARE(big.pixelColor(x, y), pieceColour(piece(x, 40), piece(y, 30)));
    }

    // A control 6 px wide or high or less is all borders: no piece without area, every pixel
    // painted, none from a stretched column or row.
    void narrowControlsPaintNothingStretched() {
        for (QSize size : {QSize(6, 30), QSize(5, 30), QSize(3, 30), QSize(73, 6), QSize(6, 6)}) {
            for (const NinePiece& piece : ninePieces(size))
                QVERIFY(!piece.target.isEmpty());
            const QImage out = paintCell(size);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const QColor colour = out.pixelColor(x, y);
                    QVERIFY(colour.alpha() == 255);
                    if (size.width() <= 6)
                        QVERIFY2(colour.red() != 100, "a stretched column was painted");
                    if (size.height() <= 6)
                        QVERIFY2(colour.green() != 100, "a stretched row was painted");
                }
        }
    }

    void glyphAndCaptionPlaces() {
        const GlyphLayout small = glyphLayout({120, 17}, {50, 13});
        QCOMPARE(small.glyph, QRect(0, 0, 16, 16));
        QCOMPARE(small.caption, QPoint(32, 2));
        const GlyphLayout tall = glyphLayout({120, 31}, {50, 14});
        QCOMPARE(tall.glyph, QRect(0, 7, 16, 16));
        QCOMPARE(tall.caption, QPoint(32, 8));
        QCOMPARE(centredCaption({73, 25}, {41, 15}), QPoint(16, 5));
    }

    void colourValues() {
        QCOMPARE(fromOleColor(161 + 256 * 161 + 65536 * 146), QColor(161, 161, 146));
        QCOMPARE(fromOleColor(0xFF), QColor(255, 0, 0));
        QCOMPARE(fromOleColor(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(fromOleColor(kSystemButtonFace), QColor(207, 207, 207));
    }

    // The arguments the controls raise in their own tests (left, right and middle buttons,
    // left and right held, Shift, A, Space, Return) are checked there; these are the rest.
    void eventArguments() {
        QCOMPARE(shiftMask(Qt::ShiftModifier | Qt::AltModifier), 5);
        QCOMPARE(shiftMask(Qt::ControlModifier), 2);
        QCOMPARE(virtualKeyCode(Qt::Key_7), 55);
        QCOMPARE(virtualKeyCode(Qt::Key_F1), 112);
        QCOMPARE(virtualKeyCode(Qt::Key_Down), 40);
        QCOMPARE(virtualKeyCode(Qt::Key_MediaPlay), 0);
    }

    void accessKeyMarkers() {
        QCOMPARE(captionWithoutMnemonic("&Apply"), QString("Apply"));
        QCOMPARE(captionWithoutMnemonic("Save && Close"), QString("Save & Close"));
        QCOMPARE(captionWithoutMnemonic("Help"), QString("Help"));
        QCOMPARE(captionWithoutMnemonic("end&"), QString("end"));
    }

    void everyResourcePathNamesACompiledInPicture() {
        std::vector<const char*> paths{
            res::kIconMain,       res::kIconOnBattery,     res::kIconLowBattery,
            res::kIconAlarm,      res::kIconAlarm48,       res::kSplash,
            res::kSkinButton,     res::kSkinCheckBox,      res::kSkinProgress,
            res::kSkinTitleLeft,  res::kSkinTitleMain,     res::kSkinTitleRight,
            res::kSkinTitleClose, res::kSkinTitleMinimize, res::kSkinTitleHelp,
            res::kSkinBottomLeft, res::kSkinBottom,        res::kSkinBottomRight,
            res::kStatusBase,     res::kStatusAcStill,     res::kStatusAcFlow,
            res::kStatusDc1,      res::kStatusDc2,         res::kStatusBl1,
            res::kStatusBl2,
        };
        paths.insert(paths.end(), std::begin(res::kSkinRadio), std::end(res::kSkinRadio));
        paths.insert(paths.end(), std::begin(res::kStatusFlow), std::end(res::kStatusFlow));
        for (const char* path : paths)
            QVERIFY2(!QImage(path).isNull(), path);
    }
};

QTEST_MAIN(SkinRulesTest)
#include "skin_rules_test.moc"
