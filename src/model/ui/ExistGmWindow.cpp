#include "model/ui/ExistGmWindow.h"

#include <QFormLayout>
#include <QLineEdit>

namespace quon {

TExistGm* ExistGm = nullptr;

TExistGm::TExistGm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ExistGm");
    setWindowTitle(QString::fromUtf8("Game Info"));
    auto* form = new QFormLayout(this);
    EDate = new QLineEdit("1992-01-01", this);
    EDate->setObjectName("EDate");
    form->addRow("Date", EDate);
}

} // namespace quon
