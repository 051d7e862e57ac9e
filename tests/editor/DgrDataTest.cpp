#include "editor/DgrData.h"

#include <gtest/gtest.h>

#include <climits>

using namespace quon;

TEST(DgrData, NewDocumentTakesTheDialogValuesAndTheDefaultFonts)
{
    const tDgrData d(19, 13, DgrNewSettings{24, 26, 30, 31, 2, 4, 3});
    EXPECT_EQ(d.checkInvariant(), "");
    EXPECT_EQ(d.Block, (DgrBlock{0, 0, 18, 12}));
    EXPECT_EQ(d.Cursor, (IntPoint{0, 0}));
    EXPECT_EQ(d.FileName, "");
    EXPECT_EQ(d.Grid.countNonZero(), 0);
    EXPECT_EQ(d.Display.StepX(), 24);
    EXPECT_EQ(d.Display.StepY(), 26);
    EXPECT_EQ(d.Display.intAt(8), 1);
    EXPECT_EQ(d.Display.intAt(12), 3);
    EXPECT_EQ(d.Display.intAt(16), 1);
    EXPECT_EQ(d.Picture.StepX(), 30);
    EXPECT_EQ(d.Picture.StepY(), 31);
    EXPECT_EQ(d.Picture.Line(), 2);
    EXPECT_EQ(d.Picture.Border(), 4);
    EXPECT_EQ(d.Picture.Rad(), 3);

    struct Font {
        int32_t height, width, weight;
        const char* face;
    };
    const Font screen[] = {{16, 0, 600, "Courier New"}, {16, 8, 400, "Courier New"}, {16, 6, 400, "Courier New"}};
    const Font picture[] = {
        {22, 0, 800, "MS Sans Serif"}, {19, 6, 600, "Microsoft Sans Serif"}, {17, 5, 500, "Microsoft Sans Serif"}};
    for (int n = 1; n <= 3; ++n) {
        for (const auto& [font, want] :
             {std::pair{d.Display.Font(n), screen[n - 1]}, std::pair{d.Picture.Font(n), picture[n - 1]}}) {
            EXPECT_EQ(font.Height, want.height) << n;
            EXPECT_EQ(font.Width, want.width) << n;
            EXPECT_EQ(font.Weight, want.weight) << n;
            EXPECT_EQ(font.faceNameUtf8(), want.face) << n;
            EXPECT_EQ(font.OutPrecision, 2);
            EXPECT_EQ(font.ClipPrecision, 1);
            EXPECT_EQ(font.Escapement | font.Orientation | font.Italic | font.Underline | font.StrikeOut |
                          font.CharSet | font.Quality | font.PitchAndFamily,
                      0);
        }
    }
    // Font records sit at 20, 80 and 140 of the block.
    EXPECT_EQ(d.Picture.Raw[20], 22);
    EXPECT_EQ(d.Picture.Raw[80], 19);
    EXPECT_EQ(d.Picture.Raw[140], 17);
    EXPECT_EQ(d.Picture.Raw[140 + 28], 'M');
    EXPECT_THROW(d.Display.Font(0), std::out_of_range);
    EXPECT_THROW(d.Display.Font(4), std::out_of_range);
}

TEST(DgrData, BlockSettersKeepTheBlockOrderedAndInside)
{
    struct Case {
        const char* what;
        DgrBlock start;
        bool setStart;
        IntPoint p;
        DgrBlock expected;
    };
    const DgrBlock mid{3, 4, 10, 12};
    const Case cases[] = {
        {"start inside", mid, true, {5, 6}, {5, 6, 10, 12}},
        {"start on the end", mid, true, {10, 12}, {10, 12, 10, 12}},
        {"start beyond the end", mid, true, {11, 6}, {0, 0, 18, 18}},
        {"start below the end", mid, true, {5, 13}, {0, 0, 18, 18}},
        {"start clamped", mid, true, {-5, -7}, {0, 0, 10, 12}},
        {"end inside", mid, false, {7, 8}, {3, 4, 7, 8}},
        {"end before the start", mid, false, {2, 8}, {0, 0, 18, 18}},
        {"end clamped", mid, false, {INT_MAX, 40}, {3, 4, 18, 18}},
        {"end at INT_MIN", mid, false, {INT_MIN, INT_MIN}, {0, 0, 18, 18}},
    };
    for (const Case& c : cases) {
        tDgrData d(19, 19);
        d.Block = c.start;
        if (c.setStart)
            d.SetBlockStart(c.p);
        else
            d.SetBlockEnd(c.p);
        EXPECT_EQ(d.Block, c.expected) << c.what;
        EXPECT_EQ(d.checkInvariant(), "") << c.what;
    }
    tDgrData d(19, 19);
    d.Block = mid;
    EXPECT_TRUE(d.InBlock(3, 4));
    EXPECT_TRUE(d.InBlock(10, 12));
    EXPECT_FALSE(d.InBlock(2, 4));
    EXPECT_FALSE(d.InBlock(10, 13));
    EXPECT_EQ(d.ClampPoint({-1, 19}), (IntPoint{0, 18}));
}

TEST(DgrData, ResizeKeepsTheCornerAndBringsBlockAndCursorBack)
{
    tDgrData d(19, 19);
    for (int32_t y = 0; y < 19; ++y)
        for (int32_t x = 0; x < 19; ++x)
            d.Grid.PutCell(x, y, DgrCell{static_cast<uint16_t>(y * 19 + x + 1), ElemCross, 0, 0, 0});
    d.Block = DgrBlock{5, 5, 17, 17};
    d.Cursor = IntPoint{16, 2};

    d.Resize(13, 13);
    EXPECT_EQ(d.checkInvariant(), "");
    EXPECT_EQ(d.Block, (DgrBlock{5, 5, 12, 12}));
    EXPECT_EQ(d.Cursor, (IntPoint{12, 2}));
    for (int32_t y = 0; y < 13; ++y)
        for (int32_t x = 0; x < 13; ++x)
            ASSERT_EQ(d.Grid.GetCell(x, y).Number, y * 19 + x + 1);

    d.Resize(19, 19);
    EXPECT_EQ(d.checkInvariant(), "");
    EXPECT_EQ(d.Block, (DgrBlock{5, 5, 12, 12}));
    for (int32_t y = 0; y < 19; ++y)
        for (int32_t x = 0; x < 19; ++x)
            ASSERT_EQ(d.Grid.GetCell(x, y).isZero(), x >= 13 || y >= 13) << x << "," << y;

    // A block wholly cut off becomes the whole grid.
    d.Block = DgrBlock{15, 15, 18, 18};
    d.Resize(10, 12);
    EXPECT_EQ(d.Block, (DgrBlock{0, 0, 9, 11}));
    EXPECT_EQ(d.checkInvariant(), "");

    d.Resize(0, 0);
    EXPECT_EQ(d.checkInvariant(), "");
    EXPECT_EQ(d.Block, (DgrBlock{0, 0, -1, -1}));
    d.SetBlockStart({3, 3});
    d.SetBlockEnd({3, 3});
    EXPECT_EQ(d.checkInvariant(), "");
    d.Resize(2, 3);
    EXPECT_EQ(d.Block, (DgrBlock{0, 0, 1, 2}));
    EXPECT_EQ(d.checkInvariant(), "");
}

TEST(DgrData, InvariantNamesWhatIsWrong)
{
    tDgrData d(5, 4);
    d.Block = DgrBlock{2, 1, 1, 3};
    EXPECT_NE(d.checkInvariant().find("block"), std::string::npos);
    d.BlockAll();
    d.Cursor = IntPoint{5, 0};
    EXPECT_NE(d.checkInvariant().find("cursor"), std::string::npos);
    d.fitBlockAndCursor();
    EXPECT_EQ(d.Cursor, (IntPoint{4, 0}));
    EXPECT_EQ(d.checkInvariant(), "");
}
