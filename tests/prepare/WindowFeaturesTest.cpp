// The stone window cut-out and its ink features.
#include "common/CorpusRun.h"
#include "common/TestPage.h"
#include "prepare/RecordingHost.h"
#include "prepare/WindowFeatures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace quon;
using namespace quon::test;

namespace {

// Every feature, for comparing two computations.
struct Features {
    int32_t ink = 0;
    std::vector<int32_t> columnInk, columnMidInk, columnInkCentre, rowInk, rowInkCentre;
    std::array<int32_t, 9> zones{};
    std::array<std::array<int32_t, 5>, 3> zoneGrid{};
    std::array<std::array<int32_t, 7>, 7> reducedGrid{};
    int32_t mirrorX = 0, mirrorY = 0;
    bool operator==(const Features&) const = default;
};

Features currentFeatures(int32_t n)
{
    const WindowWorkingSet& s = Win;
    Features f;
    f.ink = s.WindowInkCount;
    for (int32_t i = 1; i <= n; ++i) {
        f.columnInk.push_back(s.ColumnInk[i]);
        f.columnMidInk.push_back(s.ColumnMidInk[i]);
        f.columnInkCentre.push_back(s.ColumnInkCentre[i]);
        f.rowInk.push_back(s.RowInk[i]);
        f.rowInkCentre.push_back(s.RowInkCentre[i]);
    }
    f.zones = {s.ZoneTop,       s.ZoneBottom,    s.ZoneLeft,       s.ZoneRight,     s.ZoneMidBands,
               s.ZoneCentreRight, s.ZoneUpperLeft, s.ZoneUpperRight, s.ZoneLowerRight};
    for (int a = 1; a <= 3; ++a)
        for (int b = 1; b <= 5; ++b)
            f.zoneGrid[a - 1][b - 1] = s.ZoneGrid[a][b];
    for (int a = 1; a <= 7; ++a)
        for (int b = 1; b <= 7; ++b)
            f.reducedGrid[a - 1][b - 1] = s.ReducedGrid[a][b];
    f.mirrorX = s.MirrorInkX;
    f.mirrorY = s.MirrorInkY;
    return f;
}

// The features counted pixel by pixel into every zone and cell, as they are
// defined.
Features plainFeatures(int32_t w, int32_t h)
{
    auto cut = [&](int32_t x, int32_t y) { return Win.CutWindow[x][y]; };
    const int32_t n = std::max(w, h);
    std::vector<int32_t> cc(n + 1), cm(n + 1), cs(n + 1), rc(n + 1), rs(n + 1);
    int32_t ink = 0;
    std::array<int32_t, 9> zs{}, zn{};
    int32_t zg[4][6] = {}, rg[8][8] = {};
    for (int32_t x = 1; x <= w; ++x) {
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t v = cut(x, y) > 0 ? 1 : 0;
            if (v) {
                ++cc[x];
                if (h / 4 < y && y < 3 * h / 4)
                    ++cm[x];
                cs[x] += y;
                ++rc[y];
                rs[y] += x;
                ++ink;
                if (w > 2 && h > 4)
                    ++zg[std::min(3, (x - 1) / (w / 3) + 1)][std::min(5, (y - 1) / (h / 5) + 1)];
                if (w > 6 && h > 6)
                    ++rg[std::min(7, (x - 1) / (w / 7) + 1)][std::min(7, (y - 1) / (h / 7) + 1)];
            }
            const bool in[9] = {
                y <= h / 5,
                y >= 4 * h / 5,
                x <= w / 5,
                x >= 4 * w / 5,
                w / 3 <= x && x <= 2 * w / 3 && ((h / 6 <= y && y <= h / 3) || (2 * h / 3 <= y && y <= 5 * h / 6)),
                w / 3 < x && x <= 5 * w / 6 && 3 * h / 8 <= y && y <= 5 * h / 8,
                1 < x && x <= w / 3 && y <= h / 2,
                2 * w / 3 <= x && x < w && y <= h / 2,
                2 * w / 3 <= x && x < w && y >= h / 2,
            };
            for (int z = 0; z < 9; ++z)
                if (in[z]) {
                    ++zn[z];
                    zs[z] += v;
                }
        }
    }
    Features f;
    for (int z = 0; z < 9; ++z)
        f.zones[z] = zn[z] > 0 ? zs[z] * 100 / zn[z] : 0;
    if (w > 2 && h > 4)
        for (int a = 1; a <= 3; ++a)
            for (int b = 1; b <= 5; ++b)
                f.zoneGrid[a - 1][b - 1] =
                    zg[a][b] * 100 / ((w / 3 + (a == 3 ? w % 3 : 0)) * (h / 5 + (b == 5 ? h % 5 : 0)));
    if (w > 6 && h > 6)
        for (int a = 1; a <= 7; ++a)
            for (int b = 1; b <= 7; ++b)
                f.reducedGrid[a - 1][b - 1] =
                    rg[a][b] * 100 / ((w / 7 + (a == 7 ? w % 7 : 0)) * (h / 7 + (b == 7 ? h % 7 : 0)));
    int32_t mx = 0, my = 0;
    for (int32_t x = 1; x <= w; ++x)
        for (int32_t y = 1; y <= h; ++y)
            if (cut(x, y) == 1) {
                mx += cut(w - x + 1, y) == 1;
                my += cut(x, h - y + 1) == 1;
            }
    f.mirrorX = ink > 0 ? mx * 100 / ink : 0;
    f.mirrorY = ink > 0 ? my * 100 / ink : 0;
    for (int32_t i = 1; i <= n; ++i) {
        f.columnInkCentre.push_back(cc[i] > 0 ? cs[i] * 100 / (cc[i] * h) : 0);
        f.rowInkCentre.push_back(rc[i] > 0 ? rs[i] * 100 / (rc[i] * w) : 0);
        f.columnInk.push_back(cc[i] * 100 / h);
        f.columnMidInk.push_back(cm[i] * 200 / h);
        f.rowInk.push_back(rc[i] * 100 / w);
    }
    f.ink = ink * 100 / (w * h);
    return f;
}

// Puts the window written as text on a page of its own size and cuts it.
IntSize cutText(const std::vector<std::string>& rows)
{
    installPage(pageFromText(rows));
    const IntSize size{static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size())};
    CopyWindow(size, IntPoint{0, 0});
    return size;
}

class WindowFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTablesToStart();
        Win = WindowWorkingSet{};
    }
    RecordingHost host;
};

} // namespace

TEST_F(WindowFeaturesTest, CrossWorkedByHand)
{
    // clang-format off
    const IntSize size = cutText({
        "..#..",
        "..#..",
        "#####",
        "..#..",
        "..#..",
    });
    // clang-format on
    ASSERT_TRUE(WindowFeatures(size, &host));
    const WindowWorkingSet& s = Win;
    EXPECT_EQ(s.WindowInkCount, 36); // 9 of 25
    EXPECT_EQ(currentFeatures(5).columnInk, (std::vector<int32_t>{20, 20, 100, 20, 20}));
    EXPECT_EQ(currentFeatures(5).rowInk, (std::vector<int32_t>{20, 20, 100, 20, 20}));
    // The middle half of a 5-row column is row 2 alone: 1 * 200 / 5.
    EXPECT_EQ(currentFeatures(5).columnMidInk, (std::vector<int32_t>{0, 0, 40, 0, 0}));
    EXPECT_EQ(currentFeatures(5).columnInkCentre, (std::vector<int32_t>{60, 60, 60, 60, 60}));
    EXPECT_EQ(currentFeatures(5).rowInkCentre, (std::vector<int32_t>{60, 60, 60, 60, 60}));
    EXPECT_EQ(s.ZoneTop, 20);
    EXPECT_EQ(s.ZoneBottom, 20);      // rows 4 and 5
    EXPECT_EQ(s.ZoneLeft, 20);
    EXPECT_EQ(s.ZoneRight, 20);       // columns 4 and 5
    EXPECT_EQ(s.ZoneMidBands, 55);    // columns 1..3 of rows 1, 3, 4: 5 of 9
    EXPECT_EQ(s.ZoneCentreRight, 55); // columns 2..4 of rows 1..3: 5 of 9
    EXPECT_EQ(s.ZoneUpperLeft, 0);    // no column between 1 (excluded) and 1
    EXPECT_EQ(s.ZoneUpperRight, 50);  // columns 3, 4 of rows 1, 2
    EXPECT_EQ(s.ZoneLowerRight, 62);  // columns 3, 4 of rows 2..5: 5 of 8
    // Cells of one column and one row, the last column of cells three wide.
    const std::array<std::array<int32_t, 5>, 3> zoneGrid = {{
        {0, 0, 100, 0, 0},
        {0, 0, 100, 0, 0},
        {33, 33, 100, 33, 33},
    }};
    EXPECT_EQ(currentFeatures(5).zoneGrid, zoneGrid);
    EXPECT_EQ(currentFeatures(5).reducedGrid, (std::array<std::array<int32_t, 7>, 7>{})); // 5 x 5 is too small
    EXPECT_EQ(s.MirrorInkX, 100);
    EXPECT_EQ(s.MirrorInkY, 100);
}

TEST_F(WindowFeaturesTest, StoneAndBoardWindowsWorkedByHand)
{
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        int32_t ink;
        std::vector<int32_t> columnInk, columnMidInk, columnInkCentre;
        int32_t zoneTop, mirrorX, mirrorY;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"filled disc", {
            "..###..",
            ".#####.",
            "#######",
            "#######",
            "#######",
            ".#####.",
            "..###..",
         }, 75, {42, 71, 100, 100, 100, 71, 42}, {57, 85, 85, 85, 85, 85, 57}, {57, 57, 57, 57, 57, 57, 57},
         42, 100, 100},
        {"ring", {
            "..###..",
            ".#...#.",
            "#.....#",
            "#.....#",
            "#.....#",
            ".#...#.",
            "..###..",
         }, 32, {42, 28, 28, 28, 28, 28, 42}, {57, 28, 0, 0, 0, 28, 57}, {57, 57, 57, 57, 57, 57, 57},
         42, 100, 100},
        {"empty crossing", {
            "...#...",
            "...#...",
            "...#...",
            "#######",
            "...#...",
            "...#...",
            "...#...",
         }, 26, {14, 14, 14, 100, 14, 14, 14}, {28, 28, 28, 85, 28, 28, 28}, {57, 57, 57, 57, 57, 57, 57},
         14, 100, 100},
        {"left edge point", {
            "##.....",
            "##.....",
            "##.....",
            "#######",
            "##.....",
            "##.....",
            "##.....",
         }, 38, {100, 100, 14, 14, 14, 14, 14}, {85, 85, 28, 28, 28, 28, 28}, {57, 57, 57, 57, 57, 57, 57},
         28, 36, 100},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IntSize size = cutText(c.rows);
        ASSERT_TRUE(WindowFeatures(size, &host));
        const Features f = currentFeatures(7);
        EXPECT_EQ(f.ink, c.ink);
        EXPECT_EQ(f.columnInk, c.columnInk);
        EXPECT_EQ(f.columnMidInk, c.columnMidInk);
        EXPECT_EQ(f.columnInkCentre, c.columnInkCentre);
        EXPECT_EQ(Win.ZoneTop, c.zoneTop);
        EXPECT_EQ(Win.MirrorInkX, c.mirrorX);
        EXPECT_EQ(Win.MirrorInkY, c.mirrorY);
        // A 7 x 7 window has one pixel per reduced cell.
        for (int a = 1; a <= 7; ++a)
            for (int b = 1; b <= 7; ++b)
                EXPECT_EQ(Win.ReducedGrid[a][b], c.rows[b - 1][a - 1] == '#' ? 100 : 0) << a << "," << b;
    }
}

TEST_F(WindowFeaturesTest, SizeLimits)
{
    installPage(blankPage(300, 300));
    struct Case {
        IntSize size;
        bool ok;
    };
    const Case cases[] = {{{2, 2}, true},   {{140, 140}, true}, {{1, 5}, false},  {{141, 10}, false},
                          {{10, 141}, false}, {{0, 0}, false},  {{-3, 7}, false}, {{200, 200}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size.Width) + "x" + std::to_string(c.size.Height));
        Reco.DebugRunState = 1;
        startWindowRun();
        host.messages.clear();
        EXPECT_EQ(CutWindowFeatures(c.size, IntPoint{5, 5}, &host), c.ok);
        EXPECT_EQ(Reco.DebugRunState, c.ok ? 1 : 2);
        if (c.ok) {
            EXPECT_TRUE(host.messages.empty());
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0], wrongSizeMessage(c.size));
        }
    }
    EXPECT_EQ(wrongSizeMessage(IntSize{1, 5}), "SZ - wrong size 1,5");
}

TEST_F(WindowFeaturesTest, RefusedWindowLeavesNoFeaturesAndOneBoxPerRun)
{
    installPage(pageFromText({"####", "####", "####", "####"}));
    ASSERT_TRUE(CutWindowFeatures(IntSize{4, 4}, IntPoint{0, 0}, &host));
    ASSERT_EQ(Win.WindowInkCount, 100);
    startWindowRun();
    EXPECT_FALSE(CutWindowFeatures(IntSize{1, 4}, IntPoint{0, 0}, &host));
    EXPECT_FALSE(CutWindowFeatures(IntSize{150, 4}, IntPoint{0, 0}, &host));
    EXPECT_FALSE(WindowFeatures(IntSize{0, 4}, &host));
    // Nothing of the solid window is left for a caller that ignores the result.
    Features none;
    none.columnInk = none.columnMidInk = none.columnInkCentre = none.rowInk = none.rowInkCentre =
        std::vector<int32_t>(4, 0);
    EXPECT_EQ(currentFeatures(4), none);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"SZ - wrong size 1,4"}));
    EXPECT_EQ(host.logLines, (std::vector<std::string>{"SZ - wrong size 150,4", "SZ - wrong size 0,4"}));
    // A new run shows the box again.
    startWindowRun();
    EXPECT_FALSE(WindowFeatures(IntSize{1, 1}, &host));
    EXPECT_EQ(host.messages.size(), 2u);
    // Without a host nothing is shown, and the result is the same.
    EXPECT_FALSE(WindowFeatures(IntSize{1, 1}, nullptr));
}

TEST_F(WindowFeaturesTest, PixelsOutsideThePageAreBackground)
{
    // A black page of 10 x 8: the window hangs over every edge.
    installPage(pageFromText(std::vector<std::string>(8, std::string(10, '#'))));
    CopyWindow(IntSize{14, 12}, IntPoint{-2, -2});
    for (int32_t x = 1; x <= 14; ++x)
        for (int32_t y = 1; y <= 12; ++y) {
            const bool inside = x >= 3 && x <= 12 && y >= 3 && y <= 10; // page columns 0..9, rows 0..7
            EXPECT_EQ(Win.CutWindow[x][y], inside ? 1 : 0) << x << "," << y;
        }
    // The column at the page width and the row at the page height read 0.
    CopyWindow(IntSize{2, 2}, IntPoint{9, 7});
    EXPECT_EQ(Win.CutWindow[1][1], 1);
    EXPECT_EQ(Win.CutWindow[2][1], 0);
    EXPECT_EQ(Win.CutWindow[1][2], 0);
    // Far outside, and a window larger than the working array is cut only
    // as far as it goes.
    CopyWindow(IntSize{5, 5}, IntPoint{-1000000, 2000000000});
    EXPECT_EQ(Win.CutWindow[1][1], 0);
    CopyWindow(IntSize{500, 300}, IntPoint{0, 0});
    EXPECT_EQ(Win.CutWindow[200][200], 0);
    EXPECT_EQ(Win.CutWindow[10][8], 1);
}

TEST_F(WindowFeaturesTest, AWindowOfARealPageIsItsInkPixelForPixel)
{
    // Windows of every shape the preparation cuts, at origins off the page's
    // bytes, over its right and bottom edges, on the page and its negative.
    const std::vector<std::filesystem::path> files = corpusFiles("book");
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUON_CORPUS_DIR;
    std::string error;
    MonoPage page = readMonoBmp(files.front().string(), error);
    ASSERT_TRUE(error.empty()) << error;
    const MonoPage positive = page;
    struct Cut {
        IntSize size;
        IntPoint origin;
    };
    const std::vector<Cut> cuts = {
        {{57, 61}, {301, 403}},
        {{70, 70}, {8, 16}},
        {{13, 200}, {-5, page.height - 150}},
        {{140, 23}, {page.width - 77, page.height - 9}},
        {{200, 200}, {page.width / 2 + 3, page.height / 3 + 5}},
    };
    for (bool negative : {false, true}) {
        if (negative)
            for (auto& b : page.bits)
                b = static_cast<uint8_t>(~b);
        installPage(page);
        for (const Cut& c : cuts) {
            CopyWindow(c.size, c.origin);
            for (int32_t x = 1; x <= c.size.Width; ++x)
                for (int32_t y = 1; y <= c.size.Height; ++y) {
                    const int32_t px = c.origin.X + x - 1, py = c.origin.Y + y - 1;
                    const bool on = px >= 0 && py >= 0 && px < page.width && py < page.height;
                    ASSERT_EQ(Win.CutWindow[x][y], on && positive.black(px, py) ? 1 : 0)
                        << (negative ? "negative " : "") << c.origin.X << "," << c.origin.Y << " cell " << x << ","
                        << y;
                }
        }
    }
}

TEST_F(WindowFeaturesTest, NegativePageGivesTheSameWindow)
{
    MonoPage p = blankPage(60, 60);
    drawBar(p, 10, 40, 20, 22);
    drawBar(p, 25, 27, 5, 50);
    installPage(p);
    ASSERT_TRUE(CutWindowFeatures(IntSize{40, 40}, IntPoint{5, 5}, &host));
    const Features positive = currentFeatures(40);
    for (auto& b : p.bits)
        b = static_cast<uint8_t>(~b);
    // A page of more ink than paper is taken as a negative.
    installPage(p);
    ASSERT_EQ(Reco.InkPolarity, 0);
    ASSERT_TRUE(CutWindowFeatures(IntSize{40, 40}, IntPoint{5, 5}, &host));
    EXPECT_EQ(currentFeatures(40), positive);
}

TEST_F(WindowFeaturesTest, GridCellsTakeTheRemainder)
{
    // 10 columns: ZoneGrid column 3 is 4 pixels wide, ReducedGrid column 7
    // too. Only the last 4 columns are black.
    MonoPage p = blankPage(10, 10);
    drawBar(p, 6, 9, 0, 9);
    installPage(p);
    ASSERT_TRUE(CutWindowFeatures(IntSize{10, 10}, IntPoint{0, 0}, &host));
    for (int b = 1; b <= 5; ++b) {
        EXPECT_EQ(Win.ZoneGrid[3][b], 100);
        EXPECT_EQ(Win.ZoneGrid[2][b], 0);
    }
    for (int b = 1; b <= 7; ++b) {
        EXPECT_EQ(Win.ReducedGrid[7][b], 100);
        EXPECT_EQ(Win.ReducedGrid[6][b], 0);
    }
    // 6 x 6 leaves the reduced grid empty; 7 x 7 fills it.
    installPage(pageFromText(std::vector<std::string>(7, "#######")));
    ASSERT_TRUE(CutWindowFeatures(IntSize{6, 6}, IntPoint{0, 0}, &host));
    EXPECT_EQ(currentFeatures(6).reducedGrid, (std::array<std::array<int32_t, 7>, 7>{}));
    EXPECT_EQ(Win.ZoneGrid[1][1], 100);
    ASSERT_TRUE(CutWindowFeatures(IntSize{7, 7}, IntPoint{0, 0}, &host));
    EXPECT_EQ(Win.ReducedGrid[1][1], 100);
    EXPECT_EQ(Win.ReducedGrid[7][7], 100);
    // A window of 2 x 4 has no zone grid either.
    ASSERT_TRUE(CutWindowFeatures(IntSize{2, 4}, IntPoint{0, 0}, &host));
    EXPECT_EQ(currentFeatures(2).zoneGrid, (std::array<std::array<int32_t, 5>, 3>{}));
}

TEST_F(WindowFeaturesTest, SolidAndEmptyWindows)
{
    for (const IntSize size : {IntSize{2, 2}, IntSize{9, 13}, IntSize{46, 48}, IntSize{140, 140}}) {
        SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
        const int32_t w = size.Width, h = size.Height;
        installPage(pageFromText(std::vector<std::string>(static_cast<size_t>(h), std::string(w, '#'))));
        Reco.InkPolarity = 1; // a big black page would be taken as a negative
        ASSERT_TRUE(CutWindowFeatures(size, IntPoint{0, 0}, &host));
        int32_t midRows = 0;
        for (int32_t y = 1; y <= h; ++y)
            midRows += h / 4 < y && y < 3 * h / 4;
        EXPECT_EQ(Win.WindowInkCount, 100);
        EXPECT_EQ(Win.ColumnInk[1], 100);
        EXPECT_EQ(Win.RowInk[h], 100);
        EXPECT_EQ(Win.ColumnMidInk[w], midRows * 200 / h);
        EXPECT_EQ(Win.ColumnInkCentre[1], (h * (h + 1) / 2) * 100 / (h * h));
        EXPECT_EQ(Win.RowInkCentre[1], (w * (w + 1) / 2) * 100 / (w * w));
        EXPECT_EQ(Win.MirrorInkX, 100);
        EXPECT_EQ(Win.ZoneTop, h >= 5 ? 100 : 0); // y <= h / 5 holds no row of a shorter window
        if (w > 6 && h > 6) {
            EXPECT_EQ(Win.ReducedGrid[4][4], 100);
        }

        installPage(blankPage(w, h));
        ASSERT_TRUE(CutWindowFeatures(size, IntPoint{0, 0}, &host));
        EXPECT_EQ(currentFeatures(std::max(w, h)), plainFeatures(w, h));
        EXPECT_EQ(Win.WindowInkCount, 0);
        EXPECT_EQ(Win.ColumnInkCentre[1], 0);
        EXPECT_EQ(Win.MirrorInkY, 0);
        EXPECT_EQ(Win.ZoneLowerRight, 0);
    }
}

TEST_F(WindowFeaturesTest, AgreesWithPixelByPixelCounting)
{
    // Random windows of every shape, blobs and noise, against the features
    // counted pixel by pixel.
    std::mt19937 rng(124);
    MonoPage p = blankPage(400, 400);
    for (int i = 0; i < 4000; ++i) {
        const int32_t x = static_cast<int32_t>(rng() % 390), y = static_cast<int32_t>(rng() % 390);
        drawBar(p, x, x + static_cast<int32_t>(rng() % 10), y, y + static_cast<int32_t>(rng() % 10));
    }
    installPage(p);
    for (int trial = 0; trial < 400; ++trial) {
        const IntSize size{2 + static_cast<int32_t>(rng() % 139), 2 + static_cast<int32_t>(rng() % 139)};
        const IntPoint origin{static_cast<int32_t>(rng() % 420) - 60, static_cast<int32_t>(rng() % 420) - 60};
        ASSERT_TRUE(CutWindowFeatures(size, origin, &host));
        ASSERT_EQ(currentFeatures(std::max(size.Width, size.Height)), plainFeatures(size.Width, size.Height))
            << "window " << size.Width << "x" << size.Height << " at " << origin.X << "," << origin.Y;
    }
}
