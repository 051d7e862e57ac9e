#include "editor/ui/FrmMainWindow.h"

namespace quon {

TFrmMain* FrmMain = nullptr;

TFrmMain::TFrmMain(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmMain");
    setWindowTitle(QString::fromUtf8("Редактор Го-диаграмм"));
}

} // namespace quon
