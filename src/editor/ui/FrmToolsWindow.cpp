#include "editor/ui/FrmToolsWindow.h"

namespace quon {

TFrmTools* FrmTools = nullptr;

TFrmTools::TFrmTools(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmTools");
    setWindowTitle(QString::fromUtf8("FrmTools"));
}

} // namespace quon
