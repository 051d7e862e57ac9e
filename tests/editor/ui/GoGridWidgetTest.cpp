#include "editor/ui/GoGridWidget.h"

#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace quon;

namespace {

// A grid of 19 x 19 cells of 20 pixels in a scroll area showing about 5 x 4.
struct GridWindow {
    QScrollArea area;
    tGoGrid* grid;

    explicit GridWindow(tDgrData doc = tDgrData(19, 19))
    {
        area.resize(110, 90);
        grid = new tGoGrid(std::move(doc), &area);
        area.setWidget(grid);
        area.show();
        grid->setFocus();
        QApplication::processEvents();
    }

    QImage picture() { return grid->grab().toImage(); }
    QPoint centre(int32_t x, int32_t y) const { return grid->cellRect(x, y).center(); }
    void click(int32_t x, int32_t y) { QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, centre(x, y)); }
    DgrCell cell(int32_t x, int32_t y) { return grid->document().Grid.GetCell(x, y); }
};

struct ToolReset {
    ~ToolReset() { CurrentTool = ToolPointer; }
};

} // namespace

TEST(GoGridWidget, ClicksApplyTheCurrentTool)
{
    ToolReset reset;
    GridWindow w;
    EXPECT_EQ(w.grid->size(), QSize(380, 380));
    CurrentTool = ToolBlack;
    w.click(2, 1);
    EXPECT_EQ(w.cell(2, 1).Stone, StoneBlack);
    EXPECT_EQ(w.grid->document().Cursor, (IntPoint{2, 1}));
    EXPECT_EQ(w.picture().pixelColor(w.centre(2, 1)), QColor(Qt::black));

    CurrentTool = ToolNextMove;
    w.click(0, 0);
    w.click(1, 0);
    EXPECT_EQ(w.cell(0, 0), (DgrCell{1, 0, StoneBlack, 0, 0}));
    EXPECT_EQ(w.cell(1, 0), (DgrCell{2, 0, StoneWhite, 0, 0}));

    // Other buttons do nothing.
    CurrentTool = ToolWhite;
    QTest::mouseClick(w.grid, Qt::RightButton, Qt::NoModifier, w.centre(3, 3));
    EXPECT_TRUE(w.cell(3, 3).isZero());
    EXPECT_EQ(w.grid->document().Cursor, (IntPoint{1, 0}));
}

TEST(GoGridWidget, TypedDigitsAndLabelsGoToTheCursorCell)
{
    GridWindow w;
    QTest::keyClick(w.grid, Qt::Key_Right);
    QTest::keyClicks(w.grid, "1234");
    EXPECT_EQ(w.cell(1, 0).Number, 123);
    QTest::keyClick(w.grid, Qt::Key_Backspace);
    EXPECT_EQ(w.cell(1, 0).Number, 12);
    QTest::keyClick(w.grid, Qt::Key_Down);
    QTest::sendKeyEvent(QTest::Press, w.grid, Qt::Key_unknown, QString::fromUtf8("Ж"), Qt::NoModifier);
    EXPECT_EQ(w.cell(1, 1), (DgrCell{0, 0, 0, 0xC6, 0}));
    // Shortcuts and tabs never become labels.
    QTest::keyClick(w.grid, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w.grid, Qt::Key_Tab);
    EXPECT_EQ(w.cell(1, 1), (DgrCell{0, 0, 0, 0xC6, 0}));
    QTest::keyClick(w.grid, Qt::Key_Escape);
    EXPECT_EQ(w.cell(1, 1).Mark, 27);
}

TEST(GoGridWidget, ArrowsScrollOneCellToKeepTheCursorInView)
{
    GridWindow w;
    QScrollBar* h = w.area.horizontalScrollBar();
    QScrollBar* v = w.area.verticalScrollBar();
    ASSERT_EQ(h->singleStep(), 20);
    ASSERT_EQ(v->singleStep(), 20);
    QTest::keyClick(w.grid, Qt::Key_Left);
    QTest::keyClick(w.grid, Qt::Key_Up);
    EXPECT_EQ(h->value(), 0);
    int scrolls = 0;
    for (int i = 0; i < 18; ++i) {
        const int before = h->value();
        QTest::keyClick(w.grid, Qt::Key_Right);
        scrolls += h->value() != before ? 1 : 0;
        EXPECT_TRUE(w.grid->CellVisible(w.grid->document().Cursor.X, 0)) << i;
    }
    EXPECT_EQ(w.grid->document().Cursor, (IntPoint{18, 0}));
    EXPECT_GT(scrolls, 10);
    QTest::keyClick(w.grid, Qt::Key_Right); // at the edge
    EXPECT_EQ(w.grid->document().Cursor, (IntPoint{18, 0}));
    QTest::keyClick(w.grid, Qt::Key_Down);
    QTest::keyClick(w.grid, Qt::Key_Down);
    QTest::keyClick(w.grid, Qt::Key_Down);
    QTest::keyClick(w.grid, Qt::Key_Down);
    EXPECT_GT(v->value(), 0);
    EXPECT_TRUE(w.grid->CellVisible(18, 4));
}

TEST(GoGridWidget, BackgroundShowsTheBlockAndTheCursor)
{
    tDgrData doc(6, 4);
    doc.Block = DgrBlock{1, 1, 3, 2};
    GridWindow w(std::move(doc));
    const QColor face = w.grid->palette().color(QPalette::Button);
    ASSERT_NE(face, QColor(Qt::white));
    w.grid->model().SetCursorCell(2, 2);
    const QImage p = w.picture();
    auto corner = [&](int32_t x, int32_t y) { return p.pixelColor(w.grid->cellRect(x, y).topLeft() + QPoint(1, 1)); };
    EXPECT_EQ(corner(1, 1), QColor(Qt::white)); // in the block
    EXPECT_EQ(corner(2, 2), face);              // the cursor in the block
    EXPECT_EQ(corner(4, 1), face);              // outside
    w.grid->model().SetCursorCell(5, 3);
    EXPECT_EQ(w.picture().pixelColor(w.grid->cellRect(5, 3).topLeft() + QPoint(1, 1)), QColor(Qt::white));
}

TEST(GoGridWidget, CellsDrawLinesStonesAndTestColours)
{
    tDgrData doc(4, 2);
    doc.Grid.PutCell(0, 0, DgrCell{0, ElemTopLeft, 0, 0, 0});
    doc.Grid.PutCell(1, 0, DgrCell{0, ElemCross, StoneWhite, 0, 0});
    doc.Grid.PutCell(2, 0, DgrCell{12, ElemCross, 0, 0, TestTwice});
    doc.Grid.PutCell(3, 0, DgrCell{7, ElemCross, StoneWhite, 0, TestGap});
    doc.Grid.PutCell(0, 1, DgrCell{0, ElemCross, StoneBlack, MarkSquare, 0});
    GridWindow w(std::move(doc));
    w.grid->model().SetCursorCell(3, 1);
    const QImage p = w.picture();
    auto count = [&](int32_t x, int32_t y, QColor colour) {
        int n = 0;
        const QRect r = w.grid->cellRect(x, y);
        for (int yy = r.top(); yy <= r.bottom(); ++yy)
            for (int xx = r.left(); xx <= r.right(); ++xx)
                n += p.pixelColor(xx, yy) == colour ? 1 : 0;
        return n;
    };
    // The top-left corner: three lines each way from the centre (10, 10).
    EXPECT_EQ(p.pixelColor(8, 8), QColor(Qt::black));
    EXPECT_EQ(p.pixelColor(10, 19), QColor(Qt::black));
    EXPECT_EQ(p.pixelColor(19, 10), QColor(Qt::black));
    EXPECT_NE(p.pixelColor(7, 7), QColor(Qt::black));
    EXPECT_NE(p.pixelColor(10, 5), QColor(Qt::black));
    // A white stone inside the cell; a number twice in red; a gap in blue.
    EXPECT_EQ(p.pixelColor(w.centre(1, 0) + QPoint(3, 3)), QColor(Qt::white));
    EXPECT_EQ(p.pixelColor(w.grid->cellRect(1, 0).topLeft() + QPoint(10, 1)), QColor(Qt::black));
    EXPECT_GT(count(2, 0, QColor(Qt::red)), 5);
    EXPECT_GT(count(3, 0, QColor(Qt::blue)), 3);
    EXPECT_EQ(count(1, 0, QColor(Qt::red)) + count(1, 0, QColor(Qt::blue)), 0);
    // The square mark shows white on the black stone.
    EXPECT_GT(count(0, 1, QColor(Qt::white)), 8);
}

TEST(GoGridWidget, ResizingRelaysTheGrid)
{
    GridWindow w;
    w.grid->model().Resize(7, 3);
    EXPECT_EQ(w.grid->size(), QSize(140, 60));
    EXPECT_EQ(w.grid->document().Block, (DgrBlock{0, 0, 6, 2}));
}
