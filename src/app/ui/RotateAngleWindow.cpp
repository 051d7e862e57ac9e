#include "app/ui/RotateAngleWindow.h"

#include "app/ui/ValueDialog.h"

#include <QLabel>
#include <QLineEdit>

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
    layOutValueDialog(this, label, SEAngle, degrees, BOK, BCancel);
}

void TRotateAngle::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    SEAngle->setFocus();
    SEAngle->setCursorPosition(0);
    SEAngle->selectAll();
}

} // namespace quon
