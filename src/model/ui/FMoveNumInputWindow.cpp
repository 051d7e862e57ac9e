#include "model/ui/FMoveNumInputWindow.h"

namespace quon {

TFMoveNumInput* FMoveNumInput = nullptr;

TFMoveNumInput::TFMoveNumInput(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FMoveNumInput");
    setWindowTitle(QString::fromUtf8("Move Input"));
}

} // namespace quon
