// The promise of the game-record readers: a refused record says why and
// touches no table; a record that was read, saved as the program saves it
// and opened again, is the same game with the same information.
#pragma once

#include "FuzzPromise.h"

#include "model/GameRecordWriter.h"
#include "model/Recotypes.h"
#include "model/SgfGameReader.h"

#include <string>

namespace quon::fuzz {

// The tables a read may change, to see that a read by itself changes none.
struct TableSnapshot {
    int32_t moveCount = Reco.MoveCount;
    MoveRecord first = Reco.MoveTable[1];
    MoveRecord last = Reco.MoveTable[MaxMoves];
    int32_t black = Reco.SetupStones[1].Count;
    int32_t white = Reco.SetupStones[2].Count;
    bool operator==(const TableSnapshot&) const = default;
};

inline std::string infoText(const GameInfo& g)
{
    return "PB=" + g.EBlack + " PW=" + g.EWhite + " BR=" + std::to_string(g.seRat_B) + g.ERat_B1 +
           " WR=" + std::to_string(g.seRat_W) + g.eRat_W1 + " RE=" + std::to_string(g.rgResult) + "/" + g.EResult +
           " DT=" + g.EDate + " KM=" + g.EKomi + " HA=" + std::to_string(g.seHandicap) + " SO=" + g.ESource + "|" +
           std::to_string(g.seNPage) + "-" + std::to_string(g.seNDia) + " EV=" + g.eTourn + " RO=" + g.eRound +
           " PC=" + g.ePlace + " GT=" + g.eGameTime + " " + std::to_string(g.seWGameTimeH) + ":" +
           std::to_string(g.seWGameTimeM) + "/" + std::to_string(g.seBGameTimeH) + ":" + std::to_string(g.seBGameTimeM);
}

// The record's bytes as Save Game writes them for what was read.
inline std::string savedQcr(const SgfReadResult& read, int32_t firstMoveColour)
{
    GameRecordContent c;
    c.Info = read.Info;
    c.FirstMoveColour = firstMoveColour;
    c.Moves = read.Moves;
    c.Black = read.Black;
    c.White = read.White;
    return qcrBytesFromRecordText(joinRecordLines(composeGameRecordLines(c)));
}

// What the writer composes anew instead of copying: the ranks and the
// source page as read are rebuilt from their fields.
inline GameInfo asWritten(GameInfo g)
{
    g.eRat_B = std::to_string(g.seRat_B) + g.ERat_B1;
    g.eRat_W = std::to_string(g.seRat_W) + g.eRat_W1;
    g.ESourcePage = " p. " + std::to_string(g.seNPage) + "-" + std::to_string(g.seNDia);
    return g;
}

// Reads `input` with `readFirst`, then checks the promise for it.
template <typename Read> void checkRecordPromise(const std::string& input, Read readFirst)
{
    for (const int32_t first : {1, 2}) {
        const SgfReadOptions options{first, false};
        const TableSnapshot before;
        const SgfReadResult read = readFirst(input, GameInfo{}, options);
        promise(TableSnapshot{} == before, "reading leaves the tables to the commit");
        if (!read.Ok) {
            promise(!read.Error.empty(), "a refused record says why");
            continue;
        }
        promise(read.moveCount() <= MaxReadMoves, "at most 498 moves are read");
        promise(read.Black.size() <= MaxSetupStones && read.White.size() <= MaxSetupStones,
                "at most 100 setup stones of a colour are read");
        const SgfReadResult again = readQcrGame(savedQcr(read, first), GameInfo{}, options);
        promise(again.Ok, "a saved record opens again", again.Error);
        promise(again.Moves == read.Moves, "a saved record holds the moves read");
        promise(again.Black == read.Black && again.White == read.White, "a saved record holds the setup stones read");
        promise(again.Info == asWritten(read.Info), "a saved record holds the game information read",
                "read:  " + infoText(read.Info) + "\nagain: " + infoText(again.Info));
    }
}

} // namespace quon::fuzz
