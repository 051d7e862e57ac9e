#include "app/ui/Form4Window.h"

namespace quon {

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form4");
    setWindowTitle(QString::fromUtf8("Form4"));
}

} // namespace quon
