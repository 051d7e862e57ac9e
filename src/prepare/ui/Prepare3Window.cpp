#include "prepare/ui/Prepare3Window.h"

namespace quon {

TPrepare3* Prepare3 = nullptr;

TPrepare3::TPrepare3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Prepare3");
    setWindowTitle(QString::fromUtf8("Preparing Progress"));
}

} // namespace quon
