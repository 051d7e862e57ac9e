// Window TVGame (instance VGame): the current game on a board control,
// replayed move by move with the keys and by the other windows' commands.
//
// The window is thin: the move list and the replay live in TGameController
// (model/GameController.h), which talks back through the host interface
// this window implements (status panel, beep, error box, redraw, log line,
// the typed number in the move-input window). The window adds the board
// control, the one-panel status bar, the keys, the pop-up menu with the
// orientations and stay-on-top, and keeps the board square when resized.
#pragma once

#include "model/GameController.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;

namespace quon {

class TBoard;

class TVGame : public QWidget, private GameWindowHost {
    Q_OBJECT

  public:
    explicit TVGame(QWidget* parent = nullptr);
    ~TVGame() override;

    // --- the move list (see TGameController for each) -------------------
    void AppendMove(int x, int y);
    void ClearMoves();
    void ClearBoard();
    void GoFirst();
    void GoLast();
    void FreeChain(TGameController::Index from);

    // --- replay ---------------------------------------------------------
    void PlayCurrent();
    // Steps of 0 mean "as far as possible".
    void StepForward(int steps);
    void StepBack(int steps);
    void ShowRecoMarks(bool show);
    // Redraws the changed points and repaints the board.
    void RedrawBoard();

    // The node that will be played next, and its point.
    TGameMove& CurrentNode() { return game_->CurrentNode(); }
    BoardPoint CurrentPoint() const;
    void SetCurrentPoint(int x, int y);
    int MoveNumber() const { return game_->MoveNumber(); }
    // The moves a saved game record holds (the closing node left out).
    std::vector<MoveRecord> RecordMoves() const { return game_->Moves().RecordMoves(); }

    TGameController& Game() { return *game_; }
    TBoard* Board() const { return board_; }
    QString StatusText() const;

    // --- keys -----------------------------------------------------------
    // Every key goes to LinearKey while linear input runs, else to ReplayKey.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void ReplayKey(int key);
    // Keys of linear input.
    void LinearKey(int key, Qt::KeyboardModifiers modifiers);
    // Enter in replay: the current move moves onto the typed move's point.
    void CopyTypedMove();

    // --- linear input and line shifts (see TGameController) ------------
    void StartLinearInput(int cont);
    void MoveAllDown();
    void MoveLineRight();
    void MoveLineLeft();
    void MoveLineUp();
    void MoveLineDown();
    // The main window's edit items, read on every click; without it clicks
    // correct the last played move.
    std::function<GameEditMode()> editModeSource;

    // --- clicks ---------------------------------------------------------
    // The board's point-click event; forwards to MoveMade0.
    void MoveMade(TBoard* sender, int x, int y);
    // What a click on a point does: a new move, a corrected move, a static
    // stone, or the cursor of linear input.
    void MoveMade0(int x, int y);

    // --- view -----------------------------------------------------------
    // Composes an orientation change (1 transpose, 2 mirror columns, 4
    // mirror rows) with the board's and redraws; the game keeps its
    // coordinates.
    void Reorient(int code);
    // The board square on the larger client side, the window fitted to it.
    void FitBoard();
    void MakeOnTop1Click();
    bool OnTop() const { return onTop_; }
    // Called by the options dialog when "Show numbers" changes; the shown
    // game does not depend on it.
    void ShowNumbersChanged() {}

    QStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* Rotate1 = nullptr;
    QMenu* Symmetry1 = nullptr;
    QAction* N90degrees1 = nullptr;
    QAction* N180degrees1 = nullptr;
    QAction* N270degrees1 = nullptr;
    QAction* Horizontal1 = nullptr;
    QAction* Vertical1 = nullptr;
    QAction* Diagonal1 = nullptr;
    QAction* Diagonal2 = nullptr;
    QAction* MakeOnTop1 = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // GameWindowHost
    void ShowStatus(const std::string& text) override;
    void Beep() override;
    void ShowMessage(const std::string& text) override;
    void RedrawChanged() override;
    void LogLine(const std::string& line) override;
    void ShowTypedNumber(int typed) override;
    GameEditMode EditMode() override;
    bool AskYesNo(const std::string& text) override;
    OptionsSnapshot InputOptions() override;
    void SetNumMovesOption(int n) override;
    void SetCurrentDiaOption(int n) override;
    void SetCaption(const std::string& text) override;
    void ShowMoveInput() override;
    WrongMoveAnswer AskWrongMove(const std::string& label, int x, int y, int& number) override;
    void DropShownMissingNumber() override;

    void FormCanResize();
    int StatusHeight() const;
    void LayOutBoard(int side);

    TBoard* board_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    std::unique_ptr<TGameController> game_;
    bool onTop_ = false;
    bool refitPending_ = false;
};

extern TVGame* VGame;

} // namespace quon
