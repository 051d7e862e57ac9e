#include "model/SgfGameReader.h"

#include "model/QcrFormat.h"
#include "model/SgfTree.h"
#include "model/TextCodec.h"

#include <algorithm>
#include <optional>

namespace quon {

namespace {

// The 40 name pairs (short spelling, long spelling) the reader knows.
struct NamePair {
    const char* Short;
    const char* Long;
};
constexpr NamePair SgfPropertyNames[40] = {
    {"B", "Black"},        {"W", "White"},        {"C", "Comment"},   {"GC", "GameComment"}, {"N", "Node"},
    {"PB", "PlayerBlack"}, {"PW", "PlayerWhite"}, {"NB", "NB"},       {"NW", "NW"},          {"BR", "BlackRank"},
    {"WR", "WhiteRank"},   {"AB", "AddBlack"},    {"AW", "AddWhite"}, {"GM", "GaMe"},        {"RE", "REsult"},
    {"DT", "DaTe"},        {"TW", "TW"},          {"TB", "TB"},       {"EV", "EVent"},       {"RO", "ROund"},
    {"PC", "PlaCe"},       {"HA", "HAndicap"},    {"US", "US"},       {"GN", "GameName"},    {"TM", "TiMe"},
    {"VW", "VieW"},        {"RS", "RS"},          {"RU", "RU"},       {"CP", "CoPyright"},   {"KM", "KoMi"},
    {"SO", "SOurce"},      {"FF", "FileFormat"},  {"RG", "RG"},       {"SC", "SC"},          {"BL", "BL"},
    {"WL", "WL"},          {"AE", "AddEmpty"},    {"SZ", "SiZe"},     {"SY", "SY"},          {"GT", "GameTime"},
};

enum Pair : int {
    PairB = 1,
    PairW = 2,
    PairPB = 6,
    PairPW = 7,
    PairBR = 10,
    PairWR = 11,
    PairAB = 12,
    PairAW = 13,
    PairRE = 15,
    PairDT = 16,
    PairEV = 19,
    PairRO = 20,
    PairPC = 21,
    PairHA = 22,
    PairKM = 30,
    PairSO = 31,
    PairGT = 40,
};

constexpr const char* TooManyMoves = "Too many moves in the game ";
constexpr const char* BadMove = "Game - Bad! Move No ";
constexpr const char* NoGame = "This is not a game record, or one cut short before its first move or stone: "
                               "nothing was read.";

// A letter's value: "a" is 1 ... "t" is 20; anything else counts as "t".
uint8_t letterValue(char c) { return c >= 'a' && c <= 't' ? static_cast<uint8_t>(c - 'a' + 1) : NoMoveCoord; }

std::optional<int32_t> parseDecimal(const std::string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    if (b == e || e - b > 9)
        return std::nullopt;
    int32_t v = 0;
    for (size_t i = b; i < e; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

std::string trimmedText(const std::string& s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

// The game information is one-line texts: a control character (a line
// break, a tab) inside a value becomes a space, as in the dialog's edits.
std::string singleLine(std::string v)
{
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return trimmedText(v);
}

void setIfNumber(int32_t& field, const std::string& text)
{
    if (const auto v = parseDecimal(text))
        field = *v;
}

class GameReader {
  public:
    GameReader(const GameInfo& info, const SgfReadOptions& options) : options_(options) { r_.Info = info; }

    SgfReadResult read(const std::string& text)
    {
        SgfParseResult parsed = parseSgfTree(text);
        if (parsed.Error) {
            r_.Error = "Cannot read the game record: " + parsed.Error->message();
            return r_;
        }
        const SgfTree& tree = parsed.Tree;
        for (const int32_t n : tree.mainLine())
            for (const SgfProperty& p : tree.Nodes[static_cast<size_t>(n)].Properties)
                if (!property(p))
                    return r_;
        if (!options_.LinearInput)
            while (!r_.Moves.empty() && r_.Moves.back() == EmptyMove) {
                r_.Moves.pop_back();
                r_.Placeholder.pop_back();
            }
        if (tooManyStones_)
            r_.Notices.push_back("The record has more than 100 setup stones of one colour; only the first 100 "
                                 "of each colour were read.");
        if (tree.Truncated && r_.Moves.empty() && r_.Black.empty() && r_.White.empty()) {
            // A text cut short before anything of a game (an empty file, a
            // text that is no record) would otherwise replace the game
            // with nothing.
            fail(NoGame);
            return r_;
        }
        if (tree.Truncated)
            r_.Notices.push_back("The game record ends early; it was read up to where it ends.");
        clampToRanges(r_.Info);
        r_.Ok = true;
        return r_;
    }

  private:
    int32_t slotColour(int32_t slot) const { return ((slot + options_.FirstMoveColour) % 2) + 1; }

    bool store(MoveRecord m, bool placeholder)
    {
        if (r_.moveCount() >= MaxReadMoves) {
            fail(TooManyMoves);
            return false;
        }
        r_.Moves.push_back(m);
        r_.Placeholder.push_back(placeholder);
        return true;
    }

    void fail(const std::string& message)
    {
        r_.Error = message;
        r_.Ok = false;
    }

    bool move(int32_t colour, const std::string& value)
    {
        MoveRecord m = EmptyMove;
        if (!value.empty()) {
            m.X = letterValue(value[0]);
            m.Y = value.size() > 1 ? letterValue(value[1]) : NoMoveCoord;
            if (m.X == NoMoveCoord || m.Y == NoMoveCoord)
                m = EmptyMove;
        }
        if (slotColour(r_.moveCount() + 1) != colour && !store(EmptyMove, true))
            return false;
        return store(m, false);
    }

    bool setupPoint(std::vector<StonePoint>& list, uint8_t x, uint8_t y)
    {
        if (x > 20 || y > 20 || x < 1 || y < 1) {
            fail(BadMove + std::to_string(r_.moveCount()));
            return false;
        }
        if (x == NoMoveCoord || y == NoMoveCoord)
            return true; // "t" is off the board: nothing to place
        if (static_cast<int32_t>(list.size()) >= MaxSetupStones) {
            tooManyStones_ = true;
            return true;
        }
        list.push_back({x, y});
        return true;
    }

    static uint8_t setupLetter(char c) { return c >= 'a' && c <= 't' ? static_cast<uint8_t>(c - 'a' + 1) : 0; }

    bool setup(std::vector<StonePoint>& list, const SgfProperty& p)
    {
        for (const std::string& raw : p.Values) {
            const std::string v = sgfValueText(raw);
            if (v.size() == 5 && v[2] == ':') {
                // A rectangle of points, given by two corners.
                const uint8_t x1 = setupLetter(v[0]), y1 = setupLetter(v[1]);
                const uint8_t x2 = setupLetter(v[3]), y2 = setupLetter(v[4]);
                if (!x1 || !y1 || !x2 || !y2)
                    return setupPoint(list, 0, 0);
                for (uint8_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
                    for (uint8_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
                        if (!setupPoint(list, x, y))
                            return false;
            } else if (v.size() == 2) {
                if (!setupPoint(list, setupLetter(v[0]), setupLetter(v[1])))
                    return false;
            } else if (!setupPoint(list, 0, 0)) {
                return false;
            }
        }
        return true;
    }

    void rank(const std::string& value, std::string& asRead, int32_t& number, std::string& letters)
    {
        asRead = value;
        if (value.empty())
            return;
        if (value[0] >= '1' && value[0] <= '9') {
            number = value[0] - '0';
            letters = value.substr(1);
        } else {
            letters = value;
        }
    }

    void result(const std::string& value)
    {
        GameInfo& g = r_.Info;
        const char first = value.empty() ? '\0' : value[0];
        if (first != 'B' && first != 'b' && first != 'W' && first != 'w') {
            // A draw, a void game, "+R" with its winner left out: no winner,
            // and the text is written back as it was read.
            g.rgResult = WinnerNone;
            g.EResult = value;
            return;
        }
        g.rgResult = first == 'B' || first == 'b' ? WinnerBlack : WinnerWhite;
        size_t from = 1;
        // Every "+" after the winner: the writer puts one back, so a text
        // that began with one would grow or shrink on every save.
        while (from < value.size() && value[from] == '+')
            ++from;
        g.EResult = value.substr(from);
    }

    void source(const std::string& v)
    {
        GameInfo& g = r_.Info;
        const size_t comma = v.rfind(',');
        if (comma != std::string::npos) {
            g.ESourcePage = v.substr(comma + 1);
            g.ESource = trimmedText(v.substr(0, comma)); // as the writer writes it
        } else {
            g.ESource = v;
        }
        const std::string mark = ", p. ";
        const size_t at = v.rfind(mark);
        if (at == std::string::npos)
            return;
        const std::string range = v.substr(at + mark.size());
        const size_t dash = range.find('-');
        setIfNumber(g.seNPage, range.substr(0, dash));
        if (dash != std::string::npos)
            setIfNumber(g.seNDia, range.substr(dash + 1));
    }

    void gameTime(const std::string& v)
    {
        GameInfo& g = r_.Info;
        g.eGameTime = v;
        if (v.size() >= 16 && v.compare(0, 2, "W:") == 0 && v.compare(7, 4, ", B:") == 0) {
            // Only the text is saved, so the times come from it alone: a time
            // that does not parse is 0, not what an earlier GT left, or the
            // game would read otherwise once saved and opened again.
            g.seWGameTimeH = parseDecimal(v.substr(2, 2)).value_or(0);
            g.seWGameTimeM = parseDecimal(v.substr(5, 2)).value_or(0);
            g.seBGameTimeH = parseDecimal(v.substr(11, 2)).value_or(0);
            g.seBGameTimeM = parseDecimal(v.substr(14, 2)).value_or(0);
        } else {
            g.seWGameTimeH = g.seWGameTimeM = g.seBGameTimeH = g.seBGameTimeM = 0;
        }
    }

    bool property(const SgfProperty& p)
    {
        const int pair = sgfPropertyPair(p.Ident);
        if (pair == 0 || p.Values.empty())
            return true;
        if (pair == PairB || pair == PairW)
            return move(pair == PairB ? 1 : 2, sgfValueText(p.Values.front()));
        if (pair == PairAB || pair == PairAW) {
            if (!r_.Moves.empty())
                return true; // setup stones only before the first move
            return setup(pair == PairAB ? r_.Black : r_.White, p);
        }
        const std::string v = singleLine(recordTextToUtf8(sgfValueText(p.Values.front())));
        GameInfo& g = r_.Info;
        switch (pair) {
        case PairPB:
            g.EBlack = v;
            break;
        case PairPW:
            g.EWhite = v;
            break;
        case PairDT:
            g.EDate = v;
            break;
        case PairEV:
            g.eTourn = v;
            break;
        case PairRO:
            g.eRound = v;
            break;
        case PairPC:
            g.ePlace = v;
            break;
        case PairKM:
            g.EKomi = v;
            break;
        case PairBR:
            rank(v, g.eRat_B, g.seRat_B, g.ERat_B1);
            break;
        case PairWR:
            rank(v, g.eRat_W, g.seRat_W, g.eRat_W1);
            break;
        case PairRE:
            result(v);
            break;
        case PairHA:
            if (!v.empty() && v[0] >= '1' && v[0] <= '9')
                setIfNumber(g.seHandicap, v);
            break;
        case PairSO:
            source(v);
            break;
        case PairGT:
            gameTime(v);
            break;
        default:
            return true; // a property the reader skips
        }
        r_.InfoProperties.emplace_back(SgfPropertyNames[pair - 1].Short, v);
        return true;
    }

    SgfReadOptions options_;
    SgfReadResult r_;
    bool tooManyStones_ = false;
};

} // namespace

int sgfPropertyPair(const std::string& ident)
{
    for (int i = 0; i < 40; ++i)
        if (ident == SgfPropertyNames[i].Short || ident == SgfPropertyNames[i].Long)
            return i + 1;
    return 0;
}

SgfReadResult readSgfGame(const std::string& text, const GameInfo& current, const SgfReadOptions& options)
{
    return GameReader(current, options).read(text);
}

SgfReadResult readQcrGame(const std::string& fileBytes, const GameInfo& current, const SgfReadOptions& options)
{
    // The writer's text holds nothing but printable bytes and line breaks.
    // Any other file unscrambles to bytes spread over the whole range, so a
    // control byte among them tells it is no record before it is parsed
    // into something that only looks like one.
    const std::string text = UnscrambleQcr(fileBytes);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            SgfReadResult refused;
            refused.Info = current;
            refused.Error = "This is not a QCR game record: its content does not unscramble to the text of a game.";
            return refused;
        }
    }
    return readSgfGame(QcrHead + text + ")", current, options);
}

void commitSgfGame(const SgfReadResult& read)
{
    Reco.SetupStones[1].clear();
    Reco.SetupStones[2].clear();
    for (const StonePoint& p : read.Black)
        Reco.SetupStones[1].add(p, "SetupStones");
    for (const StonePoint& p : read.White)
        Reco.SetupStones[2].add(p, "SetupStones");
    const int32_t n = std::min<int32_t>(read.moveCount(), MaxMoves);
    for (int32_t m = 1; m <= MaxMoves; ++m)
        Reco.MoveTable[m] = m <= n ? read.Moves[static_cast<size_t>(m - 1)] : EmptyMove;
    Reco.MoveCount = n;
}

} // namespace quon
