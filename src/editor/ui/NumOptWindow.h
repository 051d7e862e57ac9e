// Window TNumOpt (instance NumOpt): the number and colour the next-move tool
// gives next. Changing either by hand chooses that tool.
#pragma once

#include "editor/GoGridModel.h"

#include <QWidget>

class QPushButton;
class QSpinBox;

namespace quon {

class RadioGroup;

class TNumOpt : public QWidget {
    Q_OBJECT

  public:
    explicit TNumOpt(QWidget* parent = nullptr);

    NextMove nextMove() const;
    // Sets both without choosing the tool (the program's own changes).
    void setNextMove(const NextMove& next);
    // Back to move 1, Black.
    void reset() { setNextMove(NextMove{}); }

    QSpinBox* RXsENumMove = nullptr;
    RadioGroup* RGColmove = nullptr;
    QPushButton* OKBtn = nullptr;
};

extern TNumOpt* NumOpt;

} // namespace quon
