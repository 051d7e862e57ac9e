#include "recognize/ui/BezForm1Window.h"

namespace quon {

TBezForm1* BezForm1 = nullptr;

TBezForm1::TBezForm1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("BezForm1");
    setWindowTitle(QString::fromUtf8("Quon Editor of Bezier Curves"));
}

} // namespace quon
