#include "recognize/ui/FCurPropWindow.h"

namespace quon {

TFCurProp* FCurProp = nullptr;

TFCurProp::TFCurProp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FCurProp");
    setWindowTitle(QString::fromUtf8("Curve Properties"));
}

} // namespace quon
