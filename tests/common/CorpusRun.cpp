#include "common/CorpusRun.h"

#include <algorithm>

#include "prepare/WindowFeatures.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

namespace quon::test {

std::vector<std::filesystem::path> corpusPageFiles()
{
    namespace fs = std::filesystem;
    const fs::path pages = fs::path(QUON_CORPUS_DIR) / "pages";
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(pages, ec))
        return files;
    for (const auto& e : fs::directory_iterator(pages, ec))
        if (e.path().extension() == ".bmp")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::filesystem::path> corpusFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(QUON_CORPUS_DIR) / folder;
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return files;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (e.path().extension() == ".bmp")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

namespace {

bool number(const std::string& text, const std::string& key, double& v, size_t from = 0)
{
    const std::regex re("\"" + key + "\"\\s*:\\s*(-?[0-9.]+)");
    std::smatch m;
    const std::string rest = text.substr(from);
    if (!std::regex_search(rest, m, re))
        return false;
    v = std::stod(m[1].str());
    return true;
}

bool pair(const std::string& text, const std::string& key, double (&v)[2], size_t from)
{
    const std::regex re("\"" + key + "\"\\s*:\\s*\\[\\s*(-?[0-9.]+)\\s*,\\s*(-?[0-9.]+)\\s*\\]");
    std::smatch m;
    const std::string rest = text.substr(from);
    if (!std::regex_search(rest, m, re))
        return false;
    v[0] = std::stod(m[1].str());
    v[1] = std::stod(m[2].str());
    return true;
}

std::string stringValue(const std::string& text, const std::string& key)
{
    const std::regex re("\"" + key + "\"\\s*:\\s*\"([^\"]*)\"");
    std::smatch m;
    return std::regex_search(text, m, re) ? m[1].str() : std::string();
}

} // namespace

bool readCorpusTruth(const std::string& path, CorpusTruth& t, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    t = CorpusTruth{};
    t.image = stringValue(text, "image");
    t.variant = stringValue(text, "variant");
    double v = 0;
    if (number(text, "dpi", v))
        t.dpi = static_cast<int32_t>(v);
    if (number(text, "diagram", v))
        t.diagram = static_cast<int32_t>(v);
    {
        std::smatch m;
        const std::regex name("stone_fontName\\s+([A-Za-z-]+)"), size("stone_fontSize\\s+([0-9]+)");
        std::string font = "Courier-Bold", points = "5";
        if (std::regex_search(text, m, name))
            font = m[1].str();
        if (std::regex_search(text, m, size))
            points = m[1].str();
        t.stoneFont = font + " " + points;
    }
    const size_t grid = text.find("\"grid_px\"");
    if (grid == std::string::npos || !pair(text, "top_left", t.tl, grid) || !pair(text, "top_right", t.tr, grid) ||
        !pair(text, "bottom_left", t.bl, grid) || !pair(text, "bottom_right", t.br, grid) ||
        !number(text, "spacing_x", t.spacingX, grid) || !number(text, "spacing_y", t.spacingY, grid)) {
        error = "no grid_px in " + path;
        return false;
    }
    const size_t stones = text.find("\"stones\"");
    const size_t offBoard = text.find("\"off_board_moves\"");
    if (stones == std::string::npos) {
        error = "no stones in " + path;
        return false;
    }
    const std::string list = text.substr(stones, offBoard == std::string::npos ? std::string::npos : offBoard - stones);
    const std::regex stone("\\{[^}]*\"col\"\\s*:\\s*([0-9]+)\\s*,\\s*\"row\"\\s*:\\s*([0-9]+)\\s*,\\s*\"colour\"\\s*:"
                           "\\s*\"([BW])\"\\s*,\\s*\"number\"\\s*:\\s*(null|[0-9]+)");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), stone); it != std::sregex_iterator(); ++it) {
        const int c = std::stoi((*it)[1].str()), r = std::stoi((*it)[2].str());
        if (c >= 1 && c <= 19 && r >= 1 && r <= 19) {
            t.colour[c - 1][r - 1] = (*it)[3].str() == "B" ? 1 : 2;
            t.numbered[c - 1][r - 1] = (*it)[4].str() != "null";
            t.number[c - 1][r - 1] = t.numbered[c - 1][r - 1] ? std::stoi((*it)[4].str()) : 0;
        }
    }
    return true;
}

IntPoint truthPoint(const CorpusTruth& t, int32_t col, int32_t row)
{
    const double u = (col - 1) / 18.0, v = (row - 1) / 18.0;
    auto lerp = [](double a, double b, double f) { return a + (b - a) * f; };
    const double x = lerp(lerp(t.tl[0], t.tr[0], u), lerp(t.bl[0], t.br[0], u), v);
    const double y = lerp(lerp(t.tl[1], t.tr[1], u), lerp(t.bl[1], t.br[1], u), v);
    return IntPoint{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
}

void layTruthGridForReading(const CorpusTruth& t)
{
    const IntSize cell{static_cast<int32_t>(std::lround(t.spacingX)), static_cast<int32_t>(std::lround(t.spacingY))};
    Reco.BoardLineCount = 19;
    Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{19, 19};
    Reco.CellPitchX = cell.Width;
    Reco.CellPitchY = cell.Height;
    Reco.DiagramsDone = t.diagram > 0 ? t.diagram - 1 : 0;
    Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{cell.Width * 100, cell.Height * 100};
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r) {
            BC& p = Reco.GridPoints[c][r];
            p = BC{};
            p.Coord = p.CoordC = truthPoint(t, c, r);
            p.Size = cell;
            const int colour = t.colour[c - 1][r - 1];
            p.Typ = colour == 0 ? TypEmpty : (colour == 1 ? TypBlackNumbered : TypWhiteNumbered);
            p.Est = colour == 0 ? 100 : 95;
            p.PatternConf = 100;
        }
}

int colourOfState(int16_t typ)
{
    switch (typ) {
    case TypEmpty:
        return 0;
    case TypBlackNumbered:
    case TypBlackStatic:
        return 1;
    case TypWhiteNumbered:
    case TypWhiteStatic:
        return 2;
    default:
        return -1;
    }
}

ClassifyResult classifyTruthGrid(PrepareEngine& engine, const CorpusTruth& t)
{
    using Clock = std::chrono::steady_clock;
    Reco.BoardLineCount = 19;
    Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{19, 19};
    Reco.DiagramType = DiaGameRecord;
    Reco.StaticStonesPossible = t.diagram > 1 ? 1 : 0;
    const IntSize cell{static_cast<int32_t>(std::lround(t.spacingX)), static_cast<int32_t>(std::lround(t.spacingY))};
    Reco.CellPitchX = cell.Width;
    Reco.CellPitchY = cell.Height;
    Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{};
    startWindowRun();
    engine.resetCentringHistory();
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r) {
            BC& p = Reco.GridPoints[c][r];
            p = BC{};
            p.Coord = truthPoint(t, c, r);
            p.Size = cell;
            p.Typ = TypUndecided;
        }

    ClassifyResult res;
    const auto t0 = Clock::now();
    // The empty board first, as the empty-point passes find it; a star that
    // is neither a star nor a big star is tried as a crossing.
    for (int32_t r = 1; r <= 19; ++r)
        for (int32_t c = 1; c <= 19; ++c) {
            BC& p = Reco.GridPoints[c][r];
            const int16_t kind = PrepareEngine::PointKind(c, r);
            BC work = p;
            bool ok = engine.CheckBoardPat(kind, work, 1);
            if (!ok && kind == KindStar) {
                work = p;
                ok = engine.CheckBoardPat(KindCrossing, work, 1);
            }
            if (ok && work.PatternConf == 100)
                p = work;
        }
    // On a diagram that may show stones without numbers, the stone check
    // finds them, as stone-size learning does for the open points.
    if (Reco.StaticStonesPossible != 0)
        for (int32_t r = 1; r <= 19; ++r)
            for (int32_t c = 1; c <= 19; ++c) {
                BC& p = Reco.GridPoints[c][r];
                if (p.Typ != TypUndecided)
                    continue;
                BC work = p;
                if (engine.CheckStone(work, 1)) {
                    p.Coord = work.Coord;
                    p.Size = work.Size;
                    p.Typ = PrepareEngine::PlainStoneTyp(work.Typ);
                    p.Est = 80;
                    p.PatternConf = 80;
                    ++res.stoneChecks;
                }
            }
    engine.SortNumberedStones();
    res.inkSplit = engine.InkSplit;
    for (int32_t r = 1; r <= 19; ++r)
        for (int32_t c = 1; c <= 19; ++c)
            if (Reco.GridPoints[c][r].Typ != TypEmpty) {
                Reco.CurPointX = c;
                Reco.CurPointY = r;
                engine.ClassifyPoint();
            }
    res.classifyMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();

    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r) {
            const int got = colourOfState(Reco.GridPoints[c][r].Typ), want = t.colour[c - 1][r - 1];
            ++res.points;
            res.right += got == want;
            res.undecided += got < 0;
            if (got != want)
                ++(t.numbered[c - 1][r - 1] ? res.wrongNumbered : res.wrongPlain)[want];
            if (want != 0) {
                ++res.stones;
                res.stonesRight += got == want;
            }
        }

    // Centre every stone once, then classify the stones again.
    const auto t1 = Clock::now();
    for (int32_t r = 1; r <= 19; ++r)
        for (int32_t c = 1; c <= 19; ++c)
            if (Reco.GridPoints[c][r].Typ > 0) {
                int32_t score = 95;
                engine.CenterStone(c, r, score, 1);
                ++res.centred;
            }
    res.centringMs = std::chrono::duration<double, std::milli>(Clock::now() - t1).count();
    for (int32_t r = 1; r <= 19; ++r)
        for (int32_t c = 1; c <= 19; ++c)
            if (Reco.GridPoints[c][r].Typ != TypEmpty) {
                Reco.CurPointX = c;
                Reco.CurPointY = r;
                engine.ClassifyPoint();
            }
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r)
            res.rightAfterCentring += colourOfState(Reco.GridPoints[c][r].Typ) == t.colour[c - 1][r - 1];
    return res;
}

} // namespace quon::test
