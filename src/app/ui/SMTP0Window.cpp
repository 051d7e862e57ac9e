#include "app/ui/SMTP0Window.h"

namespace quon {

TSMTP0* SMTP0 = nullptr;

TSMTP0::TSMTP0(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("SMTP0");
    setWindowTitle(QString::fromUtf8("Send games form"));
}

} // namespace quon
