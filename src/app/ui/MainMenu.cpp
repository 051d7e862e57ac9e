#include "app/ui/MainMenu.h"

#include "app/ui/MainWindow.h"

namespace quon {

namespace {
constexpr uint32_t Top = MenuTop, Sub = MenuSub, Inv = MenuInvisible, Dis = MenuDisabled, Chk = MenuChecked,
                   Rad = MenuRadio;
using F = TForm1;
} // namespace

// Items without a command do nothing yet or never will (the invisible ones
// lost theirs when the window was made). Ctrl+R belongs to AutoRecognition
// alone: a shortcut on two actions would fire neither.
const MenuItemDef MainMenuTable[] = {
    // clang-format off
    {nullptr, "MFile", "&File", "", Top, 0, nullptr},
    {"MFile", "Newgame1", "New game", "", Sub, 0, nullptr},
    {"Newgame1", "Creategame1", "Create game", "", 0, 0, nullptr},
    {"Newgame1", "CreateGQR1", "Create GQR", "Ctrl+N", Inv, 0, nullptr},
    {"MFile", "Open1", "&Open Image", "Ctrl+Alt+E", 0, 0, &F::Open1Click},
    {"MFile", "OpenSGFgame1", "Open SGF game", "", 0, 0, &F::OpenSGFgame1Click},
    {"MFile", "OpenQCRgame1", "Open QCR game", "", 0, 0, &F::OpenQCRgame1Click},
    {"MFile", "Save1", "&Save Image", "Ctrl+Alt+I", 0, 0, &F::Save1Click},
    {"MFile", "SaveGame1", "Save &Game", "", Sub, 0, nullptr},
    {"SaveGame1", "SGFfile1", "SGF file", "Ctrl+S", Inv, 0, nullptr},
    {"SaveGame1", "QCRfile1", "QCR file", "", 0, 0, &F::QCRfile1Click},
    {"SaveGame1", "EMFfile1", "EMF file", "", 0, 0, &F::EMFfile1Click},
    {"SaveGame1", "BMPfile1", "BMP file", "", 0, 0, &F::BMPfile1Click},
    {"SaveGame1", "GQRfile1", "GQR file", "", Inv, 0, nullptr},
    {"MFile", "Sendgame1", "Send game ", "", 0, 0, nullptr},
    {"MFile", "Saveas1", "Save as", "Ctrl+Alt+S", Inv, 0, nullptr},
    {"MFile", "Acquire1", "Acquire Image", "", Sub, 0, nullptr},
    {"Acquire1", "SelectSource1", "Select Source", "", 0, 0, &F::SelectSource1Click},
    {"Acquire1", "Acquire2", "Acquire", "Ctrl+Alt+A", 0, 0, &F::Acquire2Click},
    {"MFile", "PrintSetup1", "Print Setup", "", 0, 0, &F::PrintSetup1Click},
    {"MFile", "PrintImage1", "Print Image", "", 0, 0, &F::PrintImage1Click},
    {"MFile", "Close1", "&Close All", "", 0, 0, &F::Close1Click},
    {"MFile", "Exit1", "&Exit", "", 0, 0, &F::Exit1Click},
    {"MFile", "OpenLastImage1", "Open Last Image", "Ctrl+G", Dis, 0, &F::OpenLastImage1Click},

    {nullptr, "Edit1", "&Edit", "", Top | Inv, 0, nullptr},
    {"Edit1", "CopyEMFDiatoClipBoard2", "Copy EMF Dia to ClipBoard", "Ctrl+Z", 0, 0, &F::CopyEMFDiatoClipBoard2Click},
    {"Edit1", "CopyEMFDiatoClipBoard1", "Copy OCR EMF Dia to ClipBoard", "Ctrl+Alt+F", 0, 0, &F::CopyEMFDiatoClipBoard1Click},
    {"Edit1", "CopyBMPDiatoClipBoard1", "Copy BMP Dia to ClipBoard", "", 0, 0, &F::CopyBMPDiatoClipBoard1Click},

    {nullptr, "MGo1", "&Recognition", "", Top, 0, nullptr},
    {"MGo1", "Prepare1", "Prepare", "", Dis, 0, &F::Preparing1Click},
    {"MGo1", "Recognition1", "Recognition", "", Dis, 0, &F::Recognition1Click},
    {"MGo1", "AutoRecognition1", "AutoRecognition", "Ctrl+R", Dis, 0, &F::AutoRecognition1Click},
    {"MGo1", "Test1", "Test", "", Dis, 0, nullptr},

    {nullptr, "Image2", "&Image", "", Top, 0, nullptr},
    {"Image2", "View1", "View", "", Sub, 0, nullptr},
    {"View1", "FullSize1", "Actual Size", "", Rad, 0, &F::FullSize1Click},
    {"View1", "N751", "75%", "", Rad, 0, &F::N751Click},
    {"View1", "N501", "50%", "", Rad, 0, &F::N501Click},
    {"View1", "N251", "25%", "", Rad, 0, &F::N251Click},
    {"View1", "N1251", "125%", "", Rad, 0, &F::N1251Click},
    {"View1", "N1501", "150%", "", Rad, 0, &F::N1501Click},
    {"View1", "Fitinwindow1", "Fit to window", "", Rad | Chk, 0, &F::Fitinwindow1Click},
    {"View1", "Other1", "Other", "", 0, 0, &F::Other1Click},
    {"Image2", "Rotate1", "Rotate", "", Sub, 0, nullptr},
    {"Rotate1", "Left90", "Left 90 degrees", "", 0, 0, &F::Left90Click},
    {"Rotate1", "Right90", "Right 90 degrees", "", 0, 0, &F::Right90Click},
    {"Rotate1", "N180", "180 degrees", "Ctrl+1", 0, 0, &F::N180Click},
    {"Rotate1", "ArbitraryCW", "Arbitrary (CW)", "", 0, 0, &F::ArbitraryCWClick},
    {"Rotate1", "ArbitraryCCW", "Arbitrary (CCW)", "", 0, 0, &F::ArbitraryCCWClick},
    {"Image2", "CropImage1", "Crop Image", "Ctrl+Alt+R", 0, 0, &F::CropImage1Click},
    {"Image2", "ManualCornersPointing1", "Pointing Dia corners manually  ", "Ctrl+Alt+L", 0, 0, &F::ManualCornersPointing1Click},
    {"Image2", "CleanImage1", "Clean Image", "", Dis, 0, nullptr},

    {nullptr, "LinearInput2", "&Linear Input", "", Top, 0, nullptr},
    {"LinearInput2", "LinearInput1", "Start Linear Input", "Ctrl+L", 0, 0, &F::LinearInput1Click},
    {"LinearInput2", "PreviousDia1", "Previous Dia", "", Dis, 0, &F::PreviousDia1Click},
    {"LinearInput2", "NextDia1", "Next Dia", "Ctrl+T", Dis, 0, &F::NextDia1Click},
    {"LinearInput2", "Jumpsoverstones1", "Jumps over stones", "Ctrl+J", Chk, 0, &F::Jumpsoverstones1Click},
    {"LinearInput2", "Movealldown1", "Move all down ", "", Dis, 0, &F::Movealldown1Click},
    {"LinearInput2", "Movelineright1", "Move line right", "", Dis, 0, &F::Movelineright1Click},
    {"LinearInput2", "Movelineleft1", "Move line left", "", Dis, 0, &F::Movelineleft1Click},
    {"LinearInput2", "Movelineup1", "Move line up", "", Dis, 0, &F::Movelineup1Click},
    {"LinearInput2", "Movelinedown1", "Move line down", "", Dis, 0, &F::Movelinedown1Click},

    {nullptr, "Game1", "&Game", "", Top, 0, nullptr},
    {"Game1", "View2", "View Board", "Ctrl+U", 0, 0, nullptr},
    {"Game1", "Info1", "View Info", "Ctrl+I", 0, 0, nullptr},
    {"Game1", "GotonextMistake1", "Go to next Mistake", "Ctrl+M", 0, 0, &F::GotonextMistake1Click},
    {"Game1", "GotonextDoublemove1", "Go to next Double move", "Ctrl+D", 0, 0, &F::GotonextDoublemove1Click},
    {"Game1", "GotoMoveNumber1", "Go to Move Number", "", 0, 0, &F::GotoMoveNumber1Click},
    {"Game1", "Addmove1", "Add blank move", "Ctrl+B", 0, 1, &F::Addmove1Click},
    {"Game1", "Deletelastmove1", "Delete last move", "", 0, 1, nullptr},
    {"Game1", "Addmovesmode1", "Add moves mode", "Ctrl+A", Rad, 1, nullptr},
    {"Game1", "Editmovesmode1", "Edit moves mode", "Ctrl+E", Rad | Chk, 1, nullptr},

    {nullptr, "MBoard1", "&Board", "", Top, 0, nullptr},
    {"MBoard1", "AddBlackstone1", "Add Black stones", "", Rad, 1, nullptr},
    {"MBoard1", "AddWhitestone1", "Add White stones", "", Rad, 1, nullptr},
    {"MBoard1", "AddLetter1", "Add Letter", "", Rad, 1, nullptr},
    {"MBoard1", "AddMark1", "Add Mark", "", Rad, 1, nullptr},
    {"MBoard1", "DeleteStaticstone1", "Delete Static stone", "", Rad, 1, nullptr},

    {nullptr, "Options1", "&Options", "", Top, 0, nullptr},
    {"Options1", "Options2", "Options", "Ctrl+O", 0, 0, nullptr},
    {"Options1", "Scanneroptions1", "Scanner options", "", 0, 0, nullptr},
    {"Options1", "SetScanReg11", "Set ScanReg1", "Shift+F1", 0, 0, &F::SetScanReg11Click},
    {"Options1", "SetScanReg21", "Set ScanReg2", "Shift+F2", 0, 0, &F::SetScanReg21Click},
    {"Options1", "Set1diaGame1", "Set 1 dia Game", "Ctrl+F1", 0, 0, &F::Set1diaGame1Click},
    {"Options1", "Set2diaGame1", "Set 2 dia Game", "Ctrl+F2", 0, 0, &F::Set2diaGame1Click},

    {nullptr, "MDebug1", "&Debug", "", Top | Inv, 0, nullptr},
    {"MDebug1", "DebugWindow1", "Debug Window", "", 0, 0, nullptr},
    {"MDebug1", "DebugMode1", "Debug Mode Graphic", "", 0, 0, nullptr},
    {"MDebug1", "DebugMode2", "Debug Mode Didits", "", 0, 0, nullptr},
    {"MDebug1", "DebugRecDigits1", "Debug Rec Digits", "", 0, 0, nullptr},
    {"MDebug1", "Gridvisible1", "Grid visible", "", 0, 0, nullptr},
    {"MDebug1", "CheckImage1", "Check Image", "", 0, 0, nullptr},

    {nullptr, "Service1", "&Service", "", Top, 0, nullptr},
    {"Service1", "Skarn1", "Skarn", "", Inv, 0, nullptr},
    {"Service1", "Photocopier1", "Photocopier", "Ctrl+H", 0, 0, &F::Photocopier1Click},
    {"Service1", "DigitsSet1", "Digits Set", "", Sub, 0, nullptr},
    {"DigitsSet1", "EditDigits1", "Edit Digits set", "", 0, 0, nullptr},
    {"DigitsSet1", "ReloadDigits1", "Reload default digits set", "", 0, 0, &F::ReloadDigits1Click},
    {"DigitsSet1", "LoadSetofdigits1", "Load user digits set", "", 0, 0, &F::LoadSetofdigits1Click},
    {"Service1", "EditLetters1", "Edit Letters", "", Dis, 0, nullptr},
    {"Service1", "ReloadLetters1", "Reload Letters", "", Dis, 0, nullptr},

    {nullptr, "MHelp1", "&Help", "", Top, 0, nullptr},
    {"MHelp1", "Contents1", "Contents", "", 0, 0, &F::Contents1Click},
    {"MHelp1", "Index1", "Index", "", 0, 0, nullptr},
    {"MHelp1", "QuonHomepage1", "Quon Home page", "", 0, 0, &F::QuonHomepage1Click},
    {"MHelp1", "About1", "About", "", 0, 0, &F::About1Click},
    // clang-format on
};

const int MainMenuTableSize = static_cast<int>(sizeof(MainMenuTable) / sizeof(MainMenuTable[0]));

} // namespace quon
