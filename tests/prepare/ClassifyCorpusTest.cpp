// The classification of every point of the corpus pages of both kinds
// (pages/ and book/), with the grid
// where the truth puts it (the grid finder is not part of this), against
// the truth's colours. The levels asserted are the ones measured when the
// classification was written; a drop is a regression.
#include "common/CorpusRun.h"
#include "common/TestPage.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace quon;
using namespace quon::test;
namespace fs = std::filesystem;

TEST(ClassifyCorpus, ColoursOfTheTruthsPoints)
{
    std::vector<fs::path> files = corpusFiles("pages");
    const std::vector<fs::path> book = corpusFiles("book");
    files.insert(files.end(), book.begin(), book.end());
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUON_CORPUS_DIR;

    long cleanPoints = 0, cleanRight = 0, cleanAfter = 0, plainWhite = 0, plainWhiteWrong = 0;
    double worstClean = 100, worstFirst = 100;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        CorpusTruth truth;
        std::string error;
        ASSERT_TRUE(readCorpusTruth(fs::path(file).replace_extension(".json").string(), truth, error)) << error;
        const MonoPage page = readMonoBmp(file.string(), error);
        ASSERT_TRUE(error.empty()) << error;
        resetTablesToStart();
        installPage(page);
        RecordingHost host;
        host.keepLog = false;
        PrepareEngine engine(host);
        const ClassifyResult r = classifyTruthGrid(engine, truth);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front();
        const double pct = 100.0 * r.right / r.points, after = 100.0 * r.rightAfterCentring / r.points;
        std::printf("%-42s %3d %-8s split %2d: %6.2f %% (undecided %3d; wrong: empty %2d, numbered B %2d W %2d, "
                    "plain B %2d W %2d), after centring %6.2f %%, centring %5.1f ms for %3d\n",
                    name.c_str(), truth.dpi, truth.variant.c_str(), r.inkSplit, pct, r.undecided, r.wrongPlain[0],
                    r.wrongNumbered[1], r.wrongNumbered[2], r.wrongPlain[1], r.wrongPlain[2], after, r.centringMs,
                    r.centred);
        if (truth.dpi == 300 && truth.variant == "clean") {
            cleanPoints += r.points;
            cleanRight += r.right;
            cleanAfter += r.rightAfterCentring;
            worstClean = std::min(worstClean, pct);
            for (int c = 0; c < 19; ++c)
                for (int w = 0; w < 19; ++w)
                    plainWhite += truth.colour[c][w] == 2 && !truth.numbered[c][w];
            plainWhiteWrong += r.wrongPlain[2];
            if (truth.diagram == 1)
                worstFirst = std::min(worstFirst, pct);
        }
        // Every page, scanned and negative ones too, keeps most of its points.
        EXPECT_GE(pct, 65.0);
        EXPECT_GE(after, pct - 1.0);
    }
    const double clean = 100.0 * cleanRight / cleanPoints;
    const double others = 100.0 * cleanRight / (cleanPoints - plainWhiteWrong);
    std::printf("clean 300 dpi pages: %.2f %% of %ld points right (%.2f %% after centring), worst page %.2f %%, "
                "worst first diagram %.2f %%; %ld of %ld white stones without a number wrong; the other points "
                "%.2f %% right\n",
                clean, cleanPoints, 100.0 * cleanAfter / cleanPoints, worstClean, worstFirst, plainWhiteWrong,
                plainWhite, others);
    // Measured on the 74 clean 300 dpi pages of both kinds: all points but
    // one right (26713 of 26714), the worst page 99.72 %, every first
    // diagram 100 %; 1 of 3316 white stones without a number (thin rings)
    // wrong; the other points 100 %.
    EXPECT_GE(clean, 99.99);
    EXPECT_GE(worstFirst, 99.99);
    EXPECT_GE(worstClean, 99.7);
    EXPECT_LE(plainWhiteWrong, 1);
    EXPECT_GE(others, 99.99);
}
