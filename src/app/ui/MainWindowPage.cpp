// The main window's page image operations and the mouse on the page: zoom,
// rotation, printing, saving and reopening the page, the crop, the corners
// pointed by hand and the stone probe.
#include "app/ui/MainWindow.h"

#include "app/CornerPointing.h"
#include "app/PageGeometry.h"
#include "app/PageRotation.h"
#include "app/ui/ManualPtWindow.h"
#include "app/ui/PageView.h"
#include "app/ui/RotateAngleWindow.h"
#include "app/ui/Scale1Window.h"
#include "app/ui/ScanImageWindow.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Dialogs.h"
#include "recognize/StoneNumberReader.h"
#include "platform/ui/PageFile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>

#include <cstring>
#include <numbers>

namespace quon {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

QString lastImagePath() { return QDir(QString::fromStdString(Reco.StartFolder)).filePath("Acquired0.bmp"); }

// The scanner window's resolution in dots per inch; 300 until the scanner
// window has its resolution control.
double scanResolution()
{
    if (ScanImage)
        if (QObject* box = ScanImage->findChild<QObject*>("seResol"))
            if (const QVariant v = box->property("value"); v.isValid())
                return v.toDouble();
    return 300.0;
}

QImage toImage(const MonoBitmap& page)
{
    QImage image(page.width, page.height, QImage::Format_Mono);
    if (image.isNull())
        return image;
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int32_t y = 0; y < page.height; ++y)
        std::memcpy(image.scanLine(y), page.bits.data() + static_cast<size_t>(y) * page.stride,
                    static_cast<size_t>(page.stride));
    return image;
}

} // namespace

void TForm1::setupPageOperations()
{
    ManualCornersPointing1->setCheckable(true);
    // The view follows the client area under "Fit to window".
    scroll_->installEventFilter(this);
    connect(Image1, &PageView::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) { Image1MouseDown(b, m, p.x(), p.y()); });
    connect(Image1, &PageView::mouseMove, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, QPoint p) { Image1MouseMove(b, m, p.x(), p.y()); });
    connect(Image1, &PageView::mouseUp, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) { Image1MouseUp(b, m, p.x(), p.y()); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == scroll_ && e->type() == QEvent::Resize && Fitinwindow1 && Fitinwindow1->isChecked()) {
        zoomPercent_ = 0;
        refitView();
    }
    return QMainWindow::eventFilter(watched, e);
}

// ---- Zoom ------------------------------------------------------------------

QSize TForm1::clientSize() const { return scroll_->maximumViewportSize(); }

void TForm1::setShown(int width, int height)
{
    ShownWidth = std::max(1, width);
    ShownHeight = std::max(1, height);
    Image1->setShownSize(ShownWidth, ShownHeight);
}

void TForm1::refitView()
{
    const ShownSize s = zoomPercent_ == 0 ? fittedSize(clientSize().width(), clientSize().height())
                                          : zoomedSize(Reco.ImageWidth, Reco.ImageHeight, zoomPercent_);
    setShown(s.width, s.height);
}

void TForm1::FullSize1Click() { ViewImage(item("FullSize1")); }
void TForm1::N751Click() { ViewImage(item("N751")); }
void TForm1::N501Click() { ViewImage(item("N501")); }
void TForm1::N251Click() { ViewImage(item("N251")); }
void TForm1::N1251Click() { ViewImage(item("N1251")); }
void TForm1::N1501Click() { ViewImage(item("N1501")); }
void TForm1::Fitinwindow1Click() { ViewImage(item("Fitinwindow1")); }

void TForm1::ViewImage(QAction* zoomItem)
{
    // The item toggled itself before its command ran: unchecked now means
    // it was the checked one already, and choosing it again changes nothing.
    if (!zoomItem->isChecked()) {
        zoomItem->setChecked(true);
        return;
    }
    const auto percent = zoomPercentOfCaption(zoomItem->text().toStdString());
    zoomPercent_ = percent ? std::max(1, *percent) : 0;
    refitView();
}

void TForm1::Other1Click()
{
    if (Scale1->exec() != QDialog::Accepted)
        return;
    // The radio items keep their marks; the typed percentage is the zoom
    // until the next zoom command.
    zoomPercent_ = std::max(1, Scale1->SEMagn->value());
    refitView();
}

// ---- Rotation --------------------------------------------------------------

void TForm1::Left90Click() { RotateMenu("Left90"); }
void TForm1::Right90Click() { RotateMenu("Right90"); }
void TForm1::N180Click() { RotateMenu("N180"); }
void TForm1::ArbitraryCWClick() { RotateMenu("ArbitraryCW"); }
void TForm1::ArbitraryCCWClick() { RotateMenu("ArbitraryCCW"); }

void TForm1::RotateMenu(const std::string& itemName)
{
    long double angle = 0;
    if (itemName == "N180") {
        angle = Pi;
    } else if (itemName == "Left90") {
        angle = -Pi / 2;
    } else if (itemName == "Right90") {
        angle = Pi / 2;
    } else {
        if (RotateAngle->exec() != QDialog::Accepted)
            return;
        const QString text = RotateAngle->SEAngle->displayText();
        const auto degrees = parseAngleText(text.toStdString());
        if (!degrees) {
            Dialogs::current().information(QStringLiteral("\"%1\" is not a valid number of degrees.").arg(text));
            return;
        }
        angle = *degrees * Pi / 180;
        if (itemName == "ArbitraryCCW")
            angle = -angle;
    }
    RotateImage(angle);
}

void TForm1::RotateImage(long double angle)
{
    const QImage& picture = Image1->picture();
    if (!Image1->hasPicture())
        return;
    const RotatedSize size = rotatedSize(picture.width(), picture.height(), angle);
    if (const std::string problem = pageSizeProblem(std::max(1, size.width), std::max(1, size.height));
        !problem.empty()) {
        Dialogs::current().information(QString::fromStdString(problem));
        return;
    }
    const QImage turned = toImage(rotatePage(monoRows(picture), angle, Reco.InkPolarity));
    if (turned.isNull()) {
        Dialogs::current().information(QStringLiteral("Not enough memory to rotate the page."));
        return;
    }
    Image1->setPicture(turned);
    Reco.ImageWidth = turned.width();
    Reco.ImageHeight = turned.height();
    // The packed copy and the view follow the turned page at once, so that
    // neither a recognition nor a mouse position uses the page before.
    FillImageArray();
    refitView();
}

// ---- Printing --------------------------------------------------------------

QPrinter& TForm1::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TForm1::PrintSetup1Click() { Dialogs::current().printerSetup(printer()); }

void TForm1::PrintImage1Click() { printPage(); }

bool TForm1::printPage()
{
    QPrinter& p = printer();
    if (!Dialogs::current().print(p))
        return false;
    // The resolution of the printer chosen in the dialog.
    const double fx = printScale(p.logicalDpiX(), scanResolution());
    const double fy = printScale(p.logicalDpiY(), scanResolution());
    const QImage& picture = Image1->picture();
    QPainter painter;
    if (!painter.begin(&p)) {
        Dialogs::current().information("The printer cannot print now.");
        return false;
    }
    if (!picture.isNull())
        painter.drawImage(QRectF(QPointF(1, 1), QPointF(picture.width() * fx, picture.height() * fy)), picture);
    return painter.end();
}

// ---- Saving and reopening --------------------------------------------------

void TForm1::Save1Click() { savePage(); }

bool TForm1::savePage()
{
    if (!Image1->hasPicture()) {
        Dialogs::current().information("There is no page to save.");
        return false;
    }
    FileDialogSpec spec;
    spec.key = "SaveDialog1";
    spec.defaultExt = "BMP";
    spec.filter = "BMP files|*.BMP|All Files|*.*";
    spec.fileName = SaveDialog1FileName;
    const QString chosen = Dialogs::current().saveFile(spec);
    if (chosen.isEmpty())
        return false;
    SaveDialog1FileName = chosen;
    const QString name = QString::fromStdString(bmpSaveName(chosen.toStdString()));
    // The dialog asked about the chosen name only.
    if (name != chosen && QFile::exists(name) &&
        !Dialogs::current().question(QStringLiteral("The file \"%1\" already exists. Replace it?").arg(name)))
        return false;
    if (!saveMonoBmp(Image1->picture(), name)) {
        Dialogs::current().information(QStringLiteral("Cannot write the file \"%1\".").arg(name));
        return false;
    }
    return true;
}

void TForm1::OpenLastImage1Click()
{
    LoadedPage page = loadPageFile(lastImagePath());
    if (!page.ok()) {
        Dialogs::current().information(page.error);
        return;
    }
    // The polarity of the page in force is kept.
    Image1->setPicture(page.mono);
    SetupImage();
    showWindow(this);
}

// ---- Mouse on the page -----------------------------------------------------

void TForm1::CropImage1Click() { Reco.CropArmed = 1; }

void TForm1::ManualCornersPointing1Click()
{
    // The window's corners are looked up first: a window off the board stops
    // here with nothing changed.
    resetPointedCorners();
    ManualCornersPointing1->setChecked(true);
    Reco.CornerMode = 1;
    ManualPt->startPointing();
    showWindow(ManualPt);
}

void TForm1::RecoStone(int x, int y)
{
    // The first grid point whose cell (strictly) holds the pointer is read
    // as the recognition would read it.
    std::string text;
    bool found = false;
    for (int32_t r = 1; r <= 19 && !found; ++r)
        for (int32_t c = 1; c <= 19 && !found; ++c) {
            const BC& p = Reco.GridPoints[c][r];
            if (p.Coord.X - Reco.CellPitchX / 2 < x && x < p.Coord.X + Reco.CellPitchX / 2 &&
                p.Coord.Y - Reco.CellPitchY / 2 < y && y < p.Coord.Y + Reco.CellPitchY / 2) {
                Reco.CurPointX = c;
                Reco.CurPointY = r;
                StoneNumberReader& reader = numberReader();
                reader.ThinDigits = Options && Options->CBThinDig->isChecked();
                text = reader.RecoStoneNumber(0).Text;
                found = true;
            }
        }
    Dialogs::current().information(QString::fromStdString("Npl= " + text));
}

void TForm1::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (button == Qt::RightButton && !ManualCornersPointing1->isChecked()) {
        if (Image1->hasPicture()) {
            const IntPoint p = viewToPage({x, y}, Reco.ImageWidth, Reco.ImageHeight, {ShownWidth, ShownHeight});
            RecoStone(p.X, p.Y);
        }
        return;
    }
    if (button == Qt::LeftButton) {
        Image1->hideBand();
        Reco.CropRect = {x, y, x, y};
        cropAnchor_ = {x, y};
    }
}

void TForm1::Image1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y)
{
    if (Reco.CornerMode == 1) {
        if (Image1->hasPicture())
            ManualPt->showMousePosition(
                clampToPage(viewToPage({x, y}, Reco.ImageWidth, Reco.ImageHeight, {ShownWidth, ShownHeight}),
                            Reco.ImageWidth, Reco.ImageHeight));
        return;
    }
    if (Reco.CropArmed == 1 && (buttons & Qt::LeftButton)) {
        Reco.CropRect = dragCropRect({cropAnchor_.x(), cropAnchor_.y()}, {x, y});
        const PixelRect& r = Reco.CropRect;
        Image1->showBand(r.Left, r.Top, r.Right, r.Bottom);
    }
}

void TForm1::Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (button == Qt::RightButton) {
        ManualPt->NextClick();
        return;
    }
    if (Reco.CornerMode == 1) {
        if (!Image1->hasPicture())
            return;
        const IntPoint p = clampToPage(viewToPage({x, y}, Reco.ImageWidth, Reco.ImageHeight, {ShownWidth, ShownHeight}),
                                       Reco.ImageWidth, Reco.ImageHeight);
        try {
            storePointedCorner(ManualPt->CurrentCorner, p);
        } catch (const std::exception& e) {
            Dialogs::current().information(QString::fromStdString(e.what()), "Error");
            return;
        }
        ManualPt->showCorner(ManualPt->CurrentCorner, p);
        return;
    }
    if (Reco.CropArmed != 1)
        return;
    if (Dialogs::current().question("Crop Image?") && Image1->hasPicture()) {
        const PixelRect r = cropToPage(Reco.CropRect, Reco.ImageWidth, Reco.ImageHeight, {ShownWidth, ShownHeight});
        // A band without area, or off the page, crops nothing.
        if (!isEmpty(r)) {
            const QImage cut = Image1->picture().copy(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
            if (!cut.isNull()) {
                Image1->setPicture(cut);
                Reco.ImageWidth = cut.width();
                Reco.ImageHeight = cut.height();
                FillImageArray();
                refitView();
            }
        }
    }
    Image1->hideBand();
    Reco.CropArmed = 0;
    Reco.CropRect = {};
    if (OnCropEnded)
        OnCropEnded();
}

} // namespace quon
