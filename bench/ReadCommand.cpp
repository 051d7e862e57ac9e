// quon-bench read PAGE.bmp... --out DIR [--grid truth]: the number of every
// stone read by the stone number reader. With --grid truth the points come
// from the page's truth (positions from its grid, every truth stone a stone
// of its colour that may carry a number, stone sizes from the pitch), so the
// reader is measured alone; without it each page is prepared first, as the
// Prepare command does. Writes DIR/<page>.json for score.py, one JSON
// line per page on stdout, and summaries by font, by digit count and by
// kind of page.
#include "BenchCommon.h"
#include "Commands.h"

#include "common/CorpusRun.h"
#include "model/Recotypes.h"
#include "prepare/RecordingHost.h"
#include "platform/DataFiles.h"
#include "recognize/BezierFigures.h"
#include "recognize/DigitSetFile.h"
#include "recognize/StoneNumberReader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace quon::bench {

namespace {

struct Tally {
    long numbered = 0;
    long exact = 0;
    long silentlyWrong = 0; // a wrong number without an "e"
    long unnumbered = 0;
    long givenNumber = 0;   // unnumbered stones read as a number
    void add(const Tally& o)
    {
        numbered += o.numbered;
        exact += o.exact;
        silentlyWrong += o.silentlyWrong;
        unnumbered += o.unnumbered;
        givenNumber += o.givenNumber;
    }
    std::string json() const
    {
        char buf[320];
        std::snprintf(buf, sizeof buf,
                      "\"numbered\": %ld, \"exact\": %ld, \"accuracy\": %.2f, \"silently_wrong\": %ld, "
                      "\"silently_wrong_pct\": %.2f, \"unnumbered\": %ld, \"given_number\": %ld, "
                      "\"given_number_pct\": %.2f",
                      numbered, exact, numbered ? 100.0 * exact / numbered : 0.0, silentlyWrong,
                      numbered ? 100.0 * silentlyWrong / numbered : 0.0, unnumbered, givenNumber,
                      unnumbered ? 100.0 * givenNumber / unnumbered : 0.0);
        return buf;
    }
};

std::string pageKind(const test::CorpusTruth& t)
{
    if (t.variant == "clean" && t.dpi == 300)
        return "clean 300 dpi";
    if (t.variant == "clean")
        return "clean " + std::to_string(t.dpi) + " dpi";
    return t.variant + " " + std::to_string(t.dpi) + " dpi";
}

} // namespace

namespace {
// 1 black, 2 white, 0 no stone (or one of no known colour).
int stoneColour(int16_t typ)
{
    switch (typ) {
    case TypBlackNumbered:
    case TypBlackStatic: return 1;
    case TypWhiteNumbered:
    case TypWhiteStatic: return 2;
    default: return 0;
    }
}
} // namespace

int readCommand(int argc, char** argv)
{
    std::vector<std::string> pages;
    std::string out, grid;
    for (int a = 2; a < argc; ++a) {
        if (std::strcmp(argv[a], "--out") == 0 && a + 1 < argc)
            out = argv[++a];
        else if (std::strcmp(argv[a], "--grid") == 0 && a + 1 < argc)
            grid = argv[++a];
        else
            pages.emplace_back(argv[a]);
    }
    if (pages.empty() || out.empty() || (!grid.empty() && grid != "truth")) {
        std::fprintf(stderr, "usage: quon-bench read PAGE.bmp... --out DIR [--grid truth]\n");
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }
    const std::filesystem::path digits = defaultDigitSetPath({});
    std::string error;
    if (digits.empty() || !DigitPacket.LoadFromFile(digits.string(), error)) {
        std::fprintf(stderr, "%s\n", digits.empty() ? "Digits.BzP not found" : error.c_str());
        return 1;
    }

    std::map<std::string, Tally> byFont, byDigits, byKind;
    std::map<std::string, std::vector<double>> timesByKind;
    StoneNumberReader& reader = numberReader();
    reader.Log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    for (const std::string& page : pages) {
        const std::filesystem::path file(page);
        const std::string name = file.stem().string();
        test::CorpusTruth truth;
        if (!test::readCorpusTruth(std::filesystem::path(file).replace_extension(".json").string(), truth, error)) {
            std::printf("{\"page\": %s, \"error\": %s}\n", jsonString(name).c_str(), jsonString(error).c_str());
            continue;
        }
        if (!loadBenchPage(page.c_str(), error)) {
            std::printf("{\"page\": %s, \"error\": %s}\n", jsonString(name).c_str(), jsonString(error).c_str());
            continue;
        }
        double prepareMs = 0;
        if (grid == "truth") {
            test::layTruthGridForReading(truth);
        } else {
            setDefaultDiagram();
            RecordingHost host;
            const auto p0 = Clock::now();
            runPreparation(host);
            prepareMs = msSince(p0);
        }
        resetDigitHeights();
        Reco.DebugRunState = 1;

        const auto t0 = Clock::now();
        for (int32_t r = 1; r <= 19; ++r)
            for (int32_t c = 1; c <= 19; ++c) {
                BC& p = Reco.GridPoints[c][r];
                if (p.Typ != TypBlackNumbered && p.Typ != TypWhiteNumbered)
                    continue;
                Reco.CurPointX = c;
                Reco.CurPointY = r;
                p.Text = reader.RecoStoneNumber(0).Text;
            }
        const double ms = msSince(t0);

        Tally tally;
        std::map<std::string, Tally> pageDigits;
        std::string stones;
        std::string misread;
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r) {
                const BC& p = Reco.GridPoints[c][r];
                const bool isNumber = isNumberText(p.Text) && p.Text.size() <= 6;
                const int32_t got = isNumber ? std::stoi(p.Text) : 0;
                // The file holds what the program found: the truth's stones on
                // the truth's grid, the prepared stones otherwise.
                const int found = grid == "truth" ? truth.colour[c - 1][r - 1] : stoneColour(p.Typ);
                if (found != 0)
                    stones += std::string(stones.empty() ? "" : ", ") + "{\"col\": " + std::to_string(c) +
                              ", \"row\": " + std::to_string(r) + ", \"colour\": \"" + (found == 1 ? "B" : "W") +
                              "\", \"number\": " + (isNumber ? std::to_string(got) : "null") +
                              ", \"text\": " + jsonString(p.Text) + "}";
                const int colour = truth.colour[c - 1][r - 1];
                if (colour == 0)
                    continue;
                if (truth.numbered[c - 1][r - 1]) {
                    const int32_t want = truth.number[c - 1][r - 1];
                    Tally& d = pageDigits[std::to_string(std::to_string(want).size()) + " digits"];
                    ++tally.numbered;
                    ++d.numbered;
                    if (isNumber && got == want) {
                        ++tally.exact;
                        ++d.exact;
                    } else {
                        if (isNumber) {
                            ++tally.silentlyWrong;
                            ++d.silentlyWrong;
                        }
                        misread += std::string(misread.empty() ? "" : ", ") + "[" + std::to_string(c) + ", " +
                                   std::to_string(r) + ", " + std::to_string(want) + ", " + jsonString(p.Text) + "]";
                    }
                } else {
                    ++tally.unnumbered;
                    if (isNumber) {
                        ++tally.givenNumber;
                        misread += std::string(misread.empty() ? "" : ", ") + "[" + std::to_string(c) + ", " +
                                   std::to_string(r) + ", null, " + jsonString(p.Text) + "]";
                    }
                }
            }
        {
            std::ofstream o(std::filesystem::path(out) / (name + ".json"));
            o << "{\"page\": " << jsonString(name) << ", \"grid\": \"" << (grid.empty() ? "prepared" : "truth")
              << "\", \"prepare_ms\": " << prepareMs << ", \"read_ms\": " << ms
              << ", \"stones\": [" << stones << "]}\n";
            if (!o) {
                std::fprintf(stderr, "cannot write %s\n", (std::filesystem::path(out) / (name + ".json")).c_str());
                return 1;
            }
        }
        const std::string kind = pageKind(truth);
        std::printf("{\"page\": %s, \"kind\": %s, \"font\": %s, %s, \"read_ms\": %.2f, "
                    "\"mean_digit_height\": %d, \"height_samples\": %d, \"misread\": [%s]}\n",
                    jsonString(name).c_str(), jsonString(kind).c_str(), jsonString(truth.stoneFont).c_str(),
                    tally.json().c_str(), ms, reader.MeanDigitHeight, reader.DigitHeightSamples, misread.c_str());
        byKind[kind].add(tally);
        timesByKind[kind].push_back(ms);
        if (kind == "clean 300 dpi") {
            byFont[truth.stoneFont].add(tally);
            for (const auto& [k, v] : pageDigits)
                byDigits[k].add(v);
        }
    }
    for (const auto& [k, v] : byKind)
        std::printf("{\"summary\": %s, \"pages\": %zu, %s, \"median_read_ms\": %.2f}\n", jsonString(k).c_str(),
                    timesByKind[k].size(), v.json().c_str(), median(timesByKind[k]));
    for (const auto& [k, v] : byFont)
        std::printf("{\"summary\": \"clean 300 dpi\", \"font\": %s, %s}\n", jsonString(k).c_str(), v.json().c_str());
    for (const auto& [k, v] : byDigits)
        std::printf("{\"summary\": \"clean 300 dpi\", \"numbers\": %s, %s}\n", jsonString(k).c_str(),
                    v.json().c_str());
    return 0;
}

} // namespace quon::bench
