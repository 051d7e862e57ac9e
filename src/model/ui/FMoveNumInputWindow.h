// Window TFMoveNumInput (instance FMoveNumInput): shows, without being
// modal, the move number being typed in the game window.
#pragma once

#include <QWidget>

class QLabel;
class QSpinBox;

namespace quon {

class TFMoveNumInput : public QWidget {
    Q_OBJECT

  public:
    explicit TFMoveNumInput(QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    // The number typed so far (up to 600, what can be typed); changing it
    // has no effect of its own.
    QSpinBox* seMoveNum = nullptr;
};

extern TFMoveNumInput* FMoveNumInput;

} // namespace quon
