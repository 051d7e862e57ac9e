#include "app/ui/App.h"
#include "app/ui/Debug1Window.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PageView.h"
#include "common/BmpBuilder.h"
#include "common/ui/AppFixture.h"
#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Registry.h"
#include "platform/ui/System.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <map>
#include <set>

using namespace quon;
using namespace quon::test;

namespace {

class MainWindowTest : public AppFixture {};

// The main menu as the program must show it: parent|name|caption|shortcut|state.
// State letters: I invisible, D disabled, C checked, R radio, S submenu, T menu of the bar.
const char* const ExpectedMenu[] = {
    "|MFile|&File||T",
    "MFile|Newgame1|New game||S",
    "Newgame1|Creategame1|Create game||",
    "Newgame1|CreateGQR1|Create GQR|Ctrl+N|I",
    "MFile|Open1|&Open Image|Ctrl+Alt+E|",
    "MFile|OpenSGFgame1|Open SGF game||",
    "MFile|OpenQCRgame1|Open QCR game||",
    "MFile|Save1|&Save Image|Ctrl+Alt+I|",
    "MFile|SaveGame1|Save &Game||S",
    "SaveGame1|SGFfile1|SGF file|Ctrl+S|I",
    "SaveGame1|QCRfile1|QCR file||",
    "SaveGame1|EMFfile1|EMF file||",
    "SaveGame1|BMPfile1|BMP file||",
    "SaveGame1|GQRfile1|GQR file||I",
    "MFile|Sendgame1|Send game ||",
    "MFile|Saveas1|Save as|Ctrl+Alt+S|I",
    "MFile|Acquire1|Acquire Image||S",
    "Acquire1|SelectSource1|Select Source||",
    "Acquire1|Acquire2|Acquire|Ctrl+Alt+A|",
    "MFile|PrintSetup1|Print Setup||",
    "MFile|PrintImage1|Print Image||",
    "MFile|Close1|&Close All||",
    "MFile|Exit1|&Exit||",
    "MFile|OpenLastImage1|Open Last Image|Ctrl+G|D",
    "|Edit1|&Edit||TI",
    "Edit1|CopyEMFDiatoClipBoard2|Copy EMF Dia to ClipBoard|Ctrl+Z|",
    "Edit1|CopyEMFDiatoClipBoard1|Copy OCR EMF Dia to ClipBoard|Ctrl+Alt+F|",
    "Edit1|CopyBMPDiatoClipBoard1|Copy BMP Dia to ClipBoard||",
    "|MGo1|&Recognition||T",
    "MGo1|Prepare1|Prepare||D",
    "MGo1|Recognition1|Recognition||D",
    "MGo1|AutoRecognition1|AutoRecognition|Ctrl+R|D",
    "MGo1|Test1|Test||D",
    "|Image2|&Image||T",
    "Image2|View1|View||S",
    "View1|FullSize1|Actual Size||R",
    "View1|N751|75%||R",
    "View1|N501|50%||R",
    "View1|N251|25%||R",
    "View1|N1251|125%||R",
    "View1|N1501|150%||R",
    "View1|Fitinwindow1|Fit to window||RC",
    "View1|Other1|Other||",
    "Image2|Rotate1|Rotate||S",
    "Rotate1|Left90|Left 90 degrees||",
    "Rotate1|Right90|Right 90 degrees||",
    "Rotate1|N180|180 degrees|Ctrl+1|",
    "Rotate1|ArbitraryCW|Arbitrary (CW)||",
    "Rotate1|ArbitraryCCW|Arbitrary (CCW)||",
    "Image2|CropImage1|Crop Image|Ctrl+Alt+R|",
    "Image2|ManualCornersPointing1|Pointing Dia corners manually  |Ctrl+Alt+L|",
    "Image2|CleanImage1|Clean Image||D",
    "|LinearInput2|&Linear Input||T",
    "LinearInput2|LinearInput1|Start Linear Input|Ctrl+L|",
    "LinearInput2|PreviousDia1|Previous Dia||D",
    "LinearInput2|NextDia1|Next Dia|Ctrl+T|D",
    "LinearInput2|Jumpsoverstones1|Jumps over stones|Ctrl+J|C",
    "LinearInput2|Movealldown1|Move all down ||D",
    "LinearInput2|Movelineright1|Move line right||D",
    "LinearInput2|Movelineleft1|Move line left||D",
    "LinearInput2|Movelineup1|Move line up||D",
    "LinearInput2|Movelinedown1|Move line down||D",
    "|Game1|&Game||T",
    "Game1|View2|View Board|Ctrl+U|",
    "Game1|Info1|View Info|Ctrl+I|",
    "Game1|GotonextMistake1|Go to next Mistake|Ctrl+M|",
    "Game1|GotonextDoublemove1|Go to next Double move|Ctrl+D|",
    "Game1|GotoMoveNumber1|Go to Move Number||",
    "Game1|Addmove1|Add blank move|Ctrl+B|",
    "Game1|Deletelastmove1|Delete last move||",
    "Game1|Addmovesmode1|Add moves mode|Ctrl+A|R",
    "Game1|Editmovesmode1|Edit moves mode|Ctrl+E|RC",
    "|MBoard1|&Board||T",
    "MBoard1|AddBlackstone1|Add Black stones||R",
    "MBoard1|AddWhitestone1|Add White stones||R",
    "MBoard1|AddLetter1|Add Letter||R",
    "MBoard1|AddMark1|Add Mark||R",
    "MBoard1|DeleteStaticstone1|Delete Static stone||R",
    "|Options1|&Options||T",
    "Options1|Options2|Options|Ctrl+O|",
    "Options1|Scanneroptions1|Scanner options||",
    "Options1|SetScanReg11|Set ScanReg1|Shift+F1|",
    "Options1|SetScanReg21|Set ScanReg2|Shift+F2|",
    "Options1|Set1diaGame1|Set 1 dia Game|Ctrl+F1|",
    "Options1|Set2diaGame1|Set 2 dia Game|Ctrl+F2|",
    "|MDebug1|&Debug||TI",
    "MDebug1|DebugWindow1|Debug Window||",
    "MDebug1|DebugMode1|Debug Mode Graphic||",
    "MDebug1|DebugMode2|Debug Mode Didits||",
    "MDebug1|DebugRecDigits1|Debug Rec Digits||",
    "MDebug1|Gridvisible1|Grid visible||",
    "MDebug1|CheckImage1|Check Image||",
    "|Service1|&Service||T",
    "Service1|Skarn1|Skarn||I",
    "Service1|Photocopier1|Photocopier|Ctrl+H|",
    "Service1|DigitsSet1|Digits Set||S",
    "DigitsSet1|EditDigits1|Edit Digits set||",
    "DigitsSet1|ReloadDigits1|Reload default digits set||",
    "DigitsSet1|LoadSetofdigits1|Load user digits set||",
    "Service1|EditLetters1|Edit Letters||D",
    "Service1|ReloadLetters1|Reload Letters||D",
    "|MHelp1|&Help||T",
    "MHelp1|Contents1|Contents||",
    "MHelp1|Index1|Index||",
    "MHelp1|QuonHomepage1|Quon Home page||",
    "MHelp1|About1|About||",
};

QString describe(QAction* a, const QString& parent, bool top)
{
    QString state;
    if (!a->isVisible())
        state += 'I';
    // Qt reports an invisible action as disabled too.
    if (a->isVisible() && !a->isEnabled())
        state += 'D';
    if (a->isChecked())
        state += 'C';
    if (a->property("radioItem").toBool())
        state += 'R';
    if (a->menu())
        state += top ? 'T' : 'S';
    // Put the letters in the order the table uses.
    QString ordered;
    for (QChar c : QString("TSIDRC"))
        if (state.contains(c))
            ordered += c;
    return QStringList{parent, a->objectName(), a->text(), a->shortcut().toString(), ordered}.join('|');
}

void walk(QMenu* menu, const QString& parentName, QStringList& out)
{
    for (QAction* a : menu->actions()) {
        out << describe(a, parentName, false);
        if (a->menu())
            walk(a->menu(), a->menu()->objectName(), out);
    }
}

QString normalised(const char* row)
{
    QStringList parts = QString::fromUtf8(row).split('|');
    QString ordered;
    for (QChar c : QString("TSIDRC"))
        if (parts[4].contains(c))
            ordered += c;
    parts[4] = ordered;
    return parts.join('|');
}

TEST_F(MainWindowTest, MenuIsBuiltItemByItemAsSpecified)
{
    startProgram();
    QStringList built;
    for (QAction* top : Form1->menuBar()->actions()) {
        built << describe(top, "", true);
        walk(top->menu(), top->menu()->objectName(), built);
    }
    QStringList expected;
    for (const char* row : ExpectedMenu)
        expected << normalised(row);
    for (int i = 0; i < std::min(built.size(), expected.size()); ++i)
        ASSERT_EQ(built[i].toStdString(), expected[i].toStdString()) << "first difference at row " << i;
    EXPECT_EQ(built.size(), expected.size());
}

TEST_F(MainWindowTest, NoTwoReachableActionsShareAShortcut)
{
    startProgram();
    std::map<QString, QStringList> byKey;
    std::function<void(QMenu*, bool)> collect = [&](QMenu* m, bool reachable) {
        for (QAction* a : m->actions()) {
            const bool r = reachable && a->isVisible();
            if (a->menu())
                collect(a->menu(), r);
            else if (r && !a->shortcut().isEmpty())
                byKey[a->shortcut().toString()] << a->objectName();
        }
    };
    for (QAction* top : Form1->menuBar()->actions())
        collect(top->menu(), top->isVisible());
    for (QAction* a : Form1->actions())
        if (!a->shortcut().isEmpty() && !byKey[a->shortcut().toString()].contains(a->objectName()))
            byKey[a->shortcut().toString()] << a->objectName();
    for (const auto& [key, names] : byKey)
        EXPECT_EQ(names.size(), 1) << key.toStdString() << ": " << names.join(", ").toStdString();
}

TEST_F(MainWindowTest, WindowsAreCreatedOnceInOrder)
{
    startProgram();
    const QStringList expected = {
        "TForm1", "TBezForm1", "TFInfo", "TFCurProp", "TFOptions", "TForm3", "TForm4", "TRotateAngle", "TDebug1",
        "TGridBoard1", "TScale1", "TExistGm", "TPrepare3", "TScanImage", "TManualPt", "TOptions",
        "TMoveCorrection1", "TVGame", "TAboutBox", "TRecoDia", "TWebrow0", "TFrmMain", "TFrmDgrProp", "TFrmTools",
        "TFrmSetBMP", "TFrmGraphFilles", "TFrmDgr", "TFrmEdLogFont", "TGoToMoveNumber", "TFMoveNumInput", "TRWSGF",
        "TSMTP0", "TNumOpt", "TDlgChooseDir"};
    EXPECT_EQ(App::creationOrder(), expected);
    EXPECT_EQ(Form1->windowTitle(), "Quon OCR");
}

// Stone sizes kept in the settings, read at start and written at exit.
struct StoneSizeCase {
    const char* name;
    std::function<void(Registry&)> before; // nullptr: no key at all
    StoneSize black, white;                // sizes in memory after start
};

TEST_F(MainWindowTest, StoneSizesFromTheSettings)
{
    const std::vector<StoneSizeCase> cases = {
        {"no key", nullptr, {0, 0}, {0, 0}},
        {"key without StszBx", [](Registry& r) { r.WriteInteger("StszBy", 77); }, {0, 0}, {0, 0}},
        {"all four",
         [](Registry& r) {
             r.WriteInteger("StszBx", 4100);
             r.WriteInteger("StszBy", 4200);
             r.WriteInteger("StszWx", 4300);
             r.WriteInteger("StszWy", 4400);
         },
         {4100, 4200},
         {4300, 4400}},
        {"names in another case",
         [](Registry& r) {
             r.WriteInteger("stszbx", 10);
             r.WriteInteger("STSZWY", 20);
         },
         {10, 0},
         {0, 20}},
        {"wrong types and out of range",
         [](Registry& r) {
             r.WriteInteger("StszBx", 2000000000);
             r.WriteString("StszBy", "60");
             r.WriteInteger("StszWx", -5);
             r.WriteFloat("StszWy", 1.5);
         },
         {10000, 0},
         {0, 0}},
    };
    for (const StoneSizeCase& k : cases) {
        SCOPED_TRACE(k.name);
        QFile::remove(settingsFile());
        resetTablesToStart();
        if (k.before) {
            Registry reg;
            ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
            k.before(reg);
        }
        startProgram();
        EXPECT_EQ(Reco.StoneSizes[1], k.black);
        EXPECT_EQ(Reco.StoneSizes[2], k.white);
        if (!k.before) {
            Registry reg;
            ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
            for (const char* n : {"StszBx", "StszBy", "StszWx", "StszWy"})
                EXPECT_EQ(reg.tryReadInteger(n), 60) << n;
        }
        Reco.StoneSizes[2].Height = 4321;
        stopProgram();
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
        EXPECT_EQ(reg.tryReadInteger("StszBx"), k.black.Width);
        EXPECT_EQ(reg.tryReadInteger("StszBy"), k.black.Height);
        EXPECT_EQ(reg.tryReadInteger("StszWx"), k.white.Width);
        EXPECT_EQ(reg.tryReadInteger("StszWy"), 4321); // the white height, not the width
    }
}

// ---- Opening a page ---------------------------------------------------------

std::vector<std::string> boardRows(int w, int h, double blackShare)
{
    std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
    const int blackColumns = static_cast<int>(w * blackShare);
    for (auto& r : rows)
        for (int x = 0; x < blackColumns; ++x)
            r[static_cast<size_t>(x)] = '#';
    return rows;
}

QString writeBmp(const QString& path, BmpKind kind, const std::vector<std::string>& rows)
{
    EXPECT_TRUE(writeFile(path.toStdString(), makeBmp(kind, rows)));
    return path;
}

TEST_F(MainWindowTest, OpenImageMakesTheFileThePage)
{
    startProgram();
    Reco.DiagramWindowSize = {19, 19};
    const QString file = writeBmp(dir.filePath("page.bmp"), BmpKind::Rgb24, boardRows(600, 580, 0.25));
    dialogs.script.file(file);
    Form1->item("Open1")->trigger();
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty()) << dialogs.script.texts().join("; ").toStdString();
    EXPECT_EQ(Reco.ImageWidth, 600);
    EXPECT_EQ(Reco.ImageHeight, 580);
    EXPECT_EQ(Reco.InkPolarity, 1);
    EXPECT_EQ(Reco.PackedStride, 75);
    EXPECT_EQ(Reco.CropArmed, 1);
    EXPECT_TRUE(Form1->AutoRecognition1->isEnabled());
    EXPECT_TRUE(Form1->OpenLastImage1->isEnabled());
    EXPECT_TRUE(Form1->Fitinwindow1->isChecked());
    EXPECT_GE(Form1->ShownWidth, 1);
    long long ink = 0;
    for (int y = 0; y < Reco.ImageHeight; ++y)
        for (int x = 0; x < Reco.ImageWidth; ++x)
            ink += GetPix(x, y);
    EXPECT_EQ(ink, 150LL * 580);
    // The copy holds the page as loaded: still 24 bits.
    QImageReader copy(dir.filePath("Acquired0.bmp"));
    ASSERT_TRUE(copy.canRead());
    EXPECT_EQ(copy.read().depth(), 32); // Qt reads 24-bit files as 32-bit RGB
    EXPECT_EQ(QImageReader(dir.filePath("Acquired0.bmp")).size(), QSize(600, 580));
    // The dialog remembers its own folder; the program's folder is unchanged.
    EXPECT_EQ(QDir::currentPath(), dir.path());
    ASSERT_EQ(dialogs.script.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.script.fileDialogs[0].filter, "Bitmap|*.BMP|All Files|*.*");
    EXPECT_EQ(dialogs.script.fileDialogs[0].defaultExt, "BMP");
}

TEST_F(MainWindowTest, ANegativePageAndASmallPage)
{
    startProgram();
    Reco.DiagramWindowSize = {19, 19};
    struct Case {
        int w, h;
        double black;
        bool proper;
        int polarity;
    };
    for (const Case& k : {Case{570, 570, 0.6, true, 0}, Case{569, 570, 0.2, false, 1}, Case{570, 569, 0.6, false, 0}}) {
        SCOPED_TRACE(testing::Message() << k.w << "x" << k.h);
        dialogs.script = ScriptedDialogs{};
        Form1->OpenLastImage1->setEnabled(false);
        dialogs.script.file(writeBmp(dir.filePath("p.bmp"), BmpKind::Mono, boardRows(k.w, k.h, k.black)));
        Form1->item("Open1")->trigger();
        EXPECT_EQ(dialogs.script.informationTexts(),
                  k.proper ? QStringList{} : QStringList{"This is not proper image!"});
        // The page stays loaded and its polarity is decided either way.
        EXPECT_EQ(Reco.ImageWidth, k.w);
        EXPECT_EQ(Reco.InkPolarity, k.polarity);
        EXPECT_EQ(Form1->OpenLastImage1->isEnabled(), k.proper);
    }
}

TEST_F(MainWindowTest, ABrokenFileLeavesThePageAsItWas)
{
    startProgram();
    Reco.DiagramWindowSize = {19, 19};
    dialogs.script.file(writeBmp(dir.filePath("good.bmp"), BmpKind::Mono, boardRows(600, 600, 0.1)));
    Form1->item("Open1")->trigger();
    const QByteArray copyBefore = [&] {
        QFile f(dir.filePath("Acquired0.bmp"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const std::vector<uint8_t> packedBefore = Reco.PackedImage;

    std::vector<uint8_t> broken = makeBmp(BmpKind::Rgb24, boardRows(700, 700, 0.5));
    broken.resize(100);
    ASSERT_TRUE(writeFile(dir.filePath("broken.bmp").toStdString(), broken));
    dialogs.script = ScriptedDialogs{};
    dialogs.script.file(dir.filePath("broken.bmp"));
    Form1->item("Open1")->trigger();
    ASSERT_EQ(dialogs.script.informationTexts().size(), 1);
    EXPECT_TRUE(dialogs.script.informationTexts()[0].contains("broken.bmp"));
    EXPECT_EQ(Reco.ImageWidth, 600);
    EXPECT_EQ(Reco.ImageHeight, 600);
    EXPECT_EQ(Reco.PackedImage, packedBefore);
    EXPECT_EQ(Form1->Image1->picture().width(), 600);
    QFile f(dir.filePath("Acquired0.bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), copyBefore);

    // A cancelled dialog changes nothing either.
    dialogs.script.cancel();
    Form1->item("Open1")->trigger();
    EXPECT_EQ(Reco.ImageWidth, 600);
}

// ---- Keys and small commands ------------------------------------------------

TEST_F(MainWindowTest, CtrlRRunsAutoRecognitionOnly)
{
    startProgram();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->AutoRecognition1->setEnabled(true);
    QSignalSpy auto_(Form1->AutoRecognition1, &QAction::triggered);
    QSignalSpy goTo(Form1->item("GotoMoveNumber1"), &QAction::triggered);
    QTest::keyClick(Form1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(auto_.count(), 1);
    EXPECT_EQ(goTo.count(), 0);
}

TEST_F(MainWindowTest, ShortcutsOfTheHiddenEditMenuStillWork)
{
    startProgram();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QSignalSpy copy(Form1->item("CopyEMFDiatoClipBoard2"), &QAction::triggered);
    QSignalSpy gqr(Form1->item("CreateGQR1"), &QAction::triggered);
    QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(Form1, Qt::Key_N, Qt::ControlModifier); // invisible item: no command
    EXPECT_EQ(copy.count(), 1);
    EXPECT_EQ(gqr.count(), 0);
}

TEST_F(MainWindowTest, RadioItemsExcludeEachOtherWithinTheirMenu)
{
    startProgram();
    Form1->AddBlackstone1->trigger();
    Form1->item("AddMark1")->trigger();
    EXPECT_FALSE(Form1->AddBlackstone1->isChecked());
    EXPECT_TRUE(Form1->item("AddMark1")->isChecked());
    // The Game menu's group is its own.
    EXPECT_TRUE(Form1->Editmovesmode1->isChecked());
    Form1->Addmovesmode1->trigger();
    EXPECT_TRUE(Form1->Addmovesmode1->isChecked());
    EXPECT_FALSE(Form1->Editmovesmode1->isChecked());
    EXPECT_TRUE(Form1->item("AddMark1")->isChecked());
}

TEST_F(MainWindowTest, AddBlankMoveStopsAtTheTableEnd)
{
    startProgram();
    Reco.MoveCount = 499;
    const int beeps = sys::beepCount();
    Form1->item("Addmove1")->trigger();
    EXPECT_EQ(Reco.MoveCount, 500);
    EXPECT_EQ(sys::beepCount(), beeps);
    Form1->item("Addmove1")->trigger();
    EXPECT_EQ(Reco.MoveCount, 500);
    EXPECT_EQ(sys::beepCount(), beeps + 1);
}

TEST_F(MainWindowTest, CloseAllEmptiesTheLogThePointListAndTheSegments)
{
    startProgram();
    RecoLog.add("Time of: Preparing: 12");
    Debug1->ListBox2->addItem("X = 1, Y = 1");
    Reco.Segments.add({10, 1, 100});
    ASSERT_EQ(Debug1->ListBox1->count(), 1);
    Form1->item("Close1")->trigger();
    EXPECT_EQ(Debug1->ListBox1->count(), 0);
    EXPECT_EQ(Debug1->ListBox2->count(), 0);
    EXPECT_TRUE(RecoLog.lines().empty());
    EXPECT_EQ(Reco.Segments.Count, 0);
}

TEST_F(MainWindowTest, DiagramCountCommandsAndJumpsOverStones)
{
    startProgram();
    Options->seNDia->setValue(3);
    Form1->item("Set2diaGame1")->trigger();
    EXPECT_EQ(Options->SENdias->value(), 2);
    EXPECT_EQ(Options->seNDia->value(), 0);
    Form1->item("Set1diaGame1")->trigger();
    EXPECT_EQ(Options->SENdias->value(), 1);

    const bool before = Options->cbJumpOverStones->isChecked();
    Form1->Jumpsoverstones1->trigger();
    EXPECT_EQ(Options->cbJumpOverStones->isChecked(), !before);
    EXPECT_EQ(Form1->Jumpsoverstones1->isChecked(), !before);
}

TEST_F(MainWindowTest, ClosingTheMainWindowRunsTheExitSavesAndRemovesThePageCopy)
{
    startProgram();
    Reco.DiagramWindowSize = {19, 19};
    dialogs.script.file(writeBmp(dir.filePath("p.bmp"), BmpKind::Mono, boardRows(600, 600, 0.1)));
    Form1->item("Open1")->trigger();
    ASSERT_TRUE(QFile::exists(dir.filePath("Acquired0.bmp")));
    Reco.StoneSizes[1].Width = 4444;
    Form1->show();
    Form1->close();
    EXPECT_FALSE(QFile::exists(dir.filePath("Acquired0.bmp")));
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    EXPECT_EQ(reg.tryReadInteger("StszBx"), 4444);
}

} // namespace
