// The raster back end of the drawing interface, pixel by pixel: end points,
// ellipse boxes, wide lines and their joints, inverting outlines, text.
#include "platform/ui/RasterCanvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

namespace quon {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

QImage blank(int w, int h, QRgb fill = kWhite)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// Rows of '#' (black), '.' (white) and '?' (anything else).
std::string rows(const QImage& img)
{
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            s += p == kBlack ? '#' : p == kWhite ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

TEST(RasterCanvas, ThinLinesPaintTheirFirstPointAndNotTheLast)
{
    QImage img = blank(6, 4);
    RasterCanvas c(img);
    c.setPen(0, GdiBlack); // width 0 draws one pixel
    c.moveTo(0, 0), c.lineTo(5, 0);
    c.moveTo(0, 3), c.lineTo(0, 1); // upwards: (0, 1) left out
    c.moveTo(2, 1), c.lineTo(5, 4);
    // clang-format off
    EXPECT_EQ(rows(img),
              "#####.\n"
              "..#...\n"
              "#..#..\n"
              "#...#.\n");
    // clang-format on
}

TEST(RasterCanvas, WideLinesAreCentredAndJoinWithoutANotch)
{
    QImage img = blank(8, 8);
    RasterCanvas c(img);
    c.setPen(3, GdiBlack);
    c.moveTo(3, 7); // a corner: up to (3, 3), then right past the picture
    c.lineTo(3, 3);
    c.lineTo(8, 3);
    // clang-format off
    EXPECT_EQ(rows(img),
              "........\n"
              "........\n"
              "..######\n"
              "..######\n"
              "..######\n"
              "..###...\n"
              "..###...\n"
              "..###...\n");
    // clang-format on
}

TEST(RasterCanvas, EllipseBoxLeavesOutRightAndBottom)
{
    QImage img = blank(7, 7);
    RasterCanvas c(img);
    c.setPen(1, GdiBlack);
    c.setBrush(GdiWhite);
    c.ellipse(1, 1, 6, 6); // 5 x 5 pixels from (1, 1)
    // clang-format off
    EXPECT_EQ(rows(img),
              ".......\n"
              "..###..\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#...#.\n"
              "..###..\n"
              ".......\n");
    // clang-format on
    QImage filled = blank(4, 4);
    RasterCanvas f(filled);
    f.setPen(1, GdiBlack);
    f.setBrush(GdiBlack);
    f.ellipse(3, 3, 0, 0); // a reversed box is the same box
    // clang-format off
    EXPECT_EQ(rows(filled),
              "###.\n"
              "###.\n"
              "###.\n"
              "....\n");
    // clang-format on
}

TEST(RasterCanvas, InvertingOutlineTurnsEachPixelOnce)
{
    // Half black, half white: the square's outline shows on both, and the
    // corners, where two sides meet, are turned once, not twice.
    QImage img = blank(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            img.setPixel(x, y, kBlack);
    RasterCanvas c(img);
    c.setPen(1, GdiBlack);
    c.setNullBrush();
    c.setInvertingPen(true);
    c.polygon({{1, 1}, {5, 1}, {5, 3}, {1, 3}});
    // clang-format off
    EXPECT_EQ(rows(img),
              "###....\n"
              "#..###.\n"
              "#.#..#.\n"
              "#..###.\n"
              "###....\n");
    // clang-format on
    // Back to plain drawing: the pen's colour again.
    c.setInvertingPen(false);
    c.moveTo(0, 4), c.lineTo(3, 4);
    EXPECT_EQ(rows(img).substr(32), "###....\n");
}

TEST(RasterCanvas, TextSitsByTheTopOfItsCellOnAnOpaqueBox)
{
    QImage img = blank(40, 40, kBlack);
    RasterCanvas c(img);
    GdiFont font;
    font.Height = 20;
    font.FaceName = "DejaVu Sans";
    c.setFont(font);
    const GdiSize ext = c.textExtent("7");
    EXPECT_LE(ext.cy, 20); // a positive height is the whole cell
    EXPECT_GE(ext.cy, 17);
    c.setTextColour(GdiBlack);
    c.setBackground(GdiWhite, true);
    c.textOut(5, 6, {"7", "7"});
    // The box of the text's extent is white around the black figure, and
    // nothing is drawn above or left of the reference point.
    EXPECT_EQ(img.pixel(5, 6), kWhite);
    EXPECT_EQ(img.pixel(5 + ext.cx - 1, 6 + ext.cy - 1), kWhite);
    EXPECT_EQ(img.pixel(4, 6), kBlack);
    EXPECT_EQ(img.pixel(5, 5), kBlack);
    EXPECT_EQ(img.pixel(5 + ext.cx, 6), kBlack);
    int ink = 0;
    for (int y = 6; y < 6 + ext.cy; ++y)
        for (int x = 5; x < 5 + ext.cx; ++x)
            ink += img.pixel(x, y) == kBlack ? 1 : 0;
    EXPECT_GT(ink, 10);
    // Transparent: only the figure is drawn.
    QImage clear = blank(40, 40, kBlack);
    RasterCanvas t(clear);
    t.setFont(font);
    t.setTextColour(GdiWhite);
    t.setBackground(GdiWhite, false);
    t.textOut(5, 6, {"7", "7"});
    EXPECT_EQ(clear.pixel(5, 6), kBlack);
}

TEST(RasterCanvas, FontRecordsMapToQtFonts)
{
    GdiFont cell;
    cell.Height = 22;
    cell.Weight = 800;
    cell.FaceName = "MS Sans Serif";
    const QFont a = fontFromGdi(cell);
    EXPECT_EQ(a.family(), "DejaVu Sans");
    EXPECT_LE(QFontMetrics(a).height(), 22);
    EXPECT_EQ(a.weight(), QFont::ExtraBold);
    GdiFont em = cell;
    em.Height = -22;
    EXPECT_EQ(fontFromGdi(em).pixelSize(), 22);
    GdiFont narrow = cell;
    narrow.Width = 5;
    EXPECT_LT(QFontMetrics(fontFromGdi(narrow)).averageCharWidth(), QFontMetrics(a).averageCharWidth());
    QtTextMetrics m;
    const std::vector<int32_t> adv = m.advances(cell, "123");
    ASSERT_EQ(adv.size(), 3u);
    EXPECT_EQ(adv[0] + adv[1] + adv[2], m.extent(cell, "123").cx);
}

} // namespace
} // namespace quon
