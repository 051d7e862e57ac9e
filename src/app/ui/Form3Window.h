// Window TForm3 (instance Form3): a raster of 160 x 160 cells, filled by
// the digit-template editor's "Show".
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quon {

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm3(QWidget* parent = nullptr);

    QTableWidget* SGgame = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* OK = nullptr;      // hides the window
    QPushButton* Button1 = nullptr; // "Cancel"
};

extern TForm3* Form3;

} // namespace quon
