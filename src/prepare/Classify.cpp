// The stone window of a point, the point's state (empty, black, white) and
// the ink level that separates black stones from white ones.
//
// A black stone is a solid disc with a white number, a white stone a ring
// with a black number, so the ink of the stone window splits them; where the
// ink is close to the split, the ink across the top and bottom of the
// window's middle columns (the ring of a white stone is thin there) decides.
#include "prepare/PrepareEngine.h"
#include "prepare/WindowFeatures.h"

#include <algorithm>
#include <cstdlib>

namespace quon {

namespace {

// Black for Typ 1, 3, 5; white for everything else (0 and -1 included).
int colourOfTyp(int16_t typ) { return typ > 0 && typ % 2 == 1 ? 1 : 2; }

bool inWindow(int32_t x, int32_t y)
{
    const DiagramRect& w = Reco.DiagramWindow;
    return x >= w.Left && x <= w.Right && y >= w.Top && y <= w.Bottom;
}

bool onBoard(int32_t x, int32_t y) { return x >= 1 && x <= 19 && y >= 1 && y <= 19; }

// The cell side along one axis from the positions of the neighbours: the
// distance to the next point at the window's first line, to the previous
// one at its last line, half the distance between both elsewhere. A side
// without a neighbour on the board takes the other side.
int32_t sideFromNeighbours(int32_t at, int32_t first, int32_t last, const auto& pos)
{
    const bool hasNext = at + 1 <= 19, hasPrev = at - 1 >= 1;
    if ((at == first || !hasPrev) && hasNext)
        return pos(at + 1) - pos(at) - 1;
    if ((at == last || !hasNext) && hasPrev)
        return pos(at) - pos(at - 1) - 1;
    if (hasNext && hasPrev)
        return (pos(at + 1) - pos(at - 1) - 1) / 2;
    return 0;
}

int32_t clampIndex(int32_t i, int32_t n) { return std::clamp(i, 1, std::max(1, n)); }

// Windows smaller than this cannot carry the edge columns the
// classification reads.
constexpr int32_t MinClassifySide = 24;

} // namespace

// Whether the stone window `size` at `origin` shows the thin ring of a white
// stone without a number: no ink in its middle third, ink near each of its
// four sides across the middle, and no straight line running along a side
// (the window of an empty cell placed between the lines has a blank middle
// too, but the lines cross it from edge to edge). The window is looked at
// with a margin of an eighth of its size, as a printed ring can be a little
// larger than the cell.
bool PrepareEngine::LooksLikeRing(IntSize size, IntPoint origin, bool numbered)
{
    const int32_t mx = std::max(2, size.Width / 8), my = std::max(2, size.Height / 8);
    const int32_t w = size.Width + 2 * mx, h = size.Height + 2 * my;
    if (!CutWindowFeatures(IntSize{w, h}, IntPoint{origin.X - mx, origin.Y - my}, &host))
        return false;
    const WindowWorkingSet& s = Win;
    auto inked = [&](int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
        for (int32_t x = std::max(1, x0); x <= std::min(w, x1); ++x)
            for (int32_t y = std::max(1, y0); y <= std::min(h, y1); ++y)
                if (s.CutWindow[x][y] > 0)
                    return true;
        return false;
    };
    const int32_t cw = size.Width, ch = size.Height;
    if (inked(mx + cw / 3 + 1, mx + 2 * cw / 3, my + ch / 3 + 1, my + 2 * ch / 3) != numbered)
        return false;
    const int32_t bx = mx + cw / 4, by = my + ch / 4;
    const int32_t midX0 = mx + cw / 3, midX1 = mx + 2 * cw / 3 + 1;
    const int32_t midY0 = my + ch / 3, midY1 = my + 2 * ch / 3 + 1;
    if (!inked(1, bx, midY0, midY1) || !inked(w - bx + 1, w, midY0, midY1) || !inked(midX0, midX1, 1, by) ||
        !inked(midX0, midX1, h - by + 1, h))
        return false;
    for (int32_t i = 1; i <= w; ++i)
        if (s.ColumnInk[i] > 75)
            return false;
    for (int32_t j = 1; j <= h; ++j)
        if (s.RowInk[j] > 75)
            return false;
    return true;
}

void PrepareEngine::StoneRect(int32_t x, int32_t y)
{
    BC& p = Reco.GridPoints[x][y];
    const StoneSize& learned = Reco.StoneSizes[colourOfTyp(p.Typ)];
    IntSize size;
    if (learned.Width > 0) {
        size = IntSize{learned.Width / 100, learned.Height / 100};
    } else {
        const DiagramRect& win = Reco.DiagramWindow;
        size.Width = p.Size.Width != 0 ? p.Size.Width : sideFromNeighbours(x, win.Left, win.Right, [&](int32_t c) {
            return Reco.GridPoints[c][y].Coord.X;
        });
        size.Height = p.Size.Height != 0 ? p.Size.Height : sideFromNeighbours(y, win.Top, win.Bottom, [&](int32_t r) {
            return Reco.GridPoints[x][r].Coord.Y;
        });
        p.Size = size;
    }
    ProbeSize = size;
    ProbePoint = IntPoint{p.Coord.X - size.Width / 2, p.Coord.Y - size.Height / 2};
    if (options.cbTypSource == StonesJapanese) {
        p.StoneWidth = size.Width * 95 / 100;
        p.StoneHeight = size.Height * 95 / 100;
    }
}

void PrepareEngine::FillCellSize(int32_t x, int32_t y)
{
    BC& p = Reco.GridPoints[x][y];
    static constexpr int Around[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
    auto mean = [&](auto side, int32_t fallback) {
        int32_t sum = 0, n = 0;
        for (const auto& d : Around) {
            const int32_t nx = x + d[0], ny = y + d[1];
            if (!onBoard(nx, ny) || !inWindow(nx, ny))
                continue;
            const int32_t v = side(Reco.GridPoints[nx][ny].Size);
            if (v > 0) {
                sum += v;
                ++n;
            }
        }
        return n > 0 ? sum / n : fallback;
    };
    if (p.Size.Width == 0)
        p.Size.Width = mean([](const IntSize& s) { return s.Width; }, Reco.CellPitchX);
    if (p.Size.Height == 0)
        p.Size.Height = mean([](const IntSize& s) { return s.Height; }, Reco.CellPitchY);
}

int32_t PrepareEngine::InkSplitOf(std::vector<int32_t> inks)
{
    std::sort(inks.begin(), inks.end());
    const int32_t n = static_cast<int32_t>(inks.size());
    int32_t histogram[101] = {};
    for (const int32_t v : inks)
        ++histogram[std::clamp(v, 0, 100)];
    int32_t lo, hi;
    if (n > 100) {
        lo = n * 45 / 100;
        hi = n * 55 / 100;
    } else if (n > 10) {
        lo = n * 47 / 100;
        hi = n * 53 / 100;
    } else {
        lo = n / 2;
        hi = n / 2 + 1;
    }
    int32_t cumulative = 0;
    for (int b = 0; b < 5; ++b)
        cumulative += histogram[b];
    int32_t gaps = 0, gapSum = 0;
    for (int b = 5; b <= 100; ++b) {
        cumulative += histogram[b];
        if (histogram[b] == 0) {
            if (cumulative > lo && cumulative < hi) {
                ++gaps;
                gapSum += b;
            }
        } else if (gaps > 1) {
            break;
        }
    }
    if (gaps > 20)
        return gapSum / gaps; // the middle of the gap
    if (gaps > 10) {
        // The entry just above the middle of the sorted list (1-based n/2+1).
        const int32_t m = inks[static_cast<size_t>(n / 2)];
        return (m + m) / 2;
    }
    return 50;
}

void PrepareEngine::SortNumberedStones()
{
    const DiagramRect& win = Reco.DiagramWindow;
    std::vector<int32_t> inks;
    inks.reserve(361);
    for (int32_t y = win.Top; y <= win.Bottom; ++y)
        for (int32_t x = win.Left; x <= win.Right; ++x) {
            if (!onBoard(x, y) || Reco.GridPoints[x][y].Typ == TypEmpty)
                continue;
            StoneRect(x, y);
            // A window without features has no ink to count.
            if (!CutWindowFeatures(ProbeSize, ProbePoint, &host))
                continue;
            if (Win.WindowInkCount > 3 && inks.size() < 361)
                inks.push_back(Win.WindowInkCount);
        }
    InkSplit = InkSplitOf(std::move(inks));
}

int32_t PrepareEngine::SolidInkLevel(int32_t lineThickness, int32_t side)
{
    // A plain disc fills about 85 % of its window where the lines are one
    // pixel thick. Heavier ink spreads every mark by half of what a line
    // has beyond that pixel on each side: around the disc's rim (pi times
    // the side) that is 157 (t - 1) / side percent more of the window, and
    // a numbered black stone's white digits shrink by as much.
    if (lineThickness <= 1 || side <= 0)
        return 85;
    return std::min(97, 85 + 157 * (lineThickness - 1) / side);
}

int16_t PrepareEngine::DecideStone(int32_t I, int32_t S, int32_t E, int32_t D, bool staticStones, int32_t solid)
{
    if (staticStones && E > 70 && I <= S / 4)
        return TypWhiteStatic;
    if (staticStones && E > 70 && I > 80)
        return TypBlackStatic;
    if (I <= S / 4)
        return E > 75 ? TypWhiteStatic : TypUndecided;
    if (I > solid)
        return E > 80 ? TypBlackStatic : TypUndecided;
    if (I < S * 86 / 100)
        return TypWhiteNumbered;
    if (I > S * 114 / 100)
        return TypBlackNumbered;
    if ((S * 85 / 100 < I && I < S * 96 / 100) || (S * 104 / 100 < I && I < S * 115 / 100))
        return D < 25 ? TypWhiteNumbered : D > 89 ? TypBlackNumbered : TypColourUndecided;
    return D < 38 ? TypWhiteNumbered : D > 50 ? TypBlackNumbered : TypColourUndecided;
}

void PrepareEngine::ClassifyPoint()
{
    const int32_t cx = Reco.CurPointX, cy = Reco.CurPointY;
    StoneRect(cx, cy);
    BC& p = Reco.GridPoints[cx][cy];
    if (p.Size.Width == 0)
        p.Size = ProbeSize;
    const int32_t w = ProbeSize.Width, h = ProbeSize.Height;
    // A window without features, or too small for the columns read below,
    // leaves the point undecided: nothing is read from another window.
    if (!CutWindowFeatures(ProbeSize, ProbePoint, &host) || w < MinClassifySide || h < MinClassifySide) {
        p.Typ = TypUndecided;
        return;
    }
    const int32_t I = Win.WindowInkCount;
    const int32_t S = InkSplit;
    const int32_t E = p.Est;
    const bool position = Reco.DiagramType == DiaPosition;
    int16_t state = TypUndecided;

    if (position) {
        if (E > 70) {
            p.Typ = I > S ? TypBlackStatic : TypWhiteStatic;
            return;
        }
        BC copy = p;
        if (CheckStone(copy, 1)) {
            p.Coord = copy.Coord;
            p.Size = copy.Size;
            p.Est = 80;
            p.PatternConf = 80;
            p.Typ = PlainStoneTyp(copy.Typ);
            return;
        }
        // The stone check measured its own windows: measure this one again.
        CutWindowFeatures(ProbeSize, ProbePoint, &host);
    }

    // Ink across the top and bottom of the middle columns, and in the
    // columns near the left and right sides.
    {
        // A white stone's outline is drawn as heavy as the lines: heavier
        // ink widens it inwards by half of what a line has beyond one
        // pixel, and the rows that look inside it move in as far.
        const int32_t in = std::max(0, LineThickness - 1) / 2;
        const int32_t rows[4] = {h / 11 + in, 10 * h / 11 - 1 - in, h / 11 + 1 + in, 10 * h / 11 - 2 - in};
        int32_t samples = 0, inked = 0;
        for (int32_t k = clampIndex(4 * w / 10, w); k <= clampIndex(6 * w / 10, w); ++k)
            for (const int32_t r : rows) {
                ++samples;
                inked += Win.CutWindow[k][clampIndex(r, h)] > 0;
            }
        p.DenLine = samples > 0 ? inked * 100 / samples : 0;
        p.DenLine1 = Win.ColumnInk[clampIndex(w / 12 - 1, w)] + Win.ColumnInk[clampIndex(w / 12, w)] +
                     Win.ColumnInk[clampIndex(11 * w / 12, w)] + Win.ColumnInk[clampIndex(11 * w / 12 + 1, w)];
        p.Denstone = I;
    }

    if (I < S * 4 / 10) {
        BC copy = p;
        copy.Size = ProbeSize;
        copy.Denstone = I;
        if (CheckBoardPat(PointKind(cx, cy), copy, 1) && copy.PatternConf == 100) {
            p = copy;
            return;
        }
        p.Denstone = Win.WindowInkCount;
        // No crossing there: a blank middle inside a ring is a white stone
        // drawn without a number, whatever the ink split says.
        if (LooksLikeRing(ProbeSize, ProbePoint)) {
            p.Typ = TypWhiteStatic;
            if (Reco.DiagramType == DiaGameRecord)
                p.PatternConf = std::abs(I - S) > 3 ? 95 : 80;
            return;
        }
    }

    if (position)
        state = E == 0 && p.Denstone < 30 ? TypWhiteStatic : TypUndecided;
    else
        state = DecideStone(I, S, E, p.DenLine, Reco.StaticStonesPossible != 0,
                            SolidInkLevel(LineThickness, std::min(w, h)));
    // Too little ink for the split and not yet confirmed: the ring of a
    // white stone around a short number (one narrow digit holds less ink
    // than the crossing lines) is a numbered white stone. So is one the ink
    // rule took for a plain white stone: a plain stone's middle is blank,
    // and a light one-digit number in a thin face holds no more ink than
    // the ring it sits in.
    if ((state == TypUndecided || (state == TypWhiteStatic && !position)) && I <= S / 4 &&
        LooksLikeRing(ProbeSize, ProbePoint, true))
        state = TypWhiteNumbered;

    p.Typ = state;
    if (Reco.DiagramType == DiaGameRecord)
        p.PatternConf = std::abs(I - S) > 3 ? 95 : 80;
}

} // namespace quon
