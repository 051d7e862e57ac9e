// The game-information dialog with its history lists, and the record
// reader and writer of TRWSGF as the user meets them.
#include "model/GameRecordWriter.h"
#include "model/QcrFormat.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/RWSGFWindow.h"
#include "platform/ui/Dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quon;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

void writeText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class GameRecordWindows : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        resetTablesToStart();
        RecoLog.clear();
        GameFileQueue.clear();
        Reco.StartFolder = dir.path().toStdString();
        setGameRecordSettingsSource([this] { return settings; });
    }
    void TearDown() override
    {
        ExistGm = nullptr;
        RWSGF = nullptr;
        setGameRecordSettingsSource(nullptr);
        resetTablesToStart();
    }
    // The dialog and the record window as globals, as the program has them.
    void makeWindows()
    {
        info = std::make_unique<TExistGm>();
        rw = std::make_unique<TRWSGF>();
        ExistGm = info.get();
        RWSGF = rw.get();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    GameRecordSettings settings{QString(), false};
    std::unique_ptr<TExistGm> info;
    std::unique_ptr<TRWSGF> rw;
};

TEST_F(GameRecordWindows, HistoryListsSurviveARestart)
{
    writeText(path("ProNames.txt"), "Zed\r\nadam\nMia\n");
    writeText(path("ProTourns.txt"), "Kisei\n");
    makeWindows();
    EXPECT_EQ(items(info->EBlack), (QStringList{"adam", "Mia", "Zed"}));
    EXPECT_EQ(items(info->EWhite), (QStringList{"adam", "Mia", "Zed"}));
    EXPECT_EQ(info->ePlace->count(), 0); // its file is missing

    ScopedDialogs dialogs;
    dialogs.script.cancel(); // the save dialog of "Save Game"
    info->EBlack->setEditText("Lee");
    info->EWhite->setEditText("lee");
    info->eTourn->setEditText("Kisei");
    info->ePlace->setEditText("Seoul");
    info->eRound->setEditText("   ");
    info->show();
    QTest::mouseClick(info->Button1, Qt::LeftButton);
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(dialogs.script.shown().size(), 1u);
    // New names go to the top of both player lists, compared case-sensitively.
    EXPECT_EQ(items(info->EBlack), (QStringList{"lee", "Lee", "adam", "Mia", "Zed"}));
    EXPECT_EQ(items(info->EWhite), (QStringList{"lee", "Lee", "adam", "Mia", "Zed"}));
    EXPECT_EQ(info->EBlack->currentText(), "Lee");
    EXPECT_EQ(info->EWhite->currentText(), "lee");
    EXPECT_EQ(items(info->eTourn), QStringList{"Kisei"});
    EXPECT_EQ(items(info->ePlace), QStringList{"Seoul"});
    EXPECT_EQ(info->eRound->count(), 0); // blanks are no history

    info->FormDestroy();
    EXPECT_EQ(readBytes(path("ProPlaces.txt")), "Seoul\n");
    EXPECT_TRUE(QFile::exists(path("ProRounds.txt")));
    info = std::make_unique<TExistGm>();
    EXPECT_EQ(items(info->EWhite), (QStringList{"adam", "lee", "Lee", "Mia", "Zed"}));
    EXPECT_EQ(items(info->ePlace), QStringList{"Seoul"});
}

// A Latin-1 history file used to come back with U+FFFD in place of its
// letters, and a CR CR LF line kept a CR in its entry.
TEST_F(GameRecordWindows, HistoryListsKeepTheirBytesAndEncodings)
{
    writeText(path("ProNames.txt"), "M\xFCller\r\r\nK\xC3\xB6nig\r\nZed\r\n");
    makeWindows();
    EXPECT_EQ(items(info->EBlack), (QStringList{QString::fromUtf8("K\xC3\xB6nig"), QString::fromUtf8("M\xC3\xBCller"), "Zed"}));
    ScopedDialogs dialogs;
    dialogs.script.cancel();
    info->EBlack->setEditText(QString::fromUtf8("\xC3\x85sa"));
    QTest::mouseClick(info->Button1, Qt::LeftButton);
    info->FormDestroy();
    // The names read come back byte for byte; the new one is UTF-8.
    EXPECT_EQ(readBytes(path("ProNames.txt")), QByteArray("\xC3\x85sa\nK\xC3\xB6nig\nM\xFCller\nZed\n"));
}

TEST_F(GameRecordWindows, SaveGameComposesTheGameTime)
{
    makeWindows();
    ScopedDialogs dialogs;
    dialogs.script.cancel().cancel();
    info->seWGameTimeH->setValue(1);
    info->seWGameTimeM->setValue(5);
    info->seBGameTimeH->setValue(0);
    info->seBGameTimeM->setValue(0);
    QTest::mouseClick(info->Button1, Qt::LeftButton);
    EXPECT_EQ(info->eGameTime->text(), "W: 1. 5, B: 0. 0");
    info->seWGameTimeH->setValue(0);
    info->seWGameTimeM->setValue(0);
    QTest::mouseClick(info->Button1, Qt::LeftButton);
    EXPECT_EQ(info->eGameTime->text(), "");
}

TEST_F(GameRecordWindows, MinuteEditRefusesASecondDigitPast59)
{
    makeWindows();
    info->show();
    QLineEdit* line = info->seWGameTimeM->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    QTest::keyClicks(line, "65");
    info->seWGameTimeM->interpretText();
    EXPECT_EQ(info->seWGameTimeM->value(), 6);
}

TEST_F(GameRecordWindows, ReadFillsTablesAndDialogOrChangesNothing)
{
    makeWindows();
    ScopedDialogs dialogs;
    EXPECT_EQ(RWSGF->ReadSgf("(;PB[Kim]HA[2]AB[dd][pp];W[qd];B[dq])"), 3);
    EXPECT_EQ(info->EBlack->currentText(), "Kim");
    EXPECT_EQ(info->seHandicap->value(), 2);
    EXPECT_EQ(Reco.SetupStones[1].Count, 2);
    EXPECT_EQ(Reco.MoveTable[2], (MoveRecord{17, 4}));
    EXPECT_TRUE(dialogs.script.shown().empty());

    const auto tableBefore = Reco.MoveTable;
    for (const char* broken : {"(;PB[Lee];B[pd];W[dd]%)", "(;PB[Lee]AB[zz];B[pd])"}) {
        EXPECT_EQ(RWSGF->ReadSgf(broken), TRWSGF::ReadFailed);
        EXPECT_EQ(Reco.MoveTable, tableBefore);
        EXPECT_EQ(Reco.MoveCount, 3);
        EXPECT_EQ(Reco.SetupStones[1].Count, 2);
        EXPECT_EQ(info->EBlack->currentText(), "Kim");
    }
    EXPECT_EQ(dialogs.script.informationTexts(),
              (QStringList{"Cannot read the game record: Unexpected character \"%\" at line 1, column 22",
                           "Game - Bad! Move No 0"}));

    // Repairs are said once, after a read that succeeded.
    std::string many = "(;AB";
    for (int i = 0; i < 101; ++i)
        many += std::string("[") + static_cast<char>('a' + i % 19) + static_cast<char>('a' + i / 19) + "]";
    EXPECT_EQ(RWSGF->ReadSgf(many + ")"), 0);
    EXPECT_EQ(Reco.SetupStones[1].Count, 100);
    EXPECT_EQ(dialogs.script.informationTexts().size(), 3);
}

TEST_F(GameRecordWindows, WriteGameRecordSavesQueuesAndAsksForTheFinalName)
{
    makeWindows();
    RWSGF->ReadSgf("(;EV[Cup]PB[Kim]PW[Lee];B[pd];W[dd];B[pp])");
    Reco.GameSaved = 0;
    RecoLog.add("Number of Moves: 3");
    settings.InsertLogInComments = true;
    // An older "a.b.QCR" is what the save will replace, so that is the name asked about.
    writeText(path("a.b.QCR"), "old");
    {
        ScopedDialogs dialogs;
        dialogs.script.file(path("a.b.sgf")).yes();
        EXPECT_TRUE(RWSGF->WriteGameRecord());
        EXPECT_EQ(dialogs.script.texts(), QStringList{"Do you really want to rewrite a.b.QCR?"});
        EXPECT_EQ(dialogs.script.fileDialogs.at(0).filter, "QCR files|*.QCR|All Files|*.*");
        EXPECT_EQ(dialogs.script.fileDialogs.at(0).defaultExt, "QCR");
    }
    const QString saved = QFileInfo(path("a.b.QCR")).absoluteFilePath();
    const QByteArray bytes = readBytes(saved);
    const std::string text = UnscrambleQcr(bytes.toStdString());
    EXPECT_EQ(text.substr(0, 10), "Cup]\r\nRO[]");
    EXPECT_NE(text.find("\r\nB[pd];W[dd];B[pp]\r\nC[Quon OCR Recognition Log:\r\nNumber of Moves: 3\r\n]\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(Reco.GameSaved, 1);
    EXPECT_EQ(GameFileQueue, QStringList{saved});

    // The same file again: listed once. A No leaves the file alone.
    {
        ScopedDialogs dialogs;
        dialogs.script.file(path("a.b.QCR")).yes().file(path("a.b.txt")).no().cancel();
        EXPECT_TRUE(RWSGF->WriteGameRecord());
        EXPECT_FALSE(RWSGF->WriteGameRecord());
        EXPECT_FALSE(RWSGF->WriteGameRecord());
        EXPECT_TRUE(dialogs.script.scriptDone());
    }
    EXPECT_EQ(GameFileQueue, QStringList{saved});
    EXPECT_EQ(readBytes(saved), bytes);
    EXPECT_FALSE(QFile::exists(path("a.b.txt")));
}

TEST_F(GameRecordWindows, AFailedWriteKeepsTheGameUnsavedAndUnqueued)
{
    makeWindows();
    Reco.GameSaved = 0;
    ScopedDialogs dialogs;
    dialogs.script.file(path("missing/folder/game"));
    EXPECT_FALSE(RWSGF->WriteGameRecord());
    EXPECT_EQ(Reco.GameSaved, 0);
    EXPECT_TRUE(GameFileQueue.isEmpty());
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_TRUE(dialogs.script.informationTexts()[0].startsWith("Cannot save the game record"));
}

} // namespace
