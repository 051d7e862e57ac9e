// The record types and process-wide tables of the recognition side.
//
// One page, one grid, one move table: every stage reads and writes these
// tables directly through the single instance `Reco`. Everything is 1-based
// as the stages count (columns, rows, move numbers, list entries); the
// checked arrays throw RangeError on a bad index.
//
// Counts of the bounded lists are the lists' own `Count` fields:
//   SetupStoneCounts[c]  is SetupStones[c].Count
//   RecogMistakeCount    is RecogMistakes.Count (whole-game pass, 200 entries)
//                        or DiaRecogMistakes.Count (diagram recogniser, 100)
//   DoubleMoveCount      is DoubleMoves.Count
//   MissedMoveCount      is MissedMoves.Count
//   SegmentCount         is Segments.Count
#pragma once

#include "model/CheckedArray.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

struct IntPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const IntPoint&) const = default;
};

struct IntSize {
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const IntSize&) const = default;
};

// State of one grid point.
enum PointTyp : int16_t {
    TypUndecided = -1,
    TypEmpty = 0,
    TypBlackNumbered = 1,
    TypWhiteNumbered = 2,
    TypBlackStatic = 3,
    TypWhiteStatic = 4,
    TypColourUndecided = 5,
};

// One point of the diagram grid.
struct BC {
    IntPoint Coord;          // pixel position of the crossing
    IntSize Size;            // cell width and height around it, 0 = not known
    int32_t StoneWidth = 0;  // pixels
    int32_t StoneHeight = 0; // pixels
    int16_t Typ = 0;         // PointTyp
    int32_t PatternConf = 0; // 100 certain, then 95, 90, 80, 70, 50
    std::string Text;        // digits read; "e"/"t" mark a failed digit, " ? " undecided
    int32_t Est = 0;         // match estimate in percent; below 80 not trusted
    Array1<int8_t, 1, 3> Estdig{}; // per digit position: zone distance, template score, 100 = no match
    int32_t DenLine = 0;
    int32_t DenLine1 = 0;
    int32_t Denstone = 0;
    int32_t Lsw = 0;
    IntPoint CentreWindow;
    IntPoint CoordC;         // stone centre found by centring

    bool operator==(const BC&) const = default;
};

// One entry of the move table: a board point, or one of the codes below.
struct MoveRecord {
    uint8_t X = 0;
    uint8_t Y = 0;
    bool operator==(const MoveRecord&) const = default;
};

constexpr uint8_t NoMoveCoord = 20;     // (20, 20): empty slot, or a pass
constexpr uint8_t DoubleMoveCoord = 21; // (20, 21): claimed by two stones
constexpr MoveRecord EmptyMove{NoMoveCoord, NoMoveCoord};
constexpr MoveRecord DoubleMove{NoMoveCoord, DoubleMoveCoord};
// A move whose stone a line shift took off the board.
constexpr MoveRecord RemovedMove{0, 0};
constexpr int32_t MaxMoves = 500;

// A slot is free for placing whenever its column is 20, so a double-move
// slot is free too; so is the slot of a move a line shift removed, which the
// check of a typed game then lists as missed.
inline bool isFreeSlot(const MoveRecord& m) { return m.X == NoMoveCoord || m == RemovedMove; }
// A slot holds a point on the board. (0, 0) marks a move removed by a line
// shift and is not placed.
inline bool isPlaced(const MoveRecord& m) { return m.X >= 1 && m.X <= 19 && m.Y >= 1 && m.Y <= 19; }

struct StonePoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const StonePoint&) const = default;
};

struct StoneSize {
    int32_t Width = 0;  // hundredths of a pixel, 0 = not known
    int32_t Height = 0;
    bool operator==(const StoneSize&) const = default;
};

enum MistakeKind : uint8_t { MistakeUnreadable = 1, MistakeTooBig = 2 };

struct RecogMistake {
    uint8_t X = 0;
    uint8_t Y = 0;
    uint8_t Kind = 0;
    uint8_t Open = 0;
    std::string Text;
    bool operator==(const RecogMistake&) const = default;
};

struct DoubleMoveEntry {
    int32_t Number = 0;
    uint8_t X = 0;
    uint8_t Y = 0;
    uint8_t Open = 0;
    bool operator==(const DoubleMoveEntry&) const = default;
};

struct MissedMoveEntry {
    int32_t Number = 0;
    uint8_t Open = 0;
    bool operator==(const MissedMoveEntry&) const = default;
};

struct DiagramRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const DiagramRect&) const = default;
};

struct DiagramSize {
    int32_t Columns = 0;
    int32_t Rows = 0;
    bool operator==(const DiagramSize&) const = default;
};

enum DiagramTypes : int16_t {
    DiaGameRecord = 0,
    DiaPosition = 1,
    DiaStonesAndMoves = 2,
    DiaAuto = 3,
};

// One run of ink found by the horizontal line finder.
struct Segment {
    int32_t Row = 0;
    int32_t FirstX = 0;
    int32_t LastX = 0;
    bool operator==(const Segment&) const = default;
};

struct PixelRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

using PointColumn = Array1<BC, 1, 19>;
using PointGrid = Array1<PointColumn, 1, 19>; // [column][row]

struct SharedTables {
    // The grid of the current diagram, [column][row].
    PointGrid GridPoints{};

    // The game: entry 0 holds no move; entries 1..MoveCount are the game.
    Array1<MoveRecord, 0, MaxMoves> MoveTable{};
    int32_t MoveCount = 0;

    Array1<BoundedList<StonePoint, 100>, 1, 2> SetupStones{};
    Array1<StoneSize, 1, 2> StoneSizes{};

    BoundedList<RecogMistake, 200> RecogMistakes{};
    BoundedList<RecogMistake, 100> DiaRecogMistakes{};
    BoundedList<DoubleMoveEntry, 200> DoubleMoves{};
    // One entry per move slot: a table of 361 would overrun on a game of
    // more than 361 free slots.
    BoundedList<MissedMoveEntry, MaxMoves> MissedMoves{};
    int32_t MistakeCount = 0;

    // Diagram geometry, written by the options.
    int32_t BoardLineCount = 0;
    DiagramRect DiagramWindow{};
    DiagramSize DiagramWindowSize{};
    int16_t DiagramType = DiaGameRecord;
    uint8_t StaticStonesPossible = 0;
    uint8_t FullBoardFlag = 0;

    // Game and diagram scalars.
    int32_t FirstMoveColour = 1;
    int32_t MovesBefore = 0;
    int32_t NumberOffset = 0;
    int32_t DiagramsDone = 0;
    int32_t DiaFirstMove = 0;
    int32_t DiaLastMove = 0;
    int32_t DiaNumberOffset = 0;
    int32_t CurPointX = 0;
    int32_t CurPointY = 0;

    // Flags.
    uint8_t GameSaved = 1;
    uint8_t CancelFlag = 0;
    uint8_t LinearInputState = 0;
    int16_t DebugRunState = 1; // 1 run, 2 stop
    uint8_t GameEditEnabled = 0;

    // The page: sizes, ink polarity and the packed copy. PackedStride and
    // PackedHeight are the geometry the copy was built with, so GetPix never
    // reads past a copy made for another page.
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    int32_t InkPolarity = 0; // bit value of background pixels
    std::vector<uint8_t> PackedImage;
    int32_t PackedStride = 0;
    int32_t PackedHeight = 0;
    uint8_t FirstScan = 1;
    uint8_t PhotocopierPending = 0; // 1 while a photocopied page waits for its crop

    // Corner pointing and crop on the page.
    uint8_t CornersPointed = 0;
    PixelRect CropRect{};
    uint8_t CropArmed = 0;
    uint8_t CornerMode = 0;

    // Horizontal line finder.
    BoundedList<Segment, 500> Segments{};

    // Pixel distance between neighbouring columns and rows of the grid.
    int32_t CellPitchX = 0;
    int32_t CellPitchY = 0;

    // Timing of the last run, in units of 100 ms.
    uint32_t StartTicks = 0;
    int32_t PreparationTime = 0;
    int32_t RecognitionTime = 0;

    // Main window.
    std::string StartFolder;
    uint8_t DigitsPending = 1;
    std::string LastPictureFile;
};

extern SharedTables Reco;

// Names of the corners pointed by hand, indexed 2, 4, 6, 8.
extern const Array1<std::string, 1, 9> CornerNames;

// Restores every table to its value at program start (tests call it first).
void resetTablesToStart();

// Resets the grid for a new diagram. With keepWindowCorners (manual corner
// pointing on) the four points at the corners of DiagramWindow keep their
// Coord and Est.
void resetGridForNewDiagram(bool keepWindowCorners);

// Colour of move m: 1 black, 2 white.
inline int32_t moveColour(int32_t m) { return ((m + Reco.FirstMoveColour) % 2) + 1; }

} // namespace quon
