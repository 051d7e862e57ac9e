#include "recognize/ui/FInfoWindow.h"

namespace quon {

TFInfo* FInfo = nullptr;

TFInfo::TFInfo(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FInfo");
    setWindowTitle(QString::fromUtf8("Info"));
}

} // namespace quon
