#include "app/ui/Scale1Window.h"

namespace quon {

TScale1* Scale1 = nullptr;

TScale1::TScale1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Scale1");
    setWindowTitle(QString::fromUtf8("Scale"));
}

} // namespace quon
