#include "editor/GoGridModel.h"

#include "editor/Cp1251.h"
#include "model/Recotypes.h"

#include <algorithm>
#include <vector>

namespace quon {

uint8_t CurrentTool = ToolPointer;

tDgr boardTemplate(int32_t n)
{
    tDgr b(n, n);
    for (int32_t y = 0; y < n; ++y)
        for (int32_t x = 0; x < n; ++x) {
            uint8_t e = ElemCross;
            if (y == 0)
                e = x == 0 ? ElemTopLeft : x == n - 1 ? ElemTopRight : ElemTop;
            else if (y == n - 1)
                e = x == 0 ? ElemBottomLeft : x == n - 1 ? ElemBottomRight : ElemBottom;
            else if (x == 0)
                e = ElemLeft;
            else if (x == n - 1)
                e = ElemRight;
            b.SetElement(x, y, e);
        }
    std::vector<IntPoint> stars;
    switch (n) {
    case 19:
        for (int32_t y : {3, 9, 15})
            for (int32_t x : {3, 9, 15})
                stars.push_back({x, y});
        break;
    case 13:
        stars = {{3, 3}, {9, 3}, {3, 9}, {9, 9}, {6, 6}};
        break;
    case 11:
        stars = {{3, 3}, {7, 3}, {3, 7}, {7, 7}, {5, 5}};
        break;
    case 9:
        stars = {{2, 2}, {6, 2}, {2, 6}, {6, 6}, {4, 4}};
        break;
    default:
        break;
    }
    for (const IntPoint& p : stars)
        b.SetElement(p.X, p.Y, ElemStar);
    return b;
}

tDgr cornerFragmentTemplate()
{
    tDgr c(11, 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 11; ++x) {
            const bool right = x == 10;
            const bool bottom = y == 7;
            c.SetElement(x, y, right && bottom ? ElemBottomRight : right ? ElemRight : bottom ? ElemBottom : ElemCross);
        }
    c.SetElement(1, 4, ElemStar);
    c.SetElement(7, 4, ElemStar);
    return c;
}

std::optional<uint8_t> typedCellByte(const std::string& utf8)
{
    size_t length = 0;
    const char32_t ch = decodeUtf8(utf8, length);
    if (length == 0 || length != utf8.size())
        return std::nullopt;
    if (ch == 8 || ch == 13 || ch == 27)
        return static_cast<uint8_t>(ch);
    if (ch < 0x20 || ch == 0x7F)
        return std::nullopt;
    return unicodeToCp1251(ch);
}

GoGridModel::GoGridModel(tDgrData document, GoGridHost* host)
    : doc_(std::move(document)), host_(host ? host : &ownHost_)
{
    doc_.fitBlockAndCursor();
}

void GoGridModel::SetCursorCell(int32_t x, int32_t y)
{
    if (!doc_.Grid.contains(x, y))
        return;
    const IntPoint old = doc_.Cursor;
    doc_.Cursor = IntPoint{x, y};
    if (old != doc_.Cursor)
        host_->redrawCell(old.X, old.Y);
    host_->redrawCell(x, y);
}

void GoGridModel::GridKeyDown(GridKey key)
{
    const IntPoint c = doc_.Cursor;
    int dx = 0;
    int dy = 0;
    switch (key) {
    case GridKey::Left:
        dx = -1;
        if (c.X > 0)
            SetCursorCell(c.X - 1, c.Y);
        break;
    case GridKey::Right:
        dx = 1;
        if (c.X < doc_.MaxX())
            SetCursorCell(c.X + 1, c.Y);
        break;
    case GridKey::Up:
        dy = -1;
        if (c.Y > 0)
            SetCursorCell(c.X, c.Y - 1);
        break;
    case GridKey::Down:
        dy = 1;
        if (c.Y < doc_.MaxY())
            SetCursorCell(c.X, c.Y + 1);
        break;
    }
    if (!doc_.isEmpty() && !host_->cellVisible(doc_.Cursor.X, doc_.Cursor.Y))
        host_->scrollOneStep(dx, dy);
}

void GoGridModel::GridKeyPress(uint8_t byte)
{
    const IntPoint c = doc_.Cursor;
    if (!doc_.Grid.contains(c.X, c.Y))
        return;
    DgrCell cell = doc_.Grid.GetCell(c.X, c.Y);
    if (byte == 8) {
        cell.Number = static_cast<uint16_t>(cell.Number / 10);
    } else if (byte >= '0' && byte <= '9') {
        if (std::to_string(cell.Number).size() < 3)
            cell.Number = static_cast<uint16_t>(cell.Number * 10 + (byte - '0'));
    } else {
        cell.Number = 0;
        cell.Mark = byte;
    }
    doc_.Grid.PutCell(c.X, c.Y, cell);
    SetCursorCell(c.X, c.Y);
}

void GoGridModel::applyToCell(int32_t x, int32_t y, uint8_t tool)
{
    tDgr& g = doc_.Grid;
    DgrCell cell = g.GetCell(x, y);
    switch (tool) {
    case ToolBlack:
        cell.Stone = StoneBlack;
        break;
    case ToolWhite:
        cell.Stone = StoneWhite;
        break;
    case ToolCrossing:
        cell.Element = ElemCross;
        break;
    case ToolStarPoint:
        cell.Element = ElemStar;
        break;
    case ToolLeftEdge:
        cell.Element = ElemLeft;
        break;
    case ToolRightEdge:
        cell.Element = ElemRight;
        break;
    case ToolTopEdge:
        cell.Element = ElemTop;
        break;
    case ToolBottomEdge:
        cell.Element = ElemBottom;
        break;
    case ToolTopLeft:
        cell.Element = ElemTopLeft;
        break;
    case ToolTopRight:
        cell.Element = ElemTopRight;
        break;
    case ToolBottomLeft:
        cell.Element = ElemBottomLeft;
        break;
    case ToolBottomRight:
        cell.Element = ElemBottomRight;
        break;
    case ToolDeleteStone:
        cell.Number = 0;
        cell.Stone = StoneNone;
        cell.Mark = MarkNone;
        break;
    case ToolDeleteAll:
        cell.Number = 0;
        cell.Element = ElemNone;
        cell.Stone = StoneNone;
        cell.Mark = MarkNone;
        break;
    case ToolSquare:
    case ToolTriangle:
    case ToolArrow:
        cell.Number = 0;
        cell.Mark = static_cast<uint8_t>(MarkSquare + (tool - ToolSquare));
        break;
    case ToolCrossMark:
        cell.Number = 0;
        cell.Mark = MarkCross;
        break;
    case ToolCircle:
        cell.Number = 0;
        cell.Mark = MarkCircle;
        break;
    case ToolNextMove: {
        const NextMove next = host_->nextMove();
        cell.Number = static_cast<uint16_t>(std::clamp(next.Number, 0, 65535));
        cell.Stone = next.White ? StoneWhite : StoneBlack;
        host_->setNextMove(NextMove{next.Number + 1, !next.White});
        break;
    }
    default:
        return;
    }
    g.PutCell(x, y, cell);
}

void GoGridModel::ApplyTool(int32_t x, int32_t y, uint8_t tool)
{
    if (!doc_.Grid.contains(x, y))
        return;
    switch (tool) {
    case ToolBoard19:
    case ToolBoard13:
    case ToolBoard11:
    case ToolBoard9: {
        static constexpr int32_t sizes[] = {19, 13, 11, 9};
        TakeUndo();
        doc_.Grid.PasteAt(boardTemplate(sizes[tool - ToolBoard19]), x, y);
        host_->redrawAll();
        break;
    }
    case ToolBlockStart:
        doc_.SetBlockStart(IntPoint{x, y});
        host_->redrawAll();
        break;
    case ToolBlockEnd:
        doc_.SetBlockEnd(IntPoint{x, y});
        host_->redrawAll();
        break;
    default:
        applyToCell(x, y, tool);
        break;
    }
    SetCursorCell(x, y);
}

void GoGridModel::CycleBlock(uint8_t tool)
{
    if (tool == ToolPointer || (tool >= ToolBoard19 && tool <= ToolBoard9) || tool == ToolBlockStart ||
        tool == ToolBlockEnd || tool > LastTool)
        return;
    const DgrBlock b = doc_.Block;
    for (int32_t y = b.Y1; y <= b.Y2; ++y)
        for (int32_t x = b.X1; x <= b.X2; ++x)
            ApplyTool(x, y, tool);
    host_->redrawAll();
}

void GoGridModel::ClearTestFlags()
{
    for (int32_t y = 0; y < doc_.Height(); ++y)
        for (int32_t x = 0; x < doc_.Width(); ++x) {
            DgrCell c = doc_.Grid.GetCell(x, y);
            if (c.Test != TestNone) {
                c.Test = TestNone;
                doc_.Grid.PutCell(x, y, c);
            }
        }
}

void GoGridModel::TestNumbers()
{
    struct Entry {
        uint16_t Number;
        int32_t X;
        int32_t Y;
    };
    // No fixed limit: a loaded file's block may hold any number of numbers.
    std::vector<Entry> entries;
    const DgrBlock b = doc_.Block;
    for (int32_t y = b.Y1; y <= b.Y2; ++y)
        for (int32_t x = b.X1; x <= b.X2; ++x) {
            const DgrCell c = doc_.Grid.GetCell(x, y);
            if (c.Number != 0)
                entries.push_back(Entry{c.Number, x, y});
        }
    if (entries.empty())
        return;
    // Equal numbers keep their row order, as neighbour swaps of the smaller
    // later number would leave them.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& c) { return a.Number < c.Number; });
    auto mark = [&](const Entry& e, uint8_t test) {
        DgrCell c = doc_.Grid.GetCell(e.X, e.Y);
        c.Test = test;
        doc_.Grid.PutCell(e.X, e.Y, c);
    };
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        const int32_t diff = entries[i + 1].Number - entries[i].Number;
        if (diff == 1)
            continue;
        const uint8_t test = diff == 0 ? TestTwice : TestGap;
        mark(entries[i], test);
        mark(entries[i + 1], test);
    }
    host_->redrawAll();
}

void GoGridModel::TakeUndo() { undo_ = doc_.Grid; }

void GoGridModel::Undo()
{
    if (undo_)
        doc_.Grid.CopyFrom(*undo_);
    ClearTestFlags();
    host_->redrawAll();
}

void GoGridModel::BlockToBuffer()
{
    const DgrBlock b = doc_.Block;
    tDgr buffer(std::max(0, b.columns()), std::max(0, b.rows()));
    for (int32_t i = 0; i < buffer.Height(); ++i)
        for (int32_t j = 0; j < buffer.Width(); ++j)
            buffer.PutCell(j, i, doc_.Grid.GetCell(b.X1 + j, b.Y1 + i));
    buffer_ = std::move(buffer);
}

void GoGridModel::BufferToCursor()
{
    if (!buffer_)
        return;
    doc_.Grid.PasteAt(*buffer_, doc_.Cursor.X, doc_.Cursor.Y);
    host_->redrawAll();
}

void GoGridModel::pasteTemplate(const tDgr& pattern)
{
    doc_.Grid.PasteAt(pattern, doc_.Cursor.X, doc_.Cursor.Y);
    host_->redrawAll();
}

void GoGridModel::gridReplaced()
{
    undo_.reset();
    host_->relayout();
    host_->redrawAll();
}

void GoGridModel::Resize(int32_t width, int32_t height)
{
    width = std::clamp(width, MinDiagramSide, MaxDiagramSide);
    height = std::clamp(height, MinDiagramSide, MaxDiagramSide);
    if (width == doc_.Width() && height == doc_.Height())
        return;
    doc_.Resize(width, height);
    gridReplaced();
}

bool GoGridModel::LoadFromFile(const std::string& name, std::string& error)
{
    if (!doc_.LoadFromFile(name, error))
        return false;
    gridReplaced();
    return true;
}

void GoGridModel::NewDiagram(const NewDiagramSettings& s)
{
    Resize(s.SizeX, s.SizeY);
    int32_t nx = doc_.MaxX();
    int32_t ny = doc_.MaxY();
    switch (s.TypDia) {
    case 1:
        Paste19();
        nx = ny = 18;
        break;
    case 2:
        Paste13();
        nx = ny = 12;
        break;
    case 3:
        Paste11();
        nx = ny = 10;
        break;
    case 4:
        Paste9();
        nx = ny = 8;
        break;
    case 5:
        Resize(11, 8);
        PasteCorner();
        // A fragment has no board extent of its own; its parts are taken
        // from the grid's own size.
        nx = doc_.MaxX();
        ny = doc_.MaxY();
        break;
    default:
        break;
    }
    const int32_t X = s.X;
    const int32_t Y = s.Y;
    DgrBlock b{0, 0, nx, ny};
    // The corners are set as on a fresh document, against the whole grid.
    doc_.BlockAll();
    switch (s.PartBoard) {
    case 1:
        b = {0, 0, X - 1, ny};
        break;
    case 2:
        b = {0, 0, nx, Y - 1};
        break;
    case 3:
        b = {nx - X + 1, 0, nx, ny};
        break;
    case 4:
        b = {0, ny - Y + 1, nx, ny};
        break;
    case 5:
        b = {0, 0, X - 1, Y - 1};
        break;
    case 6:
        b = {nx - X + 1, 0, nx, Y - 1};
        break;
    case 7:
        b = {nx - X + 1, ny - Y + 1, nx, ny};
        break;
    case 8:
        b = {0, ny - Y + 1, X - 1, ny};
        break;
    default:
        break;
    }
    doc_.SetBlockStart(IntPoint{b.X1, b.Y1});
    doc_.SetBlockEnd(IntPoint{b.X2, b.Y2});
    host_->redrawAll();
}

void GoGridModel::FillFromGame()
{
    for (int32_t colour = 1; colour <= 2; ++colour)
        for (const StonePoint& p : Reco.SetupStones[colour])
            doc_.Grid.SetStone(p.X - 1, p.Y - 1, static_cast<uint8_t>(colour));
    const int32_t moves = std::clamp(Reco.MoveCount, 0, MaxMoves);
    for (int32_t m = 1; m <= moves; ++m) {
        const MoveRecord& mv = Reco.MoveTable[m];
        // Only board points: the empty and double-move markers are not moves.
        if (!isPlaced(mv))
            continue;
        const int32_t x = mv.X - 1;
        const int32_t y = mv.Y - 1;
        if (!doc_.Grid.contains(x, y))
            continue;
        DgrCell c = doc_.Grid.GetCell(x, y);
        c.Number = static_cast<uint16_t>(m);
        c.Stone = static_cast<uint8_t>(moveColour(m));
        doc_.Grid.PutCell(x, y, c);
    }
    host_->redrawAll();
}

std::string GoGridModel::checkInvariant() const
{
    std::string e = doc_.checkInvariant();
    if (e.empty() && undo_ && (undo_->Width() != doc_.Width() || undo_->Height() != doc_.Height()))
        e = "undo snapshot of another size";
    return e;
}

} // namespace quon
