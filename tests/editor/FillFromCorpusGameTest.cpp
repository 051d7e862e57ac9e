// The editor filled from a game read into the shared tables, against the
// first diagram of every corpus series: each point must show what the
// printed diagram shows (stone colour and move number).
#include "editor/GoGridModel.h"
#include "model/GameInfo.h"
#include "model/Recotypes.h"
#include "model/SgfGameReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace quon;
namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TruthStone {
    int32_t col = 0, row = 0;
    int colour = 0;   // 1 black, 2 white
    int32_t move = 0; // 0 for a setup stone
};

// The objects of one array of the truth JSON, by their fields.
std::vector<TruthStone> truthArray(const std::string& json, const std::string& name)
{
    std::vector<TruthStone> out;
    const size_t start = json.find("\"" + name + "\"");
    if (start == std::string::npos)
        return out;
    const size_t end = json.find(']', start);
    const std::string array = json.substr(start, end - start);
    static const std::regex object(R"(\{[^}]*\})");
    static const std::regex col(R"("col":\s*(\d+))"), row(R"("row":\s*(\d+))"), colour(R"x("colour":\s*"([BW])")x"),
        move(R"("move":\s*(\d+))");
    for (auto it = std::sregex_iterator(array.begin(), array.end(), object); it != std::sregex_iterator(); ++it) {
        const std::string o = it->str();
        std::smatch m;
        TruthStone s;
        if (std::regex_search(o, m, col))
            s.col = std::stoi(m[1]);
        if (std::regex_search(o, m, row))
            s.row = std::stoi(m[1]);
        if (std::regex_search(o, m, colour))
            s.colour = m[1] == "B" ? 1 : 2;
        if (std::regex_search(o, m, move))
            s.move = std::stoi(m[1]);
        out.push_back(s);
    }
    return out;
}

int32_t jsonInt(const std::string& json, const std::string& name)
{
    std::smatch m;
    const std::regex field("\"" + name + "\":\\s*(\\d+)");
    return std::regex_search(json, m, field) ? std::stoi(m[1]) : -1;
}

std::string jsonText(const std::string& json, const std::string& name)
{
    std::smatch m;
    const std::regex field("\"" + name + "\":\\s*\"([^\"]*)\"");
    return std::regex_search(json, m, field) ? std::string(m[1]) : std::string();
}

} // namespace

TEST(FillFromCorpusGame, FirstDiagramsShowTheirStonesAndNumbers)
{
    const fs::path corpus = QUON_CORPUS_DIR;
    if (!fs::is_directory(corpus / "pages"))
        GTEST_SKIP() << "the page corpus is not at " << corpus;
    std::set<std::string> seriesDone;
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "pages")) {
        if (entry.path().extension() != ".json")
            continue;
        const std::string json = readText(entry.path());
        const std::string series = jsonText(json, "series");
        if (jsonInt(json, "first_move") != 1 || !seriesDone.insert(series).second)
            continue;
        const std::string sgf = readText(corpus / jsonText(json, "game"));
        ASSERT_FALSE(sgf.empty()) << series;

        resetTablesToStart();
        // A handicap game's record starts with White's move.
        const size_t b = sgf.find(";B["), w = sgf.find(";W[");
        Reco.FirstMoveColour = w < b ? 2 : 1;
        const SgfReadResult read = readSgfGame(sgf, GameInfo{}, SgfReadOptions{Reco.FirstMoveColour, false});
        ASSERT_TRUE(read.Ok) << series << ": " << read.Error;
        commitSgfGame(read);
        Reco.MoveCount = std::min(Reco.MoveCount, jsonInt(json, "last_move"));

        GoGridModel model(tDgrData(19, 19));
        model.FillFromGame();

        // What the diagram shows; a move printed beside the board ("70 at
        // 53") was played later on that point, so the grid shows it there.
        int expectedColour[19][19] = {};
        int32_t expectedMove[19][19] = {};
        for (const auto& list : {truthArray(json, "stones"), truthArray(json, "off_board_moves")})
            for (const TruthStone& s : list) {
                ASSERT_TRUE(s.col >= 1 && s.col <= 19 && s.row >= 1 && s.row <= 19) << series;
                expectedColour[s.col - 1][s.row - 1] = s.colour;
                expectedMove[s.col - 1][s.row - 1] = s.move;
            }
        const tDgr& g = model.Document().Grid;
        int mismatches = 0;
        for (int32_t y = 0; y < 19; ++y)
            for (int32_t x = 0; x < 19; ++x) {
                const DgrCell c = g.GetCell(x, y);
                if (c.Stone != expectedColour[x][y] || c.Number != expectedMove[x][y]) {
                    if (++mismatches <= 3)
                        ADD_FAILURE() << series << " point (" << x + 1 << "," << y + 1 << "): grid " << int(c.Stone)
                                      << "/" << c.Number << ", diagram " << expectedColour[x][y] << "/"
                                      << expectedMove[x][y];
                }
                EXPECT_EQ(c.Element, ElemNone);
            }
        EXPECT_EQ(mismatches, 0) << series;
        ++pages;
    }
    resetTablesToStart();
    EXPECT_GE(pages, 10);
}
