#include "app/ui/Webrow0Window.h"

namespace quon {

TWebrow0* Webrow0 = nullptr;

TWebrow0::TWebrow0(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Webrow0");
    setWindowTitle(QString::fromUtf8("Web Browser"));
}

} // namespace quon
