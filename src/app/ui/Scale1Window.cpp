#include "app/ui/Scale1Window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TScale1* Scale1 = nullptr;

TScale1::TScale1(QWidget* parent) : QDialog(parent)
{
    setObjectName("Scale1");
    setWindowTitle("Scale");
    auto* label = new QLabel("Scale:", this);
    SEMagn = new QSpinBox(this);
    SEMagn->setObjectName("SEMagn");
    // At least 1 %: a page shown at 0 % would have no pixels to point at.
    SEMagn->setRange(1, 1000);
    SEMagn->setSingleStep(5);
    SEMagn->setValue(100);
    auto* percent = new QLabel("%", this);
    BOK = new QPushButton("OK", this);
    BOK->setObjectName("BOK");
    BOK->setDefault(true);
    BCancel = new QPushButton("Cancel", this);
    BCancel->setObjectName("BCancel");
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(SEMagn);
    row->addWidget(percent);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOK);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

} // namespace quon
