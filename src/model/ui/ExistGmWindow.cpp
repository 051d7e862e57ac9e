#include "model/ui/ExistGmWindow.h"

namespace quon {

TExistGm* ExistGm = nullptr;

TExistGm::TExistGm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ExistGm");
    setWindowTitle(QString::fromUtf8("Game Info"));
}

} // namespace quon
