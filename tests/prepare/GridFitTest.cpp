// Keeping the grid regular: the local re-spacing around a confirmed point and
// the refit of the untrusted points, on small grids of positions.
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

using namespace quon;

namespace {

class GridFit : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        Reco.BoardLineCount = 19;
        setWindow(DiagramRect{1, 1, 9, 9});
    }

    void setWindow(DiagramRect w)
    {
        Reco.DiagramWindow = w;
        Reco.DiagramWindowSize = DiagramSize{w.Right - w.Left + 1, w.Bottom - w.Top + 1};
    }

    // A regular grid: point (c, r) at (100 + 40 (c - 1), 200 + 50 (r - 1)),
    // all with the same Est.
    void layRegular(int32_t est)
    {
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r) {
                BC& p = Reco.GridPoints[c][r];
                p = BC{};
                p.Coord = IntPoint{100 + 40 * (c - 1), 200 + 50 * (r - 1)};
                p.Size = IntSize{40, 50};
                p.Est = est;
                p.Typ = TypUndecided;
            }
    }

    BC& pt(int32_t c, int32_t r) { return Reco.GridPoints[c][r]; }

    RecordingHost host;
    PrepareEngine engine{host};
};

} // namespace

TEST_F(GridFit, RespacingPutsThePointsBetweenAnchorsOnTheirLine)
{
    layRegular(0);
    // Row 5: anchor at column 2, the confirmed point at column 7, which sits
    // 10 px right and 5 px low; the points between are spread evenly.
    pt(2, 5).Est = 100;
    pt(7, 5).Est = 100;
    pt(7, 5).Coord = IntPoint{100 + 40 * 6 + 10, 200 + 50 * 4 + 5};
    Reco.CurPointX = 7;
    Reco.CurPointY = 5;
    engine.CorrectGridAround(false);
    const IntPoint a = pt(2, 5).Coord, b = pt(7, 5).Coord;
    for (int32_t c = 3; c <= 6; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(pt(c, 5).Size.Width, (b.X - a.X) / 5);
        EXPECT_EQ(pt(c, 5).Coord.X, a.X + (b.X - a.X) / 5 * (c - 2));
        EXPECT_EQ(pt(c, 5).Coord.Y, (b.Y * (c - 2) + a.Y * (7 - c)) / 5);
    }
    // The anchor itself does not move; without an anchor on the right the
    // walk runs to the window's right column, which anchors with its own
    // position.
    EXPECT_EQ(pt(2, 5).Coord, (IntPoint{140, 400}));
    EXPECT_EQ(pt(9, 5).Coord, (IntPoint{420, 400}));
    EXPECT_EQ(pt(8, 5).Coord.X, b.X + (420 - b.X) / 2);
}

TEST_F(GridFit, RespacingOnlyAcrossLeavesTheWalkedCoordinateAlone)
{
    layRegular(0);
    pt(5, 5).Est = 100;
    pt(5, 5).Coord = IntPoint{100 + 40 * 4 + 6, 200 + 50 * 4 + 8};
    Reco.CurPointX = 5;
    Reco.CurPointY = 5;
    engine.CorrectGridAround(true);
    // Along the row X stays, Y moves toward the confirmed point.
    EXPECT_EQ(pt(3, 5).Coord.X, 180);
    EXPECT_EQ(pt(3, 5).Size.Width, 40);
    EXPECT_EQ(pt(3, 5).Coord.Y, (408 * 2 + 400 * 2) / 4);
    // Along the column Y stays, X moves.
    EXPECT_EQ(pt(5, 3).Coord.Y, 300);
    EXPECT_EQ(pt(5, 3).Coord.X, (266 * 2 + 260 * 2) / 4);
}

TEST_F(GridFit, RefitThresholdAndCount)
{
    layRegular(100);
    pt(4, 4).Est = 88; // untrusted with margin 0
    pt(5, 5).Est = 89; // trusted with margin 0
    pt(4, 4).Coord = IntPoint{0, 0};
    EXPECT_EQ(engine.FitGridLines(0), 1);
    EXPECT_EQ(engine.BadPoints, 1);
    // Between trusted neighbours on straight lines it lands on the grid.
    EXPECT_EQ(pt(4, 4).Coord, (IntPoint{220, 350}));
    // With margin 1 the point of Est 89 is untrusted too.
    EXPECT_EQ(engine.FitGridLines(1), 2);
}

TEST_F(GridFit, CornersAreExtrapolatedFromTheirColumnAndRow)
{
    layRegular(100);
    struct Case {
        int32_t c, r;
    } corners[] = {{1, 1}, {9, 1}, {1, 9}, {9, 9}};
    for (const Case& k : corners) {
        SCOPED_TRACE(k.c * 100 + k.r);
        layRegular(100);
        // Est 89 is not above the threshold: the corner is refitted.
        pt(k.c, k.r).Est = 89;
        pt(k.c, k.r).Coord = IntPoint{7, 7};
        engine.FitGridLines(1);
        EXPECT_EQ(pt(k.c, k.r).Coord, (IntPoint{100 + 40 * (k.c - 1), 200 + 50 * (k.r - 1)}));
    }
    // A single trusted point in the corner's column and row: its values.
    layRegular(0);
    pt(1, 5).Est = 100;
    pt(1, 5).Coord = IntPoint{111, 444};
    pt(5, 1).Est = 100;
    pt(5, 1).Coord = IntPoint{333, 222};
    engine.FitGridLines(1);
    EXPECT_EQ(pt(1, 1).Coord, (IntPoint{111, 222}));
}

TEST_F(GridFit, EdgePointsAndStoneCells)
{
    layRegular(100);
    // A left-edge point between two trusted edge neighbours: their mean.
    pt(1, 4).Est = 0;
    pt(1, 4).Coord = IntPoint{0, 0};
    // Two edge points in a row: extrapolated along the edge column and row.
    pt(9, 6).Est = 0;
    pt(9, 7).Est = 0;
    pt(9, 6).Coord = pt(9, 7).Coord = IntPoint{0, 0};
    // An inner stone gets the cell of its colour's learned size.
    pt(5, 5).Est = 0;
    pt(5, 5).Typ = TypWhiteStatic;
    Reco.StoneSizes[2] = StoneSize{3849, 4451};
    EXPECT_EQ(engine.FitGridLines(1), 4);
    EXPECT_EQ(pt(1, 4).Coord, (IntPoint{100, 350}));
    EXPECT_EQ(pt(9, 6).Coord, (IntPoint{420, 450}));
    EXPECT_EQ(pt(9, 7).Coord, (IntPoint{420, 500}));
    EXPECT_EQ(pt(5, 5).Coord, (IntPoint{260, 400}));
    EXPECT_EQ(pt(5, 5).Size, (IntSize{38, 45}));
}

TEST_F(GridFit, ShowGridCoordsAsksToHide)
{
    layRegular(100);
    engine.ShowGridCoords();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Hide grid?");
}
