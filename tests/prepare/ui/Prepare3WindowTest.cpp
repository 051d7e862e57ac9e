// The progress window running a preparation in the program: Cancel pressed
// while it runs, the modality, and a failure's message.
#include "app/ui/MainWindow.h"
#include "common/BoardDrawing.h"
#include "common/TestPage.h"
#include "common/ui/AppFixture.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "prepare/PrepareEngine.h"
#include "prepare/ui/Prepare3Window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace quon;

namespace {

class Prepare3Test : public test::AppFixture {
  protected:
    void startDiagram(const test::MonoPage& page)
    {
        startProgram();
        test::installWholeBoardPage(page);
        Reco.CancelFlag = 0;
        Form1->Recognition1->setEnabled(false);
    }
};

TEST_F(Prepare3Test, CancelDuringTheEmptyPointPassesEndsTheRun)
{
    test::BoardStyle style;
    style.pitchX = 46;
    startDiagram(test::drawBoard(style));
    bool modalWhileRunning = false;
    // The click waits in the event queue until the run's first pump.
    QTimer::singleShot(0, Prepare3, [&] {
        modalWhileRunning = Prepare3->isVisible() && QApplication::activeModalWidget() == Prepare3;
        QTest::mouseClick(Prepare3->Button1, Qt::LeftButton);
    });
    EXPECT_TRUE(Prepare3->PrepareDiagram());
    EXPECT_TRUE(modalWhileRunning);
    EXPECT_EQ(Reco.CancelFlag, 1);
    EXPECT_FALSE(Prepare3->isVisible());
    EXPECT_TRUE(Form1->Recognition1->isEnabled());
    EXPECT_EQ(Prepare3->windowTitle(), "Preparing Progress");
    EXPECT_EQ(Prepare3->Label2->text(), "Looking for empty points");
    EXPECT_EQ(Prepare3->Label1->text(), "Line = 1");
    EXPECT_EQ(Reco.GridPoints[10][2].Typ, TypUndecided);
    EXPECT_TRUE(dialogs.script.texts().isEmpty());
}

TEST_F(Prepare3Test, FailureShowsTheMessageAndLeavesRecognitionOff)
{
    startDiagram(test::blankPage(900, 900));
    Options->seNDia->setValue(3);
    EXPECT_FALSE(Prepare3->PrepareDiagram());
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{QString::fromStdString(linemsg::NoLines)});
    EXPECT_EQ(Options->seNDia->value(), 2);
    EXPECT_FALSE(Form1->Recognition1->isEnabled());
    // The window stays up, as the run left it, but blocks nothing.
    EXPECT_TRUE(Prepare3->isVisible());
    EXPECT_EQ(Prepare3->windowModality(), Qt::NonModal);
    EXPECT_EQ(Prepare3->Label2->text(), "Looking for horizontal lines");
}

} // namespace
