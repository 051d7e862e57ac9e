// Window TRotateAngle (instance RotateAngle).
#pragma once

#include <QWidget>

namespace quon {

class TRotateAngle : public QWidget {
    Q_OBJECT

public:
    explicit TRotateAngle(QWidget* parent = nullptr);
};

extern TRotateAngle* RotateAngle;

} // namespace quon
