// Window TOptions (instance Options): the settings store of the program.
// Other windows read its controls by name at the moment of use.
#pragma once

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace quon {

class TOptions : public QWidget {
    Q_OBJECT

public:
    explicit TOptions(QWidget* parent = nullptr);

    // Diagram numbering of the game being recognised.
    QSpinBox* seNDia = nullptr;   // current diagram number
    QSpinBox* SENdias = nullptr;  // diagrams of the game, 0 = not known
    QCheckBox* cbJumpOverStones = nullptr;
    QCheckBox* CBFillArI = nullptr;
};

extern TOptions* Options;

} // namespace quon
