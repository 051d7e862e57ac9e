#include "recognize/GameAssembly.h"

#include "prepare/PrepareEngine.h"
#include "prepare/WindowFeatures.h"

#include <algorithm>
#include <cstdio>

namespace quon {

namespace {

std::string str(long v) { return std::to_string(v); }
std::string at(int32_t c, int32_t r) { return " (" + str(c) + "," + str(r) + ")"; }
std::string atComma(int32_t c, int32_t r) { return ", (" + str(c) + "," + str(r) + ")"; }

// A number text of the program: all digits, short enough to be a number.
bool textNumber(const std::string& t, int32_t& value)
{
    if (!isNumberText(t) || t.size() > 6)
        return false;
    value = std::stoi(t);
    return true;
}

bool hasFailureMark(const std::string& t) { return t.find_first_not_of("0123456789") != std::string::npos; }

// The confidence of a stone carried over from the game board into a further
// diagram: preparation gives no stone of its own finding this value.
constexpr int32_t CarriedStoneConf = 100;

// The points the pass reads: the diagram window for the diagram flavour
// (within the board), the whole grid for a game record.
DiagramRect passWindow(bool diagram)
{
    if (!diagram)
        return DiagramRect{1, 1, 19, 19};
    const DiagramRect& w = Reco.DiagramWindow;
    return DiagramRect{std::max(1, w.Left), std::max(1, w.Top), std::min(19, w.Right), std::min(19, w.Bottom)};
}

// The digits of a reading with "e" at its one rejected position; empty when
// the reading failed as a whole or more or fewer than one position was
// rejected. A failure code such as "e0" never qualifies: its digit is a count.
std::string similarPattern(const StoneReadResult& r)
{
    if (r.Failure != StoneReadFailure::None || r.Digits.empty())
        return {};
    std::string p;
    int rejected = 0;
    for (const StoneDigit& d : r.Digits) {
        if (d.Rejected) {
            ++rejected;
            p += 'e';
        } else {
            p += static_cast<char>('0' + d.Digit);
        }
    }
    return rejected == 1 ? p : std::string{};
}

} // namespace

std::string correctionQuestion(int32_t c, int32_t r)
{
    int corner = 0, dx = 0, dy = 0;
    if (c < 11 && r < 11) {
        corner = 1, dx = c, dy = r;
    } else if (c < 11) {
        corner = 4, dx = c, dy = 20 - r;
    } else if (r < 11) {
        corner = 2, dx = 20 - c, dy = r;
    } else {
        corner = 3, dx = 20 - c, dy = 20 - r;
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "Bad move (%d,%d)=(%d-%d,%d). Input correct number:", c, r, corner, dx, dy);
    return buf;
}

// ---- Reading ------------------------------------------------------------------

void GameAssembly::collectSetupStone(const BC& p, int32_t c, int32_t r)
{
    if ((p.Typ != TypBlackStatic && p.Typ != TypWhiteStatic) || p.PatternConf == CarriedStoneConf)
        return;
    BoundedList<StonePoint, 100>& list = Reco.SetupStones[p.Typ - 2];
    const StonePoint s{c, r};
    if (std::find(list.begin(), list.end(), s) != list.end())
        return;
    if (list.full()) {
        ++SetupStonesRefused;
        return;
    }
    list.add(s, "Setup stones");
}

void GameAssembly::readStones()
{
    if (!diagram_)
        host_.showMoveInput();
    host_.beginGridCells();
    host_.showProgress("", "Recognizing stones");
    host_.pump();
    const DiagramRect w = passWindow(diagram_);
    // A position has no numbers to read.
    const bool readNumbers = !diagram_ || Reco.DiagramType != DiaPosition;
    bool cancelled = false;
    for (int32_t r = w.Top; r <= w.Bottom && !cancelled; ++r) {
        for (int32_t c = w.Left; c <= w.Right; ++c) {
            Reco.CurPointX = c;
            Reco.CurPointY = r;
            BC& p = Reco.GridPoints[c][r];
            if (diagram_ && p.Typ == TypUndecided) {
                BC copy = p;
                if (reader_.checkStone(copy)) {
                    p.Coord = copy.Coord;
                    p.Size = copy.Size;
                    if (Reco.DiagramType == DiaPosition && copy.Typ > 0) {
                        p.Typ = static_cast<int16_t>(copy.Typ + 2);
                        p.PatternConf = 90;
                    } else {
                        p.Typ = TypColourUndecided;
                        p.PatternConf = 70;
                    }
                    p.Est = 80;
                }
            }
            StoneReadResult res;
            if (!readNumbers) {
                // nothing read
            } else if (p.Typ == TypColourUndecided) {
                // Try black first; a stone that reads as neither stays undecided.
                p.Typ = TypBlackNumbered;
                res = reader_.read(0);
                if (hasFailureMark(res.Text) && p.Typ == TypBlackNumbered) {
                    p.Typ = TypWhiteNumbered;
                    res = reader_.read(0);
                    if (hasFailureMark(res.Text) && p.Typ == TypWhiteNumbered)
                        p.Typ = TypColourUndecided;
                }
            } else if (p.Typ == TypBlackNumbered || p.Typ == TypWhiteNumbered) {
                res = reader_.read(0);
            }
            results_[c][r] = res;
            if (!res.Text.empty()) {
                p.Text = res.Text;
                host_.setGridCell(c - 1, r - 1, res.Text);
            } else {
                if (diagram_)
                    collectSetupStone(p, c, r);
                host_.setGridCell(c - 1, r - 1, p.Typ == TypBlackStatic ? " B" : p.Typ == TypWhiteStatic ? " W" : "");
            }
        }
        host_.setProgressLine("Line = " + str(r));
        // Cancel in the progress window ends the reading after this row.
        cancelled = host_.pump();
    }
    if (host_.gridVisible())
        host_.showGridWindow();
    host_.hideProgress();
}

// ---- Placing ------------------------------------------------------------------

void GameAssembly::addMistake(int32_t c, int32_t r, uint8_t kind, const std::string& text, MistakeExtra extra)
{
    RecogMistake m;
    m.X = static_cast<uint8_t>(c);
    m.Y = static_cast<uint8_t>(r);
    m.Kind = kind;
    m.Open = 1;
    m.Text = text;
    // The diagram flavour keeps 100 mistakes. A full list refuses the entry
    // and says so once in the log.
    if (diagram_ && Reco.RecogMistakes.Count >= DiagramMistakeLimit) {
        if (!mistakesFullLogged_)
            host_.log("Recognition mistakes: the list is full (" + str(DiagramMistakeLimit) +
                      "), further mistakes are not listed");
        mistakesFullLogged_ = true;
        return;
    }
    if (!Reco.RecogMistakes.add(m, "Recognition mistakes"))
        return;
    extras_.push_back(std::move(extra));
}

// The numbering offset of a further diagram comes from the move count of the
// diagrams before. A last move printed beside the board or left unread makes
// that count short, and the whole diagram would then land in the wrong moves.
// The diagram's own stones tell, and the slot skipped stays empty and is
// listed as a missed move, so the user still sees it:
// - numbers restarting at 1: move parity decides colour, so when most
//   numbered stones show the other colour than their move would have, the
//   count is one short;
// - numbers running modulo 100: when most numbers would land among the moves
//   already played, the count stopped short of a hundred the diagram has
//   passed.
void GameAssembly::checkNumberingOffset()
{
    const bool restart = options_.CBTypN == 0 && Reco.NumberOffset == Reco.MovesBefore;
    const bool modulo = options_.CBTypN == 2 && Reco.NumberOffset == (Reco.MovesBefore / 100) * 100;
    if (Reco.MovesBefore <= 0 || !(restart || modulo))
        return;
    int32_t agree = 0, disagree = 0;
    for (int32_t r = 1; r <= 19; ++r) {
        for (int32_t c = 1; c <= 19; ++c) {
            const BC& p = Reco.GridPoints[c][r];
            int32_t n = 0;
            if ((p.Typ != 1 && p.Typ != 2) || !textNumber(p.Text, n) || n < 1)
                continue;
            if (!diagram_ && n > 399)
                n -= 300;
            const int32_t move = n + Reco.NumberOffset;
            const bool fits = restart ? moveColour(move) == p.Typ
                                      : move > Reco.MovesBefore || move + 100 > MaxMoves;
            (fits ? agree : disagree) += 1;
        }
    }
    // A few misread colours or numbers must not move a whole diagram.
    if (disagree < 5 || disagree < 3 * agree)
        return;
    Reco.NumberOffset += restart ? 1 : 100;
    host_.log("Numbering offset " + str(Reco.NumberOffset) + ": " + str(disagree) + " of " + str(agree + disagree) +
              (restart ? " stones show the other colour" : " numbers fall among the moves played") + "; move " +
              str(Reco.MovesBefore + 1) + " is not on the board");
}

void GameAssembly::placeNumbers()
{
    const DiagramRect w = passWindow(diagram_);
    for (int32_t r = w.Top; r <= w.Bottom; ++r) {
        for (int32_t c = w.Left; c <= w.Right; ++c) {
            BC& p = Reco.GridPoints[c][r];
            const std::string t = p.Text;
            if (t.empty() || t == " ? ")
                continue;
            int32_t n = 0;
            if (!textNumber(t, n)) {
                // Anything but plain digits is unreadable: "e", "t", "-" and
                // the failure codes alike.
                MistakeExtra extra;
                if (results_[c][r].Text == t)
                    extra.pattern = similarPattern(results_[c][r]);
                addMistake(c, r, MistakeUnreadable, t, extra);
                host_.log("Recognition Mistake, move #" + t + at(c, r));
                continue;
            }
            // A printed 400 or more counts 300 less on a game record only.
            if (!diagram_ && n > 399)
                n -= 300;
            n += Reco.NumberOffset;
            // A printed 0 is no move; a number of an earlier diagram never
            // takes that diagram's slot.
            if (n <= Reco.MovesBefore || (diagram_ && n == Reco.NumberOffset)) {
                addMistake(c, r, MistakeUnreadable, t, {});
                host_.log("Recognition Mistake, move #" + t + at(c, r));
                continue;
            }
            if (n > MaxMoves) {
                addMistake(c, r, MistakeTooBig, t, {});
                host_.log("Too big move #" + t + at(c, r));
                continue;
            }
            MoveRecord& slot = Reco.MoveTable[n];
            const bool doubled = slot == DoubleMove;
            if (isFreeSlot(slot) && !doubled) {
                slot = MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)};
                continue;
            }
            if (doubled) {
                // A further claimant of a number already claimed twice joins
                // the claimants; taking the slot would hide the conflict.
                if (!Reco.DoubleMoves.full()) {
                    host_.log("Double move #" + t + at(c, r));
                    Reco.DoubleMoves.add(DoubleMoveEntry{n, static_cast<uint8_t>(c), static_cast<uint8_t>(r), 1},
                                         "Double moves");
                }
                continue;
            }
            const int32_t c1 = slot.X, r1 = slot.Y;
            BC& first = Reco.GridPoints[c1][r1];
            // A diagram settles no claim by the estimates: every second
            // claim is a double move while the list has room for both.
            const bool room =
                diagram_ ? Reco.DoubleMoves.Count + 2 <= Reco.DoubleMoves.Capacity : Reco.DoubleMoves.Count < 100;
            if (!diagram_ && p.Est < 80 && first.Est > 90) {
                p.Text.clear();
            } else if (!diagram_ && p.Est > 90 && first.Est < 80) {
                first.Text.clear();
                slot = MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)};
            } else if (!room) {
                if (diagram_ && !doublesFullLogged_)
                    host_.log("Double moves: the list is full, further double moves are not listed");
                doublesFullLogged_ = true;
            } else {
                host_.log("Double move #" + t + at(c, r) + " and" + at(c1, r1));
                slot = DoubleMove;
                bool listed = false;
                for (const DoubleMoveEntry& d : Reco.DoubleMoves)
                    listed = listed || d.Number == n;
                if (!listed)
                    Reco.DoubleMoves.add(DoubleMoveEntry{n, static_cast<uint8_t>(c1), static_cast<uint8_t>(r1), 1},
                                         "Double moves");
                Reco.DoubleMoves.add(DoubleMoveEntry{n, static_cast<uint8_t>(c), static_cast<uint8_t>(r), 1},
                                     "Double moves");
            }
        }
    }
}

// ---- The last move and the missed moves ------------------------------------------

void GameAssembly::findLastMove()
{
    const bool last = options_.SENdias == options_.seNDia;
    // A count of 0 was never entered: the search decides.
    // A diagram always searches.
    const bool manual = !diagram_ && options_.rgNumMoves == 1 && options_.seNumMoves > 0;
    if (manual && last) {
        for (int32_t s = MaxMoves; s > Reco.MoveCount && s >= 1; --s) {
            const MoveRecord m = Reco.MoveTable[s];
            if (isFreeSlot(m) || !isPlaced(m))
                continue;
            host_.log("Wrong (too big) move # " + str(s) + atComma(m.X, m.Y));
            MistakeExtra extra;
            extra.gameNumber = true;
            addMistake(m.X, m.Y, MistakeTooBig, str(s), extra);
        }
        return;
    }
    int32_t emptyRun = 0, confirmations = 0, candidate = 0;
    for (int32_t s = MaxMoves; s >= 1; --s) {
        if (confirmations > 3)
            break;
        // The moves of earlier diagrams are the game so far: they confirm
        // any candidate and are never dropped as stray numbers.
        if (s <= Reco.MovesBefore) {
            if (candidate == 0)
                Reco.MoveCount = Reco.MovesBefore;
            break;
        }
        const MoveRecord m = Reco.MoveTable[s];
        if (!isFreeSlot(m)) {
            if (candidate == 0) {
                candidate = s;
                Reco.MoveCount = s;
            } else {
                ++confirmations;
                emptyRun = 0;
            }
        } else if (candidate != 0) {
            if (++emptyRun > 5) {
                const MoveRecord cm = Reco.MoveTable[candidate];
                host_.log("Wrong (too big) move # " + str(candidate) + atComma(cm.X, cm.Y));
                if (isPlaced(cm)) {
                    MistakeExtra extra;
                    extra.gameNumber = true;
                    addMistake(cm.X, cm.Y, MistakeTooBig, str(candidate), extra);
                    // The stray number leaves the table: the next diagram's
                    // search would find it again and take its stone for a
                    // mistake of that diagram.
                    if (ofThisDiagram(candidate))
                        Reco.MoveTable[candidate] = EmptyMove;
                }
                candidate = 0;
                emptyRun = 0;
            }
        }
    }
}

void GameAssembly::listMissedMoves()
{
    for (int32_t s = 1; s <= Reco.MoveCount && s <= MaxMoves; ++s) {
        if (!isFreeSlot(Reco.MoveTable[s]))
            continue;
        host_.log("Missed move #" + str(s));
        Reco.MissedMoves.add(MissedMoveEntry{s, 1}, "Missed moves");
        ++Reco.MistakeCount;
    }
    Reco.MistakeCount += Reco.DoubleMoves.Count / 2;
}

// ---- Repairs ----------------------------------------------------------------------

long GameAssembly::openMissed(int32_t n) const
{
    for (long i = 1; i <= Reco.MissedMoves.Count; ++i)
        if (Reco.MissedMoves[i].Open && Reco.MissedMoves[i].Number == n)
            return i;
    return 0;
}

void GameAssembly::closeMistake(long i)
{
    Reco.RecogMistakes[i].Open = 0;
    --OpenMistakes;
    --OpenRecogMistakes;
}

void GameAssembly::placeRepaired(int32_t n, int32_t c, int32_t r)
{
    Reco.MoveTable[n] = MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)};
    if (gameShown_)
        if (TGameController* g = host_.game())
            SetGameMove(*g, n, c, r);
}

void GameAssembly::repairMistakes()
{
    for (long i = 1; i <= Reco.RecogMistakes.Count; ++i) {
        RecogMistake& m = Reco.RecogMistakes[i];
        const MistakeExtra& extra = extras_[static_cast<size_t>(i - 1)];
        Reco.CurPointX = m.X;
        Reco.CurPointY = m.Y;
        BC& p = Reco.GridPoints[m.X][m.Y];
        const std::string& t = m.Text;
        if (m.Kind == MistakeUnreadable) {
            if (extra.pattern.empty())
                continue;
            const size_t pos = extra.pattern.find('e');
            long match = 0;
            int matches = 0;
            for (long k = 1; k <= Reco.MissedMoves.Count; ++k) {
                const MissedMoveEntry& e = Reco.MissedMoves[k];
                // The stone shows the number as printed on this diagram.
                if (!e.Open || !ofThisDiagram(e.Number) || e.Number - Reco.NumberOffset < 1)
                    continue;
                const std::string s = str(e.Number - Reco.NumberOffset);
                std::string filled = extra.pattern;
                if (s.size() != filled.size())
                    continue;
                filled[pos] = s[pos];
                if (filled == s) {
                    ++matches;
                    match = k;
                }
            }
            if (matches != 1)
                continue;
            const int32_t n = Reco.MissedMoves[match].Number;
            Reco.MissedMoves[match].Open = 0;
            closeMistake(i);
            p.Text = str(n - Reco.NumberOffset);
            p.Estdig[1] = 10;
            placeRepaired(n, m.X, m.Y);
            host_.log("Fixed similar move #" + str(n) + atComma(m.X, m.Y));
            ++Repairs;
            continue;
        }
        if (m.Kind != MistakeTooBig)
            continue;
        int32_t value = 0;
        if (textNumber(t, value) && value >= 100) {
            const int32_t tail = (t[1] - '0') * 10 + (t[2] - '0');
            // A printed number is compared as printed; a number of the
            // last-move search is already a game number.
            const int32_t shift = extra.gameNumber ? 0 : Reco.NumberOffset;
            long match = 0;
            int matches = 0;
            for (long k = 1; k <= Reco.MissedMoves.Count; ++k) {
                const MissedMoveEntry& e = Reco.MissedMoves[k];
                if (!e.Open || !ofThisDiagram(e.Number) || e.Number - shift < 0)
                    continue;
                if ((e.Number - shift) % 100 == tail) {
                    ++matches;
                    match = k;
                }
            }
            if (matches == 1) {
                const int32_t n = Reco.MissedMoves[match].Number;
                Reco.MissedMoves[match].Open = 0;
                closeMistake(i);
                p.Text = str(n - shift);
                p.Estdig[1] = 10;
                placeRepaired(n, m.X, m.Y);
                host_.log("Fixed too big move #" + str(n) + atComma(m.X, m.Y));
                ++Repairs;
                continue;
            }
        }
        // Two digits read as one wide number: cut the group and read again.
        std::string split;
        if (!reader_.readSplit(split)) {
            host_.log("No features for the wrong-split repair" + at(m.X, m.Y));
            continue;
        }
        int32_t n = 0;
        if (!textNumber(split, n))
            continue;
        n += Reco.NumberOffset;
        const long k = ofThisDiagram(n) ? openMissed(n) : 0;
        if (k == 0)
            continue;
        Reco.MissedMoves[k].Open = 0;
        closeMistake(i);
        placeRepaired(n, m.X, m.Y);
        host_.log("Fixed wrong split move #" + str(n) + atComma(m.X, m.Y));
        ++Repairs;
    }
}

// ---- The correction dialog ----------------------------------------------------------

void GameAssembly::askCorrections()
{
    for (long i = 1; i <= Reco.RecogMistakes.Count; ++i) {
        RecogMistake& m = Reco.RecogMistakes[i];
        if (!m.Open)
            continue;
        host_.markPoint(m.X, m.Y, true);
        ++Questions;
        const CorrectionAnswer a = host_.askCorrection(correctionQuestion(m.X, m.Y), m.X, m.Y);
        if (a.Result == CorrectionResult::Ok) {
            // The number is a game move (as the list of missing moves shows
            // it) or the number printed on the stone of this diagram.
            int32_t n = a.Number;
            long k = ofThisDiagram(n) ? openMissed(n) : 0;
            if (k == 0 && ofThisDiagram(a.Number + Reco.NumberOffset)) {
                n = a.Number + Reco.NumberOffset;
                k = openMissed(n);
            }
            if (k != 0) {
                Reco.MissedMoves[k].Open = 0;
                closeMistake(i);
                placeRepaired(n, m.X, m.Y);
                host_.log("Manually Fixed wrong recog. Move #" + str(n) + atComma(m.X, m.Y));
                if (!diagram_)
                    host_.removeNoMove(n);
            }
        }
        host_.markPoint(m.X, m.Y, false);
    }
}

// ---- The second reading of doubles ----------------------------------------------------

void GameAssembly::rereadDoubleMoves()
{
    for (long i = 1; i <= Reco.DoubleMoves.Count; ++i) {
        DoubleMoveEntry& d = Reco.DoubleMoves[i];
        if (!d.Open)
            continue;
        const BC& p = Reco.GridPoints[d.X][d.Y];
        // With the centre on the crossing the second reading would see the
        // window of the first.
        if (p.Coord == p.CoordC)
            continue;
        Reco.CurPointX = d.X;
        Reco.CurPointY = d.Y;
        const StoneReadResult res = reader_.read(2);
        int32_t v = 0;
        if (!textNumber(res.Text, v))
            continue;
        const int32_t mv = v + Reco.NumberOffset;
        if (mv < 1 || mv > Reco.MoveCount || !ofThisDiagram(mv) || mv == d.Number)
            continue;
        if (!isFreeSlot(Reco.MoveTable[mv]))
            continue;
        placeRepaired(mv, d.X, d.Y);
        d.Open = 0;
        if (const long k = openMissed(mv))
            Reco.MissedMoves[k].Open = 0;
        --OpenMistakes;
        if (OpenRecogMistakes >= 1)
            --OpenRecogMistakes;
    }
}

// ---- The run ----------------------------------------------------------------------

void GameAssembly::handOver()
{
    Reco.GameSaved = 0;
    if (TGameController* g = host_.game()) {
        if (gameShown_)
            StepToFirstGap(*g);
    }
    host_.showGameWindow(true);
    host_.redrawGame();
}

void GameAssembly::RecoFullGame()
{
    diagram_ = false;
    extras_.clear();
    Reco.RecogMistakes.clear();
    mistakesFullLogged_ = doublesFullLogged_ = false;
    // A run reads every stone: a stop left by an earlier run does not carry over.
    Reco.DebugRunState = 1;
    if (Reco.LinearInputState == 0) {
        const bool last = options_.SENdias == options_.seNDia;
        host_.hideOptions();
        if (options_.CBAskNumMoves && last)
            host_.askNumberOfMoves(options_);
        if (options_.SENdias > 0 && options_.rgNumMoves == 1 && options_.seNumMoves > 0)
            Reco.MoveCount = std::min<int32_t>(options_.seNumMoves, MaxMoves);
        Reco.StartTicks = host_.ticks();
        readStones();
    }
    runPass();
}

void GameAssembly::RecoDiagram()
{
    diagram_ = true;
    extras_.clear();
    Reco.RecogMistakes.clear();
    mistakesFullLogged_ = doublesFullLogged_ = false;
    SetupStonesRefused = 0;
    Reco.DebugRunState = 1;
    Reco.StartTicks = host_.ticks();
    readStones();
    runPass();
}

void GameAssembly::runPass()
{
    const bool reading = diagram_ || Reco.LinearInputState == 0;
    Reco.MistakeCount = 0;
    Reco.MissedMoves.clear();
    Reco.DoubleMoves.clear();
    if (reading) {
        host_.clearLog();
        if (SetupStonesRefused > 0) {
            const std::string text = "Setup stones: " + str(SetupStonesRefused) +
                                     " stones were left out, the lists hold 100 stones of a colour";
            host_.log(text);
            host_.inform(text);
        }
        checkNumberingOffset();
        placeNumbers();
        findLastMove();
    }
    listMissedMoves();

    const int32_t recog = Reco.RecogMistakes.Count;
    host_.log("N Recognition mistakes: " + str(recog));
    host_.log("N Double moves: " + str(Reco.DoubleMoves.Count / 2));
    host_.log("Mistakes all: " + str(Reco.MistakeCount));
    host_.log("Number of Moves: " + str(Reco.MoveCount));
    if (reading) {
        Reco.RecognitionTime = static_cast<int32_t>((host_.ticks() - Reco.StartTicks) / 100);
        host_.log("Time of: Preparing: " + str(Reco.PreparationTime) + ", Recognition: " + str(Reco.RecognitionTime));
    }
    MistakesListed = recog;
    OpenMistakes = Reco.MistakeCount;
    OpenRecogMistakes = recog;

    repairMistakes();

    host_.initGame();
    gameShown_ = host_.game() != nullptr && host_.game()->Moves().Size() > 1;
    // The diagram flavour leaves the dialog's list of missing moves as it is.
    if (!diagram_) {
        std::vector<int32_t> topFirst;
        for (long k = Reco.MissedMoves.Count; k >= 1; --k)
            topFirst.push_back(Reco.MissedMoves[k].Number);
        host_.setNoMoveList(topFirst);
    }
    host_.showGameWindow(true);

    askCorrections();

    host_.showGameWindow(false);
    rereadDoubleMoves();

    host_.log("N Recognition mistakes: " + str(OpenRecogMistakes));
    host_.log("N Double moves: " + str(Reco.DoubleMoves.Count / 2));
    host_.log("Mistakes all: " + str(OpenMistakes));
    host_.finishLog();

    handOver();
}

// ---- The program's reader -----------------------------------------------------------

// The stone check's host inside recognition: nothing is shown or asked, a
// window of the wrong size becomes a line of the log.
class ProgramStoneReader::CheckHost : public PrepareHost {
  public:
    explicit CheckHost(StoneNumberReader& reader) : reader_(reader) {}
    void showProgress(bool) override {}
    void setLabel(int, const std::string&) override {}
    bool pump() override { return false; }
    void inform(const std::string& text) override { log(text); }
    bool ask(const std::string&) override { return false; }
    void log(const std::string& line) override
    {
        if (reader_.Log)
            reader_.Log(line);
    }
    void pointList(const std::string&) override {}
    uint32_t ticks() override { return 0; }

  private:
    StoneNumberReader& reader_;
};

ProgramStoneReader::ProgramStoneReader(StoneNumberReader& reader) : reader_(reader) {}
ProgramStoneReader::~ProgramStoneReader() = default;

bool ProgramStoneReader::checkStone(BC& point)
{
    if (!checker_) {
        checkHost_ = std::make_unique<CheckHost>(reader_);
        checker_ = std::make_unique<PrepareEngine>(*checkHost_);
    }
    // A refused window size stops neither the check of the next point nor
    // the reading of the diagram.
    const int16_t runState = Reco.DebugRunState;
    const bool found = checker_->CheckStone(point, 5);
    Reco.DebugRunState = runState;
    return found;
}

bool ProgramStoneReader::readSplit(std::string& text)
{
    text.clear();
    BC& p = Reco.GridPoints[Reco.CurPointX][Reco.CurPointY];
    const IntSize size = p.Size;
    const IntPoint origin{p.Coord.X - size.Width / 2, p.Coord.Y - size.Height / 2};
    // A window without features stops this repair only, not the run.
    const int16_t runState = Reco.DebugRunState;
    const bool ok = CutWindowFeatures(size, origin, nullptr);
    Reco.DebugRunState = runState;
    if (!ok)
        return false;
    const int32_t colour = p.Typ == TypWhiteNumbered ? TypWhiteNumbered : TypBlackNumbered;
    if (reader_.FindDigits(size, colour, 0, 1) != 1)
        return true;
    reader_.CutDigitGroup(size, colour, 1);
    if (reader_.FindDigits(size, colour, 0, 0) != 2)
        return true;
    text = reader_.ReadDigitGroups(size, origin, colour, 2).Text;
    return true;
}

// ---- The start of a diagram --------------------------------------------------------

void NewDia(int32_t n, DiagramStart& start, RecognitionHost& host, StoneNumberReader* reader)
{
    OptionsSnapshot& o = start.options;
    // A new game empties the move table: a game with moves that was not
    // saved is offered for saving first, and only then.
    if (n == 1) {
        if (Reco.GameSaved == 0 && Reco.MoveCount > 0 && host.askSaveGame())
            host.saveGame();
        Reco.GameSaved = 1;
    }
    Reco.CancelFlag = 0;
    Reco.CropRect = PixelRect{};
    host.clearLog();
    Reco.CropArmed = 0;
    Reco.CornerMode = 0;
    // The setup stones belong to the game: a further diagram adds to them.
    if (n == 1) {
        Reco.SetupStones[1].clear();
        Reco.SetupStones[2].clear();
    }
    if (reader)
        reader->resetDigitHeights();
    resetGridForNewDiagram(start.manualCorners);
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r)
            host.setGridCell(c - 1, r - 1, " ");

    if (!(o.cbUseStSz && o.cbUseStSzCurGm && n > 1))
        Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{};
    if (o.CBUsaStSz) {
        Reco.StoneSizes[1] = StoneSize{o.SEstszBx, o.SEstszBy};
        Reco.StoneSizes[2] = StoneSize{o.SEstszWx, o.SEstszWy};
    }

    TGameController* game = host.game();
    if (n == 1) {
        for (int32_t s = 1; s <= MaxMoves; ++s)
            Reco.MoveTable[s] = EmptyMove;
        Reco.MoveCount = 0;
        Reco.NumberOffset = 0;
        Reco.MovesBefore = 0;
        Reco.DiagramsDone = 0;
        o.seNDia = 1;
        o.se1stMove = 1;
        o.seMoveCor = 1;
        o.seNumMoves = 0;
    } else {
        Reco.MovesBefore = Reco.MoveCount;
        switch (o.CBTypN) {
        case 0:
            Reco.NumberOffset = Reco.MovesBefore;
            break;
        case 1:
            Reco.NumberOffset = 0;
            break;
        case 2:
            Reco.NumberOffset = (Reco.MovesBefore / 100) * 100;
            break;
        default:
            break;
        }
        o.seMoveCor = Reco.MovesBefore + 1;
        if (game) {
            game->StepBack(0);
            game->StepForward(0);
            BoardPosition& board = game->Board();
            for (int c = 1; c <= 19; ++c)
                for (int r = 1; r <= 19; ++r) {
                    // The last move carries the previous-move marker; it is
                    // a plain stone of the new diagram all the same.
                    const CellValue v = board.GetPoint(c, r) & ~TGameController::PreviousMoveMarker;
                    if (!cell::isPlainStone(v))
                        continue;
                    BC& p = Reco.GridPoints[c][r];
                    p.PatternConf = CarriedStoneConf;
                    p.Typ = static_cast<int16_t>(v + 2);
                }
            board.TakeError();
        }
    }
    if (game) {
        game->ClearBoard();
        game->ClearMoves();
    }
    host.redrawGame();
}

// ---- The game window ---------------------------------------------------------------

bool ReadGame1(TGameController& game)
{
    if (Reco.MoveCount < 2)
        return false;
    for (int32_t m = 1; m <= Reco.MoveCount && m <= MaxMoves; ++m)
        game.AppendMove(Reco.MoveTable[m].X, Reco.MoveTable[m].Y);
    return true;
}

bool InitGameOn(TGameController& game)
{
    game.ClearBoard();
    game.ClearMoves();
    if (Reco.LinearInputState != 1) {
        for (int colour = 1; colour <= 2; ++colour)
            for (const StonePoint& s : Reco.SetupStones[colour])
                game.Board().SetPoint(s.X, s.Y, colour);
        game.Board().TakeError();
        if (Reco.DiagramType == DiaGameRecord && !ReadGame1(game))
            return false;
        if (Reco.DiagramType > DiaPosition)
            ReadGame1(game);
    }
    game.AppendMove(NoMoveCoord, NoMoveCoord);
    game.GoFirst();
    return true;
}

void SetGameMove(TGameController& game, int32_t n, int32_t col, int32_t row)
{
    if (n < 1 || static_cast<size_t>(n) >= game.Moves().Size())
        return;
    game.StepBack(0);
    // Stepping 0 would mean "to the end": move 1 is the current node already.
    if (n > 1)
        game.StepForward(static_cast<unsigned>(n - 1));
    game.SetCurrentPoint(static_cast<uint8_t>(col), static_cast<uint8_t>(row));
    game.StepBack(0);
}

void StepToFirstGap(TGameController& game)
{
    game.StepForward(1);
    while (game.CurrentNode().X < NoMoveCoord && game.Moves().HasNext(game.Current()))
        game.StepForward(1);
    game.StepForward(1);
}

bool StepToNextDouble(TGameController& game)
{
    bool found = false;
    while (game.Moves().HasNext(game.Current())) {
        const bool isDouble = game.CurrentNode().IsDouble();
        game.StepForward(1);
        if (isDouble) {
            found = true;
            break;
        }
    }
    if (!found)
        game.StepBack(0);
    return found;
}

// ---- Snapshot ------------------------------------------------------------------------

void DiagramSnapshot::take()
{
    GridPoints = Reco.GridPoints;
    MoveTable = Reco.MoveTable;
    MoveCount = Reco.MoveCount;
    SetupStones = Reco.SetupStones;
    valid = true;
}

void DiagramSnapshot::restore() const
{
    if (!valid)
        return;
    Reco.GridPoints = GridPoints;
    Reco.MoveTable = MoveTable;
    Reco.MoveCount = MoveCount;
    Reco.SetupStones = SetupStones;
}

} // namespace quon
