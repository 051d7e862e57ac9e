// QCR files and the record writer: the key, scrambling, file names, the
// composed text, and round trips through the reader, on hand-made games and
// on the corpus games.
#include "common/Sha256.h"
#include "model/GameRecordWriter.h"
#include "model/QcrFormat.h"
#include "model/SgfGameReader.h"
#include "model/SgfTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace quon;

namespace {

std::string allBytes(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + 3) % 256);
    return s;
}

TEST(QcrKey, IsPinnedAndHasNoZeroByte)
{
    const std::string key(QcrKeyTable.begin(), QcrKeyTable.end());
    // Every QCR file ever saved depends on these bytes.
    EXPECT_EQ(test::sha256Hex(key), "8043f1705c55427e38922705bce51acd2ca54898be1a26860368ea9e294051b4");
    EXPECT_EQ(std::count(key.begin(), key.end(), '\0'), 0);
    EXPECT_EQ(test::sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(QcrScramble, RoundTripsEveryLengthAroundTheKeyPeriod)
{
    for (const size_t n : {0u, 1u, 607u, 608u, 609u, 1217u, 5000u}) {
        const std::string text = allBytes(n);
        const std::string scrambled = ScrambleQcr(text);
        ASSERT_EQ(scrambled.size(), n);
        EXPECT_EQ(UnscrambleQcr(scrambled), text) << n;
        if (n > 100) {
            EXPECT_NE(scrambled, text);
        }
    }
    // Byte 609 is scrambled with the key's first byte again.
    const std::string zeros(609, '\0');
    const std::string s = ScrambleQcr(zeros);
    EXPECT_EQ(static_cast<uint8_t>(s[608]), QcrKeyTable[0]);
    EXPECT_EQ(static_cast<uint8_t>(s[607]), QcrKeyTable[607]);
    EXPECT_EQ(static_cast<uint8_t>(ScrambleQcr(std::string(1, '\xff'))[0]), static_cast<uint8_t>(QcrKeyTable[0] - 1));
}

TEST(QcrFileName, FinalNameIsDecidedBeforeAnythingIsAsked)
{
    struct C {
        const char* chosen;
        const char* final;
    };
    for (const C c : {C{"game", "game.QCR"}, C{"/tmp/a.b.sgf", "/tmp/a.b.QCR"}, C{"/tmp/x.qcr", "/tmp/x.qcr"},
                      C{"x.QCR", "x.QCR"}, C{"/tmp/dir.v2/game", "/tmp/dir.v2/game.QCR"},
                      C{"/tmp/.hidden", "/tmp/.hidden.QCR"}, C{"Game 1.5", "Game 1.QCR"}, C{"end.", "end.QCR"}})
        EXPECT_EQ(finalQcrFileName(c.chosen), c.final) << c.chosen;
}

GameInfo fullInfo()
{
    GameInfo g;
    g.eTourn = "Honinbo";
    g.eRound = "Game 3";
    g.EWhite = "Go Seigen";
    g.EBlack = "Kitani Minoru";
    g.seRat_W = 8;
    g.eRat_W1 = "d";
    g.seRat_B = 7;
    g.ERat_B1 = "d";
    g.EKomi = "4.5";
    g.seHandicap = 0;
    g.EDate = "1939-09-28";
    g.ePlace = "Kamakura";
    g.rgResult = WinnerBlack;
    g.EResult = "2";
    g.EUser = "QO";
    g.ESource = " Go World ";
    g.seNPage = 12;
    g.seNDia = 3;
    g.eGameTime = "W: 1. 5, B: 0. 0";
    return g;
}

std::vector<MoveRecord> movesOf(const std::string& points)
{
    std::vector<MoveRecord> moves;
    std::istringstream in(points);
    std::string p;
    while (in >> p)
        moves.push_back(p == "--" ? EmptyMove
                                  : MoveRecord{static_cast<uint8_t>(p[0] - 96), static_cast<uint8_t>(p[1] - 96)});
    return moves;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\n";
    return s;
}

TEST(RecordWriter, GoldenTextOfAFullGame)
{
    GameRecordContent c;
    c.Info = fullInfo();
    c.Moves = movesOf("qd dc pq oc cp qo pe eq do dp co bn cn bm dn fo fp go ep gp -- qj jq cj jj");
    c.Moves.push_back(DoubleMove);
    // clang-format off
    const char* expected =
        "(;EV[Honinbo]\n"
        "RO[Game 3]\n"
        "PW[Go Seigen]\n"
        "PB[Kitani Minoru]\n"
        "WR[8d]\n"
        "BR[7d]\n"
        "KM[4.5]\n"
        "HA[0]\n"
        "DT[1939-09-28]\n"
        "PC[Kamakura]\n"
        "RE[B+2]\n"
        "US[QO]\n"
        "SO[Go World, p. 12-3]\n"
        "GT[W: 1. 5, B: 0. 0]\n"
        "CP[Game recognized with Quon OCR];\n"
        "B[qd];W[dc];B[pq];W[oc];B[cp];W[qo];B[pe];W[eq];B[do];W[dp];\n"
        "B[co];W[bn];B[cn];W[bm];B[dn];W[fo];B[fp];W[go];B[ep];W[gp];\n"
        "B[tt];W[qj];B[jq];W[cj];B[jj];W[tu]\n"
        ")\n";
    // clang-format on
    const auto lines = composeGameRecordLines(c);
    EXPECT_EQ(joined(lines), expected);

    const std::string text = joinRecordLines(lines);
    EXPECT_EQ(text.substr(0, 16), "(;EV[Honinbo]\r\nR");
    EXPECT_EQ(text.substr(text.size() - 3), ")\r\n");
    const std::string bytes = qcrBytesFromRecordText(text);
    ASSERT_EQ(bytes.size(), text.size() - 8);
    EXPECT_EQ(UnscrambleQcr(bytes), text.substr(5, text.size() - 8));
}

TEST(RecordWriter, WhiteFirstAndResultWithItsOwnPlus)
{
    GameRecordContent c;
    c.Info.EResult = "+R";
    c.Info.rgResult = WinnerWhite;
    c.FirstMoveColour = 2;
    c.Moves = movesOf("pd dd");
    const auto lines = composeGameRecordLines(c);
    EXPECT_EQ(lines[10], "RE[W+R]");
    EXPECT_EQ(lines[15], "W[pd];B[dd]");
}

TEST(RecordWriter, PositionWritesStonesTenToALinePerColour)
{
    GameRecordContent c;
    c.DiagramType = DiaPosition;
    c.Moves = movesOf("pd dd"); // not written for a position
    for (int i = 1; i <= 12; ++i)
        c.Black.push_back({i, 1});
    for (int i = 1; i <= 3; ++i)
        c.White.push_back({i, 2});
    const auto lines = composeGameRecordLines(c);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[15], "AB[aa]AB[ba]AB[ca]AB[da]AB[ea]AB[fa]AB[ga]AB[ha]AB[ia]AB[ja]");
    EXPECT_EQ(lines[16], "AB[ka]AB[la]AW[ab]AW[bb]AW[cb]");
    EXPECT_EQ(lines[17], ")");
}

TEST(RecordWriter, GameRecordKeepsItsSetupStonesInANodeOfTheirOwn)
{
    GameRecordContent c;
    c.Black = {{4, 16}, {16, 4}};
    c.Moves = movesOf("-- cn gq");
    auto lines = composeGameRecordLines(c);
    EXPECT_EQ(lines[15], "AB[dp]AB[pd];");
    EXPECT_EQ(lines[16], "B[tt];W[cn];B[gq]");

    for (int i = 1; i <= 10; ++i)
        c.White.push_back({i, 19});
    // The tenth white stone closes the line the black stones began.
    lines = composeGameRecordLines(c);
    EXPECT_EQ(lines[15], "AB[dp]AB[pd]AW[as]AW[bs]AW[cs]AW[ds]AW[es]AW[fs]AW[gs]AW[hs]AW[is]AW[js];");
    EXPECT_EQ(lines[16], "B[tt];W[cn];B[gq]");
}

TEST(RecordWriter, LogAsCommentOnlyWhenAskedAndNotEmpty)
{
    GameRecordContent c;
    c.Moves = movesOf("pd");
    c.LogLines = {"Number of Moves: 1", "odd ] line \\"};
    EXPECT_EQ(composeGameRecordLines(c).size(), 17u);
    c.InsertLog = true;
    const auto lines = composeGameRecordLines(c);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[16], "C[Quon OCR Recognition Log:");
    EXPECT_EQ(lines[17], "Number of Moves: 1");
    EXPECT_EQ(lines[18], "odd \\] line \\\\");
    EXPECT_EQ(lines[19], "]");
    c.LogLines.clear();
    EXPECT_EQ(composeGameRecordLines(c).size(), 17u);
}

// The reading of a saved record, as Open QCR game does it.
SgfReadResult readBack(const GameRecordContent& c, const GameInfo& start = {})
{
    const std::string bytes = qcrBytesFromRecordText(joinRecordLines(composeGameRecordLines(c)));
    return readSgfGame(qcrFileToSgf(bytes), start, SgfReadOptions{c.FirstMoveColour, false});
}

TEST(RecordRoundTrip, InformationEscapesAndColoursSurvive)
{
    for (const int first : {1, 2}) {
        GameRecordContent c;
        c.Info = fullInfo();
        c.Info.ESource = "Kido, p. 3";
        c.Info.EBlack = "Black ] \\ (name)";
        c.Info.ePlace = "K\xc3\xb6ln";
        c.Info.EResult = "by time";
        c.Info.rgResult = WinnerWhite;
        c.FirstMoveColour = first;
        c.Moves = movesOf("pd dd -- qq pp");
        c.Black = {{4, 4}};
        c.White = {{16, 16}, {3, 17}};
        const SgfReadResult r = readBack(c);
        ASSERT_TRUE(r.Ok) << r.Error;
        EXPECT_EQ(r.Moves, c.Moves) << "first move colour " << first;
        EXPECT_EQ(r.Black, c.Black);
        EXPECT_EQ(r.White, c.White);
        GameInfo expected = c.Info;
        expected.ESource = "Kido, p. 3";
        expected.ESourcePage = " p. 12-3";
        expected.eRat_B = "7d";
        expected.eRat_W = "8d";
        expected.seWGameTimeH = 1;
        expected.seWGameTimeM = 5;
        expected.seBGameTimeH = 0;
        expected.seBGameTimeM = 0;
        EXPECT_EQ(r.Info, expected);
    }
}

// ---- The corpus games --------------------------------------------------------

std::filesystem::path gamesFolder() { return std::filesystem::path(QUON_CORPUS_DIR) / "games"; }

std::vector<std::filesystem::path> corpusGames()
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(gamesFolder(), ec))
        if (e.path().extension() == ".sgf")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string fileBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A reading of the corpus records that shares nothing with the reader: these
// records are main lines of ";B[xy]" and ";W[xy]" nodes after one root node
// that may hold AB[..][..].
struct PlainReading {
    std::vector<std::pair<char, std::string>> moves;
    std::vector<std::string> black;
};

PlainReading plainReading(const std::string& sgf)
{
    PlainReading p;
    static const std::regex move(";\\s*([BW])\\[([a-s]{2})\\]");
    for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), move); it != std::sregex_iterator(); ++it)
        p.moves.emplace_back((*it)[1].str()[0], (*it)[2].str());
    static const std::regex ab("AB((?:\\[[a-s]{2}\\]\\s*)+)");
    std::smatch m;
    if (std::regex_search(sgf, m, ab)) {
        static const std::regex point("\\[([a-s]{2})\\]");
        const std::string list = m[1].str();
        for (auto it = std::sregex_iterator(list.begin(), list.end(), point); it != std::sregex_iterator(); ++it)
            p.black.push_back((*it)[1].str());
    }
    return p;
}

// Moves of a read as the plain reading writes them, placeholders left out.
std::vector<std::pair<char, std::string>> coloured(const SgfReadResult& r, int first)
{
    std::vector<std::pair<char, std::string>> out;
    for (size_t i = 0; i < r.Moves.size(); ++i) {
        if (r.Placeholder[i])
            continue;
        const int slot = static_cast<int>(i) + 1;
        const char colour = ((slot + first) % 2) + 1 == 1 ? 'B' : 'W';
        const MoveRecord& m = r.Moves[i];
        out.emplace_back(colour, std::string{static_cast<char>(96 + m.X), static_cast<char>(96 + m.Y)});
    }
    return out;
}

TEST(CorpusGames, ReadAndRoundTripThroughQcr)
{
    const auto files = corpusGames();
    if (files.empty())
        GTEST_SKIP() << "no corpus games in " << gamesFolder();
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::string sgf = fileBytes(file);
        const PlainReading plain = plainReading(sgf);
        const SgfReadResult first = readSgfGame(sgf, GameInfo{}, {});
        ASSERT_TRUE(first.Ok) << first.Error;
        EXPECT_EQ(coloured(first, 1), plain.moves);
        std::vector<std::string> black;
        for (const StonePoint& s : first.Black)
            black.push_back({static_cast<char>(96 + s.X), static_cast<char>(96 + s.Y)});
        EXPECT_EQ(black, plain.black);
        EXPECT_TRUE(first.Notices.empty());

        GameRecordContent c;
        c.Info = first.Info;
        c.Moves = first.Moves;
        c.Black = first.Black;
        c.White = first.White;
        const SgfReadResult second = readBack(c);
        ASSERT_TRUE(second.Ok) << second.Error;
        EXPECT_EQ(second.Moves, first.Moves);
        // A placeholder pass is written as "tt", so it reads back as a pass.
        EXPECT_EQ(second.Black, first.Black);
        EXPECT_EQ(second.White, first.White);
        // The ranks are read back as written ("9Meijin" for a rank without a
        // number); everything else comes back as it was.
        GameInfo expected = first.Info;
        expected.eRat_B = std::to_string(first.Info.seRat_B) + first.Info.ERat_B1;
        expected.eRat_W = std::to_string(first.Info.seRat_W) + first.Info.eRat_W1;
        expected.ESourcePage = " p. " + std::to_string(first.Info.seNPage) + "-" + std::to_string(first.Info.seNDia);
        if (first.Info.ESource.empty())
            expected.ESource = "";
        EXPECT_EQ(second.Info, expected);
    }
}

// Every prefix and many one-byte corruptions of a real record are read
// without a fault: either the moves the text holds or a clear message.
TEST(CorpusGames, PrefixesAndCorruptionsNeverFault)
{
    const auto files = corpusGames();
    if (files.empty())
        GTEST_SKIP() << "no corpus games in " << gamesFolder();
    for (const auto& file : {files.front(), files.back()}) {
        SCOPED_TRACE(file.filename().string());
        const std::string sgf = fileBytes(file);
        const SgfReadResult whole = readSgfGame(sgf, GameInfo{}, {SgfReadOptions{1, true}});
        ASSERT_TRUE(whole.Ok);
        for (size_t n = 0; n <= sgf.size(); ++n) {
            const SgfReadResult r = readSgfGame(sgf.substr(0, n), GameInfo{}, SgfReadOptions{1, true});
            if (!r.Ok) {
                EXPECT_FALSE(r.Error.empty());
                continue;
            }
            ASSERT_LE(r.Moves.size(), whole.Moves.size()) << n;
            EXPECT_TRUE(std::equal(r.Moves.begin(), r.Moves.end(), whole.Moves.begin())) << n;
        }
        for (size_t i = 0; i < sgf.size(); i += 3)
            for (const char c : {'(', ')', '[', ']', '\\', ';', '\xff'}) {
                std::string broken = sgf;
                broken[i] = c;
                const SgfReadResult r = readSgfGame(broken, GameInfo{}, {});
                EXPECT_TRUE(r.Ok || !r.Error.empty());
                EXPECT_LE(r.moveCount(), MaxReadMoves);
            }
        // A QCR file cut short, or with a wrong byte, reads the same way.
        GameRecordContent c;
        c.Moves = whole.Moves;
        const std::string bytes = qcrBytesFromRecordText(joinRecordLines(composeGameRecordLines(c)));
        for (size_t n = 0; n <= bytes.size(); n += 7) {
            const SgfReadResult r = readSgfGame(qcrFileToSgf(bytes.substr(0, n)), GameInfo{}, {});
            EXPECT_TRUE(r.Ok || !r.Error.empty());
        }
    }
}

} // namespace
