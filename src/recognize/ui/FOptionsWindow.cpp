#include "recognize/ui/FOptionsWindow.h"

namespace quon {

TFOptions* FOptions = nullptr;

TFOptions::TFOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FOptions");
    setWindowTitle(QString::fromUtf8("Dialog"));
}

} // namespace quon
