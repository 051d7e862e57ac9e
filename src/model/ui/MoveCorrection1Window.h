// Window TMoveCorrection1 (instance MoveCorrection1).
#pragma once

#include <QWidget>

namespace quon {

class TMoveCorrection1 : public QWidget {
    Q_OBJECT

public:
    explicit TMoveCorrection1(QWidget* parent = nullptr);
};

extern TMoveCorrection1* MoveCorrection1;

} // namespace quon
