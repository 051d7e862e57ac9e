#include "editor/ui/FrmDgrPropWindow.h"

namespace quon {

TFrmDgrProp* FrmDgrProp = nullptr;

TFrmDgrProp::TFrmDgrProp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmDgrProp");
    setWindowTitle(QString::fromUtf8("Параметры вывода на дисплей"));
}

} // namespace quon
