// Composes the SGF text of a saved game record and the bytes of its QCR file.
//
// The text starts with the game information in a fixed order (EV, RO, PW,
// PB, WR, BR, KM, HA, DT, PC, RE, US, SO, GT, CP), each property on its own
// line, then the body, then the recognition log as a comment when asked for,
// then ")". Lines end in CR LF. Every value is escaped, so a "]" or "\" in a
// name cannot cut the property short when the record is read back.
//
// The body: setup stones first, when there are any, one AB or AW property
// per stone, ten stones of a colour to a line (a handicap game keeps its
// stones whatever the diagram type); then, except for "Position (only static
// stones)", the moves, ten to a line, each "B[xy];" or "W[xy];" by the parity
// of its place and FirstMoveColour, the last one without ";". The setup
// stones are a node of their own ahead of the moves, since the reader takes
// setup stones only before the first move.
#pragma once

#include "model/GameInfo.h"
#include "model/Recotypes.h"

#include <string>
#include <vector>

namespace quon {

struct GameRecordContent {
    GameInfo Info;
    int16_t DiagramType = DiaGameRecord;
    int32_t FirstMoveColour = 1;
    // The game window's nodes after the root, the closing node left out;
    // (20, 20) is written "tt", (20, 21) "tu".
    std::vector<MoveRecord> Moves;
    std::vector<StonePoint> Black; // setup stones
    std::vector<StonePoint> White;
    bool InsertLog = false; // "Insert Recogniton Log in Comments"
    std::vector<std::string> LogLines;
};

inline constexpr const char* RecordCopyright = "CP[Game recognized with Quon OCR];";
inline constexpr const char* RecordLogHeader = "C[Quon OCR Recognition Log:";

std::vector<std::string> composeGameRecordLines(const GameRecordContent& content);
// Every line followed by CR LF.
std::string joinRecordLines(const std::vector<std::string>& lines);
// The QCR file's bytes for a composed text: its first five and last three
// characters cut off, the rest scrambled. Empty when the text is too short
// to be a composed record.
std::string qcrBytesFromRecordText(const std::string& text);

// The content of the current game from the tables: moves 1..MoveCount and
// the setup stones.
GameRecordContent gameRecordContentFromTables(const GameInfo& info);

} // namespace quon
