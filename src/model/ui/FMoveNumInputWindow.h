// Window TFMoveNumInput (instance FMoveNumInput).
#pragma once

#include <QWidget>

namespace quon {

class TFMoveNumInput : public QWidget {
    Q_OBJECT

public:
    explicit TFMoveNumInput(QWidget* parent = nullptr);
};

extern TFMoveNumInput* FMoveNumInput;

} // namespace quon
