// The preparation engine: from the 1-bit page to the grid of the diagram.
//
// It reads the page only through the packed copy (Reco.PackedImage, GetPix),
// the options through the snapshot taken when the run starts, writes the
// shared tables of Reco, and reaches the user only through its host. Its own
// working state lives here, from one run to the next, as the progress
// window's engine keeps it.
#pragma once

#include "model/CheckedArray.h"
#include "model/OptionsSnapshot.h"
#include "model/Recotypes.h"
#include "prepare/PrepareHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

// Message texts of the line finder, shown as they are.
namespace linemsg {
inline const std::string NoLines = "Rotate image or check it: There are No Horizontal lines";
inline const std::string NarrowCell = "Очень узкая клетка";
inline const std::string WideCell = "Очень широкая клетка";
inline const std::string TooManyGroups = "Too many Hor lines 0";
inline const std::string TooManyLines = "Too many Hor lines";
inline const std::string TooFewLines = "Too few horizotal lines. Stop!";
inline const std::string BadWindow = "The diagram window must span at least 2 columns and 2 rows of the board.";
} // namespace linemsg

class PrepareEngine {
public:
    explicit PrepareEngine(PrepareHost& host, const OptionsSnapshot& options = {});

    PrepareHost& host;
    OptionsSnapshot options;

    // ---- Horizontal line finder (LineFinder.cpp) ----

    // Limits of the finder, in pixels.
    static constexpr int32_t StartMinRunLength = 55; // a run is long when longer than this
    static constexpr int32_t MinRunLengthStep = 10;  // added at every rescan
    static constexpr int32_t JoinGapPx = 15;         // a smaller row gap belongs to the same line
    static constexpr int32_t NewLineGapPx = 30;      // a gap of at least this starts a new line
    static constexpr int32_t MinPitchPx = 25;
    // The finder's own limit would be 150, but the window features refuse
    // anything above 140, so a wider pitch could only fail later, silently.
    static constexpr int32_t MaxPitchPx = 140;
    static constexpr int32_t MaxLineGroups = 20;

    int32_t MinRunLength = StartMinRunLength;
    Array1<int32_t, 1, 20> HorLines{};
    int32_t LineCount = 0;
    PixelRect FoundBoardRect{};
    // Set when an append found Reco.Segments full (the count went past 500).
    bool SegmentsOverfull = false;

    // Examines page row `row` (0-based) and appends at most one segment to
    // Reco.Segments: from the start of the row's first long ink run to the
    // end of its last long run. A run still open at the end of the row is not
    // recorded. Logs "Row FirstX LastX Length" when a segment was opened.
    void ScanRowRuns(int32_t row);

    // Finds one horizontal line per row of Reco.DiagramWindow. True on
    // success, with Reco.CellPitchX, Reco.CellPitchY, FoundBoardRect and the
    // Y of Reco.GridPoints[DiagramWindow.Left][Top..Bottom] set. False after
    // an information box that says why.
    bool FindHorLines();

private:
    // A closed ink run of a row, [start, end).
    struct Run {
        int32_t start;
        int32_t end;
    };
    // Finds the closed runs of page row `row` longer than `minLength`.
    void rowRuns(int32_t row, int32_t minLength, std::vector<Run>& out);
    // Appends the segment of a row from its long runs; false when the table
    // was full.
    bool appendSegment(int32_t row, const Run* first, const Run* last);

    std::vector<uint64_t> rowWords_; // one page row as ink bits, reused
    // The runs the first scan of a search found, per row: a rescan only
    // raises the minimum length, so it can filter them instead of reading
    // the page again.
    std::vector<Run> cachedRuns_;
    std::vector<uint32_t> cachedRowStart_; // index into cachedRuns_ per scanned row, plus the end
};

} // namespace quon
