#include "model/ui/RWSGFWindow.h"

namespace quon {

TRWSGF* RWSGF = nullptr;

TRWSGF::TRWSGF(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("RWSGF");
    setWindowTitle(QString::fromUtf8("RWSGF"));
}

} // namespace quon
