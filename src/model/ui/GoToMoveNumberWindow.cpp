#include "model/ui/GoToMoveNumberWindow.h"

namespace quon {

TGoToMoveNumber* GoToMoveNumber = nullptr;

TGoToMoveNumber::TGoToMoveNumber(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("GoToMoveNumber");
    setWindowTitle(QString::fromUtf8("Go To Move Number"));
}

} // namespace quon
