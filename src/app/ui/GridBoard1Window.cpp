#include "app/ui/GridBoard1Window.h"

#include "app/ui/Debug1Window.h"
#include "app/ui/MainWindow.h"
#include "model/Recotypes.h"

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quon {

TGridBoard1* GridBoard1 = nullptr;

TGridBoard1::TGridBoard1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("GridBoard1");
    setWindowTitle("GridBoard1");
    SGBoard1 = new QTableWidget(19, 19, this);
    SGBoard1->setObjectName("SGBoard1");
    SGBoard1->horizontalHeader()->hide();
    SGBoard1->verticalHeader()->hide();
    SGBoard1->horizontalHeader()->setMinimumSectionSize(8);
    SGBoard1->horizontalHeader()->setDefaultSectionSize(24);
    SGBoard1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGBoard1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(SGBoard1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { SGBoard1SelectCell(column, row); });
    connect(SGBoard1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { SGBoard1SelectCell(column, row); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SGBoard1);
    resize(19 * 24 + 4, 19 * 30 + 4);
}

void TGridBoard1::setCellText(int column, int row, const QString& text)
{
    SGBoard1->setItem(row, column, new QTableWidgetItem(text));
    const int needed = SGBoard1->fontMetrics().horizontalAdvance(text) + 2 * SGBoard1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 6;
    if (SGBoard1->columnWidth(column) < needed)
        SGBoard1->setColumnWidth(column, needed);
}

void TGridBoard1::SGBoard1SelectCell(int column, int row)
{
    if (!Debug1 || column < 0 || row < 0)
        return;
    const int x = column + 1;
    const int y = row + 1;
    const BC& p = Reco.GridPoints[x][y];
    QListWidget* list = Debug1->ListBox2;
    list->clear();
    list->move(5, 205);
    const QString n = QStringLiteral("%1");
    list->addItem(QStringLiteral("X = %1, Y = %2").arg(x).arg(y));
    list->addItem(QStringLiteral("Coord = %1,%2").arg(p.Coord.X).arg(p.Coord.Y));
    list->addItem(QStringLiteral("CoordC = %1,%2").arg(p.CoordC.X).arg(p.CoordC.Y));
    list->addItem(QStringLiteral("Size = %1,%2").arg(p.Size.Width).arg(p.Size.Height));
    list->addItem("Est = " + n.arg(p.Est));
    list->addItem("Typ = " + n.arg(p.Typ));
    list->addItem("DenLine = " + n.arg(p.DenLine));
    list->addItem("DenLine1 = " + n.arg(p.DenLine1));
    list->addItem("Denstone = " + n.arg(p.Denstone));
    list->addItem("Lsw = " + n.arg(p.Lsw));
    for (int i = 1; i <= 3; ++i)
        list->addItem(QStringLiteral("Estdig[%1] = %2").arg(i).arg(static_cast<int>(p.Estdig[i])));
    list->update();
    if (Form1 && Form1->DebugWindow1 && Form1->DebugWindow1->isChecked())
        Debug1->show();
}

} // namespace quon
