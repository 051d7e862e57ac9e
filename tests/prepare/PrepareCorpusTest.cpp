// The whole preparation on the corpus pages, with the default options and a
// user who answers Yes to go on with fewer corners: the outcome, the pitch,
// the window corners and the empty points against the truth. The floors are
// the levels measured when the driver was written; a drop is a regression.
#include "common/CorpusRun.h"
#include "common/TestPage.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace quon;
using namespace quon::test;
namespace fs = std::filesystem;

TEST(PrepareCorpus, OutcomePitchCornersAndEmptyPoints)
{
    const std::vector<fs::path> files = corpusPageFiles();
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUON_CORPUS_DIR;

    int clean = 0, succeeded = 0, pitchYRight = 0, pitchXRight = 0, cornersRight = 0;
    long empties = 0, emptiesFound = 0, stonesTakenEmpty = 0, points = 0, right = 0;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        CorpusTruth truth;
        std::string error;
        ASSERT_TRUE(readCorpusTruth(fs::path(file).replace_extension(".json").string(), truth, error)) << error;
        if (truth.dpi != 300 || truth.variant != "clean")
            continue;
        const MonoPage page = readMonoBmp(file.string(), error);
        ASSERT_TRUE(error.empty()) << error;
        resetTablesToStart();
        installPage(page);
        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
        Reco.DiagramType = DiaGameRecord;
        resetGridForNewDiagram(false);
        RecordingHost host;
        host.keepLog = false;
        host.laterAnswer = true;
        PrepareEngine engine(host);
        const bool ok = engine.PrepareDiagram();
        ++clean;
        points += 361;
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r)
                right += colourOfState(Reco.GridPoints[c][r].Typ) == truth.colour[c - 1][r - 1];
        if (!ok)
            continue;
        ++succeeded;
        EXPECT_EQ(Reco.CancelFlag, 0);
        pitchYRight += std::abs(Reco.CellPitchY - truth.spacingY) <= 1;
        pitchXRight += std::abs(Reco.CellPitchX - truth.spacingX) <= 1;
        bool corners = true;
        for (int c : {1, 19})
            for (int r : {1, 19}) {
                const IntPoint want = truthPoint(truth, c, r), got = Reco.GridPoints[c][r].Coord;
                corners = corners && std::abs(got.X - want.X) <= 2 && std::abs(got.Y - want.Y) <= 2;
            }
        cornersRight += corners;
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r) {
                const bool empty = Reco.GridPoints[c][r].Typ == TypEmpty;
                if (truth.colour[c - 1][r - 1] == 0) {
                    ++empties;
                    emptiesFound += empty;
                } else {
                    stonesTakenEmpty += empty;
                }
            }
    }
    std::printf("clean 300 dpi pages %d, prepared %d, pitch right x %d y %d, corners right %d, "
                "empty points found %ld of %ld, stones taken for empty %ld, colour accuracy %.2f %%\n",
                clean, succeeded, pitchXRight, pitchYRight, cornersRight, emptiesFound, empties, stonesTakenEmpty,
                100.0 * right / points);
    // Measured: 49 of 58 pages prepared (the others stop at the corners),
    // the row pitch right on all of them but the column pitch on 15 only
    // (the line finder takes cells 5 % narrower than high for square), the
    // four corners within 2 px on 22; 10416 of 10665 empty points found,
    // 960 stones (mostly white ones printed as thin rings) taken for empty;
    // a point colour accuracy of 72.04 % over all 58 pages, the pages that
    // stopped counting as wrong.
    EXPECT_GE(succeeded, 49);
    EXPECT_GE(pitchYRight, 49);
    EXPECT_GE(cornersRight, 22);
    EXPECT_GE(emptiesFound, 10416);
    EXPECT_LE(stonesTakenEmpty, 960);
    EXPECT_GE(100.0 * right / points, 72.03);
}
