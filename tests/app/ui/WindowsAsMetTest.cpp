// The windows as a user meets them: typing into them, reading them whole,
// finding them on the screen, closing them by key, and being told when a
// command cannot do its work.
#include "app/ui/GridBoard1Window.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ManualPtWindow.h"
#include "app/ui/PageView.h"
#include "app/ui/RotateAngleWindow.h"
#include "app/ui/Scale1Window.h"
#include "app/ui/ScanImageWindow.h"
#include "common/BmpBuilder.h"
#include "common/ui/AppFixture.h"
#include "model/Recotypes.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/VGameWindow.h"
#include "prepare/ui/Prepare3Window.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace quon;
using namespace quon::test;

namespace {

class WindowsAsMetTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
        Reco.DigitsPending = 0;
        Reco.DiagramWindowSize = {2, 2};
        Form1->resize(700, 500);
        Form1->move(40, 30);
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }

    void openPage(int w, int h)
    {
        const QString path = dir.filePath("page.bmp");
        std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
        rows[1][2] = '#';
        ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(BmpKind::Mono, rows)));
        dialogs.script.file(path);
        Form1->item("Open1")->trigger();
        ASSERT_EQ(Reco.ImageWidth, w);
    }

    static int textWidth(const QWidget* w, const QString& text) { return w->fontMetrics().horizontalAdvance(text); }
};

} // namespace

TEST_F(WindowsAsMetTest, AnAngleIsTypedFromTheStartOfTheField)
{
    openPage(100, 150);
    dialogs.script = ScriptedDialogs{};
    int times = 0;
    const auto typeWhenShown = [&](const char* keys) {
        QTimer::singleShot(0, RotateAngle, [&, keys] {
            ++times;
            QTest::keyClicks(RotateAngle->SEAngle, keys); // nothing cleared or moved first
            QTest::keyClick(RotateAngle->SEAngle, Qt::Key_Return);
        });
    };
    typeWhenShown("90");
    Form1->item("ArbitraryCW")->trigger();
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("|").toStdString();
    EXPECT_EQ(Reco.ImageWidth, 150);
    // The last angle is shown again, and typing replaces it.
    typeWhenShown("90");
    Form1->item("ArbitraryCCW")->trigger();
    EXPECT_EQ(Reco.ImageWidth, 100);
    EXPECT_EQ(times, 2);
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
}

TEST_F(WindowsAsMetTest, TextsAndValuesShowWhole)
{
    // The progress label at the largest grid.
    const QString progress = "X = 19, Y = 19, NPts = 361";
    Prepare3->Label1->setText(progress);
    Prepare3->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Prepare3));
    EXPECT_GE(Prepare3->Label1->contentsRect().width(), textWidth(Prepare3->Label1, progress));
    Prepare3->hide();

    // Grid values in the columns of the grid-values view.
    GridBoard1->SGBoard1->horizontalHeader()->setDefaultSectionSize(40);
    GridBoard1->setCellText(3, 0, "44,1234");
    GridBoard1->setCellText(4, 0, "7");
    EXPECT_GE(GridBoard1->SGBoard1->columnWidth(3), textWidth(GridBoard1->SGBoard1, "44,1234") + 4);
    EXPECT_EQ(GridBoard1->SGBoard1->columnWidth(4), 40);

    // The narrow dialogs leave room for their captions.
    for (QWidget* dialog : {static_cast<QWidget*>(Scale1), static_cast<QWidget*>(RotateAngle)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_GT(dialog->minimumWidth(), textWidth(dialog, dialog->windowTitle() + " \u2014 Quon OCR"));
    }

    // The folder of automatic names shows from its start, and each "y"
    // label sits by its own field.
    Options->DEAutoSave->setText("/home/someone/scans/Go Games");
    Form1->item("Options2")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Options));
    Options->PageControl1->setCurrentWidget(Options->TabPhotocopier);
    QLineEdit* folder = Options->DEAutoSave->edit();
    EXPECT_GE(folder->width(), textWidth(folder, folder->text()));
    EXPECT_EQ(folder->cursorPosition(), 0);
    Options->PageControl1->setCurrentIndex(0);
    for (QSpinBox* field : {Options->SEstszBy, Options->SEstszWy}) {
        QWidget* page = field->parentWidget();
        QLabel* y = nullptr;
        for (QLabel* l : page->findChildren<QLabel*>())
            if (l->buddy() == field)
                y = l;
        ASSERT_NE(y, nullptr);
        Options->PageControl1->setCurrentWidget(page);
        QTest::qWait(0);
        const int labelRight = y->geometry().left() + textWidth(y, y->text());
        EXPECT_LT(field->geometry().left() - labelRight, 20);
    }
}

TEST_F(WindowsAsMetTest, WindowsOpenOnTheScreenAndThePointingWindowBesideThePage)
{
    const QRect screen = Form1->screen()->availableGeometry();
    Form1->move(screen.topLeft() + QPoint(10, screen.height() - 200)); // low on the screen
    QTest::qWait(0);
    const struct {
        const char* item;
        QWidget* window;
    } cases[] = {{"View2", VGame}, {"Info1", ExistGm}, {"Scanneroptions1", ScanImage}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.item);
        Form1->item(k.item)->trigger();
        EXPECT_TRUE(k.window->isVisible());
        // Wholly on the screen; one wider than the test screen starts at its left.
        QRect frame = k.window->frameGeometry();
        if (frame.width() > screen.width()) {
            EXPECT_EQ(frame.left(), screen.left());
            frame.setWidth(screen.width());
        }
        EXPECT_TRUE(screen.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                            << frame.height();
        k.window->hide();
    }
    Prepare3->show();
    EXPECT_TRUE(screen.contains(Prepare3->frameGeometry()));
    Prepare3->hide();

    // The pointing window leaves the corner to point free.
    Form1->move(screen.topLeft());
    Form1->resize(screen.size() - QSize(20, 40));
    openPage(400, 300);
    Reco.DiagramWindow = {12, 12, 19, 19};
    Form1->ManualCornersPointing1->trigger();
    ASSERT_TRUE(ManualPt->isVisible());
    for (int corner = 0; corner < 4; ++corner) {
        SCOPED_TRACE(ManualPt->Label1->text().toStdString());
        const int c = ManualPt->CurrentCorner;
        const QPoint at = Form1->Image1->mapToGlobal(QPoint(c == 4 || c == 6 ? Form1->ShownWidth - 1 : 0,
                                                            c == 6 || c == 8 ? Form1->ShownHeight - 1 : 0));
        EXPECT_FALSE(ManualPt->frameGeometry().contains(at));
        EXPECT_TRUE(screen.contains(ManualPt->frameGeometry()));
        ManualPt->NextClick();
    }
}

TEST_F(WindowsAsMetTest, EscapeClosesGameInfo)
{
    Form1->item("Info1")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ExistGm));
    ExistGm->activateWindow();
    QTest::keyClick(ExistGm->focusWidget() ? ExistGm->focusWidget() : ExistGm, Qt::Key_Escape);
    EXPECT_FALSE(ExistGm->isVisible());
}

TEST_F(WindowsAsMetTest, CommandsThatCannotWorkSaySo)
{
    // Save Image with no page writes nothing.
    Form1->item("Save1")->trigger();
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"There is no page to save."});
    EXPECT_TRUE(dialogs.script.fileDialogs.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.bmp", "*.BMP"}, QDir::Files).isEmpty());

    // The test platform starts no browser: the help file's place is told.
    dialogs.script = ScriptedDialogs{};
    Form1->item("Contents1")->trigger();
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_TRUE(dialogs.script.informationTexts()[0].contains("QuonOCR.html"));
}
