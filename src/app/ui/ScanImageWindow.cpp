#include "app/ui/ScanImageWindow.h"

#include "app/ui/Form4Window.h"
#include "app/ui/MainWindow.h"
#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/RadioGroup.h"
#include "platform/ui/Dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TScanImage* ScanImage = nullptr;

TScanImage::TScanImage(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ScanImage");
    setWindowTitle(QString::fromUtf8("Scanner options"));
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    top->addLayout(form);

    seResol = new QSpinBox(this);
    seResol->setObjectName("seResol");
    seResol->setRange(0, 19200);
    seResol->setValue(300);
    auto* resolRow = new QHBoxLayout;
    resolRow->addWidget(seResol);
    resolRow->addWidget(new QLabel("dot per\n inch", this));
    form->addRow("Resolution", resolRow);

    SEBrightness = new QSpinBox(this);
    SEBrightness->setObjectName("SEBrightness");
    SEBrightness->setRange(-1000, 1000);
    BrightnessSlider = new QSlider(Qt::Horizontal, this);
    BrightnessSlider->setObjectName("BrightnessSlider");
    BrightnessSlider->setRange(-1000, 1000);
    BrightnessSlider->setSingleStep(1);
    auto* brightRow = new QHBoxLayout;
    brightRow->addWidget(SEBrightness);
    brightRow->addWidget(BrightnessSlider, 1);
    form->addRow("Brightness", brightRow);
    // Each mirrors the other; setting an equal value emits nothing, so the
    // pair cannot echo for ever.
    connect(BrightnessSlider, &QSlider::valueChanged, SEBrightness, &QSpinBox::setValue);
    connect(SEBrightness, &QSpinBox::valueChanged, BrightnessSlider, &QSlider::setValue);

    cbDisTw = new QCheckBox("Disable Twain dialog", this);
    cbDisTw->setObjectName("cbDisTw");
    cbDisTw->setChecked(true);
    form->addRow(cbDisTw);

    RxSEWarm = new QSpinBox(this);
    RxSEWarm->setObjectName("RxSEWarm");
    auto* warmRow = new QHBoxLayout;
    warmRow->addWidget(RxSEWarm);
    warmRow->addWidget(new QLabel("sec", this));
    warmRow->addStretch(1);
    form->addRow("Warm", warmRow);

    auto* box = new QGroupBox("Scanned region (inches)", this);
    box->setObjectName("GroupBox1");
    auto* regionForm = new QFormLayout(box);
    const auto regionEdit = [&](const char* name, const char* caption, double value) {
        auto* e = new QDoubleSpinBox(box);
        e->setObjectName(name);
        e->setRange(0, 19);
        e->setDecimals(2);
        e->setValue(value);
        regionForm->addRow(caption, e);
        connect(e, &QDoubleSpinBox::valueChanged, this, [this] { storeRegion(); });
        return e;
    };
    seTopSR = regionEdit("seTopSR", "Top", 1);
    seLeftSR = regionEdit("seLeftSR", "Left", 1);
    seBottomSR = regionEdit("seBottomSR", "Bottom", 10);
    seRightSR = regionEdit("seRightSR", "Right", 10);
    top->addWidget(box);

    RGScanSet = new RadioGroup("Scan set", {"Set 1", "Set 2"}, 0, this);
    RGScanSet->setObjectName("RGScanSet");
    connect(RGScanSet, &RadioGroup::clicked, this, [this] { RGScanSetClick(); });
    top->addWidget(RGScanSet);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    top->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(CancelBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TScanImage::RGScanSetClick()
{
    const int i = RGScanSet->itemIndex();
    if (i < 0 || i > 1)
        return;
    // Loading one edit must not store the others' old values into the set.
    loading_ = true;
    seTopSR->setValue(ScanRectTop[i]);
    seLeftSR->setValue(ScanRectLeft[i]);
    seBottomSR->setValue(ScanRectBottom[i]);
    seRightSR->setValue(ScanRectRight[i]);
    loading_ = false;
}

void TScanImage::storeRegion()
{
    const int i = RGScanSet ? RGScanSet->itemIndex() : -1;
    if (loading_ || i < 0 || i > 1)
        return;
    ScanRectTop[i] = seTopSR->value();
    ScanRectLeft[i] = seLeftSR->value();
    ScanRectBottom[i] = seBottomSR->value();
    ScanRectRight[i] = seRightSR->value();
}

void TScanImage::TwainSelectSource(QWidget* window)
{
    if (scanner_.busy())
        return;
    if (!scanner_.SelectSource(window) && !scanner_.lastError().isEmpty())
        Dialogs::current().information(scanner_.lastError());
}

bool TScanImage::TwainAcquire(QWidget*)
{
    bool acquired = false;
    if (ScanedImage && !scanner_.busy()) {
        scanner_.Open();
        scanner_.Setting(0);
        // The resolution before the region: a device that measures its
        // region in pixels needs it.
        scanner_.SetResolution(seResol->value());
        scanner_.SetBrightness(SEBrightness->value());
        scanner_.SetRegion(seLeftSR->value(), seTopSR->value(), seRightSR->value(), seBottomSR->value());
        if (!scanner_.ShowUI(cbDisTw->isChecked() ? -1 : 0) && !dialogNoted_) {
            dialogNoted_ = true;
            RecoLog.add("The scanner shows no dialog of its own here: the settings of \"Scanner options\" are used.");
        }
        scanner_.SetResolution(seResol->value());
        if (scanner_.IsReady()) {
            QImage page;
            if (scanner_.Acquire(page, [] { return Form4 && Form4->stopRequested(); }) > 0 && ScanedImage) {
                ScanedImage->setPicture(page);
                acquired = true;
            }
        }
    }
    scanner_.Close();
    return acquired;
}

bool TScanImage::Button1Click()
{
    if (!Form1 || scanner_.busy())
        return false;
    ScanedImage = Form1->Image1;
    // A scan started on its own shows the stop window for its length; the
    // photocopier keeps it for the whole run.
    const bool ownWatch = Form4 && !Form4->isVisible();
    if (ownWatch)
        Form4->startWatching(Form1);
    const QImage before = Form1->Image1->picture();
    const bool acquired = TwainAcquire(this);
    if (ownWatch)
        Form4->stopWatching();
    if (!acquired) {
        // The page from before stays, and so do its copy and its polarity.
        if (!scanner_.wasCancelled())
            Dialogs::current().information(scanner_.lastError().isEmpty() ? QStringLiteral("No page was scanned.")
                                                                          : scanner_.lastError());
        return false;
    }
    const QImage scanned = Form1->Image1->picture();
    if (const std::string problem = pageSizeProblem(scanned.width(), scanned.height()); !problem.empty()) {
        Form1->Image1->setPicture(before);
        Dialogs::current().information(QString::fromStdString(problem));
        return false;
    }
    // The copy keeps the page as it was scanned, before it became 1 bit.
    const QString copyPath = QDir(QString::fromStdString(Reco.StartFolder)).filePath("Acquired0.bmp");
    QSaveFile copy(copyPath);
    if (!(copy.open(QIODevice::WriteOnly) && scanned.save(&copy, "BMP") && copy.commit()))
        Dialogs::current().information(QStringLiteral("Cannot write the page copy \"%1\".").arg(copyPath));
    Form1->SetupImage();
    if (Reco.FirstScan == 1) {
        Reco.FirstScan = 0;
        Form1->CheckColor();
    }
    return true;
}

} // namespace quon
