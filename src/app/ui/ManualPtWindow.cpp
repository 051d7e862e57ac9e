#include "app/ui/ManualPtWindow.h"

namespace quon {

TManualPt* ManualPt = nullptr;

TManualPt::TManualPt(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ManualPt");
    setWindowTitle(QString::fromUtf8("Manual Corners Pointing"));
}

} // namespace quon
