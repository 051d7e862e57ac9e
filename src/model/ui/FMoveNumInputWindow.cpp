#include "model/ui/FMoveNumInputWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace quon {

TFMoveNumInput* FMoveNumInput = nullptr;

TFMoveNumInput::TFMoveNumInput(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FMoveNumInput");
    setWindowTitle(QString::fromUtf8("Move Input"));
    Label2 = new QLabel(QString::fromUtf8("Input move number:"), this);
    Label2->setObjectName("Label2");
    seMoveNum = new QSpinBox(this);
    seMoveNum->setObjectName("seMoveNum");
    seMoveNum->setRange(0, 600);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Label2);
    row->addWidget(seMoveNum);
}

} // namespace quon
