// quon-bench prepare: the whole preparation of each page with the default
// options (a full 19 x 19 board, "Game Record"), as the Prepare command runs
// it, with a recording host that answers every question Yes (a user who
// wants the page read goes on when fewer corners were found). Writes
// DIR/<page>.json with the points that are not empty, the outcome, the
// messages, the pitch, the window corners and the time; prints one JSON line
// per page (with the colour accuracy when the page's truth lies beside it)
// and a summary of the clean 300 dpi pages.
#include "BenchCommon.h"
#include "Commands.h"

#include "common/CorpusRun.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"
#include "prepare/RecordingHost.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <fstream>
#include <string>
#include <vector>

namespace quon::bench {

namespace {

std::string jsonText(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* colourName(int16_t typ)
{
    switch (typ) {
    case TypBlackNumbered:
    case TypBlackStatic:
        return "B";
    case TypWhiteNumbered:
    case TypWhiteStatic:
        return "W";
    default:
        return "?";
    }
}

std::string pointJson(const BC& p)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "[%d, %d]", p.Coord.X, p.Coord.Y);
    return buf;
}

} // namespace

void setDefaultDiagram()
{
    // The default options: a full 19 x 19 board, a game record.
    Reco.BoardLineCount = 19;
    Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{19, 19};
    Reco.DiagramType = DiaGameRecord;
}

bool runPreparation(RecordingHost& host, const PrepareReadings& readings)
{
    resetGridForNewDiagram(false);
    Reco.CancelFlag = 0;
    host.keepLog = false;
    host.laterAnswer = true; // "Continue recognizing?" is answered Yes
    PrepareEngine engine(host);
    engine.FreshCornerRecord = !readings.sharedCornerRecord;
    engine.EmptyPassOnlyCross = !readings.fullRespacing;
    engine.CentringByIteration = !readings.centringPerPoint;
    return engine.PrepareDiagram();
}

int prepareCommand(int argc, char** argv)
{
    std::vector<std::string> pages;
    std::string outDir;
    // The other readings of two open choices, for measuring them.
    bool sharedCorner = false, fullRespacing = false, centringPerPoint = false;
    // Later diagrams of a series prepared as the program does (diagrams
    // done before), instead of each page as a game's first diagram.
    bool seriesFromTruth = false;
    for (int a = 2; a < argc; ++a) {
        if (std::strcmp(argv[a], "--out") == 0 && a + 1 < argc)
            outDir = argv[++a];
        else if (std::strcmp(argv[a], "--shared-corner-record") == 0)
            sharedCorner = true;
        else if (std::strcmp(argv[a], "--full-respacing") == 0)
            fullRespacing = true;
        else if (std::strcmp(argv[a], "--centring-per-point") == 0)
            centringPerPoint = true;
        else if (std::strcmp(argv[a], "--series") == 0)
            seriesFromTruth = true;
        else
            pages.emplace_back(argv[a]);
    }
    if (pages.empty() || outDir.empty()) {
        std::fprintf(stderr, "usage: quon-bench prepare PAGE.bmp... --out DIR [--shared-corner-record] "
                             "[--full-respacing] [--centring-per-point] [--series]\n");
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);

    long points = 0, right = 0;
    double worst = 101;
    std::string worstPage;
    std::vector<double> times;
    // Pages other than the clean 300 dpi ones, by kind: points, right.
    std::map<std::string, std::pair<long, long>> others;
    for (const std::string& file : pages) {
        const std::filesystem::path path(file);
        const std::string name = path.filename().string();
        std::string loadError;
        if (!loadBenchPage(file.c_str(), loadError)) {
            std::printf("{\"page\": %s, \"error\": %s}\n", jsonText(name).c_str(), jsonText(loadError).c_str());
            continue;
        }
        setDefaultDiagram();
        // The page's truth, when it lies beside the page.
        test::CorpusTruth truth;
        std::string error;
        const bool haveTruth =
            test::readCorpusTruth(std::filesystem::path(path).replace_extension(".json").string(), truth, error);
        // As the program prepares a later diagram of the same game.
        if (seriesFromTruth && haveTruth)
            Reco.DiagramsDone = std::max(0, truth.diagram - 1);
        RecordingHost host;
        PrepareReadings readings;
        readings.sharedCornerRecord = sharedCorner;
        readings.fullRespacing = fullRespacing;
        readings.centringPerPoint = centringPerPoint;
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = runPreparation(host, readings);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        const char* outcome = !ok ? "failed" : Reco.CancelFlag == 1 ? "cancelled" : "success";

        const DiagramRect w = Reco.DiagramWindow;
        std::string j = "{\"stones\": [";
        bool first = true;
        for (int32_t c = w.Left; c <= w.Right; ++c)
            for (int32_t r = w.Top; r <= w.Bottom; ++r) {
                const BC& p = Reco.GridPoints[c][r];
                if (p.Typ == TypEmpty)
                    continue;
                j += first ? "" : ", ";
                first = false;
                char buf[96];
                std::snprintf(buf, sizeof buf, "{\"col\": %d, \"row\": %d, \"colour\": \"%s\", \"number\": null}", c, r,
                              colourName(p.Typ));
                j += buf;
            }
        j += "], \"outcome\": \"";
        j += outcome;
        j += "\", \"messages\": [";
        for (size_t i = 0; i < host.messages.size(); ++i) {
            if (i)
                j += ", ";
            j += jsonText(host.messages[i]);
        }
        char tail[400];
        std::snprintf(tail, sizeof tail,
                      "], \"pitch\": [%d, %d], \"corners\": {\"top_left\": %s, \"top_right\": %s, \"bottom_left\": %s, "
                      "\"bottom_right\": %s}, \"time_ms\": %.1f}\n",
                      Reco.CellPitchX, Reco.CellPitchY, pointJson(Reco.GridPoints[w.Left][w.Top]).c_str(),
                      pointJson(Reco.GridPoints[w.Right][w.Top]).c_str(),
                      pointJson(Reco.GridPoints[w.Left][w.Bottom]).c_str(),
                      pointJson(Reco.GridPoints[w.Right][w.Bottom]).c_str(), ms);
        j += tail;
        // Every window point's position, estimate and state, column by
        // column, to compare a whole grid with the truth's.
        j.pop_back(); // the closing brace and newline
        j.pop_back();
        j += ", \"grid\": [";
        for (int32_t c = w.Left; c <= w.Right; ++c)
            for (int32_t r = w.Top; r <= w.Bottom; ++r) {
                j += (c == w.Left && r == w.Top) ? "" : ", ";
                const BC& gp = Reco.GridPoints[c][r];
                char pbuf[64];
                std::snprintf(pbuf, sizeof pbuf, "[%d, %d, %d, %d]", gp.Coord.X, gp.Coord.Y, gp.Est, gp.Typ);
                j += pbuf;
            }
        j += "]}\n";
        const std::string base = path.stem().string();
        std::ofstream(std::filesystem::path(outDir) / (base + ".json"), std::ios::trunc) << j;

        std::string line = "{\"page\": ";
        line += jsonText(name);
        line += ", \"outcome\": \"";
        line += outcome;
        line += "\"";
        if (haveTruth) {
            int ok361 = 0, undecided = 0;
            for (int32_t c = 1; c <= 19; ++c)
                for (int32_t r = 1; r <= 19; ++r) {
                    const int16_t typ = Reco.GridPoints[c][r].Typ;
                    int got = test::colourOfState(typ);
                    undecided += typ == TypUndecided || typ == TypColourUndecided;
                    ok361 += got == truth.colour[c - 1][r - 1];
                }
            const double acc = 100.0 * ok361 / 361;
            char buf[160];
            std::snprintf(buf, sizeof buf, ", \"dpi\": %d, \"variant\": \"%s\", \"accuracy\": %.2f, \"undecided\": %d",
                          truth.dpi, truth.variant.c_str(), acc, undecided);
            line += buf;
            if (truth.dpi != 300 || truth.variant != "clean") {
                const std::string kind = truth.variant != "clean" ? truth.variant : std::to_string(truth.dpi) + " dpi";
                others[kind].first += 361;
                others[kind].second += ok361;
            }
            if (truth.dpi == 300 && truth.variant == "clean") {
                points += 361;
                right += ok361;
                times.push_back(ms);
                if (acc < worst) {
                    worst = acc;
                    worstPage = name;
                }
            }
        }
        std::printf("%s, \"time_ms\": %.1f}\n", line.c_str(), ms);
    }
    for (const auto& [kind, pr] : others)
        std::printf("{\"summary\": \"%s\", \"points\": %ld, \"accuracy\": %.2f}\n", kind.c_str(), pr.first,
                    100.0 * pr.second / pr.first);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("{\"summary\": \"process\", \"peak_memory_mb\": %.1f}\n", usage.ru_maxrss / 1024.0);
    if (!times.empty()) {
        std::vector<double> t = times;
        std::sort(t.begin(), t.end());
        std::printf("{\"summary\": \"clean 300 dpi\", \"pages\": %zu, \"accuracy\": %.2f, \"worst\": %s, "
                    "\"worst_accuracy\": %.2f, \"median_ms\": %.1f, \"max_ms\": %.1f}\n",
                    t.size(), 100.0 * right / points, jsonText(worstPage).c_str(), worst, t[t.size() / 2], t.back());
    }
    return 0;
}

} // namespace quon::bench
