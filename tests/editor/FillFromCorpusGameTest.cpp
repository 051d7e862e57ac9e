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
#include <cctype>
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

// The value after "name": in `json` from `from` on: the digits of a number,
// or the text of a string; empty when the field is absent or null.
std::string jsonField(const std::string& json, const std::string& name, size_t from = 0)
{
    const std::string key = "\"" + name + "\":";
    size_t at = json.find(key, from);
    if (at == std::string::npos)
        return {};
    at += key.size();
    while (at < json.size() && json[at] == ' ')
        ++at;
    if (at < json.size() && json[at] == '"') {
        const size_t close = json.find('"', at + 1);
        return json.substr(at + 1, close - at - 1);
    }
    size_t end = at;
    while (end < json.size() && std::isdigit(static_cast<unsigned char>(json[end])))
        ++end;
    return json.substr(at, end - at);
}

int32_t jsonInt(const std::string& json, const std::string& name)
{
    const std::string v = jsonField(json, name);
    return v.empty() ? -1 : std::stoi(v);
}

// The objects of one array of flat objects in the truth JSON.
std::vector<TruthStone> truthArray(const std::string& json, const std::string& name)
{
    std::vector<TruthStone> out;
    const size_t start = json.find("\"" + name + "\"");
    if (start == std::string::npos)
        return out;
    const size_t end = json.find(']', start);
    for (size_t open = json.find('{', start); open < end; open = json.find('{', open + 1)) {
        const std::string o = json.substr(open, json.find('}', open) - open + 1);
        TruthStone s;
        s.col = std::stoi(jsonField(o, "col"));
        s.row = std::stoi(jsonField(o, "row"));
        s.colour = jsonField(o, "colour") == "B" ? 1 : 2;
        const std::string move = jsonField(o, "move");
        s.move = move.empty() ? 0 : std::stoi(move);
        out.push_back(s);
    }
    return out;
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
        const std::string series = jsonField(json, "series");
        if (jsonInt(json, "first_move") != 1 || !seriesDone.insert(series).second)
            continue;
        const std::string sgf = readText(corpus / jsonField(json, "game"));
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
