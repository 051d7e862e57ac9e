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
