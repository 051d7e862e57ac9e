// Stone centring: candidate circles around the point.
#include "common/BoardDrawing.h"
#include "common/TestPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"
#include "prepare/WindowFeatures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace quon;
using namespace quon::test;

namespace {

class Centring : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        startWindowRun();
        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    }

    BC& point(int32_t c, int32_t r, int16_t typ, IntSize size = {44, 46})
    {
        BC& p = Reco.GridPoints[c][r];
        p = BC{};
        p.Coord = IntPoint{pointX(style, c), pointY(style, r)};
        p.Size = size;
        p.Typ = typ;
        return p;
    }

    BoardStyle style;
    RecordingHost host;
    PrepareEngine engine{host};
};

// The search of one call scored pixel by pixel, as it is defined: the best
// score (ties keep the first) and its candidate, without early stop.
struct Best {
    int32_t score = 0, c2x = 0, c2y = 0, w = 0, h = 0;
};

Best plainSearch(int32_t W, int32_t H, int colour, int32_t sw, int32_t sh, int32_t nx, int32_t ny, int32_t mx,
                 int32_t my)
{
    auto seq = [](int32_t k) { return ((k % 2) * 2 - 1) * k / 2; };
    auto cut = [&](int32_t i, int32_t j) {
        const int32_t x = i + 10, y = j + 10;
        return x >= 1 && x <= W + 20 && y >= 1 && y <= H + 20 ? Win.CutWindow[x][y] : 0;
    };
    const int32_t lo = colour == 1 ? 91 : 98, weight = colour == 1 ? 10 : 7;
    Best best{0, W, H, W, H};
    for (int32_t ky = 1; ky <= ny; ++ky)
        for (int32_t kx = 1; kx <= nx; ++kx)
            for (int32_t l = 1; l <= mx; ++l)
                for (int32_t q = 1; q <= my; ++q) {
                    const int32_t w = sw + l - 1, h = sh + q - 1;
                    const int32_t c2x = w + seq(kx), c2y = h + seq(ky);
                    long rimN = 0, rimInk = 0, outN = 0, outBg = 0;
                    for (int32_t i = (c2x - w) / 2 - 1; i <= (c2x + w) / 2 + 1; ++i)
                        for (int32_t j = (c2y - h) / 2 - 1; j <= (c2y + h) / 2 + 1; ++j) {
                            const int32_t r = ((2 * i - c2x) * (2 * i - c2x) * 100) / (w * w) +
                                              ((2 * j - c2y) * (2 * j - c2y) * 100) / (h * h);
                            if (r > lo && r < 102) {
                                ++rimN;
                                rimInk += cut(i, j);
                            } else if (r > 104) {
                                ++outN;
                                outBg += 1 - cut(i, j);
                            }
                        }
                    const long num = rimInk * weight + outBg;
                    const int32_t d = num > 0 ? static_cast<int32_t>(num * 100 / (rimN * weight + outN)) : 0;
                    if (d > best.score)
                        best = Best{d, c2x, c2y, w, h};
                }
    return best;
}

} // namespace

TEST_F(Centring, FindsADiscPlacedOffCentre)
{
    // The stones are 43 x 45 pixels (a 96 percent disc of a 44 x 46 cell).
    struct Case {
        int colour;
        int32_t dx, dy;
        bool number;
    };
    const Case cases[] = {{1, 2, -2, false}, {1, -2, 1, true}, {2, 1, 1, false},
                          {2, -2, -2, true}, {1, 0, 0, true},  {2, 0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour " << c.colour << " moved " << c.dx << "," << c.dy);
        MonoPage page = drawBoard(style);
        drawStone(page, style, 7, 7, c.colour, c.number, c.dx, c.dy);
        installPage(page);
        Reco.StoneSizes[1] = StoneSize{4300, 4500};
        Reco.StoneSizes[2] = StoneSize{4300, 4500};
        engine.resetCentringHistory();
        const int16_t typ = c.colour == 1 ? TypBlackNumbered : TypWhiteNumbered;
        BC& p = point(7, 7, typ);
        // The first call looks within about a pixel and a half, the second
        // within a quarter of the stone, and preparation calls again, wider,
        // while the fit stays poor.
        int32_t first = 95, second = 95;
        EXPECT_EQ(engine.CenterStone(7, 7, first, 1), typ);
        if (first <= 95) {
            EXPECT_EQ(engine.CenterStone(7, 7, second, 2), typ);
            EXPECT_GE(second, first);
        }
        for (int32_t call = 3; call <= 6 && p.Est <= 95; ++call) {
            int32_t again = 95;
            EXPECT_EQ(engine.CenterStone(7, 7, again, call), typ);
        }
        // The board's lines run on outside the stone: no perfect score.
        EXPECT_GT(p.Est, 95);
        // The centre is the disc's own, to the pixel: a window cut around
        // it a pixel off loses the outline's top row and the edge of a
        // number printed close to it.
        const int32_t trueX = pointX(style, 7) + c.dx, trueY = pointY(style, 7) + c.dy;
        EXPECT_EQ(p.CoordC, (IntPoint{trueX, trueY}));
        EXPECT_EQ(p.Coord, p.CoordC);
        EXPECT_LE(std::abs(p.Size.Width - 43), 2);
        EXPECT_LE(std::abs(p.Size.Height - 45), 2);
    }
}

TEST_F(Centring, LearnsTheSizeOfTheFirstWellCentredStone)
{
    MonoPage page = blankPage(600, 600);
    drawStone(page, style, 7, 7, 1, false, -1, -1);
    installPage(page);
    BC& p = point(7, 7, TypBlackStatic, IntSize{43, 45});
    int32_t score = 95;
    engine.CenterStone(7, 7, score, 1);
    EXPECT_GT(score, 95);
    EXPECT_EQ(Reco.StoneSizes[1], (StoneSize{p.Size.Width * 100, p.Size.Height * 100}));
    EXPECT_EQ(Reco.StoneSizes[2], StoneSize{});
    // A stone far off the cell's centre: no size from it.
    Reco.StoneSizes[1] = StoneSize{};
    engine.resetCentringHistory();
    BC& q = point(7, 7, TypBlackStatic, IntSize{43, 45});
    q.Coord.X += 6;
    score = 95;
    engine.CenterStone(7, 7, score, 1);
    EXPECT_LE(score, 95);
    EXPECT_EQ(Reco.StoneSizes[1], StoneSize{});
}

TEST_F(Centring, ScoresAsThePixelByPixelDefinition)
{
    // Random ink around a disc: the split into column and row terms and the
    // counting along rows must give the very same best candidate.
    std::mt19937 rng(7);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const int32_t W = 20 + static_cast<int32_t>(rng() % 40), H = 20 + static_cast<int32_t>(rng() % 40);
        MonoPage page = blankPage(W + 80, H + 80);
        const int32_t cx = 40 + W / 2 + static_cast<int32_t>(rng() % 5) - 2,
                      cy = 40 + H / 2 + static_cast<int32_t>(rng() % 5) - 2;
        fillEllipse(page, cx, cy, W - 2, H - 2, true);
        if (round % 2)
            fillEllipse(page, cx, cy, W - 4, H - 4, false);
        for (int n = 0; n < W * H / 6; ++n)
            page.set(static_cast<int32_t>(rng() % page.width), static_cast<int32_t>(rng() % page.height), rng() % 2);
        installPage(page);
        const int colour = round % 2 ? 2 : 1;
        Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{};
        engine.resetCentringHistory();
        BC& p = Reco.GridPoints[3][3];
        p = BC{};
        p.Coord = IntPoint{40 + W / 2, 40 + H / 2};
        p.Size = IntSize{W, H};
        p.Typ = colour == 1 ? TypBlackStatic : TypWhiteStatic;
        const IntPoint cell{p.Coord.X - W / 2, p.Coord.Y - H / 2};
        int32_t score = 101; // never stop early
        engine.CenterStone(3, 3, score, 1);
        // The reference reads the same cut window.
        CopyWindow(IntSize{W + 20, H + 20}, IntPoint{cell.X - 10, cell.Y - 10});
        const int32_t mx = W / 11, my = H / 11;
        const Best b = plainSearch(W, H, colour, W - mx + 1, H - my + 1, 5, 5, mx, my);
        EXPECT_EQ(score, b.score);
        if (b.score > 0) {
            EXPECT_EQ(p.CentreWindow, (IntPoint{b.c2x, b.c2y}));
            // The page pixel of the best circle's centre (cell pixel i is
            // page column cell.X + i - 1; a centre between two pixels is
            // taken as the right or lower one).
            EXPECT_EQ(p.CoordC, (IntPoint{cell.X + (b.c2x - 1) / 2, cell.Y + (b.c2y - 1) / 2}));
        }
        EXPECT_EQ(engine.CentringTried, 25 * mx * my);
    }
}

TEST_F(Centring, CountsTheCandidatesAndSkipsWhatWasSearched)
{
    installPage(blankPage(400, 400));
    Reco.StoneSizes[1] = StoneSize{2000, 2000};
    BC& p = point(5, 5, TypBlackNumbered, IntSize{24, 24});
    p.Est = 50; // a blank window scores by its background alone: keep the point where it is
    const BC before = p;
    int32_t score = 95;
    engine.CenterStone(5, 5, score, 1);
    EXPECT_EQ(host.labels[6], "NIter = 1225(-0)"); // 7 x 7 centres, diameters 20..24
    EXPECT_LT(score, 50);
    EXPECT_EQ(p.Coord, before.Coord);
    EXPECT_EQ(p.Est, 50);
    EXPECT_EQ(p.Size, (IntSize{20, 20})); // the learned size, no circle above 95
    EXPECT_EQ(host.labels[3], "Est = " + std::to_string(score) + " (50)  WhatIs = 1");
    EXPECT_NE(host.labels[4].find("(20,20), StSz=(2000,2000-0,0)"), std::string::npos) << host.labels[4];

    // The second call: centres -2..2, diameters 18..22; 20..22 were tried
    // at every centre.
    p.Size = IntSize{24, 24};
    score = 95;
    engine.CenterStone(5, 5, score, 2);
    EXPECT_EQ(host.labels[6], "NIter = 400(-225)");
    EXPECT_EQ(engine.CentringTried + engine.CentringSkipped, 625);
    // Iteration 2 with many sure stones of its own colour: one size per axis.
    engine.resetCentringHistory();
    engine.SureStoneCounts[1] = 12;
    engine.SureStoneCounts[2] = 0;
    p.Size = IntSize{24, 24};
    score = 95;
    engine.CenterStone(5, 5, score, 2);
    EXPECT_EQ(host.labels[6], "NIter = 25(-0)");
}

TEST_F(Centring, RefusesCellsTheWindowCannotHold)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, false);
    installPage(page);
    for (const IntSize s : {IntSize{1, 46}, IntSize{44, 0}, IntSize{141, 46}, IntSize{44, 180}}) {
        BC& p = point(7, 7, TypBlackStatic, s);
        const BC before = p;
        int32_t score = 95;
        EXPECT_EQ(engine.CenterStone(7, 7, score, 1), TypBlackStatic);
        EXPECT_EQ(p, before);
        EXPECT_EQ(Reco.StoneSizes[1], StoneSize{});
    }
    // The widest searches read past the cut window: that is background.
    BC& p = point(7, 7, TypBlackStatic, IntSize{140, 140});
    int32_t score = 95;
    engine.CenterStone(7, 7, score, 7);
    EXPECT_TRUE(host.messages.empty());
    (void)p;
}

TEST_F(Centring, ANumberedStoneOfUndecidedColourGetsItsNumberLine)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, false);
    // A white stroke of a number down the stone's two middle columns.
    const int32_t X = pointX(style, 7), Y = pointY(style, 7);
    for (int32_t y = Y - 9; y <= Y + 8; ++y)
        for (int32_t x = X - 1; x <= X; ++x)
            page.set(x, y, false);
    installPage(page);
    BC& p = point(7, 7, TypColourUndecided);
    int32_t score = 95;
    EXPECT_EQ(engine.CenterStone(7, 7, score, 1), TypColourUndecided);
    // The enlarged window starts 23 + 10 rows above the point; above the
    // stone the line runs through the middle columns.
    const int32_t row = (Y - 9) - (Y - 23 - 10) + 1;
    EXPECT_EQ(p.Lsw, row * 1000 / 66);
    // Other states keep theirs.
    BC& q = point(7, 7, TypBlackNumbered);
    q.Lsw = -1;
    engine.CenterStone(7, 7, score, 1);
    EXPECT_EQ(q.Lsw, -1);
}
