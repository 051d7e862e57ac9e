// The game controller's editing: board clicks (moves added at the end, the
// last played move corrected, static stones), Enter in replay, linear input
// at a keyboard cursor and the line shifts of the position.
//
// Linear input keeps the typed game in the move table and on the board only;
// the move list holds placeholders until the input ends and the game is
// assembled from the table. Every question is asked before anything
// changes, so a No leaves the tables as they were.
#include "model/GameController.h"

#include "model/Recotypes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quon {

namespace {

std::string str(long v) { return std::to_string(v); }

template <typename... Args> std::string format(const char* pattern, Args... args)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, pattern, args...);
    return buf;
}

constexpr int kLine = 19; // linear input always runs on the full board
constexpr int kMaxStaticStones = 100;

bool hasStone(CellValue v) { return (cell::bits(v) & 0xF) != 0; }
bool isStone(CellValue v) { return cell::stone(v) == 1 || cell::stone(v) == 2; }

int wrap(int v) { return v > kLine ? 1 : (v < 1 ? kLine : v); }

} // namespace

// ---- low-level ---------------------------------------------------------------

void TGameController::PutCell(int x, int y, CellValue v)
{
    if (!board_.OnBoard(x, y))
        return;
    const bool rules = board_.RulesFlag();
    const BoardPoint last = board_.GetLastMove();
    const uint8_t dirs = board_.GetCaptureDirs();
    board_.SetRulesFlag(false);
    board_.SetPoint(x, y, v);
    board_.SetLastMove(last);
    board_.SetCaptureDirs(dirs);
    board_.SetRulesFlag(rules);
    board_.TakeError();
}

void TGameController::SkipToEnd()
{
    // Placeholders have nothing to play: the walk only counts them.
    current_ = moves_.Last();
    moveNumber_ = static_cast<uint16_t>(current_ > 0 ? current_ - 1 : 0);
    for (Index i = 1; i < moves_.Size(); ++i) {
        moves_[i].Placed = false;
        moves_[i].Captures = 0;
    }
    host_.ShowStatus(str(moveNumber_));
}

int TGameController::MoveNumberAt(int x, int y) const
{
    const int count = std::min<int>(Reco.MoveCount, MaxMoves);
    for (int m = 1; m <= count; ++m)
        if (Reco.MoveTable[m].X == x && Reco.MoveTable[m].Y == y)
            return m;
    return 0;
}

// ---- clicks -------------------------------------------------------------------

void TGameController::MoveMade0(int x, int y)
{
    if (Reco.LinearInputState) {
        LinearClick(x, y);
        return;
    }
    if (!board_.OnBoard(x, y))
        return;
    const GameEditMode mode = host_.EditMode();
    const bool deletesStatic = mode == GameEditMode::DeleteStatic && moveNumber_ == 0;
    // The stone bits decide, so the last move's stone (which carries a
    // marker) counts as occupied too; a correction may put the move back
    // onto its own point.
    const CellValue v = board_.GetPoint(x, y);
    board_.TakeError();
    bool ownPoint = false;
    if (mode != GameEditMode::AddMoves && moveNumber_ != 0 && current_ > TGameMoveList::Root) {
        const TGameMove& last = moves_[current_ - 1];
        ownPoint = last.X == x && last.Y == y;
    }
    if (!deletesStatic && isStone(v) && !ownPoint) {
        host_.ShowMessage(format("The clicked point (%d,%d) is already occupied", x, y));
        return;
    }
    if (mode == GameEditMode::AddMoves)
        AddMoveAtEnd(x, y);
    else if (moveNumber_ != 0)
        CorrectLastMove(x, y);
    else
        EditStaticStone(x, y, mode);
}

void TGameController::AddMoveAtEnd(int x, int y)
{
    if (moves_.HasNext(current_)) {
        host_.ShowMessage("Could not input move in between the game sequence");
        return;
    }
    if (Reco.MoveCount >= MaxMoves) {
        host_.ShowMessage("The game already has " + str(MaxMoves) + " moves");
        return;
    }
    StepBack(0);
    GoLast();
    // A list without its closing node (a game that could not be read) gets
    // one first, so the new move never overwrites the root or a move.
    if (current_ == TGameMoveList::Root || !moves_[current_].IsEmpty()) {
        AppendMove(NoMoveCoord, NoMoveCoord);
    }
    SetCurrentPoint(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
    ++Reco.MoveCount;
    Reco.MoveTable[Reco.MoveCount] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    AppendMove(NoMoveCoord, NoMoveCoord);
    GoFirst();
    StepForward(0);
    host_.RedrawChanged();
}

void TGameController::CorrectLastMove(int x, int y)
{
    MarkPreviousMove(false);
    if (moves_.HasPrevious(current_) && current_ - 1 != TGameMoveList::Root) {
        --current_;
        TGameMove& node = moves_[current_];
        if (!node.IsNoMove())
            TakeBack(node);
        RestoreLastMove();
    }
    if (current_ == TGameMoveList::Root)
        return;
    SetCurrentPoint(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
    bool armed = false;
    if (marksShown_) {
        ShowRecoMarks(false);
        armed = true;
    }
    if (moveNumber_ > 0)
        --moveNumber_;
    PlayCurrent();
    Reco.MoveTable[moveNumber_] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    // The corrected stone stays and carries the correction marker until the
    // move is played again; a marker alone would lose the stone and give
    // its captures back in the wrong colour.
    if (moves_[current_].Placed) {
        SetMarker(x, y, CorrectionMarker);
        pendingMark_ = {x, y};
    }
    ++current_;
    host_.RedrawChanged();
    if (armed)
        AskAboutClaimants(moveNumber_, x, y);
}

void TGameController::AskAboutClaimants(int number, int x, int y)
{
    for (long i = 1; i <= Reco.DoubleMoves.Count; ++i) {
        DoubleMoveEntry& e = Reco.DoubleMoves[i];
        if (e.Number != number || !e.Open)
            continue;
        if (e.X == x && e.Y == y) {
            e.Open = 0;
            continue;
        }
        board_.SetRulesFlag(false);
        SetMarker(e.X, e.Y, CorrectionMarker);
        host_.RedrawChanged();
        const int corner = (e.X > 10 ? (e.Y > 10 ? 3 : 2) : (e.Y > 10 ? 4 : 1));
        const int cx = e.X > 10 ? 20 - e.X : e.X;
        const int cy = e.Y > 10 ? 20 - e.Y : e.Y;
        int n = 0;
        const WrongMoveAnswer answer = host_.AskWrongMove(
            format("Wrong move (%d,%d)=(%d-%d,%d). Input correct number:", e.X, e.Y, corner, cx, cy), e.X, e.Y, n);
        // The mark goes before anything is played there.
        ClearMarker(e.X, e.Y, CorrectionMarker);
        board_.SetRulesFlag(true);
        if (answer == WrongMoveAnswer::Ok) {
            for (long j = 1; j <= Reco.MissedMoves.Count; ++j) {
                MissedMoveEntry& miss = Reco.MissedMoves[j];
                if (miss.Number != n || !miss.Open)
                    continue;
                miss.Open = 0;
                e.Open = 0;
                if (n >= 1 && n <= MaxMoves)
                    Reco.MoveTable[n] = {e.X, e.Y};
                host_.LogLine("Fixed wrong 2nd double move #" + str(n) + ", (" + str(e.X) + "," + str(e.Y) + ")");
                // Exactly n - 1 moves forward: a step of 0 would mean "to the
                // end" and put move 1 on the closing node.
                StepBack(0);
                if (n > 1)
                    StepForward(static_cast<unsigned>(n - 1));
                if (static_cast<Index>(n) < moves_.Last() && n >= 1 && n <= MaxMoves) {
                    current_ = static_cast<Index>(n);
                    SetCurrentPoint(Reco.MoveTable[n].X, Reco.MoveTable[n].Y);
                    StepForward(1);
                }
                break;
            }
        } else if (answer == WrongMoveAnswer::NoMove) {
            e.Open = 0;
        }
        host_.RedrawChanged();
    }
}

void TGameController::EditStaticStone(int x, int y, GameEditMode mode)
{
    int colour = -1;
    if (mode == GameEditMode::AddBlack)
        colour = 1;
    else if (mode == GameEditMode::AddWhite)
        colour = 2;
    else if (mode == GameEditMode::DeleteStatic)
        colour = 0;
    if (colour > 0) {
        auto& list = Reco.SetupStones[colour];
        if (list.Count >= kMaxStaticStones) {
            host_.ShowMessage("No more than " + str(kMaxStaticStones) + " static stones of one colour");
            return;
        }
        list.add({x, y}, "SetupStones");
    } else if (colour == 0) {
        bool removed = false;
        for (int c = 1; c <= 2 && !removed; ++c) {
            auto& list = Reco.SetupStones[c];
            for (long i = 1; i <= list.Count; ++i) {
                if (list[i].X != x || list[i].Y != y)
                    continue;
                for (long j = i; j < list.Count; ++j)
                    list[j] = list[j + 1];
                list[list.Count] = StonePoint{};
                --list.Count;
                removed = true;
                break;
            }
        }
    }
    if (colour >= 0)
        PutCell(x, y, colour);
    host_.DropShownMissingNumber();
    host_.RedrawChanged();
}

void TGameController::CopyTypedMove()
{
    if (!Reco.GameEditEnabled || typed_ == 0)
        return;
    if (typed_ > Reco.MoveCount) {
        host_.ShowMessage("Too big move");
        SetTyped(0);
        return;
    }
    // With nothing played there is no current move to move.
    if (moveNumber_ < 1 || typed_ > MaxMoves) {
        SetTyped(0);
        return;
    }
    const MoveRecord p = Reco.MoveTable[typed_];
    Reco.MoveTable[moveNumber_] = p;
    if (isPlaced(p)) {
        const CellValue v = board_.GetPoint(p.X, p.Y);
        board_.TakeError();
        const TGameMove& last = moves_[current_ - 1];
        if (isStone(v) && !(last.X == p.X && last.Y == p.Y))
            host_.ShowMessage(format("The clicked point (%d,%d) is already occupied", p.X, p.Y));
        else
            CorrectLastMove(p.X, p.Y);
    }
    StepBack(1);
    StepForward(1);
    host_.RedrawChanged();
    SetTyped(0);
}

// ---- linear input -------------------------------------------------------------

void TGameController::LinearRange(const OptionsSnapshot& o, int dia)
{
    Reco.DiaNumberOffset = 0;
    if (o.SENdias > 1) {
        if (dia == 1) {
            Reco.DiaFirstMove = 1;
            // "0 - auto" gives no per-diagram limit.
            Reco.DiaLastMove = o.seDiaNumMoves > 0 ? o.seDiaNumMoves : MaxMoves;
        } else {
            Reco.DiaFirstMove = o.se1stMove;
            Reco.DiaLastMove = o.SENdias <= dia ? Reco.MoveCount : o.seDiaNumMoves * dia;
            if (o.CBTypN == 0)
                Reco.DiaNumberOffset = Reco.DiaFirstMove - 1;
            else if (o.CBTypN == 2)
                Reco.DiaNumberOffset = std::max(0, (Reco.DiaFirstMove - 1) / 100 * 100);
        }
    } else {
        Reco.DiaFirstMove = 1;
        Reco.DiaLastMove = Reco.MoveCount;
    }
    Reco.DiaLastMove = std::clamp(Reco.DiaLastMove, 0, static_cast<int>(MaxMoves));
}

void TGameController::StartLinearInput(bool cont)
{
    OptionsSnapshot o = host_.InputOptions();
    int dia = o.seNDia;
    if (dia == 0) {
        dia = 1;
        host_.SetCurrentDiaOption(1);
    }
    host_.SetCaption(format("LinearInput, Dia # %d of %d", dia, o.SENdias));
    SetTyped(0);
    board_.SetRulesFlag(false);
    cursorShown_ = false;
    LinearRange(o, dia);

    if (cont) {
        StepBack(0);
        GoLast();
        for (int m = 1; m <= std::min<int>(Reco.MoveCount, MaxMoves); ++m)
            if (isPlaced(Reco.MoveTable[m]))
                PutCell(Reco.MoveTable[m].X, Reco.MoveTable[m].Y, 0);
        for (int m = 1; m <= Reco.DiaLastMove; ++m) {
            const MoveRecord p = Reco.MoveTable[m];
            if (!isPlaced(p))
                continue;
            const bool own = dia == 1 || m >= Reco.DiaFirstMove;
            const int printed = o.cbShowNumbers && own ? m - Reco.DiaNumberOffset : 0;
            PutCell(p.X, p.Y, cell::make(moveColour(m), 0, std::max(printed, 0)));
        }
        GoFirst();
        // A count of 0 is "not set" and never asked about.
        if (o.seNumMoves != 0 && o.seNumMoves != Reco.MoveCount) {
            if (host_.AskYesNo(format("Different Number of moves for the game. Old: %d, New: %d. Substitute?",
                                      Reco.MoveCount, o.seNumMoves))) {
                Reco.MoveCount = std::clamp(o.seNumMoves, 0, static_cast<int>(MaxMoves));
                LinearRange(o, dia);
            } else {
                host_.SetNumMovesOption(Reco.MoveCount);
            }
        }
    } else {
        ClearBoard();
        ClearMoves();
        host_.RedrawChanged();
        Reco.MoveCount = o.rgNumMoves == 1 ? std::clamp(o.seNumMoves, 0, static_cast<int>(MaxMoves)) : 0;
        for (int m = 1; m <= MaxMoves; ++m)
            Reco.MoveTable[m] = EmptyMove;
        if (Reco.MoveCount > 0) {
            for (int m = 1; m <= Reco.MoveCount; ++m)
                AppendMove(NoMoveCoord, NoMoveCoord);
            GoFirst();
            SkipToEnd();
        }
        // The range follows the count just set, so a manual count limits
        // the first diagram too.
        LinearRange(o, dia);
    }

    cursor_ = {1, 1};
    MoveCursor(1, 0, false);
    board_.SetRulesFlag(false);
    host_.ShowMoveInput();
    host_.RedrawChanged();
}

bool TGameController::LinearKey(LinearKeyCode key, bool shift, bool ctrl, int digit)
{
    const int s = shift ? 5 : (ctrl ? 10 : 1);
    switch (key) {
    case LinearKeyCode::Backspace:
        DropDigit();
        break;
    case LinearKeyCode::Enter:
        EnterTypedMove();
        break;
    case LinearKeyCode::Space:
        SpaceKey();
        break;
    case LinearKeyCode::End:
        MoveCursor(20, 0, true);
        break;
    case LinearKeyCode::Home:
        MoveCursor(-20, 0, true);
        break;
    case LinearKeyCode::Left:
        MoveCursor(-s, 0, true);
        break;
    case LinearKeyCode::Right:
        MoveCursor(s, 0, true);
        break;
    case LinearKeyCode::Up:
        MoveCursor(0, -s, true);
        break;
    case LinearKeyCode::Down:
        MoveCursor(0, s, true);
        break;
    case LinearKeyCode::Delete:
        DeleteAtCursor();
        break;
    case LinearKeyCode::Digit:
        TypeDigit(digit);
        break;
    case LinearKeyCode::Other:
        return false;
    }
    return true;
}

void TGameController::HideCursorMark()
{
    if (cursorShown_)
        ClearMarker(cursorShownAt_.x, cursorShownAt_.y, CorrectionMarker);
    cursorShown_ = false;
}

void TGameController::ShowCursorMark()
{
    HideCursorMark();
    SetMarker(cursor_.x, cursor_.y, CorrectionMarker);
    cursorShown_ = true;
    cursorShownAt_ = cursor_;
}

void TGameController::ToggleCursorMark()
{
    if (cursorShown_ && cursorShownAt_ == cursor_)
        HideCursorMark();
    else
        ShowCursorMark();
    host_.RedrawChanged();
}

bool TGameController::StoneAtCursor()
{
    const CellValue v = board_.CellAt(cursor_.x, cursor_.y);
    return hasStone(v);
}

void TGameController::StepCursor(int dc, int dr)
{
    int& c = cursor_.x;
    int& r = cursor_.y;
    if (dc == 20)
        c = kLine;
    else if (dc == -20)
        c = 1;
    else if (dc != 0) {
        c += dc;
        if (c > kLine) {
            c = 1;
            r = wrap(r + 1);
        } else if (c < 1) {
            c = kLine;
            r = wrap(r - 1);
        }
    }
    if (dr == 20)
        r = kLine;
    else if (dr == -20)
        r = 1;
    else if (dr != 0) {
        r += dr;
        if (r > kLine) {
            r = 1;
            c = wrap(c + 1);
        } else if (r < 1) {
            r = kLine;
            c = wrap(c - 1);
        }
    }
}

void TGameController::MoveCursor(int dc, int dr, bool unmark)
{
    if (unmark)
        HideCursorMark();
    SetTyped(0);
    StepCursor(dc, dr);
    if (StoneAtCursor()) {
        const OptionsSnapshot o = host_.InputOptions();
        if (o.cbJumpOverStones) {
            const int sc = dc > 0 ? 1 : (dc < 0 ? -1 : 0);
            const int sr = dr > 0 ? 1 : (dr < 0 ? -1 : 0);
            const int jc = sc == 0 && sr == 0 ? 1 : sc;
            const BoardPoint start = cursor_;
            // One lap at most: a full board has no free point to stop at.
            int steps = 0;
            while (StoneAtCursor() && steps < kLine * kLine) {
                StepCursor(jc, sr);
                ++steps;
            }
            if (StoneAtCursor()) {
                cursor_ = start;
                host_.ShowTypedNumber(MoveNumberAt(cursor_.x, cursor_.y));
            }
        } else {
            host_.ShowTypedNumber(MoveNumberAt(cursor_.x, cursor_.y));
        }
    }
    ToggleCursorMark();
}

void TGameController::SpaceKey()
{
    if (typed_ == 0)
        MoveCursor(1, 0, true);
    else
        EnterTypedMove();
}

bool TGameController::EnterTypedMove()
{
    if (typed_ == 0) {
        MoveCursor(0, 1, true);
        MoveCursor(-20, 0, true);
        return false;
    }
    const OptionsSnapshot o = host_.InputOptions();
    const bool manual = o.rgNumMoves == 1;
    const int m = Reco.DiaNumberOffset + typed_;
    if (m < 1 || m > MaxMoves || (manual && m > Reco.DiaLastMove)) {
        host_.ShowMessage("Too big move");
        SetTyped(0);
        return false;
    }
    const int cx = cursor_.x, cy = cursor_.y;
    const bool stoneHere = StoneAtCursor();
    const int k = stoneHere ? MoveNumberAt(cx, cy) : 0;
    const MoveRecord old = Reco.MoveTable[m];
    const bool alreadyPlaced = isPlaced(old);
    const bool samePoint = alreadyPlaced && old.X == cx && old.Y == cy;

    // Every question first: a No changes nothing.
    if (alreadyPlaced && !samePoint && !o.cbAutoreplace &&
        !host_.AskYesNo(format("DoubleMove # %d (X=%2d, Y=%2d). Do you want to replace old one?", m, old.X, old.Y))) {
        SetTyped(0);
        return false;
    }
    // A stone of another move at the cursor is replaced only when asked,
    // also after a double move, so no two moves share one point.
    if (stoneHere && k != m && !o.cbAutoreplace &&
        !host_.AskYesNo("Move here exists. No = " + str(k) + " Do you want to replace it?")) {
        SetTyped(0);
        return false;
    }
    // A number past the game's count: the count grows only when asked, so
    // the move stays where the check at the end finds it.
    const bool grows = !alreadyPlaced && m > Reco.MoveCount;
    if (grows && !host_.AskYesNo("Num moves = " + str(Reco.MoveCount) + ", Move No = " + str(m) +
                                 " Increase number of moves in the game to " + str(m) + " ?")) {
        SetTyped(0);
        return false;
    }

    HideCursorMark();
    if (alreadyPlaced && !samePoint)
        PutCell(old.X, old.Y, 0);
    if (stoneHere && k != m && k > 0)
        Reco.MoveTable[k] = EmptyMove;
    if (grows) {
        StepBack(0);
        GoLast();
        for (int i = Reco.MoveCount; i < m; ++i)
            AppendMove(NoMoveCoord, NoMoveCoord);
        Reco.MoveCount = m;
        host_.SetNumMovesOption(m);
        GoFirst();
        SkipToEnd();
        board_.SetRulesFlag(false);
    }
    Reco.MoveTable[m] = {static_cast<uint8_t>(cx), static_cast<uint8_t>(cy)};
    const int printed = o.cbShowNumbers ? m - Reco.DiaNumberOffset : 0;
    PutCell(cx, cy, cell::make(moveColour(m), 0, std::max(printed, 0)));
    MoveCursor(0, 0, false);
    SetTyped(0);
    if (o.cbBeep)
        host_.Beep();
    return true;
}

void TGameController::DeleteAtCursor()
{
    const int k = MoveNumberAt(cursor_.x, cursor_.y);
    if (k <= 0)
        return;
    Reco.MoveTable[k] = EmptyMove;
    HideCursorMark();
    PutCell(cursor_.x, cursor_.y, 0);
    ShowCursorMark();
    host_.RedrawChanged();
}

void TGameController::LinearClick(int x, int y)
{
    if (x < 1 || x > kLine || y < 1 || y > kLine)
        return;
    HideCursorMark();
    cursor_ = {x, y};
    if (StoneAtCursor() && host_.InputOptions().cbJumpOverStones) {
        MoveCursor(0, 0, false);
        return;
    }
    ShowCursorMark();
    host_.RedrawChanged();
}

// ---- line shifts ----------------------------------------------------------------

bool TGameController::ShiftStones(const std::vector<BoardPoint>& gone, const std::vector<BoardPoint>& from, int dx,
                                  int dy)
{
    std::vector<BoardPoint> lost;
    for (const BoardPoint& p : gone)
        if (hasStone(board_.CellAt(p.x, p.y)))
            lost.push_back(p);
    if (!lost.empty()) {
        std::string where;
        for (const BoardPoint& p : lost)
            where += " (" + str(p.x) + "," + str(p.y) + ")";
        const std::string what = lost.size() == 1 ? "1 stone" : str(static_cast<long>(lost.size())) + " stones";
        if (!host_.AskYesNo("The shift takes " + what + " off the board:" + where + ". Shift anyway?"))
            return false;
    }
    HideCursorMark();
    for (const BoardPoint& p : lost) {
        if (const int k = MoveNumberAt(p.x, p.y); k > 0)
            Reco.MoveTable[k] = RemovedMove;
        PutCell(p.x, p.y, 0);
    }
    for (const BoardPoint& p : from) {
        const CellValue v = board_.CellAt(p.x, p.y);
        if (!hasStone(v))
            continue;
        const int k = MoveNumberAt(p.x, p.y);
        PutCell(p.x + dx, p.y + dy, v);
        PutCell(p.x, p.y, 0);
        if (k > 0)
            Reco.MoveTable[k] = {static_cast<uint8_t>(p.x + dx), static_cast<uint8_t>(p.y + dy)};
    }
    MoveCursor(0, 0, false);
    return true;
}

// Every shift first lists the stones it would push off the board or
// overwrite; none of them goes without the user's word.

void TGameController::MoveAllDown()
{
    const int r = cursor_.y;
    if (r > kLine - 1)
        return;
    std::vector<BoardPoint> gone, from;
    for (int x = 1; x <= kLine; ++x)
        if (hasStone(board_.CellAt(x, kLine - 1)))
            gone.push_back({x, kLine}); // row 19 is pushed over only where row 18 lands on it
    for (int y = kLine - 1; y >= r; --y)
        for (int x = 1; x <= kLine; ++x)
            from.push_back({x, y});
    ShiftStones(gone, from, 0, 1);
}

void TGameController::MoveLineRight()
{
    const int c = cursor_.x, r = cursor_.y;
    if (c > kLine - 1)
        return;
    std::vector<BoardPoint> gone, from;
    if (hasStone(board_.CellAt(kLine - 1, r)))
        gone.push_back({kLine, r});
    for (int x = kLine - 1; x >= c; --x)
        from.push_back({x, r});
    ShiftStones(gone, from, 1, 0);
}

void TGameController::MoveLineLeft()
{
    const int c = cursor_.x, r = cursor_.y;
    std::vector<BoardPoint> gone{{1, r}}, from;
    for (int x = 2; x <= c; ++x)
        from.push_back({x, r});
    ShiftStones(gone, from, -1, 0);
}

void TGameController::MoveLineDown()
{
    const int r = cursor_.y;
    if (r >= kLine)
        return;
    std::vector<BoardPoint> gone, from;
    for (int x = 1; x <= kLine; ++x) {
        gone.push_back({x, r + 1});
        from.push_back({x, r});
    }
    ShiftStones(gone, from, 0, 1);
}

void TGameController::MoveLineUp()
{
    const int r = cursor_.y;
    if (r <= 1)
        return;
    std::vector<BoardPoint> gone, from;
    for (int x = 1; x <= kLine; ++x) {
        gone.push_back({x, r - 1});
        from.push_back({x, r});
    }
    ShiftStones(gone, from, 0, -1);
}

} // namespace quon
