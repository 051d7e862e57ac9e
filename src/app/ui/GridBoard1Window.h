// Window TGridBoard1 (instance GridBoard1): the 19 x 19 points of the
// current diagram as a grid of texts. Selecting a cell lists the point's
// values in the debug window's point list.
#pragma once

#include <QWidget>

class QTableWidget;

namespace quon {

class TGridBoard1 : public QWidget {
    Q_OBJECT

  public:
    explicit TGridBoard1(QWidget* parent = nullptr);

    QTableWidget* SGBoard1 = nullptr;

    // Column and row from 0, as the grid counts its cells.
    void SGBoard1SelectCell(int column, int row);
    // Puts one value into its cell; the column widens until it shows the
    // value whole.
    void setCellText(int column, int row, const QString& text);
};

extern TGridBoard1* GridBoard1;

} // namespace quon
