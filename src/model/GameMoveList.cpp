#include "model/GameMoveList.h"

namespace quon {

TGameMoveList::TGameMoveList() : nodes_(1) {}

TGameMove& TGameMoveList::operator[](Index i)
{
    if (i >= nodes_.size())
        throwRangeError(static_cast<long>(i), 0, static_cast<long>(nodes_.size()) - 1);
    return nodes_[i];
}

const TGameMove& TGameMoveList::operator[](Index i) const
{
    if (i >= nodes_.size())
        throwRangeError(static_cast<long>(i), 0, static_cast<long>(nodes_.size()) - 1);
    return nodes_[i];
}

TGameMoveList::Index TGameMoveList::AppendAfter(Index after, uint8_t x, uint8_t y)
{
    (void)(*this)[after];
    nodes_.resize(after + 1);
    TGameMove node;
    node.X = x;
    node.Y = y;
    nodes_.push_back(node);
    return nodes_.size() - 1;
}

void TGameMoveList::FreeChain(Index from)
{
    if (from < 1)
        from = 1;
    if (from < nodes_.size())
        nodes_.resize(from);
}

std::vector<MoveRecord> TGameMoveList::RecordMoves() const
{
    std::vector<MoveRecord> moves;
    for (Index i = 1; i + 1 < nodes_.size(); ++i)
        moves.push_back({nodes_[i].X, nodes_[i].Y});
    return moves;
}

std::string TGameMoveList::Dump() const
{
    std::string out;
    for (Index i = 0; i < nodes_.size(); ++i) {
        const TGameMove& n = nodes_[i];
        out += std::to_string(i) + ": (" + std::to_string(n.X) + "," + std::to_string(n.Y) + ")";
        if (n.Placed)
            out += " placed";
        if (n.Captures)
            out += " captures=" + std::to_string(n.Captures);
        out += "\n";
    }
    return out;
}

std::string TGameMoveList::CheckInvariant() const
{
    if (nodes_.empty())
        return "the list has no root";
    const TGameMove& root = nodes_[0];
    if (!root.IsEmpty() || root.Placed || root.Captures)
        return "the root is not a plain (20,20) node";
    for (Index i = 1; i < nodes_.size(); ++i) {
        const TGameMove& n = nodes_[i];
        const std::string at = "node " + std::to_string(i) + ": ";
        if (n.Captures > 15)
            return at + "capture set " + std::to_string(n.Captures);
        if (n.Placed && !(n.X >= 1 && n.X <= 19 && n.Y >= 1 && n.Y <= 19))
            return at + "placed without a board point";
        if (!n.Placed && n.Captures)
            return at + "captures recorded for a move that was not placed";
    }
    return {};
}

} // namespace quon
