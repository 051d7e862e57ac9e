// Linear input at the keyboard cursor and the line shifts of the typed
// position, on the game controller without windows: positions written as
// text before and after, the move table beside them.
#include "model/BoardPosition.h"
#include "model/GameController.h"
#include "model/Recotypes.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using namespace quon;

namespace {

class Host : public GameWindowHost {
  public:
    void ShowStatus(const std::string&) override {}
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void RedrawChanged() override {}
    void ShowTypedNumber(int typed) override { shown = typed; }
    bool AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    OptionsSnapshot InputOptions() override { return options; }
    void SetNumMovesOption(int n) override { options.seNumMoves = n; }
    void SetCurrentDiaOption(int n) override { options.seNDia = n; }
    WrongMoveAnswer AskWrongMove(const std::string& label, int, int, int& number) override
    {
        labels.push_back(label);
        number = 0;
        if (wrongAnswers.empty())
            return WrongMoveAnswer::Cancel;
        const auto [a, n] = wrongAnswers.front();
        wrongAnswers.pop_front();
        number = n;
        return a;
    }
    void LogLine(const std::string& line) override { log.push_back(line); }

    OptionsSnapshot options;
    std::deque<bool> answers;
    std::deque<std::pair<WrongMoveAnswer, int>> wrongAnswers;
    std::vector<std::string> messages, questions, labels, log;
    int beeps = 0;
    int shown = -1;
};

class LinearInput : public testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        Reco.LinearInputState = 1;
        host.options.cbBeep = false;
    }
    void TearDown() override { resetTablesToStart(); }

    // Rows y1..y2, columns 1..n: X black, O white, . empty (markers ignored).
    std::string rows(int y1, int y2, int n = 6)
    {
        std::string out;
        for (int y = y1; y <= y2; ++y) {
            for (int x = 1; x <= n; ++x) {
                const int s = cell::stone(board.CellAt(x, y));
                out += s == 1 ? 'X' : s == 2 ? 'O' : '.';
            }
            out += y < y2 ? "\n" : "";
        }
        return out;
    }
    // Move m typed at (x, y) as linear input leaves it.
    void put(int m, int x, int y)
    {
        Reco.MoveTable[m] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
        Reco.MoveCount = std::max(Reco.MoveCount, m);
        board.SetRulesFlag(false);
        board.SetPoint(x, y, cell::make(moveColour(m), 0, m));
    }
    // No two moves on one point, and every stone on the board is its move's.
    void expectTableMatchesBoard()
    {
        int stones = 0;
        for (int x = 1; x <= 19; ++x)
            for (int y = 1; y <= 19; ++y)
                if (cell::stone(board.CellAt(x, y)) != 0) {
                    ++stones;
                    const int m = game.MoveNumberAt(x, y);
                    EXPECT_GT(m, 0) << "stone without a move at " << x << "," << y;
                    EXPECT_EQ(cell::number(board.CellAt(x, y)), m);
                }
        int placed = 0;
        for (int m = 1; m <= Reco.MoveCount; ++m)
            placed += isPlaced(Reco.MoveTable[m]);
        EXPECT_EQ(placed, stones);
    }
    void typeKeys(const std::string& keys)
    {
        for (char c : keys) {
            if (c >= '0' && c <= '9')
                game.LinearKey(LinearKeyCode::Digit, false, false, c - '0');
            else if (c == '\n')
                game.LinearKey(LinearKeyCode::Enter, false, false);
            else if (c == ' ')
                game.LinearKey(LinearKeyCode::Space, false, false);
            else if (c == '>')
                game.LinearKey(LinearKeyCode::Right, false, false);
        }
    }

    BoardPosition board;
    Host host;
    TGameController game{board, host};
};

TEST_F(LinearInput, MoveLineLeftTakesColumnOneOffOnlyWhenAskedAndFreesItsSlot)
{
    put(1, 1, 3);
    put(2, 2, 3);
    put(3, 4, 3);
    put(4, 5, 3);
    put(5, 6, 3);
    const std::string before = rows(3, 3);
    ASSERT_EQ(before, "XO.XOX");
    game.SetCursor(5, 3);

    host.answers = {false};
    game.MoveLineLeft();
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "The shift takes 1 stone off the board: (1,3). Shift anyway?");
    EXPECT_EQ(rows(3, 3), before);
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{1, 3}));

    host.answers = {true};
    game.MoveLineLeft();
    EXPECT_EQ(rows(3, 3), "O.XO.X");
    EXPECT_EQ(Reco.MoveTable[1], RemovedMove);
    EXPECT_TRUE(isFreeSlot(Reco.MoveTable[1])); // listed as missed when the input ends
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{1, 3}));
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{3, 3}));
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{4, 3}));
    EXPECT_EQ(Reco.MoveTable[5], (MoveRecord{6, 3})); // right of the cursor: stays
    expectTableMatchesBoard();
}

TEST_F(LinearInput, ShiftsAsPositionsBeforeAndAfter)
{
    struct Case {
        const char* name;
        void (TGameController::*shift)();
        BoardPoint cursor;
        std::string after;
        bool asks;
    };
    // Before, rows 1..4 of columns 1..6:
    //   X.O...
    //   .X..O.
    //   ......
    //   O.....
    const std::vector<Case> cases = {
        {"line right", &TGameController::MoveLineRight, {2, 2}, "X.O...\n..X..O\n......\nO.....", false},
        {"line down", &TGameController::MoveLineDown, {1, 2}, "X.O...\n......\n.X..O.\nO.....", false},
        {"line up", &TGameController::MoveLineUp, {1, 2}, ".X..O.\n......\n......\nO.....", true},
        {"line down onto a stone", &TGameController::MoveLineDown, {1, 3}, "X.O...\n.X..O.\n......\n......", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetTablesToStart();
        Reco.LinearInputState = 1;
        game.ClearBoard();
        put(1, 1, 1);
        put(2, 3, 1);
        put(3, 2, 2);
        put(4, 5, 2);
        put(6, 1, 4);
        ASSERT_EQ(rows(1, 4), "X.O...\n.X..O.\n......\nO.....");
        host.questions.clear();
        host.answers = {true};
        game.SetCursor(c.cursor.x, c.cursor.y);
        (game.*c.shift)();
        EXPECT_EQ(rows(1, 4), c.after);
        EXPECT_EQ(!host.questions.empty(), c.asks);
        expectTableMatchesBoard();
    }
}

TEST_F(LinearInput, PushingOntoTheEdgeAsksInsteadOfLeavingTwoMovesOnOnePoint)
{
    // A stone in column 19 is overwritten when column 18 moves right; one in
    // row 19 when row 18 moves down.
    put(1, 18, 5);
    put(2, 19, 5);
    put(3, 7, 18);
    put(4, 7, 19);
    game.SetCursor(10, 5);
    host.answers = {true};
    game.MoveLineRight();
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{19, 5}));
    EXPECT_EQ(Reco.MoveTable[2], RemovedMove);

    game.SetCursor(1, 17);
    host.answers = {false};
    game.MoveAllDown();
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{7, 18})); // refused: nothing moved
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{7, 19}));
    host.answers = {true};
    game.MoveAllDown();
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{7, 19}));
    EXPECT_EQ(Reco.MoveTable[4], RemovedMove);
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{19, 5})); // only rows from the cursor's down move
    expectTableMatchesBoard();
}

TEST_F(LinearInput, TypedNumbersPlaceStonesAtTheCursor)
{
    host.options.rgNumMoves = 1; // "Manually"
    host.options.seNumMoves = 20;
    host.options.cbSmartEnter = false;
    game.StartLinearInput(false);
    EXPECT_EQ(Reco.MoveCount, 20);
    EXPECT_EQ(Reco.DiaLastMove, 20);
    EXPECT_EQ(game.Cursor(), (BoardPoint{2, 1}));

    typeKeys("1\n2 "); // 1 at (2,1), 2 at (3,1)
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{2, 1}));
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{3, 1}));
    EXPECT_EQ(cell::number(board.CellAt(3, 1)), 2);
    EXPECT_EQ(game.Cursor(), (BoardPoint{4, 1})); // jumped over the new stone

    typeKeys("21\n"); // above the manual count
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Too big move");

    // Typing 1 again asks about the double move; No keeps everything.
    typeKeys("1\n");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "DoubleMove # 1 (X= 2, Y= 1). Do you want to replace old one?");
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{2, 1}));
    host.options.cbAutoreplace = true;
    typeKeys("1\n");
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{4, 1}));
    EXPECT_EQ(cell::stone(board.CellAt(2, 1)), 0);

    // Enter with nothing typed: column 1 of the next row.
    typeKeys("\n");
    EXPECT_EQ(game.Cursor(), (BoardPoint{1, 2}));
    // Right along stones with the jump off stops on the stone and shows its move.
    host.options.cbJumpOverStones = false;
    game.SetCursor(2, 1);
    typeKeys(">");
    EXPECT_EQ(game.Cursor(), (BoardPoint{3, 1}));
    EXPECT_EQ(host.shown, 2);
    expectTableMatchesBoard();
}

TEST_F(LinearInput, CursorWrapsAndTypedNumbersRestart)
{
    game.SetCursor(4, 3);
    game.LinearKey(LinearKeyCode::Up, true, false); // Shift+Up: 5 rows
    EXPECT_EQ(game.Cursor(), (BoardPoint{3, 19}));
    game.SetCursor(15, 7);
    game.LinearKey(LinearKeyCode::Right, false, true); // Ctrl+Right: no further than the next line's start
    EXPECT_EQ(game.Cursor(), (BoardPoint{1, 8}));
    game.SetCursor(19, 19);
    game.LinearKey(LinearKeyCode::Right, false, false);
    EXPECT_EQ(game.Cursor(), (BoardPoint{1, 1}));

    host.options.cbSmartEnter = false;
    typeKeys("601");
    EXPECT_EQ(game.Typed(), 0);
    // Smart enter with "Auto": 50 goes in at once (after the count question).
    host.options.cbSmartEnter = true;
    host.answers = {true};
    game.SetCursor(10, 10);
    typeKeys("50");
    EXPECT_EQ(Reco.MoveTable[50], (MoveRecord{10, 10}));
    EXPECT_EQ(Reco.MoveCount, 50);
    EXPECT_EQ(host.questions.back(), "Num moves = 0, Move No = 50 Increase number of moves in the game to 50 ?");
}

TEST_F(LinearInput, AFullBoardStopsTheJumpAfterOneLap)
{
    board.SetRulesFlag(false);
    for (int x = 1; x <= 19; ++x)
        for (int y = 1; y <= 19; ++y)
            board.SetPoint(x, y, 1);
    game.SetCursor(5, 5);
    game.MoveCursor(1, 0, true);
    EXPECT_EQ(game.Cursor(), (BoardPoint{6, 5}));
}

TEST_F(LinearInput, MoveNumbersOutsideTheTableAreRefused)
{
    Reco.DiaNumberOffset = 450;
    game.SetCursor(3, 3);
    typeKeys("60\n"); // 510
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Too big move");
    EXPECT_EQ(Reco.MoveCount, 0);
}

// A move claimed by three stones is corrected by a click onto one of them:
// that claimant closes, the others are asked about beside their points.
TEST(ClickCorrection, TheOtherClaimantsOfTheCorrectedNumberAreAskedAbout)
{
    resetTablesToStart();
    BoardPosition board;
    Host host;
    TGameController game{board, host};
    Reco.MoveCount = 3;
    Reco.MoveTable[1] = {3, 3};
    Reco.MoveTable[2] = DoubleMove;
    Reco.MoveTable[3] = EmptyMove;
    for (const auto& [x, y] : {std::pair{5, 5}, {6, 6}, {16, 7}})
        Reco.DoubleMoves.add({2, static_cast<uint8_t>(x), static_cast<uint8_t>(y), 1});
    Reco.MissedMoves.add({3, 1});
    game.AppendMove(3, 3);
    game.AppendMove(NoMoveCoord, DoubleMoveCoord);
    game.AppendMove(NoMoveCoord, NoMoveCoord);
    game.AppendMove(NoMoveCoord, NoMoveCoord);
    game.GoFirst();
    game.StepForward(2);
    ASSERT_TRUE(game.MarksShown());

    host.wrongAnswers = {{WrongMoveAnswer::NoMove, 0}, {WrongMoveAnswer::Ok, 3}};
    game.MoveMade0(5, 5);
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{5, 5}));
    ASSERT_EQ(host.labels.size(), 2u);
    EXPECT_EQ(host.labels[0], "Wrong move (6,6)=(1-6,6). Input correct number:");
    EXPECT_EQ(host.labels[1], "Wrong move (16,7)=(2-4,7). Input correct number:");
    for (const DoubleMoveEntry& e : Reco.DoubleMoves)
        EXPECT_EQ(e.Open, 0) << int(e.X);
    EXPECT_EQ(Reco.MissedMoves[1].Open, 0);
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{16, 7}));
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_EQ(host.log[0], "Fixed wrong 2nd double move #3, (16,7)");
    // Move 3 now stands on its point and is played; move 2 stays corrected.
    EXPECT_EQ(game.Moves()[3].X, 16);
    EXPECT_EQ(game.MoveNumber(), 3);
    EXPECT_EQ(cell::stone(board.CellAt(16, 7)), 1);
    EXPECT_EQ(cell::stone(board.CellAt(5, 5)), 2);
    EXPECT_EQ(game.CheckInvariant(), "") << game.Dump();
    resetTablesToStart();
}

} // namespace
