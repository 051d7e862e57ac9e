// Open SGF game and Open QCR game from the main menu, with every window of
// the program created as at start.
#include "app/ui/App.h"
#include "app/ui/MainWindow.h"
#include "model/Recotypes.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/VGameWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Registry.h"
#include "model/ui/Board.h"

#include "common/GoReplay.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace quon;

namespace {

class OpenGame : public testing::Test {
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
    }
    void TearDown() override
    {
        setGameRecordSettingsSource(nullptr);
        App::destroyWindows();
        QDir::setCurrent(previous);
        resetTablesToStart();
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    void trigger(const char* item) { Form1->item(item)->trigger(); }

    QTemporaryDir dir;
    QString previous;
};

TEST_F(OpenGame, SgfFileFillsTablesDialogAndGameWindow)
{
    const QString file = write("game.sgf", "(;PB[Kim]PW[Lee]RE[W+R];B[pd];W[dd];B[pq];W[dp])\r\n");
    Options->SENdias->setValue(0);
    Options->seNDia->setValue(5);
    ScopedDialogs dialogs;
    dialogs.script.file(file);
    trigger("OpenSGFgame1");
    ASSERT_EQ(dialogs.script.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.script.fileDialogs[0].filter, "SGF files|*.SGF|MGT files|*.MGT|All Files|*.*");
    EXPECT_EQ(dialogs.script.fileDialogs[0].defaultExt, "SGF");
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
    EXPECT_EQ(Reco.MoveCount, 4);
    EXPECT_EQ(Reco.MoveTable[3], (MoveRecord{16, 17}));
    EXPECT_EQ(Reco.MovesBefore, 4);
    EXPECT_EQ(Reco.DiagramsDone, 1);
    EXPECT_EQ(Reco.GameEditEnabled, 1);
    EXPECT_EQ(Options->seNDia->value(), 1);
    EXPECT_EQ(Options->seMoveCor->value(), 5); // the next diagram goes on after the game's moves
    EXPECT_EQ(ExistGm->EWhite->currentText(), "Lee");
    EXPECT_TRUE(VGame->isVisible());
}

TEST_F(OpenGame, AFailedReadStopsAfterItsMessageWithNothingChanged)
{
    Reco.SetupStones[1].add({4, 4}); // setup stones would let a 0-move read go on
    Reco.MoveTable[1] = MoveRecord{1, 1};
    Reco.MoveCount = 1;
    Reco.DiagramsDone = 7;
    const auto table = Reco.MoveTable;
    const QString broken = write("broken.sgf", "(;B[pd];W[dd]]");
    const QString tooLong = [&] {
        QByteArray s = "(;";
        for (int i = 0; i < 499; ++i)
            s += i % 2 ? ";W[aa]" : ";B[bb]";
        return write("long.sgf", s + ")");
    }();
    ScopedDialogs dialogs;
    dialogs.script.file(broken).file(tooLong).file(dir.filePath("absent.sgf"));
    trigger("OpenSGFgame1");
    trigger("OpenSGFgame1");
    trigger("OpenSGFgame1");
    const QStringList texts = dialogs.script.informationTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], "Cannot read the game record: Unexpected character \"]\" at line 1, column 14");
    EXPECT_EQ(texts[1], "Too many moves in the game ");
    EXPECT_TRUE(texts[2].startsWith("Cannot open \"")) << texts[2].toStdString();
    EXPECT_EQ(Reco.MoveTable, table);
    EXPECT_EQ(Reco.MoveCount, 1);
    EXPECT_EQ(Reco.SetupStones[1].Count, 1);
    EXPECT_EQ(Reco.DiagramsDone, 7);
    EXPECT_EQ(Reco.GameEditEnabled, 0);
    EXPECT_FALSE(VGame->isVisible());
}

// A file that is not a QCR record (an empty file left by a failed save, a
// text file) used to read as a record cut short with no moves and replaced
// the game on screen by nothing.
TEST_F(OpenGame, AFileThatIsNoQcrRecordIsRefusedAndTheGameStays)
{
    ScopedDialogs dialogs;
    ASSERT_EQ(RWSGF->ReadSgf("(;PB[Kim];B[pd];W[dd];B[pq])"), 3);
    Form1->InitGame();
    const auto table = Reco.MoveTable;
    const QString empty = write("empty.QCR", "");
    const QString text = write("notes.QCR", "Kim vs Lee, round 3\r\nWhite won by resignation.\r\n");
    const QString shortText = write("one.QCR", "x");
    dialogs.script.file(empty).file(text).file(shortText);
    trigger("OpenQCRgame1");
    trigger("OpenQCRgame1");
    trigger("OpenQCRgame1");
    const QStringList texts = dialogs.script.informationTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith("This is not a game record")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("This is not a QCR game record")) << texts[1].toStdString();
    EXPECT_FALSE(texts[2].isEmpty());
    EXPECT_EQ(Reco.MoveTable, table);
    EXPECT_EQ(Reco.MoveCount, 3);
    EXPECT_EQ(ExistGm->EBlack->currentText(), "Kim");
    EXPECT_EQ(gameMoveList().size(), 3u); // the game window keeps its game
}

TEST_F(OpenGame, CancelChangesNothingUnlessSetupStonesAreThere)
{
    ScopedDialogs dialogs;
    dialogs.script.cancel().cancel();
    trigger("OpenQCRgame1");
    EXPECT_EQ(Reco.DiagramsDone, 0);
    EXPECT_FALSE(VGame->isVisible());
    Reco.SetupStones[2].add({3, 3});
    Reco.DiagramType = DiaPosition;
    trigger("OpenQCRgame1");
    EXPECT_EQ(Reco.DiagramsDone, 1);
    EXPECT_TRUE(VGame->isVisible());
}

TEST_F(OpenGame, QcrFileSavedByTheProgramOpensAgain)
{
    ScopedDialogs dialogs;
    ASSERT_GT(RWSGF->ReadSgf("(;PB[Kim]HA[2]AB[dd][pp];W[qd];B[dq];W[oc])"), 0);
    // A game record is saved from the game window's move list.
    Form1->InitGame();
    const QString saved = dir.filePath("kim.QCR");
    dialogs.script.file(saved);
    trigger("QCRfile1");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(GameFileQueue, QStringList{saved});

    resetTablesToStart();
    ExistGm->EBlack->setEditText("someone");
    ExistGm->seHandicap->setValue(0);
    dialogs.script.file(saved);
    trigger("OpenQCRgame1");
    EXPECT_EQ(dialogs.script.fileDialogs.back().filter, "QCR files|*.QCR|All Files|*.*");
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
    EXPECT_EQ(Reco.MoveCount, 4);
    EXPECT_EQ(Reco.MoveTable[1], EmptyMove);
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{17, 4}));
    EXPECT_EQ(Reco.SetupStones[1].Count, 2);
    EXPECT_EQ(ExistGm->EBlack->currentText(), "Kim");
    EXPECT_EQ(ExistGm->seHandicap->value(), 2);

    // The same file opened as SGF is no game record.
    dialogs.script.file(saved);
    trigger("OpenSGFgame1");
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_TRUE(dialogs.script.informationTexts()[0].startsWith("Cannot read the game record"));
    EXPECT_EQ(Reco.MoveCount, 4);
}

// A corpus game opened from the menu and replayed with the keys of the game
// window, handicap stones included, against an independent replay.
TEST_F(OpenGame, CorpusGameReplaysInTheGameWindowLikeTheRecord)
{
    const QString file = QString::fromUtf8(QUON_CORPUS_DIR) + "/games/yasui_dosaku_1696_h2.sgf";
    if (!QFile::exists(file))
        GTEST_SKIP() << "no corpus game at " << file.toStdString();
    ScopedDialogs dialogs;
    dialogs.script.file(file);
    trigger("OpenSGFgame1");
    ASSERT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.informationTexts().join("; ").toStdString();
    ASSERT_TRUE(VGame->isVisible());
    ASSERT_GT(Reco.MoveCount, 100);
    EXPECT_EQ(VGame->MoveNumber(), 1); // opening shows the first move

    test::ReferenceGo go;
    for (int c = 1; c <= 2; ++c)
        for (const StonePoint& s : Reco.SetupStones[c])
            go.play(s.X, s.Y, c);
    std::vector<std::string> positions{go.grid()};
    for (int m = 1; m <= Reco.MoveCount; ++m) {
        go.play(Reco.MoveTable[m].X, Reco.MoveTable[m].Y, moveColour(m));
        positions.push_back(go.grid());
    }
    auto shown = [] { return test::stoneGrid(VGame->Board()->Position()); };
    EXPECT_EQ(test::firstDifference(positions[1], shown()), "");
    QTest::keyClick(VGame, Qt::Key_End);
    ASSERT_EQ(VGame->MoveNumber(), Reco.MoveCount);
    EXPECT_EQ(test::firstDifference(positions[Reco.MoveCount], shown()), "");
    QTest::keyClick(VGame, Qt::Key_Home);
    EXPECT_EQ(test::firstDifference(positions[0], shown()), "");
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(VGame, Qt::Key_Right);
    QTest::keyClick(VGame, Qt::Key_Down);
    EXPECT_EQ(test::firstDifference(positions[81], shown()), "");
    QTest::keyClick(VGame, Qt::Key_Up);
    QTest::keyClick(VGame, Qt::Key_Left);
    EXPECT_EQ(test::firstDifference(positions[70], shown()), "");
    EXPECT_EQ(VGame->Game().CheckInvariant(), "");
    // Saving writes the moves of the window: the whole game.
    EXPECT_EQ(gameMoveList().size(), static_cast<size_t>(Reco.MoveCount));
}

} // namespace
