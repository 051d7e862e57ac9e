// The game window's move list and replay, without a window: lists written
// as text, the dump compared with an expectation, and corpus games replayed
// against an independent replay.
#include "model/GameController.h"
#include "model/GameInfo.h"
#include "model/Recotypes.h"
#include "model/SgfGameReader.h"

#include "common/BoardText.h"
#include "common/GoReplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quon {
namespace {

struct RecordingHost : GameWindowHost {
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::vector<std::string> logLines;
    int beeps = 0;
    int redraws = 0;
    int typed = -1;

    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void Beep() override { ++beeps; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void RedrawChanged() override { ++redraws; }
    void LogLine(const std::string& line) override { logLines.push_back(line); }
    void ShowTypedNumber(int n) override { typed = n; }
    std::string status() const { return statuses.empty() ? std::string() : statuses.back(); }
};

// Moves as text: SGF point letters ("dd" = column 4, row 4), "--" an empty
// move (20, 20), "##" a double move (20, 21).
std::vector<MoveRecord> parseMoves(const std::string& text)
{
    std::vector<MoveRecord> moves;
    std::istringstream in(text);
    std::string w;
    while (in >> w) {
        if (w == "--")
            moves.push_back(EmptyMove);
        else if (w == "##")
            moves.push_back(DoubleMove);
        else
            moves.push_back({static_cast<uint8_t>(w[0] - 'a' + 1), static_cast<uint8_t>(w[1] - 'a' + 1)});
    }
    return moves;
}

class GameControllerTest : public testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        board.SetRulesFlag(true);
    }
    void TearDown() override { resetTablesToStart(); }

    // What the program does to put a game on the window: clear, one node
    // per move, a closing node, first move.
    void load(const std::vector<MoveRecord>& moves, bool closing = true)
    {
        ctl.ClearBoard();
        ctl.ClearMoves();
        for (const MoveRecord& m : moves)
            ctl.AppendMove(m.X, m.Y);
        if (closing)
            ctl.AppendMove(NoMoveCoord, NoMoveCoord);
        ctl.GoFirst();
        checked();
    }
    void load(const std::string& text) { load(parseMoves(text)); }
    void checked() { ASSERT_EQ(ctl.CheckInvariant(), "") << ctl.Dump(); }
    void forward(unsigned n)
    {
        ctl.StepForward(n);
        checked();
    }
    void back(unsigned n)
    {
        ctl.StepBack(n);
        checked();
    }
    CellValue at(int x, int y)
    {
        const CellValue v = board.GetPoint(x, y);
        board.TakeError();
        return v;
    }

    BoardPosition board;
    RecordingHost host;
    TGameController ctl{board, host};
};

TEST_F(GameControllerTest, ListIsDumpedNodeByNode)
{
    load("dd -- ## pd");
    EXPECT_EQ(ctl.Dump(), "0: (20,20)\n1: (4,4)\n2: (20,20)\n3: (20,21)\n4: (16,4)\n5: (20,20)\n"
                          "current=1 movenumber=0\n");
    forward(0);
    EXPECT_EQ(ctl.Dump(), "0: (20,20)\n1: (4,4) placed\n2: (20,20)\n3: (20,21)\n4: (16,4) placed\n5: (20,20)\n"
                          "current=5 movenumber=4\n");
    EXPECT_EQ(ctl.Moves().RecordMoves(), parseMoves("dd -- ## pd"));
}

TEST_F(GameControllerTest, AppendFreesWhatFollowsCurrentAndGoFirstLastMoveOnly)
{
    load("aa bb cc dd");
    ctl.GoFirst();
    ctl.AppendMove(5, 5); // replaces everything after the first move
    EXPECT_EQ(ctl.Moves().Size(), 3u);
    EXPECT_EQ(ctl.Current(), 2u);
    ctl.GoLast();
    EXPECT_EQ(ctl.Current(), 2u);
    ctl.FreeChain(2);
    EXPECT_EQ(ctl.Current(), 1u);
    ctl.FreeChain(0); // the root stays
    EXPECT_EQ(ctl.Moves().Size(), 1u);
    EXPECT_EQ(ctl.Current(), 0u);
    ctl.GoFirst();
    EXPECT_EQ(ctl.Current(), 0u);
    ctl.GoLast();
    EXPECT_EQ(ctl.Current(), 0u);
    EXPECT_EQ(ctl.MoveNumber(), 0);
    EXPECT_TRUE(ctl.Moves().RecordMoves().empty());
    checked();
}

TEST_F(GameControllerTest, EndPlaysToTheClosingNodeAndMarksTheLastMove)
{
    load("dd pd");
    forward(0);
    EXPECT_EQ(ctl.Current(), 3u);
    EXPECT_EQ(ctl.MoveNumber(), 2);
    EXPECT_EQ(at(4, 4), cell::Black);
    EXPECT_EQ(at(16, 4), cell::White | TGameController::PreviousMoveMarker);
    EXPECT_EQ(host.status(), "2");
    back(1);
    EXPECT_EQ(at(16, 4), 0);
    EXPECT_EQ(at(4, 4), cell::Black | TGameController::PreviousMoveMarker);
    EXPECT_EQ(host.status(), "1");
    back(0);
    EXPECT_EQ(ctl.Current(), 1u);
    EXPECT_EQ(ctl.MoveNumber(), 0);
    EXPECT_EQ(at(4, 4), 0);
    EXPECT_EQ(host.status(), "0");
}

TEST_F(GameControllerTest, StepBackPutsCapturedStonesBack)
{
    // Black takes the white corner stone with its third move, then the
    // whole sequence is stepped over back and forth.
    load("ba aa ab");
    forward(0);
    EXPECT_EQ(at(1, 1), 0);
    EXPECT_EQ(ctl.Moves()[3].Captures, dir::RowMinus);
    back(1);
    EXPECT_EQ(at(1, 1), cell::White | TGameController::PreviousMoveMarker);
    EXPECT_EQ(at(1, 2), 0);
    EXPECT_EQ(at(2, 1), cell::Black);
    forward(1);
    EXPECT_EQ(at(1, 1), 0);
    EXPECT_EQ(at(1, 2), cell::Black | TGameController::PreviousMoveMarker);
}

TEST_F(GameControllerTest, AnEmptyGameChangesOnlyTheStatus)
{
    for (bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "root and closing node" : "root only");
        load({}, closing);
        const std::string before = test::stoneGrid(board);
        host.statuses.clear();
        for (int round = 0; round < 2; ++round) {
            forward(0);
            forward(1);
            back(1);
            back(0);
        }
        EXPECT_EQ(test::stoneGrid(board), before);
        EXPECT_EQ(ctl.MoveNumber(), 0);
        EXPECT_EQ(ctl.Current(), closing ? 1u : 0u);
        EXPECT_EQ(host.beeps, 0);
        ASSERT_FALSE(host.statuses.empty());
        for (const std::string& s : host.statuses)
            EXPECT_EQ(s, "0");
    }
}

TEST_F(GameControllerTest, AOneMoveListWithoutClosingNodeIsNeverPlayed)
{
    // A record of one move leaves the list at the root (the reader of the
    // window needs two); a step forward then must do nothing.
    load({}, false);
    ctl.StepForward(1);
    checked();
    EXPECT_EQ(ctl.MoveNumber(), 0);
}

TEST_F(GameControllerTest, EmptyAndDoubleMovesSayNoMoveAndBeep)
{
    Reco.DoubleMoves.add({2, 3, 3, 1});
    Reco.DoubleMoves.add({2, 5, 5, 0}); // settled: not shown
    Reco.DoubleMoves.add({2, 4, 4, 1}); // a stone stands there
    Reco.DoubleMoves.add({3, 6, 6, 1}); // another number
    load("dd ## -- pd");
    forward(1);
    forward(1);
    EXPECT_EQ(host.status(), "2 No move");
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(ctl.MarksShown());
    EXPECT_EQ(at(3, 3), TGameController::CorrectionMarker);
    EXPECT_EQ(at(4, 4), cell::Black | TGameController::CorrectionMarker);
    EXPECT_EQ(at(5, 5), 0);
    EXPECT_EQ(at(6, 6), 0);
    forward(1); // the empty move hides the marks; the stone stays
    EXPECT_EQ(host.status(), "3 No move");
    EXPECT_EQ(host.beeps, 2);
    EXPECT_FALSE(ctl.MarksShown());
    EXPECT_EQ(at(3, 3), 0);
    EXPECT_EQ(at(4, 4), cell::Black);
    back(1); // back on the double move: its claimants are shown again
    EXPECT_EQ(host.status(), "2");
    EXPECT_TRUE(ctl.MarksShown());
    EXPECT_EQ(at(3, 3), TGameController::CorrectionMarker);
    back(1);
    EXPECT_FALSE(ctl.MarksShown());
    EXPECT_EQ(at(3, 3), 0);
    EXPECT_EQ(at(4, 4), cell::Black | TGameController::PreviousMoveMarker);
    forward(0);
    EXPECT_EQ(at(16, 4), cell::White | TGameController::PreviousMoveMarker);
    EXPECT_EQ(at(3, 3), 0);
}

TEST_F(GameControllerTest, AMoveOntoAnOccupiedPointIsMarkedAndLeavesTheStone)
{
    load("dd dd pd pp");
    forward(2);
    EXPECT_EQ(host.status(), "2 Point already is occupated: (4, 4)");
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(ctl.PendingMark(), (BoardPoint{4, 4}));
    EXPECT_EQ(cell::stone(at(4, 4)), cell::Black);
    EXPECT_NE(at(4, 4) & TGameController::CorrectionMarker, 0);
    EXPECT_FALSE(ctl.Moves()[2].Placed);
    EXPECT_TRUE(host.messages.empty());
    forward(1); // the next move takes the marker away
    EXPECT_EQ(at(4, 4), cell::Black);
    EXPECT_EQ(ctl.PendingMark(), BoardPoint{});
    EXPECT_EQ(host.status(), "3");
}

TEST_F(GameControllerTest, TheCorrectionMarkerNeverSticksOverRepeatedSteps)
{
    // Single steps, long steps and the walk back: the occupied point ends
    // as a plain stone whatever the way.
    const std::vector<std::vector<int>> walks = {
        {1, 1, 1, 1}, {0}, {2, 1, -1, 1, 1}, {2, -1, 1, -1, -1, 0}, {3, -2, 2, -3, 0}, {2, -1, -1, 2, 2}};
    for (const auto& walk : walks) {
        load("dd dd pd pp");
        for (int s : walk) {
            if (s >= 0)
                forward(static_cast<unsigned>(s));
            else
                back(static_cast<unsigned>(-s));
        }
        forward(0);
        EXPECT_EQ(at(4, 4), cell::Black) << ctl.Dump();
        EXPECT_EQ(at(16, 16), cell::White | TGameController::PreviousMoveMarker);
        back(0);
        EXPECT_EQ(at(4, 4), 0) << ctl.Dump();
        EXPECT_EQ(test::stoneGrid(board), test::ReferenceGo().grid());
    }
}

TEST_F(GameControllerTest, SteppingBackOverANeverPlacedMoveAfterACaptureKeepsThePosition)
{
    // Move 3 captures; move 4 lands on a stone. Taking move 4 back must not
    // refill captures with directions that belong to move 3.
    load("ba aa ab ba cc");
    forward(4);
    EXPECT_EQ(host.status(), "4 Point already is occupated: (2, 1)");
    const auto positions = test::referencePositions(parseMoves("ba aa ab"), 1);
    back(1);
    EXPECT_EQ(test::firstDifference(positions[3], test::stoneGrid(board)), "");
    EXPECT_EQ(at(2, 1), cell::Black);
    EXPECT_EQ(ctl.PendingMark(), BoardPoint{});
    back(1);
    EXPECT_EQ(test::firstDifference(positions[2], test::stoneGrid(board)), "");
    forward(0);
    EXPECT_EQ(at(3, 3), cell::Black | TGameController::PreviousMoveMarker);
    back(0);
    EXPECT_EQ(test::firstDifference(positions[0], test::stoneGrid(board)), "");
}

TEST_F(GameControllerTest, AForbiddenMoveIsMarkedWithoutAnErrorBox)
{
    // White's corner move at (1,1) has no liberty and captures nothing.
    load("ba ss ab aa cc");
    forward(4);
    EXPECT_EQ(host.status(), "4 Forbidden move: 1, 1");
    EXPECT_EQ(host.beeps, 2);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(at(1, 1) & 3, 0);
    EXPECT_NE(at(1, 1) & TGameController::CorrectionMarker, 0);
    back(1);
    EXPECT_EQ(at(1, 1), 0);
    forward(2);
    EXPECT_EQ(at(1, 1), 0);
    EXPECT_EQ(at(3, 3), cell::Black | TGameController::PreviousMoveMarker);
}

TEST_F(GameControllerTest, ClearBoardForgetsAPendingMarkerAndShownMarks)
{
    Reco.DoubleMoves.add({2, 10, 10, 1});
    load("dd dd");
    forward(2);
    ASSERT_EQ(ctl.PendingMark(), (BoardPoint{4, 4}));
    load("pp ## qq");
    EXPECT_EQ(ctl.PendingMark(), BoardPoint{});
    EXPECT_EQ(host.status(), "0");
    forward(2);
    ASSERT_TRUE(ctl.MarksShown());
    ctl.ClearBoard();
    checked();
    EXPECT_FALSE(ctl.MarksShown());
    EXPECT_EQ(at(10, 10), 0);
    load("qq");
    forward(0);
    EXPECT_EQ(at(4, 4), 0);
    EXPECT_EQ(at(10, 10), 0);
    EXPECT_EQ(at(17, 17), cell::Black | TGameController::PreviousMoveMarker);
}

TEST_F(GameControllerTest, ReplayKeysStepAndTypeDigits)
{
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += std::string(1, static_cast<char>('a' + i % 19)) + static_cast<char>('a' + i / 19 * 3) + " ";
    load(text);
    struct Case {
        ReplayKeyCode key;
        int moveNumber;
        bool redraw;
    };
    const Case cases[] = {
        {ReplayKeyCode::Down, 1, true},   {ReplayKeyCode::Right, 11, true}, {ReplayKeyCode::Right, 21, true},
        {ReplayKeyCode::Right, 25, true}, {ReplayKeyCode::Up, 24, true},    {ReplayKeyCode::Left, 14, true},
        {ReplayKeyCode::Home, 0, true},   {ReplayKeyCode::End, 25, true},   {ReplayKeyCode::Other, 25, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(ctl.ReplayKey(c.key), c.redraw);
        checked();
        EXPECT_EQ(ctl.MoveNumber(), c.moveNumber);
    }
    for (int d : {6, 0})
        EXPECT_FALSE(ctl.ReplayKey(ReplayKeyCode::Digit, d));
    EXPECT_EQ(host.typed, 60);
    ctl.ReplayKey(ReplayKeyCode::Backspace);
    EXPECT_EQ(ctl.Typed(), 6);
    for (int d : {0, 1})
        ctl.TypeDigit(d);
    EXPECT_EQ(ctl.Typed(), 0); // 601 is past what can be typed
    for (int d : {6, 0, 0})
        ctl.TypeDigit(d);
    EXPECT_EQ(ctl.Typed(), 600);
    EXPECT_FALSE(ctl.ReplayKey(ReplayKeyCode::Enter));
    EXPECT_EQ(ctl.MoveNumber(), 25);
}

// ---- The corpus games --------------------------------------------------------

std::vector<std::filesystem::path> corpusGames()
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QUON_CORPUS_DIR) / "games", ec))
        if (e.path().extension() == ".sgf")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(GameControllerTest, CorpusGamesReplayForwardAndBackLikeAnIndependentReplay)
{
    const auto files = corpusGames();
    if (files.empty())
        GTEST_SKIP() << "no corpus games at " << QUON_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::ifstream in(file, std::ios::binary);
        const std::string sgf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const SgfReadResult read = readSgfGame(sgf, GameInfo{}, SgfReadOptions{});
        ASSERT_TRUE(read.Ok) << read.Error;
        ASSERT_GT(read.moveCount(), 100);

        load(read.Moves);
        // Handicap stones stand on both boards before the first move.
        test::ReferenceGo setup;
        for (const StonePoint& s : read.Black) {
            board.SetPoint(s.X, s.Y, cell::Black);
            setup.play(s.X, s.Y, 1);
        }
        for (const StonePoint& s : read.White) {
            board.SetPoint(s.X, s.Y, cell::White);
            setup.play(s.X, s.Y, 2);
        }
        ASSERT_EQ(board.TakeError(), 0);
        std::vector<std::string> positions{setup.grid()};
        {
            test::ReferenceGo go = setup;
            for (int m = 1; m <= read.moveCount(); ++m) {
                go.play(read.Moves[m - 1].X, read.Moves[m - 1].Y, moveColour(m));
                positions.push_back(go.grid());
            }
        }
        const int n = read.moveCount();
        for (int m = 1; m <= n; ++m) {
            forward(1);
            ASSERT_EQ(ctl.MoveNumber(), m);
            ASSERT_EQ(test::firstDifference(positions[m], test::stoneGrid(board)), "") << "after move " << m;
            // Only a pass put in to keep the colours may say "No move".
            const MoveRecord& rec = read.Moves[m - 1];
            ASSERT_EQ(host.status(), isFreeSlot(rec) ? std::to_string(m) + " No move" : std::to_string(m));
        }
        ASSERT_EQ(ctl.Current(), ctl.Moves().Last());
        for (int m = n - 1; m >= 0; --m) {
            back(1);
            ASSERT_EQ(test::firstDifference(positions[m], test::stoneGrid(board)), "") << "back at move " << m;
        }
        // Long steps land on the same positions.
        for (unsigned step : {7u, 10u, 33u}) {
            back(0);
            int m = 0;
            while (m < n) {
                forward(step);
                m = std::min(n, m + static_cast<int>(step));
                ASSERT_EQ(test::firstDifference(positions[m], test::stoneGrid(board)), "") << "at move " << m;
            }
            while (m > 0) {
                back(step);
                m = std::max(0, m - static_cast<int>(step));
                ASSERT_EQ(test::firstDifference(positions[m], test::stoneGrid(board)), "") << "back at " << m;
            }
        }
        EXPECT_TRUE(host.messages.empty());
    }
}

} // namespace
} // namespace quon
