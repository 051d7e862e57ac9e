#include "model/ui/MoveCorrection1Window.h"

namespace quon {

TMoveCorrection1* MoveCorrection1 = nullptr;

TMoveCorrection1::TMoveCorrection1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("MoveCorrection1");
    setWindowTitle(QString::fromUtf8("Correction Move #"));
}

} // namespace quon
