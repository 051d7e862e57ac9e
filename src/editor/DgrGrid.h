// The diagram's cell grid: one 6-byte cell per point of a printed diagram.
//
// A cell holds the piece of board line drawn through it, a stone, a move
// number and a mark or one-character label, and the flag the number test
// leaves. Cells are stored row by row; coordinates count from 0, x the
// column from the left and y the row from the top.
//
// Coordinates are plain signed integers and are checked against the grid
// before any index is formed, so a negative or oversized coordinate (a block
// corner from a file, a game point off the diagram) reads as an empty cell
// and writes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

// Board element codes: the part of the board lines passing through a cell.
enum DgrElement : uint8_t {
    ElemNone = 0,
    ElemTopLeft = 1,
    ElemTopRight = 2,
    ElemBottomLeft = 3,
    ElemBottomRight = 4,
    ElemTop = 5,
    ElemBottom = 6,
    ElemLeft = 7,
    ElemRight = 8,
    ElemCross = 9,
    ElemStar = 10,
};

enum DgrStone : uint8_t { StoneNone = 0, StoneBlack = 1, StoneWhite = 2 };

// Mark codes; any other non-zero mark byte is a Windows-1251 label character.
enum DgrMark : uint8_t {
    MarkNone = 0,
    MarkSquare = 176,
    MarkTriangle = 177,
    MarkArrow = 178,
    MarkCross = 179,
    MarkCircle = 180,
};

// Number test results.
enum DgrTest : uint8_t { TestNone = 0, TestTwice = 1, TestGap = 2 };

constexpr int32_t DgrCellBytes = 6;
// The largest move number a diagram draws.
constexpr uint16_t DgrMaxDrawnNumber = 999;

struct DgrCell {
    uint16_t Number = 0; // move number, 0 none
    uint8_t Element = 0; // DgrElement
    uint8_t Stone = 0;   // DgrStone
    uint8_t Mark = 0;    // DgrMark or a label character
    uint8_t Test = 0;    // DgrTest

    bool operator==(const DgrCell&) const = default;
    bool isZero() const { return *this == DgrCell{}; }

    // The 6 bytes as stored: Number little-endian, then the four bytes.
    void toBytes(uint8_t* out) const;
    static DgrCell fromBytes(const uint8_t* in);
};

// What a cell shows, in the order every drawing of it decides: a number of
// 1..999 wins, then a mark shape, then a label character.
enum class DgrCellShows { Nothing, Number, MarkShape, Label };
DgrCellShows cellShows(const DgrCell& cell);
inline bool isMarkShape(uint8_t mark) { return mark >= MarkSquare && mark <= MarkCircle; }

// The most cells a grid may hold. Editor sizes stay far below it; a file
// asking for more is refused as broken rather than allocated.
constexpr int64_t DgrMaxCells = 1000000;
constexpr int32_t DgrMaxSide = 65535;

class tDgr {
  public:
    // A zero-filled grid. Throws std::length_error when a side is outside
    // 0..65535 or the grid would hold more than DgrMaxCells cells.
    tDgr(int32_t width = 0, int32_t height = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Bytes of the cells: Width * Height * 6.
    int64_t DataSize() const { return static_cast<int64_t>(cells_.size()) * DgrCellBytes; }

    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // A copy of cell (x, y); an all-zero cell outside the grid.
    DgrCell GetCell(int32_t x, int32_t y) const;
    // These change nothing outside the grid.
    void PutCell(int32_t x, int32_t y, const DgrCell& cell);
    void SetElement(int32_t x, int32_t y, uint8_t code);
    void SetStone(int32_t x, int32_t y, uint8_t stone);

    // The overlapping part of both grids at the origin; other cells keep theirs.
    void CopyFrom(const tDgr& source);
    // The source with its top-left cell at (x0, y0), clipped at every side.
    void PasteAt(const tDgr& source, int32_t x0, int32_t y0);

    // All cells as stored in a file, row by row.
    std::string cellBytes() const;
    // A grid of that size from exactly DataSize() bytes; false (and the grid
    // unchanged) when the byte count does not match.
    bool setCellBytes(const std::string& bytes);

    // Cell counts for reports and tests.
    int32_t countNonZero() const;

    bool operator==(const tDgr&) const = default;

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<DgrCell> cells_;
};

} // namespace quon
