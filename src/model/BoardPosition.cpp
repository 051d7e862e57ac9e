#include "model/BoardPosition.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quon {

namespace {

// Neighbours in the order every search of the board visits them.
constexpr std::array<BoardPoint, 4> kSteps{{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
// The capture-direction bit of each of these steps.
constexpr std::array<uint8_t, 4> kStepDir{dir::ColumnMinus, dir::ColumnPlus, dir::RowMinus, dir::RowPlus};

constexpr CellValue opponentOf(CellValue c) { return (c & 1) + 1; }

} // namespace

BoardPosition::BoardPosition() = default;

void BoardPosition::SetBoardSize(int n)
{
    if (n < 1 || n > MaxSize || n == size_)
        return;
    size_ = n;
    lastMove_ = {};
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y)
            cells_[x][y] = 0;
}

CellValue BoardPosition::GetPoint(int x, int y)
{
    if (!OnBoard(x, y)) {
        error_ = 1;
        return 0;
    }
    const BoardPoint p = TransformPoint({x, y}, orientation_);
    return cells_[p.x][p.y];
}

void BoardPosition::SetPoint(int x, int y, CellValue v)
{
    if (!OnBoard(x, y)) {
        if (x == size_ + 1 && y == size_ + 1) {
            lastMove_ = {x, y};
            captureDirs_ = 0;
        } else {
            error_ = 1;
        }
        return;
    }
    const BoardPoint p = TransformPoint({x, y}, orientation_);
    CellValue& c = cells_[p.x][p.y];
    if (cell::locked(c)) {
        lastMove_ = p;
        captureDirs_ = 0;
        return;
    }
    const bool stone = cell::isPlainStone(v);
    if (rules_ && v != 0) {
        // A stone must be legal; any other drawn content only needs a free point.
        const bool allowed = stone ? CanPlace(p.x, p.y, v) : c == 0;
        if (!allowed) {
            error_ = 2;
            return;
        }
    }
    c = v;
    lastMove_ = p;
    if (rules_ && v != 0) {
        if (stone)
            CaptureAround(p.x, p.y, opponentOf(v));
        else
            captureDirs_ = 0; // a marker captures nothing
    }
}

uint8_t BoardPosition::TakeError()
{
    const uint8_t e = error_;
    error_ = 0;
    return e;
}

void BoardPosition::SetLastMove(BoardPoint p) { lastMove_ = OnBoard(p.x, p.y) ? TransformPoint(p, orientation_) : p; }

BoardPoint BoardPosition::GetLastMove() const
{
    return OnBoard(lastMove_.x, lastMove_.y) ? TransformPoint(lastMove_, inverse_) : lastMove_;
}

void BoardPosition::SetCaptureDirs(uint8_t dirs) { captureDirs_ = TransformDirs(dirs & 15, orientation_); }

uint8_t BoardPosition::GetCaptureDirs() const { return TransformDirs(captureDirs_, inverse_); }

CellValue BoardPosition::StoneAt(int x, int y) const
{
    const CellValue v = cells_[x][y];
    return cell::stone(v) <= 2 ? v : 0;
}

bool BoardPosition::HasLiberty(int x, int y, CellValue c)
{
    ++depth_;
    maxDepth_ = std::max(maxDepth_, depth_);
    visited_[x][y] = 1;
    bool found = false;
    for (const BoardPoint& s : kSteps) {
        const int nx = x + s.x, ny = y + s.y;
        if (OnBoard(nx, ny) && StoneAt(nx, ny) == 0) {
            found = true;
            break;
        }
    }
    if (!found) {
        for (const BoardPoint& s : kSteps) {
            const int nx = x + s.x, ny = y + s.y;
            if (OnBoard(nx, ny) && StoneAt(nx, ny) == c && !visited_[nx][ny] && HasLiberty(nx, ny, c)) {
                found = true;
                break;
            }
        }
    }
    if (--depth_ == 0)
        ClearVisited();
    return found;
}

bool BoardPosition::CanPlace(int x, int y, CellValue c)
{
    if (!OnBoard(x, y) || cells_[x][y] != 0)
        return false;
    maxDepth_ = 0;
    cells_[x][y] = c; // the stone stands there for the test only
    bool legal = HasLiberty(x, y, c);
    if (!legal) {
        // Only neighbours of the opponent's colour can be captured, the same
        // test that CaptureAround uses when the stone is really set.
        const CellValue o = opponentOf(c);
        bool captures = false;
        for (size_t i = 0; i < kSteps.size() && !captures; ++i) {
            const int nx = x + kSteps[i].x, ny = y + kSteps[i].y;
            maxDepth_ = 0;
            if (OnBoard(nx, ny) && StoneAt(nx, ny) == o && !HasLiberty(nx, ny, o))
                captures = true;
        }
        legal = captures;
        // Simple ko: a single stone may not be taken back at once when the
        // last move captured towards this point.
        if (captures && maxDepth_ == 1 && lastMove_ != BoardPoint{}) {
            const BoardPoint l = lastMove_;
            const uint8_t d = captureDirs_;
            if ((l == BoardPoint{x, y - 1} && (d & dir::RowPlus)) ||
                (l == BoardPoint{x - 1, y} && (d & dir::ColumnPlus)) ||
                (l == BoardPoint{x, y + 1} && (d & dir::RowMinus)) ||
                (l == BoardPoint{x + 1, y} && (d & dir::ColumnMinus)))
                legal = false;
        }
    }
    cells_[x][y] = 0;
    return legal;
}

void BoardPosition::CaptureAround(int x, int y, CellValue opponent)
{
    captureDirs_ = 0;
    for (size_t i = 0; i < kSteps.size(); ++i) {
        const int nx = x + kSteps[i].x, ny = y + kSteps[i].y;
        if (OnBoard(nx, ny) && StoneAt(nx, ny) == opponent && !HasLiberty(nx, ny, opponent)) {
            captureDirs_ |= kStepDir[i];
            RemoveGroup(nx, ny, opponent);
        }
    }
}

void BoardPosition::RemoveGroup(int x, int y, CellValue c)
{
    cells_[x][y] = 0;
    for (const BoardPoint& s : kSteps) {
        const int nx = x + s.x, ny = y + s.y;
        if (OnBoard(nx, ny) && StoneAt(nx, ny) == c)
            RemoveGroup(nx, ny, c);
    }
}

void BoardPosition::FillGroup(int x, int y, CellValue c)
{
    cells_[x][y] = c;
    for (const BoardPoint& s : kSteps) {
        const int nx = x + s.x, ny = y + s.y;
        if (OnBoard(nx, ny) && StoneAt(nx, ny) == 0)
            FillGroup(nx, ny, c);
    }
}

void BoardPosition::UndoCaptures()
{
    if (captureDirs_ == 0 || !OnBoard(lastMove_.x, lastMove_.y))
        return;
    const CellValue colour = opponentOf(cells_[lastMove_.x][lastMove_.y]);
    // Directions in the order 1, 2, 4, 8 with the step that each names.
    constexpr std::array<std::pair<uint8_t, BoardPoint>, 4> order{
        {{dir::RowPlus, {0, 1}}, {dir::ColumnPlus, {1, 0}}, {dir::RowMinus, {0, -1}}, {dir::ColumnMinus, {-1, 0}}}};
    for (const auto& [bit, step] : order) {
        if (!(captureDirs_ & bit))
            continue;
        const int nx = lastMove_.x + step.x, ny = lastMove_.y + step.y;
        // A neighbour that is not empty was not captured there: filling it
        // would overwrite a stone with the wrong colour.
        if (OnBoard(nx, ny) && StoneAt(nx, ny) == 0)
            FillGroup(nx, ny, colour);
    }
}

int BoardPosition::ComposeOrientation(int first, int then)
{
    first &= 7;
    then &= 7;
    if (then & 1) {
        const int b1 = (first >> 1) & 1, b2 = (first >> 2) & 1;
        first = (first & 1) | (b2 << 1) | (b1 << 2);
    }
    return first ^ then;
}

BoardPoint BoardPosition::TransformPoint(BoardPoint p, int code) const
{
    if (!OnBoard(p.x, p.y))
        return p;
    if (code & 1)
        std::swap(p.x, p.y);
    if (code & 2)
        p.x = size_ + 1 - p.x;
    if (code & 4)
        p.y = size_ + 1 - p.y;
    return p;
}

uint8_t BoardPosition::TransformDirs(uint8_t dirs, int code)
{
    auto swapBits = [](uint8_t d, uint8_t a, uint8_t b) -> uint8_t {
        const bool hasA = d & a, hasB = d & b;
        d = static_cast<uint8_t>(d & ~(a | b));
        if (hasA)
            d |= b;
        if (hasB)
            d |= a;
        return d;
    };
    if (code & 1) {
        dirs = swapBits(dirs, dir::ColumnMinus, dir::RowMinus);
        dirs = swapBits(dirs, dir::ColumnPlus, dir::RowPlus);
    }
    if (code & 2)
        dirs = swapBits(dirs, dir::ColumnMinus, dir::ColumnPlus);
    if (code & 4)
        dirs = swapBits(dirs, dir::RowMinus, dir::RowPlus);
    return dirs;
}

void BoardPosition::TransformCells(int code)
{
    auto old = cells_;
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y) {
            const BoardPoint p = TransformPoint({x, y}, code);
            cells_[p.x][p.y] = old[x][y];
        }
}

void BoardPosition::ApplyOrientation(int change)
{
    change &= 7;
    orientation_ = ComposeOrientation(orientation_, change);
    for (int k = 0; k < 8; ++k)
        if (ComposeOrientation(orientation_, k) == 0) {
            inverse_ = k;
            break;
        }
    lastMove_ = TransformPoint(lastMove_, change);
    captureDirs_ = TransformDirs(captureDirs_, change);
    TransformCells(change);
}

void BoardPosition::ClearVisited()
{
    for (auto& row : visited_)
        row.fill(0);
}

std::string BoardPosition::CheckInvariant() const
{
    if (size_ < 1 || size_ > MaxSize)
        return "board size " + std::to_string(size_) + " out of 1..19";
    if (orientation_ < 0 || orientation_ > 7 || inverse_ < 0 || inverse_ > 7)
        return "orientation code out of 0..7";
    if (ComposeOrientation(orientation_, inverse_) != 0)
        return "inverse orientation does not undo the orientation";
    if (error_ > 2)
        return "error code " + std::to_string(error_);
    if (captureDirs_ > 15)
        return "capture directions " + std::to_string(captureDirs_);
    if (lastMove_.x < 0 || lastMove_.x > MaxSize + 2 || lastMove_.y < 0 || lastMove_.y > MaxSize + 2)
        return "last move out of range";
    if (depth_ != 0)
        return "liberty search depth not back at 0";
    for (int x = 1; x <= MaxSize; ++x)
        for (int y = 1; y <= MaxSize; ++y)
            if (visited_[x][y])
                return "visited mark left at (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return {};
}

bool BoardPosition::EveryGroupHasLiberty() const
{
    Array1<MarkRow, 1, MaxSize> seen{};
    for (int x = 1; x <= size_; ++x)
        for (int y = 1; y <= size_; ++y) {
            const CellValue c = cells_[x][y];
            if (!cell::isPlainStone(c) || seen[x][y])
                continue;
            bool liberty = false;
            std::vector<BoardPoint> todo{{x, y}};
            seen[x][y] = 1;
            while (!todo.empty()) {
                const BoardPoint p = todo.back();
                todo.pop_back();
                for (const BoardPoint& s : kSteps) {
                    const int nx = p.x + s.x, ny = p.y + s.y;
                    if (!OnBoard(nx, ny))
                        continue;
                    if (StoneAt(nx, ny) == 0)
                        liberty = true;
                    else if (cells_[nx][ny] == c && !seen[nx][ny]) {
                        seen[nx][ny] = 1;
                        todo.push_back({nx, ny});
                    }
                }
            }
            if (!liberty)
                return false;
        }
    return true;
}

} // namespace quon
