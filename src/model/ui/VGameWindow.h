// Window TVGame (instance VGame): the game on a board, replayed move by move.
#pragma once

#include <QWidget>

namespace quon {

class TVGame : public QWidget {
    Q_OBJECT

public:
    explicit TVGame(QWidget* parent = nullptr);

    // Replay operations the main window and the recognition call. Steps of
    // 0 mean "as far as possible".
    void StepBack(int steps);
    void StepForward(int steps);
    void GoFirst();
    void GoLast();
    void AppendMove(int x, int y);
    void RedrawBoard();
};

extern TVGame* VGame;

} // namespace quon
