#include "model/PackedPage.h"

#include "common/BmpBuilder.h"

#include <gtest/gtest.h>

#include <random>

using namespace quon;

namespace {

// Rows in the page convention (bit 0 black), stride-padded like a QImage row.
struct Page {
    int width = 0, height = 0;
    int64_t bytesPerLine = 0;
    std::vector<uint8_t> bits;
    MonoRows rows() const { return {bits.data(), bytesPerLine, width, height}; }

    static Page fromRows(const std::vector<std::string>& rows, uint8_t padding = 0)
    {
        Page p;
        p.height = static_cast<int>(rows.size());
        p.width = p.height ? static_cast<int>(rows[0].size()) : 0;
        p.bytesPerLine = ((p.width + 31) / 32) * 4;
        p.bits.assign(static_cast<size_t>(p.bytesPerLine * p.height), padding);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                uint8_t& b = p.bits[static_cast<size_t>(y * p.bytesPerLine + x / 8)];
                const uint8_t mask = static_cast<uint8_t>(0x80 >> (x % 8));
                if (rows[y][x] == '#')
                    b &= static_cast<uint8_t>(~mask);
                else
                    b |= mask;
            }
        return p;
    }
    static Page filled(int w, int h, double blackShare, uint32_t seed)
    {
        std::mt19937 rng(seed);
        std::bernoulli_distribution black(blackShare);
        std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
        for (auto& r : rows)
            for (auto& c : r)
                c = black(rng) ? '#' : '.';
        return fromRows(rows);
    }
};

void install(const Page& p)
{
    Reco.ImageWidth = p.width;
    Reco.ImageHeight = p.height;
    FillImageArray(p.rows());
}

class PackedPageTest : public ::testing::Test {
protected:
    void SetUp() override { resetTablesToStart(); }
};

TEST_F(PackedPageTest, StrideAndLength)
{
    struct Case {
        int w, h, stride;
        size_t length;
    };
    for (const Case& k : {Case{1, 3, 1, 4}, Case{8, 2, 1, 3}, Case{9, 5, 2, 11}, Case{17, 1, 3, 4}}) {
        Page p = Page::filled(k.w, k.h, 0.5, 7);
        install(p);
        EXPECT_EQ(Reco.PackedStride, k.stride) << k.w;
        EXPECT_EQ(Reco.PackedImage.size(), k.length) << k.w;
        EXPECT_EQ(Reco.PackedImage.back(), 0) << "spare byte";
    }
}

TEST_F(PackedPageTest, GetPixReadsInkUnderBothPolarities)
{
    // clang-format off
    Page p = Page::fromRows({
        "#.........",
        "..#......#",
        ".........#",
    });
    // clang-format on
    install(p);
    for (int polarity : {1, 0}) {
        Reco.InkPolarity = polarity;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool black = (x == 0 && y == 0) || (x == 2 && y == 1) || (x == 9 && y > 0);
                EXPECT_EQ(GetPix(x, y), (black == (polarity == 1)) ? 1 : 0) << x << "," << y << " pol " << polarity;
            }
    }
}

TEST_F(PackedPageTest, GetPixAtTheEdges)
{
    // Padding bits of the last byte are copied as the rows hold them: here
    // they are 1 (white) as a page picture's padding usually is.
    Page p = Page::fromRows({"#########", "........."}, 0xFF);
    install(p);
    Reco.InkPolarity = 1;
    // Rows outside read as bit value 0 would: InkPolarity.
    EXPECT_EQ(GetPix(0, -1), 1);
    EXPECT_EQ(GetPix(0, 2), 1);
    Reco.InkPolarity = 0;
    EXPECT_EQ(GetPix(0, -1), 0);
    EXPECT_EQ(GetPix(3, 2), 0);
    Reco.InkPolarity = 1;
    // Column 9..15: padding of row 0 (white, background).
    EXPECT_EQ(GetPix(9, 0), 0);
    EXPECT_EQ(GetPix(15, 0), 0);
    // Column 16 = 8 x stride reads the first pixel of the next row.
    EXPECT_EQ(GetPix(16, 0), GetPix(0, 1));
    // ... and on the last row the spare byte, which is 0: bit value 0 is ink here.
    EXPECT_EQ(GetPix(16, 1), 1);
    // Beyond the spare byte, or left of the row, nothing is read.
    EXPECT_EQ(GetPix(24, 1), 0);
    EXPECT_EQ(GetPix(-1, 0), 0);
}

TEST_F(PackedPageTest, AStaleCopyIsNeverReadPastItsEnd)
{
    // A 100 x 60 page, then its sizes change (say, a rotation) without a
    // repack: every read stays inside the copy made for the old page.
    Page p = Page::filled(100, 60, 0.3, 3);
    install(p);
    Reco.ImageWidth = 60;
    Reco.ImageHeight = 100;
    long long ink = 0;
    for (int y = -2; y < 102; ++y)
        for (int x = -2; x < 120; ++x)
            ink += GetPix(x, y);
    EXPECT_GT(ink, 0);
}

TEST_F(PackedPageTest, GetPixMatchesAPlainReadingOfRandomPages)
{
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        const int w = 1 + static_cast<int>(seed * 37 % 90), h = 1 + static_cast<int>(seed * 11 % 40);
        Page p = Page::filled(w, h, 0.4, seed);
        install(p);
        Reco.InkPolarity = static_cast<int>(seed % 2);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool bit = (p.bits[static_cast<size_t>(y * p.bytesPerLine + x / 8)] >> (7 - x % 8)) & 1;
                ASSERT_EQ(GetPix(x, y), bit ? 1 - Reco.InkPolarity : Reco.InkPolarity) << seed << " " << x << "," << y;
            }
    }
}

TEST_F(PackedPageTest, CheckColorThreshold)
{
    // Rows 20..120 count; the page is a negative only when black exceeds
    // white there by more than 10 pixels per page width.
    const int w = 50, h = 130;
    auto pageWithBlackPixels = [&](int blackInCountedRows) {
        std::vector<std::string> rows(h, std::string(w, '.'));
        int left = blackInCountedRows;
        for (int y = 20; y <= 120 && left > 0; ++y)
            for (int x = 0; x < w && left > 0; ++x, --left)
                rows[y][x] = '#';
        // Rows outside the counted band do not matter.
        for (int y = 0; y < 20; ++y)
            rows[y] = std::string(w, '#');
        return Page::fromRows(rows);
    };
    const int total = 101 * w; // 5050 pixels counted
    struct Case {
        int black;
        int polarity;
    };
    // n = black - white = 2*black - total; negative when n > 10*w = 500.
    for (const Case& k : {Case{total / 2, 1}, Case{(total + 500) / 2, 1}, Case{(total + 502) / 2, 0},
                          Case{total * 6 / 10, 0}, Case{0, 1}, Case{total, 0}}) {
        Page p = pageWithBlackPixels(k.black);
        CheckColor(p.rows());
        EXPECT_EQ(Reco.InkPolarity, k.polarity) << k.black << " black pixels";
    }
}

TEST_F(PackedPageTest, CheckColorOnShortPagesCountsTheRowsThereAre)
{
    // 100 rows: rows 20..99 count. 15 rows: nothing counts, black is ink.
    Page black100 = Page::filled(40, 100, 1.0, 1);
    CheckColor(black100.rows());
    EXPECT_EQ(Reco.InkPolarity, 0);
    Page black15 = Page::filled(40, 15, 1.0, 1);
    CheckColor(black15.rows());
    EXPECT_EQ(Reco.InkPolarity, 1);
}

TEST_F(PackedPageTest, PageSizeLimits)
{
    EXPECT_EQ(pageSizeProblem(30000, 13333), "");
    EXPECT_EQ(pageSizeProblem(4960, 7016), ""); // A4 at 600 dpi
    EXPECT_EQ(pageSizeProblem(30001, 10), "The picture is 30001 x 10 pixels: larger than any page a scanner makes "
                                          "(at most 30000 pixels a side and 400 million pixels in all).");
    EXPECT_NE(pageSizeProblem(10, 30001), "");
    EXPECT_NE(pageSizeProblem(25000, 20000), ""); // 500 million pixels
    EXPECT_NE(pageSizeProblem(INT64_MAX, INT64_MAX), "");
    EXPECT_NE(pageSizeProblem(0, 10), "");
}

} // namespace
