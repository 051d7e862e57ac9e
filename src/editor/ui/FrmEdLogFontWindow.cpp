#include "editor/ui/FrmEdLogFontWindow.h"

namespace quon {

TFrmEdLogFont* FrmEdLogFont = nullptr;

TFrmEdLogFont::TFrmEdLogFont(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmEdLogFont");
    setWindowTitle(QString::fromUtf8("FrmEdLogFont"));
}

} // namespace quon
