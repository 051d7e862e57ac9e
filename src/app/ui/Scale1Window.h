// Window TScale1 (instance Scale1): the zoom percentage typed by the user.
#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace quon {

class TScale1 : public QDialog {
    Q_OBJECT

  public:
    explicit TScale1(QWidget* parent = nullptr);

    QSpinBox* SEMagn = nullptr; // percent, 1 .. 1000 in steps of 5
    QPushButton* BOK = nullptr;
    QPushButton* BCancel = nullptr;
};

extern TScale1* Scale1;

} // namespace quon
