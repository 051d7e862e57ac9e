// The preparation driver end to end on drawn boards: the rectangle, the
// corners, the empty-point passes, the outcomes and their messages.
#include "common/BoardDrawing.h"
#include "common/TestPage.h"
#include "model/PackedPage.h"
#include "prepare/PrepareEngine.h"
#include "prepare/RecordingHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace quon;
using namespace quon::test;

namespace {

class PrepareDriver : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        Reco.BoardLineCount = 19;
        setWindow(DiagramRect{1, 1, 19, 19});
        Reco.DiagramType = DiaGameRecord;
        // Cells as wide as high: the line finder takes narrower ones for
        // square (see the test of that case below).
        style.pitchX = 46;
    }

    void setWindow(DiagramRect w)
    {
        Reco.DiagramWindow = w;
        Reco.DiagramWindowSize = DiagramSize{w.Right - w.Left + 1, w.Bottom - w.Top + 1};
    }

    // Installs the page and starts the diagram as the Prepare command does.
    void start(const MonoPage& page, bool keepCorners = false)
    {
        installPage(page);
        resetGridForNewDiagram(keepCorners);
    }

    BC& pt(int32_t c, int32_t r) { return Reco.GridPoints[c][r]; }

    int count(int16_t typ) const
    {
        int n = 0;
        const DiagramRect w = Reco.DiagramWindow;
        for (int32_t c = w.Left; c <= w.Right; ++c)
            for (int32_t r = w.Top; r <= w.Bottom; ++r)
                n += Reco.GridPoints[c][r].Typ == typ;
        return n;
    }

    BoardStyle style;
    RecordingHost host;
};

} // namespace

TEST_F(PrepareDriver, EmptyBoardBecomesAGridOfEmptyCrossings)
{
    start(drawBoard(style));
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(engine.LastOutcome, PrepareOutcome::Success);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Reco.CellPitchX, style.pitchX);
    EXPECT_EQ(Reco.CellPitchY, style.pitchY);
    EXPECT_EQ(engine.CornersFound, 4);
    EXPECT_EQ(count(TypEmpty), 361);
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r) {
            SCOPED_TRACE(c * 100 + r);
            EXPECT_NEAR(pt(c, r).Coord.X, pointX(style, c), 2);
            EXPECT_NEAR(pt(c, r).Coord.Y, pointY(style, r), 2);
        }
    // No stones: learning finds nothing and one iteration finishes.
    EXPECT_EQ(host.labels[2], "Finalization # 2");
    EXPECT_FALSE(host.progressVisible);
}

TEST_F(PrepareDriver, CornerDecisionByMatchedCorners)
{
    // Codes: top-left 1, top-right 2, bottom-left 3, bottom-right 4.
    struct Case {
        int32_t found, sum;
        bool hand;
        CornerVerdict want;
    } cases[] = {
        {0, 0, false, CornerVerdict::Ask},  {1, 1, false, CornerVerdict::Stop}, {2, 4, false, CornerVerdict::Stop},
        {2, 6, false, CornerVerdict::Stop}, {2, 3, false, CornerVerdict::Ask},  {2, 7, false, CornerVerdict::Ask},
        {2, 5, false, CornerVerdict::Ask},  {3, 8, false, CornerVerdict::Ask},  {4, 10, false, CornerVerdict::Go},
        {0, 0, true, CornerVerdict::Go},    {1, 1, true, CornerVerdict::Go},    {2, 4, true, CornerVerdict::Go},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.found << " " << c.sum << " " << c.hand);
        EXPECT_EQ(PrepareEngine::cornerVerdict(c.found, c.sum, c.hand), c.want);
    }
    EXPECT_EQ(prepmsg::tooFewCorners(2), "Too few (2) corners found.");
    EXPECT_EQ(prepmsg::tooFewCornersQuestion(0), "Too few (0) corners found. Continue recognizing?");
}

TEST_F(PrepareDriver, NarrowCellsAreTakenForSquare)
{
    // Cells 7 % taller than wide, as printed boards are, keep their width
    // and every corner is found.
    style.pitchX = 43;
    {
        start(drawBoard(style));
        PrepareEngine engine(host);
        EXPECT_TRUE(engine.PrepareDiagram());
        EXPECT_EQ(Reco.CellPitchX, 43);
        EXPECT_EQ(engine.CornersFound, 4);
        EXPECT_NEAR(pt(19, 1).Coord.X, pointX(style, 19), 2);
    }
    // Cells 15 % narrower than high: the line finder lays square cells, so
    // the right corners are probed beside the board, where no corner shows,
    // and the run stops on the two left ones.
    style.pitchX = 40;
    start(drawBoard(style));
    PrepareEngine engine(host);
    EXPECT_FALSE(engine.PrepareDiagram());
    EXPECT_EQ(Reco.CellPitchX, Reco.CellPitchY);
    EXPECT_EQ(engine.BoardRect.Right, engine.BoardRect.Left + 18 * Reco.CellPitchY);
    EXPECT_EQ(pt(1, 1).PatternConf, 100);
    EXPECT_EQ(engine.CornersFound, 2);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back(), prepmsg::tooFewCorners(2));
}

TEST_F(PrepareDriver, FailuresShowTheirMessage)
{
    {
        SCOPED_TRACE("blank page");
        start(blankPage(1000, 1000));
        OptionsSnapshot o;
        o.seNDia = 3;
        PrepareEngine engine(host, o);
        EXPECT_FALSE(engine.PrepareDiagram());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], linemsg::NoLines);
        EXPECT_TRUE(engine.LowerDiagramNumber);
        EXPECT_EQ(engine.options.seNDia, 2);
    }
    // Hand-pointed corners out of order or too close are refused before
    // any window is cut from them.
    struct Case {
        const char* name;
        IntPoint tl, br;
    } cases[] = {
        {"right of left swapped", {900, 60}, {60, 900}},
        {"bottom above top", {60, 900}, {900, 60}},
        {"pitch 20", {60, 60}, {60 + 18 * 20, 60 + 18 * 20}},
        {"pitch 150", {60, 60}, {60 + 18 * 150, 60 + 18 * 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        resetGridForNewDiagram(false);
        Reco.CornersPointed = 1;
        pt(1, 1).Coord = c.tl;
        pt(19, 1).Coord = IntPoint{c.br.X, c.tl.Y};
        pt(1, 19).Coord = IntPoint{c.tl.X, c.br.Y};
        pt(19, 19).Coord = c.br;
        PrepareEngine engine(host);
        EXPECT_FALSE(engine.PrepareDiagram());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], prepmsg::BadHandCorners);
        EXPECT_FALSE(engine.LowerDiagramNumber);
    }
}

TEST_F(PrepareDriver, HandPointedCornersGiveTheRectangle)
{
    style.pitchX = 44; // the line finder would make these square; the hand does not
    start(drawBoard(style), true);
    Reco.CornersPointed = 1;
    const int32_t l = pointX(style, 1), t = pointY(style, 1), r = pointX(style, 19), b = pointY(style, 19);
    // Top: the truncated mean of t and t + 1; the bottom-left X unset (0):
    // the left side takes the top-left's alone.
    pt(1, 1).Coord = IntPoint{l, t};
    pt(19, 1).Coord = IntPoint{r, t + 1};
    pt(1, 19).Coord = IntPoint{0, b};
    pt(19, 19).Coord = IntPoint{r, b};
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.BoardRect, (PixelRect{l, t, r, b}));
    EXPECT_EQ(Reco.CellPitchX, 44);
    EXPECT_EQ(Reco.CellPitchY, 46);
    EXPECT_TRUE(Reco.Segments.Count == 0) << "the line finder ran";
    EXPECT_EQ(count(TypEmpty), 361);
}

TEST_F(PrepareDriver, CancelAfterTheFirstRowEndsTheRun)
{
    start(drawBoard(style));
    host.cancelAtPump = 1;
    PrepareEngine engine(host);
    EXPECT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(engine.LastOutcome, PrepareOutcome::Cancelled);
    EXPECT_EQ(Reco.CancelFlag, 1);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.labels[1], "Line = 1");
    // The first row was examined, the second not.
    EXPECT_EQ(pt(10, 1).Typ, TypEmpty);
    EXPECT_EQ(pt(10, 2).Typ, TypUndecided);
}

namespace {

// A clock that has moved on by 2350 ms when the run ends.
class TimedHost : public RecordingHost {
  public:
    uint32_t ticks() override
    {
        const uint32_t t = next;
        next = 0xFFFFFF00u + 2350u; // across the wrap of the counter
        return t;
    }
    uint32_t next = 0xFFFFFF00u;
};

} // namespace

TEST_F(PrepareDriver, PreparationTimeInTenthsOfASecond)
{
    start(drawBoard(style));
    TimedHost timed;
    PrepareEngine engine(timed);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(Reco.PreparationTime, 23);
}

TEST_F(PrepareDriver, StopRequestLeftFromEarlierRunIsReset)
{
    start(drawBoard(style));
    Reco.DebugRunState = 2;
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(Reco.DebugRunState, 1);
    EXPECT_EQ(count(TypEmpty), 361);
}

TEST_F(PrepareDriver, StaticStonesPossibleByTypeDiagramAndHandicap)
{
    struct Case {
        int16_t type;
        int32_t done, handicap;
        uint8_t want;
    } cases[] = {
        {DiaGameRecord, 0, 0, 0}, {DiaGameRecord, 0, 1, 0},     {DiaGameRecord, 0, 2, 1}, {DiaGameRecord, 1, 0, 1},
        {DiaPosition, 0, 0, 1},   {DiaStonesAndMoves, 0, 0, 1}, {DiaAuto, 0, 0, 1},
    };
    const MonoPage page = drawBoard(style);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.done << " " << c.handicap);
        start(page);
        Reco.DiagramType = c.type;
        Reco.DiagramsDone = c.done;
        OptionsSnapshot o;
        o.seHandicap = c.handicap;
        PrepareEngine engine(host, o);
        ASSERT_TRUE(engine.PrepareDiagram());
        EXPECT_EQ(Reco.StaticStonesPossible, c.want);
    }
}

TEST_F(PrepareDriver, StonesOfTheLaterPassesByDiagramType)
{
    style.ring = 3;
    MonoPage page = drawBoard(style);
    drawStone(page, style, 4, 4, 1, false);
    drawStone(page, style, 7, 12, 2, false);
    drawStone(page, style, 16, 3, 1, false);
    {
        // A position ends after the empty-point passes, whose stone check
        // has made plain stones of the colours it decided.
        SCOPED_TRACE("position");
        start(page);
        Reco.DiagramType = DiaPosition;
        PrepareEngine engine(host);
        ASSERT_TRUE(engine.PrepareDiagram());
        EXPECT_EQ(host.labels[2], "Looking for empty points");
        EXPECT_EQ(pt(4, 4).Typ, TypBlackStatic);
        EXPECT_EQ(pt(16, 3).Typ, TypBlackStatic);
        EXPECT_EQ(pt(7, 12).Typ, TypWhiteStatic);
        EXPECT_EQ(pt(4, 4).PatternConf, 90);
        EXPECT_EQ(pt(4, 4).Est, 80);
        EXPECT_EQ(count(TypEmpty), 358);
    }
    // The other types learn and iterate on to the stones' colours.
    for (int16_t type : {DiaStonesAndMoves, DiaGameRecord}) {
        SCOPED_TRACE(type);
        start(page);
        Reco.DiagramType = type;
        Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{};
        PrepareEngine engine(host);
        ASSERT_TRUE(engine.PrepareDiagram());
        EXPECT_EQ(pt(4, 4).Typ % 2, 1);
        EXPECT_EQ(pt(16, 3).Typ % 2, 1);
        EXPECT_EQ(pt(7, 12).Typ % 2, 0);
        EXPECT_GT(pt(7, 12).Typ, 0);
        EXPECT_EQ(count(TypEmpty), 358);
    }
}

TEST_F(PrepareDriver, StoneOnACornerBecomesAPlainStoneOnTheRectangle)
{
    MonoPage page = drawBoard(style);
    drawStone(page, style, 1, 1, 1, false);
    // The stone widens the line finder's rows; the corners pointed by hand
    // give the rectangle, and with them no corner message is shown.
    start(page, true);
    Reco.CornersPointed = 1;
    pt(1, 1).Coord = IntPoint{pointX(style, 1), pointY(style, 1)};
    pt(19, 19).Coord = IntPoint{pointX(style, 19), pointY(style, 19)};
    // A position, so that the run ends with the corner as the corner stage
    // left it.
    Reco.DiagramType = DiaPosition;
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.CornersFound, 3);
    EXPECT_EQ(pt(1, 1).Typ, TypBlackStatic);
    EXPECT_EQ(pt(1, 1).Est, 80);
    EXPECT_EQ(pt(1, 1).PatternConf, 90);
    EXPECT_EQ(pt(1, 1).Coord, (IntPoint{engine.BoardRect.Left, engine.BoardRect.Top}));
}

namespace {

// The page turned by `degrees` about its centre (positive turns the right
// side up), as a scanner leaves a page laid slightly askew.
struct TurnedPage {
    MonoPage page;
    double cx = 0, cy = 0, cosA = 1, sinA = 0;
    IntPoint at(double x, double y) const
    {
        const double dx = x - cx, dy = y - cy;
        return IntPoint{static_cast<int32_t>(std::lround(cx + dx * cosA + dy * sinA)),
                        static_cast<int32_t>(std::lround(cy - dx * sinA + dy * cosA))};
    }
};

TurnedPage turn(const MonoPage& src, double degrees)
{
    TurnedPage t;
    t.page = blankPage(src.width, src.height);
    t.cx = src.width / 2.0;
    t.cy = src.height / 2.0;
    t.cosA = std::cos(degrees * 3.14159265358979 / 180);
    t.sinA = std::sin(degrees * 3.14159265358979 / 180);
    // Each pixel of the turned page from the source pixel it came from.
    for (int32_t y = 0; y < src.height; ++y)
        for (int32_t x = 0; x < src.width; ++x) {
            const double dx = x - t.cx, dy = y - t.cy;
            const int32_t sx = static_cast<int32_t>(std::lround(t.cx + dx * t.cosA - dy * t.sinA));
            const int32_t sy = static_cast<int32_t>(std::lround(t.cy + dx * t.sinA + dy * t.cosA));
            if (sx >= 0 && sy >= 0 && sx < src.width && sy < src.height && src.black(sx, sy))
                t.page.set(x, y, true);
        }
    return t;
}

} // namespace

TEST_F(PrepareDriver, TurnedPageGetsAGridAlongItsSkew)
{
    // Turned by about a degree either way, a level grid is a third of a
    // pitch off at the far side and the board patterns miss two corners.
    style.thin = 2;
    style.edge = 3;
    for (double degrees : {0.9, -0.9, 0.4}) {
        SCOPED_TRACE(degrees);
        resetTablesToStart();
        Reco.BoardLineCount = 19;
        setWindow(DiagramRect{1, 1, 19, 19});
        Reco.DiagramType = DiaGameRecord;
        host.messages.clear();
        const TurnedPage turned = turn(drawBoard(style), degrees);
        start(turned.page);
        PrepareEngine engine(host);
        ASSERT_TRUE(engine.PrepareDiagram()) << (host.messages.empty() ? "" : host.messages.back());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_NEAR(engine.BoardSkew, -std::tan(degrees * 3.14159265358979 / 180), 0.002);
        EXPECT_EQ(engine.CornersFound, 4);
        EXPECT_EQ(count(TypEmpty), 361);
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r) {
                SCOPED_TRACE(c * 100 + r);
                const IntPoint want = turned.at(pointX(style, c), pointY(style, r));
                EXPECT_NEAR(pt(c, r).Coord.X, want.X, 2);
                EXPECT_NEAR(pt(c, r).Coord.Y, want.Y, 2);
            }
    }
}

TEST_F(PrepareDriver, DustIsTakenOffTheBoardButNothingPrinted)
{
    MonoPage page = drawBoard(style);
    // Blots of 1 to 5 pixels in the open cells and close beside crossings.
    std::vector<IntPoint> blots;
    for (int32_t c = 2; c <= 18; c += 2)
        for (int32_t r = 2; r <= 18; r += 3) {
            const int32_t size = 1 + (c + r) % 5;
            const IntPoint at{pointX(style, c) + 8 + (r % 3) * 6, pointY(style, r) + 8 + (c % 4) * 4};
            fillEllipse(page, at.X, at.Y, size, size, true);
            blots.push_back(at);
        }
    // A white stone whose thin ring a coarse scan broke into dashes: the
    // dashes are as small as blots but lie close together.
    drawStone(page, style, 5, 15, 2, false);
    std::vector<IntPoint> dashes;
    for (int32_t x = pointX(style, 5) - style.pitchX / 2; x <= pointX(style, 5) + style.pitchX / 2; ++x)
        for (int32_t y = pointY(style, 15) - style.pitchY / 2; y <= pointY(style, 15) + style.pitchY / 2; ++y)
            if (page.black(x, y)) {
                if ((x + y) % 4 == 0)
                    page.set(x, y, false); // the gaps between the dashes
                else
                    dashes.push_back(IntPoint{x, y});
            }
    // A black stone with a digit's loop printed white on it: the ink in the
    // loop is as small and alone as a blot, but it is the loop's hole.
    drawStone(page, style, 12, 9, 1, false);
    const IntPoint loop{pointX(style, 12), pointY(style, 9) - 5};
    fillEllipse(page, loop.X, loop.Y, 14, 13, false);
    fillEllipse(page, loop.X, loop.Y, 5, 4, true);
    start(page);
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    for (const IntPoint& p : blots)
        EXPECT_EQ(GetPix(p.X, p.Y), 0) << p.X << "," << p.Y;
    EXPECT_EQ(GetPix(loop.X, loop.Y), 1);
    int kept = 0;
    for (const IntPoint& p : dashes)
        kept += GetPix(p.X, p.Y);
    EXPECT_EQ(kept, static_cast<int>(dashes.size()));
    // Star points and lines stay.
    EXPECT_EQ(GetPix(pointX(style, 4), pointY(style, 4) + style.starRadius), 1);
    // Every crossing but the stone's is found empty.
    for (int32_t c = 1; c <= 19; ++c)
        for (int32_t r = 1; r <= 19; ++r)
            if ((c != 5 || r != 15) && (c != 12 || r != 9)) {
                EXPECT_EQ(pt(c, r).Typ, TypEmpty) << c << "," << r;
            }
}

TEST_F(PrepareDriver, TheFirstGridLiesOnTheLinesOfAFractionalPitch)
{
    // Lines 45.8 px apart: the pitch is taken as 46 px (to the nearest
    // pixel, so that stone windows cut from it hold the whole stone), and a
    // grid stepped by whole pitches from the top-left corner would end 4 px
    // beyond the last line (14 px short of it with a truncated pitch), too
    // far for the checks on a dense diagram, where stones hide most
    // crossings, to win back. Found by the line finder or pointed by hand,
    // the first grid lies on every line.
    const double pitch = 45.8;
    const int32_t margin = 60;
    auto at = [&](int32_t i) { return margin + static_cast<int32_t>(std::lround((i - 1) * pitch)); };
    MonoPage page = blankPage(at(19) + margin, at(19) + margin);
    for (int32_t i = 1; i <= 19; ++i) {
        const int32_t t = i == 1 || i == 19 ? 2 : 1, lo = i == 1 ? at(i) - 1 : at(i);
        drawBar(page, lo, lo + t - 1, margin - 1, at(19) + 1);
        drawBar(page, margin - 1, at(19) + 1, lo, lo + t - 1);
    }
    for (const bool hand : {false, true}) {
        SCOPED_TRACE(hand ? "pointed by hand" : "found");
        start(page, hand);
        Reco.CornersPointed = hand ? 1 : 0;
        if (hand)
            for (int32_t c : {1, 19})
                for (int32_t r : {1, 19})
                    pt(c, r).Coord = IntPoint{at(c), at(r)};
        PrepareEngine engine(host);
        ASSERT_TRUE(engine.boardRectAndFirstGrid());
        EXPECT_EQ(Reco.CellPitchY, 46);
        int32_t worst = 0;
        for (int32_t c = 1; c <= 19; ++c)
            for (int32_t r = 1; r <= 19; ++r)
                worst = std::max({worst, std::abs(pt(c, r).Coord.X - at(c)), std::abs(pt(c, r).Coord.Y - at(r))});
        EXPECT_LE(worst, 1);
    }
}

TEST_F(PrepareDriver, HeavyInkKeepsCrossingsEmptyAndBlackStonesBlack)
{
    // A page printed with heavier ink: every mark a pixel wider on each
    // side, so the inner lines are 3 px thick, the edges 4, and a black
    // stone's window holds more ink than a plain disc drawn with one-pixel
    // lines. Empty crossings are darker than such a page's, and the solid
    // black windows pass the ink level of a plain stone: without levels
    // taken from the page's lines, empty crossings became white stones and
    // black stones were left undecided.
    style.pitchX = 37;
    style.pitchY = 39;
    style.stonePercent = 100;
    style.ring = 2;
    MonoPage page = drawBoard(style);
    std::vector<std::pair<int32_t, int32_t>> black, white;
    for (int32_t c = 3; c <= 17; ++c) {
        for (int32_t r : {3, 4, 7, 8})
            black.push_back({c, r});
        white.push_back({c, 13});
    }
    for (const auto& [c, r] : black)
        drawStone(page, style, c, r, 1, (c + r) % 3 == 0);
    for (const auto& [c, r] : white)
        drawStone(page, style, c, r, 2, c % 3 == 0);
    MonoPage heavy = page;
    for (int32_t y = 1; y + 1 < page.height; ++y)
        for (int32_t x = 1; x + 1 < page.width; ++x)
            if (page.black(x, y))
                for (int32_t dy = -1; dy <= 1; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx)
                        heavy.set(x + dx, y + dy, true);
    start(heavy);
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(engine.LineThickness, 3);
    int wrong = 0;
    for (const auto& [c, r] : black)
        wrong += pt(c, r).Typ <= 0 || pt(c, r).Typ % 2 != 1;
    for (const auto& [c, r] : white)
        wrong += pt(c, r).Typ <= 0 || pt(c, r).Typ % 2 != 0;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(count(TypEmpty), 361 - static_cast<int>(black.size() + white.size()));
}

TEST_F(PrepareDriver, TwoPixelLinesAtAWidePitchAreThinLines)
{
    // At 400 dpi a thin line is drawn 1 or 2 px wide and the pitch is 60
    // or more: the centre cell of a crossing (a seventh of the window)
    // holds more ink than the fixed level of a thick line there while the
    // one-pixel arms read as blank, so every crossing looked darker than its
    // template and stayed undecided. A crossing of the page's own thin
    // lines is no thick line.
    style.pitchX = 66;
    style.pitchY = 66;
    style.edge = 3;
    style.starRadius = 4;
    MonoPage page = drawBoard(style);
    for (int32_t r = 2; r < 19; ++r)
        drawBar(page, pointX(style, 1), pointX(style, 19), pointY(style, r) + 1, pointY(style, r) + 1);
    drawStone(page, style, 5, 5, 1, true);
    drawStone(page, style, 12, 9, 2, true);
    start(page);
    PrepareEngine engine(host);
    ASSERT_TRUE(engine.PrepareDiagram());
    EXPECT_EQ(count(TypEmpty), 359);
    EXPECT_EQ(pt(5, 5).Typ % 2, 1);
    EXPECT_EQ(pt(12, 9).Typ % 2, 0);
    EXPECT_GT(pt(12, 9).Typ, 0);
}
