#include "model/ui/OptionsWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSpinBox>

namespace quon {

TOptions* Options = nullptr;

TOptions::TOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Options");
    setWindowTitle("Options");
    auto* form = new QFormLayout(this);
    seNDia = new QSpinBox(this);
    seNDia->setObjectName("seNDia");
    seNDia->setRange(0, 100);
    seNDia->setValue(1);
    SENdias = new QSpinBox(this);
    SENdias->setObjectName("SENdias");
    SENdias->setRange(0, 100);
    cbJumpOverStones = new QCheckBox("Jump over stones", this);
    cbJumpOverStones->setObjectName("cbJumpOverStones");
    cbJumpOverStones->setChecked(true);
    CBFillArI = new QCheckBox("FillArI", this);
    CBFillArI->setObjectName("CBFillArI");
    form->addRow("Dia #", seNDia);
    form->addRow("Dias in game", SENdias);
    form->addRow(cbJumpOverStones);
    form->addRow(CBFillArI);
}

} // namespace quon
