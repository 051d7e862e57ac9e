#include "model/GameController.h"

#include "model/Recotypes.h"

namespace quon {

namespace {

std::string str(long v) { return std::to_string(v); }

} // namespace

TGameController::TGameController(BoardPosition& board, GameWindowHost& host) : board_(board), host_(host) {}

// ---- the list ---------------------------------------------------------------

void TGameController::AppendMove(uint8_t x, uint8_t y) { current_ = moves_.AppendAfter(current_, x, y); }

void TGameController::ClearMoves()
{
    current_ = TGameMoveList::Root;
    moves_.Clear();
}

void TGameController::ClearBoard()
{
    const bool rules = board_.RulesFlag();
    board_.SetRulesFlag(false);
    for (int x = 1; x <= BoardPosition::MaxSize; ++x)
        for (int y = 1; y <= BoardPosition::MaxSize; ++y)
            if (board_.OnBoard(x, y))
                board_.SetPoint(x, y, 0);
    board_.SetRulesFlag(rules);
    board_.SetLastMove({});
    board_.SetCaptureDirs(0);
    board_.TakeError();
    // The stones are gone: no node stands on the board any more, and taking
    // one back later must not try to put its captures back.
    for (Index i = 1; i < moves_.Size(); ++i) {
        moves_[i].Placed = false;
        moves_[i].Captures = 0;
    }
    moveNumber_ = 0;
    pendingMark_ = {};
    marksShown_ = false;
    host_.RedrawChanged();
    host_.ShowStatus("0");
}

void TGameController::GoFirst() { current_ = moves_.HasNext(TGameMoveList::Root) ? 1 : TGameMoveList::Root; }

void TGameController::GoLast() { current_ = moves_.Last(); }

void TGameController::FreeChain(Index from)
{
    moves_.FreeChain(from);
    if (current_ >= moves_.Size())
        current_ = moves_.Last();
}

void TGameController::SetCurrentPoint(uint8_t x, uint8_t y)
{
    if (current_ == TGameMoveList::Root)
        return; // the root is never a move
    TGameMove& node = moves_[current_];
    node.X = x;
    node.Y = y;
}

// ---- markers ----------------------------------------------------------------

// Markers are drawn content, not moves: they are written with the rules off,
// and the board's last move and capture set (which the ko rule reads) are
// kept as they were.
void TGameController::SetMarker(int x, int y, CellValue bits)
{
    if (board_.OnBoard(x, y))
        PutCell(x, y, board_.GetPoint(x, y) | bits);
}

void TGameController::ClearMarker(int x, int y, CellValue bits)
{
    if (!board_.OnBoard(x, y))
        return;
    CellValue v = board_.GetPoint(x, y) & ~bits;
    // Drawing bits without a shape draw nothing, but would make an empty
    // point look occupied to the rules.
    if (cell::markerShape(v) == 0)
        v = static_cast<CellValue>(cell::bits(v) & ~0x60000000u);
    PutCell(x, y, v);
}

bool TGameController::BoardPointOf(Index i, BoardPoint& p) const
{
    if (i >= moves_.Size())
        return false;
    const TGameMove& n = moves_[i];
    if (!board_.OnBoard(n.X, n.Y))
        return false;
    p = {n.X, n.Y};
    return true;
}

void TGameController::MarkPreviousMove(bool on)
{
    BoardPoint p;
    if (current_ == TGameMoveList::Root || !BoardPointOf(current_ - 1, p))
        return;
    if (on)
        SetMarker(p.x, p.y, PreviousMoveMarker);
    else
        ClearMarker(p.x, p.y, PreviousMoveMarker);
}

void TGameController::ShowRecoMarks(bool show)
{
    for (const DoubleMoveEntry& e : Reco.DoubleMoves) {
        if (e.Number != moveNumber_ || !e.Open)
            continue;
        if (show)
            SetMarker(e.X, e.Y, CorrectionMarker);
        else
            ClearMarker(e.X, e.Y, CorrectionMarker);
    }
    marksShown_ = show;
    board_.SetRulesFlag(true);
}

// ---- replay -----------------------------------------------------------------

void TGameController::PlayCurrent()
{
    if (current_ == TGameMoveList::Root)
        return; // the root is never played
    board_.TakeError();
    if (moveNumber_ < UINT16_MAX)
        ++moveNumber_;
    const int n = moveNumber_;
    TGameMove& node = moves_[current_];
    node.Placed = false;
    node.Captures = 0;

    if (node.IsNoMove()) {
        if (node.IsDouble())
            ShowRecoMarks(true);
        host_.ShowStatus(str(n) + " No move");
        host_.Beep();
        return;
    }

    if (pendingMark_ != BoardPoint{}) {
        ClearMarker(pendingMark_.x, pendingMark_.y, CorrectionMarker);
        pendingMark_ = {};
    }
    host_.ShowStatus(str(n));

    const int x = node.X, y = node.Y;
    const bool onBoard = board_.OnBoard(x, y);
    if (onBoard && (board_.GetPoint(x, y) & 3) != 0) {
        SetMarker(x, y, CorrectionMarker);
        host_.ShowStatus(str(n) + " Point already is occupated: (" + str(x) + ", " + str(y) + ")");
        host_.Beep();
        host_.Beep();
        pendingMark_ = {x, y};
    } else {
        board_.SetRulesFlag(true);
        uint8_t error = 1; // a point off the board cannot be played
        if (onBoard) {
            board_.SetPoint(x, y, 0);
            board_.SetPoint(x, y, moveColour(n));
            error = board_.TakeError();
        }
        if (error != 0) {
            if (onBoard) {
                SetMarker(x, y, CorrectionMarker);
                pendingMark_ = {x, y};
            }
            host_.ShowStatus(str(n) + " Forbidden move: " + str(x) + ", " + str(y));
            host_.Beep();
            host_.Beep();
        } else {
            node.Placed = true;
        }
    }

    const uint8_t left = board_.TakeError();
    if (left != 0) {
        node.Placed = false;
        host_.ShowMessage("Error in Board: #" + str(left));
    } else if (node.Placed && board_.GetLastMove() == BoardPoint{x, y}) {
        node.Captures = board_.GetCaptureDirs();
    }
}

void TGameController::StepForward(unsigned n)
{
    MarkPreviousMove(false);
    board_.SetRulesFlag(true);
    board_.TakeError();
    // The root is never played: a walk that starts there starts at the first move.
    if (current_ == TGameMoveList::Root && moves_.HasNext(current_))
        current_ = 1;
    unsigned played = 0;
    while (moves_.HasNext(current_) && (n == 0 || played < n)) {
        if (marksShown_)
            ShowRecoMarks(false);
        PlayCurrent();
        ++current_;
        ++played;
    }
    MarkPreviousMove(true);
    board_.SetRulesFlag(true);
    if (played == 0)
        host_.ShowStatus(str(moveNumber_));
}

void TGameController::TakeBack(TGameMove& node)
{
    const int x = node.X, y = node.Y;
    if (node.Placed) {
        // Only a stone that stands there can give its captures back; an
        // empty point would let the refill flood the region around it.
        if ((board_.GetPoint(x, y) & 3) != 0) {
            board_.SetLastMove({x, y});
            board_.SetCaptureDirs(node.Captures);
            board_.UndoCaptures();
        }
        board_.SetPoint(x, y, 0);
    } else if (board_.OnBoard(x, y)) {
        // Never placed: the stone there belongs to an earlier move and stays;
        // only the markers this move left go.
        ClearMarker(x, y, PreviousMoveMarker);
        if (pendingMark_ == BoardPoint{x, y})
            pendingMark_ = {};
    }
    board_.TakeError();
    node.Placed = false;
    node.Captures = 0;
}

void TGameController::RestoreLastMove()
{
    // What the ko rule needs for the next move: the move now last on the board.
    BoardPoint p;
    if (current_ != TGameMoveList::Root && BoardPointOf(current_ - 1, p) && moves_[current_ - 1].Placed) {
        board_.SetLastMove(p);
        board_.SetCaptureDirs(moves_[current_ - 1].Captures);
    } else {
        board_.SetLastMove({});
        board_.SetCaptureDirs(0);
    }
}

void TGameController::StepBack(unsigned n)
{
    if (moves_.HasPrevious(current_)) {
        unsigned steps = 0;
        while (current_ - 1 != TGameMoveList::Root && (n == 0 || steps < n)) {
            if (marksShown_)
                ShowRecoMarks(false);
            --current_;
            if (moveNumber_ > 0)
                --moveNumber_;
            TGameMove& node = moves_[current_];
            if (!node.IsNoMove())
                TakeBack(node);
            ++steps;
        }
    }
    host_.ShowStatus(str(moveNumber_));
    MarkPreviousMove(true);
    RestoreLastMove();
    board_.SetRulesFlag(true);
    // The move now last on the board is a number claimed twice: show its
    // claimants, as stepping forward onto it does.
    if (current_ > 1 && moves_[current_ - 1].IsDouble())
        ShowRecoMarks(true);
}

bool TGameController::ReplayKey(ReplayKeyCode key, int digit)
{
    switch (key) {
    case ReplayKeyCode::Backspace:
        DropDigit();
        return false;
    case ReplayKeyCode::Enter:
        if (Reco.GameEditEnabled)
            CopyTypedMove();
        return false;
    case ReplayKeyCode::End:
        StepForward(0);
        return true;
    case ReplayKeyCode::Home:
        StepBack(0);
        return true;
    case ReplayKeyCode::Left:
        StepBack(10);
        return true;
    case ReplayKeyCode::Up:
        StepBack(1);
        return true;
    case ReplayKeyCode::Right:
        StepForward(10);
        return true;
    case ReplayKeyCode::Down:
        StepForward(1);
        return true;
    case ReplayKeyCode::Digit:
        TypeDigit(digit);
        return false;
    case ReplayKeyCode::Other:
        break;
    }
    return false;
}

// ---- typing -----------------------------------------------------------------

void TGameController::TypeDigit(int d)
{
    if (d < 0 || d > 9)
        return;
    typed_ = typed_ * 10 + d;
    if (typed_ > MaxTyped)
        typed_ = 0;
    host_.ShowTypedNumber(typed_);
    // "Smart enter": the number is entered as soon as no further digit can
    // make sense. Outside linear input the limit is the game's length (the
    // diagram's range belongs to linear input).
    const OptionsSnapshot o = host_.InputOptions();
    if (!o.cbSmartEnter || typed_ == 0)
        return;
    const bool manual = o.rgNumMoves == 1;
    const int limit = Reco.LinearInputState ? Reco.DiaLastMove : Reco.MoveCount;
    if ((manual && typed_ * 10 > limit) || (!manual && typed_ >= 50)) {
        if (Reco.LinearInputState)
            EnterTypedMove();
        else if (Reco.GameEditEnabled)
            CopyTypedMove();
    }
}

void TGameController::DropDigit()
{
    typed_ /= 10;
    host_.ShowTypedNumber(typed_);
}

void TGameController::SetTyped(int typed)
{
    typed_ = typed >= 0 && typed <= MaxTyped ? typed : 0;
    host_.ShowTypedNumber(typed_);
}

// ---- checks -----------------------------------------------------------------

std::string TGameController::Dump() const
{
    std::string out = moves_.Dump();
    out += "current=" + str(static_cast<long>(current_)) + " movenumber=" + str(moveNumber_);
    if (pendingMark_ != BoardPoint{})
        out += " pending=(" + str(pendingMark_.x) + "," + str(pendingMark_.y) + ")";
    if (marksShown_)
        out += " marks";
    out += "\n";
    return out;
}

std::string TGameController::CheckInvariant() const
{
    if (std::string e = moves_.CheckInvariant(); !e.empty())
        return e;
    if (std::string e = board_.CheckInvariant(); !e.empty())
        return "board: " + e;
    if (current_ >= moves_.Size())
        return "current node " + str(static_cast<long>(current_)) + " past the list";
    if (moveNumber_ >= moves_.Size() && moveNumber_ != 0)
        return "move number " + str(moveNumber_) + " above the moves of the list";
    for (Index i = static_cast<Index>(moveNumber_) + 1; i < moves_.Size(); ++i)
        if (moves_[i].Placed)
            return "node " + str(static_cast<long>(i)) + " placed but not played";
    if (pendingMark_ != BoardPoint{} && !board_.OnBoard(pendingMark_.x, pendingMark_.y))
        return "pending mark off the board";
    if (typed_ < 0 || typed_ > MaxTyped)
        return "typed number " + str(typed_);
    for (int x = 1; x <= board_.BoardSize(); ++x)
        for (int y = 1; y <= board_.BoardSize(); ++y) {
            const CellValue v = board_.CellAt(x, y);
            if (cell::stone(v) > 2)
                return "stone code " + str(cell::stone(v)) + " on the board";
            if (cell::markerShape(v) == 0 && cell::markerDrawing(v) != 0)
                return "marker drawing bits without a marker at board point (" + str(x) + "," + str(y) + ")";
        }
    return {};
}

} // namespace quon
