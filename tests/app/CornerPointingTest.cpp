#include "app/CornerPointing.h"

#include <gtest/gtest.h>

using namespace quon;

class CornerPointing : public ::testing::Test {
  protected:
    void SetUp() override { resetTablesToStart(); }
};

TEST_F(CornerPointing, CornersCycle)
{
    EXPECT_EQ(nextCorner(2), 4);
    EXPECT_EQ(nextCorner(4), 6);
    EXPECT_EQ(nextCorner(6), 8);
    EXPECT_EQ(nextCorner(8), 2);
}

TEST_F(CornerPointing, EachCornerWritesItsWindowPoint)
{
    Reco.DiagramWindow = {12, 12, 19, 19};
    struct Case {
        uint8_t corner;
        int col, row;
    };
    for (const Case& k : {Case{2, 12, 12}, Case{4, 19, 12}, Case{6, 19, 19}, Case{8, 12, 19}}) {
        SCOPED_TRACE(static_cast<int>(k.corner));
        storePointedCorner(k.corner, {100 + k.corner, 200 + k.corner});
        EXPECT_EQ(Reco.CurPointX, k.col);
        EXPECT_EQ(Reco.CurPointY, k.row);
        EXPECT_EQ(Reco.GridPoints[k.col][k.row].Coord, (IntPoint{100 + k.corner, 200 + k.corner}));
    }
}

TEST_F(CornerPointing, ResetClearsTheWindowCornersAndMarksTheBoardCorners)
{
    Reco.DiagramWindow = {1, 1, 10, 12};
    for (auto [c, r] : {std::pair{1, 1}, {1, 12}, {10, 1}, {10, 12}, {5, 5}})
        Reco.GridPoints[c][r].Coord = {7, 9};
    resetPointedCorners();
    for (auto [c, r] : {std::pair{1, 1}, {1, 12}, {10, 1}, {10, 12}})
        EXPECT_EQ(Reco.GridPoints[c][r].Coord, (IntPoint{0, 0}));
    EXPECT_EQ(Reco.GridPoints[5][5].Coord, (IntPoint{7, 9}));
    for (auto [c, r] : {std::pair{1, 1}, {1, 19}, {19, 1}, {19, 19}})
        EXPECT_EQ(Reco.GridPoints[c][r].Est, 80);
    EXPECT_EQ(Reco.GridPoints[10][12].Est, 0);
}

TEST_F(CornerPointing, AWindowOffTheBoardChangesNothing)
{
    Reco.DiagramWindow = {1, 1, 19, 20};
    Reco.GridPoints[1][1].Coord = {7, 9};
    EXPECT_THROW(resetPointedCorners(), RangeError);
    EXPECT_EQ(Reco.GridPoints[1][1].Coord, (IntPoint{7, 9}));
}

TEST_F(CornerPointing, EnoughCorners)
{
    Reco.DiagramWindow = {1, 1, 19, 19};
    struct Case {
        const char* name;
        std::vector<uint8_t> pointed;
        bool enough;
    };
    for (const Case& k : {Case{"all four", {2, 4, 6, 8}, true}, Case{"left top and right bottom", {2, 6}, true},
                          Case{"right top and left bottom", {4, 8}, true}, Case{"left top only", {2}, false},
                          Case{"the top two", {2, 4}, false}, Case{"none", {}, false}}) {
        SCOPED_TRACE(k.name);
        resetPointedCorners();
        for (uint8_t c : k.pointed)
            storePointedCorner(c, {10 * c, 20 * c});
        EXPECT_EQ(enoughCornersPointed(), k.enough);
    }
}

TEST_F(CornerPointing, Texts)
{
    EXPECT_EQ(cornerTitle(2), "Left Top Corner");
    EXPECT_EQ(cornerLineReset(6), "Right Bottom Corner X=0   Y=0");
    EXPECT_EQ(cornerLine(8, {12, 345}), "Left Bottom Corner X=12 Y=345");
}
