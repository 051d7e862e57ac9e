// The game read from an SGF tree: the second layer of game-record reading.
//
// Only the main line is read (the first variation of every branching). Of
// each property the whole identifier is looked up, case-sensitively, in the
// table of 40 name pairs (short and long spelling); every other property is
// skipped with all its values, so labels (LB) or overtime stones (OB, OW)
// never become moves. What the table's properties do:
//   B, W        moves; an empty value is a pass; a letter outside a..t is
//               taken as t, and a point with a t in it is a pass (20, 20).
//               When a move's colour is not the colour its slot has under
//               FirstMoveColour, a pass (20, 20) is put in first, so the
//               colours survive (a White first move becomes move 2 when Black
//               moves first). At most 498 slots, placeholders included.
//   AB, AW      setup stones, taken only before the first move; at most 100
//               per colour are kept, and the rest are reported once.
//   PB PW DT EV RO PC KM   texts of the game information.
//   BR, WR      ranks; RE result (its first letter decides the winner; a
//               result naming none, a draw say, is kept whole, no winner);
//   HA handicap; SO source, page and diagram (after the last ", p. ");
//   GT game time (the text is kept, the four times read when the value has
//   the form "W: h.mm, B: h.mm").
// A number that does not parse leaves its field as it was. Passes at the
// end of the main line are dropped unless linear input is running. A text
// that ends before any move or setup stone is refused: it is no game, and
// reading it would replace the current game with nothing.
//
// Reading never touches the tables: the result is applied by
// commitSgfGame() only when the whole read succeeded.
#pragma once

#include "model/GameInfo.h"
#include "model/Recotypes.h"

#include <string>
#include <utility>
#include <vector>

namespace quon {

struct SgfReadOptions {
    int32_t FirstMoveColour = 1; // 1 Black moves first, 2 White
    bool LinearInput = false;    // LinearInputState: trailing passes stay
};

struct SgfReadResult {
    bool Ok = false;
    std::string Error; // the message for the user when !Ok

    std::vector<MoveRecord> Moves; // slot 1 first
    std::vector<bool> Placeholder; // per slot: put in to keep the colours
    std::vector<StonePoint> Black; // setup stones
    std::vector<StonePoint> White;
    GameInfo Info; // the information given, with the record's fields applied
    // The game-information properties of the record as read (short name,
    // value as UTF-8), in order; for reports and tests.
    std::vector<std::pair<std::string, std::string>> InfoProperties;
    // What was read but repaired, for one message after the read.
    std::vector<std::string> Notices;

    int32_t moveCount() const { return static_cast<int32_t>(Moves.size()); }
};

inline constexpr int32_t MaxReadMoves = 498;
inline constexpr int32_t MaxSetupStones = 100;

// Pair number 1..40 of an identifier in the property table, 0 when unknown.
int sgfPropertyPair(const std::string& ident);

SgfReadResult readSgfGame(const std::string& text, const GameInfo& current, const SgfReadOptions& options);

// Reads the bytes of a QCR file: refused when they do not unscramble to the
// text of a game record (any file opened as QCR by mistake), else read as
// readSgfGame reads the record they stand for.
SgfReadResult readQcrGame(const std::string& fileBytes, const GameInfo& current, const SgfReadOptions& options);

// Writes a successful read into MoveTable, MoveCount, SetupStones (the game
// information goes to the dialog, which the caller fills).
void commitSgfGame(const SgfReadResult& read);

} // namespace quon
