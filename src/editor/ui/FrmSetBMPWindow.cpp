#include "editor/ui/FrmSetBMPWindow.h"

namespace quon {

TFrmSetBMP* FrmSetBMP = nullptr;

TFrmSetBMP::TFrmSetBMP(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmSetBMP");
    setWindowTitle(QString::fromUtf8("Настройка вывода"));
}

} // namespace quon
