// The recognised game handed to the diagram editor for picture output, and
// the Help menu's small windows.
#include "app/ui/AboutBoxWindow.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Webrow0Window.h"
#include "editor/ui/FrmMainWindow.h"

namespace quon {

// The editor's own commands do the saving: its save dialog, its messages and
// the last picture file kept only when a picture was written.
void TForm1::EMFfile1Click()
{
    FrmMain->FillDiafromOCR();
    FrmMain->miToEMFClick();
}

void TForm1::BMPfile1Click()
{
    FrmMain->FillDiafromOCR();
    FrmMain->miToBMPClick();
}

void TForm1::CopyEMFDiatoClipBoard1Click()
{
    FrmMain->FillDiafromOCR();
    FrmMain->miEMFClipClick();
}

void TForm1::CopyBMPDiatoClipBoard1Click()
{
    FrmMain->FillDiafromOCR();
    FrmMain->miBMPClipClick();
}

// The diagram as it stands in the editor, edits and all.
void TForm1::CopyEMFDiatoClipBoard2Click() { FrmMain->miEMFClipClick(); }

void TForm1::QuonHomepage1Click()
{
    Webrow0->showHomePage();
    Webrow0->show();
    Webrow0->raise();
}

void TForm1::About1Click() { AboutBox->exec(); }

} // namespace quon
