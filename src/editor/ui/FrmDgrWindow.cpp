#include "editor/ui/FrmDgrWindow.h"

namespace quon {

TFrmDgr* FrmDgr = nullptr;

TFrmDgr::TFrmDgr(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmDgr");
    setWindowTitle(QString::fromUtf8("Новый файл"));
}

} // namespace quon
