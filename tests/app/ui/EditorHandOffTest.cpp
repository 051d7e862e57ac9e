// AutoRecognition hands the game to the diagram editor when the options ask
// for it, also when the page could not be prepared.
#include "app/ui/MainWindow.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/FrmMainWindow.h"
#include "editor/ui/GoGridWidget.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"

#include "common/ui/AppFixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QSpinBox>

using namespace quon;

namespace {

class EditorHandOff : public test::AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
        Reco.DigitsPending = 0;
        // A blank page: nothing on it can be prepared.
        QImage blank(300, 300, QImage::Format_Mono);
        blank.fill(1);
        const QString page = QDir(startFolder()).filePath("blank.bmp");
        ASSERT_TRUE(blank.save(page, "BMP"));
        ASSERT_TRUE(Form1->openPageFile(page));
        Options->SENdias->setValue(1);
        Options->seNDia->setValue(1);
    }
};

TEST_F(EditorHandOff, AfterAFailedPreparationTheEditorShowsTheBoard)
{
    Options->CBAutoSendRecoDiatoSkarn->setChecked(true);
    Options->RGBoardSize->setItemIndex(1);
    Form1->AutoRecognition1->trigger();
    ASSERT_TRUE(Reco.CancelFlag);
    EXPECT_TRUE(FrmMain->isVisible());
    EXPECT_TRUE(FrmDgr->isVisible());
    EXPECT_EQ(FrmDgr->document().Width(), 13);
    EXPECT_EQ(FrmDgr->document().Grid.GetCell(12, 12).Element, ElemBottomRight);
}

TEST_F(EditorHandOff, WithoutTheOptionTheEditorStaysAway)
{
    Form1->AutoRecognition1->trigger();
    ASSERT_TRUE(Reco.CancelFlag);
    EXPECT_FALSE(FrmMain->isVisible());
    EXPECT_FALSE(FrmDgr->isVisible());
}

} // namespace
