// The Help menu's windows and the main window's picture commands, which hand
// the recognised game to the diagram editor.
#include "app/ui/AboutBoxWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Webrow0Window.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/GoGridWidget.h"
#include "model/Recotypes.h"

#include "common/ui/AppFixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

using namespace quon;

namespace {

class PicturesAndAbout : public test::AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
    }

    // A recognised game of three moves.
    void recognisedGame()
    {
        Reco.FirstMoveColour = 1;
        Reco.MoveTable[1] = MoveRecord{4, 4};
        Reco.MoveTable[2] = MoveRecord{16, 16};
        Reco.MoveTable[3] = MoveRecord{16, 4};
        Reco.MoveCount = 3;
    }

    void trigger(const char* item) { Form1->item(item)->trigger(); }
};

TEST_F(PicturesAndAbout, EmfFileOfTheRecognisedGameReadsBack)
{
    recognisedGame();
    const QString emf = dir.filePath("game.emf"), svg = dir.filePath("game.svg");
    dialogs.script.file(emf);
    trigger("EMFfile1");
    ASSERT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
    EXPECT_EQ(Reco.LastPictureFile, emf.toStdString());
    const tDgrData& doc = FrmDgr->document();
    EXPECT_EQ(doc.Grid.GetCell(3, 3).Number, 1);
    EXPECT_EQ(doc.Grid.GetCell(15, 3).Stone, StoneBlack);

    const QString tool = QStandardPaths::findExecutable("emf2svg-conv");
    if (tool.isEmpty())
        GTEST_SKIP() << "emf2svg-conv is not installed (package emf2svg)";
    QProcess p;
    p.start(tool, {"-i", emf, "-o", svg});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString s = QString::fromUtf8(f.readAll());
    // The three numbered stones; the star points are the other circles.
    EXPECT_EQ(s.count("<text"), 3);
    for (const char* text : {"[1]", "[2]", "[3]"})
        EXPECT_TRUE(s.contains(text)) << text;
    EXPECT_GE(s.count("<ellipse"), 3);
}

TEST_F(PicturesAndAbout, BmpFileAndCancelledSave)
{
    recognisedGame();
    Reco.LastPictureFile = "earlier.bmp";
    dialogs.script.cancel();
    trigger("BMPfile1");
    EXPECT_EQ(Reco.LastPictureFile, "earlier.bmp");

    const QString bmp = dir.filePath("game.bmp");
    dialogs.script.file(bmp);
    trigger("BMPfile1");
    EXPECT_EQ(Reco.LastPictureFile, bmp.toStdString());
    QImage picture(bmp);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 19 * 10);
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
}

TEST_F(PicturesAndAbout, ClipboardCommands)
{
    recognisedGame();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    trigger("CopyBMPDiatoClipBoard1");
    EXPECT_FALSE(clipboard->image().isNull());
    trigger("CopyEMFDiatoClipBoard1");
    ASSERT_NE(clipboard->mimeData(), nullptr);
    EXPECT_TRUE(clipboard->mimeData()->hasFormat("image/x-emf"));
    const QByteArray filled = clipboard->mimeData()->data("image/x-emf");

    // The diagram as it stands, with a stone added in the editor.
    tDgrData& doc = FrmDgr->document();
    DgrCell c = doc.Grid.GetCell(9, 9);
    c.Stone = StoneWhite;
    doc.Grid.PutCell(9, 9, c);
    trigger("CopyEMFDiatoClipBoard2");
    EXPECT_NE(clipboard->mimeData()->data("image/x-emf"), filled);
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
}

TEST_F(PicturesAndAbout, AboutBoxShowsTheBuildsVersion)
{
    EXPECT_EQ(AboutBox->windowTitle(), "About");
    EXPECT_TRUE(AboutBox->ProductName->text().contains(QUON_VERSION));
    EXPECT_TRUE(AboutBox->Contact->text().contains("mailto:"));
    QTreeWidget* list = AboutBox->lvVersionInfo;
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    EXPECT_EQ(names, (QStringList{"CompanyName", "FileDescription", "FileVersion", "InternalName", "OriginalFilename",
                                  "ProductName", "ProductVersion", "Build", "Operating System"}));
    const int build = names.indexOf("Build");
    EXPECT_TRUE(list->topLevelItem(build)->text(1).startsWith(QUON_VERSION));
    EXPECT_EQ(list->columnWidth(0), 100);

    // About shows the box modally; OK closes it.
    bool wasShown = false;
    QTimer::singleShot(0, [&] {
        wasShown = AboutBox->isVisible();
        QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
    });
    trigger("About1");
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(AboutBox->isVisible());
}

TEST_F(PicturesAndAbout, AboutBoxWithoutVersionDataReportsAndListsNothing)
{
    TableVersionSource none;
    none.noInfo = true;
    AboutBox->fillVersionInfo("", none);
    EXPECT_EQ(AboutBox->lvVersionInfo->topLevelItemCount(), 0);
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"No Version Info Available."});
}

TEST_F(PicturesAndAbout, HomePageShowsTheBundledPage)
{
    trigger("QuonHomepage1");
    EXPECT_TRUE(Webrow0->isVisible());
    EXPECT_EQ(Webrow0->windowTitle(), "Web Browser");
    EXPECT_TRUE(Webrow0->WebBrowser1->toPlainText().contains("Quon OCR reads printed Go diagrams"));
    EXPECT_FALSE(Webrow0->WebBrowser1->toPlainText().contains("missing"));
}

} // namespace
