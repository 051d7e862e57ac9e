// Point kinds, the board-pattern check and the stone check on generated
// boards and on windows written as text.
#include "common/BoardDrawing.h"
#include "common/CorpusRun.h"
#include "common/TestPage.h"
#include "prepare/PatternTemplates.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"
#include "prepare/WindowFeatures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace quon;
using namespace quon::test;
namespace fs = std::filesystem;

namespace {

class Checks : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        startWindowRun();
        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
    }

    BC pointAt(int32_t col, int32_t row, int32_t shiftX = 0, int32_t shiftY = 0) const
    {
        BC p;
        p.Coord = IntPoint{pointX(style, col) + shiftX, pointY(style, row) + shiftY};
        p.Size = IntSize{style.pitchX, style.pitchY};
        p.Typ = TypUndecided;
        return p;
    }

    // Installs the corpus page pages/<name>.bmp and reads its truth. Empty
    // when done, else why not: a missing corpus skips the test, a truth
    // that cannot be read also fails it.
    std::string installCorpusPage(const std::string& name, CorpusTruth& truth)
    {
        const fs::path file = fs::path(QUON_CORPUS_DIR) / "pages" / (name + ".bmp");
        std::string error;
        const MonoPage page = readMonoBmp(file.string(), error);
        if (!error.empty())
            return "no corpus page " + file.string();
        if (!readCorpusTruth(fs::path(file).replace_extension(".json").string(), truth, error)) {
            ADD_FAILURE() << error;
            return error;
        }
        installPage(page);
        return {};
    }

    BoardStyle style;
    RecordingHost host;
    PrepareEngine engine{host};
};

} // namespace

TEST(PointKind, FollowsTheBoardPosition)
{
    resetTablesToStart();
    struct Case {
        int32_t lines, x, y;
        int16_t kind;
    };
    const Case cases[] = {
        {19, 4, 4, KindStar},     {19, 10, 10, KindStar},        {19, 16, 4, KindStar},   {19, 7, 7, KindCrossing},
        {19, 4, 5, KindCrossing}, {19, 1, 1, KindTopLeft},       {19, 10, 1, KindTop},    {19, 19, 1, KindTopRight},
        {19, 19, 10, KindRight},  {19, 19, 19, KindBottomRight}, {19, 4, 19, KindBottom}, {19, 1, 19, KindBottomLeft},
        {19, 1, 4, KindLeft},     {13, 4, 4, KindStar},          {13, 4, 10, KindStar},   {13, 10, 10, KindStar},
        {13, 7, 7, KindCrossing}, {13, 13, 13, KindBottomRight}, {9, 4, 4, KindStar},     {9, 9, 1, KindTopRight},
    };
    for (const Case& c : cases) {
        Reco.BoardLineCount = c.lines;
        EXPECT_EQ(PrepareEngine::PointKind(c.x, c.y), c.kind) << c.lines << ": " << c.x << "," << c.y;
    }
}

TEST(Templates, AreTranscribed)
{
    // A few entries of each table, and the ring.
    EXPECT_EQ(BoardPatterns[KindStar][3][3], 2);
    EXPECT_EQ(BoardPatterns[KindCrossing][3][3], 1);
    EXPECT_EQ(BoardPatterns[KindTopLeft][3][6], 2);
    EXPECT_EQ(BoardPatterns[KindTopLeft][3][2], 0);
    EXPECT_EQ(BoardPatterns[KindTop][4][3], 1);
    EXPECT_EQ(BoardPatterns[KindRight][3][2], 1);
    EXPECT_EQ(BoardPatterns[KindRight][3][4], 0);
    EXPECT_EQ(BoardPatterns[KindBottomLeft][0][3], 2);
    EXPECT_EQ(BoardPatterns[KindLeft][3][6], 1);
    EXPECT_EQ(BoardPatterns[KindBigStar][2][2], 1);
    EXPECT_EQ(BoardPatterns[KindBigStar][3][2], 2);
    EXPECT_EQ(StoneTemplates[0][0][0], 0);
    EXPECT_EQ(StoneTemplates[0][1][1], 2);
    EXPECT_EQ(StoneTemplates[1][1][1], 2);
    EXPECT_EQ(StoneTemplates[1][1][2], 0);
    EXPECT_EQ(StoneTemplates[1][3][0], 2);
    int ring = 0, differ = 0;
    for (int a = 1; a <= 7; ++a)
        for (int b = 1; b <= 7; ++b) {
            ring += isRingCell(a, b);
            if (isRingCell(a, b))
                differ += StoneTemplates[0][b - 1][a - 1] != StoneTemplates[1][b - 1][a - 1];
        }
    EXPECT_EQ(ring, 28);
    EXPECT_EQ(differ, 0); // both stone templates agree on the ring
    EXPECT_TRUE(isRingCell(2, 2) && isRingCell(6, 6) && !isRingCell(2, 3) && !isRingCell(4, 4));
    // Every board pattern is left-right or top-bottom symmetric to its
    // opposite kind.
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(BoardPatterns[KindTopLeft][r][c], BoardPatterns[KindTopRight][r][6 - c]);
            EXPECT_EQ(BoardPatterns[KindTopLeft][r][c], BoardPatterns[KindBottomLeft][6 - r][c]);
            EXPECT_EQ(BoardPatterns[KindBottomRight][r][c], BoardPatterns[KindTopRight][6 - r][c]);
            EXPECT_EQ(BoardPatterns[KindTop][r][c], BoardPatterns[KindBottom][6 - r][c]);
            EXPECT_EQ(BoardPatterns[KindLeft][r][c], BoardPatterns[KindRight][r][6 - c]);
            EXPECT_EQ(BoardPatterns[KindTop][r][c], BoardPatterns[KindLeft][c][r]);
        }
}

TEST_F(Checks, EveryKindOfEmptyBoardIsSureAndSnapsOntoItsLines)
{
    // At 300 dpi, and at 200 dpi, where a 27-pixel cell's middle pixel lies
    // outside the middle cell of the 7 x 7 grid.
    for (const auto& [px, py] : {std::pair{44, 46}, std::pair{27, 29}}) {
        style.pitchX = px;
        style.pitchY = py;
        SCOPED_TRACE(testing::Message() << "pitch " << px << "x" << py);
        installPage(drawBoard(style));
        struct Case {
            int32_t col, row;
            int32_t shiftX, shiftY;
        };
        const Case cases[] = {
            {7, 7, 0, 0},   {7, 7, 3, -2},  {4, 4, 0, 0},    {10, 10, -2, 3}, {1, 1, 2, 2},  {10, 1, 0, 3},
            {19, 1, -3, 0}, {19, 10, 2, 0}, {19, 19, 0, -2}, {8, 19, 3, 3},   {1, 19, 0, 0}, {1, 12, -3, 1},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.col << "," << c.row << " moved " << c.shiftX << "," << c.shiftY);
            BC p = pointAt(c.col, c.row, c.shiftX, c.shiftY);
            const int16_t kind = PrepareEngine::PointKind(c.col, c.row);
            ASSERT_TRUE(engine.CheckBoardPat(kind, p, 1));
            EXPECT_EQ(p.PatternConf, 100);
            EXPECT_EQ(p.Typ, TypEmpty);
            EXPECT_EQ(p.Est, 100);
            // On the line, give or take the pixel the snap's rounding adds.
            EXPECT_LE(std::abs(p.Coord.X - pointX(style, c.col)), 1);
            EXPECT_LE(std::abs(p.Coord.Y - pointY(style, c.row)), 1);
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Checks, ASureMatchKeepsTheStateOfAPointThatWasSureBefore)
{
    installPage(drawBoard(style));
    BC p = pointAt(7, 7, 2, 0);
    p.PatternConf = 100;
    p.Typ = TypBlackStatic;
    p.Est = 80;
    ASSERT_TRUE(engine.CheckBoardPat(KindCrossing, p, 1));
    EXPECT_EQ(p.Typ, TypBlackStatic);
    EXPECT_EQ(p.Est, 80);
    EXPECT_LE(std::abs(p.Coord.X - pointX(style, 7)), 1); // but it is moved
}

TEST_F(Checks, NoPatternMatchesWithoutInkAtItsCentre)
{
    // A blank window, and the thin ring of a white stone without a number
    // (few of its cells rise above any template), show no crossing.
    MonoPage ring = blankPage(400, 400);
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 400; ++x) {
            const int32_t d2 = (x - 200) * (x - 200) + (y - 200) * (y - 200);
            if (d2 >= 19 * 19 && d2 < 20 * 20)
                ring.set(x, y, true);
        }
    for (const MonoPage& page : {blankPage(400, 400), ring}) {
        installPage(page);
        for (int16_t kind = 0; kind < PointKindCount; ++kind) {
            BC p;
            p.Coord = IntPoint{200, 200};
            p.Size = IntSize{40, 40};
            p.Typ = TypUndecided;
            EXPECT_FALSE(engine.CheckBoardPat(kind, p, 1)) << kind;
            EXPECT_EQ(p.Coord, (IntPoint{200, 200}));
            EXPECT_EQ(p.Typ, TypUndecided);
            EXPECT_EQ(p.PatternConf, 0);
        }
    }
}

TEST_F(Checks, AWindowHalfAPitchOffBetweenRowsOfStonesIsNoSureCrossing)
{
    // A dense later diagram: numbered white stones at columns 16 to 18 of
    // row 13 and on the right edge at row 14. Half a pitch above such a
    // stone a window holds the vertical line, blank paper and the tops of
    // the rings: no cell is darker than the template, but the point's
    // horizontal line is not there, and such a window must not anchor the
    // grid. The free crossing above stays sure.
    CorpusTruth truth;
    if (const std::string why = installCorpusPage("leesedol_hong_2003_c100_d2", truth); !why.empty())
        GTEST_SKIP() << why;
    const IntSize cell{43, 45};
    struct Case {
        int32_t col, row;
        int16_t kind;
    };
    for (const Case c : {Case{17, 13, KindCrossing}, Case{19, 14, KindRight}}) {
        const IntPoint on = truthPoint(truth, c.col, c.row);
        for (const int32_t off : {20, 22}) {
            BC p;
            p.Coord = IntPoint{on.X, on.Y - off};
            p.Size = cell;
            p.Typ = TypUndecided;
            engine.CheckBoardPat(c.kind, p, 1);
            EXPECT_NE(p.PatternConf, 100) << c.col << "," << c.row << " " << off;
            EXPECT_LT(p.Est, 100) << c.col << "," << c.row << " " << off;
        }
    }
    BC p;
    p.Coord = truthPoint(truth, 17, 12);
    p.Size = cell;
    p.Typ = TypUndecided;
    EXPECT_TRUE(engine.CheckBoardPat(KindCrossing, p, 1));
    EXPECT_EQ(p.PatternConf, 100);
}

TEST_F(Checks, AnEdgePointWhoseStubAStoneHidesIsNotMovedAlongTheEdge)
{
    // The stub leaving the right edge at row 10 is under a black stone: the
    // edge line alone is the same all along and gives no row to snap onto.
    MonoPage page = drawBoard(style);
    drawStone(page, style, 18, 10, 1, false);
    installPage(page);
    BC p = pointAt(19, 10, 0, 0);
    if (engine.CheckBoardPat(KindRight, p, 1))
        EXPECT_LE(std::abs(p.Coord.Y - pointY(style, 10)), 1);
    else
        EXPECT_EQ(p.Coord.Y, pointY(style, 10));
    // A white stone without a number on the edge is no edge point.
    page = drawBoard(style);
    drawStone(page, style, 19, 10, 2, false);
    installPage(page);
    p = pointAt(19, 10, 0, 0);
    EXPECT_FALSE(engine.CheckBoardPat(KindRight, p, 1));
}

TEST_F(Checks, SnapLeavesAnInklessAxisWhereItIs)
{
    // Only a horizontal line: the rows snap onto it, the columns have ink
    // everywhere and stay about centred; a window of no ink stays put.
    MonoPage page = blankPage(200, 200);
    drawBar(page, 0, 199, 107, 107);
    installPage(page);
    IntPoint o{80, 80};
    ASSERT_TRUE(CutWindowFeatures(IntSize{40, 40}, o, &host));
    engine.SnapToProfiles(KindCrossing, o, IntSize{40, 40});
    EXPECT_EQ(o.Y, 80 + 28 - 20); // line in window row 28
    installPage(blankPage(200, 200));
    o = IntPoint{80, 80};
    ASSERT_TRUE(CutWindowFeatures(IntSize{40, 40}, o, &host));
    engine.SnapToProfiles(KindCrossing, o, IntSize{40, 40});
    EXPECT_EQ(o, (IntPoint{80, 80}));
}

TEST_F(Checks, DarknessLimitRefusesStonesOnTheFirstTry)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, true);
    drawStone(page, style, 10, 1, 1, false);
    drawStone(page, style, 10, 10, 1, false);
    installPage(page);
    BC p = pointAt(7, 7);
    EXPECT_FALSE(engine.CheckBoardPat(KindCrossing, p, 1));
    EXPECT_EQ(p.Coord, pointAt(7, 7).Coord);
    EXPECT_EQ(p.PatternConf, 0);
    EXPECT_GT(p.Denstone, 15); // the window's ink, kept
    BC edge = pointAt(10, 1);
    EXPECT_FALSE(engine.CheckBoardPat(KindTop, edge, 1));
    // No darkness limit for a star point, but no pattern either.
    BC star = pointAt(10, 10);
    EXPECT_FALSE(engine.CheckBoardPat(KindStar, star, 1));
}

TEST_F(Checks, ABigStarDotPassesAsTheBigStar)
{
    BoardStyle big = style;
    big.starRadius = 7;
    style = big;
    installPage(drawBoard(big));
    BC p = pointAt(10, 10, 1, -1);
    BC asStar = p;
    // The big dot is no plain star ...
    Reco.BoardLineCount = 19;
    BC plain = p;
    const bool plainOk = engine.CheckBoardPat(KindCrossing, plain, 1);
    EXPECT_FALSE(plainOk && plain.PatternConf == 100);
    // ... but the star check tries the big star and takes it.
    ASSERT_TRUE(engine.CheckBoardPat(KindStar, asStar, 1));
    EXPECT_EQ(asStar.PatternConf, 100);
}

TEST_F(Checks, AStarDotSpillingBesideTheCentreIsASureBigStar)
{
    // Lines of 1 px and a dot of 7 px at a pitch of 49 px: the dot spills into
    // a cell beside the centre, which leaves the small star only doubtful.
    CorpusTruth truth;
    if (const std::string why = installCorpusPage("ag_leesedol_g1_r50k_d1", truth); !why.empty())
        GTEST_SKIP() << why;
    for (const auto& [col, row] : {std::pair{4, 10}, std::pair{16, 4}, std::pair{16, 10}, std::pair{16, 16}}) {
        ASSERT_EQ(truth.colour[col - 1][row - 1], 0);
        const IntPoint at = truthPoint(truth, col, row);
        BC p;
        p.Coord = at;
        p.Size = IntSize{48, 50};
        p.Typ = TypUndecided;
        EXPECT_TRUE(engine.CheckBoardPat(KindStar, p, 1)) << col << "," << row;
        EXPECT_EQ(p.PatternConf, 100) << col << "," << row;
        EXPECT_LE(std::abs(p.Coord.X - at.X) + std::abs(p.Coord.Y - at.Y), 2) << col << "," << row;
    }
}

TEST_F(Checks, AStoneOnTheNeighbouringPointLeavesAnEdgePointSure)
{
    // The black stone on (18, 13) reaches 4 px into the window of the edge
    // point (19, 13): its outer cells are darker than the template, the
    // point's own lines are all there.
    CorpusTruth truth;
    if (const std::string why = installCorpusPage("golaxy_fineart_2018_d50_d1", truth); !why.empty())
        GTEST_SKIP() << why;
    ASSERT_EQ(truth.colour[17][12], 1);
    ASSERT_EQ(truth.colour[18][12], 0);
    const IntPoint at = truthPoint(truth, 19, 13);
    BC p;
    p.Coord = at;
    p.Size = IntSize{41, 43};
    p.Typ = TypUndecided;
    EXPECT_TRUE(engine.CheckBoardPat(KindRight, p, 1));
    EXPECT_EQ(p.PatternConf, 100);
    EXPECT_LE(std::abs(p.Coord.X - at.X) + std::abs(p.Coord.Y - at.Y), 2);
}

TEST_F(Checks, FailedFeaturesMatchNothing)
{
    installPage(drawBoard(style));
    // Measure a good window first, so that stale features would be there.
    BC good = pointAt(7, 7);
    ASSERT_TRUE(engine.CheckBoardPat(KindCrossing, good, 1));
    const IntSize sizes[] = {{0, 0}, {1, 40}, {150, 40}, {-40, 40}, {40, -40}};
    for (const IntSize& s : sizes) {
        BC p = pointAt(7, 7);
        p.Size = s;
        const BC before = p;
        EXPECT_FALSE(engine.CheckBoardPat(KindCrossing, p, 1)) << s.Width << "x" << s.Height;
        EXPECT_EQ(p, before);
        BC q = pointAt(7, 7);
        q.Size = s;
        EXPECT_FALSE(engine.CheckStone(q, 1));
        EXPECT_EQ(q, before);
    }
    // One box for the run (the stone check measures a 0 x 0 window); the
    // rest go to the log.
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "SZ - wrong size 0,0");
    EXPECT_EQ(host.logLines.size(), 8u);
    EXPECT_EQ(Reco.DebugRunState, 2);
}

TEST_F(Checks, StonesAreFoundInEveryMode)
{
    style.ring = 3; // the white template wants a firm outline
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, true);
    drawStone(page, style, 9, 7, 2, true);
    drawStone(page, style, 11, 7, 1, false, 2, -1);
    drawStone(page, style, 13, 7, 2, false, -2, 2);
    installPage(page);
    struct Case {
        int32_t col;
        int16_t typ;
    };
    // A number breaks the white template: colour not decided.
    const Case stones[] = {{7, 1}, {9, 0}, {11, 1}, {13, 2}};
    for (const int32_t step : {1, 2, 3, 5}) {
        for (const Case& c : stones) {
            SCOPED_TRACE(testing::Message() << "step " << step << " col " << c.col);
            BC p = pointAt(c.col, 7);
            ASSERT_TRUE(engine.CheckStone(p, step));
            EXPECT_EQ(p.Typ, c.typ);
            EXPECT_LE(std::abs(p.Coord.X - pointX(style, c.col)), 2 * step + 2);
            EXPECT_LE(std::abs(p.Coord.Y - pointY(style, 7)), 2 * step + 2);
            EXPECT_LE(p.Size.Width, style.pitchX);
            EXPECT_GE(p.Size.Width, style.pitchX - 2 * step);
        }
        // An empty crossing and an empty star point are no stones.
        BC empty = pointAt(5, 7);
        EXPECT_FALSE(engine.CheckStone(empty, step));
        EXPECT_EQ(empty, pointAt(5, 7));
        BC star = pointAt(4, 4);
        EXPECT_FALSE(engine.CheckStone(star, step));
    }
}

TEST_F(Checks, TheFirstStoneSeedsOnlyUnknownSizes)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, false);
    installPage(page);
    Reco.StoneSizes[2] = StoneSize{3700, 3800};
    BC p = pointAt(7, 7);
    ASSERT_TRUE(engine.CheckStone(p, 1));
    EXPECT_EQ(Reco.StoneSizes[1], (StoneSize{4400, 4600})); // the cell size at entry
    EXPECT_EQ(Reco.StoneSizes[2], (StoneSize{3700, 3800}));
    // An empty point seeds nothing.
    Reco.StoneSizes[1] = StoneSize{};
    BC e = pointAt(5, 5);
    EXPECT_FALSE(engine.CheckStone(e, 1));
    EXPECT_EQ(Reco.StoneSizes[1], StoneSize{});
}

TEST_F(Checks, ATooSmallStoneIsNotFound)
{
    style.stonePercent = 70;
    MonoPage page = drawBoard(style);
    drawStone(page, style, 7, 7, 1, false);
    installPage(page);
    BC p = pointAt(7, 7);
    EXPECT_FALSE(engine.CheckStone(p, 1));
}

TEST(PlainStoneTyp, GivesAStoneWithoutAColourItsOwnState)
{
    EXPECT_EQ(PrepareEngine::PlainStoneTyp(1), TypBlackStatic);
    EXPECT_EQ(PrepareEngine::PlainStoneTyp(2), TypWhiteStatic);
    EXPECT_EQ(PrepareEngine::PlainStoneTyp(0), TypColourUndecided);
}

namespace {

// A black stone with a white number, 28 x 28.
const std::vector<std::string> BlackStoneWithNumber = {
    "............................", //
    "..........########..........", //
    "........############........", //
    "......################......", //
    ".....##################.....", //
    "....####################....", //
    "...######################...", //
    "...######################...", //
    "..########################..", //
    "..######...###......######..", //
    ".#######...#######..#######.", //
    ".#######...#######..#######.", //
    ".#######...#######..#######.", //
    ".#######...###......#######.", //
    ".#######...###..##..#######.", //
    ".#######...###..##..#######.", //
    ".#######...###..##..#######.", //
    ".#######...###..##..#######.", //
    "..######...###......######..", //
    "..########################..", //
    "...######################...", //
    "...######################...", //
    "....####################....", //
    ".....##################.....", //
    "......################......", //
    "........############........", //
    "..........########..........", //
    "............................", //
};

// A white stone with a black number, 28 x 28.
const std::vector<std::string> WhiteStoneWithNumber = {
    "............................", //
    "..........########..........", //
    "........####....####........", //
    "......###..........###......", //
    ".....##..............##.....", //
    "....##................##....", //
    "...##..................##...", //
    "...#....................#...", //
    "..##....................##..", //
    "..#.....##....######.....#..", //
    ".##.....##........##.....##.", //
    ".##.....##........##.....##.", //
    ".#......##........##......#.", //
    ".#......##....######......#.", //
    ".#......##....##..........#.", //
    ".#......##....##..........#.", //
    ".##.....##....##.........##.", //
    ".##.....##....##.........##.", //
    "..#.....##....######.....#..", //
    "..##....................##..", //
    "...#....................#...", //
    "...##..................##...", //
    "....##................##....", //
    ".....##..............##.....", //
    "......###..........###......", //
    "........####....####........", //
    "..........########..........", //
    "............................", //
};

// An empty inner crossing.
const std::vector<std::string> EmptyCrossing = {
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "############################", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
};

// A star point.
const std::vector<std::string> StarPoint = {
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    ".............###............", //
    "............#####...........", //
    "...........#######..........", //
    "############################", //
    "...........#######..........", //
    "............#####...........", //
    ".............###............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
};

// The top edge (a thick line) with a line going down.
const std::vector<std::string> TopEdge = {
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "############################", //
    "############################", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
    "..............#.............", //
};

// The top-left corner.
const std::vector<std::string> TopLeftCorner = {
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "............................", //
    "..............##############", //
    "..............##############", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
    "..............##............", //
};

// A page with the window drawn at (50, 50): its centre pixel is (64, 64).
MonoPage pageWithWindow(const std::vector<std::string>& rows)
{
    MonoPage p = blankPage(128, 128);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#')
                p.set(50 + static_cast<int32_t>(x), 50 + static_cast<int32_t>(y), true);
    return p;
}

BC windowPoint()
{
    BC p;
    p.Coord = IntPoint{64, 64};
    p.Size = IntSize{28, 28};
    p.Typ = TypUndecided;
    return p;
}

} // namespace

TEST_F(Checks, TextWindowsThroughTheChecksAndTheClassification)
{
    struct Case {
        const char* name;
        const std::vector<std::string>* rows;
        int16_t kind;
        bool stone;
        int16_t stoneTyp;   // what the stone check gives
        int16_t classified; // what the classification gives
    };
    const Case cases[] = {
        {"black", &BlackStoneWithNumber, KindCrossing, true, 1, TypBlackNumbered},
        // The number breaks the white template: a stone of undecided colour.
        {"white", &WhiteStoneWithNumber, KindCrossing, true, 0, TypWhiteNumbered},
        {"crossing", &EmptyCrossing, KindCrossing, false, 0, TypEmpty},
        {"star", &StarPoint, KindStar, false, 0, TypEmpty},
        {"top", &TopEdge, KindTop, false, 0, TypEmpty},
        {"corner", &TopLeftCorner, KindTopLeft, false, 0, TypEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        installPage(pageWithWindow(*c.rows));
        BC p = windowPoint();
        ASSERT_EQ(engine.CheckStone(p, 1), c.stone);
        if (c.stone) {
            EXPECT_EQ(p.Typ, c.stoneTyp);
        }
        BC q = windowPoint();
        const bool empty = engine.CheckBoardPat(c.kind, q, 1);
        EXPECT_EQ(empty, !c.stone);
        if (empty) {
            EXPECT_EQ(q.PatternConf, 100);
            EXPECT_EQ(q.Coord, (IntPoint{65, 65})); // the line is at 64: one pixel right and below
        }

        // The classification of the same window at a board point.
        const int32_t col = c.kind == KindStar ? 4 : c.kind == KindTop ? 10 : c.kind == KindTopLeft ? 1 : 7;
        const int32_t row = c.kind == KindStar ? 4 : c.kind == KindCrossing ? 7 : 1;
        Reco.GridPoints[col][row] = windowPoint();
        Reco.CurPointX = col;
        Reco.CurPointY = row;
        engine.InkSplit = 50;
        engine.ClassifyPoint();
        EXPECT_EQ(Reco.GridPoints[col][row].Typ, c.classified);
    }
    EXPECT_TRUE(host.messages.empty());
}
