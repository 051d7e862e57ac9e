#include "app/ui/GridBoard1Window.h"

namespace quon {

TGridBoard1* GridBoard1 = nullptr;

TGridBoard1::TGridBoard1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("GridBoard1");
    setWindowTitle(QString::fromUtf8("GridBoard1"));
}

} // namespace quon
