// quon-bench windows: after the line finder, cuts the stone window (115
// percent of the pitch) around every point of a regular grid from the found
// board and computes its features, many times over, and prints the time per
// window.
#include "BenchCommon.h"
#include "Commands.h"

#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"
#include "prepare/WindowFeatures.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace quon::bench {

int windowsCommand(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quon-bench windows PAGE.bmp...\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    for (int a = 2; a < argc; ++a) {
        const std::string name = std::filesystem::path(argv[a]).filename().string();
        std::string error;
        if (!loadBenchPage(argv[a], error))
            continue;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
        RecordingHost host;
        host.keepLog = false;
        PrepareEngine engine(host);
        if (!engine.FindHorLines()) {
            std::printf("{\"page\": \"%s\", \"ok\": false}\n", name.c_str());
            continue;
        }
        const IntSize size{Reco.CellPitchX * 115 / 100, Reco.CellPitchY * 115 / 100};
        const int repeats = 50;
        long windows = 0;
        long inkSum = 0;
        const auto t0 = Clock::now();
        for (int rep = 0; rep < repeats; ++rep)
            for (int c = 0; c < 19; ++c)
                for (int r = 0; r < 19; ++r) {
                    const IntPoint centre{engine.FoundBoardRect.Left + c * Reco.CellPitchX,
                                          engine.FoundBoardRect.Top + r * Reco.CellPitchY};
                    if (CutWindowFeatures(size, IntPoint{centre.X - size.Width / 2, centre.Y - size.Height / 2},
                                          &host))
                        inkSum += Win.WindowInkCount;
                    ++windows;
                }
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
        std::printf("{\"page\": \"%s\", \"ok\": true, \"window\": [%d, %d], \"windows\": %ld, \"us_per_window\": %.3f, "
                    "\"mean_ink\": %ld}\n",
                    name.c_str(), size.Width, size.Height, windows, us / static_cast<double>(windows),
                    inkSum / windows);
    }
    return 0;
}

} // namespace quon::bench
