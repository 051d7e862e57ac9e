#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"

#include <gtest/gtest.h>

using namespace quon;

namespace {

class TablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTablesToStart();
        RecoLog.clear();
    }
};

TEST_F(TablesTest, StartValues)
{
    EXPECT_EQ(Reco.SetupStones[1].Count, 0);
    EXPECT_EQ(Reco.SetupStones[2].Count, 0);
    EXPECT_EQ(Reco.FirstMoveColour, 1);
    EXPECT_EQ(Reco.GameSaved, 1);
    EXPECT_EQ(Reco.DebugRunState, 1);
    EXPECT_EQ(Reco.MoveCount, 0);
    EXPECT_EQ(Reco.LinearInputState, 0);
    EXPECT_EQ(Reco.CancelFlag, 0);
    EXPECT_EQ(Reco.DigitsPending, 1);
    EXPECT_EQ(Reco.FirstScan, 1);
    EXPECT_EQ(Reco.LastPictureFile, "");
    // Before the first diagram every grid field is 0, Typ included.
    for (long c = 1; c <= 19; ++c)
        for (long r = 1; r <= 19; ++r)
            EXPECT_EQ(Reco.GridPoints[c][r], BC{});
    EXPECT_EQ(Reco.MoveTable[0], (MoveRecord{0, 0}));
    EXPECT_EQ(Reco.MoveTable[500], (MoveRecord{0, 0}));
}

TEST_F(TablesTest, ResetToStartUndoesChanges)
{
    Reco.MoveCount = 12;
    Reco.GameSaved = 0;
    Reco.GridPoints[3][4].Typ = 2;
    Reco.SetupStones[2].add({3, 3});
    resetTablesToStart();
    EXPECT_EQ(Reco.MoveCount, 0);
    EXPECT_EQ(Reco.GameSaved, 1);
    EXPECT_EQ(Reco.GridPoints[3][4].Typ, 0);
    EXPECT_EQ(Reco.SetupStones[2].Count, 0);
}

TEST_F(TablesTest, CornerNames)
{
    const char* expected[10] = {"", "", "Left Top", "", "Right Top", "", "Right Bottom", "", "Left Bottom", ""};
    for (long i = 1; i <= 9; ++i)
        EXPECT_EQ(CornerNames[i], expected[i]) << i;
}

void fillPoint(BC& p, int v)
{
    p.Coord = {v, v + 1};
    p.Size = {v, v};
    p.StoneWidth = p.StoneHeight = v;
    p.Typ = 2;
    p.PatternConf = 95;
    p.Text = "17";
    p.Est = 88;
    p.Estdig[1] = 3;
    p.Estdig[3] = -7;
    p.DenLine = p.DenLine1 = p.Denstone = p.Lsw = v;
    p.CentreWindow = {v, v};
    p.CoordC = {v + 2, v + 3};
}

TEST_F(TablesTest, DiagramResetKeepsOnlyPointedCornersWhenAsked)
{
    Reco.DiagramWindow = {3, 4, 10, 12};
    for (bool keep : {false, true}) {
        for (long c = 1; c <= 19; ++c)
            for (long r = 1; r <= 19; ++r)
                fillPoint(Reco.GridPoints[c][r], static_cast<int>(c * 100 + r));
        resetGridForNewDiagram(keep);
        for (long c = 1; c <= 19; ++c) {
            for (long r = 1; r <= 19; ++r) {
                const BC& p = Reco.GridPoints[c][r];
                const bool corner = keep && (c == 3 || c == 10) && (r == 4 || r == 12);
                SCOPED_TRACE(testing::Message() << "keep " << keep << " point " << c << "," << r);
                EXPECT_EQ(p.Typ, -1);
                EXPECT_EQ(p.Text, "");
                EXPECT_EQ(p.CoordC, IntPoint{});
                EXPECT_EQ(p.Size, IntSize{});
                EXPECT_EQ(p.PatternConf, 0);
                EXPECT_EQ(p.DenLine, -1);
                EXPECT_EQ(p.DenLine1, -1);
                EXPECT_EQ(p.Denstone, -1);
                EXPECT_EQ(p.Lsw, -1);
                EXPECT_EQ(p.Estdig[1], 0);
                EXPECT_EQ(p.Estdig[3], 0);
                if (corner) {
                    EXPECT_EQ(p.Coord, (IntPoint{static_cast<int32_t>(c * 100 + r), static_cast<int32_t>(c * 100 + r + 1)}));
                    EXPECT_EQ(p.Est, 88);
                } else {
                    EXPECT_EQ(p.Coord, IntPoint{});
                    EXPECT_EQ(p.Est, 0);
                }
            }
        }
    }
}

TEST_F(TablesTest, MoveColourRule)
{
    struct Case {
        int32_t first, move, colour;
    };
    for (const Case& k : {Case{1, 1, 1}, Case{1, 2, 2}, Case{2, 1, 2}, Case{2, 2, 1}, Case{1, 500, 2}, Case{2, 499, 2}}) {
        Reco.FirstMoveColour = k.first;
        EXPECT_EQ(moveColour(k.move), k.colour) << "first " << k.first << " move " << k.move;
    }
}

TEST_F(TablesTest, SlotPredicates)
{
    struct Case {
        MoveRecord m;
        bool free, placed;
    };
    for (const Case& k : {Case{{20, 20}, true, false}, Case{{20, 21}, true, false}, Case{{5, 5}, false, true},
                          Case{{0, 0}, true, false}, Case{{19, 19}, false, true}}) {
        EXPECT_EQ(isFreeSlot(k.m), k.free) << int(k.m.X) << "," << int(k.m.Y);
        EXPECT_EQ(isPlaced(k.m), k.placed) << int(k.m.X) << "," << int(k.m.Y);
    }
}

TEST_F(TablesTest, CheckedArraysRefuseIndexesOutsideTheirBounds)
{
    EXPECT_THROW(Reco.GridPoints[0][1], RangeError);
    EXPECT_THROW(Reco.GridPoints[1][20], RangeError);
    EXPECT_THROW(Reco.MoveTable[501], RangeError);
    EXPECT_THROW(Reco.MoveTable[-1], RangeError);
    EXPECT_THROW(Reco.StoneSizes[3], RangeError);
    EXPECT_THROW(Reco.SetupStones[0], RangeError);
    EXPECT_NO_THROW(Reco.MoveTable[0]);
    EXPECT_NO_THROW(Reco.GridPoints[19][19]);
}

TEST_F(TablesTest, BoundedListsRefusePastCapacityAndLogOnce)
{
    auto& black = Reco.SetupStones[1];
    for (int i = 1; i <= 100; ++i)
        ASSERT_TRUE(black.add({i % 19 + 1, 1}, "Black setup stones"));
    EXPECT_FALSE(black.add({1, 1}, "Black setup stones"));
    EXPECT_FALSE(black.add({2, 2}, "Black setup stones"));
    EXPECT_EQ(black.Count, 100);
    ASSERT_EQ(RecoLog.lines().size(), 1u);
    EXPECT_EQ(RecoLog.lines()[0], "Black setup stones is full (100 entries): further entries not listed");
    EXPECT_THROW(black[101], RangeError);

    // Capacities as the tables are declared: one missed-move entry per move slot.
    for (int i = 1; i <= 500; ++i)
        ASSERT_TRUE(Reco.MissedMoves.add({i, 1}));
    EXPECT_FALSE(Reco.MissedMoves.add({501, 1}));
    for (int i = 1; i <= 200; ++i)
        ASSERT_TRUE(Reco.RecogMistakes.add({}));
    EXPECT_FALSE(Reco.RecogMistakes.add({}));
    for (int i = 1; i <= 100; ++i)
        ASSERT_TRUE(Reco.DiaRecogMistakes.add({}));
    EXPECT_FALSE(Reco.DiaRecogMistakes.add({}));
    EXPECT_EQ(Reco.DoubleMoves.Capacity, 200);
    EXPECT_EQ(Reco.Segments.Capacity, 500);

    // A cleared list is refused again only after it fills up again.
    black.clear();
    EXPECT_TRUE(black.add({1, 1}));
    EXPECT_EQ(black.Count, 1);
}

TEST_F(TablesTest, EstdigHoldsNegativeTemplateScores)
{
    Reco.GridPoints[1][1].Estdig[2] = -110;
    EXPECT_EQ(Reco.GridPoints[1][1].Estdig[2], -110);
}

} // namespace
