#include "editor/ui/NumOptWindow.h"

namespace quon {

TNumOpt* NumOpt = nullptr;

TNumOpt::TNumOpt(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("NumOpt");
    setWindowTitle(QString::fromUtf8("Numbering Options"));
}

} // namespace quon
