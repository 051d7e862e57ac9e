// The game board edited by clicks, a game typed by linear input and saved,
// the diagrams of a typed game one after another, and the jump to a move,
// with every window of the program created as at start.
#include "app/ui/App.h"
#include "app/ui/MainWindow.h"
#include "model/Recotypes.h"
#include "model/ui/Board.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/GoToMoveNumberWindow.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/RadioGroup.h"
#include "model/ui/VGameWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Registry.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quon;

namespace {

class LinearInputCommands : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Registry::setStorageFile(dir.filePath("registry.ini"));
        resetTablesToStart();
        GameFileQueue.clear();
        App::createWindows();
        setGameRecordSettingsSource([] { return GameRecordSettings{QString(), false}; });
        Options->cbBeep->setChecked(false);
    }
    void TearDown() override
    {
        setGameRecordSettingsSource(nullptr);
        App::destroyWindows();
        QDir::setCurrent(previous);
        resetTablesToStart();
    }
    void trigger(const char* item) { Form1->item(item)->trigger(); }
    void click(int x, int y)
    {
        QTest::mouseClick(VGame->Board(), Qt::LeftButton, Qt::NoModifier, VGame->Board()->GamePointCenter(x, y));
        ASSERT_EQ(VGame->Game().CheckInvariant(), "") << VGame->Game().Dump();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(VGame, static_cast<Qt::Key>(k), mods);
    }
    // Starts linear input, answering the options dialog with `set` then OK.
    void startLinearInput(const std::function<void()>& set)
    {
        QTimer::singleShot(0, Options, [set] {
            set();
            Options->OKBtn->click();
        });
        trigger("LinearInput1");
    }
    int stoneAt(int x, int y) { return cell::stone(VGame->Board()->Position().CellAt(x, y)); }

    QTemporaryDir dir;
    QString previous;
};

TEST_F(LinearInputCommands, ClicksAddCorrectAndPlaceStaticStones)
{
    ScopedDialogs dialogs;
    ASSERT_EQ(RWSGF->ReadSgf("(;B[dd];W[pd];B[dp];W[pp])"), 4);
    Form1->InitGame();
    key(Qt::Key_End);
    ASSERT_EQ(VGame->MoveNumber(), 4);

    // Edit moves mode: the last played move goes to the clicked point.
    click(10, 10);
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{10, 10}));
    EXPECT_EQ(stoneAt(10, 10), 2);
    EXPECT_EQ(stoneAt(16, 16), 0);
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    EXPECT_EQ(stoneAt(10, 10), 2); // replayed from the corrected list
    EXPECT_EQ(VGame->Game().Moves()[4].X, 10);

    // An occupied point is refused.
    click(4, 4);
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_EQ(dialogs.script.informationTexts()[0], "The clicked point (4,4) is already occupied");
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{10, 10}));

    // Add moves mode: a new move at the end, never in between.
    trigger("Addmovesmode1");
    click(3, 3);
    EXPECT_EQ(Reco.MoveCount, 5);
    EXPECT_EQ(Reco.MoveTable[5], (MoveRecord{3, 3}));
    EXPECT_EQ(stoneAt(3, 3), 1);
    EXPECT_EQ(VGame->MoveNumber(), 5);
    key(Qt::Key_Up);
    click(5, 5);
    EXPECT_EQ(dialogs.script.informationTexts().back(), "Could not input move in between the game sequence");
    EXPECT_EQ(Reco.MoveCount, 5);

    // At move 0 the Board menu's items add and delete static stones (the
    // Game menu's "Add moves mode" would take the click first).
    key(Qt::Key_Home);
    trigger("Editmovesmode1");
    trigger("AddBlackstone1");
    click(10, 3);
    click(11, 3);
    click(12, 3);
    ASSERT_EQ(Reco.SetupStones[1].Count, 3);
    EXPECT_EQ(stoneAt(11, 3), 1);
    trigger("DeleteStaticstone1");
    click(11, 3);
    ASSERT_EQ(Reco.SetupStones[1].Count, 2);
    EXPECT_EQ(Reco.SetupStones[1][1], (StonePoint{10, 3}));
    EXPECT_EQ(Reco.SetupStones[1][2], (StonePoint{12, 3}));
    EXPECT_EQ(stoneAt(11, 3), 0);
    EXPECT_EQ(dialogs.script.informationTexts().size(), 2);
}

TEST_F(LinearInputCommands, TypedGameIsSavedAndReadsBack)
{
    ScopedDialogs dialogs;
    startLinearInput([] {
        Options->rgNumMoves->setItemIndex(1); // "Manually"
        Options->seNumMoves->setValue(4);
        Options->cbSmartEnter->setChecked(false);
    });
    ASSERT_EQ(Reco.LinearInputState, 1);
    EXPECT_EQ(Form1->item("LinearInput1")->text(), "Stop Linear Input");
    EXPECT_TRUE(Form1->item("LinearInput1")->isChecked());
    EXPECT_EQ(VGame->windowTitle(), "LinearInput, Dia # 1 of 1");
    EXPECT_EQ(VGame->Game().Cursor(), (BoardPoint{2, 1}));

    key(Qt::Key_Down, Qt::NoModifier, 3);
    key(Qt::Key_Right, Qt::NoModifier, 2);
    key(Qt::Key_1);
    key(Qt::Key_Return); // 1 at (4,4), the cursor jumps on to (5,4)
    key(Qt::Key_Right, Qt::ControlModifier);
    key(Qt::Key_Right);
    key(Qt::Key_2);
    key(Qt::Key_Space); // 2 at (16,4)
    key(Qt::Key_Down, Qt::ControlModifier);
    key(Qt::Key_Down, Qt::NoModifier, 2);
    key(Qt::Key_Left);
    key(Qt::Key_3);
    key(Qt::Key_Enter, Qt::KeypadModifier); // 3 at (16,16)
    key(Qt::Key_Home);
    key(Qt::Key_Right, Qt::NoModifier, 3);
    key(Qt::Key_4);
    key(Qt::Key_Return); // 4 at (4,16)
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{4, 4}));
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{16, 4}));
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{16, 16}));
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{4, 16}));
    EXPECT_EQ(stoneAt(16, 4), 2);
    EXPECT_EQ(cell::number(VGame->Board()->Position().CellAt(16, 16)), 3);
    EXPECT_TRUE(dialogs.script.shown().empty()) << dialogs.script.texts().join("|").toStdString();

    const QString saved = dir.filePath("typed.QCR");
    dialogs.script.file(saved);
    trigger("QCRfile1");
    ASSERT_TRUE(QFile::exists(saved));

    trigger("LinearInput1"); // stop: the typed game is checked and shown
    EXPECT_EQ(Reco.LinearInputState, 0);
    EXPECT_EQ(Form1->item("LinearInput1")->text(), "Start Linear Input");
    EXPECT_EQ(Reco.GameEditEnabled, 1);

    resetTablesToStart();
    dialogs.script.file(saved);
    trigger("OpenQCRgame1");
    EXPECT_EQ(Reco.MoveCount, 4);
    EXPECT_EQ(Reco.MoveTable[1], (MoveRecord{4, 4}));
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{16, 4}));
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{16, 16}));
    EXPECT_EQ(Reco.MoveTable[4], (MoveRecord{4, 16}));
}

TEST_F(LinearInputCommands, DiagramSequenceOverAThreeDiagramGame)
{
    ScopedDialogs dialogs;
    startLinearInput([] {
        Options->SENdias->setValue(3);
        Options->seDiaNumMoves->setValue(100);
    });
    ASSERT_EQ(Reco.LinearInputState, 1);
    EXPECT_TRUE(Form1->item("NextDia1")->isEnabled());
    EXPECT_FALSE(Form1->item("PreviousDia1")->isEnabled());
    EXPECT_EQ(Options->seNDia->value(), 1);
    EXPECT_EQ(Reco.DiaLastMove, 100);

    trigger("NextDia1");
    EXPECT_EQ(Options->se1stMove->value(), 101);
    EXPECT_EQ(Reco.DiaFirstMove, 101);
    EXPECT_EQ(Reco.DiaNumberOffset, 100); // each diagram numbered from 1
    EXPECT_EQ(VGame->windowTitle(), "LinearInput, Dia # 2 of 3");
    EXPECT_TRUE(Form1->item("PreviousDia1")->isEnabled());
    trigger("NextDia1");
    EXPECT_EQ(Options->se1stMove->value(), 201);
    trigger("PreviousDia1");
    EXPECT_EQ(Options->se1stMove->value(), 101);
    EXPECT_EQ(Options->seNDia->value(), 2);
    trigger("NextDia1");
    EXPECT_EQ(Options->se1stMove->value(), 201);
    EXPECT_TRUE(dialogs.script.shown().empty());

    trigger("NextDia1");
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_EQ(dialogs.script.informationTexts()[0], "Game input has finished");
    EXPECT_EQ(Reco.LinearInputState, 0);
    EXPECT_FALSE(Form1->item("NextDia1")->isEnabled());
    EXPECT_FALSE(Form1->item("PreviousDia1")->isEnabled());
    EXPECT_EQ(Form1->item("LinearInput1")->text(), "Start Linear Input");
}

TEST_F(LinearInputCommands, CancelledOptionsAndNoDiagramsLeaveTheCommandsAsTheyWere)
{
    ScopedDialogs dialogs;
    QTimer::singleShot(0, Options, [] { Options->reject(); });
    trigger("LinearInput1");
    EXPECT_EQ(Reco.LinearInputState, 0);
    EXPECT_FALSE(Form1->item("LinearInput1")->isChecked());
    EXPECT_EQ(Form1->item("LinearInput1")->text(), "Start Linear Input");

    startLinearInput([] { Options->SENdias->setValue(0); });
    EXPECT_EQ(Reco.LinearInputState, 1);
    EXPECT_FALSE(Form1->item("NextDia1")->isEnabled());
    trigger("LinearInput1"); // nothing typed: no check runs
    EXPECT_EQ(Reco.LinearInputState, 0);
    EXPECT_EQ(Reco.GameEditEnabled, 0);
    EXPECT_TRUE(dialogs.script.shown().empty());
}

TEST_F(LinearInputCommands, EnterInReplayMovesTheCurrentMoveOntoTheTypedMovesPoint)
{
    ScopedDialogs dialogs;
    ASSERT_EQ(RWSGF->ReadSgf("(;B[dd];W[pd];B[dp];W[pp])"), 4);
    Form1->InitGame();
    Reco.GameEditEnabled = 1;
    key(Qt::Key_Down, Qt::NoModifier, 2);
    key(Qt::Key_9);
    key(Qt::Key_Return);
    ASSERT_EQ(dialogs.script.informationTexts(), QStringList{"Too big move"});
    key(Qt::Key_4);
    key(Qt::Key_Return); // move 2 goes where move 4 stands in the table
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{16, 16}));
    EXPECT_EQ(VGame->Game().Moves()[2].X, 16);
    EXPECT_EQ(VGame->MoveNumber(), 2);
    EXPECT_EQ(stoneAt(16, 16), 2);
    EXPECT_EQ(stoneAt(16, 4), 0);
    EXPECT_EQ(VGame->Game().Typed(), 0);
    EXPECT_EQ(VGame->Game().CheckInvariant(), "") << VGame->Game().Dump();
}

TEST_F(LinearInputCommands, GoToMoveNumberZeroShowsTheFinalPosition)
{
    ScopedDialogs dialogs;
    ASSERT_EQ(RWSGF->ReadSgf("(;B[dd];W[pd];B[dp];W[pp])"), 4);
    Form1->InitGame();
    auto answer = [](int n) {
        QTimer::singleShot(0, GoToMoveNumber, [n] {
            GoToMoveNumber->SetMoveNumber(n);
            GoToMoveNumber->OKButton->click();
        });
    };
    answer(2);
    trigger("GotoMoveNumber1");
    EXPECT_EQ(VGame->MoveNumber(), 2);
    EXPECT_EQ(stoneAt(16, 4), 2);
    EXPECT_EQ(stoneAt(4, 16), 0);
    answer(0);
    trigger("GotoMoveNumber1");
    EXPECT_EQ(VGame->MoveNumber(), 4);
    EXPECT_EQ(stoneAt(16, 16), 2);
}

} // namespace
