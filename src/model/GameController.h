// The game window's logic: the move list, the node that will be played next
// (`Current`), the number of moves on the board (`MoveNumber`), and the
// replay that keeps the board, `Current` and `MoveNumber` together.
//
// Method. Playing a node sets its stone with the capture rules on and keeps
// the capture-direction set the board reports, so that stepping back can put
// the captured groups back. A node whose stone could not be set (its point
// is occupied or the move is forbidden) is marked with the correction marker
// and remembered as not placed; stepping back over it leaves the stones of
// the board as they are. The last played move carries the previous-move
// marker. Markers are set and cleared as bits, never toggled, so a marker
// cannot survive the step that should remove it, and setting one never
// counts as a move for the ko rule (the board's last move is kept).
//
// The controller talks to its window only through GameWindowHost (status
// text, beep, messages, redraw, log lines, the typed number), so it runs
// and is tested without any window.
#pragma once

#include "model/BoardPosition.h"
#include "model/GameMoveList.h"

#include <cstdint>
#include <string>

namespace quon {

class GameWindowHost {
  public:
    virtual ~GameWindowHost() = default;
    // The one panel of the status bar.
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void Beep() = 0;
    // An error box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // Redraw the board points whose value changed, and repaint.
    virtual void RedrawChanged() = 0;
    // A line for the recognition log.
    virtual void LogLine(const std::string& line) = 0;
    // The number typed so far, for the move-input window.
    virtual void ShowTypedNumber(int typed) = 0;
};

// The keys of replay, as the window maps them from the keyboard.
enum class ReplayKeyCode { Backspace, Enter, End, Home, Left, Up, Right, Down, Digit, Other };

class TGameController {
  public:
    using Index = TGameMoveList::Index;

    // The correction marker (large plain cross) and the previous-move
    // marker (the same cross, drawn inverted).
    static constexpr CellValue CorrectionMarker = cell::MarkerCross;
    static constexpr CellValue PreviousMoveMarker = cell::MarkerCrossInv;
    static constexpr int MaxTyped = 600;

    TGameController(BoardPosition& board, GameWindowHost& host);

    // --- the list -------------------------------------------------------
    // Frees every node after Current, appends (x, y) and makes it Current.
    void AppendMove(uint8_t x, uint8_t y);
    // Current := the root; frees every node after it.
    void ClearMoves();
    // Empties every point, MoveNumber 0, status "0"; also forgets a pending
    // correction marker, the shown recognition marks and the board's last
    // move, so nothing of the old game reaches the next one.
    void ClearBoard();
    // Current := the first node after the root (the root on an empty list)
    // or the last node. Neither changes the board or MoveNumber.
    void GoFirst();
    void GoLast();
    // Frees the node and all after it (never the root); Current moves back
    // to the node before when it was freed.
    void FreeChain(Index from);

    // --- replay ---------------------------------------------------------
    // Plays Current on the board without advancing Current.
    void PlayCurrent();
    // n moves forward or back; 0 means as far as possible.
    void StepForward(unsigned n);
    void StepBack(unsigned n);
    // Adds (show) or removes the correction marker at the points of the open
    // double-move entries of MoveNumber.
    void ShowRecoMarks(bool show);
    // One replay key; true when the board should be redrawn.
    bool ReplayKey(ReplayKeyCode key, int digit = 0);
    // Enter in replay with game editing on: puts the typed move on the
    // current move (filled in with the click corrections).
    void CopyTypedMove();

    // --- typing ---------------------------------------------------------
    // typed := typed x 10 + d, restarting at 0 above 600.
    void TypeDigit(int d);
    void DropDigit();
    int Typed() const { return typed_; }
    void SetTyped(int typed);

    // --- state ----------------------------------------------------------
    Index Current() const { return current_; }
    TGameMove& CurrentNode() { return moves_[current_]; }
    // Gives Current a point (the correction flows use it).
    void SetCurrentPoint(uint8_t x, uint8_t y);
    uint16_t MoveNumber() const { return moveNumber_; }
    bool MarksShown() const { return marksShown_; }
    BoardPoint PendingMark() const { return pendingMark_; }
    const TGameMoveList& Moves() const { return moves_; }
    BoardPosition& Board() { return board_; }

    // The list, then "current=N movenumber=M" and the pending mark.
    std::string Dump() const;
    // Empty when the list, the replay state and the board are sound, else
    // what is wrong.
    std::string CheckInvariant() const;

  private:
    void SetMarker(int x, int y, CellValue bits);
    void ClearMarker(int x, int y, CellValue bits);
    // The node's point when it lies on the board.
    bool BoardPointOf(Index i, BoardPoint& p) const;
    void MarkPreviousMove(bool on);
    void TakeBack(TGameMove& node);
    void RestoreLastMove();

    BoardPosition& board_;
    GameWindowHost& host_;
    TGameMoveList moves_;
    Index current_ = TGameMoveList::Root;
    uint16_t moveNumber_ = 0;
    bool marksShown_ = false;
    BoardPoint pendingMark_{};
    int typed_ = 0;
};

} // namespace quon
