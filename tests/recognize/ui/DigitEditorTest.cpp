// The digit-template editor as a user meets it: handles dragged with the
// mouse, points typed, figures chosen, the preview against the reader's own
// rendering, and an edited set saved, loaded again and read by the matcher.
#include "app/ui/Form3Window.h"
#include "app/ui/MainWindow.h"
#include "common/ui/AppFixture.h"
#include "recognize/BezierFigures.h"
#include "recognize/DigitMatching.h"
#include "recognize/TemplateEditing.h"
#include "recognize/ui/BezForm1Window.h"
#include "recognize/ui/FInfoWindow.h"
#include "recognize/ui/FOptionsWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

using namespace quon;

namespace {

const QString DefaultSet = QStringLiteral(QUON_DATA_DIR "/Digits.BzP");

class DigitEditorTest : public test::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        DigitPacket.Clear();
        startProgram();
        BezForm1->show();
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        DigitPacket.Clear();
    }

    void menu(const char* m, const char* entry)
    {
        QAction* a = BezForm1->action(m, entry);
        ASSERT_NE(a, nullptr) << m << " > " << entry;
        a->trigger();
    }
    // Types points into the fields, from field `first` on.
    void setFields(std::initializer_list<std::pair<int, int>> points, int first = 0)
    {
        int i = first;
        for (auto [x, y] : points) {
            BezForm1->Ex[i]->setValue(x);
            BezForm1->Ey[i]->setValue(y);
            ++i;
        }
    }
    IntPoint point(int curve, int index) const
    {
        const TBezFigure& f = DigitPacket.Figures[DigitPacket.CurFig];
        return f.Curves[curve].ArcPoints[index];
    }
    QPoint fields(int i) const
    {
        return {static_cast<int>(BezForm1->Ex[i]->value()), static_cast<int>(BezForm1->Ey[i]->value())};
    }
    void drag(QPoint from, QPoint to, const std::function<void()>& during = {})
    {
        QWidget* image = BezForm1->Image1;
        QTest::mousePress(image, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), image->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(image, &move);
        if (during)
            during();
        QTest::mouseRelease(image, Qt::LeftButton, {}, to);
    }
};

TEST_F(DigitEditorTest, DraggingMovesThePointAtOnceAndTheFieldsFollowOnRelease)
{
    menu("File", "New");
    // The start values of the fields make the first arc: handles at
    // (125,550), (175,550), (50,300), (300,300).
    menu("Arc", "Add Arc");
    ASSERT_TRUE(hasCurrentArc(DigitPacket));
    EXPECT_EQ(point(1, 2), (IntPoint{50, 300}));

    drag({52, 298}, {100, 250}, [&] {
        EXPECT_EQ(point(1, 2), (IntPoint{100, 250}));
        EXPECT_EQ(BezForm1->draggedHandle(), 2);
        EXPECT_EQ(fields(2), QPoint(0, 50)); // not yet
    });
    EXPECT_EQ(fields(2), QPoint(20, 40));
    EXPECT_EQ(BezForm1->draggedHandle(), 4);

    // With "Exact coordinates" the fields follow the drag itself.
    FOptions->CBExactCoord1->setChecked(true);
    drag({300, 300}, {275, 350}, [&] { EXPECT_EQ(fields(3), QPoint(90, 60)); });
    EXPECT_EQ(point(1, 3), (IntPoint{275, 350}));

    // A press away from every handle drags nothing.
    drag({200, 100}, {210, 110});
    EXPECT_EQ(point(1, 0), (IntPoint{125, 550}));
    EXPECT_EQ(point(1, 1), (IntPoint{175, 550}));
}

TEST_F(DigitEditorTest, TypedPointsMoveTheArcButTheProgramsOwnWritesDoNot)
{
    menu("File", "New");
    menu("Arc", "Add Arc");
    menu("Arc", "Add Arc"); // arc 2, from the fields as they are
    ASSERT_EQ(DigitPacket.Figures[1].Curves[1].NArcs, 2);

    // Typing into Ex2 moves handle 2 and point 3 + 2 of the curve.
    QLineEdit* edit = BezForm1->Ex[2]->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, "60");
    EXPECT_EQ(point(1, 5).X, 200);
    EXPECT_EQ(DragHandles[2].X, 200);

    // Choosing arc 1 writes its points into the fields and moves nothing.
    const auto before = DigitPacket.Figures[1].Curves[1].ArcPoints;
    BezForm1->EArcNo->setValue(1);
    EXPECT_EQ(fields(0), QPoint(30, 100));
    EXPECT_EQ(DigitPacket.Figures[1].Curves[1].ArcPoints, before);

    // The arc selector keeps within its limits.
    BezForm1->EArcNo->setValue(7);
    EXPECT_EQ(BezForm1->EArcNo->value(), 2);
}

TEST_F(DigitEditorTest, ChoosingAFigureShowsItsDigitAsItsName)
{
    dialogs.script.file(DefaultSet);
    menu("File", "Open");
    ASSERT_GT(DigitPacket.NFigs, 3);
    EXPECT_EQ(BezForm1->EFigNo->maximum(), DigitPacket.NFigs);
    EXPECT_EQ(BezForm1->EFigNo->value(), 1);

    BezForm1->EFigNo->setValue(4);
    const TBezFigure& f = DigitPacket.Figures[4];
    EXPECT_EQ(DigitPacket.CurFig, 4);
    EXPECT_EQ(BezForm1->ESName->text(), QString::number(f.Digit));
    EXPECT_EQ(f.Name, std::to_string(f.Digit));
    EXPECT_EQ(BezForm1->RxSEModif1->value(), f.Modif);
    EXPECT_EQ(BezForm1->ECurveNo->maximum(), f.NCurves);

    // A name typed by hand gives the digit of its first character.
    BezForm1->ESName->setText("7x");
    EXPECT_EQ(f.Digit, 7);
    BezForm1->EFigNo->setValue(999);
    EXPECT_EQ(DigitPacket.CurFig, DigitPacket.NFigs);
}

TEST_F(DigitEditorTest, DeleteAllArcsOnlyClearsTheDrawingAndNewEmptiesTheReadersSet)
{
    dialogs.script.file(DefaultSet);
    menu("File", "Open");
    const TBezPacket loaded = DigitPacket;
    menu("Arc", "Delete all Arcs");
    EXPECT_FALSE(BezForm1->drawingShown());
    EXPECT_EQ(DigitPacket, loaded);

    menu("File", "New");
    EXPECT_EQ(DigitPacket.NFigs, 1);
    EXPECT_EQ(DigitPacket.Figures[1].NCurves, 0);
    // Nothing to drag, type or delete on a figure without curves.
    drag({125, 550}, {100, 100});
    BezForm1->Ex[1]->setValue(77);
    menu("Arc", "Delete Arc");
    menu("Curve", "Delete Curve");
    EXPECT_EQ(DigitPacket.Figures[1].NCurves, 0);
    // The reader has no figure to compare with now.
    auto labels = std::make_unique<DigitLabelTable>();
    auto paper = std::make_unique<PaperComponentTable>();
    DigitMatcher matcher(*labels, *paper);
    matcher.RenderDigitTemplates(10, 20);
    EXPECT_EQ(matcher.renderedFigures(), 1);
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 20; ++y)
            EXPECT_EQ(matcher.DigitTemplate(1, x, y), 0);
}

TEST_F(DigitEditorTest, ThePreviewIsTheReadersRenderingCellForCell)
{
    dialogs.script.file(DefaultSet);
    menu("File", "Open");
    BezForm1->EFigNo->setValue(5);
    BezForm1->MEx->setText("13");
    BezForm1->MEy->setText("27");
    QTest::mouseClick(BezForm1->Button4, Qt::LeftButton);

    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(Form3->Edit1->text(), "Stone before centering");
    auto labels = std::make_unique<DigitLabelTable>();
    auto paper = std::make_unique<PaperComponentTable>();
    DigitMatcher matcher(*labels, *paper);
    matcher.RenderDigitTemplates(13, 27);
    int ink = 0;
    for (int x = 1; x <= 13; ++x)
        for (int y = 1; y <= 27; ++y) {
            QTableWidgetItem* item = Form3->SGgame->item(y, x);
            ASSERT_NE(item, nullptr) << x << "," << y;
            const int want = matcher.DigitTemplate(5, x, y);
            EXPECT_EQ(item->text().toInt(), want) << x << "," << y;
            ink += want > 0;
        }
    EXPECT_GT(ink, 10);

    // A thicker stroke for the eye covers more cells.
    BezForm1->MEd->setText("3");
    QTest::mouseClick(BezForm1->Button4, Qt::LeftButton);
    int thickInk = 0;
    for (int x = 1; x <= 13; ++x)
        for (int y = 1; y <= 27; ++y)
            thickInk += Form3->SGgame->item(y, x)->text().toInt() > 0;
    EXPECT_GT(thickInk, ink);
}

TEST_F(DigitEditorTest, TheMainMenuOpensTheEditorOnTheLoadedSet)
{
    BezForm1->hide();
    Form1->ReloadDigits1Click();
    ASSERT_GT(DigitPacket.NFigs, 5);
    Form1->item("EditDigits1")->trigger();
    EXPECT_TRUE(BezForm1->isVisible());
    EXPECT_EQ(BezForm1->EFigNo->maximum(), DigitPacket.NFigs);
    EXPECT_EQ(BezForm1->ECurveNo->maximum(), DigitPacket.Figures[1].NCurves);

    // Copy, delete and sort keep the selectors on the set.
    const int n = DigitPacket.NFigs;
    BezForm1->EFigNo->setValue(2);
    menu("Figure", "Copy current Figure");
    EXPECT_EQ(DigitPacket.NFigs, n + 1);
    EXPECT_EQ(DigitPacket.Figures[n + 1].Modif, DigitPacket.Figures[2].Modif + 1);
    EXPECT_EQ(BezForm1->EFigNo->maximum(), n + 1);
    EXPECT_EQ(BezForm1->EFigNo->value(), n + 1);
    menu("Packet", "Sort Figures");
    EXPECT_EQ(DigitPacket.Figures[3].Digit, DigitPacket.Figures[2].Digit);
    menu("Figure", "Delete Figure");
    EXPECT_EQ(DigitPacket.NFigs, n);
    EXPECT_EQ(BezForm1->EFigNo->maximum(), n);
    menu("Packet", "Info");
    EXPECT_TRUE(FInfo->isVisible());
    EXPECT_TRUE(FInfo->Memo1->toPlainText().startsWith(QStringLiteral("N Figs%1").arg(n)));
}

TEST_F(DigitEditorTest, AnEditedSetIsSavedLoadedAgainAndRead)
{
    // A set of two figures drawn from scratch: a 7 and a 1.
    // An added arc starts as the fields say and is then shaped by typing
    // into the fields, which move the current arc.
    menu("File", "New");
    BezForm1->ESName->setText("7");
    setFields({{10, 6}, {40, 6}, {70, 6}, {90, 6}});
    menu("Arc", "Add Arc");
    menu("Arc", "Add Arc");
    setFields({{70, 36}, {50, 66}, {36, 94}}, 1);
    menu("Figure", "Add New Figure");
    BezForm1->ESName->setText("1");
    setFields({{50, 6}, {50, 36}, {50, 66}, {50, 94}});
    ASSERT_EQ(DigitPacket.NFigs, 2);

    // The 7's stem is bent further left with the mouse.
    BezForm1->EFigNo->setValue(1);
    BezForm1->EArcNo->setValue(2);
    const IntPoint end = DragHandles[3];
    drag({end.X, end.Y}, {end.X - 30, end.Y});
    const TBezFigure seven = DigitPacket.Figures[1];
    EXPECT_EQ(seven.Curves[1].ArcPoints[6], (IntPoint{end.X - 30, end.Y}));

    const QString file = dir.filePath("mine.BzP");
    dialogs.script.file(file);
    menu("File", "Save");
    ASSERT_TRUE(QFile::exists(file));
    menu("File", "New");
    dialogs.script.file(file);
    menu("File", "Open");
    ASSERT_EQ(DigitPacket.NFigs, 2);
    EXPECT_EQ(DigitPacket.Figures[1].Digit, 7);
    EXPECT_EQ(DigitPacket.Figures[2].Digit, 1);
    // Points come back within the one percent a file keeps.
    for (int i = 0; i <= 6; ++i) {
        EXPECT_NEAR(DigitPacket.Figures[1].Curves[1].ArcPoints[i].X, seven.Curves[1].ArcPoints[i].X, 3);
        EXPECT_NEAR(DigitPacket.Figures[1].Curves[1].ArcPoints[i].Y, seven.Curves[1].ArcPoints[i].Y, 5);
    }

    // A digit group shaped like the edited 7 reads 7 against this set.
    const int w = 12, h = 20;
    const std::vector<uint16_t> cells = previewRaster(DigitPacket.Figures[1], w, h);
    auto labels = std::make_unique<DigitLabelTable>();
    auto paper = std::make_unique<PaperComponentTable>();
    for (int x = 1; x <= w; ++x)
        for (int y = 1; y <= h; ++y)
            (*labels)[x][y] = cells[static_cast<size_t>((x - 1) * h + (y - 1))] > 0 ? 201 : 101;
    DigitMatcher matcher(*labels, *paper);
    int8_t score = 0;
    EXPECT_EQ(matcher.RecDigit({w, h}, {1, 1}, score, 0), 7);
    EXPECT_LT(score, 0);
}

} // namespace
