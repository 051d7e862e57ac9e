// quon-bench lines: loads each page as Open Image does, runs the horizontal
// line finder as preparation does (19 x 19, full board) and prints one JSON
// object per page. A summary with the median times goes to stderr.
#include "BenchCommon.h"
#include "Commands.h"

#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace quon::bench {

int linesCommand(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quon-bench lines PAGE.bmp...\n");
        return 2;
    }
    std::vector<double> findTimes, readTimes;
    int failures = 0;
    for (int a = 2; a < argc; ++a) {
        const std::string path = argv[a];
        const std::string name = std::filesystem::path(path).filename().string();
        const auto t0 = Clock::now();
        std::string error;
        if (!loadBenchPage(argv[a], error)) {
            std::printf("{\"page\": %s, \"ok\": false, \"error\": %s}\n", jsonString(name).c_str(),
                        jsonString(error).c_str());
            ++failures;
            continue;
        }
        const double readMs = msSince(t0);

        Reco.BoardLineCount = 19;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
        RecordingHost host;
        host.keepLog = false;
        PrepareEngine engine(host);
        const auto t1 = Clock::now();
        const bool ok = engine.FindHorLines();
        const double findMs = msSince(t1);
        findTimes.push_back(findMs);
        readTimes.push_back(readMs);
        if (!ok)
            ++failures;

        std::string lines = "[";
        for (int32_t i = 1; i <= engine.LineCount; ++i)
            lines += (i > 1 ? ", " : "") + std::to_string(engine.HorLines[i]);
        lines += "]";
        std::string messages = "[";
        for (size_t i = 0; i < host.messages.size(); ++i)
            messages += (i ? ", " : "") + jsonString(host.messages[i]);
        messages += "]";
        const PixelRect& r = engine.FoundBoardRect;
        // A turned page's rectangle lies along its skew: its corners too.
        std::string corners = "{";
        const char* cornerNames[2][2] = {{"top_left", "bottom_left"}, {"top_right", "bottom_right"}};
        for (int c = 0; c <= 1; ++c)
            for (int rr = 0; rr <= 1; ++rr) {
                const IntPoint p = PrepareEngine::RectCorner(r, engine.FoundSkew, c, rr);
                corners += std::string(corners.size() > 1 ? ", " : "") + "\"" + cornerNames[c][rr] + "\": [" +
                           std::to_string(p.X) + ", " + std::to_string(p.Y) + "]";
            }
        corners += "}";
        std::printf("{\"page\": %s, \"ok\": %s, \"pitch_x\": %d, \"pitch_y\": %d, "
                    "\"board\": {\"left\": %d, \"top\": %d, \"right\": %d, \"bottom\": %d}, \"skew\": %.5f, "
                    "\"corners\": %s, \"lines\": %s, \"messages\": %s, \"time_ms\": %.3f, \"read_ms\": %.3f}\n",
                    jsonString(name).c_str(), ok ? "true" : "false", Reco.CellPitchX, Reco.CellPitchY, r.Left, r.Top,
                    r.Right, r.Bottom, engine.FoundSkew, corners.c_str(), lines.c_str(), messages.c_str(), findMs,
                    readMs);
        std::fflush(stdout);
    }
    std::fprintf(stderr,
                 "{\"summary\": {\"pages\": %d, \"failed\": %d, \"median_time_ms\": %.3f, \"max_time_ms\": %.3f, "
                 "\"median_read_ms\": %.3f}}\n",
                 argc - 2, failures, median(findTimes),
                 findTimes.empty() ? 0.0 : *std::max_element(findTimes.begin(), findTimes.end()), median(readTimes));
    return failures == 0 ? 0 : 1;
}

} // namespace quon::bench
