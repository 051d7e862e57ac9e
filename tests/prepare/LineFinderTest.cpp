// The horizontal line finder on generated pages.
#include "common/TestPage.h"
#include "model/PackedPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace quon;
using namespace quon::test;

namespace {

void setWindow(int32_t columns, int32_t rows)
{
    Reco.DiagramWindow = DiagramRect{1, 1, columns, rows};
    Reco.DiagramWindowSize = DiagramSize{columns, rows};
}

// A board of `rows` horizontal lines, `thickness` rows each, from x0 to x1.
MonoPage gridPage(int32_t width, int32_t height, int32_t x0, int32_t x1, int32_t top, int32_t pitch, int32_t rows,
                  int32_t thickness = 1)
{
    MonoPage p = blankPage(width, height);
    for (int32_t i = 0; i < rows; ++i)
        drawBar(p, x0, x1, top + i * pitch, top + i * pitch + thickness - 1);
    return p;
}

// Lines of 1 row at the given rows, from x 50 to 450.
MonoPage linesAt(const std::vector<int32_t>& ys, int32_t height = 800)
{
    MonoPage p = blankPage(500, height);
    for (int32_t y : ys)
        drawBar(p, 50, 450, y, y);
    return p;
}

struct FinderRun {
    RecordingHost host;
    PrepareEngine engine{host};
    bool ok = false;
    std::string message() const { return host.messages.empty() ? "" : host.messages.front(); }
};

class LineFinder : public ::testing::Test {
protected:
    void SetUp() override { resetTablesToStart(); }

    // Runs the finder on `page` with a window of columns x rows.
    void find(const MonoPage& page, int32_t columns, int32_t rows)
    {
        installPage(page);
        setWindow(columns, rows);
        run.host.messages.clear();
        run.ok = run.engine.FindHorLines();
    }

    std::vector<int32_t> lines() const
    {
        std::vector<int32_t> v;
        for (int32_t i = 1; i <= run.engine.LineCount; ++i)
            v.push_back(run.engine.HorLines[i]);
        return v;
    }

    FinderRun run;
};

} // namespace

TEST_F(LineFinder, FullBoardGivesPitchRectangleAndLineRows)
{
    // Lines of 3 rows: every line sits one row below its first ink row.
    find(gridPage(1000, 1000, 100, 100 + 18 * 45, 80, 45, 19, 3), 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(Reco.CellPitchY, 45);
    EXPECT_EQ(Reco.CellPitchX, 45);
    EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{100, 81, 100 + 18 * 45, 81 + 18 * 45}));
    for (int32_t r = 1; r <= 19; ++r)
        EXPECT_EQ(Reco.GridPoints[1][r].Coord.Y, 81 + (r - 1) * 45) << "row " << r;
    EXPECT_EQ(run.engine.MinRunLength, 55);
    EXPECT_EQ(Reco.Segments.Count, 19 * 3);
    // A level page is read level.
    EXPECT_EQ(run.engine.FoundSkew, 0.0);
}

TEST_F(LineFinder, NegativePageGivesTheSameResult)
{
    MonoPage p = gridPage(1000, 1000, 100, 100 + 18 * 45, 80, 45, 19, 2);
    for (auto& b : p.bits)
        b = static_cast<uint8_t>(~b);
    find(p, 19, 19);
    ASSERT_EQ(Reco.InkPolarity, 0);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{100, 80, 100 + 18 * 45, 80 + 18 * 45}));
}

TEST_F(LineFinder, WhatLiesOnAndBesideTheBoardDoesNotMoveIt)
{
    // A board of 19 lines 45 apart from x 100 to 910, row 80 to 890.
    const int32_t x0 = 100, x1 = 100 + 18 * 45, top = 80, pitch = 45;
    auto board = [&] { return gridPage(1000, 1100, x0, x1, top, pitch, 19); };
    struct Case {
        const char* name;
        MonoPage page;
        int32_t pitchX, pitchY;
        PixelRect rect;
    };
    const PixelRect rect{x0, top, x1, top + 18 * pitch};
    // The top lines of the next diagram, two and three pitches below, and
    // wider than the board (as a caption beside it makes them).
    MonoPage nextDiagram = board();
    drawBar(nextDiagram, x0, 990, top + 20 * pitch, top + 20 * pitch + 1);
    drawBar(nextDiagram, x0, 990, top + 21 * pitch, top + 21 * pitch);
    // Black stones on the right edge of three lines run on past the edge;
    // white ones on the left edge of two lines stop them short.
    MonoPage edgeStones = board();
    for (int32_t r : {3, 8, 12})
        drawBar(edgeStones, x1 - 20, x1 + 20, top + r * pitch - 20, top + r * pitch + 20);
    for (int32_t r : {5, 9})
        for (int32_t x = x0; x <= x0 + 22; ++x)
            edgeStones.set(x, top + r * pitch, false);
    // Two black stones side by side on line 10 make long runs on the rows
    // around the line: the line stays where it is.
    MonoPage touching = board();
    drawBar(touching, 300, 390, top + 10 * pitch - 20, top + 10 * pitch + 20);
    // A 200 dpi board: lines 29 pixels apart.
    const std::vector<Case> cases = {
        {"next diagram below", nextDiagram, pitch, pitch, rect},
        {"stones on the edges", edgeStones, pitch, pitch, rect},
        {"touching black stones", touching, pitch, pitch, rect},
        {"200 dpi", gridPage(800, 800, 60, 60 + 18 * 28, 50, 29, 19), 28, 29,
         PixelRect{60, 50, 60 + 18 * 28, 50 + 18 * 29}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        find(c.page, 19, 19);
        ASSERT_TRUE(run.ok) << run.message();
        EXPECT_EQ(Reco.CellPitchX, c.pitchX);
        EXPECT_EQ(Reco.CellPitchY, c.pitchY);
        EXPECT_EQ(run.engine.FoundBoardRect, c.rect);
        for (int32_t r = 1; r <= 19; ++r)
            EXPECT_EQ(Reco.GridPoints[1][r].Coord.Y, c.rect.Top + (r - 1) * c.pitchY) << "row " << r;
    }
}

TEST_F(LineFinder, StonesInAColumnDoNotTakeTheEdgeIn)
{
    // White stones on column 2 of eleven lines leave pieces too short to
    // count between the edge and the stone: those lines start a column in,
    // more of them than the six that start at the edge.
    const int32_t x0 = 100, x1 = 100 + 18 * 45, top = 80, pitch = 45;
    MonoPage p = gridPage(1000, 1000, x0, x1, top, pitch, 19);
    for (int32_t r = 1; r <= 11; ++r)
        for (int32_t x = x0 + pitch - 22; x <= x0 + pitch + 22; ++x)
            p.set(x, top + r * pitch, false);
    find(p, 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{x0, top, x1, top + 18 * pitch}));
    EXPECT_EQ(Reco.CellPitchX, pitch);
}

TEST_F(LineFinder, StepGapsAreBridged)
{
    // Rows of ink bits as strings, leftmost pixel first, across two words.
    auto bits = [](const std::string& s) {
        std::vector<uint64_t> w(2, 0);
        for (size_t i = 0; i < s.size(); ++i)
            if (s[i] == '#')
                w[i / 64] |= 1ull << (63 - i % 64);
        return w;
    };
    struct Case {
        const char* name;
        std::string row, bridged;
    };
    const std::string pad(60, '.');
    const std::vector<Case> cases = {
        {"one pixel", "###.###", "#######"},
        {"two pixels", "###..###", "########"},
        {"three pixels stay", "###...###", "###...###"},
        {"ends of the row stay", ".#.#..#..", ".######.."},
        {"across the word boundary", pad + "###..###", pad + "########"},
        {"at the word boundary", pad + "####.###", pad + "########"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint64_t> w = bits(c.row);
        PrepareEngine::BridgeStepGaps(w);
        EXPECT_EQ(w, bits(c.bridged));
    }
}

TEST_F(LineFinder, TurnedThinLinesBrokenAtTheirStepsAreWhole)
{
    // A board turned by about 1.6 degrees as a scan thresholds it: the inner
    // lines, one pixel thick, lose two pixels at every step down, leaving
    // pieces shorter than a long run; the edge lines are heavier and whole.
    const int32_t x0 = 100, pitch = 60, top = 80, x1 = x0 + 18 * pitch;
    const double skew = 0.028;
    MonoPage p = blankPage(1400, 1400);
    for (int32_t i = 0; i < 19; ++i) {
        const bool edge = i == 0 || i == 18;
        // Turned about the top-left corner: the line starts further left
        // the lower it lies.
        const int32_t start = x0 - static_cast<int32_t>(std::lround(skew * i * pitch));
        int32_t lastStep = start;
        int32_t previous = top + i * pitch;
        for (int32_t t = 0; t <= x1 - x0; ++t) {
            const int32_t x = start + t;
            const int32_t y = top + i * pitch + static_cast<int32_t>(std::floor(skew * t));
            if (y != previous)
                lastStep = x;
            previous = y;
            if (edge)
                drawBar(p, x, x, y, y + 2);
            else if (x - lastStep >= 2 || t == 0)
                p.set(x, y, true);
        }
    }
    find(p, 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_NEAR(run.engine.FoundSkew, skew, 0.002);
    const PixelRect& r = run.engine.FoundBoardRect;
    EXPECT_NEAR(r.Left, x0, 2);
    EXPECT_NEAR(r.Right, x1, 2);
    EXPECT_NEAR(r.Top, top, 2);
    EXPECT_NEAR(Reco.CellPitchX, pitch, 1);
    EXPECT_NEAR(Reco.CellPitchY, pitch, 1);
}

TEST_F(LineFinder, ShortLinesMakeSquareCells)
{
    // 18 cells of 41 pixels are more than a tenth narrower than the
    // 45-pixel rows: the cells are taken as square and the right edge is
    // put at 18 x 45.
    find(gridPage(1000, 1000, 100, 100 + 18 * 41, 80, 45, 19), 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(Reco.CellPitchX, 45);
    EXPECT_EQ(run.engine.FoundBoardRect.Right, 100 + 18 * 45);
    // Cells of 42 pixels (7 percent taller than wide, as printed boards
    // are) keep their own width: 756 * 11 / 10 / 18 = 46 > 45.
    find(gridPage(1000, 1000, 100, 100 + 18 * 42, 80, 45, 19), 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(Reco.CellPitchX, 42);
    EXPECT_EQ(run.engine.FoundBoardRect.Right, 100 + 18 * 42);
}

TEST_F(LineFinder, FailuresShowTheirMessage)
{
    struct Case {
        const char* name;
        MonoPage page;
        int32_t columns, rows;
        std::string message;
    };
    MonoPage thickLine = blankPage(500, 500);
    drawBar(thickLine, 50, 450, 100, 111); // 12 segments, all one line
    MonoPage missingTop = gridPage(1000, 1000, 100, 910, 80 + 45, 45, 18);
    MonoPage missingBottom = gridPage(1000, 1000, 100, 910, 80, 45, 18);
    std::vector<Case> cases = {
        {"blank page", blankPage(800, 800), 19, 19, linemsg::NoLines},
        {"one thin line", linesAt({100}), 19, 19, linemsg::NoLines},
        {"one thick line", thickLine, 19, 19, linemsg::NarrowCell},
        {"page too small", blankPage(50, 50), 19, 19, linemsg::NoLines},
        {"page of five rows", gridPage(500, 5, 10, 400, 0, 1, 5), 2, 2, linemsg::NoLines},
        {"missing top line", missingTop, 19, 19, linemsg::TooFewLines},
        {"missing bottom line", missingBottom, 19, 19, linemsg::TooFewLines},
        {"21 line groups", gridPage(600, 1000, 50, 450, 40, 40, 21), 19, 19, linemsg::TooManyGroups},
        {"one line too many", gridPage(600, 1000, 50, 450, 40, 40, 20), 19, 19, linemsg::TooManyLines},
        {"gap of 70 at pitch 40 inserts nothing", linesAt({100, 170, 220}), 4, 4, linemsg::TooFewLines},
        {"rough pitch 24", linesAt({100, 148}), 3, 3, linemsg::NarrowCell},
        {"rough pitch 141", linesAt({100, 382}), 3, 3, linemsg::WideCell},
        {"rough pitch 150", linesAt({100, 400}), 3, 3, linemsg::WideCell},
        {"window of one row", linesAt({100, 200}), 19, 1, linemsg::BadWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetTablesToStart();
        find(c.page, c.columns, c.rows);
        EXPECT_FALSE(run.ok);
        ASSERT_EQ(run.host.messages.size(), 1u);
        EXPECT_EQ(run.host.messages[0], c.message);
    }
}

TEST_F(LineFinder, PitchLimitsAndMissingLines)
{
    struct Case {
        const char* name;
        std::vector<int32_t> ys;
        int32_t rows;
        std::vector<int32_t> lines;
        int32_t pitchY;
        std::vector<std::string> inserted;
    };
    const std::vector<Case> cases = {
        {"rough pitch 25 passes", {100, 150}, 3, {100, 125, 150}, 25, {"2 125"}},
        {"rough pitch 140 passes", {100, 380}, 3, {100, 240, 380}, 140, {"2 240"}},
        {"gap 71 at pitch 40 inserts one line", {100, 171, 220}, 4, {100, 135, 171, 220}, 40, {"2 135"}},
        {"gap 120 at pitch 40 inserts two lines", {100, 140, 260, 300}, 6, {100, 140, 180, 220, 260, 300}, 40,
         {"3 180", "4 220"}},
        {"two gaps with missing lines", {100, 200, 300}, 5, {100, 150, 200, 250, 300}, 50, {"2 150", "4 250"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetTablesToStart();
        run.host.pointLines.clear();
        find(linesAt(c.ys), 9, c.rows); // 8 columns of 50 pixels
        ASSERT_TRUE(run.ok) << run.message();
        EXPECT_EQ(lines(), c.lines);
        EXPECT_EQ(Reco.CellPitchY, c.pitchY);
        EXPECT_EQ(run.host.pointLines, c.inserted);
        for (int32_t r = 1; r <= c.rows; ++r)
            EXPECT_EQ(Reco.GridPoints[1][r].Coord.Y, c.lines[static_cast<size_t>(r - 1)]);
    }
}

TEST_F(LineFinder, StrayStretchNearALine)
{
    // A 60-pixel stretch `gap` rows below line 10 of a 60-pixel board.
    struct Case {
        int32_t gap;
        bool ok;
        int32_t minRunLength;
        std::string message;
    };
    const Case cases[] = {
        {14, true, 55, ""},                      // part of the line
        {15, true, 65, ""},                      // a rescan drops it
        {29, true, 65, ""},                      // a rescan drops it
        {30, false, 55, linemsg::TooManyLines},  // a line of its own
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("gap " + std::to_string(c.gap));
        resetTablesToStart();
        MonoPage p = gridPage(1300, 1300, 100, 100 + 18 * 60, 80, 60, 19);
        drawBar(p, 300, 359, 80 + 9 * 60 + c.gap, 80 + 9 * 60 + c.gap);
        find(p, 19, 19);
        EXPECT_EQ(run.ok, c.ok);
        EXPECT_EQ(run.engine.MinRunLength, c.minRunLength);
        EXPECT_EQ(run.message(), c.message);
        if (c.ok) {
            EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{100, 80, 100 + 18 * 60, 80 + 18 * 60}));
        }
    }
}

TEST_F(LineFinder, OverfullTableForcesARescanNotAFailure)
{
    // 19 thin lines and, below them, a block of 500 rows of 60-pixel runs:
    // the first attempt fills the table, the second (runs over 65) sees
    // only the lines.
    MonoPage p = gridPage(1000, 1500, 100, 910, 80, 45, 19);
    drawBar(p, 200, 259, 950, 1449);
    find(p, 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(run.engine.MinRunLength, 65);
    EXPECT_EQ(Reco.Segments.Count, 19);
    EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{100, 80, 910, 80 + 18 * 45}));
}

TEST_F(LineFinder, LinesOfAnEarlierPageDoNotLinger)
{
    // A board low on the page leaves line rows far down; the next page has
    // three of four lines, with a gap too small for a missing line. Stale
    // rows past the line count would count as lines to fill towards.
    find(gridPage(1000, 1400, 100, 910, 500, 45, 19), 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    find(linesAt({100, 170, 220}), 4, 4);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.message(), linemsg::TooFewLines);
}

TEST_F(LineFinder, PageWiderThan5000Pixels)
{
    find(gridPage(6000, 1000, 5100, 5100 + 18 * 45, 80, 45, 19), 19, 19);
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(run.engine.FoundBoardRect, (PixelRect{5100, 80, 5100 + 18 * 45, 80 + 18 * 45}));
}

TEST_F(LineFinder, WindowOfPartOfTheBoard)
{
    // A corner window of columns 8..19 and rows 12..19.
    installPage(gridPage(1000, 1000, 100, 100 + 11 * 50, 80, 50, 8));
    Reco.DiagramWindow = DiagramRect{8, 12, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{12, 8};
    run.host.messages.clear();
    run.ok = run.engine.FindHorLines();
    ASSERT_TRUE(run.ok) << run.message();
    EXPECT_EQ(Reco.CellPitchX, 50);
    EXPECT_EQ(Reco.GridPoints[8][12].Coord.Y, 80);
    EXPECT_EQ(Reco.GridPoints[8][19].Coord.Y, 80 + 7 * 50);
    EXPECT_EQ(Reco.GridPoints[1][1].Coord.Y, 0);
}

// ---- one scanline ----

namespace {

// One row of `width` pixels with black runs [start, end).
MonoPage rowPage(int32_t width, const std::vector<std::pair<int32_t, int32_t>>& runs)
{
    MonoPage p = blankPage(width, 8);
    for (auto [s, e] : runs)
        drawBar(p, s, e - 1, 4, 4);
    return p;
}

} // namespace

TEST_F(LineFinder, ScanlineSegments)
{
    struct Case {
        const char* name;
        int32_t width;
        std::vector<std::pair<int32_t, int32_t>> runs;
        bool segment;
        int32_t firstX, lastX;
    };
    const std::vector<Case> cases = {
        {"run of exactly 55 is short", 300, {{10, 65}}, false, 0, 0},
        {"run of 56 is long", 300, {{10, 66}}, true, 10, 65},
        {"run to the last pixel is not closed", 300, {{200, 300}}, false, 0, 0},
        {"closed run then an open one", 300, {{10, 100}, {150, 300}}, true, 10, 99},
        {"two long runs around text", 400, {{5, 100}, {110, 113}, {120, 124}, {130, 250}}, true, 5, 249},
        {"short runs before and after", 400, {{0, 20}, {40, 140}, {160, 170}}, true, 40, 139},
        {"run across a word boundary", 200, {{60, 130}}, true, 60, 129},
        {"run starting at pixel 0", 200, {{0, 64}}, true, 0, 63},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resetTablesToStart();
        installPage(rowPage(c.width, c.runs));
        run.host.logLines.clear();
        run.engine.MinRunLength = 55;
        run.engine.ScanRowRuns(4);
        ASSERT_EQ(Reco.Segments.Count, c.segment ? 1 : 0);
        if (!c.segment) {
            EXPECT_TRUE(run.host.logLines.empty());
            continue;
        }
        EXPECT_EQ(Reco.Segments[1], (Segment{4, c.firstX, c.lastX}));
        ASSERT_EQ(run.host.logLines.size(), 1u);
        EXPECT_EQ(run.host.logLines[0], "4 " + std::to_string(c.firstX) + " " + std::to_string(c.lastX) + " " +
                                            std::to_string(c.lastX - c.firstX));
    }
}

TEST_F(LineFinder, ScanlineAgreesWithAPixelWalk)
{
    // The word-at-a-time scan against the pixel-by-pixel walk through GetPix,
    // on random rows of both polarities.
    std::mt19937 rng(8);
    for (int trial = 0; trial < 300; ++trial) {
        const int32_t width = 1 + static_cast<int32_t>(rng() % 700);
        MonoPage p = blankPage(width, 3);
        for (int32_t x = 0; x < width;) {
            const int32_t len = 1 + static_cast<int32_t>(rng() % 120);
            if (rng() % 2)
                drawBar(p, x, std::min(width, x + len) - 1, 1, 1);
            x += len;
        }
        if (trial % 3 == 0)
            for (auto& b : p.bits)
                b = static_cast<uint8_t>(~b);
        resetTablesToStart();
        installPage(p);
        const int32_t minRun = static_cast<int32_t>(rng() % 80);
        // The walk of the description: runs closed by a background pixel.
        bool opened = false;
        Segment expect;
        int32_t len = 0, start = 0;
        for (int32_t x = 0; x < width; ++x) {
            if (GetPix(x, 1)) {
                if (len == 0)
                    start = x;
                ++len;
            } else {
                if (len > minRun) {
                    if (!opened)
                        expect = Segment{1, start, 0};
                    opened = true;
                    expect.LastX = x - 1;
                }
                len = 0;
            }
        }
        run.engine.MinRunLength = minRun;
        run.engine.ScanRowRuns(1);
        ASSERT_EQ(Reco.Segments.Count, opened ? 1 : 0) << "trial " << trial;
        if (opened) {
            ASSERT_EQ(Reco.Segments[1], expect) << "trial " << trial;
        }
    }
}
