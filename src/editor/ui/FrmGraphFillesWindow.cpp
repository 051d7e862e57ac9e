#include "editor/ui/FrmGraphFillesWindow.h"

namespace quon {

TFrmGraphFilles* FrmGraphFilles = nullptr;

TFrmGraphFilles::TFrmGraphFilles(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmGraphFilles");
    setWindowTitle(QString::fromUtf8("Просмотр графических файлов"));
}

} // namespace quon
