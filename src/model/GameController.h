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
#include "model/OptionsSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

// Which board edit the main window's Game and Board menus have checked.
enum class GameEditMode { EditMoves, AddMoves, AddBlack, AddWhite, DeleteStatic, Other };

// Answers of the correction dialog asked about a wrong second claimant.
enum class WrongMoveAnswer { Ok, NoMove, Cancel };

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

    // What clicks and linear input need of the program; the defaults are a
    // host without windows (replay only).
    virtual GameEditMode EditMode() { return GameEditMode::EditMoves; }
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string&) { return false; }
    // The options linear input reads, and the two it writes back.
    virtual OptionsSnapshot InputOptions() { return {}; }
    virtual void SetNumMovesOption(int) {}
    virtual void SetCurrentDiaOption(int) {}
    virtual void SetCaption(const std::string&) {}
    // Shows the move-input window beside the game.
    virtual void ShowMoveInput() {}
    // The correction dialog beside game point (x, y) with the label given;
    // on Ok `number` holds the number chosen.
    virtual WrongMoveAnswer AskWrongMove(const std::string&, int, int, int& number)
    {
        number = 0;
        return WrongMoveAnswer::Cancel;
    }
    // The correction dialog forgets the missing number its box shows.
    virtual void DropShownMissingNumber() {}
};

// The keys of linear input, as the window maps them from the keyboard.
enum class LinearKeyCode { Backspace, Enter, Space, End, Home, Left, Right, Up, Down, Delete, Digit, Other };

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
    // Enter in replay with game editing on: the current move moves onto the
    // point of the typed move number.
    void CopyTypedMove();

    // --- clicks -----------------------------------------------------------
    // A click on game point (x, y): the cursor in linear input, else by the
    // edit mode a new move at the end, the last played move moved there, or
    // a static stone added or deleted at move 0.
    void MoveMade0(int x, int y);

    // --- linear input -------------------------------------------------------
    // Enters linear input for the current diagram; cont false starts a new
    // game, true goes on with the game in the move table.
    void StartLinearInput(bool cont);
    // One key of linear input; true when the board should be redrawn.
    bool LinearKey(LinearKeyCode key, bool shift, bool ctrl, int digit = 0);
    // Places the typed number at the cursor; true when a stone was placed.
    bool EnterTypedMove();
    // Moves the cursor (20 / -20: to the last / first line) with the wrap
    // rules, jumping over stones when the options say so.
    void MoveCursor(int dc, int dr, bool unmark);
    void DeleteAtCursor();
    void SpaceKey();
    void ToggleCursorMark();
    bool StoneAtCursor();
    void LinearClick(int x, int y);
    // The first move 1..MoveCount whose table entry is (x, y), 0 when none.
    int MoveNumberAt(int x, int y) const;
    BoardPoint Cursor() const { return cursor_; }
    void SetCursor(int x, int y) { cursor_ = {x, y}; }

    // The line shifts of the position at the cursor: they change the board
    // and the move table only. A shift that would take stones off the board
    // asks first and changes nothing on No.
    void MoveAllDown();
    void MoveLineRight();
    void MoveLineLeft();
    void MoveLineUp();
    void MoveLineDown();

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
    // Click handling by mode.
    void AddMoveAtEnd(int x, int y);
    void CorrectLastMove(int x, int y);
    void AskAboutClaimants(int number, int x, int y);
    void EditStaticStone(int x, int y, GameEditMode mode);
    // A point written with the rules off (the ko state kept).
    void PutCell(int x, int y, CellValue v);
    // The list walked to its end without playing placeholders one by one.
    void SkipToEnd();
    void LinearRange(const OptionsSnapshot& o, int dia);
    void StepCursor(int dc, int dr);
    void HideCursorMark();
    void ShowCursorMark();
    // The shifts: removes the stones at `gone` (asking first when there are
    // any), then moves the stones of `from` by (dx, dy) in the order given.
    bool ShiftStones(const std::vector<BoardPoint>& gone, const std::vector<BoardPoint>& from, int dx, int dy);

    BoardPosition& board_;
    GameWindowHost& host_;
    TGameMoveList moves_;
    Index current_ = TGameMoveList::Root;
    uint16_t moveNumber_ = 0;
    bool marksShown_ = false;
    BoardPoint pendingMark_{};
    int typed_ = 0;
    BoardPoint cursor_{1, 1};
    bool cursorShown_ = false;
    BoardPoint cursorShownAt_{};
};

} // namespace quon
