// Point kind, board-pattern check and stone check.
//
// Both checks reduce a window cut around the point to cell ink percentages
// (WindowFeatures), turn the cells into levels 0, 1, 2 by two thresholds
// (written back into the grids) and add up the differences to a template.
// The board-pattern check first snaps the window onto the printed lines by
// the column and row profiles; the stone check tries a few positions and
// sizes and keeps the best.
#include "prepare/PrepareEngine.h"
#include "prepare/WindowFeatures.h"

#include <algorithm>
#include <cstdlib>

namespace quon {

namespace {

// How dark a window of empty board may be for the first try, by line style.
int32_t darknessLimit(int32_t style)
{
    switch (style) {
    case DiaBrightThick:
        return 22;
    case DiaBrightVeryThin:
        return 10;
    default:
        return 15; // "Normal" and "Auto"
    }
}

int32_t styleOffset(int32_t style, int32_t thick, int32_t thin)
{
    return style == DiaBrightThick ? thick : style == DiaBrightVeryThin ? -thin : 0;
}

// Levels of the 3 x 5 zone grid against the middle three columns and five
// rows of the 7 x 7 template; the levels are written back.
int32_t zoneScore(int16_t kind, int32_t high, int32_t low)
{
    int32_t s = 0;
    for (int a = 1; a <= 3; ++a)
        for (int b = 1; b <= 5; ++b) {
            int32_t& cell = Win.ZoneGrid[a][b];
            cell = levelOf(cell, high, low);
            s += std::abs(cell - BoardPatterns[kind][b][a + 1]);
        }
    return s;
}

// The window pixel (0-based) the point stands on: the middle one, w / 2,
// which puts the snapped line on the pixel before it. The last cell of the
// 7 x 7 grid takes the remainder, so in a small window (27 pixels: cells of
// 3, the last of 9) that pixel lies in the fifth cell and the lines would
// miss the template's middle column; the point is then placed so that its
// line falls on the middle of the middle cell.
int32_t centrePixel(int32_t n)
{
    const int32_t cell = n / 7;
    const int32_t line = n / 2 - 1;
    if (cell == 0 || (line >= 3 * cell && line < 4 * cell))
        return n / 2;
    return 3 * cell + cell / 2 + 1;
}

// Turns the reduced grid into levels, written back.
void reducedLevels(int32_t high, int32_t low)
{
    for (int a = 1; a <= 7; ++a)
        for (int b = 1; b <= 7; ++b) {
            int32_t& cell = Win.ReducedGrid[a][b];
            cell = levelOf(cell, high, low);
        }
}

// The sum over all 49 cells (or only the ring) of |level - template|, with
// the cells of the reduced grid already turned into levels.
int32_t templateScore(const int8_t (&tpl)[7][7], bool ringOnly)
{
    int32_t s = 0;
    for (int a = 1; a <= 7; ++a)
        for (int b = 1; b <= 7; ++b)
            if (!ringOnly || isRingCell(a, b))
                s += std::abs(Win.ReducedGrid[a][b] - tpl[b - 1][a - 1]);
    return s;
}

// One axis of the snap: the cluster of the strongest profile entries, as a
// shift of the origin. `qualifies` says which entries the kind looks at.
// `anyOnAxis`: when no entry qualifies, any entry may show the point's line
// (a star point qualifies none by itself; a corner's short lines are taken
// where they are found). For an edge point no entry qualifies when a stone
// hides the stub that leaves the edge, and the edge line alone, the same
// all along, gives nothing to snap onto along the edge.
template <typename Qualifies>
int32_t snapShift(const WindowWorkingSet::Profile& ink, int32_t n, bool anyOnAxis, Qualifies qualifies)
{
    int32_t best = 0;
    for (int32_t i = 1; i <= n; ++i)
        if (qualifies(i))
            best = std::max(best, ink[i]);
    bool all = false;
    if (best == 0 && !anyOnAxis)
        return 0;
    if (best == 0) {
        all = true;
        for (int32_t i = 1; i <= n; ++i)
            best = std::max(best, ink[i]);
        // No ink on this axis at all: nothing to snap onto.
        if (best == 0)
            return 0;
    }
    int32_t sum = 0, count = 0;
    for (int32_t i = 1; i <= n; ++i) {
        if (!(all || qualifies(i)) || ink[i] <= 9 * best / 10)
            continue;
        if (sum == 0) {
            sum += i;
            ++count;
            continue;
        }
        const int32_t mean = sum / count;
        if (mean - 5 < i && i < mean + 5) {
            sum += i;
            ++count;
        } else if (count == 1) {
            sum = i;
            count = 1;
        }
    }
    if (count == 0)
        count = 1;
    return sum / count - centrePixel(n);
}

// Whether the window, snapped onto the point, shows the point's lines: each
// arm the pattern of `kind` has (left, right, up, down from the centre)
// needs ink near the centre line in at least two thirds of its pixels
// (columns of a horizontal arm, rows of a vertical one). A printed line runs
// through the whole arm; a window that slid half a pitch off between two
// rows of stones sees blank paper there, or the top of a white stone's
// ring, which covers only the middle of the window, and no template cell
// counts either as too dark.
bool armsSeen(int16_t kind, int32_t w, int32_t h)
{
    const int8_t(&tpl)[7][7] = BoardPatterns[kind];
    const int32_t cx = centrePixel(w) + 1, cy = centrePixel(h) + 1;
    const int32_t rx = std::max(1, w / 14), ry = std::max(1, h / 14);
    const int32_t x0 = std::max(1, cx - rx), x1 = std::min(w, cx + rx);
    const int32_t y0 = std::max(1, cy - ry), y1 = std::min(h, cy + ry);
    // Pixels a..b along the arm, each looking across the band c0..c1.
    auto arm = [](int32_t a, int32_t b, int32_t c0, int32_t c1, bool horizontal) {
        int32_t seen = 0;
        for (int32_t i = a; i <= b; ++i) {
            bool ink = false;
            for (int32_t j = c0; j <= c1 && !ink; ++j)
                ink = (horizontal ? Win.CutWindow[i][j] : Win.CutWindow[j][i]) > 0;
            seen += ink;
        }
        return b < a || 3 * seen >= 2 * (b - a + 1);
    };
    return (tpl[3][0] == 0 || arm(1, x0 - 1, y0, y1, true)) && (tpl[3][6] == 0 || arm(x1 + 1, w, y0, y1, true)) &&
           (tpl[0][3] == 0 || arm(1, y0 - 1, x0, x1, false)) && (tpl[6][3] == 0 || arm(y1 + 1, h, x0, x1, false));
}

} // namespace

int16_t PrepareEngine::PointKind(int32_t x, int32_t y)
{
    const int32_t n = Reco.BoardLineCount;
    if (y == 1)
        return x == 1 ? KindTopLeft : x == n ? KindTopRight : KindTop;
    if (y == n)
        return x == 1 ? KindBottomLeft : x == n ? KindBottomRight : KindBottom;
    if (x == n)
        return KindRight;
    if (x == 1)
        return KindLeft;
    if (std::abs(x - 4) % 6 == 0 && std::abs(y - 4) % 6 == 0)
        return KindStar;
    return KindCrossing;
}

void PrepareEngine::SnapToProfiles(int16_t kind, IntPoint& origin, IntSize size) const
{
    const int32_t w = size.Width, h = size.Height;
    const WindowWorkingSet& s = Win;
    const bool edge = kind == KindTop || kind == KindRight || kind == KindBottom || kind == KindLeft;
    origin.X += snapShift(s.ColumnInk, w, !edge, [&](int32_t i) {
        switch (kind) {
        case KindCrossing:
        case KindRight:
        case KindLeft:
            return true;
        case KindTopLeft:
        case KindTop:
        case KindTopRight:
            return s.ColumnInkCentre[i] > 54; // the line runs down from the point
        case KindBottomRight:
        case KindBottom:
        case KindBottomLeft:
            return s.ColumnInkCentre[i] < 46; // the line runs up to the point
        default:
            return false;
        }
    });
    origin.Y += snapShift(s.RowInk, h, !edge, [&](int32_t j) {
        switch (kind) {
        case KindCrossing:
        case KindTop:
        case KindBottom:
            return true;
        case KindTopRight:
        case KindRight:
        case KindBottomRight:
            return s.RowInkCentre[j] < 46; // the line comes from the left
        case KindTopLeft:
        case KindBottomLeft:
        case KindLeft:
            return s.RowInkCentre[j] > 54; // the line goes to the right
        default:
            return false;
        }
    });
}

bool PrepareEngine::checkBoardPatOnce(int16_t kind, BC& point, int32_t iteration)
{
    lastPatternSure_ = false;
    int32_t w = point.Size.Width, h = point.Size.Height;
    if (w == 0 && h == 0)
        return false;
    if (w == 0)
        w = h;
    if (h == 0)
        h = w;
    const IntSize size{w, h};
    IntPoint origin{point.Coord.X - (w - std::max(2, w / 30)) / 2 + (w / 2 - centrePixel(w)),
                    point.Coord.Y - (h - std::max(2, h / 30)) / 2 + (h / 2 - centrePixel(h))};
    // The size is checked before anything is divided by it; a window that
    // has no features matches nothing.
    if (!CutWindowFeatures(size, origin, &host))
        return false;
    point.Denstone = Win.WindowInkCount;

    const int32_t style = options.CBDiaBright;
    // Heavier ink than one-pixel lines darkens an empty window by the
    // extra width of its two lines across it.
    const int32_t heavier = std::max(0, LineThickness - 1);
    const int32_t dark = darknessLimit(style) + 100 * heavier * (w + h) / (w * h);
    if (iteration == 1) {
        if (kind == KindCrossing && Win.WindowInkCount > dark)
            return false;
        if (kind >= KindTopLeft && kind <= KindLeft && Win.WindowInkCount > dark + 5)
            return false;
    }

    int32_t high = 2800 / (w + h) + styleOffset(style, 7, 3);
    int32_t low = high / 2;
    if (kind == KindCrossing) {
        low = high / 4;
        high = 2 * high;
    }
    // (The zone score before the snap is only ever shown in the debug view;
    // the levels it writes are replaced by the window cut after the snap.)

    // The thin ring of a white stone without a number holds no crossing,
    // though the snap may move the window onto its rim, which can pass for
    // a line (an edge line above all).
    if (LooksLikeRing(size, origin))
        return false;
    CutWindowFeatures(size, origin, &host); // the window again: same size, cannot fail

    SnapToProfiles(kind, origin, size);
    CutWindowFeatures(size, origin, &host); // same size: cannot fail
    point.Denstone = Win.WindowInkCount;

    // Every board pattern has its lines (or its dot) through the centre. A
    // window whose centre holds no ink at all shows no crossing, however
    // few of its cells rise above the template: the thin ring of a white
    // stone without a number, whose rim the snap has moved onto, is such a
    // window.
    bool centreInk = false;
    {
        // The square of about a seventh of the window around its centre
        // pixel (the point), which is where the snap has put the lines.
        const int32_t rx = std::max(1, w / 14), ry = std::max(1, h / 14);
        const int32_t cx = centrePixel(w) + 1, cy = centrePixel(h) + 1;
        for (int32_t x = std::max(1, cx - rx); x <= std::min(w, cx + rx) && !centreInk; ++x)
            for (int32_t y = std::max(1, cy - ry); y <= std::min(h, cy + ry) && !centreInk; ++y)
                centreInk = Win.CutWindow[x][y] > 0;
    }

    const int32_t s3 = zoneScore(kind, high, low);
    int32_t t7 = 6840 / (w + h) - 24 + styleOffset(style, 15, 5);
    // The level of a thick line falls with the pitch faster than a thin
    // line's share of a cell: at a wide pitch the middle cell, where two of
    // the page's thin lines cross, would pass for thick. It stays above
    // that cell's ink.
    if (ThinLineThickness > 0) {
        const int32_t t = ThinLineThickness, c = std::min(w, h) / 7;
        if (c > t)
            t7 = std::max(t7, 100 * t * (2 * c - t) / (c * c) + 1);
    }
    reducedLevels(t7, t7 / 2);
    const int32_t s7 = templateScore(BoardPatterns[kind], false);
    // Cells darker than the template, but not those of the window's outer
    // ring: a stone is about a pitch across and the window a pitch wide, so
    // the stone on a neighbouring point may reach a few pixels into them,
    // which says nothing about this point. A stone on the point itself
    // darkens the inner cells.
    int32_t over = 0;
    for (int a = 2; a <= 6; ++a)
        for (int b = 2; b <= 6; ++b)
            over += Win.ReducedGrid[a][b] > BoardPatterns[kind][b - 1][a - 1];

    if (!centreInk)
        return false;
    const bool sure =
        (s3 == 0 || s7 < 7 || (s3 < 4 && s7 < 9) || (s3 < 4 && over < 2) || over == 0) && armsSeen(kind, w, h);
    if (sure) {
        lastPatternSure_ = true;
        point.Coord = IntPoint{origin.X + centrePixel(w), origin.Y + centrePixel(h)};
        if (point.PatternConf != 100) {
            point.PatternConf = 100;
            point.Typ = TypEmpty;
            point.Est = 100;
        }
        return true;
    }
    const bool doubtful = sure || s3 < 3 || s7 < 10 || (s3 < 6 && s7 < 12) || (s3 < 7 && over < 3) || over == 1;
    if (doubtful) {
        if (point.PatternConf != 100) {
            point.PatternConf = 50;
            point.Typ = TypEmpty;
        }
        return true;
    }
    return false;
}

bool PrepareEngine::CheckBoardPat(int16_t kind, BC& point, int32_t iteration)
{
    if (kind != KindStar)
        return checkBoardPatOnce(kind, point, iteration);
    // A star point's dot comes in more than one size: one that spills into
    // the cells beside the centre leaves the small star only doubtful, and
    // the big star, sure, decides.
    BC big = point;
    const bool small = checkBoardPatOnce(KindStar, point, iteration);
    if (small && lastPatternSure_)
        return true;
    const bool bigMatched = checkBoardPatOnce(KindBigStar, big, iteration);
    if (small && !(bigMatched && lastPatternSure_))
        return true;
    point = big;
    return bigMatched;
}

int16_t PrepareEngine::PlainStoneTyp(int16_t checkTyp)
{
    return checkTyp == 1 ? TypBlackStatic : checkTyp == 2 ? TypWhiteStatic : TypColourUndecided;
}

bool PrepareEngine::CheckStone(BC& point, int32_t step)
{
    const int32_t X = point.Coord.X, Y = point.Coord.Y;
    const int32_t W = point.Size.Width, H = point.Size.Height;
    struct Window {
        int32_t x0 = 0, y0 = 0, w = 0, h = 0;
    };
    static constexpr int Offsets[7][2] = {{0, 1}, {0, 0}, {-1, 0}, {-1, 1}, {-1, 2}, {0, 2}, {1, 2}};

    int32_t bestRing = 100, bestColour = 100;
    Window ringWin, colourWin;
    int16_t colourOfBest = 0;
    int32_t lastRing = 100;
    bool found = false;

    auto take = [&](int16_t typ, IntSize size, const Window& at) {
        point.Typ = typ;
        point.Size = size;
        point.Coord = IntPoint{at.x0 + W / 2, at.y0 + H / 2};
        found = true;
    };

    for (const auto& off : Offsets) {
        for (int32_t m = 0; m <= 2 && !found; ++m) {
            for (int32_t k = 0; k <= 2 && !found; ++k) {
                Window cur;
                cur.w = W - m * step;
                cur.h = H - k * step;
                cur.x0 = X + off[0] * step - cur.w / 2;
                cur.y0 = Y + off[1] * step - cur.h / 2;
                if (!CutWindowFeatures(IntSize{cur.w, cur.h}, IntPoint{cur.x0, cur.y0}, &host))
                    return false;
                reducedLevels(20, 10);
                const int32_t ring = templateScore(StoneTemplates[0], true);
                lastRing = ring;
                if (ring < bestRing) {
                    bestRing = ring;
                    ringWin = cur;
                }
                if (bestRing > 33)
                    goto done; // not even the outline of a stone
                for (int16_t c = 1; c <= 2; ++c) {
                    const int32_t score = templateScore(StoneTemplates[c - 1], false);
                    if (score < bestColour) {
                        bestColour = score;
                        colourWin = cur;
                        colourOfBest = c;
                    }
                    if (score < 6) {
                        take(c, IntSize{cur.w, cur.h}, cur);
                        goto done;
                    }
                }
                if (ring < 5) {
                    take(TypEmpty, IntSize{colourWin.w, colourWin.h}, cur);
                    goto done;
                }
            }
        }
    }
    if (bestColour < 3 * step + 7)
        take(colourOfBest, IntSize{colourWin.w, colourWin.h}, colourWin);
    else if (bestRing < 3 * step + 7)
        take(TypEmpty, IntSize{ringWin.w, ringWin.h}, ringWin);

done:
    // The first stone seen gives each colour not yet known a first size.
    if (lastRing < 7) {
        for (int c = 1; c <= 2; ++c) {
            StoneSize& s = Reco.StoneSizes[c];
            if (s.Width * s.Height == 0)
                s = StoneSize{W * 100, H * 100};
        }
    }
    return found;
}

} // namespace quon
