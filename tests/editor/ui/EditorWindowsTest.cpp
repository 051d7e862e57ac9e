// The diagram editor as a whole, in the program's own windows: the menu
// commands, the settings kept across a restart, the batch export, the fill
// from the recognised game, the palette and the numbering window.
#include "common/ui/AppFixture.h"
#include "editor/ui/DgrPictures.h"
#include "editor/ui/DlgChooseDirWindow.h"
#include "editor/ui/FrmDgrPropWindow.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/FrmGraphFillesWindow.h"
#include "editor/ui/FrmMainWindow.h"
#include "editor/ui/FrmSetBMPWindow.h"
#include "editor/ui/FrmToolsWindow.h"
#include "editor/ui/GoGridWidget.h"
#include "editor/ui/NumOptWindow.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"
#include "platform/ui/Registry.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace quon;
using namespace quon::test;

namespace {

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

class EditorWindowsTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        startProgram();
    }
    void TearDown() override
    {
        CurrentTool = ToolPointer;
        AppFixture::TearDown();
    }

    tGoGrid* grid() { return FrmDgr->grid(); }
    tDgrData& doc() { return grid()->document(); }
    DgrCell cell(int32_t x, int32_t y) { return doc().Grid.GetCell(x, y); }
    void click(int32_t x, int32_t y)
    {
        QTest::mouseClick(grid(), Qt::LeftButton, Qt::NoModifier, grid()->cellRect(x, y).center());
    }
    void showEditor()
    {
        FrmMain->show();
        FrmTools->show();
        FrmDgr->show();
        QApplication::processEvents();
    }
    QString path(const QString& name) { return QDir(startFolder()).filePath(name); }
};

TEST_F(EditorWindowsTest, DrawSaveReopenAndExportThroughTheMenu)
{
    showEditor();
    FrmMain->N1->trigger();
    EXPECT_EQ(CurrentTool, ToolBlack);
    EXPECT_EQ(doc().Width(), 20); // the display dialog's first values
    EXPECT_EQ(FrmDgr->windowTitle(), QString::fromUtf8("Новый файл"));
    click(3, 3);
    QTest::keyClicks(grid(), "17");
    ASSERT_EQ(cell(3, 3), (DgrCell{17, ElemStar, StoneBlack, 0, 0}));

    // Saving a new diagram asks for a name; later saves go there silently.
    Reco.GameSaved = 0;
    dialogs.script.file(path("first"));
    FrmMain->miSave->trigger();
    EXPECT_TRUE(QFile::exists(path("first.dgr")));
    EXPECT_EQ(FrmDgr->windowTitle(), path("first.dgr"));
    EXPECT_EQ(Reco.GameSaved, 1);
    EXPECT_EQ(dialogs.script.fileDialogs.back().filter, QString::fromUtf8("Файлы го-диаграмм(*.dgr)|*.dgr"));
    click(4, 4);
    FrmDgr->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrmDgr));
    QTest::keyClick(FrmDgr, Qt::Key_W, Qt::ControlModifier); // the menu's shortcut in the diagram window
    EXPECT_EQ(dialogs.script.fileDialogs.size(), 1u);

    // A new diagram, then the file back.
    FrmMain->N1->trigger();
    EXPECT_EQ(cell(3, 3).Stone, StoneNone);
    dialogs.script.file(path("first.dgr"));
    FrmMain->miLoad->trigger();
    EXPECT_EQ(cell(3, 3).Number, 17);
    EXPECT_EQ(cell(4, 4).Stone, StoneBlack);
    EXPECT_EQ(FrmDgr->windowTitle(), path("first.dgr"));

    // A broken file is refused with the reader's message; nothing changes.
    QFile broken(path("broken.dgr"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a diagram");
    broken.close();
    dialogs.script.file(path("broken.dgr"));
    FrmMain->miLoad->trigger();
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_EQ(dialogs.script.shown().back().text,
              QString::fromStdString(dgrBadStructureMessage(path("broken.dgr").toStdString())));
    EXPECT_EQ(dialogs.script.shown().back().caption, QString::fromUtf8("Ошибка"));
    EXPECT_EQ(cell(3, 3).Number, 17);
    EXPECT_EQ(FrmDgr->windowTitle(), path("first.dgr"));

    // Save as under another name.
    dialogs.script.file(path("second.dgr"));
    FrmMain->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrmMain));
    QTest::keyClick(FrmMain, Qt::Key_W, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(QFile::exists(path("second.dgr")));
    EXPECT_EQ(doc().FileName, path("second.dgr").toStdString());

    // Each picture kind, each remembered as the last picture.
    struct Export {
        QAction* action;
        QString name;
        QByteArray start;
    };
    for (const Export& e :
         {Export{FrmMain->miToBMP, "p", "BM"}, Export{FrmMain->miToEMF, "p", QByteArray("\x01\0\0\0", 4)},
          Export{FrmMain->miWMF, "p", QByteArray("\xD7\xCD\xC6\x9A", 4)}}) {
        dialogs.script.file(path(e.name));
        e.action->trigger();
        const QString written = withDefaultExtension(path(e.name), dialogs.script.fileDialogs.back().defaultExt);
        QFile f(written);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << written.toStdString();
        EXPECT_TRUE(f.read(4).startsWith(e.start)) << written.toStdString();
        EXPECT_EQ(Reco.LastPictureFile, written.toStdString());
    }
    EXPECT_EQ(QImage(path("p.bmp")).size(), QSize(19 * 22, 19 * 22));

    // The clipboard in the three kinds.
    FrmMain->miBMPClip->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
    QTest::keyClick(FrmMain, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(emfMimeTypes().first()));
    FrmMain->miWMFClip->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(wmfMimeTypes().first()));
    EXPECT_EQ(dialogs.script.unexpected(), 0);

    // "Выход" hides the editor; the program goes on.
    FrmMain->N2->trigger();
    EXPECT_FALSE(FrmMain->isVisible());
    EXPECT_FALSE(FrmDgr->isVisible());
    EXPECT_FALSE(FrmTools->isVisible());
}

TEST_F(EditorWindowsTest, SettingsAreKeptAcrossARestart)
{
    // First start: the display key is made and the first values kept.
    EXPECT_EQ(FrmDgrProp->seSizeX->value(), 20);
    EXPECT_EQ(FrmSetBMP->seStepX->value(), 22);
    FrmDgrProp->seSizeX->setValue(30);
    FrmDgrProp->CBPartBoard->setCurrentIndex(7);
    FrmDgrProp->seVes[2]->setValue(9);
    FrmSetBMP->seLine->setValue(3);
    FrmSetBMP->seWidth[1]->setValue(7);
    stopProgram();
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(TFrmDgrProp::RegistryKey, false));
        EXPECT_EQ(reg.valueNames().size(), 14);
        EXPECT_EQ(reg.ReadInteger("SizeX"), 30);
        ASSERT_TRUE(reg.OpenKey(TFrmSetBMP::RegistryKey, false));
        EXPECT_EQ(reg.valueNames().size(), 14);
        EXPECT_EQ(reg.ReadInteger("Line"), 3);
    }
    startProgram();
    EXPECT_EQ(FrmDgrProp->seSizeX->value(), 30);
    EXPECT_EQ(FrmDgrProp->CBPartBoard->currentIndex(), 7);
    EXPECT_EQ(FrmDgrProp->seVes[2]->value(), 9);
    EXPECT_EQ(FrmSetBMP->seLine->value(), 3);
    EXPECT_EQ(FrmSetBMP->seWidth[1]->value(), 7);
    // A new document takes its sizes from the dialogs.
    EXPECT_EQ(doc().Picture.Line(), 3);
}

TEST_F(EditorWindowsTest, HandBrokenSettingsKeepDefaultsAndAreClamped)
{
    stopProgram();
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(TFrmDgrProp::RegistryKey, true));
        reg.WriteInteger("SizeX", 150);
        reg.WriteInteger("SizeY", -4);
        reg.WriteString("StepX", "wide");
        reg.WriteInteger("TypDia", 9);
        reg.WriteInteger("PartBoard", -1);
        reg.WriteInteger("Ves1", 1000);
        reg.WriteFloat("Xall", 3.0);
        reg.DeleteValue("W1");
        ASSERT_TRUE(reg.OpenKey(TFrmSetBMP::RegistryKey, true));
        reg.WriteInteger("StepX", -50);
        reg.WriteInteger("Stone", 7);
        reg.WriteInteger("Line", 100000);
        reg.WriteString("Border", "thick");
    }
    startProgram();
    EXPECT_EQ(FrmDgrProp->seSizeX->value(), 99);
    EXPECT_EQ(FrmDgrProp->seSizeY->value(), 1);
    EXPECT_EQ(FrmDgrProp->seStepX->value(), 20); // not a number: the default
    EXPECT_EQ(FrmDgrProp->CBTypDia->currentIndex(), 4);
    EXPECT_EQ(FrmDgrProp->CBPartBoard->currentIndex(), 0);
    EXPECT_EQ(FrmDgrProp->seVes[0]->value(), 9);
    EXPECT_EQ(FrmDgrProp->SE_X->value(), 12);       // of another type: the default
    EXPECT_EQ(FrmDgrProp->seWidth[0]->value(), 10); // missing: the default
    EXPECT_EQ(FrmSetBMP->seStepX->value(), 1);
    EXPECT_EQ(FrmSetBMP->seStone->value(), 2);
    EXPECT_EQ(FrmSetBMP->seLine->value(), 255);
    EXPECT_EQ(FrmSetBMP->seBorder->value(), 2);
    // The first diagram is built from the clamped values and can be drawn.
    EXPECT_EQ(doc().Width(), 99);
    QString error;
    EXPECT_FALSE(renderBitmapPicture(doc(), error).isNull()) << error.toStdString();

    // A display key without "SizeX" gives the defaults.
    stopProgram();
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(TFrmDgrProp::RegistryKey, true));
        reg.DeleteValue("SizeX");
    }
    startProgram();
    EXPECT_EQ(FrmDgrProp->seSizeX->value(), 19);
    EXPECT_EQ(FrmDgrProp->seVes[0]->value(), 6);
    EXPECT_EQ(FrmDgrProp->CBTypDia->currentIndex(), 1);
}

TEST_F(EditorWindowsTest, BatchExportGoesOnPastABrokenFile)
{
    showEditor();
    click(2, 2); // the open diagram, which the export leaves alone
    const DgrCell before = cell(2, 2);
    ASSERT_TRUE(QDir(startFolder()).mkpath("in"));
    ASSERT_TRUE(QDir(startFolder()).mkpath("out"));
    std::string error;
    tDgrData a(5, 4);
    a.Grid.PutCell(1, 1, DgrCell{1, ElemCross, StoneBlack, 0, 0});
    ASSERT_TRUE(a.SaveToFile(path("in/a.dgr").toStdString(), error));
    ASSERT_TRUE(a.SaveToFile(path("in/game.1.dgr").toStdString(), error));
    ASSERT_TRUE(a.SaveToFile(path("in/game.2.dgr").toStdString(), error));
    QFile broken(path("in/broken.dgr"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(100, 'x'));
    broken.close();

    whenShown(DlgChooseDir, [this] {
        DlgChooseDir->DEFromDir->setText(path("in"));
        DlgChooseDir->DEToDir->setText(path("out"));
        DlgChooseDir->OKBtn->click();
    });
    FrmMain->EMF1->trigger();
    const QStringList written = QDir(path("out")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"a.emf", "game.1.emf", "game.2.emf"}));
    ASSERT_EQ(dialogs.script.informationTexts(),
              QStringList{QString::fromStdString(dgrBadStructureMessage(path("in/broken.dgr").toStdString()))});
    EXPECT_EQ(cell(2, 2), before);
    EXPECT_EQ(doc().Width(), 20);

    // Cancel exports nothing.
    QDir(path("out")).removeRecursively();
    whenShown(DlgChooseDir, [] { DlgChooseDir->CancelBtn->click(); });
    FrmMain->EMF1->trigger();
    EXPECT_FALSE(QDir(path("out")).exists());
}

TEST_F(EditorWindowsTest, FillFromTheRecognisedGameFollowsTheOptions)
{
    Reco.MoveCount = 3;
    Reco.MoveTable[1] = MoveRecord{4, 1};
    Reco.MoveTable[2] = MoveRecord{16, 3};
    Reco.MoveTable[3] = MoveRecord{4, 4};
    Reco.SetupStones[2].add(StonePoint{10, 2});
    Options->RGBoardSize->setItemIndex(0);
    Options->RGDiaSize->setItemIndex(1);   // half board
    Options->RGHalfBoard->setItemIndex(1); // top
    Options->CBSkarnPrefer->setChecked(false);
    Options->RxSEVLines->setValue(12);
    Options->RxSEHLines->setValue(8);
    CurrentTool = ToolWhite;
    FrmMain->OCR1->trigger();

    EXPECT_TRUE(FrmMain->isVisible());
    EXPECT_TRUE(FrmDgr->isVisible());
    EXPECT_EQ(FrmDgrProp->CBPartBoard->currentIndex(), 2);
    EXPECT_EQ(FrmDgrProp->SE_X->value(), 12);
    EXPECT_EQ(FrmDgrProp->SE_Y->value(), 8);
    EXPECT_EQ(doc().Width(), 19);
    EXPECT_EQ(doc().Block, (DgrBlock{0, 0, 18, 7}));
    EXPECT_EQ(cell(3, 0), (DgrCell{1, ElemTop, StoneBlack, 0, 0}));
    EXPECT_EQ(cell(15, 2), (DgrCell{2, ElemCross, StoneWhite, 0, 0}));
    EXPECT_EQ(cell(3, 3).Number, 3);
    EXPECT_EQ(cell(9, 1).Stone, StoneWhite);
    EXPECT_EQ(CurrentTool, ToolBlack);
    EXPECT_EQ(NumOpt->nextMove(), NextMove{});

    // A 9 x 9 board in the right bottom corner, the Skarn preferences kept.
    Options->RGBoardSize->setItemIndex(3);
    Options->RGDiaSize->setItemIndex(2);
    Options->RGCorner->setItemIndex(2);
    Options->CBSkarnPrefer->setChecked(true);
    FrmDgrProp->SE_X->setValue(4);
    FrmDgrProp->SE_Y->setValue(3);
    FrmMain->FillDiafromOCR();
    EXPECT_EQ(doc().Width(), 9);
    EXPECT_EQ(doc().Block, (DgrBlock{5, 6, 8, 8}));

    // Any other board size gets a board of its own size.
    Options->RGBoardSize->setItemIndex(4);
    Options->RxSEBoardSize->setValue(7);
    Options->RGDiaSize->setItemIndex(0);
    FrmMain->FillDiafromOCR();
    EXPECT_EQ(doc().Width(), 7);
    EXPECT_EQ(cell(6, 6).Element, ElemBottomRight);
    EXPECT_EQ(cell(3, 0).Number, 1);
    EXPECT_EQ(doc().Block, (DgrBlock{0, 0, 6, 6}));
}

TEST_F(EditorWindowsTest, PaletteAndNumberingWindow)
{
    showEditor();
    FrmMain->N1->trigger();
    QTest::mouseClick(FrmTools->toolButton("btnWhite"), Qt::LeftButton);
    EXPECT_EQ(CurrentTool, ToolWhite);
    EXPECT_EQ(grid()->property("toolCursor").toString(), "GoCurWhite");
    click(0, 0);
    EXPECT_EQ(cell(0, 0).Stone, StoneWhite);

    // The next-move button shows the numbering window at 1, Black.
    NumOpt->RXsENumMove->setValue(40);
    QTest::mouseClick(FrmTools->toolButton("btnAuto"), Qt::LeftButton);
    EXPECT_TRUE(NumOpt->isVisible());
    EXPECT_EQ(NumOpt->nextMove(), NextMove{});
    click(1, 1);
    click(2, 1);
    EXPECT_EQ(cell(1, 1), (DgrCell{1, ElemCross, StoneBlack, 0, 0}));
    EXPECT_EQ(cell(2, 1), (DgrCell{2, ElemCross, StoneWhite, 0, 0}));
    EXPECT_EQ(NumOpt->RXsENumMove->value(), 3);

    // Changing the number by hand chooses the next-move tool.
    QTest::mouseClick(FrmTools->toolButton("btnDefault"), Qt::LeftButton);
    EXPECT_EQ(CurrentTool, ToolPointer);
    NumOpt->RXsENumMove->setValue(10);
    EXPECT_EQ(CurrentTool, ToolNextMove);
    EXPECT_TRUE(FrmTools->toolButton("btnAuto")->isChecked());
    QTest::mouseClick(NumOpt->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(NumOpt->isVisible());

    // Taking the numbers off can be undone.
    QTest::mouseClick(FrmTools->btntoStatic, Qt::LeftButton);
    EXPECT_EQ(cell(1, 1).Number, 0);
    EXPECT_EQ(cell(1, 1).Stone, StoneBlack);
    QTest::mouseClick(FrmTools->btnUndo, Qt::LeftButton);
    EXPECT_EQ(cell(1, 1).Number, 1);

    // The buffer: pasting waits for the first copy.
    EXPECT_FALSE(FrmTools->btnFromBufer->isEnabled());
    QTest::mouseClick(FrmTools->btnToBufer, Qt::LeftButton);
    EXPECT_TRUE(FrmTools->btnFromBufer->isEnabled());
    FrmMain->N1->trigger();
    EXPECT_FALSE(FrmTools->btnFromBufer->isEnabled());

    // Hints only while asked for; the circle's hint reads as meant.
    EXPECT_TRUE(FrmTools->toolButton("btnCircle")->toolTip().isEmpty());
    FrmTools->cbxHint->setChecked(true);
    EXPECT_EQ(FrmTools->toolButton("btnCircle")->toolTip(), QString::fromUtf8("Рисует кружок"));
}

TEST_F(EditorWindowsTest, SettingsDialogsApplyToTheDiagram)
{
    showEditor();
    whenShown(FrmDgrProp, [] {
        FrmDgrProp->seSizeX->setValue(10);
        FrmDgrProp->seStepY->setValue(30);
        FrmDgrProp->seWidth[0]->setValue(7);
        FrmDgrProp->btnFont[1]->click();
        FrmDgrProp->OKBtn->click();
    });
    dialogs.script.font(QFont("DejaVu Sans", 12));
    FrmMain->miDisplay->trigger();
    EXPECT_EQ(doc().Width(), 10);
    EXPECT_EQ(doc().Display.StepY(), 30);
    EXPECT_EQ(grid()->height(), 20 * 30);
    // No font chosen: the record has no height and no face, with the fields' width and weight.
    EXPECT_EQ(doc().Display.Font(1).Height, 0);
    EXPECT_EQ(doc().Display.Font(1).Width, 7);
    EXPECT_EQ(doc().Display.Font(1).Weight, 100);
    // A chosen font: its face and character height, the fields' width and weight.
    EXPECT_EQ(doc().Display.Font(2).faceNameUtf8(), "DejaVu Sans");
    EXPECT_EQ(doc().Display.Font(2).Height, -16);
    EXPECT_EQ(doc().Display.Font(2).Weight, 100);

    // The picture dialog draws its preview and applies its values on OK.
    bool previewShown = false;
    whenShown(FrmSetBMP, [&] {
        previewShown = !FrmSetBMP->Image1->pixmap().isNull();
        FrmSetBMP->seLine->setValue(2);
        FrmSetBMP->seVes[0]->setValue(8);
        FrmSetBMP->OKBtn->click();
    });
    FrmMain->miBMP->trigger();
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(doc().Picture.Line(), 2);
    EXPECT_EQ(doc().Picture.Font(1).Weight, 800);
    EXPECT_EQ(doc().Picture.Font(1).faceNameUtf8(), "MS Sans Serif");

    // Cancel leaves the diagram as it was.
    whenShown(FrmSetBMP, [] {
        FrmSetBMP->seLine->setValue(5);
        FrmSetBMP->CancelBtn->click();
    });
    FrmMain->miBMP->trigger();
    EXPECT_EQ(doc().Picture.Line(), 2);
}

TEST_F(EditorWindowsTest, ViewerShowsBitmapsAndNothingForOtherKinds)
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    ASSERT_TRUE(image.save(path("x.bmp"), "BMP"));
    QFile::copy(path("x.bmp"), path("x.ico"));
    dialogs.script.file(path("x.bmp"));
    QTest::mouseClick(FrmGraphFilles->btnOpen, Qt::LeftButton);
    EXPECT_EQ(FrmGraphFilles->Image1->size(), QSize(30, 20));
    EXPECT_EQ(FrmGraphFilles->windowTitle(), QString::fromUtf8("Файл ") + path("x.bmp"));
    FrmGraphFilles->ShowFile(path("x.ico"));
    EXPECT_TRUE(FrmGraphFilles->Image1->pixmap().isNull());
    EXPECT_EQ(FrmGraphFilles->windowTitle(), QString::fromUtf8("Файл ") + path("x.ico"));

    // The metafiles the editor writes are played back at their size.
    tDgrData d(3, 3);
    d.Grid.PutCell(1, 1, DgrCell{0, ElemCross, StoneBlack, 0, 0});
    QString error;
    ASSERT_TRUE(SaveEmfFile(d, path("d.emf"), error));
    ASSERT_TRUE(SaveWmfFile(d, path("d.WMF"), error));
    for (const QString name : {"d.emf", "d.WMF"}) {
        FrmGraphFilles->ShowFile(path(name));
        const QImage shown = FrmGraphFilles->Image1->pixmap().toImage();
        ASSERT_EQ(shown.size(), QSize(66, 66)) << name.toStdString();
        EXPECT_EQ(shown.pixelColor(32, 32), QColor(Qt::black)) << name.toStdString();
        EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::white)) << name.toStdString();
    }
    // A cut-off metafile shows what it holds and nothing breaks.
    QFile whole(path("d.emf"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(path("cut.emf"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));
    cut.close();
    FrmGraphFilles->ShowFile(path("cut.emf"));
    EXPECT_EQ(FrmGraphFilles->Image1->pixmap().size(), QSize(66, 66));

    // Activated, the viewer shows the last picture written.
    Reco.LastPictureFile = path("x.bmp").toStdString();
    FrmGraphFilles->show();
    FrmGraphFilles->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrmGraphFilles));
    EXPECT_EQ(FrmGraphFilles->windowTitle(), QString::fromUtf8("Файл ") + path("x.bmp"));
}

} // namespace
