// The main window's scanning commands: choosing the scanner, acquiring a
// page, and the photocopier, which scans, turns, prints and saves page after
// page.
//
// A photocopier run ends at the first page that fails (no scanner, a failed
// print or save) or whose dialog was cancelled, and whenever "Stop Scanning"
// is pressed: repeating a failure would only print or save the same old page
// again and again. Waiting between pages processes window events, so the
// stop button and the rest of the program stay alive.
#include "app/ui/MainWindow.h"

#include "app/ui/Form4Window.h"
#include "app/ui/PageView.h"
#include "app/ui/ScanImageWindow.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/PageFile.h"
#include "platform/ui/System.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <numbers>

namespace quon {

void TForm1::SelectSource1Click()
{
    if (ScanImage)
        ScanImage->TwainSelectSource(this);
}

void TForm1::Acquire2Click()
{
    // A scan that brought no page changes nothing else either.
    if (!ScanImage || photocopying_ || !ScanImage->Button1Click())
        return;
    AutoRecognition1->setEnabled(true);
    if (Options && Options->CBAutoSave->isChecked())
        Save1Click();
}

void TForm1::Photocopier1Click()
{
    if (!ScanImage || !Options || !Form4 || photocopying_ || ScanImage->scanner().busy())
        return;
    photocopying_ = true;
    Reco.PhotocopierPending = 0;
    Form4->startWatching(this);
    for (;;) {
        Reco.CropArmed = 1;
        if (!ScanImage->Button1Click())
            break;
        switch (Options->RGAutoRotate->itemIndex()) {
        case 0: RotateImage(-std::numbers::pi_v<long double> / 2); break;
        case 1: RotateImage(std::numbers::pi_v<long double> / 2); break;
        default: break;
        }
        if (!Options->CBPhCopy->isChecked()) {
            // The page is finished after the user's crop.
            Reco.PhotocopierPending = 1;
            break;
        }
        if (!FinishCopy() || !Options->CBAutocopy->isChecked() || !waitBeforeNextPage())
            break;
    }
    Form4->stopWatching();
    photocopying_ = false;
}

bool TForm1::waitBeforeNextPage()
{
    if (Form4->stopRequested())
        return false;
    const qint64 waitMs = std::llround(Options->RxSPrintDelay->value()) * 100;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < waitMs) {
        sys::pumpEvents();
        if (Form4->stopRequested())
            return false;
        QThread::msleep(5);
    }
    return !Form4->stopRequested();
}

bool TForm1::FinishCopy()
{
    bool ok = true;
    if (Options->CBPhCopyPrint->isChecked())
        ok = printPage();
    if (ok && Options->CBPhCopyFile->isChecked())
        ok = Options->CBAutoSave->isChecked() ? AutoSaveImage() : savePage();
    Reco.PhotocopierPending = 0;
    return ok;
}

bool TForm1::AutoSaveImage()
{
    const long n = std::lround(Options->RxLastPage->value() + Options->RXsEAutoIncrementAutoSave->value());
    const QString folder = Options->DEAutoSave->text();
    const QString name =
        QDir(folder).filePath(Options->EFileMaskAutoSave->text() + QString::asprintf("%3ld", n) + ".bmp");
    bool saved = false;
    if (Options->CBAutoConfirm->isChecked()) {
        SaveDialog1FileName = name;
        saved = savePage();
    } else if (QFile::exists(name)) {
        // Never over an earlier page unasked: the dialog keeps its last name.
        saved = savePage();
    } else {
        QDir().mkpath(folder);
        saved = saveMonoBmp(Image1->picture(), name);
        if (!saved)
            Dialogs::current().information(QStringLiteral("Cannot write the file \"%1\".").arg(name));
    }
    // The number is used up even when the page was not saved under it.
    Options->RxLastPage->setValue(static_cast<double>(n));
    return saved;
}

void TForm1::photocopierCropEnded()
{
    if (Reco.PhotocopierPending != 1 || !Options)
        return;
    if (!FinishCopy() || !Options->CBAutocopy->isChecked())
        return;
    // The next page starts once the mouse event that ended the crop is over.
    QTimer::singleShot(0, this, [this] {
        Form4->startWatching(this);
        if (waitBeforeNextPage())
            Photocopier1Click();
        else
            Form4->stopWatching();
    });
}

} // namespace quon
