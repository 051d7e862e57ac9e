// The mouse on the page: corners pointed by hand, the rubber-band crop and
// the right-button probe, and the debug windows that list what was found.
#include "app/ui/Debug1Window.h"
#include "app/ui/GridBoard1Window.h"
#include "app/ui/Form3Window.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ManualPtWindow.h"
#include "app/ui/PageView.h"
#include "common/BmpBuilder.h"
#include "common/ui/AppFixture.h"
#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "recognize/BezierFigures.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace quon;
using namespace quon::test;

namespace {

class MouseOnPageTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
        Reco.DigitsPending = 0; // no digit set to load in these tests
        Form1->resize(800, 600);
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }

    // A page whose pixel (x, y) is black when (x / 10 + y / 7) is odd, so
    // that every crop shows where it was cut from.
    static bool patternInk(int x, int y) { return ((x / 10) + (y / 7)) % 2 == 1; }

    void openPatternPage(int w, int h)
    {
        std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (patternInk(x, y))
                    rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
        const QString path = dir.filePath("page.bmp");
        ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(BmpKind::Mono, rows)));
        dialogs.script.file(path);
        Form1->item("Open1")->trigger();
        ASSERT_EQ(Reco.ImageWidth, w);
        ASSERT_EQ(Reco.InkPolarity, 1);
    }

    PageView* view() const { return Form1->Image1; }
    void click(Qt::MouseButton b, QPoint p) { QTest::mouseClick(view(), b, {}, p); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view(), QPoint((from.x() + to.x()) / 2, (from.y() + to.y()) / 2));
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
    }
};

} // namespace

TEST_F(MouseOnPageTest, PointingTheFourCornersAtFiftyPercent)
{
    openPatternPage(1000, 800);
    Reco.DiagramWindow = {12, 12, 19, 19};
    Reco.GridPoints[12][12].Coord = {5, 5};
    Form1->item("N501")->trigger();
    Form1->ManualCornersPointing1->trigger();

    EXPECT_TRUE(Form1->ManualCornersPointing1->isChecked());
    EXPECT_EQ(Reco.CornerMode, 1);
    EXPECT_TRUE(ManualPt->isVisible());
    EXPECT_EQ(ManualPt->windowTitle(), "Manual Corners Pointing");
    EXPECT_EQ(ManualPt->Label1->text(), "Left Top Corner");
    EXPECT_EQ(ManualPt->Lbl2->text(), "Left Top Corner X=0   Y=0");
    EXPECT_EQ(ManualPt->Lbl8->text(), "Left Bottom Corner X=0   Y=0");
    EXPECT_EQ(Reco.GridPoints[12][12].Coord, (IntPoint{0, 0}));
    EXPECT_EQ(Reco.GridPoints[1][1].Est, 80);
    EXPECT_EQ(Reco.GridPoints[19][19].Est, 80);

    // The live position under the mouse.
    QTest::mouseMove(view(), QPoint(100, 40));
    EXPECT_EQ(ManualPt->Label2->text(), "X=200");
    EXPECT_EQ(ManualPt->Label3->text(), "Y=80");

    click(Qt::LeftButton, {100, 40});
    EXPECT_EQ(Reco.GridPoints[12][12].Coord, (IntPoint{200, 80}));
    EXPECT_EQ(ManualPt->Lbl2->text(), "Left Top Corner X=200 Y=80");
    EXPECT_EQ(ManualPt->Label1->text(), "Left Top Corner"); // no advance by itself

    // A right click moves on to the next corner (and probes nothing).
    click(Qt::RightButton, {10, 10});
    EXPECT_EQ(ManualPt->Label1->text(), "Right Top Corner");
    // The last pixel of the view is the page's last but one; past the view
    // the corner stops at the page's edge.
    click(Qt::LeftButton, {499, 0});
    EXPECT_EQ(Reco.GridPoints[19][12].Coord, (IntPoint{998, 0}));
    QTest::mouseClick(ManualPt->Button1, Qt::LeftButton); // Next
    EXPECT_EQ(ManualPt->Label1->text(), "Right Bottom Corner");
    QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(700, 650));
    EXPECT_EQ(Reco.GridPoints[19][19].Coord, (IntPoint{999, 799}));
    EXPECT_EQ(Reco.CurPointX, 19);
    EXPECT_EQ(Reco.CurPointY, 19);
    click(Qt::RightButton, {10, 10});
    click(Qt::LeftButton, {-20, 250});
    EXPECT_EQ(Reco.GridPoints[12][19].Coord, (IntPoint{0, 500}));
    EXPECT_EQ(ManualPt->Lbl8->text(), "Left Bottom Corner X=0 Y=500");
    click(Qt::RightButton, {10, 10});
    EXPECT_EQ(ManualPt->Label1->text(), "Left Top Corner");

    // Enough corners: Exit ends the pointing without a question.
    QTest::mouseClick(ManualPt->Button3, Qt::LeftButton);
    EXPECT_TRUE(dialogs.script.texts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
    EXPECT_EQ(Reco.CornerMode, 0);
    EXPECT_EQ(Reco.CornersPointed, 1);
    EXPECT_FALSE(ManualPt->isVisible());
    // The menu item stays checked, so the right button still probes nothing.
    EXPECT_TRUE(Form1->ManualCornersPointing1->isChecked());
    // A page left untouched by the pointing: nothing was cropped.
    EXPECT_EQ(Reco.ImageWidth, 1000);
}

TEST_F(MouseOnPageTest, TooFewCornersAskBeforeEnding)
{
    openPatternPage(600, 600);
    Reco.DiagramWindow = {1, 1, 19, 19};
    Form1->ManualCornersPointing1->trigger();
    click(Qt::LeftButton, {50, 60}); // Left Top only

    dialogs.script.no();
    QTest::mouseClick(ManualPt->Button3, Qt::LeftButton);
    EXPECT_EQ(dialogs.script.texts(), QStringList{"Too few corners pointed. Are you sure to exit?"});
    EXPECT_TRUE(ManualPt->isVisible());
    EXPECT_EQ(Reco.CornerMode, 1);

    // The title bar's close button asks the same; No keeps the window.
    dialogs.script.no();
    ManualPt->close();
    EXPECT_TRUE(ManualPt->isVisible());
    EXPECT_EQ(Reco.CornerMode, 1);
    dialogs.script.yes();
    ManualPt->close();
    EXPECT_FALSE(ManualPt->isVisible());
    EXPECT_EQ(Reco.CornerMode, 0);
    EXPECT_EQ(Reco.CornersPointed, 0);

    // Left Top and Right Bottom alone give every edge a coordinate.
    Form1->ManualCornersPointing1->trigger();
    click(Qt::LeftButton, {50, 60});
    ManualPt->NextClick();
    ManualPt->NextClick();
    click(Qt::LeftButton, {400, 420});
    ManualPt->close();
    EXPECT_EQ(Reco.CornersPointed, 1);
    EXPECT_EQ(Reco.CornerMode, 0);
    EXPECT_EQ(dialogs.script.texts().size(), 3);
}

TEST_F(MouseOnPageTest, PointingWithNoPageAndWithAWindowOffTheBoard)
{
    Reco.DiagramWindow = {1, 1, 19, 19};
    Form1->ManualCornersPointing1->trigger();
    // No page: nothing to map to, nothing stored.
    QTest::mouseMove(view(), QPoint(5, 5));
    click(Qt::LeftButton, {5, 5});
    EXPECT_EQ(Reco.GridPoints[1][1].Coord, (IntPoint{0, 0}));
    EXPECT_EQ(ManualPt->Label2->text(), "X=");
    ManualPt->hide();
    Reco.CornerMode = 0;

    // A diagram window off the board is a message and changes nothing.
    Reco.DiagramWindow = {0, 0, 0, 0};
    dialogs.script = ScriptedDialogs{};
    Form1->ManualCornersPointing1->trigger();
    EXPECT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_EQ(Reco.CornerMode, 0);
    EXPECT_FALSE(ManualPt->isVisible());
}

TEST_F(MouseOnPageTest, CropWithTheRubberBand)
{
    openPatternPage(1000, 800);
    int ended = 0;
    Form1->OnCropEnded = [&] { ++ended; };
    ASSERT_EQ(Reco.CropArmed, 1); // a proper new page arms the crop
    Form1->item("N501")->trigger();

    // The band follows the mouse while the left button is held.
    QTest::mousePress(view(), Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(view(), QPoint(110, 220));
    EXPECT_EQ(Reco.CropRect, (PixelRect{10, 20, 110, 220}));
    EXPECT_TRUE(view()->bandVisible());
    dialogs.script.yes();
    QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(110, 220));
    EXPECT_EQ(dialogs.script.texts(), QStringList{"Crop Image?"});
    EXPECT_EQ(Reco.ImageWidth, 200);
    EXPECT_EQ(Reco.ImageHeight, 400);
    EXPECT_EQ(view()->picture().size(), QSize(200, 400));
    EXPECT_EQ(Reco.PackedStride, 25);
    // The packed copy is the cut-out: page pixel (20, 40) is now (0, 0).
    for (int y = 0; y < 400; y += 13)
        for (int x = 0; x < 200; x += 3)
            ASSERT_EQ(GetPix(x, y), patternInk(x + 20, y + 40) ? 1 : 0) << x << "," << y;
    EXPECT_EQ(Reco.CropArmed, 0);
    EXPECT_EQ(Reco.CropRect, (PixelRect{}));
    EXPECT_FALSE(view()->bandVisible());
    EXPECT_EQ(ended, 1);
    // The view follows the cut page at the zoom in force.
    EXPECT_EQ(Form1->ShownWidth, 100);
    EXPECT_EQ(Form1->ShownHeight, 200);

    // Disarmed now: a drag asks nothing.
    dialogs.script = ScriptedDialogs{};
    drag({5, 5}, {50, 50});
    EXPECT_TRUE(dialogs.script.texts().isEmpty());
    EXPECT_EQ(Reco.ImageWidth, 200);
    EXPECT_EQ(ended, 1);
}

TEST_F(MouseOnPageTest, CropAnsweredNoEmptyOrPastTheEdges)
{
    openPatternPage(1000, 800);
    int ended = 0;
    Form1->OnCropEnded = [&] { ++ended; };
    Form1->item("N501")->trigger();

    // No: nothing is cut, but the crop is over.
    dialogs.script.no();
    drag({10, 20}, {110, 220});
    EXPECT_EQ(Reco.ImageWidth, 1000);
    EXPECT_EQ(Reco.CropArmed, 0);
    EXPECT_EQ(Reco.CropRect, (PixelRect{}));
    EXPECT_FALSE(view()->bandVisible());
    EXPECT_EQ(ended, 1);

    // A click without a drag: Yes cuts nothing, and still disarms.
    Form1->item("CropImage1")->trigger();
    EXPECT_EQ(Reco.CropArmed, 1);
    dialogs.script.yes();
    click(Qt::LeftButton, {30, 30});
    EXPECT_EQ(Reco.ImageWidth, 1000);
    EXPECT_EQ(Reco.ImageHeight, 800);
    EXPECT_EQ(Reco.CropArmed, 0);
    EXPECT_EQ(ended, 2);

    // Dragged up and left past the view's corner: the cut spans from the
    // press point and stops at the page's edges.
    Form1->item("CropImage1")->trigger();
    dialogs.script.yes();
    drag({300, 250}, {-50, -40});
    EXPECT_EQ(Reco.ImageWidth, 600);
    EXPECT_EQ(Reco.ImageHeight, 500);
    EXPECT_EQ(GetPix(0, 0), patternInk(0, 0) ? 1 : 0);
    EXPECT_EQ(GetPix(599, 499), patternInk(599, 499) ? 1 : 0);
    EXPECT_EQ(ended, 3);

    // Down and right past the view's far corner.
    Form1->item("CropImage1")->trigger();
    dialogs.script.yes();
    drag({100, 100}, {900, 900}); // the view is 300 x 250 now
    EXPECT_EQ(Reco.ImageWidth, 400);
    EXPECT_EQ(Reco.ImageHeight, 300);
    EXPECT_EQ(GetPix(0, 0), patternInk(200, 200) ? 1 : 0);
}

TEST_F(MouseOnPageTest, ALeftPressResetsTheBandEvenWhenNothingIsArmed)
{
    openPatternPage(600, 600);
    Reco.CropArmed = 0;
    QTest::mousePress(view(), Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(Reco.CropRect, (PixelRect{40, 30, 40, 30}));
    QTest::mouseMove(view(), QPoint(80, 90));
    EXPECT_EQ(Reco.CropRect, (PixelRect{40, 30, 40, 30})); // not armed: no band
    QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(80, 90));
    EXPECT_TRUE(dialogs.script.texts().isEmpty());
}

TEST_F(MouseOnPageTest, TheRecognitionLogIsTheDebugWindowsFirstList)
{
    RecoLog.add("Number of Moves: 12");
    RecoLog.add("Double move #7 (3,4)");
    ASSERT_EQ(Debug1->ListBox1->count(), 2);
    EXPECT_EQ(Debug1->ListBox1->item(0)->text(), "Number of Moves: 12");
    EXPECT_EQ(Debug1->ListBox1->item(1)->text(), "Double move #7 (3,4)");
    RecoLog.clear();
    RecoLog.add("Mistakes all: 0");
    ASSERT_EQ(Debug1->ListBox1->count(), 1);
    EXPECT_EQ(Debug1->ListBox1->item(0)->text(), "Mistakes all: 0");
    EXPECT_EQ(Debug1->windowTitle(), "Debug1");
    EXPECT_EQ(Debug1->Image1->size(), QSize(81, 81));
    EXPECT_EQ(Debug1->Image2->size(), QSize(16, 16));
}

TEST_F(MouseOnPageTest, SelectingAGridCellListsThePointsValues)
{
    resetGridForNewDiagram(false);
    BC& p = Reco.GridPoints[1][1];
    p.Coord = {120, 130};
    p.CoordC = {121, 129};
    p.Size = {30, 31};
    p.Est = 92;
    p.Typ = TypBlackNumbered;
    p.DenLine = 7;
    p.Estdig[1] = 3;
    p.Estdig[2] = -2;
    p.Estdig[3] = 100;
    Reco.GridPoints[3][5].Coord = {77, 88};

    QTableWidget* grid = GridBoard1->SGBoard1;
    EXPECT_EQ(grid->rowCount(), 19);
    EXPECT_EQ(grid->columnCount(), 19);
    EXPECT_EQ(grid->columnWidth(0), 24);
    GridBoard1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(GridBoard1));
    auto clickCell = [&](int row, int column) {
        const QRect r = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    };
    clickCell(0, 0);
    auto lines = [] {
        QStringList out;
        for (int i = 0; i < Debug1->ListBox2->count(); ++i)
            out << Debug1->ListBox2->item(i)->text();
        return out;
    };
    EXPECT_EQ(lines(), (QStringList{"X = 1, Y = 1", "Coord = 120,130", "CoordC = 121,129", "Size = 30,31", "Est = 92",
                                    "Typ = 1", "DenLine = 7", "DenLine1 = -1", "Denstone = -1", "Lsw = -1",
                                    "Estdig[1] = 3", "Estdig[2] = -2", "Estdig[3] = 100"}));
    EXPECT_EQ(Debug1->ListBox2->pos(), QPoint(5, 205));
    // Column 2, row 4 of the grid is the point (3, 5).
    clickCell(4, 2);
    ASSERT_GE(lines().size(), 2);
    EXPECT_EQ(lines()[0], "X = 3, Y = 5");
    EXPECT_EQ(lines()[1], "Coord = 77,88");
    // The debug switch is off, so the debug window stays hidden.
    EXPECT_FALSE(Debug1->isVisible());

    // Close All empties both lists.
    RecoLog.add("a line");
    Form1->item("Close1")->trigger();
    EXPECT_EQ(Debug1->ListBox1->count(), 0);
    EXPECT_EQ(Debug1->ListBox2->count(), 0);
}

TEST_F(MouseOnPageTest, TheRasterWindow)
{
    EXPECT_EQ(Form3->windowTitle(), "Form3");
    EXPECT_EQ(Form3->SGgame->rowCount(), 160);
    EXPECT_EQ(Form3->SGgame->columnCount(), 160);
    EXPECT_EQ(Form3->SGgame->columnWidth(5), 18);
    EXPECT_EQ(Form3->SGgame->rowHeight(5), 12);
    Form3->show();
    QTest::mouseClick(Form3->OK, Qt::LeftButton);
    EXPECT_FALSE(Form3->isVisible());
}

TEST_F(MouseOnPageTest, RightButtonReadsTheStoneUnderThePointer)
{
    // A black stone of 36 pixels at (100, 100) with a white 7 on it.
    const std::vector<std::string> seven = {"#######", "#######", ".....##", ".....##", "....##.",
                                            "....##.", "....##.", "...##..", "...##..", "...##..",
                                            "..##...", "..##...", "..##...", "..##...", "..##..."};
    std::vector<std::string> rows(600, std::string(600, '.'));
    for (int y = 82; y < 118; ++y)
        for (int x = 82; x < 118; ++x) {
            const double dx = (x - 99.5) / 18.0, dy = (y - 99.5) / 18.0;
            if (dx * dx + dy * dy <= 1.0)
                rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
        }
    for (size_t r = 0; r < seven.size(); ++r)
        for (size_t c = 0; c < seven[r].size(); ++c)
            if (seven[r][c] == '#')
                rows[93 + r][97 + c] = '.';
    const QString path = dir.filePath("stone.bmp");
    ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(BmpKind::Mono, rows)));
    dialogs.script.file(path);
    Form1->item("Open1")->trigger();
    ASSERT_EQ(Reco.ImageWidth, 600);
    ASSERT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.informationTexts().join("; ").toStdString();
    std::string error;
    ASSERT_TRUE(DigitPacket.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    Form1->item("N501")->trigger();

    Reco.CellPitchX = Reco.CellPitchY = 36;
    Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{3600, 3600};
    BC& p = Reco.GridPoints[3][2];
    p.Coord = p.CoordC = IntPoint{100, 100};
    p.Size = IntSize{36, 36};
    p.Typ = TypBlackNumbered;
    p.Est = 95;

    click(Qt::RightButton, {50, 50}); // page (100, 100)
    ASSERT_EQ(dialogs.script.informationTexts(), QStringList{"Npl= 7"});
    EXPECT_EQ(Reco.CurPointX, 3);
    EXPECT_EQ(Reco.CurPointY, 2);
    // The cells' bounds are strict: 18 pixels off the crossing is outside.
    click(Qt::RightButton, {59, 50}); // page (118, 100)
    EXPECT_EQ(dialogs.script.informationTexts().value(1), "Npl= ");
    DigitPacket.Clear();
}
