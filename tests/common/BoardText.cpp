#include "BoardText.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace quon::test {

namespace {

std::vector<std::string> gridLines(std::string_view grid)
{
    std::vector<std::string> lines;
    std::istringstream in{std::string(grid)};
    std::string line;
    while (std::getline(in, line)) {
        const auto b = line.find_first_not_of(" \t\r");
        if (b == std::string::npos)
            continue;
        const auto e = line.find_last_not_of(" \t\r");
        lines.push_back(line.substr(b, e - b + 1));
    }
    return lines;
}

char charOf(CellValue v)
{
    switch (v) {
    case 0:
        return '.';
    case cell::Black:
        return 'X';
    case cell::White:
        return 'O';
    case cell::MarkerCross:
        return '+';
    default:
        return '?';
    }
}

CellValue valueOf(char c)
{
    switch (c) {
    case '.':
        return 0;
    case 'X':
        return cell::Black;
    case 'O':
        return cell::White;
    case '+':
        return cell::MarkerCross;
    default:
        throw std::invalid_argument(std::string("unknown grid character '") + c + "'");
    }
}

} // namespace

std::string normaliseGrid(std::string_view grid)
{
    std::string out;
    for (const std::string& line : gridLines(grid))
        out += (out.empty() ? "" : "\n") + line;
    return out;
}

void loadGrid(BoardPosition& board, std::string_view grid)
{
    const bool rules = board.RulesFlag();
    board.SetRulesFlag(false);
    const auto lines = gridLines(grid);
    for (size_t r = 0; r < lines.size(); ++r)
        for (size_t c = 0; c < lines[r].size(); ++c)
            board.SetPoint(static_cast<int>(c) + 1, static_cast<int>(r) + 1, valueOf(lines[r][c]));
    board.SetRulesFlag(rules);
}

std::string dumpGrid(BoardPosition& board, int columns, int rows)
{
    std::string out;
    for (int y = 1; y <= rows; ++y) {
        if (y > 1)
            out += '\n';
        for (int x = 1; x <= columns; ++x)
            out += charOf(board.GetPoint(x, y));
    }
    return out;
}

::testing::AssertionResult boardMatches(BoardPosition& board, std::string_view expected)
{
    const auto want = gridLines(expected);
    const int rows = static_cast<int>(want.size());
    const int columns = rows ? static_cast<int>(want[0].size()) : 0;
    const std::string got = dumpGrid(board, columns, rows);
    const std::string wanted = normaliseGrid(expected);
    if (got == wanted)
        return ::testing::AssertionSuccess();
    const auto gotLines = gridLines(got);
    std::ostringstream msg;
    msg << "expected:\n" << wanted << "\nactual:\n" << got << "\n";
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) {
            const char w = x < static_cast<int>(want[y].size()) ? want[y][x] : ' ';
            if (gotLines[y][x] != w) {
                msg << "first difference at (" << x + 1 << "," << y + 1 << "): expected '" << w << "', got '"
                    << gotLines[y][x] << "'";
                return ::testing::AssertionFailure() << msg.str();
            }
        }
    return ::testing::AssertionFailure() << msg.str();
}

} // namespace quon::test
