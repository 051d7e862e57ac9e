// The board control under the offscreen platform: geometry, clicks, the
// pointer snapping and what it paints.
#include "model/ui/Board.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace quon {
namespace {

// A board inside a shown owner window, laid out at the given side.
struct BoardFixture {
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    TBoard* board = nullptr;

    explicit BoardFixture(int side, bool pictures = true)
    {
        owner->resize(side, side);
        board = new TBoard(owner.get());
        if (pictures) {
            board->Start();
            board->SetBoardPicture("LIGHTPIN.BMP");
        } else {
            board->SetRulesFlag(true);
        }
        owner->show();
        resize(side);
    }
    void resize(int side)
    {
        owner->resize(side, side);
        board->SetSize(side, side);
        board->Layout();
        board->RedrawAll();
        board->Repaint();
    }
    QImage grabbed() const { return board->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

int luminance(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }
bool isDark(QRgb c) { return luminance(c) < 70; }
bool isLight(QRgb c) { return luminance(c) > 215; }

int darkPixels(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += isDark(img.pixel(x, y));
    return n;
}

// Pixels clearly brighter than any part of the black stone picture (small
// text is smoothed, so white ink is not pure white everywhere).
int inkOnBlack(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += luminance(img.pixel(x, y)) > 150;
    return n;
}

bool sameRect(const QImage& a, const QImage& b, const QRect& r) { return a.copy(r) == b.copy(r); }

TEST(BoardGeometry, FitSizeMakesASquareOfAtLeast150)
{
    struct Case {
        int w, h, fw, fh;
        bool unchanged;
    };
    for (const Case& c :
         {Case{100, 300, 150, 150, false}, Case{200, 200, 200, 200, true}, Case{300, 200, 200, 200, false},
          Case{150, 150, 150, 150, true}, Case{0, -5, 150, 150, false}}) {
        int w = c.w, h = c.h;
        EXPECT_EQ(TBoard::FitSize(w, h), c.unchanged) << c.w << "x" << c.h;
        EXPECT_EQ(w, c.fw);
        EXPECT_EQ(h, c.fh);
    }
}

TEST(BoardGeometry, CellMarginCentreAndRect)
{
    struct Case {
        int side, cell, margin;
        QPoint centre11;
        QRect rect11;
    };
    for (const Case& c :
         {Case{400, 21, 0, {11, 11}, QRect(1, 1, 21, 21)}, Case{420, 22, 1, {13, 13}, QRect(2, 2, 22, 22)},
          Case{150, 7, 8, {12, 12}, QRect(9, 9, 7, 7)}}) {
        BoardFixture f(c.side, false);
        EXPECT_EQ(f.board->Cell(), c.cell) << c.side;
        EXPECT_EQ(f.board->Margin(), c.margin) << c.side;
        EXPECT_EQ(f.board->PointCenter(1, 1), c.centre11) << c.side;
        EXPECT_EQ(f.board->PointRect(1, 1), c.rect11) << c.side;
        EXPECT_EQ(f.board->PointCenter(19, 19), c.centre11 + QPoint(18 * c.cell, 18 * c.cell));
    }
}

// --- clicks ----------------------------------------------------------------

struct Clicks {
    std::vector<BoardPoint> seen;
    void attach(TBoard* b)
    {
        b->OnPointClick = [this](TBoard*, int x, int y) { seen.push_back({x, y}); };
    }
};

TEST(BoardMouse, ClicksAtCornersAndCentreAtTwoSizes)
{
    const BoardPoint targets[] = {{1, 1}, {19, 1}, {1, 19}, {19, 19}, {10, 10}};
    for (int side : {400, 293}) {
        BoardFixture f(side, false);
        Clicks clicks;
        clicks.attach(f.board);
        for (const BoardPoint& t : targets) {
            const QRect r = f.board->PointRect(t.x, t.y);
            // The centre, and the cell's first pixel (one inside the left edge
            // would belong to the previous column by the click formula).
            for (const QPoint& at : {f.board->PointCenter(t.x, t.y), r.topLeft() + QPoint(1, 1)}) {
                clicks.seen.clear();
                QTest::mouseClick(f.board, Qt::LeftButton, Qt::NoModifier, at);
                ASSERT_EQ(clicks.seen.size(), 1u) << side << " at " << at.x() << "," << at.y();
                EXPECT_EQ(clicks.seen[0], t) << side << " at " << at.x() << "," << at.y();
            }
        }
    }
}

TEST(BoardMouse, RightButtonPixelZeroAndOffBoardDoNothing)
{
    BoardFixture f(420, false);
    Clicks clicks;
    clicks.attach(f.board);
    QTest::mouseClick(f.board, Qt::RightButton, Qt::NoModifier, f.board->PointCenter(3, 3));
    QTest::mouseClick(f.board, Qt::LeftButton, Qt::NoModifier, QPoint(0, 50));
    QTest::mouseClick(f.board, Qt::LeftButton, Qt::NoModifier, QPoint(50, 0));
    QTest::mouseClick(f.board, Qt::LeftButton, Qt::NoModifier, QPoint(419, 419)); // beyond the last column
    EXPECT_TRUE(clicks.seen.empty());
}

TEST(BoardMouse, ClicksAreReportedInGameCoordinatesAfterTurning)
{
    BoardFixture f(400, false);
    Clicks clicks;
    clicks.attach(f.board);
    for (int code = 0; code < 8; ++code) {
        while (f.board->Orientation() != code)
            f.board->ApplyOrientation(BoardPosition::ComposeOrientation(f.board->Position().InverseOrientation(),
                                                                        code)); // go straight to `code`
        clicks.seen.clear();
        // Where game point (3, 5) is shown, the click must report (3, 5).
        QTest::mouseClick(f.board, Qt::LeftButton, Qt::NoModifier, f.board->GamePointCenter(3, 5));
        ASSERT_EQ(clicks.seen.size(), 1u);
        EXPECT_EQ(clicks.seen[0], (BoardPoint{3, 5})) << "orientation " << code;
    }
}

TEST(BoardMouse, PointerSnapsToPointCentres)
{
    BoardFixture f(400, false);
    const int c = f.board->Cell(); // 21
    const QPoint c55 = f.board->PointCenter(5, 5);
    QTest::mouseMove(f.board, c55 + QPoint(3, -2));
    QCoreApplication::processEvents();
    EXPECT_EQ(QCursor::pos(), f.board->mapToGlobal(c55));
    // More than half a cell to the right in small steps: the pointer moves on
    // to the next column only once the sum passes half a cell.
    QTest::mouseMove(f.board, c55 + QPoint(c / 2 - 3, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(QCursor::pos(), f.board->mapToGlobal(c55)) << "still on (5,5)";
    QTest::mouseMove(f.board, c55 + QPoint(6, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(QCursor::pos(), f.board->mapToGlobal(f.board->PointCenter(6, 5)));
}

// --- painting --------------------------------------------------------------

TEST(BoardPainting, StonesNumbersMarkersAndEmptyPoints)
{
    BoardFixture f(400);
    TBoard& b = *f.board;
    b.SetRulesFlag(false);
    b.SetPoint(3, 3, cell::Black);
    b.SetPoint(5, 3, cell::White);
    b.SetPoint(7, 3, cell::make(cell::White, 0, 7));    // white stone with a number
    b.SetPoint(9, 3, cell::make(cell::Black, 0, 123));  // black stone with a number
    b.SetPoint(11, 3, cell::MarkerCross);               // a marker only
    b.SetPoint(13, 3, cell::Black | cell::MarkerCross); // marker on a black stone
    b.SetPoint(15, 3, cell::White | cell::MarkerCrossInv);
    b.SetPoint(7, 7, cell::make(0, 'A'));
    b.RedrawPoints();
    b.Repaint();
    const QImage img = f.grabbed();
    const QImage& bg = b.Background();
    const int c = b.Cell();

    // Black stone: dark at the centre, board texture in the cell corner.
    const QRect r33 = b.PointRect(3, 3);
    EXPECT_TRUE(isDark(img.pixel(b.PointCenter(3, 3))));
    EXPECT_EQ(img.pixel(r33.topLeft()), bg.pixel(r33.topLeft()));
    // White stone: light at the centre, a dark rim, texture in the corner.
    const QRect r53 = b.PointRect(5, 3);
    EXPECT_TRUE(isLight(img.pixel(b.PointCenter(5, 3))));
    EXPECT_EQ(img.pixel(r53.topLeft()), bg.pixel(r53.topLeft()));
    EXPECT_GT(darkPixels(img, QRect(r53.left(), b.PointCenter(5, 3).y(), 3, 1)), 0)
        << "the white stone keeps an outline on the light board";
    // Numbers: black ink on the white stone, white ink on the black one.
    EXPECT_GT(darkPixels(img, b.PointRect(7, 3)), darkPixels(img, r53) + c / 2);
    const QRect r93 = b.PointRect(9, 3);
    EXPECT_GT(inkOnBlack(img, r93.adjusted(3, 3, -3, -3)), inkOnBlack(img, r33.adjusted(3, 3, -3, -3)) + c / 2);
    // Marker only: the cross is dark, and no grid line runs under it.
    const QRect r113 = b.PointRect(11, 3);
    const QPoint diag = r113.topLeft() + QPoint(c / 5 + 1, c / 5 + 1);
    EXPECT_TRUE(isDark(img.pixel(diag)));
    const int cx11 = b.PointCenter(11, 3).x();
    EXPECT_FALSE(isDark(img.pixel(cx11, r113.top() + 1))) << "no grid line under a marker";
    // An empty point shows its grid line there.
    const QRect r173 = b.PointRect(17, 3);
    EXPECT_TRUE(isDark(img.pixel(b.PointCenter(17, 3).x(), r173.top() + 1)));
    EXPECT_EQ(img.pixel(r173.topLeft() + QPoint(2, 2)), bg.pixel(r173.topLeft() + QPoint(2, 2)));
    // Marker on a black stone is white; an inverting one on a white stone dark.
    const QRect r133 = b.PointRect(13, 3);
    EXPECT_TRUE(isLight(img.pixel(r133.topLeft() + QPoint(c / 5 + 1, c / 5 + 1))));
    const QRect r153 = b.PointRect(15, 3);
    EXPECT_TRUE(isDark(img.pixel(r153.topLeft() + QPoint(c / 5 + 2, c / 5 + 2))));
    // A letter on an empty point draws dark ink.
    EXPECT_GT(darkPixels(img, b.PointRect(7, 7)), c);
    // A star point.
    const QPoint s44 = b.PointCenter(4, 4);
    EXPECT_TRUE(isDark(img.pixel(s44 + QPoint(1, 1))));
}

TEST(BoardPainting, EraseRestoresTheBackgroundAndOnlyChangedPointsAreDrawn)
{
    BoardFixture f(420);
    TBoard& b = *f.board;
    b.SetPoint(4, 4, cell::White);
    b.SetPoint(5, 4, cell::Black);
    b.RedrawPoints();
    const QImage before = b.Buffer();
    b.SetPoint(10, 10, cell::Black);
    b.RedrawPoints();
    const QImage after = b.Buffer();
    const QRect changed = b.PointRect(10, 10);
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (!changed.contains(x, y)) {
                ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;
            }
    EXPECT_FALSE(sameRect(after, b.Background(), changed));

    b.SetPoint(10, 10, 0);
    b.SetPoint(4, 4, 0);
    b.RedrawPoints();
    EXPECT_TRUE(sameRect(b.Buffer(), b.Background(), changed));
    EXPECT_TRUE(sameRect(b.Buffer(), b.Background(), b.PointRect(4, 4)));
}

TEST(BoardPainting, LockedPointsHatchRunsOnAcrossNeighboursWithAnOddCell)
{
    BoardFixture f(400); // cell 21, odd
    TBoard& b = *f.board;
    ASSERT_EQ(b.Cell() % 2, 1);
    b.SetRulesFlag(false);
    b.SetPoint(8, 2, cell::LockedBit); // locked, nothing else drawn
    b.SetPoint(9, 2, cell::LockedBit);
    b.RedrawPoints();
    const QImage& img = b.Buffer();
    const QRect a = b.PointRect(8, 2), n = b.PointRect(9, 2);
    const int y = a.top() + 3;
    // Along a row through both cells every second pixel is black (AND-ed by
    // the hatch), without a break at the boundary.
    for (int x = a.left(); x < n.right(); ++x) {
        const bool black = img.pixel(x, y) == 0xFF000000u;
        const bool nextBlack = img.pixel(x + 1, y) == 0xFF000000u;
        ASSERT_NE(black, nextBlack) << "x " << x;
    }
}

TEST(BoardPainting, StarPointsNeedACellOfSixPixels)
{
    for (const auto& [side, star] : {std::pair{95, false}, std::pair{228, true}}) { // cells 5 and 12
        BoardFixture f(side);
        const QPoint s = f.board->PointCenter(10, 10);
        EXPECT_EQ(isDark(f.board->Buffer().pixel(s + QPoint(1, 1))), star) << side;
    }
}

TEST(BoardPainting, MissingPicturesFallBackToPlainDrawing)
{
    BoardFixture f(400, false);
    TBoard& b = *f.board;
    EXPECT_FALSE(b.LoadPaper(b.WhitePaper(), "no-such-white.bmp"));
    EXPECT_FALSE(b.LoadPaper(b.BlackPaper(), "no-such-black.bmp"));
    EXPECT_FALSE(b.SetBoardPicture("no-such-board.bmp"));
    b.WhitePaper().UsePicture = b.BlackPaper().UsePicture = true;
    b.Layout(); // must return: no tiling with a picture of size 0
    b.SetPoint(3, 3, cell::Black);
    b.SetPoint(5, 3, cell::White);
    b.RedrawAll();
    const QImage& img = b.Buffer();
    const QRect r = b.PointRect(5, 3);
    EXPECT_EQ(img.pixel(r.topLeft()), QColor(222, 184, 135).rgb()) << "plain wood colour";
    EXPECT_TRUE(isDark(img.pixel(b.PointCenter(3, 3))));
    EXPECT_EQ(img.pixel(b.PointCenter(5, 3)), 0xFFFFFFFFu);
    EXPECT_TRUE(isDark(img.pixel(r.left(), b.PointCenter(5, 3).y()))) << "black outline";
}

TEST(BoardPictures, FoundInTheCurrentFolderFirstThenBuiltIn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString old = QDir::currentPath();
    // A picture in the current folder wins.
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath("LIGHTPIN.BMP"), "BMP"));
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    BoardFixture f(400, false);
    EXPECT_TRUE(f.board->SetBoardPicture("LIGHTPIN.BMP"));
    EXPECT_EQ(f.board->BoardPaper().Picture.size(), QSize(8, 8));
    // The stones come from the data folder or the copy built in.
    f.board->Start();
    EXPECT_EQ(f.board->BlackPaper().Picture.size(), QSize(64, 64));
    EXPECT_EQ(f.board->BlackPaper().Picture.pixel(0, 0), 0xFF000000u) << "black around the black disc";
    EXPECT_EQ(f.board->WhitePaper().Picture.pixel(0, 0), 0xFFFFFFFFu) << "white around the white disc";
    QDir::setCurrent(old);

    QImage builtIn(":/board/LIGHTPIN.BMP");
    EXPECT_EQ(builtIn.size(), QSize(128, 128));
}

// The texture is tiled over the board: the step from its last column to its
// first (and last row to first) must look like any step inside it.
TEST(BoardPictures, WoodTextureTilesWithoutSeams)
{
    const QImage wood = QImage(":/board/LIGHTPIN.BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(wood.isNull());
    const int w = wood.width(), h = wood.height();
    auto step = [&](int x1, int y1, int x2, int y2) {
        const QRgb a = wood.pixel(x1, y1), b = wood.pixel(x2, y2);
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    };
    double inside = 0, seam = 0;
    int worstInside = 0, worstSeam = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x + 1 < w; ++x) {
            inside += step(x, y, x + 1, y);
            worstInside = std::max(worstInside, step(x, y, x + 1, y));
        }
        seam += step(w - 1, y, 0, y);
        worstSeam = std::max(worstSeam, step(w - 1, y, 0, y));
    }
    inside /= h * (w - 1);
    seam /= h;
    EXPECT_LT(seam, inside * 2 + 1) << "columns";
    EXPECT_LE(worstSeam, worstInside);
    double down = 0, rowSeam = 0;
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y + 1 < h; ++y)
            down += step(x, y, x, y + 1);
        rowSeam += step(x, h - 1, x, 0);
    }
    EXPECT_LT(rowSeam / w, down / (w * (h - 1)) * 2 + 1) << "rows";
}

} // namespace
} // namespace quon
