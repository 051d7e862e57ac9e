#include "editor/ui/FrmMainWindow.h"

#include "editor/FileFinder.h"
#include "editor/ui/DgrPictures.h"
#include "editor/ui/DlgChooseDirWindow.h"
#include "editor/ui/FrmDgrPropWindow.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/FrmGraphFillesWindow.h"
#include "editor/ui/FrmSetBMPWindow.h"
#include "editor/ui/FrmToolsWindow.h"
#include "editor/ui/GoGridWidget.h"
#include "editor/ui/NumOptWindow.h"
#include "model/OptionsSnapshot.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Dialogs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QSpinBox>

namespace quon {

TFrmMain* FrmMain = nullptr;

namespace {

const char* const DgrFilter = "Файлы го-диаграмм(*.dgr)|*.dgr";

QString caption() { return QString::fromUtf8(DgrErrorCaption); }

void showError(const QString& text) { Dialogs::current().information(text, caption()); }

tGoGrid* grid() { return FrmDgr ? FrmDgr->grid() : nullptr; }

// Board sizes of the display dialog's kinds 1..4.
constexpr int32_t KindSides[] = {0, 19, 13, 11, 9};

} // namespace

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FrmMain");
    setWindowTitle(QString::fromUtf8("Редактор Го-диаграмм"));
    buildMenu();
    // Only the menu: the palette goes right below this window.
    resize(480, menuBar()->sizeHint().height() + 4);
    move(0, 0);
}

void TFrmMain::buildMenu()
{
    auto item = [this](QMenu* menu, QAction*& action, const char* name, const char* text, void (TFrmMain::*slot)(),
                       const QKeySequence& keys = {}) {
        action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("Файл"));
    file->setObjectName("Files");
    item(file, N1, "N1", "Новый", &TFrmMain::N1Click);
    item(file, OCR1, "OCR1", "Загрузить из OCR", &TFrmMain::OCR1Click);
    item(file, miLoad, "miLoad", "Загрузить", &TFrmMain::miLoadClick, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O));
    item(file, miSave, "miSave", "Сохранить", &TFrmMain::miSaveClick, QKeySequence(Qt::CTRL | Qt::Key_W));
    item(file, miSaveAs, "miSaveAs", "Сохранить как", &TFrmMain::miSaveAsClick,
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W));
    item(file, N2, "N2", "Выход", &TFrmMain::N2Click);

    QMenu* setup = menuBar()->addMenu(QString::fromUtf8("Настройка"));
    setup->setObjectName("Setup");
    item(setup, miDisplay, "miDisplay", "Дисплей", &TFrmMain::miDisplayClick);
    item(setup, miBMP, "miBMP", "Картинка", &TFrmMain::miBMPClick);

    QMenu* out = menuBar()->addMenu(QString::fromUtf8("Вывод"));
    out->setObjectName("Output");
    item(out, miToBMP, "miToBMP", "В BMP-файл", &TFrmMain::miToBMPClick);
    item(out, miToEMF, "miToEMF", "В EMF- файл", &TFrmMain::miToEMFClick, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    item(out, miWMF, "miWMF", "В WMF- файл", &TFrmMain::miWMFClick);
    item(out, miBMPClip, "miBMPClip", "BMP в ClipBoard", &TFrmMain::miBMPClipClick);
    item(out, miEMFClip, "miEMFClip", "EMF в ClipBoard", &TFrmMain::miEMFClipClick, QKeySequence(Qt::CTRL | Qt::Key_Z));
    item(out, miWMFClip, "miWMFClip", "WMF в ClipBoard", &TFrmMain::miWMFClipClick);
    QMenu* batch = out->addMenu("Batch export");
    batch->setObjectName("Batchexport1");
    item(batch, EMF1, "EMF1", "DGR -> EMF", &TFrmMain::EMF1Click);
    SGF1 = batch->addAction("DGR -> SGF");
    SGF1->setObjectName("SGF1");

    QMenu* windows = menuBar()->addMenu(QString::fromUtf8("Окна"));
    windows->setObjectName("Windows");
    item(windows, miInstr, "miInstr", "Инструменты", &TFrmMain::miInstrClick);
    item(windows, miDgr, "miDgr", "Диаграмма", &TFrmMain::miDgrClick);
    item(windows, miGraphFiles, "miGraphFiles", "Графические файлы", &TFrmMain::miGraphFilesClick);
    item(windows, N3, "N3", "Текущий ход", &TFrmMain::N3Click);

    menuBar()->addMenu(QString::fromUtf8("Помощь"))->setObjectName("Help");
}

void TFrmMain::afterNewDiagram()
{
    CurrentTool = ToolBlack;
    if (FrmTools)
        FrmTools->showTool(ToolBlack);
    grid()->RepaintAll();
    SetAutoTo0();
}

void TFrmMain::N1Click()
{
    FrmDgr->newView();
    afterNewDiagram();
}

void TFrmMain::OCR1Click()
{
    show();
    if (FrmTools)
        FrmTools->show();
    FillDiafromOCR();
    SetAutoTo0();
}

void TFrmMain::SetAutoTo0()
{
    if (NumOpt)
        NumOpt->reset();
}

void TFrmMain::FillDiafromOCR()
{
    const OptionsSnapshot o = Options ? Options->snapshot() : OptionsSnapshot{};
    const int32_t kind = o.RGBoardSize + 1;
    std::optional<NewDiagramSettings> arbitrary;
    if (kind >= 1 && kind <= 4) {
        FrmDgrProp->CBTypDia->setCurrentIndex(kind);
        FrmDgrProp->seSizeX->setValue(KindSides[kind]);
        FrmDgrProp->seSizeY->setValue(KindSides[kind]);
    }
    if (o.RGDiaSize == 0)
        FrmDgrProp->CBPartBoard->setCurrentIndex(0);
    else if (o.RGDiaSize == 1 && o.RGHalfBoard >= 0)
        FrmDgrProp->CBPartBoard->setCurrentIndex(o.RGHalfBoard + 1);
    else if (o.RGDiaSize == 2 && o.RGCorner >= 0)
        FrmDgrProp->CBPartBoard->setCurrentIndex(o.RGCorner + 5);
    if (!o.CBSkarnPrefer && FrmDgrProp->CBPartBoard->currentIndex() != 0) {
        FrmDgrProp->SE_X->setValue(o.RxSEVLines);
        FrmDgrProp->SE_Y->setValue(o.RxSEHLines);
    }
    if (kind == 5) {
        // A board of any other size: its own N x N board, drawn as the fixed
        // sizes are, rather than the display dialog's list, which has no such
        // kind to keep.
        NewDiagramSettings s = FrmDgrProp->newDiagramSettings();
        s.SizeX = s.SizeY = std::clamp(o.RxSEBoardSize, 5, 19);
        s.TypDia = 0;
        arbitrary = s;
    }
    FrmDgr->newView(arbitrary);
    GoGridModel& model = grid()->model();
    if (arbitrary) {
        const int32_t n = arbitrary->SizeX;
        model.Document().Grid.PasteAt(boardTemplate(n), 0, 0);
        const int32_t part = arbitrary->PartBoard;
        const int32_t X = arbitrary->X, Y = arbitrary->Y, m = n - 1;
        // The same board parts a new diagram offers, on this board.
        const IntPoint corners[9][2] = {{{0, 0}, {m, m}},
                                        {{0, 0}, {X - 1, m}},
                                        {{0, 0}, {m, Y - 1}},
                                        {{m - X + 1, 0}, {m, m}},
                                        {{0, m - Y + 1}, {m, m}},
                                        {{0, 0}, {X - 1, Y - 1}},
                                        {{m - X + 1, 0}, {m, Y - 1}},
                                        {{m - X + 1, m - Y + 1}, {m, m}},
                                        {{0, m - Y + 1}, {X - 1, m}}};
        model.Document().BlockAll();
        if (part >= 0 && part <= 8) {
            model.Document().SetBlockStart(corners[part][0]);
            model.Document().SetBlockEnd(corners[part][1]);
        }
    }
    model.FillFromGame();
    afterNewDiagram();
    FrmDgr->show();
}

void TFrmMain::miLoadClick()
{
    FileDialogSpec spec;
    spec.key = "DgrOpen";
    spec.filter = QString::fromUtf8(DgrFilter);
    spec.defaultExt = "dgr";
    const QString name = Dialogs::current().openFile(spec);
    if (name.isEmpty())
        return;
    tGoGrid* g = grid();
    std::string error;
    if (!g->model().LoadFromFile(name.toStdString(), error)) {
        showError(QString::fromStdString(error));
        return;
    }
    FrmDgr->showFileName();
    g->Relayout();
    g->MakeFonts();
    g->RepaintAll();
    SetAutoTo0();
}

bool TFrmMain::saveAs(const QString& name)
{
    std::string error;
    if (!grid()->document().SaveToFile(name.toStdString(), error)) {
        showError(QString::fromStdString(error));
        return false;
    }
    FrmDgr->showFileName();
    Reco.GameSaved = 1;
    return true;
}

void TFrmMain::miSaveClick()
{
    const std::string& name = grid()->document().FileName;
    if (name.empty())
        miSaveAsClick();
    else
        saveAs(QString::fromStdString(name));
}

void TFrmMain::miSaveAsClick()
{
    FileDialogSpec spec;
    spec.key = "DgrSave";
    spec.filter = QString::fromUtf8(DgrFilter);
    spec.defaultExt = "dgr";
    const QString name = Dialogs::current().saveFile(spec);
    if (!name.isEmpty())
        saveAs(name);
}

void TFrmMain::N2Click()
{
    if (FrmDgr)
        FrmDgr->hide();
    if (FrmTools)
        FrmTools->hide();
    hide();
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    // Closing the editor hides its windows; the program goes on.
    event->accept();
    N2Click();
}

void TFrmMain::miDisplayClick()
{
    if (FrmDgrProp->exec() != QDialog::Accepted)
        return;
    tGoGrid* g = grid();
    GoGridModel& model = g->model();
    model.Resize(FrmDgrProp->seSizeX->value(), FrmDgrProp->seSizeY->value());
    tDgrData& doc = model.Document();
    doc.Display.SetStepX(FrmDgrProp->seStepX->value());
    doc.Display.SetStepY(FrmDgrProp->seStepY->value());
    for (int n = 1; n <= 3; ++n)
        doc.Display.SetFont(n, FrmDgrProp->GetScreenFont(n));
    g->Relayout();
    g->MakeFonts();
    g->RepaintAll();
}

void TFrmMain::miBMPClick()
{
    tDgrData& doc = grid()->document();
    FrmSetBMP->previewDocument().Picture = doc.Picture;
    FrmSetBMP->ShowSampleCell();
    if (FrmSetBMP->exec() != QDialog::Accepted)
        return;
    FrmSetBMP->ReadControls();
    grid()->document().Picture = FrmSetBMP->previewDocument().Picture;
}

void TFrmMain::savePicture(const char* key, const char* ext, bool (*save)(tDgrData&, const QString&, QString&))
{
    FileDialogSpec spec;
    spec.key = key;
    spec.defaultExt = ext;
    const QString name = Dialogs::current().saveFile(spec);
    if (name.isEmpty())
        return;
    QString error;
    if (!save(grid()->document(), name, error)) {
        showError(error);
        return;
    }
    Reco.LastPictureFile = name.toStdString();
}

void TFrmMain::copyPicture(bool (*copy)(tDgrData&, QString&))
{
    QString error;
    if (!copy(grid()->document(), error))
        showError(error);
}

void TFrmMain::miToBMPClick() { savePicture("PictureBmp", "bmp", &SaveBmpFile); }
void TFrmMain::miToEMFClick() { savePicture("PictureEmf", "emf", &SaveEmfFile); }
void TFrmMain::miWMFClick() { savePicture("PictureWmf", "wmf", &SaveWmfFile); }
void TFrmMain::miBMPClipClick() { copyPicture(&CopyBmpToClipboard); }
void TFrmMain::miEMFClipClick() { copyPicture(&CopyEmfToClipboard); }
void TFrmMain::miWMFClipClick() { copyPicture(&CopyWmfToClipboard); }

BatchExportResult TFrmMain::exportFolder(const QString& fromDir, const QString& toDir)
{
    BatchExportResult result;
    std::vector<std::string> names;
    FindFiles(QDir(fromDir).absolutePath().toStdString(), "*.dgr", false, names);
    const tDgrData& current = grid()->document();
    for (const std::string& name : names) {
        // Each file is read into a document of its own, so the diagram being
        // edited stays as it is; an older file without settings takes the
        // current diagram's.
        tDgrData doc;
        doc.Display = current.Display;
        doc.Picture = current.Picture;
        std::string error;
        if (!doc.LoadFromFile(name, error)) {
            result.problems.push_back(error);
            continue;
        }
        // Only the last extension goes, so game.1.dgr and game.2.dgr give
        // two pictures.
        const QString out = QDir(toDir).filePath(QFileInfo(QString::fromStdString(name)).completeBaseName() + ".emf");
        QString saveError;
        if (!SaveEmfFile(doc, out, saveError)) {
            result.problems.push_back(saveError.toStdString());
            continue;
        }
        result.written.push_back(out.toStdString());
    }
    return result;
}

void TFrmMain::EMF1Click()
{
    if (DlgChooseDir->exec() != QDialog::Accepted)
        return;
    const BatchExportResult result = exportFolder(DlgChooseDir->DEFromDir->text(), DlgChooseDir->DEToDir->text());
    if (result.problems.empty())
        return;
    QStringList lines;
    for (const std::string& p : result.problems)
        lines << QString::fromStdString(p);
    showError(lines.join("\n"));
}

void TFrmMain::miInstrClick()
{
    FrmTools->show();
    FrmTools->raise();
}

void TFrmMain::miDgrClick()
{
    FrmDgr->show();
    FrmDgr->raise();
}

void TFrmMain::miGraphFilesClick()
{
    FrmGraphFilles->show();
    FrmGraphFilles->raise();
}

void TFrmMain::N3Click()
{
    NumOpt->show();
    NumOpt->raise();
}

} // namespace quon
