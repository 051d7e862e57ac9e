// The page in the main window: zoom, rotation, printing, saving and
// reopening, driven through the menu as a user would.
#include "app/ui/MainWindow.h"
#include "app/ui/PageView.h"
#include "app/ui/RotateAngleWindow.h"
#include "app/ui/Scale1Window.h"
#include "common/BmpBuilder.h"
#include "common/ui/AppFixture.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>

using namespace quon;
using namespace quon::test;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

std::vector<std::string> rowsWithInk(int w, int h, const PixelSet& ink, bool negative)
{
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), negative ? '#' : '.'));
    for (const auto& [x, y] : ink)
        rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = negative ? '.' : '#';
    return rows;
}

PixelSet inkByGetPix()
{
    PixelSet ink;
    for (int y = 0; y < Reco.ImageHeight; ++y)
        for (int x = 0; x < Reco.ImageWidth; ++x)
            if (GetPix(x, y))
                ink.insert({x, y});
    return ink;
}

// Acts on a modal dialog once its own event loop runs.
void whenShown(QWidget* dialog, std::function<void()> act)
{
    QTimer::singleShot(0, dialog, [dialog, act] {
        if (dialog->isVisible())
            act();
        else
            whenShown(dialog, act);
    });
}

class PageOperationsTest : public AppFixture {
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

    void openPage(const std::vector<std::string>& rows, const QString& name = "page.bmp")
    {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(BmpKind::Mono, rows)));
        // Small test pages pass the size check of a two-line corner.
        Reco.DiagramWindowSize = {2, 2};
        dialogs.script.file(path);
        Form1->item("Open1")->trigger();
        ASSERT_EQ(Reco.ImageWidth, static_cast<int>(rows[0].size()));
    }

    QSize shown() const { return {Form1->ShownWidth, Form1->ShownHeight}; }
};

} // namespace

TEST_F(PageOperationsTest, ZoomItemsOtherAndFitToWindow)
{
    openPage(rowsWithInk(1000, 800, {{5, 5}}, false));
    EXPECT_TRUE(Form1->Fitinwindow1->isChecked());
    EXPECT_EQ(shown(), Form1->clientSize());

    struct Case {
        const char* item;
        QSize size;
    };
    for (const Case& k : {Case{"N501", {500, 400}}, Case{"N251", {250, 200}}, Case{"N751", {750, 600}},
                          Case{"N1251", {1250, 1000}}, Case{"N1501", {1500, 1200}}, Case{"FullSize1", {1000, 800}}}) {
        SCOPED_TRACE(k.item);
        Form1->item(k.item)->trigger();
        EXPECT_TRUE(Form1->item(k.item)->isChecked());
        EXPECT_FALSE(Form1->Fitinwindow1->isChecked());
        EXPECT_EQ(shown(), k.size);
        EXPECT_EQ(Form1->Image1->size(), k.size);
    }

    // Choosing the checked item again changes nothing, its mark included.
    Form1->item("N501")->trigger();
    Form1->ShownWidth = 123;
    Form1->item("N501")->trigger();
    EXPECT_TRUE(Form1->item("N501")->isChecked());
    EXPECT_EQ(Form1->ShownWidth, 123);
    Form1->item("N751")->trigger();

    // Other: the typed percentage; the radio marks stay.
    whenShown(Scale1, [] {
        Scale1->SEMagn->setValue(30);
        QTest::mouseClick(Scale1->BOK, Qt::LeftButton);
    });
    Form1->item("Other1")->trigger();
    EXPECT_EQ(shown(), QSize(300, 240));
    EXPECT_TRUE(Form1->item("N751")->isChecked());
    // Cancel keeps the view.
    whenShown(Scale1, [] { QTest::mouseClick(Scale1->BCancel, Qt::LeftButton); });
    Form1->item("Other1")->trigger();
    EXPECT_EQ(shown(), QSize(300, 240));
    // The spin box stops at 1 %: a view of 0 pixels would have nothing to map.
    EXPECT_EQ(Scale1->SEMagn->minimum(), 1);
    EXPECT_EQ(Scale1->SEMagn->maximum(), 1000);
    EXPECT_EQ(Scale1->SEMagn->singleStep(), 5);

    // Fit to window follows the window's size.
    Form1->item("Fitinwindow1")->trigger();
    EXPECT_EQ(shown(), Form1->clientSize());
    Form1->resize(640, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(), Form1->clientSize());
    EXPECT_LT(Form1->ShownWidth, 640);

    // A new page returns to Fit to window.
    Form1->item("N501")->trigger();
    openPage(rowsWithInk(600, 700, {{5, 5}}, false), "second.bmp");
    EXPECT_TRUE(Form1->Fitinwindow1->isChecked());
    EXPECT_FALSE(Form1->item("N501")->isChecked());
    EXPECT_EQ(shown(), Form1->clientSize());
}

TEST_F(PageOperationsTest, ATinyPageAtTwentyFivePercentStillHasAView)
{
    openPage(rowsWithInk(3, 3, {{1, 1}}, false));
    Form1->item("N251")->trigger();
    EXPECT_EQ(shown(), QSize(1, 1));
}

// The rotations of the Rotate menu on a small asymmetric page, positive and
// negative: the packed copy follows, so GetPix reads the turned page.
TEST_F(PageOperationsTest, RotationsThroughTheMenu)
{
    const int W = 41, H = 150; // tall enough for the polarity to be decided
    const PixelSet ink = {{2, 1}, {30, 4}, {10, 140}, {38, 100}, {20, 60}};
    // Right 90: (2 (H div 2) - y, x); Left 90: (y, 2 (W div 2) - x); 180: (2 (W div 2) - x, 2 (H div 2) - y).
    auto right = [&](std::pair<int, int> p) { return std::pair{2 * (H / 2) - p.second, p.first}; };
    auto left = [&](std::pair<int, int> p) { return std::pair{p.second, 2 * (W / 2) - p.first}; };
    auto half = [&](std::pair<int, int> p) { return std::pair{2 * (W / 2) - p.first, 2 * (H / 2) - p.second}; };
    auto mapped = [&](auto f) {
        PixelSet out;
        for (auto p : ink)
            out.insert(f(p));
        return out;
    };
    for (bool negative : {false, true}) {
        SCOPED_TRACE(negative ? "negative" : "positive");
        openPage(rowsWithInk(W, H, ink, negative), negative ? "neg.bmp" : "pos.bmp");
        ASSERT_EQ(Reco.InkPolarity, negative ? 0 : 1);
        ASSERT_EQ(inkByGetPix(), ink);

        Form1->item("Right90")->trigger();
        EXPECT_EQ(Reco.ImageWidth, H);
        EXPECT_EQ(Reco.ImageHeight, W);
        EXPECT_EQ(Form1->Image1->picture().size(), QSize(H, W));
        EXPECT_EQ(inkByGetPix(), mapped(right));
        // The new corners are background on either kind of page.
        EXPECT_EQ(GetPix(0, 0), 0);

        openPage(rowsWithInk(W, H, ink, negative), negative ? "neg.bmp" : "pos.bmp");
        Form1->item("Left90")->trigger();
        EXPECT_EQ(inkByGetPix(), mapped(left));

        openPage(rowsWithInk(W, H, ink, negative), negative ? "neg.bmp" : "pos.bmp");
        Form1->item("N180")->trigger();
        EXPECT_EQ(Reco.ImageWidth, W);
        EXPECT_EQ(Reco.ImageHeight, H);
        EXPECT_EQ(inkByGetPix(), mapped(half));
    }
}

TEST_F(PageOperationsTest, ArbitraryAnglesFromTheDialog)
{
    const PixelSet ink = {{2, 1}, {30, 4}, {10, 140}, {38, 100}};
    auto typeAngle = [](const char* keys) {
        whenShown(RotateAngle, [keys] {
            RotateAngle->SEAngle->selectAll();
            RotateAngle->SEAngle->del();
            RotateAngle->SEAngle->setCursorPosition(0);
            QTest::keyClicks(RotateAngle->SEAngle, keys);
            QTest::mouseClick(RotateAngle->BOK, Qt::LeftButton);
        });
    };
    // 90 degrees clockwise is Right 90, counter-clockwise Left 90.
    openPage(rowsWithInk(41, 150, ink, false));
    Form1->item("Right90")->trigger();
    const PixelSet rightTurn = inkByGetPix();
    openPage(rowsWithInk(41, 150, ink, false));
    Form1->item("Left90")->trigger();
    const PixelSet leftTurn = inkByGetPix();

    openPage(rowsWithInk(41, 150, ink, false));
    typeAngle("90");
    Form1->item("ArbitraryCW")->trigger();
    EXPECT_EQ(Reco.ImageWidth, 150);
    EXPECT_EQ(inkByGetPix(), rightTurn);

    openPage(rowsWithInk(41, 150, ink, false));
    typeAngle("90");
    Form1->item("ArbitraryCCW")->trigger();
    EXPECT_EQ(inkByGetPix(), leftTurn);

    // 30 degrees and a half: the size of the turned page.
    openPage(rowsWithInk(41, 150, ink, false));
    typeAngle("30,5");
    Form1->item("ArbitraryCW")->trigger();
    EXPECT_EQ(Reco.ImageWidth, 111);  // trunc(41 cos 30.5 + 150 sin 30.5)
    EXPECT_EQ(Reco.ImageHeight, 150); // trunc(41 sin 30.5 + 150 cos 30.5)
    EXPECT_EQ(Reco.PackedStride, packedStride(111));

    // Nothing typed: a message, and nothing turns. Cancel: nothing either.
    openPage(rowsWithInk(41, 150, ink, false));
    dialogs.script = ScriptedDialogs{};
    typeAngle("");
    Form1->item("ArbitraryCW")->trigger();
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_TRUE(dialogs.script.informationTexts()[0].contains("not a valid number"));
    EXPECT_EQ(Reco.ImageWidth, 41);
    whenShown(RotateAngle, [] { QTest::mouseClick(RotateAngle->BCancel, Qt::LeftButton); });
    Form1->item("ArbitraryCCW")->trigger();
    EXPECT_EQ(Reco.ImageWidth, 41);
}

TEST_F(PageOperationsTest, ARotationRecomputesTheView)
{
    openPage(rowsWithInk(1000, 600, {{5, 5}}, false));
    Form1->item("N501")->trigger();
    ASSERT_EQ(shown(), QSize(500, 300));
    Form1->item("Right90")->trigger();
    EXPECT_EQ(shown(), QSize(300, 500));
    EXPECT_TRUE(Form1->item("N501")->isChecked());
    Form1->item("Fitinwindow1")->trigger();
    Form1->item("N180")->trigger();
    EXPECT_EQ(shown(), Form1->clientSize());
}

TEST_F(PageOperationsTest, PrintingToAPdfFileThroughThePrintDialog)
{
    openPage(rowsWithInk(600, 300, {{5, 5}, {100, 200}}, false));
    const QString pdf = dir.filePath("page.pdf");
    QPrinter& printer = Form1->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);

    // Cancelled: nothing is printed.
    dialogs.script.no();
    Form1->item("PrintImage1")->trigger();
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.script.yes();
    Form1->item("PrintImage1")->trigger();
    EXPECT_TRUE(dialogs.script.scriptDone());
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The page picture went in whole.
    EXPECT_TRUE(bytes.contains("/Width 600")) << bytes.left(2000).toStdString();
    EXPECT_TRUE(bytes.contains("/Height 300"));

    // Print Setup shows its dialog on the same printer.
    dialogs.script.yes();
    Form1->item("PrintSetup1")->trigger();
    EXPECT_EQ(dialogs.script.shown().back().kind, "printer setup");
}

TEST_F(PageOperationsTest, SaveImageCorrectsTheFileNameOnly)
{
    const PixelSet ink = {{3, 4}, {50, 60}};
    openPage(rowsWithInk(64, 80, ink, false));
    ASSERT_TRUE(QDir(dir.path()).mkpath("my.dir"));
    struct Case {
        const char* chosen;
        const char* saved;
    };
    for (const Case& k : {Case{"my.dir/page.png", "my.dir/page.bmp"}, Case{"my.dir/a.b.png", "my.dir/a.bmp"},
                          Case{"my.dir/keep.BMP", "my.dir/keep.BMP"}, Case{"my.dir/plain", "my.dir/plain.BMP"}}) {
        SCOPED_TRACE(k.chosen);
        dialogs.script.file(dir.filePath(k.chosen));
        Form1->item("Save1")->trigger();
        const QImage saved(dir.filePath(k.saved));
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(saved.size(), QSize(64, 80));
        EXPECT_EQ(saved.pixelColor(3, 4), QColor(Qt::black));
        EXPECT_EQ(saved.pixelColor(4, 4), QColor(Qt::white));
    }
    ASSERT_EQ(dialogs.script.fileDialogs.size(), 5u); // the page's open dialog, then the saves
    const FileDialogSpec& save = dialogs.script.fileDialogs[1];
    EXPECT_EQ(save.filter.toStdString(), "BMP files|*.BMP|All Files|*.*");
    EXPECT_EQ(save.defaultExt.toStdString(), "BMP");
    // The dialog proposes the name chosen last.
    EXPECT_EQ(dialogs.script.fileDialogs.back().fileName.toStdString(), dir.filePath("my.dir/keep.BMP").toStdString());

    // The corrected name exists: asked first; No leaves it alone.
    QFile::remove(dir.filePath("my.dir/page.bmp"));
    ASSERT_TRUE(writeFile(dir.filePath("my.dir/page.bmp").toStdString(), {'x'}));
    dialogs.script = ScriptedDialogs{};
    dialogs.script.file(dir.filePath("my.dir/page.png")).no();
    Form1->item("Save1")->trigger();
    ASSERT_EQ(dialogs.script.texts().size(), 1);
    EXPECT_TRUE(dialogs.script.texts()[0].contains("already exists"));
    EXPECT_EQ(QFileInfo(dir.filePath("my.dir/page.bmp")).size(), 1);
    dialogs.script.file(dir.filePath("my.dir/page.png")).yes();
    Form1->item("Save1")->trigger();
    EXPECT_EQ(QImage(dir.filePath("my.dir/page.bmp")).size(), QSize(64, 80));
}

TEST_F(PageOperationsTest, OpenLastImageKeepsThePolarityAndRefits)
{
    const PixelSet ink = {{3, 4}, {50, 60}};
    openPage(rowsWithInk(64, 80, ink, false));
    Form1->item("N501")->trigger();
    Form1->item("Right90")->trigger();
    ASSERT_EQ(Reco.ImageWidth, 80);
    // As if a scan had decided the polarity since.
    Reco.InkPolarity = 0;
    Form1->OpenLastImage1->trigger();
    EXPECT_EQ(Reco.ImageWidth, 64);
    EXPECT_EQ(Reco.ImageHeight, 80);
    EXPECT_EQ(Reco.InkPolarity, 0);
    EXPECT_TRUE(Form1->Fitinwindow1->isChecked());
    EXPECT_EQ(shown(), Form1->clientSize());
    // The packed copy is the reopened page's.
    EXPECT_EQ(Reco.PackedStride, 8);
    EXPECT_EQ(GetPix(3, 4), 0);
    EXPECT_EQ(GetPix(4, 4), 1);

    // The copy gone: the message, and the page stays.
    QFile::remove(dir.filePath("Acquired0.bmp"));
    dialogs.script = ScriptedDialogs{};
    Form1->OpenLastImage1->trigger();
    EXPECT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_EQ(Reco.ImageWidth, 64);
}
