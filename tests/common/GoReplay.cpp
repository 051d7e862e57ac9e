#include "GoReplay.h"

#include <sstream>

namespace quon::test {

namespace {
constexpr int kDx[4] = {1, -1, 0, 0};
constexpr int kDy[4] = {0, 0, 1, -1};
} // namespace

bool ReferenceGo::hasLiberty(int x, int y, std::vector<int>& seen) const
{
    const int colour = cell_[x][y];
    std::vector<std::pair<int, int>> todo{{x, y}};
    seen[x * 20 + y] = 1;
    while (!todo.empty()) {
        auto [cx, cy] = todo.back();
        todo.pop_back();
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + kDx[d], ny = cy + kDy[d];
            if (!onBoard(nx, ny))
                continue;
            if (cell_[nx][ny] == 0)
                return true;
            if (cell_[nx][ny] == colour && !seen[nx * 20 + ny]) {
                seen[nx * 20 + ny] = 1;
                todo.push_back({nx, ny});
            }
        }
    }
    return false;
}

void ReferenceGo::removeGroup(int x, int y, int colour)
{
    std::vector<std::pair<int, int>> todo{{x, y}};
    cell_[x][y] = 0;
    while (!todo.empty()) {
        auto [cx, cy] = todo.back();
        todo.pop_back();
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + kDx[d], ny = cy + kDy[d];
            if (onBoard(nx, ny) && cell_[nx][ny] == colour) {
                cell_[nx][ny] = 0;
                todo.push_back({nx, ny});
            }
        }
    }
}

void ReferenceGo::play(int x, int y, int colour)
{
    if (!onBoard(x, y) || cell_[x][y] != 0)
        return;
    cell_[x][y] = colour;
    const int opponent = 3 - colour;
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (!onBoard(nx, ny) || cell_[nx][ny] != opponent)
            continue;
        std::vector<int> seen(400, 0);
        if (!hasLiberty(nx, ny, seen))
            removeGroup(nx, ny, opponent);
    }
    std::vector<int> seen(400, 0);
    if (!hasLiberty(x, y, seen))
        removeGroup(x, y, colour);
}

std::string ReferenceGo::grid() const
{
    std::string out;
    for (int y = 1; y <= 19; ++y) {
        if (y > 1)
            out += '\n';
        for (int x = 1; x <= 19; ++x)
            out += cell_[x][y] == 1 ? 'X' : cell_[x][y] == 2 ? 'O' : '.';
    }
    return out;
}

std::vector<std::string> referencePositions(const std::vector<MoveRecord>& moves, int firstMoveColour)
{
    ReferenceGo go;
    std::vector<std::string> out{go.grid()};
    for (size_t i = 0; i < moves.size(); ++i) {
        const int m = static_cast<int>(i) + 1;
        go.play(moves[i].X, moves[i].Y, ((m + firstMoveColour) % 2) + 1);
        out.push_back(go.grid());
    }
    return out;
}

std::string stoneGrid(BoardPosition& board)
{
    std::string out;
    for (int y = 1; y <= 19; ++y) {
        if (y > 1)
            out += '\n';
        for (int x = 1; x <= 19; ++x) {
            const int s = board.GetPoint(x, y) & 3;
            out += s == 1 ? 'X' : s == 2 ? 'O' : '.';
        }
    }
    board.TakeError();
    return out;
}

std::string firstDifference(const std::string& expected, const std::string& actual)
{
    std::istringstream a(expected), b(actual);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ga = static_cast<bool>(std::getline(a, la));
        const bool gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb)
            return {};
        if (!ga || !gb || la != lb)
            return "line " + std::to_string(line) + ": expected \"" + (ga ? la : "<end>") + "\", got \"" +
                   (gb ? lb : "<end>") + "\"";
    }
}

} // namespace quon::test
