// Window TRotateAngle (instance RotateAngle): the angle of an arbitrary
// rotation, in degrees.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quon {

class TRotateAngle : public QDialog {
    Q_OBJECT

  public:
    explicit TRotateAngle(QWidget* parent = nullptr);

    QLineEdit* SEAngle = nullptr; // three digits, the separator, two digits
    QPushButton* BOK = nullptr;
    QPushButton* BCancel = nullptr;
};

extern TRotateAngle* RotateAngle;

} // namespace quon
