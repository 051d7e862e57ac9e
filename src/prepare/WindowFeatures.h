// The stone window: a small rectangle cut out of the page, and its ink
// features.
//
// Every test that looks at one spot of the page (board patterns, stones,
// classification, centring, number reading) cuts a window into the one
// process-wide working set `Win` and reads the features computed from it
// right after the call; the next call overwrites them.
//
// Window coordinates are 1-based: x = 1..w left to right, y = 1..h top to
// bottom. All values are integer percentages computed with truncating
// division.
#pragma once

#include "model/CheckedArray.h"
#include "model/Recotypes.h"

#include <cstdint>
#include <string>

namespace quon {

class PrepareHost;

constexpr int32_t CutWindowSide = 200;  // the working array holds up to 200 x 200
constexpr int32_t MinFeatureSide = 2;   // the features take windows of 2..140
constexpr int32_t MaxFeatureSide = 140;

struct WindowWorkingSet {
    using Column = Array1<int16_t, 1, CutWindowSide>;
    using Profile = Array1<int32_t, 1, CutWindowSide>;

    // 1 ink, 0 background; first index x (column), second y (row).
    Array1<Column, 1, CutWindowSide> CutWindow{};

    // Ink percentage of the whole window.
    int32_t WindowInkCount = 0;
    // Ink pixels of the whole window (a few can round to 0 percent).
    int32_t InkPixels = 0;

    Profile ColumnInk{};       // ink percentage of each column
    Profile ColumnMidInk{};    // ink percentage of the middle half of each column
    Profile ColumnInkCentre{}; // mean ink row of each column, percent of the height; 0 without ink
    Profile RowInk{};          // ink percentage of each row
    Profile RowInkCentre{};    // mean ink column of each row, percent of the width; 0 without ink

    // Ink percentages of fixed zones of the window; 0 for a zone with no pixel.
    int32_t ZoneTop = 0;         // y <= h/5
    int32_t ZoneBottom = 0;      // y >= 4h/5
    int32_t ZoneLeft = 0;        // x <= w/5
    int32_t ZoneRight = 0;       // x >= 4w/5
    int32_t ZoneMidBands = 0;    // w/3 <= x <= 2w/3, h/6 <= y <= h/3 or 2h/3 <= y <= 5h/6
    int32_t ZoneCentreRight = 0; // w/3 < x <= 5w/6, 3h/8 <= y <= 5h/8
    int32_t ZoneUpperLeft = 0;   // 1 < x <= w/3, y <= h/2
    int32_t ZoneUpperRight = 0;  // 2w/3 <= x < w, y <= h/2
    int32_t ZoneLowerRight = 0;  // 2w/3 <= x < w, y >= h/2

    // Cell ink percentages, [column][row]; the last column and row of cells
    // take the remainder. The board-pattern and stone checks write template
    // levels back into them.
    Array1<Array1<int32_t, 1, 5>, 1, 3> ZoneGrid{};    // only when w > 2 and h > 4, else 0
    Array1<Array1<int32_t, 1, 7>, 1, 7> ReducedGrid{}; // only when w > 6 and h > 6, else 0

    // Percentage of ink pixels whose left-right (X) or top-bottom (Y) mirror
    // pixel is ink too; 0 without ink.
    int32_t MirrorInkX = 0;
    int32_t MirrorInkY = 0;

    // The wrong-size box has been shown in this run; later ones are logged.
    bool SizeMessageShown = false;
};

extern WindowWorkingSet Win;

// Cuts the window of `size` whose top-left pixel is page pixel `origin`
// (0-based) into Win.CutWindow: 1 for ink, 0 for background and for every
// pixel outside the page. Only the part within 200 x 200 is cut.
void CopyWindow(IntSize size, IntPoint origin);

// Computes every feature of the window last cut, of `size`. A size outside
// 2..140 either way gives no features: they are all cleared, "SZ - wrong
// size w,h" is shown (once per run, then logged) through `host` when there is
// one, Reco.DebugRunState becomes 2, and the result is false.
bool WindowFeatures(IntSize size, PrepareHost* host);

// CopyWindow and WindowFeatures in one call: true with the features of the
// window, false when the window cannot have any.
bool CutWindowFeatures(IntSize size, IntPoint origin, PrepareHost* host);

// Starts a run: the next wrong-size window is shown again.
void startWindowRun();

// The text shown for a window of the wrong size.
std::string wrongSizeMessage(IntSize size);

} // namespace quon
