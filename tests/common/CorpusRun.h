// The corpus pages with their truth, and the classification of the truth's
// points: what the preparation engine makes of every point when the grid
// is where the truth puts it. Shared by the corpus tests and the bench.
#pragma once

#include <filesystem>
#include <vector>

#include "prepare/PrepareEngine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon::test {

// The corpus's page files, sorted by name; empty when the corpus is absent.
std::vector<std::filesystem::path> corpusPageFiles();
// The page images of one folder of the corpus ("pages", "book"), sorted;
// empty when it is absent.
std::vector<std::filesystem::path> corpusFiles(const std::string& folder);

struct CorpusTruth {
    std::string image;
    int32_t dpi = 0;
    std::string variant; // clean, scanned, negative
    int32_t diagram = 0;
    double tl[2] = {}, tr[2] = {}, bl[2] = {}, br[2] = {};
    double spacingX = 0, spacingY = 0;
    // 0 empty, 1 black, 2 white; [col - 1][row - 1].
    int colour[19][19] = {};
    bool numbered[19][19] = {};
    // The number printed on each stone, 0 when none.
    int32_t number[19][19] = {};
    // The stone font as rendered ("Courier-Bold 5" by default).
    std::string stoneFont;
};

// Reads the truth JSON of a page; false with `error` set when it cannot.
bool readCorpusTruth(const std::string& jsonPath, CorpusTruth& truth, std::string& error);

// The pixel of board point (col, row) by the truth's corners.
IntPoint truthPoint(const CorpusTruth& t, int32_t col, int32_t row);

struct ClassifyResult {
    int32_t points = 0;
    int32_t right = 0;     // colour (empty, black, white) as the truth
    int32_t undecided = 0; // left at -1 or 5
    int32_t stones = 0;    // stones of the truth
    int32_t stonesRight = 0;
    int32_t rightAfterCentring = 0;
    int32_t inkSplit = 0;
    int32_t stoneChecks = 0; // stones found by the stone check
    double classifyMs = 0;   // the empty-point pass, the split and the classification
    double centringMs = 0;   // centring every point classified as a stone, once
    int32_t centred = 0;
    // Points given a wrong colour, by what the truth has there: [0] empty,
    // [1] black, [2] white; numbered stones and stones without a number.
    int32_t wrongNumbered[3] = {};
    int32_t wrongPlain[3] = {};
};

// With the page installed: lays the grid from the truth, checks every point
// for its board pattern, on diagrams after the first (which may show stones
// without numbers) checks the open points for stones, sets the ink split,
// classifies every point that is not a sure crossing, scores; then centres
// every stone once and classifies the stones again.
ClassifyResult classifyTruthGrid(PrepareEngine& engine, const CorpusTruth& truth);

// Lays the grid for reading the numbers alone: points where the truth puts
// them, every truth stone a numbered stone of its colour (centre = crossing,
// estimate 95), window and stone sizes from the pitch, DiagramsDone from the
// diagram's place in its series.
void layTruthGridForReading(const CorpusTruth& truth);

// 0 empty, 1 black, 2 white, -1 undecided, for a point state.
int colourOfState(int16_t typ);

} // namespace quon::test
