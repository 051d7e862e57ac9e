#include "editor/ui/NumOptWindow.h"

#include "editor/ui/FrmToolsWindow.h"
#include "model/ui/RadioGroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TNumOpt* NumOpt = nullptr;

namespace {
void chooseNextMoveTool()
{
    CurrentTool = ToolNextMove;
    if (FrmTools)
        FrmTools->showTool(ToolNextMove);
}
} // namespace

TNumOpt::TNumOpt(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("NumOpt");
    setWindowTitle(QString::fromUtf8("Numbering Options"));
    auto* top = new QVBoxLayout(this);
    auto* box = new QGroupBox("Next move", this);
    auto* boxRow = new QVBoxLayout(box);
    boxRow->addWidget(new QLabel("Number", box));
    RXsENumMove = new QSpinBox(box);
    RXsENumMove->setObjectName("RXsENumMove");
    RXsENumMove->setRange(1, 500);
    RXsENumMove->setValue(1);
    boxRow->addWidget(RXsENumMove);
    top->addWidget(box);
    RGColmove = new RadioGroup("Next move Color", {"Black", "White"}, 0, this);
    RGColmove->setObjectName("RGColmove");
    top->addWidget(RGColmove);
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    top->addWidget(OKBtn);
    connect(RXsENumMove, &QSpinBox::valueChanged, this, [] { chooseNextMoveTool(); });
    connect(RGColmove, &RadioGroup::clicked, this, [] { chooseNextMoveTool(); });
    connect(OKBtn, &QPushButton::clicked, this, &QWidget::hide);
}

NextMove TNumOpt::nextMove() const { return NextMove{RXsENumMove->value(), RGColmove->itemIndex() == 1}; }

void TNumOpt::setNextMove(const NextMove& next)
{
    const QSignalBlocker blockNumber(RXsENumMove);
    const QSignalBlocker blockColour(RGColmove);
    RXsENumMove->setValue(next.Number);
    RGColmove->setItemIndex(next.White ? 1 : 0);
}

} // namespace quon
