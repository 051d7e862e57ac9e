// quon-bench: the developers' measuring tool. It runs the program's own code
// on page files and prints JSON, for checking against the corpus truth and
// for timing.
//
//   quon-bench page FILE.bmp        load a page exactly as Open Image does
//   quon-bench lines PAGE.bmp...    the horizontal line finder on each page
//   quon-bench windows PAGE.bmp...  the time of the stone-window features
//   quon-bench classify PAGE.bmp... the classification of the truth's points
//   quon-bench read PAGE.bmp... --out DIR [--grid truth]
//                                   the number of every stone, DIR/<page>.json
//   quon-bench digits [FILE.BzP]  draw every figure of the digit set (the
//                                   default set unless a file is given) as a
//                                   thick numeral at several sizes, read it back
//   quon-bench prepare PAGE.bmp... --out DIR
//                                   the whole preparation; predictions in DIR
//   quon-bench game PAGE.bmp... --out DIR [--answers none|truth]
//                                   the diagrams of one game through the whole
//                                   recognition; DIR/<series>.sgf and .json
//   quon-bench sgf IN.sgf OUT.qcr   read a game record, save it as QCR, read
//                                   that back; prints {"first": R, "second": R}
//   quon-bench dgr IN.dgr OUT.dgr   read a diagram file and write it back
//   quon-bench picture IN.dgr OUT.bmp|OUT.emf|OUT.wmf
//                                   the diagram's block as the editor exports it
#include "BenchCommon.h"
#include "Commands.h"
#include "model/GameRecordWriter.h"
#include "model/PackedPage.h"
#include "model/QcrFormat.h"
#include "model/SgfGameReader.h"
#include "model/Recotypes.h"
#include "platform/DataFiles.h"
#include "platform/ui/PageFile.h"
#include "recognize/BezierFigures.h"
#include "recognize/DigitSamples.h"
#include "recognize/DigitSetFile.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace quon;
using quon::bench::jsonString;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quon-bench page FILE.bmp\n"
                         "       quon-bench lines PAGE.bmp...\n"
                         "       quon-bench windows PAGE.bmp...\n"
                         "       quon-bench classify PAGE.bmp...\n"
                         "       quon-bench read PAGE.bmp... --out DIR [--grid truth]\n"
                         "       quon-bench prepare PAGE.bmp... --out DIR\n"
                         "       quon-bench game PAGE.bmp... --out DIR [--answers none|truth]\n"
                         "       quon-bench sgf IN.sgf OUT.qcr\n"
                         "       quon-bench digits [FILE.BzP]\n"
                         "       quon-bench dgr IN.dgr OUT.dgr\n"
                         "       quon-bench picture IN.dgr OUT.bmp|OUT.emf|OUT.wmf\n");
    return 2;
}

int pageCommand(const char* file)
{
    std::string error;
    if (!bench::loadBenchPage(file, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    long long ink = 0;
    for (int32_t y = 0; y < Reco.ImageHeight; ++y)
        for (int32_t x = 0; x < Reco.ImageWidth; ++x)
            ink += GetPix(x, y);
    std::printf("{\"width\": %d, \"height\": %d, \"ink_polarity\": %d, \"ink_pixels\": %lld, \"stride\": %d}\n",
                Reco.ImageWidth, Reco.ImageHeight, Reco.InkPolarity, ink, Reco.PackedStride);
    return 0;
}

// One read as JSON: the result, then the tables and the information it filled.
std::string readJson(int result, const SgfReadResult& read)
{
    std::string j = "{\"result\": " + std::to_string(result);
    if (!read.Ok)
        j += ", \"error\": " + jsonString(read.Error);
    j += ", \"moves\": [";
    for (int32_t m = 1; read.Ok && m <= Reco.MoveCount; ++m) {
        const MoveRecord& mv = Reco.MoveTable[m];
        j += m > 1 ? ", " : "";
        j += moveColour(m) == 1 ? "[\"B\", " : "[\"W\", ";
        j += isPlaced(mv) ? std::to_string(mv.X) + ", " + std::to_string(mv.Y) + "]" : "null, null]";
    }
    j += "], \"setup\": {";
    for (int c = 1; c <= 2; ++c) {
        j += c == 1 ? "\"B\": [" : ", \"W\": [";
        bool first = true;
        for (const StonePoint& p : read.Ok ? (c == 1 ? read.Black : read.White) : std::vector<StonePoint>{}) {
            j += (first ? "[" : ", [") + std::to_string(p.X) + ", " + std::to_string(p.Y) + "]";
            first = false;
        }
        j += "]";
    }
    j += "}, \"info\": {";
    // A property given twice counts with its last value, at its first place.
    std::vector<std::pair<std::string, std::string>> info;
    for (const auto& [name, value] : read.InfoProperties) {
        auto it = std::find_if(info.begin(), info.end(), [&](const auto& e) { return e.first == name; });
        if (it == info.end())
            info.emplace_back(name, value);
        else
            it->second = value;
    }
    for (size_t i = 0; i < info.size(); ++i)
        j += (i ? ", " : "") + jsonString(info[i].first) + ": " + jsonString(info[i].second);
    return j + "}}";
}

bool readFile(const char* path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Reads like Open game does: into the tables on success, nothing changed on failure.
int readRecord(const std::string& text, GameInfo& info, SgfReadResult& read)
{
    read = readSgfGame(text, info, SgfReadOptions{Reco.FirstMoveColour, Reco.LinearInputState == 1});
    if (!read.Ok)
        return -1;
    commitSgfGame(read);
    info = read.Info;
    return Reco.MoveCount;
}

int sgfCommand(const char* in, const char* out)
{
    std::string sgf;
    if (!readFile(in, sgf)) {
        std::fprintf(stderr, "cannot read %s\n", in);
        return 1;
    }
    GameInfo info;
    SgfReadResult first;
    const int firstResult = readRecord(sgf, info, first);
    if (firstResult < 0) {
        std::printf("{\"first\": %s, \"second\": null}\n", readJson(firstResult, first).c_str());
        return 1;
    }
    const std::string firstJson = readJson(firstResult, first);

    const std::string bytes =
        qcrBytesFromRecordText(joinRecordLines(composeGameRecordLines(gameRecordContentFromTables(info))));
    {
        std::ofstream o(out, std::ios::binary | std::ios::trunc);
        o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!o.flush()) {
            std::fprintf(stderr, "cannot write %s\n", out);
            return 1;
        }
    }
    std::string qcr;
    if (!readFile(out, qcr)) {
        std::fprintf(stderr, "cannot read %s\n", out);
        return 1;
    }
    SgfReadResult second;
    const int secondResult = readRecord(qcrFileToSgf(qcr), info, second);
    std::printf("{\"first\": %s, \"second\": %s}\n", firstJson.c_str(), readJson(secondResult, second).c_str());
    return secondResult < 0 ? 1 : 0;
}

int digitsCommand(const char* file)
{
    const std::string path = file ? std::string(file) : defaultDigitSetPath({}).string();
    std::string error;
    if (path.empty() || !DigitPacket.LoadFromFile(path, error)) {
        std::fprintf(stderr, "%s\n", path.empty() ? "Digits.BzP not found" : error.c_str());
        return 1;
    }
    int32_t allSizes = 0;
    const auto sizes = static_cast<int32_t>(readBackSizes().size());
    for (int32_t f = 1; f <= DigitPacket.NFigs; ++f) {
        const TBezFigure& fig = DigitPacket.Figures[f];
        const int32_t good = readBackFigure(f);
        if (good == sizes)
            ++allSizes;
        std::printf("{\"digit\": %d, \"variant\": %d, \"sizes\": %d, \"read_back\": %d}\n", fig.Digit, fig.Modif,
                    sizes, good);
    }
    std::printf("{\"figures\": %d, \"read_back\": %d}\n", DigitPacket.NFigs, allSizes);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "picture") == 0)
        return bench::pictureCommand(argc, argv);
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "page") == 0)
        return pageCommand(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "sgf") == 0)
        return sgfCommand(argv[2], argv[3]);
    if (argc >= 2 && std::strcmp(argv[1], "lines") == 0)
        return bench::linesCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "windows") == 0)
        return bench::windowsCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "classify") == 0)
        return bench::classifyCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "read") == 0)
        return bench::readCommand(argc, argv);
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "digits") == 0)
        return digitsCommand(argc == 3 ? argv[2] : nullptr);
    if (argc >= 2 && std::strcmp(argv[1], "dgr") == 0)
        return bench::dgrCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "prepare") == 0)
        return bench::prepareCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "game") == 0)
        return bench::gameCommand(argc, argv);
    return usage();
}
