#include "app/ui/ScanImageWindow.h"

#include "model/ui/RadioGroup.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
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
    form->addRow("Resolution", seResol);

    SEBrightness = new QSpinBox(this);
    SEBrightness->setObjectName("SEBrightness");
    SEBrightness->setRange(-1000, 1000);
    form->addRow("Brightness", SEBrightness);

    cbDisTw = new QCheckBox("Disable Twain dialog", this);
    cbDisTw->setObjectName("cbDisTw");
    cbDisTw->setChecked(true);
    form->addRow(cbDisTw);

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

} // namespace quon
