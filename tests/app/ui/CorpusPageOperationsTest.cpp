// A real page of the corpus opened, zoomed, turned, pointed and cropped.
#include "app/ui/MainWindow.h"
#include "app/ui/ManualPtWindow.h"
#include "app/ui/PageView.h"
#include "common/ui/AppFixture.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <vector>

using namespace quon;
using namespace quon::test;

namespace {

QString firstCorpusPage()
{
    const QDir pages(QStringLiteral(QUON_CORPUS_DIR "/pages"));
    const QStringList bmps = pages.entryList({"*.bmp"}, QDir::Files, QDir::Name);
    return bmps.isEmpty() ? QString() : pages.filePath(bmps.first());
}

class CorpusPageOperationsTest : public AppFixture {};

} // namespace

TEST_F(CorpusPageOperationsTest, HalfTurnedPointedAndCropped)
{
    const QString page = firstCorpusPage();
    if (page.isEmpty())
        GTEST_SKIP() << "no corpus at " QUON_CORPUS_DIR;
    startProgram();
    Reco.DigitsPending = 0;
    Reco.DiagramWindowSize = {19, 19};
    Reco.DiagramWindow = {1, 1, 19, 19};
    Form1->resize(900, 700);
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    dialogs.script.file(page);
    Form1->item("Open1")->trigger();
    ASSERT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
    const int w = Reco.ImageWidth, h = Reco.ImageHeight;
    std::vector<uint8_t> before(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            before[static_cast<size_t>(y) * w + x] = GetPix(x, y);
    auto was = [&](int x, int y) { return before[static_cast<size_t>(y) * w + x] != 0; };

    // A half turn: on a page of odd sizes every ink pixel lands exactly on
    // its mirror place, and the spread of its neighbours' ink fills in only
    // where two of them meet (the inner corners of strokes).
    Form1->item("N180")->trigger();
    ASSERT_EQ(Reco.ImageWidth, w);
    ASSERT_EQ(Reco.ImageHeight, h);
    if (w % 2 == 1 && h % 2 == 1) {
        long lost = 0, strayGained = 0;
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x) {
                const int mx = w - 1 - x, my = h - 1 - y;
                const bool now = GetPix(x, y) != 0;
                if (was(mx, my) && !now)
                    ++lost;
                if (!was(mx, my) && now && was(mx - 1, my) + was(mx + 1, my) + was(mx, my - 1) + was(mx, my + 1) < 2)
                    ++strayGained;
            }
        EXPECT_EQ(lost, 0);
        EXPECT_EQ(strayGained, 0);
    }
    Form1->item("N180")->trigger();

    // Corners pointed at 50 %, then the board cut out by the band.
    Form1->item("N501")->trigger();
    Form1->ManualCornersPointing1->trigger();
    QTest::mouseClick(Form1->Image1, Qt::LeftButton, {}, QPoint(20, 30));
    ManualPt->NextClick();
    ManualPt->NextClick();
    QTest::mouseClick(Form1->Image1, Qt::LeftButton, {}, QPoint(200, 210));
    EXPECT_EQ(Reco.GridPoints[1][1].Coord, (IntPoint{20 * w / (w / 2), 30 * h / (h / 2)}));
    EXPECT_EQ(Reco.GridPoints[19][19].Coord, (IntPoint{200 * w / (w / 2), 210 * h / (h / 2)}));
    QTest::mouseClick(ManualPt->Button3, Qt::LeftButton);
    EXPECT_EQ(Reco.CornersPointed, 1);

    Form1->item("CropImage1")->trigger();
    dialogs.script.yes();
    QTest::mousePress(Form1->Image1, Qt::LeftButton, {}, QPoint(20, 30));
    QTest::mouseMove(Form1->Image1, QPoint(200, 210));
    QTest::mouseRelease(Form1->Image1, Qt::LeftButton, {}, QPoint(200, 210));
    const int fx = w * 100 / (w / 2), fy = h * 100 / (h / 2);
    EXPECT_EQ(Reco.ImageWidth, 200 * fx / 100 - 20 * fx / 100);
    EXPECT_EQ(Reco.ImageHeight, 210 * fy / 100 - 30 * fy / 100);
    EXPECT_EQ(Reco.PackedStride, packedStride(Reco.ImageWidth));
}
