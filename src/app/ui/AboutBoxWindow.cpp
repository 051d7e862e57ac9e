#include "app/ui/AboutBoxWindow.h"

namespace quon {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("AboutBox");
    setWindowTitle(QString::fromUtf8("About"));
}

} // namespace quon
