// The horizontal line finder on the corpus pages of both kinds (pages/ and
// book/), against their truth.
//
// The finder gives the grid the later stages start from: the row pitch, the
// top and bottom lines, the ends of the lines and from them the column
// pitch. The levels below are the ones measured; a drop is a regression.
#include "common/TestPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include "common/CorpusRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quon;
using namespace quon::test;
namespace fs = std::filesystem;

namespace {

struct Truth {
    double left = 0, top = 0, right = 0, bottom = 0, spacingX = 0, spacingY = 0;
};

// Reads the number after `"key":` (or the pair in `[x, y]`) from the truth
// text, starting at the grid_px object.
bool readNumbers(const std::string& text, const std::string& key, double& a, double* b = nullptr)
{
    const size_t grid = text.find("\"grid_px\"");
    if (grid == std::string::npos)
        return false;
    size_t at = text.find("\"" + key + "\"", grid);
    if (at == std::string::npos)
        return false;
    at = text.find(':', at);
    if (at == std::string::npos)
        return false;
    std::string rest = text.substr(at + 1, 80);
    std::replace(rest.begin(), rest.end(), '[', ' ');
    std::replace(rest.begin(), rest.end(), ',', ' ');
    std::istringstream in(rest);
    in >> a;
    if (b)
        in >> *b;
    return !in.fail();
}

bool readTruth(const fs::path& json, Truth& t)
{
    std::ifstream in(json);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    double tlx, tly, trx, try_, blx, bly, brx, bry;
    if (!readNumbers(text, "top_left", tlx, &tly) || !readNumbers(text, "top_right", trx, &try_) ||
        !readNumbers(text, "bottom_left", blx, &bly) || !readNumbers(text, "bottom_right", brx, &bry) ||
        !readNumbers(text, "spacing_x", t.spacingX) || !readNumbers(text, "spacing_y", t.spacingY))
        return false;
    // Scanned pages are slightly rotated: each side is the mean of its corners.
    t.left = (tlx + blx) / 2;
    t.right = (trx + brx) / 2;
    t.top = (tly + try_) / 2;
    t.bottom = (bly + bry) / 2;
    return true;
}

} // namespace

TEST(LineFinderCorpus, PitchAndBoardAgainstTheTruth)
{
    std::vector<fs::path> files = corpusFiles("pages");
    const std::vector<fs::path> book = corpusFiles("book");
    files.insert(files.end(), book.begin(), book.end());
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << QUON_CORPUS_DIR;

    int found = 0, pitchY = 0, pitchX = 0, top = 0, bottom = 0, left = 0, right = 0;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        Truth truth;
        ASSERT_TRUE(readTruth(fs::path(file).replace_extension(".json"), truth));
        std::string error;
        const MonoPage page = readMonoBmp(file.string(), error);
        ASSERT_TRUE(error.empty()) << error;
        resetTablesToStart();
        installPage(page);
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        Reco.DiagramWindowSize = DiagramSize{19, 19};
        RecordingHost host;
        host.keepLog = false;
        PrepareEngine engine(host);
        const bool ok = engine.FindHorLines();
        // Every page of the corpus is found, whatever lies beside the board.
        EXPECT_TRUE(ok) << (host.messages.empty() ? "" : host.messages[0]);
        if (!ok)
            continue;
        EXPECT_TRUE(host.messages.empty());
        ++found;
        // A turned page's rectangle lies along its skew: each side is the
        // mean of its two corners, as in the truth.
        auto corner = [&](int c, int rr) { return PrepareEngine::RectCorner(engine.FoundBoardRect, engine.FoundSkew, c, rr); };
        const double rLeft = (corner(0, 0).X + corner(0, 1).X) / 2.0, rRight = (corner(1, 0).X + corner(1, 1).X) / 2.0;
        const double rTop = (corner(0, 0).Y + corner(1, 0).Y) / 2.0, rBottom = (corner(0, 1).Y + corner(1, 1).Y) / 2.0;
        // Within 2 pixels at 300 dpi, a twentieth of the pitch elsewhere.
        const double tol = std::max(2.0, truth.spacingY / 20);
        // Every page gets its row pitch right.
        EXPECT_LE(std::abs(Reco.CellPitchY - truth.spacingY), tol);
        pitchY += std::abs(Reco.CellPitchY - truth.spacingY) <= tol;
        pitchX += std::abs(Reco.CellPitchX - truth.spacingX) <= tol;
        top += std::abs(rTop - truth.top) <= tol;
        bottom += std::abs(rBottom - truth.bottom) <= tol;
        left += std::abs(rLeft - truth.left) <= tol;
        right += std::abs(rRight - truth.right) <= tol;
        // The top and bottom lines are never far off.
        EXPECT_LE(std::abs(rTop - truth.top), 3 * tol);
        EXPECT_LE(std::abs(rBottom - truth.bottom), 3 * tol);
    }
    EXPECT_EQ(found, static_cast<int>(files.size()));
    // Measured on the 87 pages of both kinds, turned scans read along their
    // skew: the column pitch, the top line, the left and the right end
    // within the tolerance on all 87, the bottom line on 86.
    EXPECT_GE(pitchX, 87);
    EXPECT_GE(top, 87);
    EXPECT_GE(bottom, 86);
    EXPECT_GE(left, 87);
    EXPECT_GE(right, 87);
    std::printf(
        "line finder on %zu corpus pages: %d found; within the tolerance: pitch y %d, pitch x %d, top %d, bottom %d, "
        "left %d, right %d\n",
        files.size(), found, pitchY, pitchX, top, bottom, left, right);
}
