#include "recognize/ui/FOptionsWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quon {

TFOptions* FOptions = nullptr;

TFOptions::TFOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FOptions");
    setWindowTitle(QString::fromUtf8("Dialog"));
    CBExactCoord1 = new QCheckBox("Exact coordinates", this);
    CBExactCoord1->setObjectName("CBExactCoord1");
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    // Both only close the dialog: the check box is read while dragging.
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(CancelBtn, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CBExactCoord1);
    layout->addLayout(buttons);
}

} // namespace quon
