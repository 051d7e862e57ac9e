#include "DgrText.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace quon::test {

namespace {

const char ElementChars[] = ".1234TBLR+*";
const char MarkChars[] = "#^>%@";

} // namespace

std::string dgrCellText(const DgrCell& c)
{
    // An element code past the table (only from a crafted file) shows as "?".
    std::string s(1, c.Element <= ElemStar ? ElementChars[c.Element] : '?');
    if (c.Stone == StoneBlack)
        s += 'X';
    else if (c.Stone == StoneWhite)
        s += 'O';
    if (c.Number != 0)
        s += std::to_string(c.Number);
    if (isMarkShape(c.Mark)) {
        s += MarkChars[c.Mark - MarkSquare];
    } else if (c.Mark >= 0x21 && c.Mark < 0x7F) {
        s += '\'';
        s += static_cast<char>(c.Mark);
    } else if (c.Mark != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "$%02X", c.Mark);
        s += buf;
    }
    if (c.Test == TestTwice)
        s += '!';
    else if (c.Test == TestGap)
        s += '?';
    return s;
}

std::string dgrGridText(const tDgr& g)
{
    std::string out;
    for (int32_t y = 0; y < g.Height(); ++y) {
        for (int32_t x = 0; x < g.Width(); ++x) {
            if (x)
                out += ' ';
            out += dgrCellText(g.GetCell(x, y));
        }
        out += '\n';
    }
    return out;
}

namespace {

DgrCell parseCell(const std::string& t)
{
    DgrCell c;
    size_t i = 0;
    auto fail = [&]() -> DgrCell { throw std::invalid_argument("bad cell text \"" + t + "\""); };
    const char* e = std::strchr(ElementChars, t[i]);
    if (!e)
        return fail();
    c.Element = static_cast<uint8_t>(e - ElementChars);
    ++i;
    if (i < t.size() && (t[i] == 'X' || t[i] == 'O'))
        c.Stone = t[i++] == 'X' ? StoneBlack : StoneWhite;
    uint32_t n = 0;
    bool digits = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        n = n * 10 + static_cast<uint32_t>(t[i++] - '0');
        digits = true;
    }
    if (digits)
        c.Number = static_cast<uint16_t>(n);
    if (i < t.size()) {
        if (const char* m = std::strchr(MarkChars, t[i]); m && *m) {
            c.Mark = static_cast<uint8_t>(MarkSquare + (m - MarkChars));
            ++i;
        } else if (t[i] == '\'' && i + 1 < t.size()) {
            c.Mark = static_cast<uint8_t>(t[i + 1]);
            i += 2;
        } else if (t[i] == '$' && i + 2 < t.size()) {
            c.Mark = static_cast<uint8_t>(std::stoi(t.substr(i + 1, 2), nullptr, 16));
            i += 3;
        }
    }
    if (i < t.size() && (t[i] == '!' || t[i] == '?'))
        c.Test = t[i++] == '!' ? TestTwice : TestGap;
    if (i != t.size())
        return fail();
    return c;
}

} // namespace

tDgr dgrGridFromText(const std::string& text)
{
    std::vector<std::vector<DgrCell>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<DgrCell> row;
        std::string w;
        while (words >> w)
            row.push_back(parseCell(w));
        if (row.empty())
            continue;
        if (!rows.empty() && row.size() != rows[0].size())
            throw std::invalid_argument("rows of unequal length in \"" + text + "\"");
        rows.push_back(std::move(row));
    }
    tDgr g(rows.empty() ? 0 : static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            g.PutCell(static_cast<int32_t>(x), static_cast<int32_t>(y), rows[y][x]);
    return g;
}

} // namespace quon::test
