#include "app/PageGeometry.h"

#include <gtest/gtest.h>

using namespace quon;

TEST(PageGeometry, ZoomSizesNeverReachZero)
{
    EXPECT_EQ(zoomedSize(1000, 800, 50), (ShownSize{500, 400}));
    EXPECT_EQ(zoomedSize(1000, 800, 125), (ShownSize{1250, 1000}));
    EXPECT_EQ(zoomedSize(3, 3, 25), (ShownSize{1, 1})); // 75 div 100 = 0
    EXPECT_EQ(zoomedSize(1000, 800, 0), (ShownSize{1, 1}));
    EXPECT_EQ(zoomedSize(262144, 100000, 1000), (ShownSize{2621440, 1000000})); // no 32-bit overflow
    EXPECT_EQ(fittedSize(0, -5), (ShownSize{1, 1}));
}

TEST(PageGeometry, ZoomPercentFromTheCaption)
{
    EXPECT_EQ(zoomPercentOfCaption("Actual Size"), 100);
    EXPECT_EQ(zoomPercentOfCaption("75%"), 75);
    EXPECT_EQ(zoomPercentOfCaption("&150%"), 150);
    EXPECT_EQ(zoomPercentOfCaption("Fit to window"), std::nullopt);
    EXPECT_EQ(zoomPercentOfCaption("Fit to &window"), std::nullopt);
}

TEST(PageGeometry, ViewToPageAtTheEdges)
{
    struct Case {
        IntPoint view;
        int w, h;
        ShownSize shown;
        IntPoint page;
    };
    for (const Case& k : {
             Case{{100, 40}, 1000, 800, {500, 400}, {200, 80}}, // 50 %
             Case{{0, 0}, 1000, 800, {500, 400}, {0, 0}},
             Case{{499, 399}, 1000, 800, {500, 400}, {998, 798}},  // the last view pixel
             Case{{500, 400}, 1000, 800, {500, 400}, {1000, 800}}, // just past: off the page
             Case{{1, 1}, 1000, 800, {1500, 1200}, {0, 0}},        // 150 % truncates
             Case{{2, 2}, 1000, 800, {1500, 1200}, {1, 1}},
             Case{{-3, -1}, 1000, 800, {500, 400}, {-6, -2}}, // toward zero
             Case{{-1, -1}, 1000, 800, {1500, 1200}, {0, 0}},
         }) {
        SCOPED_TRACE(testing::Message() << k.view.X << "," << k.view.Y);
        EXPECT_EQ(viewToPage(k.view, k.w, k.h, k.shown), k.page);
    }
    EXPECT_EQ(clampToPage({1000, 800}, 1000, 800), (IntPoint{999, 799}));
    EXPECT_EQ(clampToPage({-6, 5}, 1000, 800), (IntPoint{0, 5}));
}

// The band keeps the press point as one corner whichever way the mouse
// goes, also after it has crossed back over the press point.
TEST(PageGeometry, DraggingTheBand)
{
    const IntPoint start{50, 50};
    EXPECT_EQ(dragCropRect(start, {80, 90}), (PixelRect{50, 50, 80, 90}));
    EXPECT_EQ(dragCropRect(start, {20, 30}), (PixelRect{20, 30, 50, 50}));
    EXPECT_EQ(dragCropRect(start, {20, 90}), (PixelRect{20, 50, 50, 90}));
    // A drag up and left by many small steps still spans from the start.
    PixelRect band{};
    for (int x = 49; x >= 10; --x)
        band = dragCropRect(start, {x, x});
    EXPECT_EQ(band, (PixelRect{10, 10, 50, 50}));
}

TEST(PageGeometry, CropIsClampedToThePage)
{
    const ShownSize half{500, 400}; // a 1000 x 800 page at 50 %
    EXPECT_EQ(cropToPage({10, 20, 110, 220}, 1000, 800, half), (PixelRect{20, 40, 220, 440}));
    // A band dragged past the view's edges stops at the page's.
    EXPECT_EQ(cropToPage({-40, -10, 700, 300}, 1000, 800, half), (PixelRect{0, 0, 1000, 600}));
    // No area, or wholly outside: empty.
    EXPECT_TRUE(isEmpty(cropToPage({100, 100, 100, 200}, 1000, 800, half)));
    EXPECT_TRUE(isEmpty(cropToPage({600, 10, 700, 50}, 1000, 800, half)));
    EXPECT_TRUE(isEmpty(cropToPage({-50, -50, -10, -10}, 1000, 800, half)));
    // Factors in hundredths: 1000 x 100 div 300 = 333.
    EXPECT_EQ(cropToPage({0, 0, 300, 300}, 1000, 1000, {300, 300}), (PixelRect{0, 0, 999, 999}));
}

TEST(PageGeometry, PrintScale)
{
    EXPECT_DOUBLE_EQ(printScale(600, 300), 2.0);
    EXPECT_DOUBLE_EQ(printScale(360, 300), 1.2);
    EXPECT_DOUBLE_EQ(printScale(300, 600), 0.5);   // a coarser printer still prints
    EXPECT_DOUBLE_EQ(printScale(600, 0), 600.0);   // resolution taken as at least 1
    EXPECT_DOUBLE_EQ(printScale(600, 299.6), 2.0); // the resolution is rounded
    EXPECT_DOUBLE_EQ(printScale(0, 300), 1.0 / 300);
}

TEST(PageGeometry, AngleText)
{
    struct Case {
        const char* text;
        std::optional<long double> angle;
    };
    for (const Case& k :
         {Case{"  5,5 ", 5.5L}, Case{"12.25", 12.25L}, Case{"___,__", std::nullopt}, Case{"   ,  ", std::nullopt},
          Case{"", std::nullopt}, Case{" 90,  ", 90.0L}, Case{"  ,5 ", 0.5L}, Case{"1,2,3", std::nullopt},
          Case{"abc", std::nullopt}, Case{"123,45", 123.45L}}) {
        SCOPED_TRACE(k.text);
        const auto a = parseAngleText(k.text);
        ASSERT_EQ(a.has_value(), k.angle.has_value());
        if (a) {
            EXPECT_NEAR(static_cast<double>(*a), static_cast<double>(*k.angle), 1e-12);
        }
    }
}

TEST(PageGeometry, SaveNames)
{
    struct Case {
        const char* chosen;
        const char* saved;
    };
    for (const Case& k : {
             Case{"page", "page.bmp"},
             Case{"page.BMP", "page.BMP"},
             Case{"page.bmp", "page.bmp"},
             Case{"page.png", "page.bmp"},
             Case{"a.b.png", "a.bmp"},
             Case{"page.1.bmp", "page.bmp"},
             Case{"/x/my.dir/page.png", "/x/my.dir/page.bmp"},
             Case{"/x/my.dir/page", "/x/my.dir/page.bmp"},
             Case{"/x/my.dir/page.BMP", "/x/my.dir/page.BMP"},
         }) {
        SCOPED_TRACE(k.chosen);
        EXPECT_EQ(bmpSaveName(k.chosen), k.saved);
    }
}
