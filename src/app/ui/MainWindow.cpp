#include "app/ui/MainWindow.h"

#include "app/ui/App.h"
#include "app/ui/MainMenu.h"
#include "app/ui/PageView.h"
#include "app/ui/Debug1Window.h"
#include "app/ui/Form3Window.h"
#include "app/ui/GridBoard1Window.h"
#include "app/ui/SMTP0Window.h"
#include "prepare/ui/Prepare3Window.h"
#include "model/ui/Board.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/VGameWindow.h"
#include "app/ui/ScanImageWindow.h"
#include "app/ui/Form4Window.h"
#include <QPushButton>
#include "recognize/ui/BezForm1Window.h"
#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "platform/DataFiles.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/PageFile.h"
#include "platform/ui/Registry.h"
#include "platform/ui/System.h"
#include "recognize/DigitSetFile.h"
#include "recognize/GameAssembly.h"
#include "recognize/ui/DigitSetLoading.h"

#include <QAction>
#include <QHeaderView>
#include <QTableWidget>
#include <QApplication>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QSaveFile>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace quon {

TForm1* Form1 = nullptr;

namespace {
const char* const StoneSizeNames[4] = {"StszBx", "StszWx", "StszBy", "StszWy"};

int32_t* stoneSizeField(int i)
{
    switch (i) {
    case 0: return &Reco.StoneSizes[1].Width;
    case 1: return &Reco.StoneSizes[2].Width;
    case 2: return &Reco.StoneSizes[1].Height;
    default: return &Reco.StoneSizes[2].Height;
    }
}

QString acquiredPath() { return QDir(QString::fromStdString(Reco.StartFolder)).filePath("Acquired0.bmp"); }
} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle("Quon OCR");
    resize(900, 700);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("ScrollBox1");
    scroll_->setBackgroundRole(QPalette::Dark);
    Image1 = new PageView(scroll_);
    scroll_->setWidget(Image1);
    setCentralWidget(scroll_);
    buildMenu();
    setupPageOperations();
    OnCropEnded = [this] { photocopierCropEnded(); };
    FormCreate();
}

TForm1::~TForm1() = default;

QAction* TForm1::item(const std::string& name) const
{
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QMenu* TForm1::menu(const std::string& name) const
{
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

void TForm1::runCommand(void (TForm1::*command)())
{
    // A bad index or a broken file inside a command stops that command with
    // a message; the tables were not touched past the failing step.
    try {
        (this->*command)();
    } catch (const std::exception& e) {
        Dialogs::current().information(QString::fromStdString(e.what()), "Error");
    }
}

void TForm1::buildMenu()
{
    std::map<std::pair<std::string, int>, QActionGroup*> groups;
    for (int i = 0; i < MainMenuTableSize; ++i) {
        const MenuItemDef& d = MainMenuTable[i];
        QAction* action = nullptr;
        if (d.flags & (MenuTop | MenuSub)) {
            QMenu* parentMenu = d.parent ? menus_.at(d.parent) : nullptr;
            QMenu* m = parentMenu ? parentMenu->addMenu(QString::fromUtf8(d.caption))
                                  : menuBar()->addMenu(QString::fromUtf8(d.caption));
            m->setObjectName(d.name);
            menus_[d.name] = m;
            action = m->menuAction();
        } else {
            QMenu* parentMenu = menus_.at(d.parent);
            action = parentMenu->addAction(QString::fromUtf8(d.caption));
            if (*d.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
            if (d.flags & (MenuRadio | MenuChecked))
                action->setCheckable(true);
            if (d.flags & MenuRadio) {
                QActionGroup*& g = groups[{d.parent, d.group}];
                if (!g) {
                    g = new QActionGroup(parentMenu);
                    g->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
                }
                g->addAction(action);
            }
            if (d.command) {
                const auto command = d.command;
                connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
            }
        }
        action->setObjectName(d.name);
        action->setProperty("groupIndex", d.group);
        action->setProperty("radioItem", (d.flags & MenuRadio) != 0);
        action->setVisible(!(d.flags & MenuInvisible));
        action->setEnabled(!(d.flags & MenuDisabled));
        if (d.flags & MenuChecked)
            action->setChecked(true);
        items_[d.name] = action;
    }
    // The Edit menu is hidden, but its shortcuts still work: its items are
    // also actions of the window itself.
    for (const char* name : {"CopyEMFDiatoClipBoard2", "CopyEMFDiatoClipBoard1", "CopyBMPDiatoClipBoard1"})
        addAction(items_.at(name));

    Editmovesmode1 = item("Editmovesmode1");
    Addmovesmode1 = item("Addmovesmode1");
    AddBlackstone1 = item("AddBlackstone1");
    AddWhitestone1 = item("AddWhitestone1");
    DeleteStaticstone1 = item("DeleteStaticstone1");
    Jumpsoverstones1 = item("Jumpsoverstones1");
    ManualCornersPointing1 = item("ManualCornersPointing1");
    DebugWindow1 = item("DebugWindow1");
    DebugMode1 = item("DebugMode1");
    DebugMode2 = item("DebugMode2");
    DebugRecDigits1 = item("DebugRecDigits1");
    Gridvisible1 = item("Gridvisible1");
    AutoRecognition1 = item("AutoRecognition1");
    Recognition1 = item("Recognition1");
    OpenLastImage1 = item("OpenLastImage1");
    Fitinwindow1 = item("Fitinwindow1");
    FullSize1 = item("FullSize1");

    connect(item("View2"), &QAction::triggered, this, [this] { showWindow(VGame); });
    connect(item("Info1"), &QAction::triggered, this, [this] { showWindow(ExistGm); });
    connect(item("Options2"), &QAction::triggered, this, [this] { showWindow(Options); });
    connect(item("Scanneroptions1"), &QAction::triggered, this, [this] { showWindow(ScanImage); });
    connect(item("EditDigits1"), &QAction::triggered, this, [this] { showWindow(BezForm1); });
    connect(item("Sendgame1"), &QAction::triggered, this, [this] { showWindow(SMTP0); });
}

void TForm1::linkWindows()
{
    // The menu item and the options' check box are one setting: a click on
    // either shows on the other.
    if (Options) {
        connect(Options->cbJumpOverStones, &QCheckBox::toggled, Jumpsoverstones1, &QAction::setChecked);
        Jumpsoverstones1->setChecked(Options->cbJumpOverStones->isChecked());
    }
    // The digit editor's preview and its "Grid" entry use the raster view.
    if (BezForm1 && Form3) {
        BezForm1->showGridHook = [this] { showWindow(Form3); };
        BezForm1->showRasterHook = [this](const std::vector<uint16_t>& cells, int32_t w, int32_t h) {
            QTableWidget* grid = Form3->SGgame;
            for (int x = 1; x <= 40; ++x)
                for (int y = 1; y <= 50; ++y)
                    if (QTableWidgetItem* item = grid->item(y, x))
                        item->setText(QString());
            for (int x = 1; x <= w && x < grid->columnCount(); ++x)
                for (int y = 1; y <= h && y < grid->rowCount(); ++y)
                    grid->setItem(y, x, new QTableWidgetItem(QString::number(
                                            cells[static_cast<size_t>(x - 1) * static_cast<size_t>(h) +
                                                  static_cast<size_t>(y - 1)])));
            Form3->Edit1->setText("Stone before centering");
            showWindow(Form3);
        };
    }
    // A click on the game board reads the edit items of the Game and Board menus.
    if (VGame)
        VGame->editModeSource = [this] { return editMode(); };
    // Linear input is typed on the game window: its two commands must work
    // from there too.
    for (const char* name : {"LinearInput1", "NextDia1"})
        item(name)->setShortcutContext(Qt::ApplicationShortcut);
    // Preparation lists point values beside the recognition log.
    if (Prepare3 && Debug1)
        Prepare3->pointListSink = [](const std::string& line) {
            if (Debug1)
                Debug1->ListBox2->addItem(QString::fromStdString(line));
        };
    // Preparation enables Recognition at its end and may list the grid in
    // the grid-values window.
    if (Prepare3) {
        Prepare3->enableRecognitionHook = [this] { Recognition1->setEnabled(true); };
        Prepare3->gridVisibleHook = [this] { return Gridvisible1->isChecked(); };
        Prepare3->uncheckGridVisibleHook = [this] { Gridvisible1->setChecked(false); };
        Prepare3->beginGridCellsHook = [] {
            if (GridBoard1)
                GridBoard1->SGBoard1->horizontalHeader()->setDefaultSectionSize(40);
        };
        Prepare3->gridCellHook = [](int col, int row, const std::string& text) {
            if (GridBoard1)
                GridBoard1->setCellText(col, row, QString::fromStdString(text));
        };
        Prepare3->showGridWindowHook = [this](bool visible) {
            if (!GridBoard1)
                return;
            if (visible)
                showWindow(GridBoard1);
            else
                GridBoard1->hide();
        };
    }
}

void TForm1::showWindow(QWidget* w)
{
    if (!w)
        return;
    w->show();
    w->raise();
    w->activateWindow();
}

// ---- Start and end ----------------------------------------------------------

void TForm1::FormCreate()
{
    {
        Registry reg;
        if (!reg.OpenKey(QuonRegistryKey, false)) {
            // First start: the key gets the default sizes; the sizes in
            // memory keep their start values.
            if (reg.OpenKey(QuonRegistryKey, true))
                for (const char* name : StoneSizeNames)
                    reg.WriteInteger(name, 60);
        } else if (reg.ValueExists("StszBx")) {
            // Each value only when it is there and an integer, and within
            // what the options can show, so a stray value cannot overflow
            // the arithmetic that uses the sizes.
            for (int i = 0; i < 4; ++i)
                if (const auto v = reg.tryReadInteger(StoneSizeNames[i]))
                    *stoneSizeField(i) = std::clamp<int32_t>(*v, 0, 10000);
        }
        reg.CloseKey();
    }
    Reco.StartFolder = QDir::currentPath().toStdString();
    App::atShutdown([] {
        if (Form1)
            Form1->FormDestroy();
    });
}

void TForm1::FormDestroy()
{
    try {
        Registry reg;
        if (reg.OpenKey(QuonRegistryKey, true))
            for (int i = 0; i < 4; ++i)
                reg.WriteInteger(StoneSizeNames[i], *stoneSizeField(i));
        reg.CloseKey();
    } catch (...) {
        // Nothing is reported at exit.
    }
    QFile::remove(acquiredPath());
}

bool TForm1::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        // Loading may show a message; posting keeps it out of the activation.
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
    return QMainWindow::event(e);
}

void TForm1::FormActivate()
{
    if (Reco.DigitsPending == 1) {
        ReloadDigits1Click();
        Reco.DigitsPending = 0;
    }
}

void TForm1::closeEvent(QCloseEvent* e)
{
    // A scan or a photocopier run is stopped first; the window closes once
    // it has ended.
    if (photocopying_ || (ScanImage && ScanImage->scanner().busy())) {
        if (Form4)
            Form4->Button1->click();
        e->ignore();
        QTimer::singleShot(50, this, &QWidget::close);
        return;
    }
    e->accept();
    // Closing the main window ends the program even while other windows
    // are open; the at-exit saves run first.
    App::shutdown();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---- The page ---------------------------------------------------------------

void TForm1::Open1Click()
{
    FileDialogSpec spec;
    spec.key = "OpenDialog1";
    spec.defaultExt = "BMP";
    spec.filter = "Bitmap|*.BMP|All Files|*.*";
    const QString file = Dialogs::current().openFile(spec);
    if (file.isEmpty())
        return;
    openPageFile(file);
}

bool TForm1::openPageFile(const QString& path)
{
    LoadedPage page = loadPageFile(path);
    if (!page.ok()) {
        Dialogs::current().information(page.error);
        return false;
    }
    // The copy keeps the page as it was loaded; a copy that cannot be
    // written is reported, and the page is still opened.
    QSaveFile copy(acquiredPath());
    const bool copied = copy.open(QIODevice::WriteOnly) && page.asLoaded.save(&copy, "BMP") && copy.commit();
    if (!copied)
        Dialogs::current().information(QStringLiteral("Cannot write the page copy \"%1\".").arg(acquiredPath()));
    Image1->setPicture(page.mono);
    SetupImage();
    CheckColor();
    AutoRecognition1->setEnabled(true);
    return true;
}

void TForm1::FillImageArray() { quon::FillImageArray(monoRows(Image1->picture())); }

void TForm1::SetupImage()
{
    const QImage& picture = Image1->picture();
    if (picture.format() != QImage::Format_Mono)
        Image1->setPicture(toMonoPage(picture));
    Reco.ImageWidth = Image1->picture().width();
    Reco.ImageHeight = Image1->picture().height();
    // The packed copy follows every new page, so nothing reads a copy made
    // for the page before.
    FillImageArray();
    zoomPercent_ = 0;
    refitView();
    Fitinwindow1->setChecked(true);
    FullSize1->setChecked(false);
    const DiagramSize d = Reco.DiagramWindowSize;
    if (Reco.ImageWidth >= 30 * d.Columns && Reco.ImageHeight >= 30 * d.Rows) {
        Reco.CropArmed = 1;
        OpenLastImage1->setEnabled(true);
    } else {
        Dialogs::current().information("This is not proper image!");
    }
}

void TForm1::CheckColor() { quon::CheckColor(monoRows(Image1->picture())); }

// ---- Game records -----------------------------------------------------------

int TForm1::OpenGame0(int mode)
{
    FileDialogSpec spec;
    spec.key = "OpenDialog1";
    if (mode == 1) {
        spec.defaultExt = "SGF";
        spec.filter = "SGF files|*.SGF|MGT files|*.MGT|All Files|*.*";
    } else {
        spec.defaultExt = "QCR";
        spec.filter = "QCR files|*.QCR|All Files|*.*";
    }
    const QString path = Dialogs::current().openFile(spec);
    if (path.isEmpty())
        return 0;
    // Records are bytes: a QCR file is unscrambled before anything decodes it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::current().information(QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
        return TRWSGF::ReadFailed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Dialogs::current().information(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        return TRWSGF::ReadFailed;
    }
    if (!RWSGF)
        return TRWSGF::ReadFailed;
    const int n = mode == 1 ? RWSGF->ReadSgf(bytes.toStdString()) : RWSGF->ReadQcr(bytes.toStdString());
    if (n != TRWSGF::ReadFailed)
        Reco.GameEditEnabled = 1;
    return n;
}

void TForm1::OpenSGFgame1Click() { openGame(1); }
void TForm1::OpenQCRgame1Click() { openGame(2); }

void TForm1::openGame(int mode)
{
    const int n = OpenGame0(mode);
    // A failed read was reported and changed nothing: there is no game to show.
    if (n == TRWSGF::ReadFailed)
        return;
    if (n == 0 && Reco.SetupStones[1].Count == 0 && Reco.SetupStones[2].Count == 0)
        return;
    if (Options && Options->SENdias->value() == 0)
        Options->seNDia->setValue(1);
    Reco.DiagramsDone = 1;
    InitGame();
    if (n > 0) {
        Reco.MovesBefore = Reco.MoveCount;
        if (Options)
            Options->seMoveCor->setValue(Reco.MoveCount + 1);
        if (VGame)
            VGame->StepForward(1);
    }
    if (VGame) {
        VGame->RedrawBoard();
        showWindow(VGame);
    }
}

void TForm1::QCRfile1Click()
{
    if (RWSGF)
        RWSGF->WriteGameRecord();
}

void TForm1::InitGame()
{
    if (!VGame)
        return;
    VGame->ClearBoard();
    VGame->ClearMoves();
    if (Reco.LinearInputState != 1) {
        // The setup stones stand on the board before the first move, for a
        // game record too: a handicap game replayed without its handicap
        // stones would show wrong positions and captures.
        for (int colour = 1; colour <= 2; ++colour)
            for (const StonePoint& s : Reco.SetupStones[colour])
                VGame->Board()->SetPoint(s.X, s.Y, colour);
        VGame->Board()->TakeError();
        if (Reco.DiagramType == DiaGameRecord && !ReadGame1())
            return;
        if (Reco.DiagramType > DiaPosition)
            ReadGame1();
    }
    VGame->FitBoard();
    VGame->RedrawBoard();
    VGame->AppendMove(NoMoveCoord, NoMoveCoord);
    VGame->GoFirst();
    showWindow(VGame);
    VGame->activateWindow();
    VGame->setFocus();
}

bool TForm1::ReadGame1() { return VGame && quon::ReadGame1(VGame->Game()); }

// ---- Small commands ---------------------------------------------------------

void TForm1::Close1Click()
{
    RecoLog.clear();
    if (Debug1)
        Debug1->ListBox2->clear();
    Reco.Segments.clear();
}

void TForm1::Exit1Click() { close(); }

void TForm1::Addmove1Click()
{
    if (Reco.MoveCount >= MaxMoves) {
        sys::beep();
        return;
    }
    Reco.MoveCount = Reco.MoveCount + 1;
    if (VGame) {
        VGame->StepBack(0);
        VGame->GoLast();
        VGame->AppendMove(NoMoveCoord, NoMoveCoord);
        VGame->GoFirst();
        VGame->StepForward(0);
        VGame->RedrawBoard();
    }
}

void TForm1::Jumpsoverstones1Click()
{
    if (!Options)
        return;
    Options->cbJumpOverStones->setChecked(!Options->cbJumpOverStones->isChecked());
    Jumpsoverstones1->setChecked(Options->cbJumpOverStones->isChecked());
}

void TForm1::selectScanSet(int index)
{
    if (!ScanImage)
        return;
    // Choosing another set runs the group's click; choosing the current one
    // must show it again all the same.
    if (ScanImage->RGScanSet->itemIndex() != index)
        ScanImage->RGScanSet->setItemIndex(index);
    else
        ScanImage->RGScanSetClick();
}

void TForm1::SetScanReg11Click() { selectScanSet(0); }
void TForm1::SetScanReg21Click() { selectScanSet(1); }

void TForm1::Set1diaGame1Click()
{
    if (Options)
        Options->SENdias->setValue(1);
}

void TForm1::Set2diaGame1Click()
{
    if (!Options)
        return;
    Options->SENdias->setValue(2);
    Options->seNDia->setValue(0);
}

void TForm1::loadDigitSet(const QString& path)
{
    loadDigitPacket(path);
}

void TForm1::ReloadDigits1Click()
{
    auto path = defaultDigitSetPath(Reco.StartFolder);
    // Found nowhere: loading from the start folder reports the missing file,
    // and the program goes on with the set it has.
    if (path.empty())
        path = std::filesystem::path(Reco.StartFolder) / DefaultDigitSetName;
    loadDigitSet(QString::fromStdString(path.string()));
}

void TForm1::LoadSetofdigits1Click()
{
    FileDialogSpec spec;
    spec.key = "OpenDialog1";
    spec.defaultExt = "BzP";
    spec.filter = "BzP files|*.BzP";
    const QString file = Dialogs::current().openFile(spec);
    if (!file.isEmpty())
        loadDigitSet(file);
}

void TForm1::Contents1Click()
{
    const auto help = findDataFile("help/QuonOCR.html", {});
    if (help.empty()) {
        Dialogs::current().information("The help page \"QuonOCR.html\" is missing.");
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(help.string()));
    url.setFragment("topic10");
    if (!QDesktopServices::openUrl(url))
        Dialogs::current().information(
            QStringLiteral("No web browser could be started to show the help. The help is the file \"%1\".")
                .arg(QString::fromStdString(help.string())));
}

} // namespace quon
