// An independent replay of a game for tests: plain Go rules (captures, then
// suicide removes the mover's own group) written without the board control's
// code, to check positions the game window reaches.
#pragma once

#include "model/BoardPosition.h"
#include "model/Recotypes.h"

#include <string>
#include <vector>

namespace quon::test {

class ReferenceGo {
  public:
    // Colour 1 black, 2 white at (x, y), 1-based; a point off the board is a
    // pass. An occupied point changes nothing.
    void play(int x, int y, int colour);
    // Rows top to bottom, "." empty, "X" black, "O" white, joined by "\n".
    std::string grid() const;

  private:
    bool onBoard(int x, int y) const { return x >= 1 && x <= 19 && y >= 1 && y <= 19; }
    bool hasLiberty(int x, int y, std::vector<int>& seen) const;
    void removeGroup(int x, int y, int colour);
    int cell_[20][20] = {};
};

// Position after k moves, k = 0..moves.size(); move m has the colour
// ((m + firstMoveColour) mod 2) + 1.
std::vector<std::string> referencePositions(const std::vector<MoveRecord>& moves, int firstMoveColour);

// The stones of a board in game coordinates, in the grid form above
// (markers, letters and numbers are ignored).
std::string stoneGrid(BoardPosition& board);

// The first line where two grids differ, with both lines; empty when equal.
std::string firstDifference(const std::string& expected, const std::string& actual);

} // namespace quon::test
