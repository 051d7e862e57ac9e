#include "app/ui/Form3Window.h"

namespace quon {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form3");
    setWindowTitle(QString::fromUtf8("Form3"));
}

} // namespace quon
