// The position of the game board: bit-packed cell values, the capture,
// suicide and simple ko rules, undoing the captures of the last move, and the
// eight orientations of the board.
//
// Method. Cells are kept in the board's own (oriented) coordinates; every
// operation that takes or returns a point in game coordinates converts it
// with the orientation on the way in and with its inverse on the way out.
// Groups are found by a recursive search that marks visited points; a group
// of one colour is a set of neighbouring points with equal StoneAt values.
//
// Errors are codes, not exceptions: 1 for a point outside the board, 2 for a
// forbidden move (occupied point, suicide, ko). The caller reads and clears
// them with TakeError.
//
// The rules apply to plain stones only (values 1 and 2). A value that carries
// a letter, number or marker is stored on an empty point as given (never
// captures, never counts as suicide) and refused on an occupied point while
// the rules are on.
#pragma once

#include "model/CheckedArray.h"

#include <cstdint>
#include <string>

namespace quon {

// One point of the board:
//   bits 0-3  stone: 0 none, 1 black, 2 white; other codes draw no stone
//   bits 4-11 letter (character code) drawn on the point
//   bits 12-24 move number drawn on the point (at most 8191)
//   bits 25-28 marker shape, 0 none, 1..14
//   bits 29-30 marker drawing: 0 plain, otherwise by inverting the pixels
//   bit 31    locked: SetPoint leaves the cell unchanged; drawn hatched
using CellValue = int32_t;

namespace cell {
constexpr CellValue Black = 1;
constexpr CellValue White = 2;
constexpr CellValue MarkerCross = 0x02000000;    // large cross, plain drawing
constexpr CellValue MarkerCrossInv = 0x22000000; // the same cross, inverting
constexpr CellValue LockedBit = static_cast<CellValue>(0x80000000u);
constexpr int MaxNumber = 0x1FFF;

constexpr uint32_t bits(CellValue v) { return static_cast<uint32_t>(v); }
constexpr int stone(CellValue v) { return static_cast<int>(bits(v) & 0xF); }
constexpr int letter(CellValue v) { return static_cast<int>((bits(v) >> 4) & 0xFF); }
constexpr int number(CellValue v) { return static_cast<int>((bits(v) >> 12) & 0x1FFF); }
constexpr int markerShape(CellValue v) { return static_cast<int>((bits(v) >> 25) & 0xF); }
constexpr int markerDrawing(CellValue v) { return static_cast<int>((bits(v) >> 29) & 0x3); }
constexpr bool locked(CellValue v) { return (bits(v) & 0x80000000u) != 0; }
constexpr bool hasMarker(CellValue v) { return (bits(v) >> 25) != 0; }
constexpr bool isPlainStone(CellValue v) { return v == Black || v == White; }

// A cell value from its fields; fields out of range are cut to their bits.
constexpr CellValue make(int stoneCode, int letterCode = 0, int moveNumber = 0, int shape = 0, int drawing = 0,
                         bool isLocked = false)
{
    uint32_t v = (static_cast<uint32_t>(stoneCode) & 0xF) | ((static_cast<uint32_t>(letterCode) & 0xFF) << 4) |
                 ((static_cast<uint32_t>(moveNumber) & 0x1FFF) << 12) | ((static_cast<uint32_t>(shape) & 0xF) << 25) |
                 ((static_cast<uint32_t>(drawing) & 0x3) << 29) | (isLocked ? 0x80000000u : 0u);
    return static_cast<CellValue>(v);
}
} // namespace cell

// Direction bits of a capture set, seen from the move.
namespace dir {
constexpr uint8_t RowPlus = 1;     // neighbour at row + 1
constexpr uint8_t ColumnPlus = 2;  // neighbour at column + 1
constexpr uint8_t RowMinus = 4;    // neighbour at row - 1
constexpr uint8_t ColumnMinus = 8; // neighbour at column - 1
} // namespace dir

struct BoardPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BoardPoint&) const = default;
};

class BoardPosition {
  public:
    static constexpr int MaxSize = 19;

    BoardPosition();

    // --- game coordinates ------------------------------------------------
    // A new size empties the board and forgets the last move; the same size
    // changes nothing.
    void SetBoardSize(int n);
    int BoardSize() const { return size_; }
    bool OnBoard(int x, int y) const { return x >= 1 && x <= size_ && y >= 1 && y <= size_; }

    // Outside the board: error 1 and the result 0.
    CellValue GetPoint(int x, int y);
    // Sets a point (see the header comment for the rules). (N+1, N+1) is no
    // point: it forgets the last move without an error. A locked cell keeps
    // its value but still becomes the last move.
    void SetPoint(int x, int y, CellValue v);
    // The last error (0, 1 or 2); cleared by reading.
    uint8_t TakeError();
    uint8_t PeekError() const { return error_; }

    void SetLastMove(BoardPoint p);
    BoardPoint GetLastMove() const;
    void SetCaptureDirs(uint8_t dirs);
    uint8_t GetCaptureDirs() const;
    // Puts back the groups the last move captured, in the opponent colour of
    // the stone on the last move.
    void UndoCaptures();

    // Composes `change` (bit 0 transpose, bit 1 mirror columns, bit 2 mirror
    // rows) with the board's orientation and turns cells, last move and
    // capture directions with it.
    void ApplyOrientation(int change);
    int Orientation() const { return orientation_; }
    int InverseOrientation() const { return inverse_; }

    // Rules flag: 1 applies legality and captures when a stone is set.
    void SetRulesFlag(bool on) { rules_ = on; }
    bool RulesFlag() const { return rules_; }

    // --- board (oriented) coordinates -----------------------------------
    // The whole cell value when its stone code is 0..2, else 0 (empty).
    CellValue StoneAt(int x, int y) const;
    // Whether colour c may be placed on the empty point (x, y): it has a
    // liberty or captures, and is not an immediate single-stone retake.
    bool CanPlace(int x, int y, CellValue c);
    CellValue CellAt(int x, int y) const { return cells_[x][y]; }

    static int ComposeOrientation(int first, int then);
    // Point on the board under an orientation code; off-board points unchanged.
    BoardPoint TransformPoint(BoardPoint p, int code) const;
    static uint8_t TransformDirs(uint8_t dirs, int code);

    // Empty when the structure is sound, else what is wrong.
    std::string CheckInvariant() const;
    // True when every stone group (value 1 or 2) has a liberty; holds after
    // any sequence of moves made with the rules on.
    bool EveryGroupHasLiberty() const;

  private:
    bool HasLiberty(int x, int y, CellValue c);
    void CaptureAround(int x, int y, CellValue opponent);
    void RemoveGroup(int x, int y, CellValue c);
    void FillGroup(int x, int y, CellValue c);
    void TransformCells(int code);
    void ClearVisited();

    using Row = Array1<CellValue, 1, MaxSize>;
    using MarkRow = Array1<uint8_t, 1, MaxSize>;

    int size_ = MaxSize;
    Array1<Row, 1, MaxSize> cells_{};
    uint8_t error_ = 0;
    BoardPoint lastMove_{};
    uint8_t captureDirs_ = 0;
    int orientation_ = 0;
    int inverse_ = 0;
    bool rules_ = false;
    Array1<MarkRow, 1, MaxSize> visited_{};
    int depth_ = 0;
    int maxDepth_ = 0;
};

} // namespace quon
