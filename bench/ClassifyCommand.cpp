// quon-bench classify: with the grid where the page's truth puts it, the
// board-pattern pass, the ink split and the classification of every point,
// then the centring of every stone; prints the colour accuracy against the
// truth and the times, one JSON line per page and a summary.
#include "BenchCommon.h"
#include "Commands.h"

#include "common/CorpusRun.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"
#include "prepare/RecordingHost.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace quon::bench {

int classifyCommand(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quon-bench classify PAGE.bmp...\n");
        return 2;
    }
    long points = 0, right = 0;
    std::vector<double> centring, classify;
    for (int a = 2; a < argc; ++a) {
        const std::filesystem::path file(argv[a]);
        const std::string name = file.filename().string();
        test::CorpusTruth truth;
        std::string error;
        if (!test::readCorpusTruth(std::filesystem::path(file).replace_extension(".json").string(), truth, error)) {
            std::printf("{\"page\": \"%s\", \"error\": \"%s\"}\n", name.c_str(), error.c_str());
            continue;
        }
        std::string loadError;
        if (!loadBenchPage(argv[a], loadError)) {
            std::printf("{\"page\": %s, \"error\": %s}\n", jsonString(name).c_str(), jsonString(loadError).c_str());
            continue;
        }
        RecordingHost host;
        host.keepLog = false;
        PrepareEngine engine(host);
        const test::ClassifyResult r = test::classifyTruthGrid(engine, truth);
        std::printf(
            "{\"page\": \"%s\", \"dpi\": %d, \"variant\": \"%s\", \"accuracy\": %.2f, \"after_centring\": %.2f, "
            "\"undecided\": %d, \"ink_split\": %d, \"wrong\": {\"empty\": %d, \"black\": %d, \"white\": %d, "
            "\"plain_black\": %d, \"plain_white\": %d}, \"classify_ms\": %.1f, \"centring_ms\": %.1f, "
            "\"centred\": %d}\n",
            name.c_str(), truth.dpi, truth.variant.c_str(), 100.0 * r.right / r.points,
            100.0 * r.rightAfterCentring / r.points, r.undecided, r.inkSplit, r.wrongPlain[0], r.wrongNumbered[1],
            r.wrongNumbered[2], r.wrongPlain[1], r.wrongPlain[2], r.classifyMs, r.centringMs, r.centred);
        if (truth.dpi == 300 && truth.variant == "clean") {
            points += r.points;
            right += r.right;
            centring.push_back(r.centringMs);
            classify.push_back(r.classifyMs);
        }
    }
    if (!centring.empty()) {
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        std::printf(
            "{\"summary\": \"clean 300 dpi\", \"pages\": %zu, \"accuracy\": %.2f, \"median_classify_ms\": %.1f, "
            "\"median_centring_ms\": %.1f, \"max_centring_ms\": %.1f}\n",
            centring.size(), 100.0 * right / points, median(classify), median(centring),
            *std::max_element(centring.begin(), centring.end()));
    }
    return 0;
}

} // namespace quon::bench
