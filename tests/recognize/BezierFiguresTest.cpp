#include "common/TempFolder.h"
#include "recognize/BezierFigures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace quon;
using quon::test::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string words(const std::vector<int32_t>& ws)
{
    std::string s;
    for (int32_t w : ws)
        for (int i = 0; i < 4; ++i)
            s.push_back(static_cast<char>((static_cast<uint32_t>(w) >> (8 * i)) & 0xFF));
    return s;
}

void writeFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// One figure: digit 7, variant 1, one curve of one arc.
const std::vector<int32_t> OneArcSet = {1, 7, 7, 1, 1, 1, 10, 20, 30, 40, 60, 50, 90, 80};

// Three figures, one with two curves and one with an odd x.
TBezPacket threeFigures()
{
    TBezPacket p;
    p.AddFigure();
    p.Figures[1].Digit = 3;
    p.Figures[1].Modif = 2;
    p.Figures[1].NewCurve({{{10, 0}, {20, 10}, {30, 20}, {40, 30}}});
    p.Figures[1].Curves[1].AddArc({{{0, 0}, {50, 40}, {60, 50}, {70, 100}}});
    p.AddFigure();
    p.Figures[2].Digit = 1;
    p.Figures[2].Modif = 1;
    p.Figures[2].NewCurve({{{1, 1}, {2, 2}, {-20, 3}, {120, 4}}});
    p.Figures[2].NewCurve({{{0, 100}, {34, 100}, {66, 100}, {100, 100}}});
    p.AddFigure();
    p.Figures[3].Digit = 3;
    p.Figures[3].Modif = 1;
    p.Figures[3].NewCurve({{{50, 8}, {70, 8}, {86, 27}, {86, 50}}});
    return p;
}

} // namespace

TEST(BzpFile, LoadsAKnownFileAndWritesTheSameBytes)
{
    TempFolder tmp;
    writeFile(tmp.file("one.BzP"), words(OneArcSet));
    TBezPacket p;
    std::string error;
    ASSERT_TRUE(p.LoadFromFile(tmp.file("one.BzP"), error)) << error;
    EXPECT_EQ(p.NFigs, 1);
    EXPECT_EQ(p.CurFig, 1);
    const TBezFigure& f = p.Figures[1];
    EXPECT_EQ(f.Digit, 7);
    EXPECT_EQ(f.Modif, 1);
    EXPECT_EQ(f.Name, "");
    EXPECT_EQ(f.NCurves, 1);
    EXPECT_EQ(f.CurCurve, 1);
    EXPECT_EQ(f.Curves[1].NArcs, 1);
    EXPECT_EQ(f.Curves[1].CurArc, 1);
    // 250 x% div 100 + 50 and 500 y% div 100 + 50.
    EXPECT_EQ(f.Curves[1].ArcPoints[0], (IntPoint{75, 150}));
    EXPECT_EQ(f.Curves[1].ArcPoints[1], (IntPoint{125, 250}));
    EXPECT_EQ(f.Curves[1].ArcPoints[2], (IntPoint{200, 300}));
    EXPECT_EQ(f.Curves[1].ArcPoints[3], (IntPoint{275, 450}));

    ASSERT_TRUE(p.SaveToFile(tmp.file("again.BzP"), error)) << error;
    EXPECT_EQ(readFile(tmp.file("again.BzP")), words(OneArcSet));
    EXPECT_EQ(p.FileName, tmp.file("again.BzP"));
}

TEST(BzpFile, TagCarriesTheDigitInItsLowByteAndIsSkippedOnRead)
{
    TempFolder tmp;
    std::vector<int32_t> ws = OneArcSet;
    ws[1] = 0x12345607; // upper bytes not significant
    writeFile(tmp.file("tag.BzP"), words(ws));
    TBezPacket p;
    std::string error;
    ASSERT_TRUE(p.LoadFromFile(tmp.file("tag.BzP"), error)) << error;
    EXPECT_EQ(p.toBytes(), words(OneArcSet));

    p.Figures[1].Digit = 300;
    EXPECT_EQ(p.toBytes().substr(4, 8), words({300 & 0xFF, 300}));
}

TEST(BzpFile, RoundTripKeepsStructureAndTruncatesOddX)
{
    TempFolder tmp;
    TBezPacket p = threeFigures();
    std::string error;
    ASSERT_TRUE(p.SaveToFile(tmp.file("three.BzP"), error)) << error;
    TBezPacket q;
    ASSERT_TRUE(q.LoadFromFile(tmp.file("three.BzP"), error)) << error;
    ASSERT_EQ(q.NFigs, 3);
    for (int f = 1; f <= 3; ++f) {
        EXPECT_EQ(q.Figures[f].Digit, p.Figures[f].Digit);
        EXPECT_EQ(q.Figures[f].Modif, p.Figures[f].Modif);
        ASSERT_EQ(q.Figures[f].NCurves, p.Figures[f].NCurves);
        for (int c = 1; c <= p.Figures[f].NCurves; ++c)
            EXPECT_EQ(q.Figures[f].Curves[c].NArcs, p.Figures[f].Curves[c].NArcs);
    }
    // x% = 1 loads as pixel 52 and saves as 0; y and even x are exact; the
    // second round trip changes nothing more.
    EXPECT_EQ(p.Figures[2].Curves[1].ArcPoints[0], (IntPoint{52, 55}));
    EXPECT_EQ(pixelToPercent(q.Figures[2].Curves[1].ArcPoints[0]), (IntPoint{0, 1}));
    EXPECT_EQ(pixelToPercent(q.Figures[2].Curves[1].ArcPoints[2]), (IntPoint{-20, 3}));
    EXPECT_EQ(pixelToPercent(q.Figures[1].Curves[1].ArcPoints[6]), (IntPoint{70, 100}));
    ASSERT_TRUE(q.SaveToFile(tmp.file("three2.BzP"), error));
    EXPECT_EQ(readFile(tmp.file("three2.BzP")), readFile(tmp.file("three.BzP")));
}

TEST(BzpFile, EveryShortenedFileIsRefusedAndTheOldSetStays)
{
    TempFolder tmp;
    const std::string full = threeFigures().toBytes();
    TBezPacket p;
    std::string error;
    writeFile(tmp.file("old.BzP"), words(OneArcSet));
    ASSERT_TRUE(p.LoadFromFile(tmp.file("old.BzP"), error));
    const TBezPacket before = p;
    for (size_t n = 0; n < full.size(); ++n) {
        writeFile(tmp.file("cut.BzP"), full.substr(0, n));
        error.clear();
        EXPECT_FALSE(p.LoadFromFile(tmp.file("cut.BzP"), error)) << n << " bytes";
        EXPECT_FALSE(error.empty());
        ASSERT_TRUE(p == before) << "set changed by a file of " << n << " bytes";
    }
    writeFile(tmp.file("cut.BzP"), full);
    EXPECT_TRUE(p.LoadFromFile(tmp.file("cut.BzP"), error)) << error;
    EXPECT_EQ(p.NFigs, 3);
}

TEST(BzpFile, CountsOutsideTheTablesAreRefused)
{
    struct Case {
        const char* what;
        std::vector<int32_t> words;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"51 figures", {51}, "51 figures"},
        {"negative figure count", {-1}, "-1 figures"},
        {"6 curves", {1, 1, 1, 1, 6}, "6 curves"},
        {"negative curve count", {1, 1, 1, 1, -3}, "-3 curves"},
        {"11 arcs", {1, 1, 1, 1, 1, 11}, "11 arcs"},
        {"negative arc count", {1, 1, 1, 1, 1, -1}, "-1 arcs"},
        {"point far outside", {1, 1, 1, 1, 1, 1, 0, 0, 2000000000, 0, 0, 0, 0, 0}, "far outside"},
    };
    TempFolder tmp;
    for (const Case& c : cases) {
        TBezPacket p = threeFigures();
        const TBezPacket before = p;
        writeFile(tmp.file("bad.BzP"), words(c.words));
        std::string error;
        EXPECT_FALSE(p.LoadFromFile(tmp.file("bad.BzP"), error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(p == before) << c.what;
    }
}

TEST(BzpFile, EmptyCurvesAndAnEmptySetLoad)
{
    TempFolder tmp;
    TBezPacket p;
    std::string error;
    writeFile(tmp.file("empty.BzP"), words({0}));
    ASSERT_TRUE(p.LoadFromFile(tmp.file("empty.BzP"), error)) << error;
    EXPECT_EQ(p.NFigs, 0);
    EXPECT_EQ(p.CurFig, 0);
    // A figure without curves, and a curve without arcs (one point).
    writeFile(tmp.file("bare.BzP"), words({2, 4, 4, 1, 0, 5, 5, 2, 1, 0, 10, 20}));
    ASSERT_TRUE(p.LoadFromFile(tmp.file("bare.BzP"), error)) << error;
    EXPECT_EQ(p.Figures[1].NCurves, 0);
    EXPECT_EQ(p.Figures[1].CurCurve, 0);
    EXPECT_EQ(p.Figures[2].Curves[1].NArcs, 0);
    EXPECT_EQ(p.Figures[2].Curves[1].CurArc, 0);
    EXPECT_EQ(p.toBytes(), words({2, 4, 4, 1, 0, 5, 5, 2, 1, 0, 10, 20}));
}

// "digits.bzp" was refused as "Wrong file format." by a case-sensitive test
// of the extension.
TEST(BzpFile, NamesMustEndInDotBzPInAnyLetterCase)
{
    TempFolder tmp;
    for (const char* name : {"lower.bzp", "UPPER.BZP"}) {
        writeFile(tmp.file(name), words(OneArcSet));
        TBezPacket p = threeFigures();
        std::string error;
        EXPECT_TRUE(p.LoadFromFile(tmp.file(name), error)) << name << ": " << error;
        EXPECT_EQ(p.NFigs, 1);
    }
    writeFile(tmp.file("curve.Bez"), words(OneArcSet));
    writeFile(tmp.file("bzp"), words(OneArcSet));
    for (const char* name : {"curve.Bez", "noext", "bzp"}) {
        TBezPacket p = threeFigures();
        std::string error;
        EXPECT_FALSE(p.LoadFromFile(tmp.file(name), error)) << name;
        EXPECT_EQ(error, "Wrong file format.");
        EXPECT_EQ(p.NFigs, 3);
    }
    TBezPacket p = threeFigures();
    std::string error;
    EXPECT_FALSE(p.LoadFromFile(tmp.file("missing.BzP"), error));
    EXPECT_NE(error.find("missing.BzP"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_EQ(p.NFigs, 3);
}

TEST(BzpFile, SaveReplacesTheFileOnlyWhenComplete)
{
    TempFolder tmp;
    TBezPacket p = threeFigures();
    std::string error;
    writeFile(tmp.file("set.BzP"), "old");
    ASSERT_TRUE(p.SaveToFile(tmp.file("set.BzP"), error)) << error;
    EXPECT_EQ(readFile(tmp.file("set.BzP")), p.toBytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1) << "temporary file left";

    p.FileName = "kept";
    EXPECT_FALSE(p.SaveToFile(tmp.file("no/such/folder/set.BzP"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(p.FileName, "kept");
}

TEST(BzpFile, AppendAddsFiguresUpToFifty)
{
    TempFolder tmp;
    TBezPacket more = threeFigures();
    std::string error;
    ASSERT_TRUE(more.SaveToFile(tmp.file("more.BzP"), error));

    TBezPacket p;
    writeFile(tmp.file("one.BzP"), words(OneArcSet));
    ASSERT_TRUE(p.LoadFromFile(tmp.file("one.BzP"), error));
    ASSERT_TRUE(p.AppendFile(tmp.file("more.BzP"), error)) << error;
    EXPECT_EQ(p.NFigs, 4);
    EXPECT_EQ(p.Figures[1].Digit, 7);
    EXPECT_EQ(p.Figures[2].Digit, 3);
    EXPECT_EQ(p.Figures[3].Curves[2].NArcs, 1);

    while (p.NFigs < 48)
        ASSERT_TRUE(p.AddFigure());
    const TBezPacket before = p;
    EXPECT_FALSE(p.AppendFile(tmp.file("more.BzP"), error));
    EXPECT_NE(error.find("51 figures"), std::string::npos) << error;
    EXPECT_TRUE(p == before);
    EXPECT_FALSE(p.AppendFile(tmp.file("more.Bez"), error));
    EXPECT_EQ(error, "Wrong file format.");
}

TEST(DigitFigures, SortByDigitThenVariantMovesFiguresUnchanged)
{
    TBezPacket p = threeFigures(); // 3/2, 1/1, 3/1
    const TBezFigure f32 = p.Figures[1];
    p.CurFig = 3;
    p.SortFigures();
    EXPECT_EQ(p.Figures[1].Digit, 1);
    EXPECT_EQ(p.Figures[1].Modif, 1);
    EXPECT_EQ(p.Figures[2].Digit, 3);
    EXPECT_EQ(p.Figures[2].Modif, 1);
    EXPECT_TRUE(p.Figures[3] == f32);
    EXPECT_EQ(p.CurFig, 1);
}

TEST(DigitFigures, TheTablesRefuseBeyondTheirLimitsAndKeepTheLastItem)
{
    TCurves c;
    for (int i = 0; i < MaxArcs; ++i)
        ASSERT_TRUE(c.AddArc({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}}));
    EXPECT_FALSE(c.AddArc({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}}));
    EXPECT_EQ(c.NArcs, 10);

    TCurves one;
    one.AddArc({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}});
    EXPECT_FALSE(one.DeleteArc());
    EXPECT_EQ(one.NArcs, 1);

    TBezFigure f;
    for (int i = 0; i < MaxCurves; ++i)
        ASSERT_TRUE(f.NewCurve({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}}));
    EXPECT_FALSE(f.NewCurve({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}}));
    while (f.NCurves > 1)
        ASSERT_TRUE(f.DeleteCurve());
    EXPECT_FALSE(f.DeleteCurve());

    TBezPacket p;
    for (int i = 0; i < MaxFigures; ++i)
        ASSERT_TRUE(p.AddFigure());
    EXPECT_FALSE(p.AddFigure());
    EXPECT_FALSE(p.DuplicateCurrent());
    while (p.NFigs > 1)
        ASSERT_TRUE(p.DeleteFigure());
    EXPECT_FALSE(p.DeleteFigure());
    EXPECT_EQ(p.NFigs, 1);
}

TEST(DigitFigures, DeletingAMiddleArcJoinsItsNeighbours)
{
    TCurves c;
    c.AddArc({{{0, 0}, {2, 2}, {4, 4}, {6, 6}}});
    c.AddArc({{{0, 0}, {8, 8}, {10, 10}, {12, 12}}});
    c.AddArc({{{0, 0}, {14, 14}, {16, 16}, {18, 18}}});
    ASSERT_TRUE(c.SelectArc(2));
    ASSERT_TRUE(c.DeleteArc());
    EXPECT_EQ(c.NArcs, 2);
    EXPECT_EQ(c.CurArc, 2);
    const int expected[7] = {0, 2, 4, 6, 14, 16, 18};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(c.ArcPoints[i], percentToPixel({expected[i], expected[i]})) << i;
    // The current arc (now the former third) is on the handles.
    EXPECT_EQ(DragHandles[0], percentToPixel({6, 6}));
    EXPECT_EQ(DragHandles[3], percentToPixel({18, 18}));

    ASSERT_TRUE(c.SelectArc(2));
    ASSERT_TRUE(c.DeleteArc()); // the last arc: its three points go
    EXPECT_EQ(c.NArcs, 1);
    EXPECT_EQ(c.CurArc, 1);
    EXPECT_EQ(c.ArcPoints[3], percentToPixel({6, 6}));
    EXPECT_FALSE(c.SelectArc(2));
}

TEST(DigitFigures, CloneIsADeepCopyWithTheNextVariant)
{
    TBezPacket p = threeFigures();
    p.Figures[2].Name = "1";
    p.CurFig = 2;
    ASSERT_TRUE(p.DuplicateCurrent());
    EXPECT_EQ(p.NFigs, 4);
    EXPECT_EQ(p.CurFig, 4);
    EXPECT_EQ(p.Figures[4].Name, "1");
    EXPECT_EQ(p.Figures[4].Modif, 2);
    EXPECT_EQ(p.Figures[4].Curves[2].ArcPoints[3], p.Figures[2].Curves[2].ArcPoints[3]);
    p.Figures[4].Curves[2].ArcPoints[3] = {0, 0};
    EXPECT_NE(p.Figures[2].Curves[2].ArcPoints[3], (IntPoint{0, 0}));
}

TEST(DigitFigures, InfoText)
{
    TBezPacket p = threeFigures();
    p.Figures[1].Name = "3";
    EXPECT_EQ(p.ShowInfo(), "N Figs3\n"
                            "# Name Digit Modif # Cur # Arc\n"
                            "1   3    3         2     1\n"
                            "     1   2\n"
                            "2       1         1     2\n"
                            "     1   1\n"
                            "     2   1\n"
                            "3       3         1     1\n"
                            "     1   1\n");
}
