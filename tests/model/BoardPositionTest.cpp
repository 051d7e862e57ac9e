// The position of the game board: rules, errors, undo and orientations.
#include "common/BoardText.h"
#include "model/BoardPosition.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace quon {
namespace {

using test::boardMatches;
using test::dumpGrid;
using test::loadGrid;

struct Move {
    int x, y;
    CellValue value;
};

// A stone set with the rules on, as the game window does it; returns the
// error and, through `dirs`, the capture set reported right after.
uint8_t play(BoardPosition& b, const Move& m, uint8_t* dirs = nullptr)
{
    b.SetPoint(m.x, m.y, m.value);
    if (dirs)
        *dirs = b.GetCaptureDirs();
    return b.TakeError();
}

struct RuleCase {
    const char* name;
    const char* before;
    std::vector<Move> moves; // all but the last must succeed
    uint8_t error;           // of the last move
    const char* after;
    int dirs; // capture set of the last move, -1 when not checked
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class BoardRules : public testing::TestWithParam<RuleCase> {};

TEST_P(BoardRules, LastMoveGivesExpectedPositionErrorAndCaptures)
{
    const RuleCase& c = GetParam();
    BoardPosition b;
    loadGrid(b, c.before);
    b.SetRulesFlag(true);
    for (size_t i = 0; i + 1 < c.moves.size(); ++i)
        ASSERT_EQ(play(b, c.moves[i]), 0) << "setup move " << i + 1;
    uint8_t dirs = 0;
    EXPECT_EQ(play(b, c.moves.back(), &dirs), c.error);
    EXPECT_TRUE(boardMatches(b, c.after));
    if (c.dirs >= 0) {
        EXPECT_EQ(dirs, c.dirs);
    }
    EXPECT_EQ(b.CheckInvariant(), "");
    if (cell::isPlainStone(c.moves.back().value)) {
        EXPECT_TRUE(b.EveryGroupHasLiberty());
    }
}

// clang-format off
const RuleCase kRuleCases[] = {
    {"CornerCapture",
     "OX."
     "\n...",
     {{1, 2, cell::Black}}, 0,
     ".X."
     "\nX..", dir::RowMinus},
    {"SuicideOfOneStoneRefused",
     ".X."
     "\nX..",
     {{1, 1, cell::White}}, 2,
     ".X."
     "\nX..", -1},
    {"SuicideOfAGroupRefused",
     "O.X"
     "\nXX.",
     {{2, 1, cell::White}}, 2,
     "O.X"
     "\nXX.", -1},
    {"CaptureWithoutOwnLibertyIsLegal",
     ".XO."
     "\nXO.O"
     "\n.XO.",
     {{3, 2, cell::Black}}, 0,
     ".XO."
     "\nX.XO"
     "\n.XO.", dir::ColumnMinus},
    {"KoRetakeAtOnceRefused",
     ".XO."
     "\nXO.O"
     "\n.XO.",
     {{3, 2, cell::Black}, {2, 2, cell::White}}, 2,
     ".XO."
     "\nX.XO"
     "\n.XO.", -1},
    {"KoRetakeOneMoveLaterAllowed",
     ".XO."
     "\nXO.O"
     "\n.XO.",
     {{3, 2, cell::Black}, {10, 10, cell::White}, {2, 2, cell::White}}, 0,
     ".XO."
     "\nXO.O"
     "\n.XO.", dir::ColumnPlus},
    {"TwoGroupsCapturedInTwoDirections",
     "OX"
     "\n.X"
     "\nOX"
     "\nX.",
     {{1, 2, cell::Black}}, 0,
     ".X"
     "\nXX"
     "\n.X"
     "\nX.", dir::RowMinus | dir::RowPlus},
    {"OccupiedPointRefused",
     "OX",
     {{2, 1, cell::White}}, 2,
     "OX", -1},
    {"MarkerIsNoLibertyForSuicide",
     ".X"
     "\n+.",
     {{1, 1, cell::White}}, 2,
     ".X"
     "\n+.", -1},
    {"MarkerIsNoLibertyOfTheCapturedStone",
     "O."
     "\n+.",
     {{2, 1, cell::Black}}, 0,
     ".X"
     "\n+.", dir::ColumnMinus},
    // A marker that fills the last liberty of a group captures nothing.
    {"MarkerNeverCaptures",
     "X."
     "\nO.",
     {{2, 1, cell::MarkerCross}}, 0,
     "X+"
     "\nO.", 0},
    // ... and is not suicide in an eye.
    {"MarkerInAnEyeIsStored",
     ".X"
     "\nX.",
     {{1, 1, cell::MarkerCross}}, 0,
     "+X"
     "\nX.", 0},
    {"MarkerOnAStoneRefusedWithRulesOn",
     "X",
     {{1, 1, cell::MarkerCross}}, 2,
     "X", -1},
    // A marker beside the move is not an opponent stone: it cannot be
    // "captured" to make a move without liberties legal.
    {"MarkerNeighbourDoesNotMakeSuicideLegal",
     ".O."
     "\n+X."
     "\nX..",
     {{1, 1, cell::Black}}, 2,
     ".O."
     "\n+X."
     "\nX..", -1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, BoardRules, testing::ValuesIn(kRuleCases),
                         [](const testing::TestParamInfo<RuleCase>& i) { return std::string(i.param.name); });

TEST(BoardPosition, RulesOffOverwritesAndZeroAlwaysClears)
{
    BoardPosition b;
    loadGrid(b, ".X.\nX..");
    b.SetPoint(1, 1, cell::White); // suicide, but the rules are off
    EXPECT_EQ(b.TakeError(), 0);
    b.SetPoint(2, 1, cell::White); // overwrite
    EXPECT_TRUE(boardMatches(b, "OO.\nX.."));
    b.SetRulesFlag(true);
    b.SetPoint(2, 1, 0);
    b.SetPoint(1, 2, 0);
    EXPECT_EQ(b.TakeError(), 0);
    EXPECT_TRUE(boardMatches(b, "O..\n..."));
}

TEST(BoardPosition, ErrorCodesAndTheNoPointMove)
{
    BoardPosition b;
    b.SetRulesFlag(true);
    b.SetPoint(4, 4, cell::Black);
    EXPECT_EQ(b.GetLastMove(), (BoardPoint{4, 4}));

    struct Case {
        int x, y;
        uint8_t error;
    };
    for (const Case& c : {Case{0, 5, 1}, Case{5, 0, 1}, Case{20, 5, 1}, Case{20, 19, 1}, Case{21, 21, 1}}) {
        b.SetPoint(c.x, c.y, cell::Black);
        EXPECT_EQ(b.PeekError(), c.error) << c.x << "," << c.y;
        EXPECT_EQ(b.TakeError(), c.error);
        EXPECT_EQ(b.TakeError(), 0) << "TakeError clears";
    }
    EXPECT_EQ(b.GetLastMove(), (BoardPoint{4, 4})) << "a refused point leaves the last move";

    // (N+1, N+1) stands for "no point": no error, last move forgotten.
    b.SetCaptureDirs(5);
    b.SetPoint(20, 20, cell::Black);
    EXPECT_EQ(b.TakeError(), 0);
    EXPECT_EQ(b.GetLastMove(), (BoardPoint{20, 20}));
    EXPECT_EQ(b.GetCaptureDirs(), 0);

    EXPECT_EQ(b.GetPoint(0, 1), 0);
    EXPECT_EQ(b.TakeError(), 1);
    EXPECT_EQ(b.GetPoint(20, 20), 0);
    EXPECT_EQ(b.TakeError(), 1);
    EXPECT_EQ(b.GetPoint(4, 4), cell::Black);
    EXPECT_EQ(b.TakeError(), 0);
}

TEST(BoardPosition, LockedCellKeepsItsValueButBecomesTheLastMove)
{
    BoardPosition b;
    const CellValue lockedMark = cell::make(0, 'A', 0, 0, 0, true);
    b.SetPoint(3, 3, lockedMark);
    b.SetRulesFlag(true);
    b.SetCaptureDirs(dir::RowPlus);
    b.SetPoint(3, 3, cell::Black);
    EXPECT_EQ(b.TakeError(), 0);
    EXPECT_EQ(b.GetPoint(3, 3), lockedMark);
    EXPECT_EQ(b.GetLastMove(), (BoardPoint{3, 3}));
    EXPECT_EQ(b.GetCaptureDirs(), 0);
}

TEST(BoardPosition, CellFieldsRoundTrip)
{
    const CellValue v = cell::make(2, 'Q', 8191, 14, 1, true);
    EXPECT_EQ(cell::stone(v), 2);
    EXPECT_EQ(cell::letter(v), 'Q');
    EXPECT_EQ(cell::number(v), 8191);
    EXPECT_EQ(cell::markerShape(v), 14);
    EXPECT_EQ(cell::markerDrawing(v), 1);
    EXPECT_TRUE(cell::locked(v));
    EXPECT_EQ(cell::make(0, 0, 0, 1), cell::MarkerCross);
    EXPECT_EQ(cell::make(0, 0, 0, 1, 1), cell::MarkerCrossInv);
    EXPECT_EQ(cell::number(cell::make(0, 0, 8192)), 0) << "numbers above 8191 do not fit";
}

TEST(BoardPosition, SetBoardSizeEmptiesOnlyOnChange)
{
    BoardPosition b;
    b.SetPoint(2, 2, cell::Black);
    b.SetBoardSize(19);
    EXPECT_EQ(b.GetPoint(2, 2), cell::Black);
    b.SetBoardSize(9);
    EXPECT_EQ(b.GetPoint(2, 2), 0);
    EXPECT_EQ(b.GetLastMove(), (BoardPoint{0, 0}));
    EXPECT_FALSE(b.OnBoard(10, 1));
    b.SetPoint(10, 10, cell::Black); // (N+1, N+1): no point, no error
    EXPECT_EQ(b.TakeError(), 0);
    b.SetBoardSize(0); // refused, not a board
    EXPECT_EQ(b.BoardSize(), 9);
}

// The game window takes a move back like this, with the capture set it saved
// right after the move.
void takeBack(BoardPosition& b, const Move& m, uint8_t savedDirs)
{
    b.SetLastMove({m.x, m.y});
    b.SetCaptureDirs(savedDirs);
    b.UndoCaptures();
    b.SetPoint(m.x, m.y, 0);
}

TEST(BoardPosition, UndoTakesAGameBackToTheStart)
{
    const char* start = ".XO.."
                        "\nXO.O."
                        "\n.XO.."
                        "\n.....";
    BoardPosition b;
    loadGrid(b, start);
    b.SetRulesFlag(true);
    // Ko capture, a move elsewhere, the retake, and a capture of two stones.
    const std::vector<Move> moves{{3, 2, cell::Black}, {10, 10, cell::White}, {2, 2, cell::White},
                                  {1, 1, cell::White}, {4, 3, cell::White},   {5, 2, cell::Black}};
    std::vector<uint8_t> saved;
    for (const Move& m : moves) {
        uint8_t dirs = 0;
        ASSERT_EQ(play(b, m, &dirs), 0) << m.x << "," << m.y;
        saved.push_back(dirs);
        ASSERT_EQ(b.CheckInvariant(), "");
    }
    for (size_t i = moves.size(); i-- > 0;) {
        takeBack(b, moves[i], saved[i]);
        ASSERT_EQ(b.CheckInvariant(), "");
    }
    EXPECT_TRUE(boardMatches(b, start));
}

TEST(BoardPosition, UndoWithAStaleDirectionDoesNotOverwriteAStone)
{
    BoardPosition b;
    loadGrid(b, "XO\n..");
    b.SetLastMove({1, 1});
    b.SetCaptureDirs(dir::ColumnPlus | dir::RowPlus);
    b.UndoCaptures();
    // (2,1) holds a stone and stays; (1,2) is empty and is filled with the
    // opponent colour of the stone on the last move, flooding its region.
    EXPECT_EQ(b.GetPoint(2, 1), cell::White);
    EXPECT_EQ(b.GetPoint(1, 2), cell::White);
}

TEST(BoardPosition, RandomPlayKeepsLibertiesAndUndoesToEmpty)
{
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> coord(1, 7); // a small corner so groups touch
    BoardPosition b;
    b.SetRulesFlag(true);
    std::vector<Move> played;
    std::vector<uint8_t> saved;
    for (int i = 0; i < 400; ++i) {
        const Move m{coord(rng), coord(rng), static_cast<CellValue>(i % 2 + 1)};
        uint8_t dirs = 0;
        if (play(b, m, &dirs) == 0) {
            played.push_back(m);
            saved.push_back(dirs);
        }
        ASSERT_EQ(b.CheckInvariant(), "");
        ASSERT_TRUE(b.EveryGroupHasLiberty()) << "after move " << i << "\n" << dumpGrid(b, 8, 8);
    }
    ASSERT_GT(played.size(), 50u);
    for (size_t i = played.size(); i-- > 0;)
        takeBack(b, played[i], saved[i]);
    EXPECT_TRUE(boardMatches(b, "........\n........\n........\n........\n........\n........\n........"));
}

// --- orientation -----------------------------------------------------------

BoardPoint mapPoint(const BoardPosition& b, BoardPoint p, int code) { return b.TransformPoint(p, code); }

TEST(BoardOrientation, ComposeMatchesApplyingOneAfterTheOther)
{
    BoardPosition b;
    const BoardPoint samples[] = {{1, 1}, {3, 7}, {19, 2}, {10, 10}, {5, 19}};
    for (int t = 0; t < 8; ++t)
        for (int a = 0; a < 8; ++a)
            for (const BoardPoint& p : samples)
                EXPECT_EQ(mapPoint(b, mapPoint(b, p, t), a), mapPoint(b, p, BoardPosition::ComposeOrientation(t, a)))
                    << "t=" << t << " a=" << a;
    EXPECT_EQ(BoardPosition::ComposeOrientation(3, 3), 6) << "two quarter turns are a half turn";
}

TEST(BoardOrientation, EveryOrientationAndItsInverseRoundTrip)
{
    for (int code = 0; code < 8; ++code) {
        BoardPosition b;
        loadGrid(b, "+XX..\nXOO..\n.XX..");
        b.SetRulesFlag(true);
        b.SetPoint(4, 2, cell::Black); // captures the white pair
        ASSERT_EQ(b.TakeError(), 0);
        const uint8_t dirs = b.GetCaptureDirs();
        ASSERT_EQ(dirs, dir::ColumnMinus);
        const std::string before = dumpGrid(b, 19, 19);

        b.ApplyOrientation(code);
        EXPECT_EQ(b.Orientation(), code);
        EXPECT_EQ(BoardPosition::ComposeOrientation(b.Orientation(), b.InverseOrientation()), 0);
        EXPECT_EQ(dumpGrid(b, 19, 19), before) << "game coordinates do not move, code " << code;
        EXPECT_EQ(b.GetLastMove(), (BoardPoint{4, 2})) << code;
        EXPECT_EQ(b.GetCaptureDirs(), dirs) << code;
        const BoardPoint markPoint = b.TransformPoint({1, 1}, code);
        EXPECT_EQ(b.CellAt(markPoint.x, markPoint.y), cell::MarkerCross) << code;
        const BoardPoint stonePoint = b.TransformPoint({1, 2}, code);
        EXPECT_EQ(b.CellAt(stonePoint.x, stonePoint.y), cell::Black) << code;

        // Undo after turning restores the captured pair at its game points.
        b.UndoCaptures();
        EXPECT_TRUE(boardMatches(b, "+XX..\nXOOX.\n.XX..")) << code;

        b.ApplyOrientation(b.InverseOrientation());
        EXPECT_EQ(b.Orientation(), 0);
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y)
                EXPECT_EQ(b.CellAt(x, y), b.GetPoint(x, y));
        EXPECT_EQ(b.CheckInvariant(), "");
    }
}

TEST(BoardOrientation, FourQuarterTurnsComeBack)
{
    BoardPosition b;
    loadGrid(b, ".XO\nX.O");
    b.SetRulesFlag(true);
    b.SetLastMove({2, 1});
    b.SetCaptureDirs(dir::ColumnMinus | dir::RowPlus);
    auto snapshot = [&] {
        std::string s;
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y)
                s += std::to_string(b.CellAt(x, y)) + ",";
        return s;
    };
    const std::string cells = snapshot();
    for (int quarter : {3, 5}) { // the two quarter turns: transpose plus one mirror
        for (int i = 0; i < 4; ++i) {
            b.ApplyOrientation(quarter);
            if (i < 3) {
                EXPECT_NE(snapshot(), cells);
            }
        }
        EXPECT_EQ(b.Orientation(), 0);
        EXPECT_EQ(snapshot(), cells);
        EXPECT_EQ(b.GetLastMove(), (BoardPoint{2, 1}));
        EXPECT_EQ(b.GetCaptureDirs(), dir::ColumnMinus | dir::RowPlus);
    }
}

TEST(BoardOrientation, DirectionsFollowTheirNeighbours)
{
    BoardPosition b;
    const BoardPoint p{7, 5};
    const std::pair<uint8_t, BoardPoint> dirs[] = {
        {dir::ColumnMinus, {6, 5}}, {dir::ColumnPlus, {8, 5}}, {dir::RowMinus, {7, 4}}, {dir::RowPlus, {7, 6}}};
    for (int code = 0; code < 8; ++code)
        for (const auto& [bit, q] : dirs) {
            const BoardPoint tp = b.TransformPoint(p, code), tq = b.TransformPoint(q, code);
            const uint8_t t = BoardPosition::TransformDirs(bit, code);
            const BoardPoint step{tq.x - tp.x, tq.y - tp.y};
            const BoardPoint want = t == dir::ColumnMinus  ? BoardPoint{-1, 0}
                                    : t == dir::ColumnPlus ? BoardPoint{1, 0}
                                    : t == dir::RowMinus   ? BoardPoint{0, -1}
                                                           : BoardPoint{0, 1};
            EXPECT_EQ(step, want) << "code " << code << " bit " << int(bit);
        }
}

} // namespace
} // namespace quon
