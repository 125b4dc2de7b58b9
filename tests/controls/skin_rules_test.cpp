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
    void ninePiecesOfAnOrdinaryButton() {
        const std::vector<NinePiece> pieces = ninePieces({73, 25});
        QCOMPARE(pieces.size(), size_t(9));
        const QRect targets[] = {{0, 0, 3, 3},   {3, 0, 67, 3}, {70, 0, 3, 3},  {0, 3, 3, 19}, {3, 3, 67, 19},
                                 {70, 3, 3, 19}, {0, 22, 3, 3}, {3, 22, 67, 3}, {70, 22, 3, 3}};
        const QRect sources[] = {{0, 0, 3, 3},   {3, 0, 12, 3}, {15, 0, 3, 3},  {0, 3, 3, 15}, {3, 3, 12, 15},
                                 {15, 3, 3, 15}, {0, 18, 3, 3}, {3, 18, 12, 3}, {15, 18, 3, 3}};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pieces[i].target, targets[i]);
            QCOMPARE(pieces[i].source, sources[i]);
        }
    }

    void narrowControlsPaintNothingStretchedAcross() {
        for (int w : {6, 5, 3}) {
            const std::vector<NinePiece> pieces = ninePieces({w, 21});
            QCOMPARE(pieces.size(), size_t(6));
            for (const NinePiece& piece : pieces)
                QCOMPARE(piece.target.width(), 3);
        }
        QCOMPARE(ninePieces({6, 6}).size(), size_t(4));
        QCOMPARE(ninePieces({73, 6}).size(), size_t(6));
    }

    void paintedPiecesLandInTheirPlaces() {
        const QImage big = paintCell({40, 30});
        QCOMPARE(big.pixelColor(1, 1), pieceColour(0, 0));
        QCOMPARE(big.pixelColor(20, 1), pieceColour(1, 0));
        QCOMPARE(big.pixelColor(38, 1), pieceColour(2, 0));
        QCOMPARE(big.pixelColor(1, 15), pieceColour(0, 1));
        QCOMPARE(big.pixelColor(20, 15), pieceColour(1, 1));
        QCOMPARE(big.pixelColor(38, 15), pieceColour(2, 1));
        QCOMPARE(big.pixelColor(1, 28), pieceColour(0, 2));
        QCOMPARE(big.pixelColor(20, 28), pieceColour(1, 2));
        QCOMPARE(big.pixelColor(38, 28), pieceColour(2, 2));

        const QImage narrow = paintCell({6, 30});
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 6; ++x)
                QVERIFY2(narrow.pixelColor(x, y).red() != 100, "a stretched column was painted");
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

    void eventArguments() {
        QCOMPARE(buttonMask(Qt::LeftButton), 1);
        QCOMPARE(buttonMask(Qt::RightButton), 2);
        QCOMPARE(buttonMask(Qt::MiddleButton), 4);
        QCOMPARE(buttonMask(Qt::LeftButton | Qt::RightButton), 3);
        QCOMPARE(shiftMask(Qt::ShiftModifier | Qt::AltModifier), 5);
        QCOMPARE(shiftMask(Qt::ControlModifier), 2);
        QCOMPARE(virtualKeyCode(Qt::Key_A), 65);
        QCOMPARE(virtualKeyCode(Qt::Key_7), 55);
        QCOMPARE(virtualKeyCode(Qt::Key_Return), 13);
        QCOMPARE(virtualKeyCode(Qt::Key_Space), 32);
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
