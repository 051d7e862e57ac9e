// The recognition commands in the running program: the correction dialog
// beside the stone with the board mark, AutoRecognition by Ctrl+R on a real
// corpus page ending with the game on the game window, and the two "Go to
// next" commands.
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramRecognitionHost.h"
#include "model/RecognitionLog.h"
#include "model/ui/Board.h"
#include "model/ui/MoveCorrection1Window.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"
#include "model/ui/VGameWindow.h"
#include "recognize/BezierFigures.h"
#include "recognize/GameAssembly.h"

#include "common/CorpusRun.h"
#include "common/ui/AppFixture.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

using namespace quon;

namespace {

// Preset texts per point.
class PresetReader : public StoneTextSource {
  public:
    std::map<std::pair<int, int>, std::string> texts;
    StoneReadResult read(int32_t mode) override
    {
        StoneReadResult r;
        if (mode != 0)
            return r;
        const auto it = texts.find({Reco.CurPointX, Reco.CurPointY});
        if (it == texts.end())
            return r;
        r.Text = it->second;
        r.Failure = isNumberText(r.Text) ? StoneReadFailure::None : StoneReadFailure::CutTooFew;
        for (char ch : r.Text)
            r.Digits.push_back(StoneDigit{ch - '0', false});
        return r;
    }
    bool readSplit(std::string& text) override
    {
        text.clear();
        return true;
    }
};

// Answers every correction dialog that comes up with `act`, until stopped.
class DialogAnswerer {
  public:
    explicit DialogAnswerer(std::function<void()> act) : act_(std::move(act))
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (MoveCorrection1 && MoveCorrection1->isVisible())
                act_();
        });
        timer_.start();
    }

  private:
    std::function<void()> act_;
    QTimer timer_;
};

class RecognitionCommands : public test::AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
    }
    void stone(int c, int r, const std::string& text)
    {
        BC& p = Reco.GridPoints[c][r];
        p.Typ = TypBlackNumbered;
        p.Est = 85;
        p.Coord = p.CoordC = IntPoint{c * 40, r * 40};
        reader.texts[{c, r}] = text;
    }
    PresetReader reader;
};

TEST_F(RecognitionCommands, CorrectionDialogStandsBesideTheMarkedStone)
{
    DiagramStart start;
    ProgramRecognitionHost host(*Form1);
    quon::NewDia(1, start, host, nullptr);
    for (int m = 1; m <= 30; ++m)
        if (m != 12 && m != 25)
            stone((m - 1) % 19 + 1, (m - 1) / 19 + 1, std::to_string(m));
    stone(15, 3, "eee");
    stone(4, 16, "eee");
    stone(16, 17, "eee");

    struct Seen {
        QPoint pos;
        QPoint expected;
        QRect frame;  // the dialog's frame as shown
        QRect screen; // the room the screen gives
        QStringList items;
        QString question;
        CellValue mark = 0;
    };
    std::vector<Seen> seen;
    int step = 0;
    DialogAnswerer answerer([&] {
        Seen s;
        s.pos = MoveCorrection1->pos();
        s.frame = MoveCorrection1->frameGeometry();
        s.screen = MoveCorrection1->screen()->availableGeometry();
        s.question = MoveCorrection1->Label1->text();
        for (int i = 0; i < MoveCorrection1->cbNoMove->count(); ++i)
            s.items << MoveCorrection1->cbNoMove->itemText(i);
        const int cols[] = {15, 4, 16}, rows[] = {3, 16, 17};
        const QPoint centre = VGame->Board()->GamePointCenter(cols[step], rows[step]);
        s.expected = QPoint(VGame->x() + centre.x() + 30, VGame->y() + centre.y() + 50);
        s.mark = VGame->Board()->GetPoint(cols[step], rows[step]);
        seen.push_back(s);
        switch (step++) {
        case 0:
            MoveCorrection1->RxSE1->setValue(25);
            QTest::mouseClick(MoveCorrection1->Button1, Qt::LeftButton);
            break;
        case 1:
            QTest::mouseClick(MoveCorrection1->Button3, Qt::LeftButton);
            break;
        default:
            QTest::mouseClick(MoveCorrection1->Button2, Qt::LeftButton);
        }
    });
    GameAssembly run(host, reader, OptionsSnapshot{});
    run.RecoFullGame();

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].question, "Bad move (15,3)=(2-5,3). Input correct number:");
    EXPECT_EQ(seen[1].question, "Bad move (4,16)=(4-4,4). Input correct number:");
    for (const Seen& s : seen) {
        // Beside the stone, moved only as far as keeps it on the screen.
        if (s.screen.contains(QRect(s.expected, s.frame.size())))
            EXPECT_EQ(s.pos, s.expected);
        else
            EXPECT_TRUE(s.screen.contains(s.frame)) << s.pos.x() << "," << s.pos.y();
        EXPECT_EQ(s.mark, TGameController::CorrectionMarker);
    }
    // The missed moves, the last first; an answered one leaves the list.
    EXPECT_EQ(seen[0].items, (QStringList{"25", "12"}));
    EXPECT_EQ(seen[1].items, (QStringList{"12"}));
    EXPECT_EQ(Reco.MoveTable[25], (MoveRecord{15, 3}));
    EXPECT_EQ(VGame->Game().Moves()[25].X, 15);
    // No mark is left, and the game stands at the first gap.
    EXPECT_EQ(VGame->Board()->GetPoint(4, 16), 0);
    EXPECT_EQ(VGame->MoveNumber(), 12);
    EXPECT_TRUE(VGame->isVisible());
    EXPECT_EQ(Reco.GameSaved, 0);
}

TEST_F(RecognitionCommands, ARecognisedCorpusPageExportsAsPictures)
{
    const std::filesystem::path page = std::filesystem::path(QUON_CORPUS_DIR) / "book" / "gooe_ag_fanhui_g1_c50_d1.bmp";
    if (!std::filesystem::exists(page))
        GTEST_SKIP() << "no corpus page at " << page;
    std::string error;
    ASSERT_TRUE(DigitPacket.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    ASSERT_TRUE(Form1->openPageFile(QString::fromStdString(page.string())));
    Options->SENdias->setValue(1);
    Options->seNDia->setValue(1);
    DialogAnswerer cancel([] { QTest::mouseClick(MoveCorrection1->Button2, Qt::LeftButton); });
    Form1->item("AutoRecognition1")->trigger();
    ASSERT_EQ(Reco.DiagramsDone, 1);

    // Each numbered point shows its last move.
    std::set<std::pair<int, int>> numbered;
    for (int m = 1; m <= Reco.MoveCount; ++m)
        if (isPlaced(Reco.MoveTable[m]))
            numbered.insert({Reco.MoveTable[m].X, Reco.MoveTable[m].Y});
    EXPECT_GE(numbered.size(), 47u);

    const QString emf = dir.filePath("page.emf"), svg = dir.filePath("page.svg"), bmp = dir.filePath("page.bmp");
    dialogs.script.file(emf).file(bmp);
    Form1->item("EMFfile1")->trigger();
    Form1->item("BMPfile1")->trigger();
    EXPECT_EQ(Reco.LastPictureFile, bmp.toStdString());
    const QImage picture(bmp);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.depth(), 1);

    const QString tool = QStandardPaths::findExecutable("emf2svg-conv");
    if (tool.isEmpty())
        GTEST_SKIP() << "emf2svg-conv is not installed (package emf2svg)";
    QProcess p;
    p.start(tool, {"-i", emf, "-o", svg});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString s = QString::fromUtf8(f.readAll());
    EXPECT_EQ(s.count("<text"), static_cast<qsizetype>(numbered.size()));
    EXPECT_TRUE(s.contains("[50]"));
}

TEST_F(RecognitionCommands, CtrlRReadsACorpusPageOntoTheGameWindow)
{
    const std::filesystem::path page = std::filesystem::path(QUON_CORPUS_DIR) / "book" / "gooe_ag_fanhui_g1_c50_d1.bmp";
    if (!std::filesystem::exists(page))
        GTEST_SKIP() << "no corpus page at " << page;
    std::string error;
    ASSERT_TRUE(DigitPacket.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    test::CorpusTruth truth;
    ASSERT_TRUE(test::readCorpusTruth(std::filesystem::path(page).replace_extension(".json").string(), truth, error));

    ASSERT_TRUE(Form1->openPageFile(QString::fromStdString(page.string())));
    EXPECT_TRUE(Form1->item("AutoRecognition1")->isEnabled());
    EXPECT_FALSE(Form1->item("Recognition1")->isEnabled());
    Options->SENdias->setValue(1);
    Options->seNDia->setValue(1);
    DialogAnswerer cancel([] { QTest::mouseClick(MoveCorrection1->Button2, Qt::LeftButton); });

    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(Form1, Qt::Key_R, Qt::ControlModifier);

    EXPECT_EQ(Options->seNDia->value(), 1);
    EXPECT_TRUE(Form1->item("Recognition1")->isEnabled());
    EXPECT_TRUE(VGame->isVisible());
    EXPECT_EQ(Reco.DiagramsDone, 1);
    // The game window holds every slot of the game and its closing node.
    EXPECT_EQ(VGame->Game().Moves().Size(), static_cast<size_t>(Reco.MoveCount) + 2);
    int right = 0;
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r)
            if (truth.numbered[c - 1][r - 1] && Reco.MoveTable[truth.number[c - 1][r - 1]] ==
                                                    MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)})
                ++right;
    // The level this page is read at now; it is to rise, not fall.
    EXPECT_GE(right, 47);
    const int32_t doubles = Reco.DoubleMoves.Count;
    EXPECT_EQ(Reco.MoveCount, 50);

    // Recognition again on the same diagram starts from the prepared grid:
    // its own stones are no double moves.
    Form1->item("Recognition1")->trigger();
    EXPECT_EQ(Reco.DoubleMoves.Count, doubles);
    EXPECT_EQ(Reco.MoveCount, 50);
}

TEST_F(RecognitionCommands, NothingToRecognizeWithoutAPage)
{
    Form1->AutoRecognition1->setEnabled(true);
    Form1->AutoRecognition1->trigger();
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"Nothing to recognize"});
    EXPECT_EQ(Reco.DiagramsDone, 0);
}

TEST_F(RecognitionCommands, APositionGoesOnTheGameWindowAsSetupStones)
{
    Reco.DiagramType = DiaPosition;
    Reco.GridPoints[4][4].Typ = TypBlackStatic;
    Reco.GridPoints[16][4].Typ = TypWhiteStatic;
    Reco.GridPoints[10][10].Typ = TypBlackNumbered;
    Form1->Recognition1->setEnabled(true);
    Form1->Recognition1->trigger();
    EXPECT_EQ(VGame->Board()->GetPoint(4, 4), 1);
    EXPECT_EQ(VGame->Board()->GetPoint(16, 4), 2);
    EXPECT_EQ(VGame->Board()->GetPoint(10, 10), 0);
    EXPECT_TRUE(VGame->isVisible());
    EXPECT_EQ(Reco.SetupStones[1].Count, 1);
    EXPECT_EQ(Reco.SetupStones[2].Count, 1);
    ASSERT_FALSE(RecoLog.lines().empty());
}

TEST_F(RecognitionCommands, CtrlRReadsALaterCorpusDiagramAsStonesAndMoves)
{
    // A later diagram read on its own: the stones of the earlier moves carry
    // no number and are the position, the numbered ones are the moves.
    const std::filesystem::path page =
        std::filesystem::path(QUON_CORPUS_DIR) / "book" / "gooebig_park_lee_2015_d50_d3.bmp";
    if (!std::filesystem::exists(page))
        GTEST_SKIP() << "no corpus page at " << page;
    std::string error;
    ASSERT_TRUE(DigitPacket.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    test::CorpusTruth truth;
    ASSERT_TRUE(test::readCorpusTruth(std::filesystem::path(page).replace_extension(".json").string(), truth, error));

    ASSERT_TRUE(Form1->openPageFile(QString::fromStdString(page.string())));
    Options->SENdias->setValue(1);
    Options->seNDia->setValue(1);
    Options->RGDiaType->button(2)->click();
    ASSERT_EQ(Reco.DiagramType, DiaStonesAndMoves);
    DialogAnswerer cancel([] { QTest::mouseClick(MoveCorrection1->Button2, Qt::LeftButton); });

    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(Form1, Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(VGame->isVisible());

    int plain = 0, setupRight = 0, setupWrong = 0, numbered = 0, movesRight = 0;
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r) {
            const int colour = truth.colour[c - 1][r - 1];
            int setup = 0;
            for (int k = 1; k <= 2; ++k)
                for (const StonePoint& s : Reco.SetupStones[k])
                    setup = s == StonePoint{c, r} ? k : setup;
            if (colour != 0 && !truth.numbered[c - 1][r - 1]) {
                ++plain;
                setupRight += setup == colour;
            } else if (setup != 0) {
                ++setupWrong;
            }
            if (truth.numbered[c - 1][r - 1]) {
                ++numbered;
                movesRight += Reco.MoveTable[truth.number[c - 1][r - 1]] ==
                              MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)};
            }
        }
    // The levels this page is read at now; they are to rise, not fall.
    EXPECT_GE(setupRight * 10, plain * 4) << setupRight << " of " << plain;
    EXPECT_LE(setupWrong, 5);
    EXPECT_GE(movesRight * 10, numbered * 8) << movesRight << " of " << numbered;
    // The game window starts from the setup stones.
    VGame->Game().StepBack(0);
    for (const StonePoint& s : Reco.SetupStones[1])
        EXPECT_EQ(VGame->Board()->GetPoint(s.X, s.Y), 1) << s.X << "," << s.Y;
}

TEST_F(RecognitionCommands, NextDoubleMoveAndNextMistake)
{
    Reco.DiagramType = DiaGameRecord;
    for (int m = 1; m <= 500; ++m)
        Reco.MoveTable[m] = EmptyMove;
    Reco.MoveTable[1] = MoveRecord{4, 4};
    Reco.MoveTable[2] = MoveRecord{16, 16};
    Reco.MoveTable[4] = MoveRecord{4, 16};
    Reco.MoveTable[5] = DoubleMove;
    Reco.MoveCount = 5;
    Form1->InitGame();
    Form1->GotonextMistake1Click();
    EXPECT_EQ(VGame->MoveNumber(), 3); // at the empty move 3
    Form1->GotonextDoublemove1Click();
    EXPECT_EQ(VGame->MoveNumber(), 5);
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
    Form1->GotonextDoublemove1Click();
    EXPECT_EQ(VGame->MoveNumber(), 0);
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"There are no double moves!"});
}

} // namespace
