// What the diagram editor's grid does, without the window: the tools applied
// to a clicked cell, the arrow keys and typed numbers and labels on the
// cursor cell, the commands over the block, the undo snapshot, the block
// buffer, the board templates, a new diagram from the display settings and
// the fill from the recognised game.
//
// The window (`tGoGrid`) owns one model, turns mouse and keys into its calls
// and draws what the model reports changed through `GoGridHost`.
//
// Every cell access goes through the grid's checked operations, so a tool,
// a paste or a game point outside the grid changes nothing. The undo
// snapshot belongs to the grid it was taken of: it is dropped when a file
// replaces the grid or the grid changes size, so an undo never mixes two
// diagrams.
#pragma once

#include "editor/DgrData.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quon {

// The editor's current tool, set by the tool palette and the numbering window.
extern uint8_t CurrentTool;

enum GoTool : uint8_t {
    ToolPointer = 0,
    ToolBlack = 1,
    ToolWhite = 2,
    ToolCrossing = 3,
    ToolStarPoint = 4,
    ToolLeftEdge = 5,
    ToolRightEdge = 6,
    ToolTopEdge = 7,
    ToolBottomEdge = 8,
    ToolTopLeft = 9,
    ToolTopRight = 10,
    ToolBottomLeft = 11,
    ToolBottomRight = 12,
    ToolDeleteStone = 13,
    ToolDeleteAll = 14,
    ToolBoard19 = 15,
    ToolBoard13 = 16,
    ToolBoard11 = 17,
    ToolBoard9 = 18,
    ToolSquare = 19,
    ToolTriangle = 20,
    ToolArrow = 21,
    ToolNextMove = 22,
    ToolBlockStart = 23,
    ToolBlockEnd = 24,
    ToolCrossMark = 25,
    ToolCircle = 26,
};
constexpr uint8_t LastTool = ToolCircle;

// The numbering window's state: the number and colour the next-move tool
// gives next.
struct NextMove {
    int32_t Number = 1;
    bool White = false;
    bool operator==(const NextMove&) const = default;
};

enum class GridKey { Left, Right, Up, Down };

// The window side of the model. The defaults suit a model without a window:
// every cell visible, nothing to redraw, the numbering state kept here.
class GoGridHost {
  public:
    virtual ~GoGridHost() = default;
    virtual void redrawCell(int32_t /*x*/, int32_t /*y*/) {}
    virtual void redrawAll() {}
    // The grid changed size: columns, rows and scroll steps follow it.
    virtual void relayout() {}
    virtual bool cellVisible(int32_t /*x*/, int32_t /*y*/) { return true; }
    // Scroll the window by one cell step (dx, dy each -1, 0 or 1).
    virtual void scrollOneStep(int /*dx*/, int /*dy*/) {}
    virtual NextMove nextMove() { return numbering_; }
    virtual void setNextMove(const NextMove& next) { numbering_ = next; }

  private:
    NextMove numbering_;
};

// The display settings a new diagram is built from.
constexpr int32_t MinDiagramSide = 1;
constexpr int32_t MaxDiagramSide = 99;

struct NewDiagramSettings {
    int32_t SizeX = 19;    // seSizeX
    int32_t SizeY = 19;    // seSizeY
    int32_t TypDia = 1;    // CBTypDia: 0 empty, 1..4 boards 19/13/11/9, 5 corner fragment
    int32_t PartBoard = 0; // CBPartBoard: 0 full, 1..4 sides, 5..8 corners
    int32_t X = 12;        // SE_X: columns of a side or corner
    int32_t Y = 12;        // SE_Y: rows
};

// Board templates: element bytes only. n is 19, 13, 11 or 9.
tDgr boardTemplate(int32_t n);
// 11 x 8 lower-right corner of a board.
tDgr cornerFragmentTemplate();

// The byte a typed character stores, in Windows-1251; none for characters the
// grid does not take (other control characters, characters the code page
// lacks), so that shortcuts and tabs never become labels.
std::optional<uint8_t> typedCellByte(const std::string& utf8);

class GoGridModel {
  public:
    explicit GoGridModel(tDgrData document = tDgrData(19, 19), GoGridHost* host = nullptr);

    tDgrData& Document() { return doc_; }
    const tDgrData& Document() const { return doc_; }
    void setHost(GoGridHost* host) { host_ = host ? host : &ownHost_; }

    // The cursor to (x, y) when that is a cell; the old and new cells redrawn.
    void SetCursorCell(int32_t x, int32_t y);
    void GridKeyDown(GridKey key);
    // A typed byte on the cursor cell: 8 takes the last digit off the number,
    // a digit is appended while the number has fewer than 3 digits, any
    // other byte becomes the cell's mark or label and clears the number.
    void GridKeyPress(uint8_t byte);

    // The tool on cell (x, y), then the cursor moves there.
    void ApplyTool(int32_t x, int32_t y, uint8_t tool);
    // The tool on every cell of the block, row by row (not for the pointer,
    // the board pastes and the block tools).
    void CycleBlock(uint8_t tool);
    void ClearTestFlags();
    // Marks the move numbers of the block: 1 on numbers that occur twice, 2
    // on neighbours in number order that are not consecutive.
    void TestNumbers();

    void TakeUndo();
    // The snapshot's cells back (the snapshot stays), then no test flags.
    void Undo();
    bool hasUndo() const { return undo_.has_value(); }
    void BlockToBuffer();
    // The buffer pasted at the cursor; nothing before the first copy.
    void BufferToCursor();
    bool hasBuffer() const { return buffer_.has_value(); }

    void Paste19() { pasteTemplate(boardTemplate(19)); }
    void Paste13() { pasteTemplate(boardTemplate(13)); }
    void Paste11() { pasteTemplate(boardTemplate(11)); }
    void Paste9() { pasteTemplate(boardTemplate(9)); }
    void PasteCorner() { pasteTemplate(cornerFragmentTemplate()); }

    void NewDiagram(const NewDiagramSettings& settings);
    // Setup stones and moves of the recognised game (the shared tables) onto
    // the grid, stones in the colour of the player who made the move.
    void FillFromGame();

    // Loads a dgr file into the document (see tDgrData); a good load drops
    // the undo snapshot.
    bool LoadFromFile(const std::string& name, std::string& error);
    // The grid to a new size (1..99 each way, as the display settings allow),
    // cells kept at the origin; block and cursor kept inside, snapshot dropped.
    void Resize(int32_t width, int32_t height);

    std::string checkInvariant() const;

  private:
    void pasteTemplate(const tDgr& pattern);
    void applyToCell(int32_t x, int32_t y, uint8_t tool);
    void gridReplaced();

    tDgrData doc_;
    GoGridHost ownHost_;
    GoGridHost* host_;
    std::optional<tDgr> undo_;
    std::optional<tDgr> buffer_;
};

} // namespace quon
