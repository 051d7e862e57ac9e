// Drawing helpers with the original canvas conventions, checked pixel by pixel.
#include "platform/ui/Canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

namespace quon::canvas {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

QImage blank(int w, int h, QRgb fill = kWhite)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// The image as rows of '#' (black) and '.' (anything else).
std::string rows(const QImage& img)
{
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, y) == kBlack ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(Canvas, LinesLeaveOutTheirEndPoint)
{
    QImage img = blank(6, 4);
    {
        QPainter p(&img);
        p.setPen(winPen(Qt::black, 1));
        lineTo(p, 0, 0, 5, 0); // horizontal
        lineTo(p, 0, 1, 0, 4); // vertical
        lineTo(p, 2, 1, 5, 4); // diagonal
        lineTo(p, 5, 3, 3, 1); // diagonal, backwards: ends short of (3, 1)
    }
    // clang-format off
    EXPECT_EQ(rows(img),
              "#####.\n"
              "#.#...\n"
              "#..##.\n"
              "#...##\n");
    // clang-format on
}

TEST(Canvas, EllipseAndRectangleStayInsideTheirBox)
{
    for (const bool withPen : {false, true}) {
        QImage img = blank(9, 9);
        {
            QPainter p(&img);
            p.setPen(withPen ? winPen(Qt::black, 1) : QPen(Qt::NoPen));
            p.setBrush(Qt::black);
            ellipse(p, 2, 2, 7, 7); // pixels 2..6
        }
        // clang-format off
        EXPECT_EQ(rows(img),
                  ".........\n"
                  ".........\n"
                  "...###...\n"
                  "..#####..\n"
                  "..#####..\n"
                  "..#####..\n"
                  "...###...\n"
                  ".........\n"
                  ".........\n") << (withPen ? "pen" : "no pen");
        // clang-format on
    }
    QImage img = blank(6, 5);
    {
        QPainter p(&img);
        p.setPen(winPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        rectangle(p, 1, 1, 5, 4);
    }
    // clang-format off
    EXPECT_EQ(rows(img),
              "......\n"
              ".####.\n"
              ".#..#.\n"
              ".####.\n"
              "......\n");
    // clang-format on
}

TEST(Canvas, RasterOperationsCombineBitwise)
{
    struct Case {
        RasterOp op;
        QRgb dst, src, want;
    };
    for (const Case& c : {Case{RasterOp::Copy, 0xFF123456, 0xFF654321, 0xFF654321},
                          Case{RasterOp::And, 0xFFF0F0F0, 0xFF3C3C3C, 0xFF303030},
                          Case{RasterOp::Or, 0xFF0F0F00, 0xFF00F0F0, 0xFF0FFFF0}}) {
        QImage dst = blank(4, 4, c.dst);
        const QImage src = blank(2, 2, c.src);
        bitBlt(dst, 3, 3, src, c.op); // cut to the destination: one pixel
        EXPECT_EQ(dst.pixel(3, 3), c.want);
        EXPECT_EQ(dst.pixel(2, 2), c.dst);
    }
    QImage dst = blank(4, 4, kBlack);
    bitBlt(dst, 0, 0, blank(4, 4, kWhite), RasterOp::Copy, QRect(1, 1, 2, 2));
    EXPECT_EQ(dst.pixel(1, 1), kWhite);
    EXPECT_EQ(dst.pixel(0, 0), kWhite);
    EXPECT_EQ(dst.pixel(2, 2), kBlack);
}

TEST(Canvas, InvertingPenFlipsPixels)
{
    QImage img = blank(5, 1);
    img.setPixel(1, 0, kBlack);
    {
        QPainter p(&img);
        p.setPen(winPen(Qt::black, 1));
        setInvertingPen(p, true);
        lineTo(p, 0, 0, 3, 0);
    }
    EXPECT_EQ(rows(img), "#.#..\n");
}

TEST(Canvas, PointSizesAndFontNames)
{
    struct Case {
        int points, pixels;
    };
    for (const Case& c : {Case{12, 16}, Case{9, 12}, Case{8, 11}, Case{1, 1}, Case{0, 0}, Case{-12, -16}})
        EXPECT_EQ(pointsToPixels(c.points), c.pixels) << c.points;
    EXPECT_EQ(substituteFontName("Courier New"), "Liberation Mono");
    EXPECT_EQ(substituteFontName("courier new"), "Liberation Mono");
    EXPECT_EQ(substituteFontName("Arial"), "Liberation Sans");
    EXPECT_EQ(substituteFontName("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(substituteFontName("MS Sans Serif"), "DejaVu Sans");
    EXPECT_EQ(substituteFontName("Liberation Mono"), "Liberation Mono");

    const QFont em = makeFont("Courier New", 12, true);
    EXPECT_EQ(em.pixelSize(), 16);
    EXPECT_TRUE(em.bold());
    // A negative size asks for the whole character cell: it fits 16 pixels.
    const QFont cellSized = makeFont("Courier New", -12, false);
    EXPECT_LE(QFontMetrics(cellSized).height(), 16);
    EXPECT_LT(cellSized.pixelSize(), 16);
    EXPECT_EQ(makeFont("Courier New", 0, false).pixelSize(), 1);
}

TEST(Canvas, TextIsPlacedByTheTopOfItsCell)
{
    QImage img = blank(40, 40);
    {
        QPainter p(&img);
        p.setFont(makeFont("Courier New", 12, true));
        p.setPen(Qt::black);
        textOut(p, 5, 10, "H");
    }
    int top = -1;
    for (int y = 0; y < img.height() && top < 0; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                top = y;
                break;
            }
    EXPECT_GE(top, 10);
    EXPECT_LT(top, 16) << "the letter sits just below the top of its cell";
}

} // namespace
} // namespace quon::canvas
