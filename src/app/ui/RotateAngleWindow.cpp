#include "app/ui/RotateAngleWindow.h"

namespace quon {

TRotateAngle* RotateAngle = nullptr;

TRotateAngle::TRotateAngle(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("RotateAngle");
    setWindowTitle(QString::fromUtf8("RotateAngle"));
}

} // namespace quon
