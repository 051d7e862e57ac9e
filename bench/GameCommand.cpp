// quon-bench game PAGE.bmp... --out DIR [--answers none|truth]: the pages are
// the diagrams of one game, in order. Each is loaded as Open Image loads it
// and run through AutoRecognition's whole road (the diagram number counted
// on, the diagram started, prepared, recognised) with the options a user
// would set: "Game Record", the numbering mode of the first page's truth,
// as many diagrams as pages, the first move's colour as the game has it.
// The unsaved-game question is answered No; the correction dialog is
// answered by the --answers script: "none" cancels every question, "truth"
// answers the number the truth prints at the stone ("No Move" where it
// prints none).
//
// Writes DIR/<series>.sgf (the game as the record writer composes it, a move
// without a stone written as a pass) and
// DIR/<series>.json (questions, mistakes, repairs, moves, the move table,
// per page the time and the log), and prints one JSON line per page and one
// for the series with the moves right, silently wrong (a point that is not
// the game's, placed without a question), missing and played off the board.
#include "BenchCommon.h"
#include "Commands.h"

#include "common/CorpusRun.h"
#include "model/GameInfo.h"
#include "model/GameRecordWriter.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"
#include "recognize/BezierFigures.h"
#include "recognize/DigitSetFile.h"
#include "recognize/GameAssembly.h"
#include "recognize/ScriptedRecognitionHost.h"
#include "recognize/StoneNumberReader.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace quon::bench {

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string field(const std::string& text, const std::string& name)
{
    std::smatch m;
    const std::regex re("\"" + name + "\"\\s*:\\s*(\"([^\"]*)\"|-?[0-9]+)");
    if (!std::regex_search(text, m, re))
        return {};
    return m[2].matched ? m[2].str() : m[1].str();
}

struct PageTruth {
    test::CorpusTruth grid;
    std::string series, numbering, game;
    int32_t offBoard = 0;
    int32_t offset = 0; // added to a printed number gives the game move
};

// A numbered stone of the truth and whether the run read its number.
struct StoneRead {
    int32_t move = 0;
    int col = 0, row = 0;
    bool readRight = false;
};

const char* colourOf(int16_t typ)
{
    switch (typ) {
    case TypBlackNumbered:
    case TypBlackStatic: return "B";
    case TypWhiteNumbered:
    case TypWhiteStatic: return "W";
    default: return nullptr;
    }
}

// The moves of the game record: [m] = (col, row, colour), from 1.
struct TruthMove {
    int col = 0, row = 0;
    char colour = 0;
};

std::vector<TruthMove> gameMoves(const std::string& sgf)
{
    std::vector<TruthMove> out(1);
    const std::regex re(";\\s*([BW])\\[([a-s]{0,2})\\]");
    for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), re); it != std::sregex_iterator(); ++it) {
        const std::string v = (*it)[2].str();
        TruthMove t;
        t.colour = (*it)[1].str()[0];
        if (v.size() == 2) {
            t.col = v[0] - 96;
            t.row = v[1] - 96;
        }
        out.push_back(t);
    }
    return out;
}

std::string moveTableJson()
{
    std::string s = "[";
    for (int32_t m = 1; m <= Reco.MoveCount && m <= MaxMoves; ++m) {
        const MoveRecord r = Reco.MoveTable[m];
        s += m > 1 ? ", " : "";
        s += isPlaced(r) ? "[" + std::to_string(r.X) + ", " + std::to_string(r.Y) + "]" : "null";
    }
    return s + "]";
}

} // namespace

int gameCommand(int argc, char** argv)
{
    std::vector<std::string> pages;
    std::string out, answers = "none";
    for (int a = 2; a < argc; ++a) {
        if (std::strcmp(argv[a], "--out") == 0 && a + 1 < argc)
            out = argv[++a];
        else if (std::strcmp(argv[a], "--answers") == 0 && a + 1 < argc)
            answers = argv[++a];
        else
            pages.emplace_back(argv[a]);
    }
    if (pages.empty() || out.empty() || (answers != "none" && answers != "truth")) {
        std::fprintf(stderr, "usage: quon-bench game PAGE.bmp... --out DIR [--answers none|truth]\n");
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

    // Every page's truth first: the options come from the first one.
    std::vector<PageTruth> truths(pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string json = std::filesystem::path(pages[i]).replace_extension(".json").string();
        if (!test::readCorpusTruth(json, truths[i].grid, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const std::string text = readText(json);
        truths[i].series = field(text, "series");
        truths[i].numbering = field(text, "numbering");
        truths[i].game = field(text, "game");
        const std::string offset = field(text, "offset");
        truths[i].offset = offset.empty() ? 0 : std::stoi(offset);
        const size_t off = text.find("\"off_board_moves\"");
        if (off != std::string::npos) {
            const std::string list = text.substr(off);
            const std::regex mv("\"move\"\\s*:");
            truths[i].offBoard = static_cast<int32_t>(
                std::distance(std::sregex_iterator(list.begin(), list.end(), mv), std::sregex_iterator()));
        }
    }
    const std::string series =
        truths[0].series.empty() ? std::filesystem::path(pages[0]).stem().string() : truths[0].series;

    resetTablesToStart();
    setDefaultDiagram();
    ScriptedRecognitionHost host;
    host.saveAnswer = false;
    StoneNumberReader& reader = numberReader();
    reader.Log = [&host](const std::string& line) { host.log(line); };
    ProgramStoneReader stones(reader);

    // The truth of the page being recognised answers the dialog.
    const PageTruth* current = nullptr;
    if (answers == "truth")
        host.answer = [&current](const std::string&, int c, int r) {
            CorrectionAnswer a;
            if (current && c >= 1 && c <= 19 && r >= 1 && r <= 19 && current->grid.numbered[c - 1][r - 1]) {
                a.Result = CorrectionResult::Ok;
                a.Number = current->grid.number[c - 1][r - 1];
            } else {
                a.Result = CorrectionResult::NoMove;
            }
            return a;
        };

    DiagramStart start;
    OptionsSnapshot& o = start.options;
    o.SENdias = static_cast<int32_t>(pages.size());
    o.seNDia = 0;
    const std::string& numbering = truths[0].numbering;
    o.CBTypN = numbering == "continuous" ? 1 : numbering == "modulo100" ? 2 : 0;
    // The game's first move: White in a handicap game.
    const std::vector<TruthMove> game =
        gameMoves(readText((std::filesystem::path(pages[0]).parent_path().parent_path() / truths[0].game).string()));
    Reco.FirstMoveColour = game.size() > 1 && game[1].colour == 'W' ? 2 : 1;
    o.rg1stMove = Reco.FirstMoveColour - 1;

    int32_t questions = 0, repairs = 0, mistakes = 0, offBoard = 0;
    std::vector<StoneRead> stoneReads;
    std::string pageJson, logJson;
    for (size_t i = 0; i < pages.size(); ++i) {
        current = &truths[i];
        offBoard += truths[i].offBoard;
        const std::string name = std::filesystem::path(pages[i]).stem().string();
        LoadedPage page = loadPageFile(QString::fromLocal8Bit(pages[i].c_str()));
        if (!page.ok()) {
            std::fprintf(stderr, "%s: %s\n", name.c_str(), page.error.toStdString().c_str());
            return 1;
        }
        installPage(monoRows(page.mono));
        const auto t0 = Clock::now();
        if (Reco.ImageWidth < 150) {
            host.log("Nothing to recognize");
            continue;
        }
        // AutoRecognition: the next diagram of the game, or a new game.
        o.seNDia = (o.SENdias > o.seNDia || o.SENdias == 0) ? o.seNDia + 1 : 1;
        NewDia(o.seNDia, start, host, &reader);
        RecordingHost prepHost;
        prepHost.keepLog = true;
        prepHost.laterAnswer = true; // a user who wants the page read goes on
        PrepareEngine engine(prepHost, o);
        const bool prepared = engine.PrepareDiagram();
        if (engine.LowerDiagramNumber)
            o.seNDia -= 1;
        const double prepareMs = msSince(t0);
        for (const std::string& l : prepHost.logLines)
            host.log(l);
        double recogniseMs = 0;
        int32_t pageQuestions = 0;
        if (!prepared || Reco.CancelFlag) {
            // As AutoRecognition does: the game so far back on the game window.
            Reco.CancelFlag = 1;
            if (Reco.MoveCount > 0)
                host.initGame();
        } else {
            o.SEstszBx = Reco.StoneSizes[1].Width;
            o.SEstszBy = Reco.StoneSizes[1].Height;
            o.SEstszWx = Reco.StoneSizes[2].Width;
            o.SEstszWy = Reco.StoneSizes[2].Height;
            Reco.GameEditEnabled = 1;
            const auto t1 = Clock::now();
            GameAssembly run(host, stones, o);
            run.RecoFullGame();
            recogniseMs = msSince(t1);
            Reco.DiagramsDone += 1;
            pageQuestions = run.Questions;
            questions += run.Questions;
            repairs += run.Repairs;
            mistakes += run.MistakesListed;
        }
        // What the page's stones were read as, for the scorer and for telling
        // the reader's losses from the assembly's.
        {
            std::string list;
            for (int c = 1; c <= 19; ++c)
                for (int r = 1; r <= 19; ++r) {
                    const BC& p = Reco.GridPoints[c][r];
                    const char* colour = prepared ? colourOf(p.Typ) : nullptr;
                    const bool number = isNumberText(p.Text) && p.Text.size() <= 6;
                    if (colour)
                        list += std::string(list.empty() ? "" : ", ") + "{\"col\": " + std::to_string(c) +
                                ", \"row\": " + std::to_string(r) + ", \"colour\": \"" + colour +
                                "\", \"number\": " + (number ? std::to_string(std::stoi(p.Text)) : "null") + "}";
                    if (truths[i].grid.numbered[c - 1][r - 1]) {
                        const int32_t printed = truths[i].grid.number[c - 1][r - 1];
                        stoneReads.push_back(StoneRead{printed + truths[i].offset, c, r,
                                                       prepared && number && std::stoi(p.Text) == printed});
                    }
                }
            std::ofstream f(std::filesystem::path(out) / (name + ".json"));
            f << "{\"page\": " << jsonString(name) << ", \"stones\": [" << list << "]}\n";
        }
        std::string lines;
        for (const std::string& l : host.logLines)
            lines += std::string(lines.empty() ? "" : ", ") + jsonString(l);
        for (const std::string& m : prepHost.messages)
            lines += std::string(lines.empty() ? "" : ", ") + jsonString("message: " + m);
        char buf[256];
        std::snprintf(buf, sizeof buf,
                      "{\"page\": %s, \"prepared\": %s, \"time_ms\": %.1f, \"prepare_ms\": %.1f, "
                      "\"recognise_ms\": %.1f, \"questions\": %d, \"moves\": %d",
                      jsonString(name).c_str(), prepared ? "true" : "false", prepareMs + recogniseMs, prepareMs,
                      recogniseMs, pageQuestions, Reco.MoveCount);
        pageJson += std::string(pageJson.empty() ? "" : ",\n  ") + buf + ", \"log\": [" + lines + "]}";
        std::printf("%s}\n", buf);
        std::fflush(stdout);
    }

    // The record as the writer composes it, from the game window's moves.
    GameRecordContent content = gameRecordContentFromTables(GameInfo{});
    content.Moves = host.game()->Moves().RecordMoves();
    // A move without a stone (empty or claimed twice) is written as a pass,
    // "B[]", in place of the record's "tt" and "tu": the corpus scorer reads
    // only a-s points and passes, and a skipped node would shift every later
    // move of the game against the record.
    const std::string sgf = std::regex_replace(joinRecordLines(composeGameRecordLines(content)),
                                               std::regex("\\b([BW])\\[t[tu]\\]"), "$1[]");
    {
        std::ofstream f(std::filesystem::path(out) / (series + ".sgf"), std::ios::binary);
        f << sgf;
        if (!f) {
            std::fprintf(stderr, "cannot write %s.sgf\n", series.c_str());
            return 1;
        }
    }

    // The score against the game record.
    int32_t last = 0;
    for (const PageTruth& t : truths) {
        const std::string text = readText(std::filesystem::path(pages[&t - &truths[0]]).replace_extension(".json"));
        const std::string lm = field(text, "last_move");
        if (!lm.empty())
            last = std::max(last, std::stoi(lm));
    }
    int32_t right = 0, wrong = 0, missing = 0;
    for (int32_t m = 1; m <= last && m < static_cast<int32_t>(game.size()); ++m) {
        const MoveRecord r = m <= Reco.MoveCount ? Reco.MoveTable[m] : EmptyMove;
        if (!isPlaced(r))
            ++missing;
        else if (r.X == game[static_cast<size_t>(m)].col && r.Y == game[static_cast<size_t>(m)].row)
            ++right;
        else
            ++wrong;
    }
    const int32_t extra = std::max(0, Reco.MoveCount - last);
    // Numbers read right that did not end in the game, and moves that did
    // although their number was not read right (repairs and answers).
    int32_t readRight = 0, readNotPlaced = 0, placedNotRead = 0;
    for (const StoneRead& s : stoneReads) {
        const bool placed = s.move >= 1 && s.move <= Reco.MoveCount &&
                            Reco.MoveTable[s.move] == MoveRecord{static_cast<uint8_t>(s.col), static_cast<uint8_t>(s.row)};
        readRight += s.readRight;
        readNotPlaced += s.readRight && !placed;
        placedNotRead += !s.readRight && placed;
    }
    {
        std::ofstream f(std::filesystem::path(out) / (series + ".json"));
        f << "{\"series\": " << jsonString(series) << ", \"answers\": " << jsonString(answers)
          << ", \"questions\": " << questions << ", \"mistakes\": " << mistakes << ", \"repairs\": " << repairs
          << ", \"moves\": " << Reco.MoveCount << ", \"move_table\": " << moveTableJson()
          << ",\n \"score\": {\"game_moves\": " << last << ", \"right\": " << right << ", \"silently_wrong\": " << wrong
          << ", \"missing\": " << missing << ", \"off_board\": " << offBoard << ", \"extra\": " << extra
          << "},\n \"pages\": [\n  " << pageJson << "]}\n";
        if (!f) {
            std::fprintf(stderr, "cannot write %s.json\n", series.c_str());
            return 1;
        }
    }
    std::printf("{\"series\": %s, \"answers\": %s, \"pages\": %zu, \"game_moves\": %d, \"right\": %d, "
                "\"silently_wrong\": %d, \"missing\": %d, \"off_board\": %d, \"extra\": %d, \"questions\": %d, "
                "\"questions_per_diagram\": %.2f, \"repairs\": %d, \"mistakes\": %d, \"numbered_stones\": %zu, "
                "\"read_right\": %d, \"read_right_not_placed\": %d, \"placed_not_read\": %d}\n",
                jsonString(series).c_str(), jsonString(answers).c_str(), pages.size(), last, right, wrong, missing,
                offBoard, extra, questions, pages.empty() ? 0.0 : double(questions) / double(pages.size()), repairs,
                mistakes, stoneReads.size(), readRight, readNotPlaced, placedNotRead);
    return 0;
}

} // namespace quon::bench
