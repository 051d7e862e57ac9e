#include "editor/DgrData.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

using namespace quon;

namespace {

// Every cell numbered after its place, so moved cells can be recognised.
tDgr numberedGrid(int32_t w, int32_t h, uint16_t base = 0)
{
    tDgr g(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            g.PutCell(x, y, DgrCell{static_cast<uint16_t>(base + y * 100 + x + 1), ElemCross, StoneBlack, 0, 0});
    return g;
}

} // namespace

TEST(DgrCell, StoredAsSixLittleEndianBytesInFieldOrder)
{
    const DgrCell c{0x1234, ElemStar, StoneWhite, MarkTriangle, TestGap};
    uint8_t b[6];
    c.toBytes(b);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
    EXPECT_EQ(b[2], 10);
    EXPECT_EQ(b[3], 2);
    EXPECT_EQ(b[4], 177);
    EXPECT_EQ(b[5], 2);
    EXPECT_EQ(DgrCell::fromBytes(b), c);
}

TEST(DgrCell, NumberWinsOverMarkWhichWinsOverNothing)
{
    struct Case {
        uint16_t number;
        uint8_t mark;
        DgrCellShows shows;
    };
    const Case cases[] = {
        {0, 0, DgrCellShows::Nothing},        {12, 65, DgrCellShows::Number},    {999, 176, DgrCellShows::Number},
        {1000, 176, DgrCellShows::MarkShape}, {0, 180, DgrCellShows::MarkShape}, {0, 175, DgrCellShows::Label},
        {0, 181, DgrCellShows::Label},        {1000, 0, DgrCellShows::Nothing},  {0, 65, DgrCellShows::Label},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellShows(DgrCell{c.number, 0, 0, c.mark, 0}), c.shows) << c.number << " " << int(c.mark);
}

TEST(DgrGrid, CellsOutsideReadZeroAndIgnoreWrites)
{
    tDgr g = numberedGrid(4, 3);
    const tDgr before = g;
    // Coordinates that a 16-bit narrowing would have wrapped onto real cells.
    const int32_t outside[][2] = {
        {-1, 0}, {0, -1}, {4, 0}, {0, 3}, {65536, 0}, {0, 65536 + 1}, {INT_MIN, 0}, {INT_MAX, INT_MAX}, {65535, 65535}};
    for (const auto& p : outside) {
        EXPECT_TRUE(g.GetCell(p[0], p[1]).isZero()) << p[0] << "," << p[1];
        g.PutCell(p[0], p[1], DgrCell{7, 1, 1, 1, 1});
        g.SetElement(p[0], p[1], ElemStar);
        g.SetStone(p[0], p[1], StoneWhite);
    }
    EXPECT_EQ(g, before);
    g.SetElement(3, 2, ElemStar);
    g.SetStone(3, 2, StoneWhite);
    EXPECT_EQ(g.GetCell(3, 2), (DgrCell{204, ElemStar, StoneWhite, 0, 0}));
}

TEST(DgrGrid, SizesBeyondTheCapAreRefused)
{
    EXPECT_THROW(tDgr(-1, 5), std::length_error);
    EXPECT_THROW(tDgr(65536, 1), std::length_error);
    EXPECT_THROW(tDgr(2000, 1000), std::length_error);
    EXPECT_EQ(tDgr(65535, 1).DataSize(), 65535 * 6);
    EXPECT_EQ(tDgr(0, 7).DataSize(), 0);
}

TEST(DgrGrid, CopyFromTakesTheOverlapAtTheOrigin)
{
    tDgr small = numberedGrid(3, 5, 1000);
    tDgr big = numberedGrid(5, 3);
    big.CopyFrom(small);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(big.GetCell(x, y).Number, (x < 3 ? 1000 : 0) + y * 100 + x + 1) << x << "," << y;
}

TEST(DgrGrid, PasteAtClipsOnEverySide)
{
    struct Case {
        int32_t x0, y0;
        int pasted; // source cells that land in the 4 x 3 target
    };
    const Case cases[] = {{0, 0, 6}, {3, 2, 1}, {2, 1, 4}, {4, 0, 0}, {0, 3, 0}, {-1, -1, 2}, {-3, 0, 0}};
    for (const Case& c : cases) {
        tDgr target(4, 3);
        const tDgr source = numberedGrid(3, 2, 500);
        target.PasteAt(source, c.x0, c.y0);
        int pasted = 0;
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x) {
                const DgrCell cell = target.GetCell(x, y);
                if (cell.isZero())
                    continue;
                ++pasted;
                EXPECT_EQ(cell, source.GetCell(x - c.x0, y - c.y0)) << x << "," << y;
            }
        EXPECT_EQ(pasted, c.pasted) << c.x0 << "," << c.y0;
    }
}
