// Paints the skin pictures of assets/skin/: the command-button strip, the check-box and
// radio glyphs, the title-bar and bottom-border pieces, the alarm progress-bar skin and the
// window frame's pictures in their active and inactive looks.
// Usage: skin_art <assets folder>. Everything is drawn pixel by pixel from palette.h so
// the pictures stay crisp at 100 % and come out identical at every run.
#include "palette.h"
#include "resource_paths.h"
#include "status_paint.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace palette = brightlock::palette;
namespace res = brightlock::res;

namespace {

const QColor kClear(0, 0, 0, 0);
const QColor kWhite(255, 255, 255);

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()),
                  ch(a.alpha(), b.alpha()));
}

struct Stop {
    double at;
    QColor colour;
};

// Colour at position t of a piecewise linear ramp.
QColor ramp(const std::vector<Stop>& stops, double t) {
    if (t <= stops.front().at)
        return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double span = stops[i].at - stops[i - 1].at;
            return mix(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / span);
        }
    }
    return stops.back().colour;
}

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(kClear);
    return img;
}

void put(QImage& img, int x, int y, const QColor& c) {
    if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
        img.setPixelColor(x, y, c);
}

// Stamps a character pattern ('#' = colour) with its top-left corner at (x0, y0).
void stamp(QImage& img, int x0, int y0, const std::vector<const char*>& rows, const QColor& c) {
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; rows[y][x]; ++x)
            if (rows[y][x] == '#')
                put(img, x0 + x, y0 + y, c);
}

// Writes the picture of resource `resource` into the assets folder `folder`.
bool save(const QImage& img, const QString& folder, const char* resource) {
    return art::savePng(img, folder, res::assetFile(resource));
}

// ---- Command button: five 18 x 21 cells (normal, pressed, disabled, hover, latched) ----

struct ButtonLook {
    QColor border;
    std::vector<Stop> face;     // top to bottom of the inner face
    QColor ringTop, ringBottom; // inner two-pixel ring; invalid colour for none
};

void paintButtonCell(QImage& img, int x0, const ButtonLook& look) {
    const int w = 18, h = 21;
    for (int y = 1; y < h - 1; ++y) {
        const QColor c = ramp(look.face, double(y - 1) / (h - 3));
        for (int x = 1; x < w - 1; ++x)
            put(img, x0 + x, y, c);
    }
    if (look.ringTop.isValid()) {
        for (int y = 1; y < h - 1; ++y) {
            const QColor c = mix(look.ringTop, look.ringBottom, double(y - 1) / (h - 3));
            for (int x : {1, 2, w - 3, w - 2})
                put(img, x0 + x, y, c);
        }
        for (int x = 3; x < w - 3; ++x) {
            for (int y : {1, 2})
                put(img, x0 + x, y, look.ringTop);
            for (int y : {h - 3, h - 2})
                put(img, x0 + x, y, look.ringBottom);
        }
    }
    // Outline with rounded corners: a two-pixel radius stays inside the 3 x 3 corner pieces.
    for (int x = 2; x < w - 2; ++x) {
        put(img, x0 + x, 0, look.border);
        put(img, x0 + x, h - 1, look.border);
    }
    for (int y = 2; y < h - 2; ++y) {
        put(img, x0, y, look.border);
        put(img, x0 + w - 1, y, look.border);
    }
    const QColor soft = mix(look.border, kClear, 0.55);
    for (auto [cx, cy, dx, dy] : {std::array{0, 0, 1, 1}, std::array{w - 1, 0, -1, 1},
                                  std::array{0, h - 1, 1, -1}, std::array{w - 1, h - 1, -1, -1}}) {
        put(img, x0 + cx, cy, kClear);
        put(img, x0 + cx + dx, cy, soft);
        put(img, x0 + cx, cy + dy, soft);
        put(img, x0 + cx + dx, cy + dy, look.border);
    }
}

QImage buttonStrip() {
    using namespace palette;
    const QColor faceTop(253, 253, 251), faceMid(242, 242, 237), faceLow(226, 226, 218);
    const ButtonLook normal{
        kBlueDeep,
        {{0, kWhite}, {0.1, faceTop}, {0.75, faceMid}, {0.9, faceLow}, {1, QColor(212, 212, 204)}},
        {},
        {}};
    const ButtonLook pressed{kBlueDeep,
                             {{0, QColor(176, 182, 194)},
                              {0.12, QColor(200, 204, 213)},
                              {0.6, QColor(217, 220, 227)},
                              {1, QColor(233, 234, 239)}},
                             {},
                             {}};
    const ButtonLook disabled{
        mix(kFaceShadow, kWhite, 0.3), {{0, QColor(246, 246, 243)}, {1, QColor(240, 240, 236)}}, {}, {}};
    ButtonLook hover = normal;
    hover.ringTop = mix(kBlueLight, kWhite, 0.35);
    hover.ringBottom = kBlueLight;
    const ButtonLook latched{kBlueDark,
                             {{0, QColor(246, 249, 255)},
                              {0.15, mix(kBlueLight, kWhite, 0.78)},
                              {0.8, mix(kBlueLight, kWhite, 0.55)},
                              {1, mix(kBlueLight, kWhite, 0.35)}},
                             {},
                             {}};
    QImage img = blank(90, 21);
    const ButtonLook looks[] = {normal, pressed, disabled, hover, latched};
    for (int cell = 0; cell < 5; ++cell)
        paintButtonCell(img, cell * 18, looks[cell]);
    return img;
}

// ---- Check box and radio glyphs: 13 x 13 marks, four looks each ----

enum Look { Normal, Hover, Pressed, Disabled };

struct GlyphColours {
    QColor border, fillTop, fillBottom, mark, markLight;
    bool ring = false;
};

GlyphColours glyphColours(Look look) {
    using namespace palette;
    switch (look) {
    case Hover:
        return {kBlueDeep, QColor(226, 226, 218), kWhite, kBlueDeep, kBlueDark, true};
    case Pressed:
        return {kBlueDeep, QColor(168, 175, 190), QColor(226, 228, 234), kBlueDeep, kBlueDark, false};
    case Disabled:
        return {mix(kFaceShadow, kWhite, 0.3),
                QColor(244, 244, 241),
                QColor(244, 244, 241),
                kDisabledText,
                kDisabledText,
                false};
    case Normal:
        break;
    }
    return {kBlueDeep, QColor(222, 222, 214), kWhite, kBlueDeep, kBlueDark, false};
}

// Paints one check-box glyph into the 16 x 16 cell whose top edge is y0. The box takes
// pixels 1..13 in both directions, where the radio glyphs sit as well.
void paintCheckCell(QImage& img, int y0, int value, Look look) {
    const GlyphColours g = glyphColours(look);
    const int b0 = 1, b1 = 13;
    for (int y = b0 + 1; y < b1; ++y)
        for (int x = b0 + 1; x < b1; ++x)
            put(img, x, y0 + y, mix(g.fillTop, g.fillBottom, double((x - b0) + (y - b0)) / 20.0));
    if (g.ring) {
        const QColor inner = palette::kBlueLight, outer = mix(palette::kBlueLight, kWhite, 0.4);
        for (int i = b0 + 1; i < b1; ++i)
            for (int j : {b0 + 1, b1 - 1}) {
                put(img, i, y0 + j, outer);
                put(img, j, y0 + i, outer);
            }
        for (int i = b0 + 2; i < b1 - 1; ++i)
            for (int j : {b0 + 2, b1 - 2}) {
                put(img, i, y0 + j, inner);
                put(img, j, y0 + i, inner);
            }
    }
    for (int i = b0; i <= b1; ++i) {
        put(img, i, y0 + b0, g.border);
        put(img, i, y0 + b1, g.border);
        put(img, b0, y0 + i, g.border);
        put(img, b1, y0 + i, g.border);
    }
    if (value == 1) {
        stamp(img, 4, y0 + 4, {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."},
              g.mark);
    } else if (value == 2) {
        for (int y = 5; y <= 9; ++y)
            for (int x = 5; x <= 9; ++x)
                put(img, x, y0 + y, mix(g.markLight, g.mark, (y - 5) / 4.0));
    }
}

QImage checkStrip() {
    QImage img = blank(16, 192);
    for (int value = 0; value < 3; ++value)
        for (int look = 0; look < 4; ++look)
            paintCheckCell(img, (4 * value + look) * 16, value, Look(look));
    return img;
}

// One 13 x 13 radio glyph: a ring with a dot when on.
QImage radioGlyph(bool on, Look look) {
    const GlyphColours g = glyphColours(look);
    QImage img = blank(13, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 13, 13);
    fill.setColorAt(0, g.fillTop);
    fill.setColorAt(1, g.fillBottom);
    p.setPen(QPen(g.border, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
    if (g.ring) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(mix(palette::kBlueLight, kWhite, 0.25), 2));
        p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
    }
    if (on) {
        QLinearGradient dot(0, 4, 0, 9);
        dot.setColorAt(0, g.markLight);
        dot.setColorAt(1, g.mark);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QRectF(4, 4, 5, 5));
    }
    return img;
}

// ---- Title bar: three 19 x 30 pieces and three 13 x 13 buttons ----

QColor titleRow(int y) {
    using namespace palette;
    static const std::vector<Stop> stops{{0, mix(kBlueLight, kWhite, 0.45)},
                                         {0.07, kBlueLight},
                                         {0.45, mix(kBlueLight, kBlueDark, 0.55)},
                                         {0.9, kBlueDark},
                                         {1, mix(kBlueDark, kBlueDeep, 0.7)}};
    return ramp(stops, y / 29.0);
}

// Coverage of pixel (x, y) by a disc of radius r centred at (cx, cy), four samples a side.
double discCoverage(int x, int y, double cx, double cy, double r) {
    int in = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const double px = x + (i + 0.5) / 4, py = y + (j + 0.5) / 4;
            in += (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
        }
    return in / 16.0;
}

// A title piece; `corner` is -1 for the left end, +1 for the right end, 0 for the middle.
// The ends are rounded like the window's 24 x 24 corner ellipses.
QImage titlePiece(int corner) {
    QImage img = blank(19, 30);
    const double r = 12;
    const double cx = corner < 0 ? 12 : 19 - 12;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 19; ++x) {
            QColor c = titleRow(y);
            if (corner != 0 && y < 12 && (corner < 0 ? x < 12 : x >= 7)) {
                const double cov = discCoverage(x, y, cx, 12, r);
                const double rim = cov - discCoverage(x, y, cx, 12, r - 1.2);
                c = mix(c, mix(palette::kBlueLight, kWhite, 0.45), rim * 0.8);
                c.setAlphaF(cov);
            }
            put(img, x, y, c);
        }
    return img;
}

QImage titleButton(const std::vector<const char*>& glyph, int gx, int gy) {
    using namespace palette;
    QImage img = blank(13, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const bool corner = (x == 0 || x == 12) && (y == 0 || y == 12);
            if (corner)
                continue;
            const bool edge = x == 0 || x == 12 || y == 0 || y == 12;
            const QColor face = mix(mix(kBlueLight, kWhite, 0.3), kBlueDark, y / 12.0);
            put(img, x, y, edge ? QColor(255, 255, 255, 215) : face);
        }
    stamp(img, gx, gy, glyph, kWhite);
    return img;
}

// ---- Window frame: title picture, maximised title, side and bottom borders, two looks ----
// The title picture is 27 x 29: 9 px ends and a middle that is stretched. Its top corners
// are rounded with a 9 px radius, the largest whose outside lies in the top six rows; those
// pixels are magenta, the key colour the frame cuts out of the window's shape.

const QColor kKey(255, 0, 255);
constexpr int kFrameTitleWidth = 27, kFrameTitleHeight = 29, kFrameBorder = 5, kFrameRun = 8;

// The inactive look: the same picture, paler and greyer, as a window in the background.
QColor inactiveTone(const QColor& c) {
    if (c == kKey)
        return c;
    return mix(c, QColor(200, 208, 228), 0.6);
}

QColor frameOutline(const QColor& c) {
    return mix(c, palette::kBlueDeep, 0.82);
}

// The border's colours from the outer edge inwards, shaded like the title's lower half.
std::array<QColor, kFrameBorder> borderRun() {
    return {frameOutline(titleRow(22)), titleRow(22), titleRow(17), titleRow(22), titleRow(26)};
}

QImage frameTitle(bool rounded, QColor (*tone)(const QColor&)) {
    const int w = kFrameTitleWidth, h = kFrameTitleHeight;
    const double r = 9;
    // Whether (x, y) is part of the window: outside the curves of the rounded corners.
    auto inside = [&](int x, int y) {
        if (!rounded || y >= int(r))
            return true;
        if (x < r)
            return discCoverage(x, y, r, r, r) >= 0.5;
        if (x >= w - r)
            return discCoverage(x, y, w - r, r, r) >= 0.5;
        return true;
    };
    auto cut = [&](int x, int y) { return x >= 0 && x < w && y >= 0 && !inside(x, y); };
    // The window edge: the top row, the outer columns of a rounded title and the corners' curve.
    auto curve = [&](int x, int y) {
        return inside(x, y) && (y == 0 || cut(x - 1, y) || cut(x + 1, y) || cut(x, y - 1));
    };
    auto edge = [&](int x, int y) {
        return curve(x, y) || (inside(x, y) && rounded && (x == 0 || x == w - 1));
    };
    QImage img = blank(w, h);
    const QColor highlight = mix(palette::kBlueLight, kWhite, 0.45);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            QColor c = kKey;
            if (edge(x, y))
                c = frameOutline(titleRow(y));
            else if (inside(x, y))
                c = curve(x - 1, y) || curve(x + 1, y) || curve(x, y - 1) ? highlight : titleRow(y);
            put(img, x, y, tone(c));
        }
    return img;
}

// A side border, `outerLeft` for the left one; stretched up and down the window.
QImage frameSide(bool outerLeft, QColor (*tone)(const QColor&)) {
    QImage img = blank(kFrameBorder, kFrameRun);
    const auto run = borderRun();
    for (int i = 0; i < kFrameBorder; ++i)
        for (int y = 0; y < kFrameRun; ++y)
            put(img, outerLeft ? i : kFrameBorder - 1 - i, y, tone(run[i]));
    return img;
}

QImage frameBottom(QColor (*tone)(const QColor&)) {
    QImage img = blank(kFrameRun, kFrameBorder);
    const auto run = borderRun();
    for (int i = 0; i < kFrameBorder; ++i)
        for (int x = 0; x < kFrameRun; ++x)
            put(img, x, kFrameBorder - 1 - i, tone(run[i]));
    return img;
}

QColor activeTone(const QColor& c) {
    return c;
}

bool saveFrameSet(const QString& dir, const res::FrameSet& set, QColor (*tone)(const QColor&)) {
    return save(frameTitle(true, tone), dir, set.top) && save(frameTitle(false, tone), dir, set.topMax) &&
           save(frameSide(true, tone), dir, set.left) && save(frameSide(false, tone), dir, set.right) &&
           save(frameBottom(tone), dir, set.bottom);
}

// ---- Bottom border: 17 x 27, 17 x 28 and 18 x 28 pieces of a footer band ----
// The band lies 2 or 3 rows above the window's bottom edge, over whatever the window paints
// there, so it is a translucent sheen that fades out towards that edge.

QColor footerRow(int y) {
    using namespace palette;
    if (y == 0)
        return QColor(kBlueDeep.red(), kBlueDeep.green(), kBlueDeep.blue(), 110);
    if (y == 1)
        return QColor(255, 255, 255, 170);
    return QColor(255, 255, 255, int(std::lround(120.0 * (27 - y) / 25.0)));
}

QImage footerPiece(int w, int h) {
    QImage img = blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            put(img, x, y, footerRow(y));
    return img;
}

// ---- Alarm progress bar: a 19-column trough and one green chunk ----

QImage progressSkin() {
    using namespace palette;
    QImage img = blank(36, 19);
    const QColor frame = mix(kFaceShadow, kBlueDeep, 0.2);
    const QColor softFrame = mix(frame, kClear, 0.5);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x) {
            QColor c = kWhite;
            if (y == 1 || x == 1)
                c = QColor(226, 226, 222);
            else if (y == 2)
                c = QColor(242, 242, 239);
            if (x == 0 || x == 18 || y == 0 || y == 18)
                c = frame;
            put(img, x, y, c);
        }
    // Rounded ends: a two-pixel radius, inside the 4-pixel left and 5-pixel right caps.
    for (auto [cx, cy, dx, dy] : {std::array{0, 0, 1, 1}, std::array{18, 0, -1, 1}, std::array{0, 18, 1, -1},
                                  std::array{18, 18, -1, -1}}) {
        put(img, cx, cy, kClear);
        put(img, cx + dx, cy, softFrame);
        put(img, cx, cy + dy, softFrame);
        put(img, cx + dx, cy + dy, frame);
    }
    for (int y = 5; y <= 16; ++y) {
        const double t = std::abs(y - 10.5) / 5.5;
        const QColor c = mix(kChunkDark, kChunkLight, t * t * 0.6 + t * 0.4);
        for (int x = 23; x <= 30; ++x)
            put(img, x, y, c);
    }
    return img;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_art <assets folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir + "/skin")) {
        std::fprintf(stderr, "cannot create %s/skin\n", qPrintable(dir));
        return 1;
    }
    bool ok = save(buttonStrip(), dir, res::kSkinButton) && save(checkStrip(), dir, res::kSkinCheckBox);
    for (int k = 0; k < 8 && ok; ++k)
        ok = save(radioGlyph(k >= 4, Look(k % 4)), dir, res::kSkinRadio[k]);
    ok = ok && save(titlePiece(-1), dir, res::kSkinTitleLeft) &&
         save(titlePiece(0), dir, res::kSkinTitleMain) && save(titlePiece(1), dir, res::kSkinTitleRight);
    ok = ok && save(titleButton({"#######", "#######"}, 3, 8), dir, res::kSkinTitleMinimize);
    ok = ok && save(titleButton({"##...##", "###.###", ".#####.", "..###..", ".#####.", "###.###", "##...##"},
                                3, 3),
                    dir, res::kSkinTitleClose);
    ok = ok && save(titleButton({".###.", "##.##", "...##", "..##.", "..#..", ".....", "..#.."}, 4, 3), dir,
                    res::kSkinTitleHelp);
    ok = ok && save(footerPiece(17, 27), dir, res::kSkinBottomLeft) &&
         save(footerPiece(17, 28), dir, res::kSkinBottom) &&
         save(footerPiece(18, 28), dir, res::kSkinBottomRight);
    ok = ok && save(progressSkin(), dir, res::kSkinProgress);
    ok = ok && saveFrameSet(dir, res::kFrameActive, activeTone) &&
         saveFrameSet(dir, res::kFrameInactive, inactiveTone);
    return ok ? 0 : 1;
}
