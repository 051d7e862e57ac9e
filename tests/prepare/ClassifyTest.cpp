// The stone window of a point, the ink split and the classification.
#include "common/BoardDrawing.h"
#include "common/TestPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"
#include "prepare/WindowFeatures.h"

#include <gtest/gtest.h>

using namespace quon;
using namespace quon::test;

namespace {

class Classify : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        startWindowRun();
        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
    }

    // Every point on its pixel, with the cell size of the style.
    void layGrid(bool withSize = true)
    {
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r) {
                BC& p = Reco.GridPoints[c][r];
                p = BC{};
                p.Coord = IntPoint{pointX(style, c), pointY(style, r)};
                if (withSize)
                    p.Size = IntSize{style.pitchX, style.pitchY};
                p.Typ = TypUndecided;
            }
    }

    int16_t classify(int32_t c, int32_t r)
    {
        Reco.CurPointX = c;
        Reco.CurPointY = r;
        engine.ClassifyPoint();
        return Reco.GridPoints[c][r].Typ;
    }

    BoardStyle style;
    RecordingHost host;
    PrepareEngine engine{host};
};

} // namespace

TEST_F(Classify, StoneRectTakesTheLearnedSizeOfThePointsColour)
{
    layGrid();
    Reco.StoneSizes[1] = StoneSize{2150, 2200};
    Reco.StoneSizes[2] = StoneSize{2390, 2460};
    struct Case {
        int16_t typ;
        IntSize size;
    };
    const Case cases[] = {{1, {21, 22}}, {3, {21, 22}}, {5, {21, 22}}, {2, {23, 24}},
                          {4, {23, 24}}, {0, {23, 24}}, {-1, {23, 24}}};
    for (const Case& c : cases) {
        Reco.GridPoints[5][6].Typ = c.typ;
        engine.StoneRect(5, 6);
        EXPECT_EQ(engine.ProbeSize, c.size) << c.typ;
        EXPECT_EQ(engine.ProbePoint,
                  (IntPoint{pointX(style, 5) - c.size.Width / 2, pointY(style, 6) - c.size.Height / 2}));
        EXPECT_EQ(Reco.GridPoints[5][6].Size, (IntSize{44, 46})); // the cell size stays
    }
}

TEST_F(Classify, StoneRectFromTheNeighboursWithoutACellSize)
{
    layGrid(false);
    Reco.DiagramWindow = DiagramRect{3, 2, 12, 9};
    Reco.GridPoints[4][2].Coord.X += 4; // the second column lies 48 pixels right of the first on row 2
    engine.StoneRect(3, 2);
    EXPECT_EQ(engine.ProbeSize, (IntSize{47, 45})); // next X - X - 1 at the left; next Y - Y - 1 at the top
    EXPECT_EQ(Reco.GridPoints[3][2].Size, (IntSize{47, 45}));
    engine.StoneRect(12, 9);
    EXPECT_EQ(engine.ProbeSize, (IntSize{43, 45})); // to the previous point at the right and bottom
    engine.StoneRect(7, 5);
    EXPECT_EQ(engine.ProbeSize, (IntSize{(88 - 1) / 2, (92 - 1) / 2})); // half the distance elsewhere
}

TEST_F(Classify, StoneRectSetsTheStoneSizeForSmallStonesOnly)
{
    layGrid();
    Reco.GridPoints[5][5].Size = IntSize{40, 40};
    engine.StoneRect(5, 5);
    EXPECT_EQ(Reco.GridPoints[5][5].StoneWidth, 38);
    EXPECT_EQ(Reco.GridPoints[5][5].StoneHeight, 38);
    OptionsSnapshot korean;
    korean.cbTypSource = StonesKorean;
    PrepareEngine other(host, korean);
    Reco.GridPoints[6][6].StoneWidth = 7;
    other.StoneRect(6, 6);
    EXPECT_EQ(Reco.GridPoints[6][6].StoneWidth, 7);
}

TEST_F(Classify, FillCellSizeTakesTheNeighboursOrThePitch)
{
    layGrid(false);
    Reco.CellPitchX = 44;
    Reco.CellPitchY = 46;
    Reco.GridPoints[4][5].Size = IntSize{40, 0};
    Reco.GridPoints[6][5].Size = IntSize{43, 50};
    Reco.GridPoints[5][4].Size = IntSize{0, 41};
    engine.FillCellSize(5, 5);
    EXPECT_EQ(Reco.GridPoints[5][5].Size, (IntSize{41, 45}));
    engine.FillCellSize(10, 10);
    EXPECT_EQ(Reco.GridPoints[10][10].Size, (IntSize{44, 46}));
    // Neighbours outside the window do not count; a set side stays.
    Reco.DiagramWindow = DiagramRect{5, 5, 10, 10};
    Reco.GridPoints[5][5].Size = IntSize{30, 0};
    engine.FillCellSize(5, 5);
    EXPECT_EQ(Reco.GridPoints[5][5].Size, (IntSize{30, 50})); // from (6, 5) alone
}

TEST(InkSplit, FromTheGapBetweenWhiteAndBlackStones)
{
    auto inks = [](int whites, int white, int blacks, int black) {
        std::vector<int32_t> v(static_cast<size_t>(whites), white);
        v.insert(v.end(), static_cast<size_t>(blacks), black);
        return v;
    };
    // A wide gap: its middle.
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(24, 10, 26, 70)), 40);
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(110, 20, 100, 80)), 50);
    // A gap of 15 empty bins: the entry above the middle of the list.
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(24, 30, 26, 46)), 46);
    // A gap of 10 or fewer, or ten windows or fewer: 50.
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(24, 30, 26, 41)), 50);
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(5, 10, 5, 90)), 50);
    EXPECT_EQ(PrepareEngine::InkSplitOf({}), 50);
    // The split falls only where the cumulative count is near half.
    EXPECT_EQ(PrepareEngine::InkSplitOf(inks(10, 10, 40, 70)), 50);
}

TEST(DecideStone, FollowsTheInkBands)
{
    struct Case {
        int32_t ink, split, est, denLine;
        bool staticStones;
        int16_t typ;
    };
    const Case cases[] = {
        {12, 50, 76, 0, false, TypWhiteStatic},
        {12, 50, 75, 0, false, TypUndecided},
        {13, 50, 0, 0, false, TypWhiteNumbered},
        {42, 50, 0, 0, false, TypWhiteNumbered},
        {86, 50, 81, 0, false, TypBlackStatic},
        {86, 50, 80, 0, false, TypUndecided},
        {58, 50, 0, 0, false, TypBlackNumbered},
        {56, 50, 0, 90, false, TypBlackNumbered},
        {56, 50, 0, 89, false, TypColourUndecided},
        {56, 50, 0, 24, false, TypWhiteNumbered},
        // 57 is neither above 114 % nor below 115 % of 50: the middle rule.
        {57, 50, 0, 51, false, TypBlackNumbered},
        {57, 50, 0, 37, false, TypWhiteNumbered},
        {43, 50, 0, 25, false, TypColourUndecided},
        {50, 50, 0, 37, false, TypWhiteNumbered},
        {50, 50, 0, 38, false, TypColourUndecided},
        {48, 50, 0, 51, false, TypBlackNumbered},
        {52, 50, 0, 50, false, TypColourUndecided},
        {53, 50, 0, 90, false, TypBlackNumbered},
        {12, 50, 71, 0, true, TypWhiteStatic},
        {81, 50, 71, 0, true, TypBlackStatic},
        {81, 50, 70, 0, true, TypBlackNumbered},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrepareEngine::DecideStone(c.ink, c.split, c.est, c.denLine, c.staticStones), c.typ)
            << c.ink << " " << c.split << " " << c.est << " " << c.denLine << " " << c.staticStones;
}

TEST_F(Classify, APageOfStones)
{
    MonoPage page = drawBoard(style);
    // Black and white stones, numbered and not, on rows 3 and 5.
    for (int32_t c = 2; c <= 18; ++c) {
        drawStone(page, style, c, 3, 1, c % 2 == 0);
        drawStone(page, style, c, 5, 2, c % 2 == 0);
    }
    installPage(page);
    layGrid();
    // The empty points are known, as the empty-point passes leave them.
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r)
            if (r != 3 && r != 5)
                Reco.GridPoints[c][r].Typ = TypEmpty;
    engine.SortNumberedStones();
    EXPECT_GT(engine.InkSplit, 30);
    EXPECT_LT(engine.InkSplit, 70);
    for (int32_t c = 2; c <= 18; ++c) {
        const bool numbered = c % 2 == 0;
        const int16_t b = classify(c, 3), w = classify(c, 5);
        // Whether a black stone carries a number is the number reader's to
        // say; a disc in its cell is not dark enough to be sure of none.
        EXPECT_EQ(b, TypBlackNumbered) << c;
        // A thin ring with a blank middle is a white stone without a
        // number, not the empty board: no crossing shows through it.
        EXPECT_EQ(w, numbered ? TypWhiteNumbered : TypWhiteStatic) << c;
        EXPECT_EQ(Reco.GridPoints[c][3].PatternConf, 95);
    }
    // Stones the stone check found (Est 80) on a diagram with static stones.
    Reco.StaticStonesPossible = 1;
    for (int32_t c = 3; c <= 17; c += 2) {
        Reco.GridPoints[c][5].Est = 80;
        EXPECT_EQ(classify(c, 5), TypWhiteStatic) << c;
    }
    // Empty points, asked again, are found empty by their board pattern.
    for (const auto& [c, r] : {std::pair{1, 3}, {19, 5}, {10, 10}, {4, 16}, {1, 1}, {19, 19}, {7, 8}}) {
        Reco.GridPoints[c][r].Typ = TypUndecided;
        EXPECT_EQ(classify(c, r), TypEmpty) << c << "," << r;
        EXPECT_EQ(Reco.GridPoints[c][r].PatternConf, 100);
    }
}

TEST_F(Classify, ARingAroundANarrowNumberIsANumberedWhiteStone)
{
    // A white stone numbered "1": the thin ring and one narrow digit hold
    // less ink than a quarter of the split, as little as the crossing
    // lines, and no check has confirmed the stone yet (Est 0).
    MonoPage page = drawBoard(style);
    for (const int32_t c : {5, 9}) {
        drawStone(page, style, c, 7, 2, false);
        if (c == 5)
            drawBar(page, pointX(style, c) - 1, pointX(style, c) + 1, pointY(style, 7) - 7, pointY(style, 7) + 7);
    }
    installPage(page);
    // Unconfirmed, or confirmed as a stone (Est 80) where plain stones may
    // stand (a handicap game, a later diagram): the ink rule alone would
    // take the light number for a plain stone.
    for (const int16_t est : {0, 80})
        for (const int32_t plainStones : {0, 1}) {
            SCOPED_TRACE(est * 10 + plainStones);
            layGrid();
            Reco.StaticStonesPossible = plainStones;
            for (const int32_t c : {5, 9})
                Reco.GridPoints[c][7].Est = est;
            engine.InkSplit = 50;
            EXPECT_EQ(classify(5, 7), TypWhiteNumbered);
            // Without the digit it is the ring of a stone without a number,
            // and the empty crossing beside it stays empty.
            EXPECT_EQ(classify(9, 7), TypWhiteStatic);
            EXPECT_EQ(classify(7, 7), TypEmpty);
        }
}

TEST_F(Classify, SmallOrBrokenWindowsStayUndecided)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, true);
    installPage(page);
    layGrid();
    engine.InkSplit = 50;
    // Classify a good point first: nothing of its window may be reused.
    ASSERT_EQ(classify(7, 7), TypBlackNumbered);
    for (const IntSize s : {IntSize{23, 46}, IntSize{44, 11}, IntSize{2, 2}, IntSize{1, 40}, IntSize{200, 46}}) {
        Reco.GridPoints[7][7].Size = s;
        Reco.GridPoints[7][7].Typ = TypBlackNumbered;
        EXPECT_EQ(classify(7, 7), TypUndecided) << s.Width << "x" << s.Height;
    }
    // Learned sizes that make tiny windows.
    Reco.GridPoints[7][7].Size = IntSize{44, 46};
    Reco.StoneSizes[1] = StoneSize{1000, 1000};
    Reco.GridPoints[7][7].Typ = TypBlackStatic;
    EXPECT_EQ(classify(7, 7), TypUndecided);
}

TEST_F(Classify, PositionDiagrams)
{
    Reco.DiagramType = DiaPosition;
    MonoPage page = drawBoard(style);
    style.ring = 3;
    drawStone(page, style, 7, 7, 1, false);
    drawStone(page, style, 9, 7, 2, false);
    installPage(page);
    layGrid();
    engine.InkSplit = 50;
    // Trusted points: by the ink alone.
    Reco.GridPoints[7][7].Est = 71;
    EXPECT_EQ(classify(7, 7), TypBlackStatic);
    Reco.GridPoints[9][7].Est = 71;
    EXPECT_EQ(classify(9, 7), TypWhiteStatic);
    // Others: by the stone check.
    Reco.GridPoints[7][7] = BC{};
    Reco.GridPoints[7][7].Coord = IntPoint{pointX(style, 7), pointY(style, 7)};
    Reco.GridPoints[7][7].Size = IntSize{44, 46};
    EXPECT_EQ(classify(7, 7), TypBlackStatic);
    EXPECT_EQ(Reco.GridPoints[7][7].Est, 80);
    EXPECT_EQ(Reco.GridPoints[7][7].PatternConf, 80);
}
