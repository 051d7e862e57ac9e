#include "app/ui/RotateAngleWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quon {

TRotateAngle* RotateAngle = nullptr;

TRotateAngle::TRotateAngle(QWidget* parent) : QDialog(parent)
{
    setObjectName("RotateAngle");
    setWindowTitle("RotateAngle");
    auto* label = new QLabel("Angle:", this);
    SEAngle = new QLineEdit(this);
    SEAngle->setObjectName("SEAngle");
    // Up to three digits, the decimal separator and two digits; "_" marks
    // the places still blank.
    SEAngle->setInputMask("###,##;_");
    SEAngle->setText("   ,  ");
    auto* degrees = new QLabel("Degrees", this);
    BOK = new QPushButton("OK", this);
    BOK->setObjectName("BOK");
    BOK->setDefault(true);
    BCancel = new QPushButton("Cancel", this);
    BCancel->setObjectName("BCancel");
    connect(BOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(SEAngle);
    row->addWidget(degrees);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOK);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

} // namespace quon
