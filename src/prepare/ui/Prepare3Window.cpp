#include "prepare/ui/Prepare3Window.h"

#include "model/RecognitionLog.h"
#include "model/ui/OptionsWindow.h"
#include "prepare/PrepareEngine.h"
#include "model/Recotypes.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TPrepare3* Prepare3 = nullptr;

TPrepare3::TPrepare3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Prepare3");
    setWindowTitle("Preparing Progress");
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    Label1->setFont(big);
    // The largest text the label shows, at the largest grid, fits whole.
    Label1->setMinimumWidth(QFontMetrics(big).horizontalAdvance("X = 19, Y = 19, NPts = 361") + 8);
    layout->addWidget(Label1);
    QLabel** rest[] = {&Label2, &Label3, &Label4, &Label5, &Label6};
    for (int i = 0; i < 5; ++i) {
        *rest[i] = new QLabel(this);
        layout->addWidget(*rest[i]);
    }
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    Label3->setObjectName("Label3");
    Label4->setObjectName("Label4");
    Label5->setObjectName("Label5");
    Label6->setObjectName("Label6");
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &TPrepare3::Button1Click);
    setMinimumWidth(320);
}

// Cancel only raises the flag; the running engine sees it at its next pump.
void TPrepare3::Button1Click() { Reco.CancelFlag = 1; }

QLabel* TPrepare3::label(int index) const
{
    switch (index) {
    case 1:
        return Label1;
    case 2:
        return Label2;
    case 3:
        return Label3;
    case 4:
        return Label4;
    case 5:
        return Label5;
    case 6:
        return Label6;
    default:
        return nullptr;
    }
}

void TPrepare3::showProgress(bool visible)
{
    if (visible) {
        show();
        raise();
        sys::pumpEvents(); // once, so that the window paints
    } else {
        hide();
    }
}

void TPrepare3::setLabel(int index, const std::string& text)
{
    if (QLabel* l = label(index))
        l->setText(QString::fromStdString(text));
}

bool TPrepare3::pump()
{
    sys::pumpEvents();
    return Reco.CancelFlag == 1;
}

void TPrepare3::inform(const std::string& text) { Dialogs::current().information(QString::fromStdString(text)); }

bool TPrepare3::ask(const std::string& text) { return Dialogs::current().question(QString::fromStdString(text)); }

void TPrepare3::log(const std::string& line) { RecoLog.add(line); }

void TPrepare3::pointList(const std::string& line)
{
    if (pointListSink)
        pointListSink(line);
}

uint32_t TPrepare3::ticks() { return sys::ticks(); }

bool TPrepare3::gridVisible() { return gridVisibleHook && gridVisibleHook(); }

void TPrepare3::uncheckGridVisible()
{
    if (uncheckGridVisibleHook)
        uncheckGridVisibleHook();
}

void TPrepare3::beginGridCells()
{
    if (beginGridCellsHook)
        beginGridCellsHook();
}

void TPrepare3::setGridCell(int col, int row, const std::string& text)
{
    if (gridCellHook)
        gridCellHook(col, row, text);
}

void TPrepare3::showGridWindow(bool visible)
{
    if (showGridWindowHook)
        showGridWindowHook(visible);
}

void TPrepare3::enableRecognition()
{
    if (enableRecognitionHook)
        enableRecognitionHook();
}

bool TPrepare3::PrepareDiagram()
{
    const OptionsSnapshot options = Options ? Options->snapshot() : OptionsSnapshot{};
    PrepareEngine engine(*this, options);
    // Events are processed while the engine runs (labels, Cancel); nothing
    // else of the program may start meanwhile: it would change the page or
    // the grid under the engine.
    setWindowModality(Qt::ApplicationModal);
    const bool ok = engine.PrepareDiagram();
    // A failed run leaves the window up, as it stood; it must not go on
    // blocking the program once the run is over.
    const bool up = isVisible();
    if (up)
        hide();
    setWindowModality(Qt::NonModal);
    if (up)
        show();
    if (engine.LowerDiagramNumber && Options)
        Options->seNDia->setValue(Options->seNDia->value() - 1);
    return ok;
}

} // namespace quon
