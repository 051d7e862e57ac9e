// The SGF reader: tree errors, the main line, moves and colours, setup
// stones, game information and the limits.
#include "model/GameRecordWriter.h"
#include "model/SgfGameReader.h"
#include "model/SgfTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quon;

namespace {

std::string pointText(const MoveRecord& m)
{
    if (m == EmptyMove)
        return "--";
    return {static_cast<char>(96 + m.X), static_cast<char>(96 + m.Y)};
}

// Moves as "pd dp --" (a pass or placeholder as "--").
std::string movesText(const SgfReadResult& r)
{
    std::string s;
    for (const MoveRecord& m : r.Moves)
        s += (s.empty() ? "" : " ") + pointText(m);
    return s;
}

std::string stonesText(const std::vector<StonePoint>& stones)
{
    std::string s;
    for (const StonePoint& p : stones)
        s += (s.empty() ? "" : " ") + pointText({static_cast<uint8_t>(p.X), static_cast<uint8_t>(p.Y)});
    return s;
}

SgfReadResult read(const std::string& text, int firstMoveColour = 1, bool linear = false)
{
    return readSgfGame(text, GameInfo{}, SgfReadOptions{firstMoveColour, linear});
}

// A game of n alternating moves, Black first, on points that differ.
std::string longGame(int n, const char* first = "B")
{
    std::string s = "(;GM[1]";
    for (int i = 0; i < n; ++i) {
        const bool black = (i % 2 == 0) == (std::string(first) == "B");
        s += black ? ";B[" : ";W[";
        s += static_cast<char>('a' + i % 19);
        s += static_cast<char>('a' + (i / 19) % 19);
        s += "]";
    }
    return s + ")";
}

struct MovesCase {
    const char* name;
    const char* sgf;
    int firstMoveColour;
    bool linear;
    const char* moves;
};

class ReaderMoves : public testing::TestWithParam<MovesCase> {};

TEST_P(ReaderMoves, ReadsTheMainLineWithColoursKept)
{
    const MovesCase& c = GetParam();
    const SgfReadResult r = read(c.sgf, c.firstMoveColour, c.linear);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(movesText(r), c.moves);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReaderMoves, testing::Values(
    MovesCase{"MainLineOfVariations", "(;B[pd];W[dp](;B[qp])(;B[pq]))", 1, false, "pd dp qp"},
    MovesCase{"NestedFirstVariations", "(;B[pd](;W[dp](;B[qq])(;B[cc]))(;W[qp]))", 1, false, "pd dp qq"},
    MovesCase{"LongSpellings", "(;Black[pd];White[dp])", 1, false, "pd dp"},
    MovesCase{"LabelIsNoMove", "(;B[pd];W[dp]LB[dd:1];B[qq])", 1, false, "pd dp qq"},
    MovesCase{"OvertimeStonesAreNoMoves", "(;B[pd]OB[5];W[dp]OW[4];B[qq])", 1, false, "pd dp qq"},
    MovesCase{"ParenthesisInUnknownValue", "(;OT[5x30 (byo-yomi)]KM[6.5];B[pd];W[dd])", 1, false, "pd dd"},
    MovesCase{"EscapedBracketInUnknownValue", "(;XX[a\\]b)c;B[aa\\]];B[pd])", 1, false, "pd"},
    MovesCase{"EscapedBracketInComment", "(;B[pd]C[see \\] B[aa\\] here];W[dd])", 1, false, "pd dd"},
    MovesCase{"WhiteFirstGetsPlaceholder", "(;W[pd];B[dd])", 1, false, "-- pd dd"},
    MovesCase{"WhiteFirstWhenWhiteMovesFirst", "(;W[pd];B[dd])", 2, false, "pd dd"},
    MovesCase{"BlackFirstWhenWhiteMovesFirst", "(;B[pd];W[dd])", 2, false, "-- pd dd"},
    MovesCase{"SameColourTwiceKeepsColours", "(;B[pd];B[dd];W[qq])", 1, false, "pd -- dd qq"},
    MovesCase{"TrailingPassesDropped", "(;B[pd];W[dd];B[tt];W[tt])", 1, false, "pd dd"},
    MovesCase{"TrailingPassesKeptInLinearInput", "(;B[pd];W[dd];B[tt];W[tt])", 1, true, "pd dd -- --"},
    MovesCase{"EmptyPassSwallowsNothing", "(;B[];W[pd];B[dd])", 1, false, "-- pd dd"},
    MovesCase{"EmptyPassesAtTheEnd", "(;B[pd];W[];B[])", 1, false, "pd"},
    MovesCase{"PassInsideKept", "(;B[pd];W[tt];B[tt];W[dd])", 1, false, "pd -- -- dd"},
    MovesCase{"BadLetterIsPass", "(;B[pd];W[zz];B[dd])", 1, false, "pd -- dd"},
    MovesCase{"HalfPointIsPass", "(;B[pd];W[at];B[d])", 1, true, "pd -- --"},
    MovesCase{"LowerCaseNameIgnored", "(;pb[x]b[pd];B[dd])", 1, false, "dd"},
    MovesCase{"LineBreaksAndBlanks", "(\r\n ;  B [pd]\r\n;W[dd\r\n])", 1, false, "pd dd"},
    MovesCase{"OnlyFirstTreeOfCollection", "(;B[pd])(;B[dd])", 1, false, "pd"},
    MovesCase{"JunkBeforeTree", "Game of the week\n(;B[pd])", 1, false, "pd"},
    MovesCase{"TruncatedInValue", "(;B[pd];W[dd];B[q", 1, false, "pd dd"},
    MovesCase{"TruncatedInName", "(;B[pd];W[dd];Bl", 1, false, "pd dd"},
    MovesCase{"TruncatedAfterNode", "(;B[pd];W[dd];", 1, false, "pd dd"}),
    [](const testing::TestParamInfo<MovesCase>& i) { return std::string(i.param.name); });
// clang-format on

struct ErrorCase {
    const char* name;
    const char* sgf;
    const char* error;
};

class ReaderErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ReaderErrors, RefusesWithAMessageNamingTheProblem)
{
    const SgfReadResult r = read(GetParam().sgf);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, GetParam().error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReaderErrors, testing::Values(
    ErrorCase{"NoTree", "  hello", "Cannot read the game record: No game record found: no \"(\" in the text; it begins with \"hello\" at line 1, column 3"},
    ErrorCase{"EmptyText", "", "Cannot read the game record: No game record found: no \"(\" in the text; it begins with \"\" at line 1, column 1"},
    ErrorCase{"StrayCharacter", "(;B[pd]\n;W[dd]%B[qq])", "Cannot read the game record: Unexpected character \"%\" at line 2, column 7"},
    ErrorCase{"BinaryByte", "(;B[pd]\x01\xff)", "Cannot read the game record: Unexpected character \"\\xFF\" at line 1, column 9"},
    ErrorCase{"NameWithoutValue", "(;B;W[dd])", "Cannot read the game record: Property without a value \"B;\" at line 1, column 3"},
    ErrorCase{"UnescapedBracketInComment", "(;B[pd]C[play [a]];W[dd])", "Cannot read the game record: Unexpected character \"]\" at line 1, column 18"},
    ErrorCase{"ValueWithoutName", "(;[dd])", "Cannot read the game record: Value without a property name \"[\" at line 1, column 3"},
    ErrorCase{"PropertyBeforeNode", "(B[dd])", "Cannot read the game record: Property before the first \";\" of the game: \"B\" at line 1, column 2"},
    ErrorCase{"BadSetupLetter", "(;AB[dd][zz])", "Game - Bad! Move No 0"},
    ErrorCase{"BadSetupLength", "(;AW[ddd])", "Game - Bad! Move No 0"},
    ErrorCase{"EmptySetupValue", "(;AB[])", "Game - Bad! Move No 0"},
    // Cut short before any move or stone: nothing of a game to show.
    ErrorCase{"CutShortBeforeAnyMove", "(;EV[)", "This is not a game record, or one cut short before its first move or stone: nothing was read."},
    ErrorCase{"CutShortAfterInformation", "(;PB[Kim]PW[Lee];", "This is not a game record, or one cut short before its first move or stone: nothing was read."}),
    [](const testing::TestParamInfo<ErrorCase>& i) { return std::string(i.param.name); });
// clang-format on

TEST(SgfReader, AcceptsExactly498Slots)
{
    SgfReadResult r = read(longGame(498));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.moveCount(), 498);

    r = read(longGame(499));
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, "Too many moves in the game ");

    // The placeholder of a White first move counts as a slot.
    r = read(longGame(497, "W"));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.moveCount(), 498);
    EXPECT_TRUE(r.Placeholder[0]);
    EXPECT_FALSE(r.Placeholder[1]);
    EXPECT_FALSE(read(longGame(498, "W")).Ok);
}

TEST(SgfReader, SetupStonesBeforeTheFirstMoveOnly)
{
    const SgfReadResult r = read("(;AB[dp] [pd]AW[qq]\n;W[cn];AB[aa]AddWhite[bb];B[gq])");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(stonesText(r.Black), "dp pd");
    EXPECT_EQ(stonesText(r.White), "qq");
    EXPECT_EQ(movesText(r), "-- cn gq");
}

TEST(SgfReader, SetupRectanglesAndOffBoardPoints)
{
    const SgfReadResult r = read("(;AB[aa:bc][tt]AddBlack[ss])");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(stonesText(r.Black), "aa ab ac ba bb bc ss");
}

TEST(SgfReader, MoreThan100SetupStonesKeepsTheFirst100AndSaysSoOnce)
{
    std::string sgf = "(;AB";
    std::string white = "AW";
    for (int i = 0; i < 120; ++i) {
        const std::string p{static_cast<char>('a' + i % 19), static_cast<char>('a' + i / 19)};
        sgf += "[" + p + "]";
        white += "[" + p + "]";
    }
    const SgfReadResult r = read(sgf + white + ";B[pd])");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Black.size(), 100u);
    EXPECT_EQ(r.White.size(), 100u);
    EXPECT_EQ(r.Black.back().X, 100 % 19 == 0 ? 19 : 99 % 19 + 1);
    ASSERT_EQ(r.Notices.size(), 1u);
    EXPECT_NE(r.Notices[0].find("more than 100 setup stones"), std::string::npos);
}

TEST(SgfReader, GameInformation)
{
    GameInfo before;
    before.EUser = "kept";
    before.EKomi = "0.5";
    const SgfReadResult r = readSgfGame("(;PlayerBlack[Honinbo Shusaku]PW[Gennan Inseki]BR[7p]WR[Meijin]DT[1855]"
                                        "EV[Castle game]RO[1]PC[Edo]HA[3]RE[W+Resign]SO[Kido, p. 12-3]"
                                        "GT[W: 4.59, B: 3. 5];B[pd])",
                                        before, {});
    ASSERT_TRUE(r.Ok) << r.Error;
    const GameInfo& g = r.Info;
    EXPECT_EQ(g.EBlack, "Honinbo Shusaku");
    EXPECT_EQ(g.EWhite, "Gennan Inseki");
    EXPECT_EQ(g.eRat_B, "7p");
    EXPECT_EQ(g.seRat_B, 7);
    EXPECT_EQ(g.ERat_B1, "p");
    EXPECT_EQ(g.eRat_W, "Meijin");
    EXPECT_EQ(g.seRat_W, 9);
    EXPECT_EQ(g.eRat_W1, "Meijin");
    EXPECT_EQ(g.EDate, "1855");
    EXPECT_EQ(g.eTourn, "Castle game");
    EXPECT_EQ(g.eRound, "1");
    EXPECT_EQ(g.ePlace, "Edo");
    EXPECT_EQ(g.seHandicap, 3);
    EXPECT_EQ(g.rgResult, WinnerWhite);
    EXPECT_EQ(g.EResult, "Resign");
    EXPECT_EQ(g.ESource, "Kido");
    EXPECT_EQ(g.ESourcePage, " p. 12-3");
    EXPECT_EQ(g.seNPage, 12);
    EXPECT_EQ(g.seNDia, 3);
    EXPECT_EQ(g.seWGameTimeH, 4);
    EXPECT_EQ(g.seWGameTimeM, 59);
    EXPECT_EQ(g.seBGameTimeH, 3);
    EXPECT_EQ(g.seBGameTimeM, 5);
    EXPECT_EQ(g.eGameTime, "W: 4.59, B: 3. 5");
    // Absent properties keep what the dialog held.
    EXPECT_EQ(g.EUser, "kept");
    EXPECT_EQ(g.EKomi, "0.5");
}

struct FieldCase {
    const char* name;
    const char* props;
    std::string GameInfo::*field;
    const char* text;
};

class ReaderTextFields : public testing::TestWithParam<FieldCase> {};

TEST_P(ReaderTextFields, Value)
{
    const SgfReadResult r = read(std::string("(;") + GetParam().props + ";B[pd])");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Info.*(GetParam().field), GetParam().text);
    EXPECT_EQ(movesText(r), "pd");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReaderTextFields, testing::Values(
    FieldCase{"ResultBlack", "RE[B+3.5]", &GameInfo::EResult, "3.5"},
    FieldCase{"ResultByTimeStaysWhite", "RE[W+by time]", &GameInfo::EResult, "by time"},
    FieldCase{"ResultDraw", "RE[Draw]", &GameInfo::EResult, "Draw"},
    FieldCase{"SourceWithPageTextInside", "SO[Kido, p. 3, p. 40-1]", &GameInfo::ESource, "Kido, p. 3"},
    FieldCase{"SourceWithoutComma", "SO[Go4Go.net]", &GameInfo::ESource, "Go4Go.net"},
    FieldCase{"EscapesUndone", "PB[a\\]b\\\\c]", &GameInfo::EBlack, "a]b\\c"},
    FieldCase{"Trimmed", "PW[ \tLee \r\n]", &GameInfo::EWhite, "Lee"},
    FieldCase{"Latin1Decoded", "PC[K\xf6ln]", &GameInfo::ePlace, "K\xc3\xb6ln"},
    // One-line texts, trimmed as the writer writes them, so a saved record
    // reads back the same.
    FieldCase{"ControlCharactersBecomeSpaces", "PB[Kim\x01Il\thwan\x7f]", &GameInfo::EBlack, "Kim Il hwan"},
    FieldCase{"SourceTrimmedBeforeItsPage", "SO[Kido , p. 12-3]", &GameInfo::ESource, "Kido"},
    FieldCase{"Utf8Kept", "PC[K\xc3\xb6ln]", &GameInfo::ePlace, "K\xc3\xb6ln"},
    FieldCase{"GameTimeOtherFormKeptAsText", "GT[W: 10.59, B: 3. 5]", &GameInfo::eGameTime, "W: 10.59, B: 3. 5"}),
    [](const testing::TestParamInfo<FieldCase>& i) { return std::string(i.param.name); });
// clang-format on

TEST(SgfReader, WinnerByFirstLetter)
{
    EXPECT_EQ(read("(;RE[B+R])").Info.rgResult, WinnerBlack);
    EXPECT_EQ(read("(;RE[W+by time])").Info.rgResult, WinnerWhite);
    GameInfo black;
    black.rgResult = WinnerBlack;
    const SgfReadResult draw = readSgfGame("(;RE[Draw])", black, {});
    EXPECT_EQ(draw.Info.rgResult, WinnerNone);
    EXPECT_EQ(draw.Info.EResult, "Draw");
}

// A result that names no winner used to be saved as a White win ("Draw" as
// "W+Draw", "+R" as "W+R").
TEST(SgfReader, ResultsSurviveTheRoundTripThroughTheWriter)
{
    for (const char* result : {"B+R", "W+3.5", "B+", "+R", "Draw", "0", "?", "Void", ""}) {
        SCOPED_TRACE(result);
        const SgfReadResult first = read(std::string("(;RE[") + result + "];B[pd])");
        ASSERT_TRUE(first.Ok) << first.Error;
        GameRecordContent c;
        c.Info = first.Info;
        c.Moves = first.Moves;
        const auto lines = composeGameRecordLines(c);
        EXPECT_EQ(lines[10], std::string("RE[") + result + "]");
        const SgfReadResult second = read(joinRecordLines(lines));
        ASSERT_TRUE(second.Ok) << second.Error;
        EXPECT_EQ(second.Info.rgResult, first.Info.rgResult);
        EXPECT_EQ(second.Info.EResult, first.Info.EResult);
    }
    // Found by fuzzing: "W++" read as White with the text "+", which the
    // writer then saved as "W+". Every "+" after the winner goes.
    EXPECT_EQ(read("(;RE[W++];B[pd])").Info.EResult, "");
    EXPECT_EQ(read("(;RE[B++R];B[pd])").Info.EResult, "R");
}

TEST(SgfReader, NumbersThatDoNotParseLeaveTheirFieldsAndTheReadGoesOn)
{
    const GameInfo defaults;
    SgfReadResult r = read("(;SO[Book, p. x-y]HA[2x]GT[W: a.bc, B: 3. 5];B[pd])");
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Info.seNPage, defaults.seNPage);
    EXPECT_EQ(r.Info.seNDia, defaults.seNDia);
    EXPECT_EQ(r.Info.seHandicap, defaults.seHandicap);
    // The times come from the text alone (only the text is saved): one that
    // does not parse is 0.
    EXPECT_EQ(r.Info.seWGameTimeH, 0);
    EXPECT_EQ(r.Info.seBGameTimeH, 3);
    EXPECT_EQ(read("(;GT[x]GT[W: 1.bc, B: 3. 5])").Info.seWGameTimeM, 0);
    EXPECT_EQ(movesText(r), "pd");

    r = read("(;SO[Book, p. 12]HA[0])");
    EXPECT_EQ(r.Info.seNPage, 12);
    EXPECT_EQ(r.Info.seNDia, defaults.seNDia);
    EXPECT_EQ(r.Info.seHandicap, 0);

    // A two-digit hour is not the dialog's form: all four times become 0.
    r = read("(;GT[W: 10.59, B: 3. 5])");
    EXPECT_EQ(r.Info.seWGameTimeH + r.Info.seWGameTimeM + r.Info.seBGameTimeH + r.Info.seBGameTimeM, 0);

    // Out of the dialog's ranges: clamped as the spin edits would.
    r = read("(;SO[Book, p. 5000-12]HA[25])");
    EXPECT_EQ(r.Info.seNPage, 999);
    EXPECT_EQ(r.Info.seNDia, 9);
    EXPECT_EQ(r.Info.seHandicap, 9);
}

TEST(SgfReader, GameTimeTextOfTheDialogReadsBack)
{
    struct T {
        int wh, wm, bh, bm;
    };
    for (const T t : {T{1, 5, 0, 0}, T{4, 59, 4, 59}, T{0, 0, 9, 1}, T{9, 10, 0, 59}}) {
        const std::string text = formatGameTime(t.wh, t.wm, t.bh, t.bm);
        const SgfReadResult r = read("(;GT[" + text + "])");
        EXPECT_EQ(r.Info.seWGameTimeH, t.wh) << text;
        EXPECT_EQ(r.Info.seWGameTimeM, t.wm) << text;
        EXPECT_EQ(r.Info.seBGameTimeH, t.bh) << text;
        EXPECT_EQ(r.Info.seBGameTimeM, t.bm) << text;
    }
    EXPECT_EQ(formatGameTime(1, 5, 0, 0), "W: 1. 5, B: 0. 0");
    EXPECT_EQ(formatGameTime(0, 0, 0, 0), "");
}

TEST(SgfReader, TruncationIsNoticed)
{
    const SgfReadResult r = read("(;B[pd];W[dd]");
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(r.Notices.size(), 1u);
    EXPECT_TRUE(read("(;B[pd];W[dd])").Notices.empty());
}

TEST(SgfReader, CommitFillsTheTables)
{
    resetTablesToStart();
    Reco.MoveTable[300] = MoveRecord{3, 3};
    Reco.SetupStones[1].add({1, 1});
    const SgfReadResult r = read("(;AW[cc];W[pd];B[dd])");
    ASSERT_TRUE(r.Ok);
    commitSgfGame(r);
    EXPECT_EQ(Reco.MoveCount, 3);
    EXPECT_EQ(Reco.MoveTable[1], EmptyMove);
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{16, 4}));
    EXPECT_EQ(Reco.MoveTable[300], EmptyMove);
    EXPECT_EQ(Reco.MoveTable[500], EmptyMove);
    EXPECT_EQ(Reco.SetupStones[1].Count, 0);
    ASSERT_EQ(Reco.SetupStones[2].Count, 1);
    EXPECT_EQ(Reco.SetupStones[2][1], (StonePoint{3, 3}));
    resetTablesToStart();
}

TEST(SgfTree, ValueTextAndEscapes)
{
    EXPECT_EQ(sgfValueText("  a\\]b\\\\ "), "a]b\\");
    EXPECT_EQ(sgfValueText("one\\\r\ntwo"), "onetwo");
    EXPECT_EQ(sgfValueText("end\\"), "end");
    EXPECT_EQ(escapeSgfValue("a]b\\c"), "a\\]b\\\\c");
    for (const std::string s : {"", "]", "\\", "x\\]", "\\\\]]", "plain"})
        EXPECT_EQ(sgfValueText(escapeSgfValue(s)), s);
}

TEST(SgfTree, KeepsEveryVariation)
{
    const SgfParseResult p = parseSgfTree("(;GM[1];B[aa](;W[bb];B[cc])(;W[dd]))");
    ASSERT_FALSE(p.Error);
    EXPECT_EQ(p.Tree.Nodes.size(), 5u);
    EXPECT_EQ(p.Tree.Nodes[1].Children.size(), 2u);
    EXPECT_EQ(p.Tree.mainLine(), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_FALSE(p.Tree.Truncated);
}

} // namespace
