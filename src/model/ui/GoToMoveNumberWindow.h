// Window TGoToMoveNumber (instance GoToMoveNumber).
#pragma once

#include <QWidget>

namespace quon {

class TGoToMoveNumber : public QWidget {
    Q_OBJECT

public:
    explicit TGoToMoveNumber(QWidget* parent = nullptr);
};

extern TGoToMoveNumber* GoToMoveNumber;

} // namespace quon
