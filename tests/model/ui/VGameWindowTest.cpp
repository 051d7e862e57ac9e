// The game window under the offscreen platform: replay keys, the pop-up
// menu's orientations, stay-on-top, the square board when resized, and a
// corpus game replayed by keys against an independent replay.
#include "model/GameInfo.h"
#include "model/Recotypes.h"
#include "model/SgfGameReader.h"
#include "model/ui/Board.h"
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/VGameWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"

#include "common/GoReplay.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace quon;

namespace {

std::vector<MoveRecord> movesOf(std::initializer_list<const char*> points)
{
    std::vector<MoveRecord> moves;
    for (const char* p : points)
        moves.push_back({static_cast<uint8_t>(p[0] - 'a' + 1), static_cast<uint8_t>(p[1] - 'a' + 1)});
    return moves;
}

class GameWindow : public testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        input = std::make_unique<TFMoveNumInput>();
        FMoveNumInput = input.get();
        window = std::make_unique<TVGame>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        FMoveNumInput = nullptr;
        input.reset();
        resetTablesToStart();
    }
    // As the program puts a game on the window.
    void load(const std::vector<MoveRecord>& moves)
    {
        window->ClearBoard();
        window->ClearMoves();
        for (const MoveRecord& m : moves)
            window->AppendMove(m.X, m.Y);
        window->AppendMove(NoMoveCoord, NoMoveCoord);
        window->GoFirst();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(k), mods);
        ASSERT_EQ(window->Game().CheckInvariant(), "") << window->Game().Dump();
    }
    std::string stones() { return test::stoneGrid(window->Board()->Position()); }
    // The colour drawn at the centre of a game point.
    // The colour drawn a quarter cell off the centre of a game point (off
    // the grid lines, inside a stone).
    QRgb drawnAt(int x, int y)
    {
        const int q = window->Board()->Cell() / 4;
        return window->Board()->Buffer().pixel(window->Board()->GamePointCenter(x, y) + QPoint(q, q));
    }

    std::unique_ptr<TFMoveNumInput> input;
    std::unique_ptr<TVGame> window;
};

int luminance(QRgb c) { return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100; }

TEST_F(GameWindow, StartsEmptyWithItsStatusPanel)
{
    EXPECT_EQ(window->objectName(), "VGame");
    EXPECT_EQ(window->StatusText(), "0");
    EXPECT_EQ(window->MoveNumber(), 0);
    EXPECT_EQ(window->Game().Moves().Size(), 1u);
    // Keys on the empty window change nothing but the status.
    for (int k : {Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Home, Qt::Key_Left})
        key(k);
    EXPECT_EQ(window->StatusText(), "0");
    EXPECT_EQ(stones(), test::ReferenceGo().grid());
}

TEST_F(GameWindow, ReplayKeysStepThroughTheGameAndRedrawTheBoard)
{
    // Black (3,3), white (4,3), black (17,17), white (3,4), ... 12 moves.
    const auto moves = movesOf({"cc", "dc", "qq", "cd", "qd", "dq", "pp", "ee", "oo", "ff", "nn", "gg"});
    load(moves);
    const auto positions = test::referencePositions(moves, 1);
    struct Step {
        int key;
        int moveNumber;
    };
    const Step steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2},   {Qt::Key_Right, 12},
                          {Qt::Key_Up, 11},  {Qt::Key_Left, 1},   {Qt::Key_End, 12},
                          {Qt::Key_Home, 0}, {Qt::Key_Right, 10}, {Qt::Key_Right, 12}};
    for (const Step& s : steps) {
        key(s.key);
        ASSERT_EQ(window->MoveNumber(), s.moveNumber);
        EXPECT_EQ(window->StatusText(), QString::number(s.moveNumber));
        EXPECT_EQ(test::firstDifference(positions[s.moveNumber], stones()), "") << "at " << s.moveNumber;
    }
    // The board shows it: black and white stones painted, a taken-back move gone.
    EXPECT_LT(luminance(drawnAt(3, 3)), 90);
    EXPECT_GT(luminance(drawnAt(4, 3)), 150);
    key(Qt::Key_Home);
    const QRgb empty = drawnAt(3, 3);
    EXPECT_GT(luminance(empty), 90);
    EXPECT_EQ(window->CurrentPoint(), (BoardPoint{3, 3}));
}

TEST_F(GameWindow, DigitsAreShownInTheMoveInputWindow)
{
    load(movesOf({"dd", "pp"}));
    key(Qt::Key_4);
    key(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(input->seMoveNum->value(), 42);
    key(Qt::Key_Backspace);
    EXPECT_EQ(input->seMoveNum->value(), 4);
    for (int k : {Qt::Key_0, Qt::Key_0})
        key(k);
    EXPECT_EQ(input->seMoveNum->value(), 400);
    key(Qt::Key_9); // 4009 is more than can be typed
    EXPECT_EQ(input->seMoveNum->value(), 0);
    EXPECT_EQ(window->MoveNumber(), 0);
}

TEST_F(GameWindow, AnOccupiedMoveIsReportedInTheStatusAndBeeps)
{
    load(movesOf({"dd", "dd", "pp"}));
    const int beeps = sys::beepCount();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(window->StatusText(), "2 Point already is occupated: (4, 4)");
    EXPECT_EQ(sys::beepCount() - beeps, 2);
    key(Qt::Key_Up);
    EXPECT_EQ(window->Board()->GetPoint(4, 4), cell::Black | TGameController::PreviousMoveMarker);
    key(Qt::Key_End);
    EXPECT_EQ(window->Board()->GetPoint(4, 4), cell::Black);
}

TEST_F(GameWindow, PopupMenuTurnsTheBoardButNotTheGame)
{
    const auto moves = movesOf({"cd", "qc", "pq"});
    load(moves);
    key(Qt::Key_End);
    const std::string game = stones();
    const QImage straight = window->Board()->Buffer().copy();

    // The menu opens where the right button is pressed.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50), window->mapToGlobal(QPoint(50, 50)));
    QApplication::sendEvent(window.get(), &event);
    ASSERT_TRUE(window->PopupMenu1->isVisible());
    QStringList captions;
    for (QAction* a : window->PopupMenu1->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{"&Rotate", "&Symmetry", "", "&Make On Top"}));
    window->PopupMenu1->hide();

    struct Case {
        QAction* action;
        int code;
    };
    const Case cases[] = {{window->N90degrees1, 3}, {window->N180degrees1, 6}, {window->N270degrees1, 5},
                          {window->Horizontal1, 4}, {window->Vertical1, 2},    {window->Diagonal1, 1},
                          {window->Diagonal2, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action->objectName().toStdString());
        const int before = window->Board()->Orientation();
        c.action->trigger();
        EXPECT_EQ(window->Board()->Orientation(), BoardPosition::ComposeOrientation(before, c.code));
        EXPECT_EQ(stones(), game); // game coordinates stay
        EXPECT_EQ(window->RecordMoves(), moves);
    }
    window->Reorient(window->Board()->Position().InverseOrientation());
    EXPECT_EQ(window->Board()->Orientation(), 0);
    EXPECT_EQ(window->Board()->Buffer(), straight);

    window->N90degrees1->trigger();
    window->N90degrees1->trigger();
    const QImage twice = window->Board()->Buffer().copy();
    window->N180degrees1->trigger();
    EXPECT_EQ(window->Board()->Buffer(), straight);
    window->N180degrees1->trigger();
    EXPECT_EQ(window->Board()->Buffer(), twice);
    EXPECT_NE(twice, straight);
    // The game shown after a turn is the same game: stepping still works.
    key(Qt::Key_Home);
    key(Qt::Key_End);
    EXPECT_EQ(stones(), game);
}

TEST_F(GameWindow, MakeOnTopSwitchesTheWindowStyle)
{
    window->MakeOnTop1->trigger();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->MakeOnTop1->isChecked());
    EXPECT_TRUE(window->isVisible());
    window->MakeOnTop1->trigger();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window->MakeOnTop1->isChecked());
}

TEST_F(GameWindow, ResizingKeepsTheBoardSquare)
{
    const int status = window->StatusBar1->height();
    EXPECT_EQ(window->Board()->width(), window->Board()->height());
    window->resize(520, 300 + status);
    QTest::qWait(50);
    EXPECT_EQ(window->Board()->width(), 300);
    EXPECT_EQ(window->Board()->height(), 300);
    EXPECT_EQ(window->size(), QSize(300, 300 + status));
    EXPECT_EQ(window->StatusBar1->geometry().top(), 300);

    window->resize(100, 100); // the board keeps at least 150 a side
    QTest::qWait(50);
    EXPECT_GE(window->Board()->width(), 150);
    EXPECT_EQ(window->Board()->width(), window->Board()->height());

    window->resize(360, 250 + status);
    window->FitBoard(); // the larger side wins
    QTest::qWait(50);
    EXPECT_EQ(window->size(), QSize(360, 360 + status));
    EXPECT_EQ(window->Board()->width(), 360);
}

TEST_F(GameWindow, SavedRecordsTakeTheMovesOfTheWindow)
{
    load(movesOf({"dd", "pp", "dp"}));
    window->GoLast();
    window->AppendMove(NoMoveCoord, NoMoveCoord); // a blank move after the game
    window->GoFirst();
    std::vector<MoveRecord> expected = movesOf({"dd", "pp", "dp"});
    expected.push_back(EmptyMove);
    EXPECT_EQ(gameMoveList(), expected);
}

TEST_F(GameWindow, ACorpusGameReplayedByKeysMatchesTheRecord)
{
    const std::filesystem::path file = std::filesystem::path(QUON_CORPUS_DIR) / "games" / "ag_leesedol_g4.sgf";
    if (!std::filesystem::exists(file))
        GTEST_SKIP() << "no corpus game at " << file;
    std::ifstream in(file, std::ios::binary);
    const std::string sgf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const SgfReadResult read = readSgfGame(sgf, GameInfo{}, SgfReadOptions{});
    ASSERT_TRUE(read.Ok) << read.Error;
    const int n = read.moveCount();
    ASSERT_GT(n, 150);
    load(read.Moves);
    const auto positions = test::referencePositions(read.Moves, Reco.FirstMoveColour);

    int m = 0;
    for (int target : {1, 37, 100, 151, n}) {
        while (m < target) {
            key(target - m >= 10 ? Qt::Key_Right : Qt::Key_Down);
            m = std::min(n, m + (target - m >= 10 ? 10 : 1));
        }
        ASSERT_EQ(window->MoveNumber(), target);
        ASSERT_EQ(test::firstDifference(positions[target], stones()), "") << "at move " << target;
    }
    key(Qt::Key_End);
    EXPECT_EQ(window->MoveNumber(), n);
    for (int target : {n - 1, 120, 64, 3}) {
        while (m > target) {
            key(m - target >= 10 ? Qt::Key_Left : Qt::Key_Up);
            m = std::max(0, m - (m - target >= 10 ? 10 : 1));
        }
        ASSERT_EQ(window->MoveNumber(), target);
        ASSERT_EQ(test::firstDifference(positions[target], stones()), "") << "back at move " << target;
    }
    key(Qt::Key_Home);
    EXPECT_EQ(stones(), positions[0]);
}

} // namespace
