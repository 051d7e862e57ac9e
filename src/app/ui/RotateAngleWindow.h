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

  protected:
    // The field opens selected, so the first key typed replaces it from its
    // first place on.
    void showEvent(QShowEvent* e) override;
};

extern TRotateAngle* RotateAngle;

} // namespace quon
