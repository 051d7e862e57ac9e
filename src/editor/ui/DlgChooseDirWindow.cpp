#include "editor/ui/DlgChooseDirWindow.h"

namespace quon {

TDlgChooseDir* DlgChooseDir = nullptr;

TDlgChooseDir::TDlgChooseDir(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("DlgChooseDir");
    setWindowTitle(QString::fromUtf8("Dialog"));
}

} // namespace quon
