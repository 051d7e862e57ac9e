#include "model/GameRecordWriter.h"

#include "model/QcrFormat.h"
#include "model/SgfTree.h"

#include <cstring>

namespace quon {

namespace {

char coordLetter(int v) { return v >= 1 && v <= 21 ? static_cast<char>(96 + v) : 't'; }

// Values are one line: a control character would end a record's line or,
// read back from a QCR file, make it look like no record at all.
std::string prop(const char* name, const std::string& value)
{
    std::string v = value;
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return std::string(name) + "[" + escapeSgfValue(v) + "]";
}

std::string trimmed(const std::string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

// Appends the stones of one colour, ten to a line; `line` carries the
// unfinished line over to the next colour.
void stoneLines(const char* name, const std::vector<StonePoint>& stones, std::string& line,
                std::vector<std::string>& lines)
{
    int inLine = 0;
    for (const StonePoint& p : stones) {
        line += std::string(name) + "[" + coordLetter(p.X) + coordLetter(p.Y) + "]";
        if (++inLine == 10) {
            lines.push_back(line);
            line.clear();
            inLine = 0;
        }
    }
}

} // namespace

std::vector<std::string> composeGameRecordLines(const GameRecordContent& c)
{
    const GameInfo& g = c.Info;
    std::vector<std::string> lines;
    lines.push_back("(;" + prop("EV", g.eTourn));
    lines.push_back(prop("RO", g.eRound));
    lines.push_back(prop("PW", g.EWhite));
    lines.push_back(prop("PB", g.EBlack));
    lines.push_back(prop("WR", std::to_string(g.seRat_W) + g.eRat_W1));
    lines.push_back(prop("BR", std::to_string(g.seRat_B) + g.ERat_B1));
    lines.push_back(prop("KM", g.EKomi));
    lines.push_back(prop("HA", std::to_string(g.seHandicap)));
    lines.push_back(prop("DT", g.EDate));
    lines.push_back(prop("PC", g.ePlace));
    const std::string plus = g.EResult.find('+') == std::string::npos ? "+" : "";
    if (g.rgResult == WinnerNone)
        lines.push_back(prop("RE", g.EResult)); // no winner: the result as it was read
    else
        lines.push_back(prop("RE", (g.rgResult == WinnerBlack ? "B" : "W") + plus + g.EResult));
    lines.push_back(prop("US", g.EUser));
    lines.push_back(
        prop("SO", trimmed(g.ESource) + ", p. " + std::to_string(g.seNPage) + "-" + std::to_string(g.seNDia)));
    lines.push_back(prop("GT", trimmed(g.eGameTime)));
    lines.push_back(RecordCopyright);

    std::string line;
    stoneLines("AB", c.Black, line, lines);
    stoneLines("AW", c.White, line, lines);
    const bool withMoves = c.DiagramType != DiaPosition;
    const bool stones = !c.Black.empty() || !c.White.empty();
    if (withMoves && stones && !c.Moves.empty()) {
        // The moves go into a node of their own after the setup stones.
        if (line.empty() && !lines.empty())
            lines.back() += ";";
        else
            line += ";";
    }
    if (!line.empty()) {
        lines.push_back(line);
        line.clear();
    }
    if (withMoves) {
        const size_t n = c.Moves.size();
        for (size_t k = 1; k <= n; ++k) {
            const MoveRecord& m = c.Moves[k - 1];
            line += (static_cast<int32_t>(k) - 1 + c.FirstMoveColour) % 2 == 1 ? "B[" : "W[";
            line += coordLetter(m.X);
            line += coordLetter(m.Y);
            line += k < n ? "];" : "]";
            if (k % 10 == 0) {
                lines.push_back(line);
                line.clear();
            }
        }
        if (!line.empty())
            lines.push_back(line);
    }

    if (c.InsertLog && !c.LogLines.empty()) {
        lines.push_back(RecordLogHeader);
        for (const std::string& l : c.LogLines)
            lines.push_back(escapeSgfValue(l));
        lines.push_back("]");
    }
    lines.push_back(")");
    return lines;
}

std::string joinRecordLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

std::string qcrBytesFromRecordText(const std::string& text)
{
    const size_t head = std::strlen(QcrHead);
    const size_t tail = std::strlen(QcrTail);
    if (text.size() < head + tail)
        return {};
    return ScrambleQcr(text.substr(head, text.size() - head - tail));
}

GameRecordContent gameRecordContentFromTables(const GameInfo& info)
{
    GameRecordContent c;
    c.Info = info;
    c.DiagramType = Reco.DiagramType;
    c.FirstMoveColour = Reco.FirstMoveColour;
    for (int32_t m = 1; m <= Reco.MoveCount && m <= MaxMoves; ++m)
        c.Moves.push_back(Reco.MoveTable[m]);
    c.Black.assign(Reco.SetupStones[1].begin(), Reco.SetupStones[1].end());
    c.White.assign(Reco.SetupStones[2].begin(), Reco.SetupStones[2].end());
    return c;
}

} // namespace quon
