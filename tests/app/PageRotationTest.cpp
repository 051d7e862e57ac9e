#include "app/PageRotation.h"

#include <gtest/gtest.h>

#include <numbers>
#include <set>
#include <utility>

using namespace quon;

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;
using PixelSet = std::set<std::pair<int, int>>;

// A page with ink at the given pixels; polarity 1 draws black ink on white,
// polarity 0 white ink on black.
MonoBitmap pageWithInk(int w, int h, const PixelSet& ink, int polarity)
{
    MonoBitmap page(w, h, static_cast<uint8_t>(polarity));
    for (const auto& [x, y] : ink)
        page.setBit(x, y, static_cast<uint8_t>(1 - polarity));
    return page;
}

PixelSet inkOf(const MonoBitmap& page, int polarity)
{
    PixelSet ink;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (page.bit(x, y) != polarity)
                ink.insert({x, y});
    return ink;
}

std::string show(const PixelSet& s)
{
    std::string out;
    for (const auto& [x, y] : s)
        out += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return out;
}

} // namespace

TEST(PageRotation, NewSizes)
{
    struct Case {
        int w, h;
        long double angle;
        int nw, nh;
    };
    for (const Case& k : {Case{100, 60, Pi, 100, 60}, Case{100, 60, Pi / 2, 60, 100}, Case{100, 60, -Pi / 2, 60, 100},
                          // trunc(100 cos 30 + 60 sin 30), trunc(100 sin 30 + 60 cos 30)
                          Case{100, 60, Pi / 6, 116, 101}, Case{100, 60, -Pi / 6, 116, 101}}) {
        SCOPED_TRACE(static_cast<double>(k.angle));
        const MonoBitmap page(k.w, k.h, 1);
        const MonoBitmap out = rotatePage(page.rows(), k.angle, 1);
        EXPECT_EQ(out.width, k.nw);
        EXPECT_EQ(out.height, k.nh);
    }
}

// Isolated ink pixels of an asymmetric figure go where the turn sends them,
// on a positive and on a negative page alike. A pixel whose new place falls
// on the first column or row, or past the page, is lost.
TEST(PageRotation, PixelsOfAnAsymmetricPageAfterEachTurn)
{
    const int W = 11, H = 8;
    // Far enough apart (3 pixels) that no spread of one meets another's.
    const PixelSet ink = {{2, 1}, {5, 1}, {9, 2}, {2, 4}, {6, 5}, {9, 6}, {3, 7}, {10, 0}};
    struct Case {
        const char* name;
        long double angle;
        int nw, nh;
        PixelSet expected;
    };
    // Right 90: (x, y) -> (2 (H div 2) - y, x); Left 90: (y, 2 (W div 2) - x);
    // 180: (2 (W div 2) - x, 2 (H div 2) - y).
    const Case cases[] = {
        {"Right90", Pi / 2, H, W, {{7, 2}, {7, 5}, {6, 9}, {4, 2}, {3, 6}, {2, 9}, {1, 3}}},
        {"Left90", -Pi / 2, H, W, {{1, 8}, {1, 5}, {2, 1}, {4, 8}, {5, 4}, {6, 1}, {7, 7}}},
        {"N180", Pi, W, H, {{8, 7}, {5, 7}, {1, 6}, {8, 4}, {4, 3}, {1, 2}, {7, 1}}},
    };
    for (int polarity : {1, 0}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(std::string(k.name) + (polarity ? " positive" : " negative"));
            const MonoBitmap out = rotatePage(pageWithInk(W, H, ink, polarity).rows(), k.angle, polarity);
            ASSERT_EQ(out.width, k.nw);
            ASSERT_EQ(out.height, k.nh);
            EXPECT_EQ(inkOf(out, polarity), k.expected) << show(inkOf(out, polarity));
        }
    }
}

TEST(PageRotation, RightThenLeftGivesThePixelsBack)
{
    const PixelSet ink = {{3, 2}, {7, 2}, {3, 9}, {11, 6}, {6, 12}};
    const MonoBitmap page = pageWithInk(14, 15, ink, 1);
    const MonoBitmap right = rotatePage(page.rows(), Pi / 2, 1);
    const MonoBitmap back = rotatePage(right.rows(), -Pi / 2, 1);
    EXPECT_EQ(back.width, 14);
    EXPECT_EQ(back.height, 15);
    EXPECT_EQ(inkOf(back, 1), ink);
}

// A solid page: every count goes far past 80 without wrapping round, and
// the first column and row stay background. On a negative page the corners
// the turn opens take the background too.
TEST(PageRotation, SolidInkSaturatesAndTheFirstColumnAndRowStayBackground)
{
    for (int polarity : {1, 0}) {
        SCOPED_TRACE(polarity);
        const MonoBitmap solid(300, 300, static_cast<uint8_t>(1 - polarity));
        for (long double angle : {Pi / 2, Pi / 6}) {
            const MonoBitmap out = rotatePage(solid.rows(), angle, polarity);
            for (int x = 0; x < out.width; ++x)
                ASSERT_EQ(out.bit(x, 0), polarity) << "row 0, column " << x;
            for (int y = 0; y < out.height; ++y)
                ASSERT_EQ(out.bit(0, y), polarity) << "column 0, row " << y;
            // The middle of the turned page is ink throughout.
            for (int y = out.height / 2 - 50; y < out.height / 2 + 50; ++y)
                for (int x = out.width / 2 - 50; x < out.width / 2 + 50; ++x)
                    ASSERT_NE(out.bit(x, y), polarity) << x << "," << y;
            if (angle == Pi / 6) {
                // The corners lie outside the turned square.
                EXPECT_EQ(out.bit(2, out.height - 2), polarity);
                EXPECT_EQ(out.bit(out.width - 2, 2), polarity);
                EXPECT_EQ(out.bit(out.width - 2, out.height - 2), polarity);
            }
        }
    }
}
