#include "recognize/ui/RecoDiaWindow.h"

namespace quon {

TRecoDia* RecoDia = nullptr;

TRecoDia::TRecoDia(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("RecoDia");
    setWindowTitle(QString::fromUtf8("RecoDia"));
}

} // namespace quon
