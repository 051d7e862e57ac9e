// Stone-size learning and the iterations: the size fold, the thresholds,
// the walk, and whole runs on drawn game diagrams.
#include "common/BoardDrawing.h"
#include "common/TestPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

#include <set>

using namespace quon;
using namespace quon::test;

TEST(StoneLearning, SizeFold)
{
    struct Case {
        const char* name;
        StoneSize before;
        int32_t n;
        IntSize window;
        int32_t weight;
        StoneSize want;
    } cases[] = {
        // No prior, a first sure sample: exactly the window in hundredths.
        {"first sure", {0, 0}, 0, {41, 43}, 5, {4100, 4300}},
        // A prior weighs as 25 samples against a sure one's 5.
        {"prior", {4000, 4200}, 25, {46, 44}, 5, {(4000 * 25 + 4600 * 5) / 30, (4200 * 25 + 4400 * 5) / 30}},
        {"plain", {4000, 4000}, 5, {46, 46}, 1, {(4000 * 5 + 4600) / 6, (4000 * 5 + 4600) / 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoneSize s = c.before;
        PrepareEngine::foldStoneSize(s, c.n, c.window, c.weight);
        EXPECT_EQ(s, c.want);
    }
}

TEST(StoneLearning, ThresholdsGrowWithTheIteration)
{
    const int32_t black[] = {92, 92, 93, 93, 94}, white[] = {88, 90, 92, 94, 96};
    for (int32_t k = 2; k <= 6; ++k) {
        EXPECT_EQ(PrepareEngine::learningThreshold(1, k), black[k - 2]) << k;
        EXPECT_EQ(PrepareEngine::learningThreshold(2, k), white[k - 2]) << k;
    }
}

TEST(StoneLearning, SpiralVisitsEveryBoardPointOnce)
{
    const std::vector<IntPoint> s = PrepareEngine::spiralPositions();
    const IntPoint first[] = {{10, 10}, {10, 9}, {9, 9},  {9, 10}, {9, 11}, {10, 11}, {11, 11},
                              {11, 10}, {11, 9}, {11, 8}, {10, 8}, {9, 8},  {8, 8},   {8, 9}};
    ASSERT_GE(s.size(), 14u);
    for (size_t i = 0; i < 14; ++i)
        EXPECT_EQ(s[i], first[i]) << i;
    std::set<std::pair<int, int>> seen;
    for (const IntPoint p : s)
        if (p.X >= 1 && p.X <= 19 && p.Y >= 1 && p.Y <= 19) {
            EXPECT_TRUE(seen.insert({p.X, p.Y}).second) << p.X << "," << p.Y;
        }
    EXPECT_EQ(seen.size(), 361u);
}

namespace {

class StoneRun : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
        Reco.DiagramType = DiaGameRecord;
        style.pitchX = 46;
        style.ring = 2;
    }

    // A game diagram: numbered stones of both colours around the centre
    // and a few near the edges.
    MonoPage gameDiagram()
    {
        MonoPage page = drawBoard(style);
        const int stones[][3] = {{4, 4, 1},  {16, 4, 2},  {4, 16, 1}, {16, 16, 2}, {10, 10, 1}, {11, 10, 2},
                                 {9, 11, 1}, {12, 12, 2}, {7, 8, 1},  {13, 7, 2},  {8, 14, 1},  {14, 13, 2},
                                 {3, 10, 1}, {17, 9, 2},  {10, 3, 1}, {9, 17, 2}};
        for (const auto& s : stones) {
            drawStone(page, style, s[0], s[1], s[2], true);
            colour[s[0]][s[1]] = s[2];
        }
        return page;
    }

    int wrongPoints() const
    {
        int wrong = 0;
        for (int c = 1; c <= 19; ++c)
            for (int r = 1; r <= 19; ++r) {
                const int16_t t = Reco.GridPoints[c][r].Typ;
                const int got = t == 0 ? 0 : t == 1 || t == 3 ? 1 : t == 2 || t == 4 ? 2 : -1;
                wrong += got != colour[c][r];
            }
        return wrong;
    }

    BoardStyle style;
    RecordingHost host;
    int colour[20][20] = {};
};

} // namespace

TEST_F(StoneRun, GameDiagramIsDecidedAndSizesLearned)
{
    installPage(gameDiagram());
    resetGridForNewDiagram(false);
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(engine.LastOutcome, PrepareOutcome::Success);
    EXPECT_EQ(wrongPoints(), 0);
    const int32_t d = style.pitchX * style.stonePercent; // the drawn diameter, hundredths
    EXPECT_NEAR(Reco.StoneSizes[1].Width, d, 300);
    EXPECT_NEAR(Reco.StoneSizes[2].Width, d, 300);
    EXPECT_GT(engine.SureStoneCounts[1], 0);
    EXPECT_TRUE(host.labels[2].rfind("Finalization # ", 0) == 0) << host.labels[2];
}

TEST_F(StoneRun, KnownSizesArePriorOfTheRunsStart)
{
    installPage(gameDiagram());
    resetGridForNewDiagram(false);
    Reco.StoneSizes[1] = StoneSize{3000, 3000};
    Reco.StoneSizes[2] = StoneSize{3000, 3000};
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_TRUE(engine.SizesKnownAtStart);
    // Every colour starts with the prior's 5 sure samples.
    EXPECT_GE(engine.SureStoneCounts[1], 5);
    EXPECT_GE(engine.SureStoneCounts[2], 5);

    // Sizes seeded only by this run's stone checks are no prior.
    resetGridForNewDiagram(false);
    Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{};
    PrepareEngine fresh(host);
    ASSERT_TRUE(fresh.PrepareDiagram());
    EXPECT_FALSE(fresh.SizesKnownAtStart);
}

TEST_F(StoneRun, PositionDiagramSkipsLearningAndIterations)
{
    installPage(gameDiagram());
    resetGridForNewDiagram(false);
    Reco.DiagramType = DiaPosition;
    Reco.StoneSizes[1] = StoneSize{4000, 4100};
    Reco.StoneSizes[2] = StoneSize{4200, 4300};
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(host.labels[2], "Looking for empty points");
    EXPECT_EQ(Reco.StoneSizes[1], (StoneSize{4000, 4100}));
    EXPECT_EQ(Reco.StoneSizes[2], (StoneSize{4200, 4300}));
}

TEST_F(StoneRun, CancelAfterTheEmptyPointPasses)
{
    installPage(gameDiagram());
    resetGridForNewDiagram(false);
    // Pumps 1..19 follow the rows of the empty-point pass, the next 17 x 17
    // the refit's inner points; Cancel is read at the first stone after.
    host.cancelAtPump = 19 + 17 * 17 + 1;
    PrepareEngine engine(host);
    EXPECT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(engine.LastOutcome, PrepareOutcome::Cancelled);
    EXPECT_EQ(Reco.CancelFlag, 1);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_NE(host.labels[2], "Looking for empty points");
}
