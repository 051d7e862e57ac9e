// Board positions written as text grids, for tests.
//
// One character per point, rows top to bottom (row 1 first), columns left to
// right, placed from point (1, 1); blanks at the start and end of a line are
// ignored and empty lines are skipped.
//   .  empty      X  black stone      O  white stone
//   +  a marker only (large cross, no stone)
#pragma once

#include "model/BoardPosition.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quon::test {

// The grid's lines, trimmed, joined by "\n".
std::string normaliseGrid(std::string_view grid);

// Sets the points of the grid with the rules off (then restores the flag).
void loadGrid(BoardPosition& board, std::string_view grid);

// The top-left columns x rows of the board, in game coordinates.
std::string dumpGrid(BoardPosition& board, int columns, int rows);

// Compares the board with an expected grid of the same shape; on failure
// prints both grids and the first point that differs.
::testing::AssertionResult boardMatches(BoardPosition& board, std::string_view expected);

} // namespace quon::test
