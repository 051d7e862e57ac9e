#include "app/ui/ScanImageWindow.h"

namespace quon {

TScanImage* ScanImage = nullptr;

TScanImage::TScanImage(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ScanImage");
    setWindowTitle(QString::fromUtf8("Scanner options"));
}

} // namespace quon
