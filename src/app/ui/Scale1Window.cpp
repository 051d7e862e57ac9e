#include "app/ui/Scale1Window.h"

#include "app/ui/ValueDialog.h"

#include <QLabel>
#include <QSpinBox>

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
    layOutValueDialog(this, label, SEMagn, percent, BOK, BCancel);
}

} // namespace quon
