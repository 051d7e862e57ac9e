// The game window's move list: a root node, the moves in order, and usually
// a closing node.
//
// The list is kept as a vector whose entry 0 is the root (20, 20); a node's
// successor and predecessor are its neighbours in the vector, and a node is
// named by its index. That keeps every "next" and "previous" step checked
// and frees nodes simply by cutting the vector.
//
// Node kinds, by their point:
//   (1..19, 1..19)  a move
//   (20, 20)        the root, the closing node, or an empty move in between
//   (20, 21)        a move number claimed by two stones on the diagram
// Anything else (a (0, 0) move removed by a line shift, say) is kept as given
// and counts as a move whose point is off the board.
#pragma once

#include "model/Recotypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quon {

struct TGameMove {
    uint8_t X = NoMoveCoord;
    uint8_t Y = NoMoveCoord;
    // The capture-direction set the board reported when the move was played
    // (dir:: bits of model/BoardPosition.h); 0 when nothing was captured or
    // the move was not placed.
    uint8_t Captures = 0;
    // Whether the move's stone was really set on the board when it was last
    // played. A move onto an occupied or forbidden point is not placed, and
    // taking it back must leave the board alone.
    bool Placed = false;
    std::string Comment; // no operation fills it

    bool IsEmpty() const { return X == NoMoveCoord && Y == NoMoveCoord; }
    bool IsDouble() const { return X == NoMoveCoord && Y == DoubleMoveCoord; }
    // Not a move of its own: root, closing node, empty or double move.
    bool IsNoMove() const { return X == NoMoveCoord; }
};

class TGameMoveList {
  public:
    using Index = std::size_t;
    static constexpr Index Root = 0;

    TGameMoveList();

    Index Size() const { return nodes_.size(); }     // the root included
    Index Last() const { return nodes_.size() - 1; } // the root on an empty list
    bool HasNext(Index i) const { return i + 1 < nodes_.size(); }
    bool HasPrevious(Index i) const { return i > 0 && i < nodes_.size(); }

    // Checked access: an index past the list throws RangeError.
    TGameMove& operator[](Index i);
    const TGameMove& operator[](Index i) const;

    // Frees every node after `after` and appends (x, y) behind it; returns
    // the new node's index.
    Index AppendAfter(Index after, uint8_t x, uint8_t y);
    // Frees the node and every node after it; the root is never freed.
    void FreeChain(Index from);
    // Back to the root alone.
    void Clear() { FreeChain(1); }

    // The nodes after the root without the list's last node (the closing
    // node): what a saved game record holds.
    std::vector<MoveRecord> RecordMoves() const;

    // One line per node: "index: (x,y)" plus " placed" and " captures=N"
    // where they apply; the root is line 0.
    std::string Dump() const;
    // Empty when the list is sound, else what is wrong.
    std::string CheckInvariant() const;

  private:
    std::vector<TGameMove> nodes_;
};

} // namespace quon
