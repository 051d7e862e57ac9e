// The windows that read each other's settings, joined in the running program.
#include "app/ui/MainWindow.h"
#include "common/ui/AppFixture.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/OptionsWindow.h"

#include <QAction>
#include <QCheckBox>

using namespace quon;

namespace {

class WindowLinksTest : public test::AppFixture {};

TEST_F(WindowLinksTest, TheRecordWriterReadsTheOptions)
{
    startProgram();
    Options->cbIRLog1->setChecked(false);
    Options->DEAutoSave->setText(dir.filePath("games"));
    EXPECT_FALSE(gameRecordSettings().InsertLogInComments);
    EXPECT_EQ(gameRecordSettings().AutoSaveFolder, dir.filePath("games"));
    Options->cbIRLog1->setChecked(true);
    EXPECT_TRUE(gameRecordSettings().InsertLogInComments);
}

TEST_F(WindowLinksTest, JumpsOverStonesIsOneSettingInTwoPlaces)
{
    startProgram();
    Options->cbJumpOverStones->setChecked(false);
    EXPECT_FALSE(Form1->Jumpsoverstones1->isChecked());
    Form1->Jumpsoverstones1->trigger();
    EXPECT_TRUE(Options->cbJumpOverStones->isChecked());
    EXPECT_TRUE(Form1->Jumpsoverstones1->isChecked());
}

} // namespace

#include "app/ui/Debug1Window.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "prepare/ui/Prepare3Window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

TEST_F(WindowLinksTest, TheProgressWindowIsThePreparationsHost)
{
    startProgram();
    PrepareHost& host = *Prepare3;
    host.showProgress(true);
    EXPECT_TRUE(Prepare3->isVisible());
    host.setLabel(2, "Looking for horizontal lines");
    EXPECT_EQ(Prepare3->Label2->text(), "Looking for horizontal lines");
    host.log("Time of: Preparing: 3");
    host.pointList("X = 1, Y = 1");
    EXPECT_EQ(Debug1->ListBox1->item(0)->text(), "Time of: Preparing: 3");
    EXPECT_EQ(Debug1->ListBox2->item(0)->text(), "X = 1, Y = 1");

    // Cancel only raises the flag; the next pump reports it.
    EXPECT_FALSE(host.pump());
    QTest::mouseClick(Prepare3->Button1, Qt::LeftButton);
    EXPECT_EQ(Reco.CancelFlag, 1);
    EXPECT_TRUE(host.pump());

    dialogs.script.yes();
    EXPECT_TRUE(host.ask("Too few (2) corners found. Continue recognizing?"));
    host.inform("No BoardRect0");
    EXPECT_EQ(dialogs.script.texts(),
              (QStringList{"Too few (2) corners found. Continue recognizing?", "No BoardRect0"}));
    host.showProgress(false);
    EXPECT_FALSE(Prepare3->isVisible());
}

} // namespace

#include "app/ui/ScanImageWindow.h"
#include "model/ui/RadioGroup.h"

#include <QDoubleSpinBox>

namespace {

TEST_F(WindowLinksTest, SetScanRegItemsChooseTheScanSet)
{
    startProgram();
    ScanImage->seTopSR->setValue(2.5); // set 1 is current
    Form1->item("SetScanReg21")->trigger();
    EXPECT_EQ(ScanImage->RGScanSet->itemIndex(), 1);
    ScanImage->seTopSR->setValue(4);
    Form1->item("SetScanReg11")->trigger();
    EXPECT_EQ(ScanImage->RGScanSet->itemIndex(), 0);
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 2.5);
    Form1->item("SetScanReg11")->trigger(); // the current set again
    EXPECT_EQ(ScanImage->RGScanSet->itemIndex(), 0);
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 2.5);
}

} // namespace
