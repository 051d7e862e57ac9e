#include "editor/ui/FrmDgrWindow.h"

#include "editor/ui/FrmDgrPropWindow.h"
#include "editor/ui/FrmMainWindow.h"
#include "editor/ui/FrmSetBMPWindow.h"
#include "editor/ui/FrmToolsWindow.h"
#include "editor/ui/GoGridWidget.h"

#include <QAction>
#include <QEvent>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TFrmDgr* FrmDgr = nullptr;

TFrmDgr::TFrmDgr(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmDgr");
    setWindowTitle(QString::fromUtf8("Новый файл"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    layout->addWidget(ScrollBox);
    resize(480, 500);
    newView();
    // The editor's menu shortcuts work while the diagram is being edited.
    if (FrmMain)
        for (QAction* a : FrmMain->findChildren<QAction*>())
            if (!a->shortcut().isEmpty())
                addAction(a);
}

tDgrData& TFrmDgr::document() { return grid_->document(); }

void TFrmDgr::newView(std::optional<NewDiagramSettings> settings)
{
    const NewDiagramSettings s = settings     ? *settings
                                 : FrmDgrProp ? FrmDgrProp->newDiagramSettings()
                                              : NewDiagramSettings{};
    const int32_t stepX = FrmDgrProp ? FrmDgrProp->seStepX->value() : 20;
    const int32_t stepY = FrmDgrProp ? FrmDgrProp->seStepY->value() : 20;
    const DgrNewSettings docSettings =
        FrmSetBMP ? FrmSetBMP->newDocumentSettings(stepX, stepY) : DgrNewSettings{stepX, stepY};
    delete ScrollBox->takeWidget();
    grid_ = new tGoGrid(tDgrData(s.SizeX, s.SizeY, docSettings), ScrollBox);
    ScrollBox->setWidget(grid_);
    grid_->model().NewDiagram(s);
    grid_->Relayout();
    showFileName();
    if (FrmTools) {
        FrmTools->bufferEmptied();
        FrmTools->applyCursorToGrid();
    }
}

void TFrmDgr::showFileName()
{
    const std::string& name = document().FileName;
    setWindowTitle(name.empty() ? QString::fromUtf8("Новый файл") : QString::fromStdString(name));
}

bool TFrmDgr::event(QEvent* e)
{
    // The first time it shows: right of the palette, level with its top.
    if (e->type() == QEvent::Show && !placed_ && FrmTools && FrmTools->isVisible()) {
        placed_ = true;
        move(FrmTools->frameGeometry().right() + 1, FrmTools->frameGeometry().top());
    }
    if (e->type() == QEvent::WindowActivate && grid_)
        grid_->setFocus(Qt::ActiveWindowFocusReason);
    return QWidget::event(e);
}

} // namespace quon
