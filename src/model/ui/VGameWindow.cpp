#include "model/ui/VGameWindow.h"

namespace quon {

TVGame* VGame = nullptr;

TVGame::TVGame(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("VGame");
    setWindowTitle("VGame");
}

// The move list arrives with the game window itself; until then the replay
// operations have no list to walk.
void TVGame::StepBack(int) {}
void TVGame::StepForward(int) {}
void TVGame::GoFirst() {}
void TVGame::GoLast() {}
void TVGame::AppendMove(int, int) {}
void TVGame::RedrawBoard() { update(); }

} // namespace quon
