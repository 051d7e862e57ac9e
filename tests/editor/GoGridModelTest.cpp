#include "DgrText.h"
#include "common/TempFolder.h"
#include "editor/GoGridModel.h"
#include "model/Recotypes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quon;
using namespace quon::test;

namespace {

#define EXPECT_GRID(grid, text) EXPECT_EQ(dgrGridText(grid), dgrGridText(dgrGridFromText(text)))

GoGridModel modelOf(const std::string& text)
{
    tDgrData d(1, 1);
    d.Grid = dgrGridFromText(text);
    d.BlockAll();
    return GoGridModel(std::move(d));
}

// Records what the model asks the window to do.
class RecordingHost : public GoGridHost {
  public:
    std::vector<std::string> calls;
    bool visible = true;
    void redrawCell(int32_t x, int32_t y) override
    {
        calls.push_back("cell " + std::to_string(x) + "," + std::to_string(y));
    }
    void redrawAll() override { calls.push_back("all"); }
    void relayout() override { calls.push_back("relayout"); }
    bool cellVisible(int32_t, int32_t) override { return visible; }
    void scrollOneStep(int dx, int dy) override
    {
        calls.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
    }
};

} // namespace

TEST(GoGridTemplates, BoardsAndCornerFragment)
{
    EXPECT_GRID(boardTemplate(9), R"(
        1 T T T T T T T 2
        L + + + + + + + R
        L + * + + + * + R
        L + + + + + + + R
        L + + + * + + + R
        L + + + + + + + R
        L + * + + + * + R
        L + + + + + + + R
        3 B B B B B B B 4)");
    EXPECT_GRID(cornerFragmentTemplate(), R"(
        + + + + + + + + + + R
        + + + + + + + + + + R
        + + + + + + + + + + R
        + + + + + + + + + + R
        + * + + + + + * + + R
        + + + + + + + + + + R
        + + + + + + + + + + R
        B B B B B B B B B B 4)");
    struct Stars {
        int32_t n;
        std::vector<IntPoint> at;
    };
    const Stars stars[] = {
        {19, {{3, 3}, {9, 3}, {15, 3}, {3, 9}, {9, 9}, {15, 9}, {3, 15}, {9, 15}, {15, 15}}},
        {13, {{3, 3}, {9, 3}, {3, 9}, {9, 9}, {6, 6}}},
        {11, {{3, 3}, {7, 3}, {3, 7}, {7, 7}, {5, 5}}},
    };
    for (const Stars& s : stars) {
        const tDgr b = boardTemplate(s.n);
        int count = 0;
        for (int32_t y = 0; y < s.n; ++y)
            for (int32_t x = 0; x < s.n; ++x)
                count += b.GetCell(x, y).Element == ElemStar ? 1 : 0;
        EXPECT_EQ(count, static_cast<int>(s.at.size())) << s.n;
        for (const IntPoint& p : s.at)
            EXPECT_EQ(b.GetCell(p.X, p.Y).Element, ElemStar) << s.n << ": " << p.X << "," << p.Y;
        EXPECT_EQ(b.GetCell(s.n - 1, 0).Element, ElemTopRight);
        EXPECT_EQ(b.GetCell(0, s.n - 1).Element, ElemBottomLeft);
        EXPECT_EQ(b.GetCell(s.n - 1, s.n - 2).Element, ElemRight);
    }
}

TEST(GoGridModel, EachToolChangesItsBytesAndMovesTheCursor)
{
    struct Case {
        uint8_t tool;
        const char* after; // the middle cell, which starts as "+X12'A!"
    };
    const Case cases[] = {
        {ToolPointer, "+X12'A!"},     {ToolBlack, "+X12'A!"},
        {ToolWhite, "+O12'A!"},       {ToolCrossing, "+X12'A!"},
        {ToolStarPoint, "*X12'A!"},   {ToolLeftEdge, "LX12'A!"},
        {ToolRightEdge, "RX12'A!"},   {ToolTopEdge, "TX12'A!"},
        {ToolBottomEdge, "BX12'A!"},  {ToolTopLeft, "1X12'A!"},
        {ToolTopRight, "2X12'A!"},    {ToolBottomLeft, "3X12'A!"},
        {ToolBottomRight, "4X12'A!"}, {ToolDeleteStone, "+!"},
        {ToolDeleteAll, ".!"},        {ToolSquare, "+X#!"},
        {ToolTriangle, "+X^!"},       {ToolArrow, "+X>!"},
        {ToolNextMove, "+X1'A!"},     {ToolCrossMark, "+X%!"},
        {ToolCircle, "+X@!"},         {27, "+X12'A!"},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        GoGridModel m = modelOf(". . .\n. +X12'A! .\n. . .");
        m.setHost(&host);
        m.ApplyTool(1, 1, c.tool);
        EXPECT_EQ(dgrCellText(m.Document().Grid.GetCell(1, 1)), c.after) << "tool " << int(c.tool);
        EXPECT_EQ(m.Document().Grid.countNonZero(), 1) << "tool " << int(c.tool);
        EXPECT_EQ(m.Document().Cursor, (IntPoint{1, 1})) << "tool " << int(c.tool);
        EXPECT_EQ(host.calls.back(), "cell 1,1");
        EXPECT_EQ(m.checkInvariant(), "");
    }
    // A release beside the grid does nothing at all.
    GoGridModel m = modelOf(". .");
    m.ApplyTool(2, 0, ToolBlack);
    m.ApplyTool(-1, 0, ToolBlack);
    EXPECT_GRID(m.Document().Grid, ". .");
    EXPECT_EQ(m.Document().Cursor, (IntPoint{0, 0}));
}

TEST(GoGridModel, BoardToolsTakeTheUndoAndPasteClipped)
{
    GoGridModel m(tDgrData(20, 20));
    m.Document().Grid.PutCell(19, 19, DgrCell{7, 0, StoneWhite, 0, 0});
    m.ApplyTool(5, 5, ToolBoard19);
    EXPECT_TRUE(m.hasUndo());
    EXPECT_EQ(m.Document().Cursor, (IntPoint{5, 5}));
    const tDgr& g = m.Document().Grid;
    EXPECT_EQ(g.GetCell(5, 5).Element, ElemTopLeft);
    EXPECT_EQ(g.GetCell(19, 5).Element, ElemTop); // column 14 of the board
    EXPECT_EQ(g.GetCell(8, 8).Element, ElemStar);
    // Pasting puts whole template cells: the stone under it is gone.
    EXPECT_EQ(g.GetCell(19, 19), (DgrCell{0, ElemCross, 0, 0, 0}));
    EXPECT_EQ(g.countNonZero(), 15 * 15);
    m.Undo();
    EXPECT_EQ(m.Document().Grid.countNonZero(), 1);
    EXPECT_EQ(m.Document().Grid.GetCell(19, 19), (DgrCell{7, 0, StoneWhite, 0, 0}));

    GoGridModel small = modelOf(". . .\n. . .");
    small.ApplyTool(1, 1, ToolBoard9);
    EXPECT_GRID(small.Document().Grid, ". . .\n. 1 T");
}

TEST(GoGridModel, NextMoveToolNumbersAndAlternates)
{
    GoGridHost host;
    GoGridModel m = modelOf(". . . .");
    m.setHost(&host);
    m.ApplyTool(0, 0, ToolNextMove);
    m.ApplyTool(2, 0, ToolNextMove);
    m.ApplyTool(3, 0, ToolNextMove);
    EXPECT_GRID(m.Document().Grid, ".X1 . .O2 .X3");
    EXPECT_EQ(host.nextMove(), (NextMove{4, true}));

    host.setNextMove(NextMove{99, true});
    m.Document().Block = DgrBlock{0, 0, 3, 0};
    m.CycleBlock(ToolNextMove);
    EXPECT_GRID(m.Document().Grid, ".O99 .X100 .O101 .X102");
    EXPECT_EQ(m.Document().Cursor, (IntPoint{3, 0}));
}

TEST(GoGridModel, TypingNumbersAndLabels)
{
    struct Case {
        const char* start;
        std::vector<uint8_t> keys;
        const char* after;
    };
    const Case cases[] = {
        {"+", {'1', '2', '3', '4'}, "+123"},
        {"+", {'1', '2', '3', '4', 8}, "+12"},
        {"+X", {'0', '7'}, "+X7"},
        {"+X53", {'1'}, "+X531"},
        {"+5", {'A'}, "+'A"},
        {"+'A", {'1', '2'}, "+12'A"}, // the label byte stays under the number
        {"+X12", {0xC6}, "+X$C6"},
        {"+X12", {176}, "+X#"},
        {"+7", {13}, "+$0D"},
        {"+7", {27}, "+$1B"},
        {"+", {8}, "+"},
        {"+2000", {'1', 8}, "+200"}, // a number from a file: no fourth digit, Backspace still works
    };
    for (const Case& c : cases) {
        GoGridModel m = modelOf(std::string(". ") + c.start);
        m.SetCursorCell(1, 0);
        for (uint8_t k : c.keys)
            m.GridKeyPress(k);
        EXPECT_EQ(dgrCellText(m.Document().Grid.GetCell(1, 0)), c.after) << c.start;
        EXPECT_TRUE(m.Document().Grid.GetCell(0, 0).isZero());
    }

    struct Typed {
        const char* text;
        int byte; // -1: not taken
    };
    const Typed typed[] = {{"A", 'A'},   {"7", '7'}, {"Ж", 0xC6},  {"°", 176}, {"\b", 8},  {"\r", 13}, {"\x1b", 27},
                           {"\x01", -1}, {"\t", -1}, {"\x7f", -1}, {"漢", -1}, {"ab", -1}, {"", -1}};
    for (const Typed& t : typed) {
        const auto b = typedCellByte(t.text);
        EXPECT_EQ(b ? int(*b) : -1, t.byte) << t.text;
    }
}

TEST(GoGridModel, ArrowsStopAtTheEdgesAndScrollToHiddenCells)
{
    RecordingHost host;
    GoGridModel m(tDgrData(3, 2));
    m.setHost(&host);
    m.GridKeyDown(GridKey::Left);
    m.GridKeyDown(GridKey::Up);
    EXPECT_EQ(m.Document().Cursor, (IntPoint{0, 0}));
    m.GridKeyDown(GridKey::Right);
    m.GridKeyDown(GridKey::Right);
    m.GridKeyDown(GridKey::Right);
    m.GridKeyDown(GridKey::Down);
    m.GridKeyDown(GridKey::Down);
    EXPECT_EQ(m.Document().Cursor, (IntPoint{2, 1}));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "scroll 1,0"), 0);

    host.visible = false;
    host.calls.clear();
    m.GridKeyDown(GridKey::Left);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"cell 2,1", "cell 1,1", "scroll -1,0"}));
    host.calls.clear();
    m.GridKeyDown(GridKey::Down);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"scroll 0,1"}));
}

TEST(GoGridModel, CycleBlockActsOnTheBlockOnly)
{
    GoGridModel m = modelOf(R"(
        +X1 +O2 +X3
        +#  +O4 +X5
        +'A +   +X6)");
    m.Document().Block = DgrBlock{1, 0, 2, 1};
    m.CycleBlock(ToolDeleteStone);
    EXPECT_GRID(m.Document().Grid, R"(
        +X1 + +
        +#  + +
        +'A + +X6)");
    EXPECT_EQ(m.Document().Cursor, (IntPoint{2, 1}));
    for (uint8_t tool : {ToolPointer, ToolBoard19, ToolBoard9, ToolBlockStart, ToolBlockEnd}) {
        m.CycleBlock(tool);
        EXPECT_GRID(m.Document().Grid, "+X1 + +\n+# + +\n+'A + +X6");
        EXPECT_EQ(m.Document().Block, (DgrBlock{1, 0, 2, 1}));
    }
    EXPECT_FALSE(m.hasUndo());
}

TEST(GoGridModel, NumberTestMarksRepeatsAndGaps)
{
    struct Case {
        const char* grid;
        const char* after;
    };
    const Case cases[] = {
        {"+1 +2 +2 +5", "+1 +2! +2? +5?"}, {"+3 +4 +5", "+3 +4 +5"},
        {"+2 +2 +3", "+2! +2! +3"},        {"+5 +. +1\n+2 +3 +4", "+5 +. +1\n+2 +3 +4"},
        {"+9 . +7", "+9? . +7?"},          {". .", ". ."},
    };
    for (const Case& c : cases) {
        std::string grid = c.grid;
        std::string after = c.after;
        // "+." is an empty crossing in this table.
        for (std::string* s : {&grid, &after})
            for (size_t p; (p = s->find("+.")) != std::string::npos;)
                s->replace(p, 2, "+");
        GoGridModel m = modelOf(grid);
        m.TestNumbers();
        EXPECT_GRID(m.Document().Grid, after) << c.grid;
        m.ClearTestFlags();
        EXPECT_GRID(m.Document().Grid, grid) << c.grid;
    }
    // Numbers outside the block are not looked at.
    GoGridModel m = modelOf("+1 +2 +9");
    m.Document().Block = DgrBlock{0, 0, 1, 0};
    m.TestNumbers();
    EXPECT_GRID(m.Document().Grid, "+1 +2 +9");
}

TEST(GoGridModel, UndoRestoresTheWholeSnapshotAgainAndAgain)
{
    GoGridModel m(tDgrData(10, 30));
    for (int32_t y = 0; y < 30; ++y)
        m.Document().Grid.PutCell(y % 10, y, DgrCell{static_cast<uint16_t>(y + 1), ElemCross, StoneBlack, 0, 0});
    const tDgr before = m.Document().Grid;
    m.Undo(); // no snapshot yet: nothing to restore
    EXPECT_EQ(m.Document().Grid, before);
    m.TakeUndo();
    for (int round = 0; round < 2; ++round) {
        m.Document().Block = DgrBlock{0, 0, 9, 29};
        m.CycleBlock(ToolDeleteAll);
        m.Document().Grid.PutCell(3, 29, DgrCell{1, 0, 0, 0, TestTwice});
        m.Undo();
        EXPECT_EQ(m.Document().Grid, before) << round;
        EXPECT_TRUE(m.hasUndo());
    }
    // The snapshot belongs to this grid: a new size drops it.
    m.Resize(5, 5);
    EXPECT_FALSE(m.hasUndo());
    EXPECT_EQ(m.checkInvariant(), "");
}

TEST(GoGridModel, LoadingAFileDropsTheSnapshot)
{
    TempFolder tmp;
    const std::string name = tmp.file("other.dgr");
    tDgrData other(3, 3);
    other.Grid = dgrGridFromText("+O5 . .\n. . .\n. . .");
    std::string error;
    ASSERT_TRUE(other.SaveToFile(name, error));

    RecordingHost host;
    GoGridModel m = modelOf("+X1 +X2\n+X3 +X4");
    m.setHost(&host);
    m.TakeUndo();
    ASSERT_TRUE(m.LoadFromFile(name, error)) << error;
    EXPECT_FALSE(m.hasUndo());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"relayout", "all"}));
    m.Undo();
    EXPECT_GRID(m.Document().Grid, "+O5 . .\n. . .\n. . .");

    EXPECT_FALSE(m.LoadFromFile(tmp.file("missing.dgr"), error));
    EXPECT_GRID(m.Document().Grid, "+O5 . .\n. . .\n. . .");
}

TEST(GoGridModel, BufferCopiesTheBlockAndPastesClippedAtTheCursor)
{
    GoGridModel m = modelOf(R"(
        +X1 +O2 . .
        +X3 +O4 . .
        .   .   . .)");
    m.BufferToCursor(); // nothing copied yet
    EXPECT_FALSE(m.hasBuffer());
    m.Document().Block = DgrBlock{0, 0, 1, 1};
    m.BlockToBuffer();
    EXPECT_TRUE(m.hasBuffer());
    m.SetCursorCell(3, 1);
    m.BufferToCursor();
    EXPECT_GRID(m.Document().Grid, R"(
        +X1 +O2 . .
        +X3 +O4 . +X1
        .   .   . +X3)");
    EXPECT_EQ(m.checkInvariant(), "");
}

TEST(GoGridModel, NewDiagramBuildsTheBoardAndTheBlockOfItsPart)
{
    struct Case {
        NewDiagramSettings s;
        int32_t width, height;
        DgrBlock block;
    };
    const Case cases[] = {
        {{19, 19, 1, 0, 12, 12}, 19, 19, {0, 0, 18, 18}},
        {{19, 19, 1, 7, 12, 8}, 19, 19, {7, 11, 18, 18}},
        {{19, 19, 1, 1, 5, 12}, 19, 19, {0, 0, 4, 18}},
        {{19, 19, 1, 2, 12, 6}, 19, 19, {0, 0, 18, 5}},
        {{19, 19, 1, 3, 4, 12}, 19, 19, {15, 0, 18, 18}},
        {{19, 19, 1, 4, 12, 4}, 19, 19, {0, 15, 18, 18}},
        {{19, 19, 1, 5, 10, 9}, 19, 19, {0, 0, 9, 8}},
        {{19, 19, 1, 6, 10, 9}, 19, 19, {9, 0, 18, 8}},
        {{19, 19, 1, 8, 10, 9}, 19, 19, {0, 10, 9, 18}},
        {{13, 13, 2, 7, 5, 5}, 13, 13, {8, 8, 12, 12}},
        {{9, 9, 4, 0, 12, 12}, 9, 9, {0, 0, 8, 8}},
        {{20, 15, 4, 3, 12, 12}, 20, 15, {0, 0, 8, 8}}, // side wider than the board: clamped
        {{5, 5, 1, 7, 3, 3}, 5, 5, {4, 4, 4, 4}},       // a board larger than the grid
        {{30, 20, 0, 7, 3, 2}, 30, 20, {27, 18, 29, 19}},
        {{30, 20, 5, 6, 4, 3}, 11, 8, {7, 0, 10, 2}},
        {{150, 0, 0, 0, 1, 1}, 99, 1, {0, 0, 98, 0}},
    };
    for (const Case& c : cases) {
        GoGridModel m(tDgrData(19, 19));
        m.Document().Block = DgrBlock{1, 1, 2, 2}; // a block from earlier work plays no part
        m.NewDiagram(c.s);
        const tDgrData& d = m.Document();
        EXPECT_EQ(d.Width(), c.width) << c.s.TypDia << "/" << c.s.PartBoard;
        EXPECT_EQ(d.Height(), c.height) << c.s.TypDia << "/" << c.s.PartBoard;
        EXPECT_EQ(d.Block, c.block) << c.s.TypDia << "/" << c.s.PartBoard;
        EXPECT_EQ(m.checkInvariant(), "");
    }
    GoGridModel corner(tDgrData(19, 19));
    corner.NewDiagram(NewDiagramSettings{19, 19, 5, 0, 12, 12});
    EXPECT_EQ(corner.Document().Grid, cornerFragmentTemplate());
    GoGridModel board(tDgrData(19, 19));
    board.NewDiagram(NewDiagramSettings{13, 13, 2, 0, 12, 12});
    EXPECT_EQ(board.Document().Grid, boardTemplate(13));
}

TEST(GoGridModel, FillFromGamePlacesSetupStonesAndMovesInTheMoversColour)
{
    resetTablesToStart();
    Reco.SetupStones[1].add(StonePoint{3, 3});
    Reco.SetupStones[2].add(StonePoint{4, 4});
    Reco.SetupStones[2].add(StonePoint{25, 1}); // off every grid
    Reco.MoveCount = 6;
    Reco.MoveTable[1] = MoveRecord{5, 4};
    Reco.MoveTable[2] = EmptyMove;
    Reco.MoveTable[3] = DoubleMove;
    Reco.MoveTable[4] = MoveRecord{0, 0};
    Reco.MoveTable[5] = MoveRecord{1, 1};
    Reco.MoveTable[6] = MoveRecord{5, 4}; // taken back and played again: the later number shows

    // A grid larger than the board: the (20, 20) marker must not land on cell (19, 19).
    GoGridModel m(tDgrData(21, 21));
    m.Document().Grid.PutCell(2, 2, DgrCell{0, ElemStar, 0, MarkTriangle, 0});
    m.Document().Grid.PutCell(4, 3, DgrCell{0, ElemCross, 0, 'A', 0});
    m.FillFromGame();
    const tDgr& g = m.Document().Grid;
    EXPECT_EQ(g.GetCell(2, 2), (DgrCell{0, ElemStar, StoneBlack, MarkTriangle, 0}));
    EXPECT_EQ(g.GetCell(3, 3), (DgrCell{0, 0, StoneWhite, 0, 0}));
    EXPECT_EQ(g.GetCell(4, 3), (DgrCell{6, ElemCross, StoneWhite, 'A', 0}));
    EXPECT_EQ(g.GetCell(0, 0), (DgrCell{5, 0, StoneBlack, 0, 0}));
    EXPECT_TRUE(g.GetCell(19, 19).isZero());
    EXPECT_TRUE(g.GetCell(19, 20).isZero());
    EXPECT_EQ(g.countNonZero(), 4);

    // White moved first: move 1 is a white stone.
    resetTablesToStart();
    Reco.FirstMoveColour = 2;
    Reco.MoveCount = 2;
    Reco.MoveTable[1] = MoveRecord{1, 1};
    Reco.MoveTable[2] = MoveRecord{2, 1};
    GoGridModel w = modelOf(". . .");
    w.FillFromGame();
    EXPECT_GRID(w.Document().Grid, ".O1 .X2 .");
    resetTablesToStart();
}
