// The main window's digit-set commands: loading at first activation, the
// reload of the default set and the load of a user's set.
#include "app/ui/App.h"
#include "app/ui/MainWindow.h"
#include "model/Recotypes.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Registry.h"
#include "recognize/BezierFigures.h"
#include "recognize/ui/DigitSetLoading.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using namespace quon;

namespace {

TBezPacket setOf(int figures, int digit)
{
    TBezPacket p;
    for (int i = 0; i < figures; ++i) {
        p.AddFigure();
        p.Figures[p.NFigs].Digit = digit;
        p.Figures[p.NFigs].Modif = i + 1;
        p.Figures[p.NFigs].NewCurve({{{10, 10}, {20, 20}, {30, 30}, {40, 40}}});
    }
    return p;
}

void writeSet(const QString& file, const TBezPacket& p)
{
    std::ofstream out(file.toStdString(), std::ios::binary);
    out << p.toBytes();
}

class DigitSetCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        oldCurrent_ = QDir::currentPath();
        Registry::setStorageFile(dir_.filePath("registry.ini"));
        QDir::setCurrent(dir_.path());
        resetTablesToStart();
        DigitPacket.Clear();
        App::createWindows();
        ASSERT_NE(Form1, nullptr);
        ASSERT_EQ(Reco.StartFolder, dir_.path().toStdString());
    }
    void TearDown() override
    {
        App::destroyWindows();
        DigitPacket.Clear();
        QDir::setCurrent(oldCurrent_);
    }
    QString file(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QString oldCurrent_;
};

} // namespace

TEST_F(DigitSetCommands, FirstActivationLoadsTheDefaultSetOnce)
{
    ScopedDialogs dialogs;
    ASSERT_EQ(Reco.DigitsPending, 1);
    Form1->show();
    QApplication::setActiveWindow(Form1);
    QTRY_VERIFY_WITH_TIMEOUT(Reco.DigitsPending == 0, 5000);
    // The program's own set (no Digits.BzP in the start folder).
    TBezPacket shipped;
    std::string error;
    ASSERT_TRUE(shipped.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    EXPECT_EQ(DigitPacket.NFigs, shipped.NFigs);
    EXPECT_GE(DigitPacket.NFigs, 10);
    EXPECT_TRUE(dialogs.script.shown().empty()) << dialogs.script.texts().join("\n").toStdString();

    // A later activation does not load again.
    DigitPacket.Clear();
    Form1->hide();
    Form1->show();
    QApplication::setActiveWindow(Form1);
    QTest::qWait(50);
    EXPECT_EQ(DigitPacket.NFigs, 0);
}

TEST_F(DigitSetCommands, ReloadTakesTheStartFolderFirst)
{
    ScopedDialogs dialogs;
    writeSet(file("Digits.BzP"), setOf(3, 5));
    Form1->item("ReloadDigits1")->trigger();
    EXPECT_EQ(DigitPacket.NFigs, 3);
    EXPECT_EQ(DigitPacket.Figures[2].Modif, 2);
    EXPECT_TRUE(dialogs.script.shown().empty());
}

TEST_F(DigitSetCommands, ABrokenDefaultSetIsReportedAndTheOldSetKept)
{
    ScopedDialogs dialogs;
    DigitPacket = setOf(2, 7);
    const std::string good = setOf(4, 1).toBytes();
    {
        std::ofstream out(file("Digits.BzP").toStdString(), std::ios::binary);
        out << good.substr(0, good.size() - 6);
    }
    Form1->item("ReloadDigits1")->trigger();
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    const QString text = dialogs.script.informationTexts().first();
    EXPECT_TRUE(text.contains("Digits.BzP")) << text.toStdString();
    EXPECT_TRUE(text.contains("ends inside figure 4")) << text.toStdString();
    EXPECT_EQ(DigitPacket.NFigs, 2);
    EXPECT_EQ(DigitPacket.Figures[1].Digit, 7);
}

TEST_F(DigitSetCommands, LoadUserSetAsksForABzPFile)
{
    writeSet(file("mine.BzP"), setOf(4, 3));
    writeSet(file("mine.bzp"), setOf(6, 3));
    writeSet(file("mine.Bez"), setOf(5, 3));
    {
        ScopedDialogs dialogs;
        dialogs.script.file(file("mine.BzP"));
        Form1->item("LoadSetofdigits1")->trigger();
        ASSERT_EQ(dialogs.script.fileDialogs.size(), 1u);
        EXPECT_EQ(dialogs.script.fileDialogs[0].defaultExt, "BzP");
        EXPECT_EQ(dialogs.script.fileDialogs[0].filter, "BzP files|*.BzP");
        EXPECT_EQ(DigitPacket.NFigs, 4);
        EXPECT_TRUE(dialogs.script.informationTexts().empty());
    }
    {
        // The extension in any letter case.
        ScopedDialogs dialogs;
        dialogs.script.file(file("mine.bzp"));
        Form1->item("LoadSetofdigits1")->trigger();
        EXPECT_TRUE(dialogs.script.informationTexts().empty());
        EXPECT_EQ(DigitPacket.NFigs, 6);
    }
    {
        ScopedDialogs dialogs;
        dialogs.script.file(file("mine.Bez"));
        Form1->item("LoadSetofdigits1")->trigger();
        EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"Wrong file format."});
        EXPECT_EQ(DigitPacket.NFigs, 6);
    }
    {
        ScopedDialogs dialogs;
        dialogs.script.cancel();
        Form1->item("LoadSetofdigits1")->trigger();
        EXPECT_TRUE(dialogs.script.informationTexts().empty());
        EXPECT_EQ(dialogs.script.unexpected(), 0);
        EXPECT_EQ(DigitPacket.NFigs, 6);
    }
}

TEST(DigitSetDialogs, SavingProposesTheSuffixTheLoaderAccepts)
{
    EXPECT_EQ(digitSetSaveDialog().defaultExt, "BzP");
    EXPECT_EQ(digitSetSaveDialog().filter, "Bezier curves Packet |*.BzP");
    EXPECT_EQ(digitSetOpenDialog().filter, "Bezier curves Packet |*.BzP|Bezier curve|*.Bez");
    EXPECT_EQ(withDefaultExtension("digits", digitSetSaveDialog().defaultExt), "digits.BzP");
}
