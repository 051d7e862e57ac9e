#include "recognize/DigitMatching.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <span>

namespace quon {

namespace {

constexpr DigitPattern pat(int32_t digit, const char* rows)
{
    // rows: "121 202 202 202 121"
    DigitPattern p{digit, {}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            p.Cells[r][c] = static_cast<int8_t>(rows[r * 4 + c] - '0');
    return p;
}

constexpr int HoleFreeList[] = {1, 2, 3, 4, 7, 9, 10, 14, 15, 17, 18, 19, 20, 21};
constexpr int OneHoleList[] = {0, 5, 6, 8, 12, 13, 16};

bool inHoleClass(int32_t digit, int32_t holeClass)
{
    switch (holeClass) {
    case 1: return digit == 1 || digit == 2 || digit == 3 || digit == 5 || digit == 7;
    case 2: return digit == 0 || digit == 4 || digit == 6 || digit == 9;
    default: return true;
    }
}

int8_t clampScore(int32_t s) { return static_cast<int8_t>(std::clamp(s, -128, 100)); }

} // namespace

const DigitPattern DigitPatterns[22] = {
    pat(0, "121 202 202 202 121"), pat(1, "022 022 022 022 022"), pat(2, "122 202 012 020 222"),
    pat(2, "222 102 012 021 222"), pat(3, "122 202 022 002 222"), pat(4, "011 021 121 121 011"),
    pat(4, "012 022 112 112 002"), pat(5, "221 210 211 002 121"), pat(6, "121 200 222 202 121"),
    pat(7, "222 002 001 011 020"), pat(7, "222 002 011 020 020"), pat(8, "121 202 222 202 121"),
    pat(9, "121 202 102 012 121"), pat(9, "121 202 222 102 121"), pat(5, "221 210 211 002 121"),
    pat(1, "222 222 222 222 222"), pat(4, "001 002 022 102 112"), pat(2, "122 202 002 012 122"),
    pat(3, "221 002 220 002 221"), pat(3, "222 102 012 002 222"), pat(1, "012 112 002 002 002"),
    pat(1, "012 122 001 001 001"),
};

bool isHoleFreePattern(int p) { return std::find(std::begin(HoleFreeList), std::end(HoleFreeList), p) != std::end(HoleFreeList); }
bool isOneHolePattern(int p) { return std::find(std::begin(OneHoleList), std::end(OneHoleList), p) != std::end(OneHoleList); }

int32_t patternDistance(const int8_t levels[3][5], int p)
{
    int32_t d = 0;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 5; ++r)
            d += std::abs(levels[c][r] - DigitPatterns[p].Cells[r][c]);
    return d;
}

// ---- Rendering ----------------------------------------------------------------

void renderFigure(const TBezFigure& figure, int32_t w, int32_t h, uint16_t* cells, int32_t thickness)
{
    std::fill(cells, cells + static_cast<size_t>(w) * static_cast<size_t>(h), uint16_t{0});
    const int32_t d = std::clamp(thickness, 1, 9);
    // Editor pixels -> percent of the glyph box -> the digit box, pulled half
    // a cell towards the centre: u = 0.5 + p (w - 1) for p = x% / 100.
    auto toBoxX = [w, d](int32_t px) {
        const double xp = (px - 50) * 100.0 / 250.0;
        double X = w * xp / 100.0;
        X = X - (X - w / 2.0) * d / w;
        return X;
    };
    auto toBoxY = [h, d](int32_t py) {
        const double yp = (py - 50) * 100.0 / 500.0;
        double Y = h * yp / 100.0;
        Y = Y - (Y - h / 2.0) * d / h;
        return Y;
    };
    // 0, -d/4, +d/4, -d/2, +d/2, ...: two offsets for the reader's d = 1.
    double offsets[18];
    const int32_t n = 2 * d;
    for (int32_t i = 0; i < n; ++i)
        offsets[i] = i == 0 ? 0.0 : ((i + 1) / 2) * (i % 2 == 1 ? -d / 4.0 : d / 4.0);
    const std::span<const double> Offsets(offsets, static_cast<size_t>(n));
    for (int32_t c = 1; c <= figure.NCurves; ++c) {
        const TCurves& curve = figure.Curves[c];
        for (int32_t a = 1; a <= curve.NArcs; ++a) {
            double X[4], Y[4];
            for (int i = 0; i < 4; ++i) {
                X[i] = toBoxX(curve.ArcPoints[3 * (a - 1) + i].X);
                Y[i] = toBoxY(curve.ArcPoints[3 * (a - 1) + i].Y);
            }
            for (int k = 0; k <= 100; ++k) {
                const double t = k / 100.0;
                const double s = 1.0 - t;
                const double b0 = s * s * s;
                const double b1 = 3.0 * t * s * s;
                const double b2 = 3.0 * t * t * s;
                const double b3 = t * t * t;
                const double bx = b0 * X[0] + b1 * X[1] + b2 * X[2] + b3 * X[3];
                const double by = b0 * Y[0] + b1 * Y[1] + b2 * Y[2] + b3 * Y[3];
                for (double dx : Offsets)
                    for (double dy : Offsets) {
                        const double sx = bx + dx;
                        const double sy = by + dy;
                        if (!(sx > 0.5 && sy > 0.5))
                            continue;
                        const double cx = std::nearbyint(sx);
                        const double cy = std::nearbyint(sy);
                        // Control points may lie outside the glyph box: what
                        // falls outside the digit box is no part of it.
                        if (cx > w || cy > h)
                            continue;
                        const auto ix = static_cast<size_t>(cx) - 1;
                        const auto iy = static_cast<size_t>(cy) - 1;
                        uint16_t& cell = cells[ix * static_cast<size_t>(h) + iy];
                        if (cell < UINT16_MAX)
                            ++cell;
                    }
            }
        }
    }
}

// ---- The matcher --------------------------------------------------------------

DigitMatcher::DigitMatcher(const DigitLabelTable& labels, const PaperComponentTable& paper)
    : labels_(labels), paper_(paper),
      group_(static_cast<size_t>(DigitWindowSide + 1) * static_cast<size_t>(DigitWindowSide + 1), 0)
{
}

int32_t DigitMatcher::groupCell(int32_t x, int32_t y) const
{
    return group_[static_cast<size_t>(x - 1) * (DigitWindowSide + 1) + static_cast<size_t>(y - 1)];
}

void DigitMatcher::RenderDigitTemplates(int32_t w, int32_t h)
{
    tw_ = std::max(w, 0);
    th_ = std::max(h, 0);
    figures_ = std::min(DigitPacket.NFigs, MaxRenderedFigures);
    // The store holds while the figures read below are what they were.
    drawnFrom_.clear();
    drawnFrom_.push_back(figures_);
    for (int32_t i = 1; i <= figures_; ++i) {
        const TBezFigure& f = DigitPacket.Figures[i];
        drawnFrom_.push_back(f.NCurves);
        for (int32_t c = 1; c <= f.NCurves; ++c) {
            const TCurves& curve = f.Curves[c];
            drawnFrom_.push_back(curve.NArcs);
            for (int32_t p = 0; p <= 3 * curve.NArcs && curve.NArcs > 0; ++p) {
                drawnFrom_.push_back(curve.ArcPoints[p].X);
                drawnFrom_.push_back(curve.ArcPoints[p].Y);
            }
        }
    }
    const size_t cells = static_cast<size_t>(figures_) * static_cast<size_t>(tw_) * static_cast<size_t>(th_);
    // A few MB at most: past that the sizes of earlier pages go.
    constexpr size_t StoreCells = size_t{1} << 22;
    if (drawnFrom_ != renderedFrom_ || renderedCells_ + cells > StoreCells) {
        rendered_.clear();
        renderedCells_ = 0;
        renderedFrom_.swap(drawnFrom_);
    }
    const uint64_t key = (static_cast<uint64_t>(tw_) << 32) | static_cast<uint32_t>(th_);
    auto [it, added] = rendered_.try_emplace(key);
    std::vector<uint16_t>& t = it->second;
    if (added) {
        t.assign(cells, 0);
        renderedCells_ += cells;
        if (tw_ > 0 && th_ > 0)
            for (int32_t i = 1; i <= figures_; ++i)
                renderFigure(DigitPacket.Figures[i], tw_, th_,
                             t.data() + static_cast<size_t>(i - 1) * static_cast<size_t>(tw_) * static_cast<size_t>(th_));
    }
    templates_ = t;
}

uint16_t DigitMatcher::DigitTemplate(int32_t i, int32_t x, int32_t y) const
{
    if (i < 1 || i > figures_ || x < 1 || x > tw_ || y < 1 || y > th_)
        throwRangeError(i, 1, figures_);
    return templates_[(static_cast<size_t>(i - 1) * static_cast<size_t>(tw_) + static_cast<size_t>(x - 1)) *
                          static_cast<size_t>(th_) +
                      static_cast<size_t>(y - 1)];
}

void DigitMatcher::computeFeatures(int32_t w, int32_t h)
{
    GroupFeatures& f = features_;
    f = GroupFeatures{};
    int32_t ink = 0;
    int32_t colCount[DigitWindowSide + 1] = {};
    int32_t zone[3][5] = {};
    const bool zones = w > 2 && h > 4;
    for (int32_t x = 1; x <= w; ++x)
        for (int32_t y = 1; y <= h; ++y) {
            if (groupCell(x, y) <= 0)
                continue;
            ++ink;
            ++colCount[x];
            if (zones) {
                const int32_t a = std::min(3, (x - 1) / (w / 3) + 1);
                const int32_t b = std::min(5, (y - 1) / (h / 5) + 1);
                ++zone[a - 1][b - 1];
            }
        }
    if (zones)
        for (int32_t a = 1; a <= 3; ++a)
            for (int32_t b = 1; b <= 5; ++b) {
                const int32_t cw = w / 3 + (a == 3 ? w % 3 : 0);
                const int32_t ch = h / 5 + (b == 5 ? h % 5 : 0);
                f.ZoneGrid[a][b] = zone[a - 1][b - 1] * 100 / (cw * ch);
            }
    int32_t mx = 0, my = 0;
    for (int32_t x = 1; x <= w; ++x)
        for (int32_t y = 1; y <= h; ++y) {
            if (groupCell(x, y) != 1)
                continue;
            if (groupCell(w - x + 1, y) == 1)
                ++mx;
            if (groupCell(x, h - y + 1) == 1)
                ++my;
        }
    if (ink > 0) {
        f.MirrorInkX = mx * 100 / ink;
        f.MirrorInkY = my * 100 / ink;
    }
    for (int32_t x = 1; x <= w; ++x)
        f.ColumnInk[x] = colCount[x] * 100 / h;
    f.WindowInkCount = ink * 100 / (w * h);
}

int32_t DigitMatcher::RecoDigitGroups(IntSize size, IntPoint origin, int8_t& score)
{
    int32_t w = size.Width;
    int32_t h = size.Height;
    int32_t x0 = origin.X;
    const int32_t y0 = origin.Y;
    score = 100;
    eightWithoutHole_ = false;
    oneOverStem_ = false;
    oneOrTwo_ = false;
    runnerUpMargin_ = 10000;
    // The top-bar test below holds for this group only.
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{notOne_}, clearThree{notThree_}, clearFive{notFive_};
    if (w < 0 || h < 0 || x0 < 1 || y0 < 1 || x0 + w > DigitWindowSide || y0 + h > DigitWindowSide)
        return -1;

    // Holes: paper components big enough to count, in order of appearance.
    // The floor of five pixels keeps a dot of paper in a heavy digit out;
    // a digit printed only eight or nine pixels tall has holes of three or
    // four pixels, so for such a digit the floor is a twentieth of its box.
    const int32_t holeFloor = std::clamp((w + 1) * (h + 1) / 20, 2, 5);
    const int32_t holeArea =
        std::max(holeFloor, (Reco.StoneSizes[1].Width / 2000) * (Reco.StoneSizes[1].Height / 2000));
    std::vector<int32_t> listed;
    for (int32_t y = y0; y <= y0 + h; ++y)
        for (int32_t x = x0; x <= x0 + w; ++x) {
            const int32_t L = labels_[x][y];
            if (L > 100 && L < 200) {
                const int32_t n = L - 100;
                if (paper_[n].Count > holeArea && std::find(listed.begin(), listed.end(), n) == listed.end())
                    listed.push_back(n);
            }
            group_[static_cast<size_t>(x - x0) * (DigitWindowSide + 1) + static_cast<size_t>(y - y0)] =
                static_cast<int16_t>(L / 100 - 1);
        }
    const auto N = static_cast<int32_t>(listed.size());
    if (N > 3)
        return -1;

    // A bar of ink across the group's top row, over a stroke that takes at
    // most half of the middle row, is the bar of a 7 (or a 5, a flat-topped
    // 3): a 1 starts with the point of its stem or the tip of its flag, and
    // even the flag of a bold one leaves a quarter of the top row bare; a 1
    // that is a plain stem is as wide at the top as in the middle. Narrow
    // condensed 7s read as 1 by every rule below, so a group with such a
    // bar is never one.
    int32_t topInk = 0;
    int32_t midInk = 0;
    for (int32_t x = x0; x <= x0 + w; ++x) {
        topInk += labels_[x][y0] / 100 == 2 ? 1 : 0;
        midInk += labels_[x][y0 + h / 2] / 100 == 2 ? 1 : 0;
    }
    notOne_ = w >= 3 && topInk * 4 >= (w + 1) * 3 && midInk * 2 <= w + 1;

    // A stroke of one or two pixels is too thin for the features. It is
    // decided as the narrow-bar rule would: solid enough, it is a 1; anything
    // else is no digit. Its fill is taken over the whole group box. So is
    // the lone group of a stone at most a fifth of its height wide: the
    // hairline stem of a light serif 1, whose flag adds a pixel or two
    // beside it, is too narrow for the zones to tell it from other digits
    // (a piece of a broken digit beside others is not taken so).
    const bool stem = loneGroup_ && (w + 1) * 5 <= h + 1;
    if (w < 2 || h < 2 || stem) {
        if (h < 2 || N > 1)
            return -1;
        int32_t ink = 0;
        for (int32_t x = 1; x <= w + 1; ++x)
            for (int32_t y = 1; y <= h + 1; ++y)
                ink += groupCell(x, y) > 0 ? 1 : 0;
        // An empty zone grid is at distance 5 or more from every pattern.
        if (ink * 100 / ((w + 1) * (h + 1)) >= 65) {
            score = 5;
            return 1;
        }
        return -1;
    }
    if (w > 140 || h > 140)
        return -1;

    computeFeatures(w, h);
    // The whole box, before its margins are cut: the tips of a curl lie in
    // those nearly empty columns.
    const int32_t boxX0 = x0;
    const int32_t boxW = w;
    // Cut away nearly empty margins of the outer fifths: as many columns
    // at the right as at the left. Taken down to column 4w/5, the right
    // fifth was a column wider (a third of a narrow digit), and took away
    // the half of a "1"'s foot beyond its stem, while the flag kept the
    // left half: what was left read as a 3.
    int32_t l = 0;
    for (int32_t x = 1; x <= w / 5 && features_.ColumnInk[x] < 10; ++x)
        ++l;
    int32_t m = 0;
    for (int32_t x = w; x > w - w / 5 && x > l && features_.ColumnInk[x] < 10 && !barEnd(x, h, x0, y0); --x)
        ++m;
    if (l + m > 0 && w - l - m >= 2) {
        x0 += l;
        const int32_t oldColumns = w + 1;
        w -= l + m;
        for (int32_t x = 1; x + l <= oldColumns; ++x)
            for (int32_t y = 1; y <= h + 1; ++y)
                group_[static_cast<size_t>(x - 1) * (DigitWindowSide + 1) + static_cast<size_t>(y - 1)] =
                    static_cast<int16_t>(groupCell(x + l, y));
        computeFeatures(w, h);
    }

    // A stroke down the left edge all the way through the band under the
    // top (a quarter to nearly half of the height) is the stem of a 5 (or
    // the side of a 6, 8, 9, 0): a 3 is open at the left there, and only
    // the end of its top arc comes near the edge, above the band or in
    // part of it. The edge is two columns at least: the terminal of a
    // serif 5's bowl may reach a column left of its hairline stem.
    bool bareBacks = false;
    bool lowerBare = false;
    bool parted = false;
    if (w >= 4 && h >= 8) {
        int32_t rows = 0;
        int32_t inked = 0;
        for (int32_t y = h * 25 / 100; y <= h * 45 / 100; ++y) {
            ++rows;
            for (int32_t x = 0; x < std::max(2, w / 5); ++x)
                if (labels_[x0 + x][y0 + y] / 100 == 2) {
                    ++inked;
                    break;
                }
        }
        notThree_ = inked * 10 >= rows * 9;
        // Nor is a group a 3 whose left edge is inked through most of that
        // band and whose left third is inked all down its lower part (from
        // three fifths of the height to over four fifths): there the lower
        // loop of an 8 has its side, but the lower arc of a 3 is open to
        // the left under its middle, and only its foot comes back (in a
        // serif face a large terminal, up to about two thirds). A hairline
        // broken at the top of an 8 opens its loops, and the figures then
        // take it for a 3.
        const bool upperSide = inked * 2 >= rows;
        rows = 0;
        inked = 0;
        for (int32_t y = h * 60 / 100; y <= h * 85 / 100; ++y) {
            ++rows;
            for (int32_t x = 0; x < std::max(1, w / 3); ++x)
                if (labels_[x0 + x][y0 + y] / 100 == 2) {
                    ++inked;
                    break;
                }
        }
        notThree_ = notThree_ || (upperSide && inked == rows);
        // The two arcs of a 3 have their backs at the right: when a row of
        // its upper part and a row of its lower part both have no ink in
        // the right third, the group may be the stem of a 1 with its flag
        // and foot, which a turned or blurred page may give the figures of
        // a 3 (the lower back of a slanted 3 leans out of that third too):
        // a 3 read so is a question.
        // The right third is a third of the group's w + 1 columns in small
        // print, where the back of a 3 six pixels wide stands in the last
        // two and a third of w is its last column alone.
        const int32_t third = std::max(1, (std::max(h, numberHeight_) < SmallDigitHeight ? w + 1 : w) / 3);
        int32_t bare = 0;
        for (const auto& [lo, hi] : {std::pair{25, 40}, std::pair{60, 75}})
            for (int32_t y = h * lo / 100; y <= h * hi / 100; ++y) {
                bool ink = false;
                for (int32_t x = w - third + 1; x <= w && !ink; ++x)
                    ink = labels_[x0 + x][y0 + y] / 100 == 2;
                if (!ink) {
                    ++bare;
                    break;
                }
            }
        bareBacks = bare == 2;
        // The lower arc has its back in the right third all down the band;
        // a 7's stroke has left it there (its diagonal runs through the
        // middle). Bare through most of the band, the group is no 3 that
        // lost an edge pixel or two to the print: read as a 3, a question.
        int32_t rowsLow = 0;
        int32_t bareLow = 0;
        for (int32_t y = h * 60 / 100; y <= h * 75 / 100; ++y) {
            bool ink = false;
            for (int32_t x = w - third + 1; x <= w && !ink; ++x)
                ink = labels_[x0 + x][y0 + y] / 100 == 2;
            ++rowsLow;
            bareLow += ink ? 0 : 1;
        }
        lowerBare = bareLow * 2 > rowsLow;
        // A 3 is one stroke from top to bottom: a row across the group
        // without ink parts pieces that joined as one digit (the bar of a
        // 5 whose stem the print lost, over its bowl), and read as a 3 it
        // is a question.
        parted = someRowBare(0, w, 1, h - 1, x0, y0);
    }

    // Under the top a 5 has its stem at the left, however thin (a serif
    // 5's is a hairline): with no ink at all in the left third from a third
    // of the height to nearly half, the group is no 5; a 7's stroke runs
    // down the right half there (the tick of a typewriter 7 ends above).
    // The third is two columns at least: in a 5 a few pixels wide the end
    // of its bowl may reach a pixel left of the stem.
    if (w >= 3 && h >= 5) {
        bool leftInk = false;
        for (int32_t y = (h * 30 + 99) / 100; y <= h * 45 / 100 && !leftInk; ++y)
            for (int32_t x = 0; x < std::max(2, w / 3) && !leftInk; ++x)
                leftInk = labels_[x0 + x][y0 + y] / 100 == 2;
        notFive_ = !leftInk;
        // Nor is it a 5 with its right third inked all down the band from a
        // quarter of the height to over a third: between its bar and its
        // bowl a 5 is open at the right, where an 8 whose broken hairlines
        // opened its loops has the side of its upper loop.
        if (w >= 4 && h >= 8) {
            bool rightSide = true;
            for (int32_t y = h * 25 / 100; y <= h * 35 / 100 && rightSide; ++y) {
                bool ink = false;
                for (int32_t x = w - std::max(1, w / 3) + 1; x <= w && !ink; ++x)
                    ink = labels_[x0 + x][y0 + y] / 100 == 2;
                rightSide = ink;
            }
            notFive_ = notFive_ || rightSide;
        }
    }

    // Zone pattern.
    int32_t n = 0, sum = 0, mn = 100;
    for (int32_t a = 1; a <= 3; ++a)
        for (int32_t b = 1; b <= 5; ++b) {
            const int32_t v = features_.ZoneGrid[a][b];
            if (v > 5) {
                ++n;
                sum += v;
                mn = std::min(mn, v);
            }
        }
    const int32_t avg = n > 0 ? sum / n : 0;
    int8_t levels[3][5];
    for (int32_t a = 1; a <= 3; ++a)
        for (int32_t b = 1; b <= 5; ++b) {
            const int32_t v = features_.ZoneGrid[a][b];
            levels[a - 1][b - 1] = static_cast<int8_t>(v > avg ? 2 : (v < mn ? 0 : 1));
        }
    int32_t best = 5, ties = 1, bestPattern = -1;
    for (int p = 0; p < 22; ++p) {
        const int32_t d = patternDistance(levels, p);
        if (d < best) {
            best = d;
            bestPattern = p;
        } else if (d == best && best < 5) {
            ++ties;
        }
    }
    score = static_cast<int8_t>(best);
    if (best < 2 && ties == 1 &&
        ((N == 1 && isHoleFreePattern(bestPattern)) || (N == 2 && isOneHolePattern(bestPattern))) &&
        !(notOne_ && DigitPatterns[bestPattern].Digit == 1) &&
        !((notThree_ || bareBacks) && DigitPatterns[bestPattern].Digit == 3)) {
        if (DigitPatterns[bestPattern].Digit == 0 && (lowHole(h, y0, listed) || upperHole(h, y0, listed)))
            score = 100;
        return DigitPatterns[bestPattern].Digit;
    }

    if (N == 3) {
        const int32_t to8 = patternDistance(levels, 11);
        if (to8 < 7)
            return 8;
        const ComponentBox& a = paper_[listed[1]];
        const ComponentBox& b = paper_[listed[2]];
        const int32_t ca = (a.MinX + a.MaxX) / 2;
        const int32_t cb = (b.MinX + b.MaxX) / 2;
        if (std::abs(ca - cb) <= std::max(2, w / 4) && to8 < 14)
            return 8;
        return -1;
    }

    const int32_t F = features_.WindowInkCount;
    const int32_t MX = features_.MirrorInkX;
    const int32_t MY = features_.MirrorInkY;
    if (!notOne_ && (F >= 90 || (F >= 80 && MX >= 80 && MY >= 80) || (F >= 75 && MX >= 65 && MY >= 85 && N == 1) ||
                     (F >= 65 && (w < 5 || w * 100 / h < 20)))) {
        // A solid group is the stem of a 1 only while it is narrow. As
        // wide as half its height it is a digit whose strokes ran into one
        // blot (heavy ink fills the counters of a 0 or an 8): no figure
        // tells which, so it stays a question.
        if ((w + 1) * 2 >= h + 1)
            return -1;
        // Nor is a solid stroke whose ends both curl away to one side: the
        // half of a 0 that a cut parted from a digit it touched.
        if (h >= SmallDigitHeight && bracket(boxW, h, boxX0, y0))
            return -1;
        return 1;
    }
    // The figures are laid over the box MaxX - MinX by MaxY - MinY, which
    // leaves the group's last column and row out. In small print that row
    // is an eighth of the digit (the foot of a 1, the base of a 2 or a 4,
    // the lower arc of a 3) and that column the back of a 3 or the bowl of
    // a 5, and the figure of another digit fits what is left as well: there
    // the figures are laid over the whole box. Only where the number's
    // digits are all that small: a piece of a larger digit (the bowl of a
    // light 6 cut off its stroke) is no small digit.
    const bool whole = std::max(h, numberHeight_) < SmallDigitHeight;
    // A 1 is a stem with its flag and foot; the stem stands in the middle
    // third of a box wider than half its height (its foot or flag spans
    // the rest), and under its flag and over its foot (from half the height
    // to three quarters) each row holds the stem alone. A group more than
    // half as wide as high with a row of its middle half bare in the middle
    // third, or with two strokes in such a lower row, is no 1, and the
    // figures of a 1 are not compared at all (the heavy strokes of a wide 3
    // leave every figure much ink to miss, the thin one of a 1 least; the
    // arc of a 2 on a noisy page left the figure of a 1 a close winner).
    noOneFigure_ = (w + 1) * 2 > h + 1 && (twoStrokesLow(w, h, x0, y0) || bareMiddle(w, h, x0, y0));
    // A stroke no wider than a fifth of its height is laid over its whole
    // width as well (see `whole`): the last column of a hairline 1 three
    // pixels wide is a third of it, and the figures of a 1 laid over the
    // two columns left of it miss its stem.
    const bool narrowStroke = (w + 1) * 5 <= h + 1;
    int32_t d = RecDigit({whole || narrowStroke ? w + 1 : w, whole ? h + 1 : h}, {x0, y0}, score, N);
    noOneFigure_ = false;
    if ((d == 3 || d == 7) && N == 1 && sevenStroke(w, h, x0, y0) && !footUnderStem(w, h, x0, y0)) {
        // A bar across the top and under it one stroke from the bar's right
        // end down to the left half is a 7, whatever its stroke's curve: a
        // condensed 7 whose stroke falls straight down for its lower half
        // is covered by the figures of a 3 better than by those of a 7,
        // and a 3's lower arc comes back to the right.
        score = clampScore(std::min(byDigit_[7], WeakFigureScore - 1));
        return 7;
    }
    if ((d == 2 || d == 3 || d == 7) && serifOne(w, h, x0, y0, d == 7)) {
        // A foot across the bottom under a straight stem is a serif 1 whose
        // flag or foot the figures missed: a 2, 3 or 7 has no stem. Read
        // as a 7 (a 7 has no foot, its flag took the figures of the bar)
        // it is the 1; as a 2 or 3 (whose base or arc ends may look like
        // a foot) which digit it is stays a question.
        if (d == 7)
            return 1;
        score = 100;
    } else if (d == 7 && w >= 4 && h >= 8 && leftSideUnderBar(w, h, x0, y0)) {
        // Under its bar a 7 is open at the left: its stroke leaves the bar
        // at the right end and reaches the left only near the bottom. Ink
        // in the left third all down the band from three tenths of the
        // height to half is the side of a bowl (a 9 whose loop a broken
        // hairline opened at the top). A question.
        score = 100;
    } else if (d == 7 && uprightStem(w, h, x0, y0)) {
        // A 7's stroke runs down from the end of its bar aslant; a wide
        // upright stem under a bar is a 1 whose flag reaches far (a sans 1,
        // or a bold serif 1 whose foot a cut or the print took). A question.
        score = 100;
    } else if (d == 7 && footUnderStem(w, h, x0, y0)) {
        // A 7 ends in the tip of its stroke; a foot spanning the bottom on
        // both sides of a thin stem is a 1's (a sans 1 whose flag, stood
        // upright from a slant, reaches as far as a bar). With its stem
        // straight it is read as the 1 its own figure makes it; otherwise
        // it stays a question.
        if (straightStem(w, h, x0, y0) && byDigit_[1] < 100) {
            d = 1;
            score = clampScore(byDigit_[1]);
        } else {
            score = 100;
        }
    } else if (((d == 4 && byDigit_[4] < 100) || d == 6) && N == 2 && fourOnBar(w, h, x0, y0, listed)) {
        // A closed triangle over a bar across the whole group and a stem
        // alone under it is a 4 whatever its figures make of it: the
        // diagonal of a slanted 4, stood upright, bends away from theirs,
        // and the hairline diagonal of a light serif 4 leaves them much to
        // miss (the figures of a 6 may miss less). A 6 has its hole in its
        // bowl, with nothing under it but the bowl's own bottom.
        d = 4;
        score = clampScore(std::min(byDigit_[4], WeakFigureScore - 1));
    } else if ((d == 2 || (d == 1 && byDigit_[2] - byDigit_[1] < SmallDigitMargin)) && N == 1 && byDigit_[2] < 100 &&
               twoOnBase(w, h, x0, y0)) {
        // An arc, one stroke from its right side down to the left end of a
        // base across the group: a 2, however loosely a light face fills
        // its figures, and though the figures of a 1 cover it better (an
        // italic 2 stood upright, its neck as straight as a stem).
        d = 2;
        score = clampScore(std::min(byDigit_[2], WeakFigureScore - 1));
    } else if (d == 1 && N == 1 && twoOnBase(w, h, x0, y0) && !footUnderStem(w, h, x0, y0)) {
        // Built so, but with the figures of a 2 well behind those of a 1
        // (a light 2 grown thick, its arc filled in), the group is still no
        // 1, whose stem does not run aslant to the left end of a base but
        // stands on the middle of its foot: a question.
        score = 100;
    } else if (d == 2 && !baseHalf(w, h, x0, y0)) {
        // A 2 stands on its base; with no row of its lowest fifth inked
        // across half its width, the group is a 7 whose heavy bar the
        // figures of a 2's arc cover (a slanted one read before the
        // diagram's slant was known). A question.
        score = 100;
    } else if (d == 3 &&
               (bareBacks || lowerBare || parted || thinStemOnly(w, h, x0, y0) || uprightStem(w, h, x0, y0) ||
                !someRowBare(0, std::max(1, (w + 1) / 3) - 1, h * 20 / 100, h * 45 / 100, x0, y0))) {
        // A 3 without the backs of its arcs (see above) stays a question;
        // so does one that is only a thin stem down its middle rows: the 1
        // of a number whose foot a cut between touching digits parted, its
        // flag and half its foot left to pass for the arcs' ends. Nor has a
        // 3 an upright stem through its middle rows (its waist reaches in
        // to the left between the backs of its arcs): such a group is a 1
        // whose flag and thin foot the figures of a 3 took for arcs' ends.
        // Nor has a 3 ink in its left quarter all down from its top to near
        // half its height, where a 5 has its stem (a white 5 on a black
        // stone, grown as a light face, whose bar's end the ink ate).
        score = 100;
    } else if ((d == 3 || d == 7) && N == 1 && h >= SmallDigitHeight && byDigit_[3] < 100 &&
               threeArcs(w, h, x0, y0)) {
        // Two arcs open at the left, stacked on their backs at the right
        // and meeting at a waist, are a 3 however loosely its figures fit
        // (a light serif 3's lower bowl is wider than theirs, and its top
        // arc may take the figures of a 7's bar).
        d = 3;
        score = clampScore(std::min(byDigit_[3], WeakFigureScore - 1));
    } else if ((N == 1 || N == 2) && h >= SmallDigitHeight && byDigit_[8] < 100 && eightLoops(w, h, x0, y0)) {
        // Two loops stacked at a waist, each with both its sides and paper
        // inside, closed over the top and under the bottom: an 8 whose
        // holes the labelling lost (the one-pixel top and bottom of a light
        // face at a small pitch, a loop leaking through a diagonal gap to
        // the paper around the digit), both or one of them, however loosely
        // its figures fit. With one hole left it is no 6 (whose hook leaves
        // the rows over its bowl bare right of the middle) nor a 9.
        d = 8;
        score = clampScore(std::min(byDigit_[8], WeakFigureScore - 1));
    } else if (d == 8 && N == 1 && openUpperRight(w, h, x0, y0)) {
        // An 8 is two closed loops. Heavy ink may fill them, but then the
        // right side of the upper loop is there; a group without a hole
        // that is open at the right under its top is a 6 or a 5 whose
        // bowl the print left open. Which digit it is stays a question.
        score = 100;
        eightWithoutHole_ = true;
    } else if (d == 8 && N == 2 && lowerHole(h, y0, listed) && openUpperRight(w, h, x0, y0)) {
        // The same with one hole low in the group: the bowl of a 6 whose
        // hook the figures of an 8 cover (a typewriter 6 printed large),
        // where an 8 would close its upper loop at the right. A question.
        score = 100;
        eightWithoutHole_ = true;
    } else if (d == 9 && N == 1 && openUpperLeft(w, h, x0, y0)) {
        // A 9 whose bowl the ink filled still has the bowl's left side
        // under its top; a group without a hole that has nothing left of
        // its middle there is the arc of a 2 (a light one, whose neck the
        // figures of a 9 cover). Standing on a base across its whole width,
        // as a 9's tail never does, it is a 2, as sure as its own best
        // figure; otherwise a question.
        if (baseBar(w, h, x0, y0) && byDigit_[2] < 100) {
            d = 2;
            score = clampScore(twoOnBase(w, h, x0, y0) ? std::min(byDigit_[2], WeakFigureScore - 1) : byDigit_[2]);
        } else {
            score = 100;
        }
    } else if (d == 9 && N == 1 && openUpperRight(w, h, x0, y0)) {
        // The right side of a 9's bowl runs on down into its tail; a group
        // without a hole that is open at the right under its top is a 5
        // whose bowl the print cut short (its bar and stem took the figures
        // of the bowl). A question.
        score = 100;
    } else if (d == 6 && N == 1 && w >= 4 && h >= 8 && openLowerLeft(w, h, x0, y0)) {
        // A 6's bowl is closed at the left from its hook down to its
        // bottom; a group without a hole whose left third is bare in a row
        // of its lower part is a 5, whose bowl opens there over the ball
        // of its terminal, which the figures of a 6 took for a bowl's side.
        // A question.
        score = 100;
    } else if (d == 6 && N == 2 && !lowerHole(h, y0, listed)) {
        // A 6's hole is its bowl, the lower part of the digit: a hole whose
        // middle stands higher is the closed triangle of a 4 over its bar,
        // which the figures took for a bowl. With the bar across the group
        // and a stem alone under it, it is that 4 (a slanted 4 stood
        // upright, its diagonal bent away from the 4's figures); otherwise
        // a question.
        if (byDigit_[4] < 100 && fourOnBar(w, h, x0, y0, listed)) {
            d = 4;
            score = clampScore(std::min(byDigit_[4], WeakFigureScore - 1));
        } else {
            score = 100;
        }
    } else if (d == 6 && N == 1 && w >= 4 && h >= 8 && openLowerLeft(w, h, x0, y0)) {
        // A 6's left side runs down unbroken into its bowl; a group without
        // a hole that is open at the left under its middle is a 5, its stem
        // ended above and its bowl open there, that the figures of a 6
        // cover. A question.
        score = 100;
    } else if (d == 5 && N == 2 && lowerHole(h, y0, listed) && roundTopLeft(w, h, x0, y0)) {
        // A 5 has no hole, and its stem falls straight from the left end
        // of its bar. A hole low in the group under a top that rounds in
        // at the left is the bowl of a 6 whose hook ends in a drop at the
        // right, where the figures of a 5 see its bar. It is read as the 6
        // where it shows its hook open at the right over the bowl, as sure
        // as the 6's own figures; otherwise a question.
        if (openUpperRight(w, h, x0, y0) && byDigit_[6] < 100) {
            d = 6;
            score = clampScore(byDigit_[6]);
        } else {
            score = 100;
        }
    } else if (d == 0 && lowHole(h, y0, listed)) {
        // A 0 is one loop from top to bottom; a hole in the lower part
        // only is the bowl of a 6 whose hook the figures took for the
        // upper half of the loop (a ball at its end). It is read as a 6
        // where it shows one: open at the right between its hook and its
        // bowl, where a 0 has its side. Otherwise a question.
        if (openUpperRight(w, h, x0, y0))
            return 6;
        score = 100;
    } else if (d == 0 && upperHole(h, y0, listed)) {
        // So is a short hole whose middle stands in the upper two fifths:
        // the bowl of a condensed 9, whose tail the figures of a 0 cover.
        // It is read as a 9 where it shows one: open at the left under its
        // bowl, where a 0 has its side (the 0's figures are then no rival
        // of the 9's). Otherwise a question.
        if (openLowerLeft(w, h, x0, y0)) {
            runnerUpMargin_ = 10000;
            for (int32_t dgt = 1; dgt <= 8; ++dgt)
                runnerUpMargin_ = std::min(runnerUpMargin_, byDigit_[static_cast<size_t>(dgt)] - byDigit_[9]);
            return 9;
        }
        score = 100;
    } else if (d == 0 && tailAtRight(w, h, x0, y0)) {
        // A 0 has both its sides down into its bottom quarter; one stroke
        // there that starts right of the middle is the tail of a 9 under
        // its bowl (a light 9 whose hairline top broke has no hole left to
        // tell it by). A question.
        score = 100;
    } else if (d == 1 && barOverStem(w, h, x0, y0, false) >= 0) {
        // A 1's foot is its bottom; a bar across the group with a stem
        // going on under it is a 4's (a 4 whose diagonal the print, heavy
        // ink or a cut lost), wherever the stem stands. A question.
        score = 100;
        oneOverStem_ = true;
    } else if (d == 1 && N == 1 && h >= SmallDigitHeight && bentRightEdge(w, h, x0, y0)) {
        // The stem of a 1 has a straight right side (its flag stands at the
        // left), upright or slanted; a right edge that goes in and comes out
        // again by more than a pixel of noise through the middle rows is
        // the middle of a 3 or a 5 whose arcs' ends the print lost. A
        // question.
        score = 100;
    } else if (d == 1 && h >= SmallDigitHeight && splitAcross(w, h, x0, y0)) {
        // A 1's stem runs down into its foot; a break of the print parts
        // them by a pixel row. Pieces a band of rows apart are a digit
        // whose hairline the print lost (the arc of a 2 over its base, the
        // figures of a 1 taking the base for a foot). A question.
        score = 100;
    } else if (d == 1 && h >= SmallDigitHeight && bracket(boxW, h, boxX0, y0)) {
        // A 1's foot spans both sides of its stem, or there is none; a
        // stroke whose bottom curls away to one side only, and whose top
        // curls to that side too, is the half of a 0 that a cut parted
        // from a digit it touched. A question.
        score = 100;
    } else if (d == 1 && h < SmallDigitHeight && footToOneSide(boxW, h, boxX0, y0)) {
        // A 1's foot spans both sides of its stem. In small print, a bottom
        // stroke that leaves the stroke over it toward one side only is the
        // lower arc of a 3 or 5, whose back stands as straight as a stem. A
        // question. (In larger print a foot that noise broke is one-sided
        // too, and the figures tell a 3 well enough there.)
        score = 100;
    } else if (d == 1 && inPieces(w, h, x0, y0)) {
        // A 1 is one stroke with its flag and foot; a group of two
        // sizeable pieces that meet corner to corner, read as a 1, is a
        // digit whose hairline the labelling parted (the arc and neck of a
        // 2 over its base), and its neck stands as straight as a stem. A
        // question.
        score = 100;
    } else if (d == 1 &&
               (score >= WeakFigureScore ||
                (uncoveredInk_ >= UncoveredInkOfLooseOne && (h < SmallDigitHeight || thinStrokes(w, h, x0, y0)))) &&
               !straightStem(w, h, x0, y0)) {
        // The figures of a serif or slanted 1 (flag, foot) also cover, if
        // loosely, the arc and base of a small 2; a 1 has a stem through
        // its middle half, upright or slanted, that a 2's diagonal is not.
        // A loose match without one is a question. In a small digit the
        // figure of a 1 lies within the ink of a 2, 3 or 5 and scores well
        // while it leaves half of that ink uncovered: such a 1 must show
        // its stem too; so must a 1 of strokes as thin as the figures',
        // however tall (a scanned page's digits a pixel or two above small
        // print).
        score = 100;
    } else if (d == 1 && score >= WeakFigureScore && h >= SmallDigitHeight &&
               (stemAtRightEdge(w, h, x0, y0) || (footUnderStem(w, h, x0, y0) && straightStem(w, h, x0, y0)))) {
        // The figures are laid over the box without its last column. A
        // sans 1 with a flag to the left and no foot has its stem in that
        // column and the one before, and no figure covers half a stem: a
        // narrow group whose lower two thirds are one straight stem ending
        // at the box's right edge is the 1 its figures make it, no doubt.
        // So is a straight stem on a foot that spans both its sides, which
        // no other digit has (a typewriter 1 of one-pixel strokes, whose
        // figures miss much of its thin ink).
        score = WeakFigureScore - 1;
    }
    if (d == 4 && N == 2 && (paper_[listed[1]].MaxY - y0) * 5 >= h * 4) {
        // A 4's counter is the triangle over its bar, and the bar and the
        // stem under it take the lowest fifth of the digit at least; a hole
        // that reaches down into that fifth is the bowl of a 6, which the
        // figures of a 4 may cover as loosely. A question.
        score = 100;
    }
    if (d == 4 && N == 1 && h >= SmallDigitHeight && openTop(w, h, x0, y0)) {
        // A 4 rises to one point, where its diagonal meets its stem, and
        // closes its triangle under it. Without a hole (the paper round the
        // digit is all there is), two strokes side by side under its top are
        // the bowl of a 9 or a 0 whose hairline top the print broke, which
        // the figures of a 4 cover well enough. A question.
        score = 100;
    }
    if (whole && score < 100 && d != 1 && d != 8 && (N == 1 || N == 2) && inHoleClass(d, N)) {
        // In small print the figures of two digits differ by a few cells,
        // and the hole tells more than they do. A digit with one hole has
        // no rival in a digit that has none (1, 2, 3, 5, 7), nor one
        // without a hole in a digit with one (0, 4, 6, 9); an 8 stays a
        // rival of both (heavy ink fills its loops). And of a 0 and a 6, a
        // 0's hole runs from its top quarter to its bottom quarter, a 6's
        // is its bowl, low in the digit, with the hook open at the right
        // above it: where the hole says which, the other's figures are no
        // rival either. Nor are an 8's where the hole says 6: the right side
        // of an 8's upper loop stands where a 6 is open, filled or not.
        const bool zeroHole = d == 0 && N == 2 && (paper_[listed[1]].MinY - y0) * 4 <= h &&
                              (paper_[listed[1]].MaxY - y0) * 4 >= 3 * h;
        const bool sixHole = d == 6 && N == 2 && lowerHole(h, y0, listed) && openUpperRight(w, h, x0, y0);
        const int32_t rival = zeroHole ? 6 : sixHole ? 0 : -1;
        runnerUpMargin_ = 10000;
        for (int32_t dgt = 0; dgt <= 9; ++dgt)
            if (dgt != d && dgt != rival && !(sixHole && dgt == 8) && (dgt == 8 || inHoleClass(dgt, N)))
                runnerUpMargin_ =
                    std::min(runnerUpMargin_, byDigit_[static_cast<size_t>(dgt)] - byDigit_[static_cast<size_t>(d)]);
    }
    if (whole && score < 100 && d == 1 && straightStem(w, h, x0, y0)) {
        // A small 1 with its flag and foot lies within the figure of a 2,
        // which then scores close behind; but a 2 crosses its middle rows
        // in its diagonal, whose left edge runs across the digit, where a 1
        // shows its stem. A 1 that shows it has no 2 for a rival.
        runnerUpMargin_ = 10000;
        for (int32_t dgt = 0; dgt <= 9; ++dgt)
            if (dgt != d && dgt != 2)
                runnerUpMargin_ =
                    std::min(runnerUpMargin_, byDigit_[static_cast<size_t>(dgt)] - byDigit_[static_cast<size_t>(d)]);
    }
    // A 1 that a figure of a 2 covers nearly as well (the reader decides
    // what that means; see oneOrTwo).
    oneOrTwo_ = d == 1 && score < 100 && byDigit_[2] - byDigit_[1] < SmallDigitMargin;
    return d;
}

bool DigitMatcher::thinStrokes(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    auto ink = [&](int32_t x, int32_t y) {
        return x >= 0 && x <= w && y >= 0 && y <= h && labels_[x0 + x][y0 + y] / 100 == 2;
    };
    int32_t area = 0;
    int32_t edge = 0;
    for (int32_t x = 0; x <= w; ++x)
        for (int32_t y = 0; y <= h; ++y)
            if (ink(x, y)) {
                ++area;
                if (!ink(x - 1, y) || !ink(x + 1, y) || !ink(x, y - 1) || !ink(x, y + 1))
                    ++edge;
            }
    return edge > 0 && 200 * area <= ThinDigitStroke100 * edge;
}

bool DigitMatcher::inkInRow(int32_t xFirst, int32_t xLast, int32_t y, int32_t x0, int32_t y0) const
{
    for (int32_t x = xFirst; x <= xLast; ++x)
        if (labels_[x0 + x][y0 + y] / 100 == 2)
            return true;
    return false;
}

bool DigitMatcher::someRowBare(int32_t xFirst, int32_t xLast, int32_t yFirst, int32_t yLast, int32_t x0,
                              int32_t y0) const
{
    for (int32_t y = yFirst; y <= yLast; ++y)
        if (!inkInRow(xFirst, xLast, y, x0, y0))
            return true;
    return false;
}

bool DigitMatcher::openUpperLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Some row from a quarter of the height to nearly half has all its ink
    // in the right half of the group: where a 9 has the left side of its
    // bowl (left of the middle, even where its tail reaches further left),
    // the arc of a 2 has only its right side.
    return someRowBare(0, w / 2, h / 4, h * 45 / 100, x0, y0);
}

bool DigitMatcher::baseBar(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Every column but one at most has ink in the group's two bottom rows.
    int32_t bare = 0;
    for (int32_t x = 0; x <= w; ++x)
        bare += labels_[x0 + x][y0 + h] / 100 == 2 || labels_[x0 + x][y0 + h - 1] / 100 == 2 ? 0 : 1;
    return bare <= 1;
}

bool DigitMatcher::baseHalf(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Some row of the lowest fifth of the group is inked across half its
    // width at least.
    if (w < 4 || h < 8)
        return true;
    for (int32_t y = h - h / 5; y <= h; ++y) {
        int32_t n = 0;
        for (int32_t x = 0; x <= w; ++x)
            n += labels_[x0 + x][y0 + y] / 100 == 2 ? 1 : 0;
        if (n * 2 >= w + 1)
            return true;
    }
    return false;
}

bool DigitMatcher::lowerHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const
{
    // One hole, its middle below three fifths of the group's height.
    if (listed.size() != 2)
        return false;
    const ComponentBox& hole = paper_[listed[1]];
    return (hole.MinY + hole.MaxY - 2 * y0) * 100 >= h * 120;
}

bool DigitMatcher::upperHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const
{
    // One hole under half the group's height, its middle above two fifths
    // of it (a 0's runs from near the top to near the bottom).
    if (listed.size() != 2)
        return false;
    const ComponentBox& hole = paper_[listed[1]];
    return (hole.MinY + hole.MaxY - 2 * y0) * 100 < h * 80 && (hole.MaxY - hole.MinY + 1) * 2 < h + 1;
}

bool DigitMatcher::lowHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const
{
    // One hole, its top below the upper two fifths of the group.
    if (listed.size() != 2)
        return false;
    const ComponentBox& hole = paper_[listed[1]];
    return (hole.MinY - y0) * 100 > h * 40;
}

bool DigitMatcher::roundTopLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // The ink of the two top rows starts more than a sixth of the width
    // right of the left edge of the rows from a fifth of the height to two
    // fifths: a stroke that curves in toward the top, not a corner.
    const auto leftEdge = [&](int32_t from, int32_t to) {
        int32_t left = w + 1;
        for (int32_t y = from; y <= to; ++y)
            for (int32_t x = 0; x < left && x <= w; ++x)
                if (labels_[x0 + x][y0 + y] / 100 == 2) {
                    left = x;
                    break;
                }
        return left;
    };
    return (leftEdge(0, 1) - leftEdge(h / 5, 2 * h / 5)) * 6 > w + 1;
}

bool DigitMatcher::openUpperRight(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Some row from a quarter of the height to nearly half has no ink in
    // the right third of the group: where an 8 has the right side of its
    // upper loop, a 6 (its tail ends above) and a 5 (its bar ends above)
    // have nothing.
    return someRowBare(w - w / 3, w, h / 4, h * 45 / 100, x0, y0);
}

bool DigitMatcher::threeArcs(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // A 3 is narrower than high: wider, the group holds touching digits.
    if ((w + 1) * 5 > (h + 1) * 4)
        return false;
    const auto inkIn = [&](int32_t y, int32_t from, int32_t to) { return inkInRow(from, to, y, x0, y0); };
    // Open at the left from under the top arc's end to over the lower
    // arc's: no ink in the left quarter (the point of a serif 3's waist
    // reaches in to about a third), where a 5 has its stem, a 9, 0, 6 or
    // 8 the side of a loop. Only the point of an italic 3's waist may
    // reach that far, in a row (of a digit twenty pixels tall or so) where
    // it runs on unbroken to the middle: a dot beside a 7 does not.
    const int32_t quarter = std::max(1, (w + 1) / 4);
    int32_t pointRows = 0;
    for (int32_t y = h * 30 / 100; y <= h * 70 / 100; ++y) {
        if (!inkIn(y, 0, quarter - 1))
            continue;
        int32_t x = 0;
        while (!inkIn(y, x, x))
            ++x;
        bool point = true;
        for (; x <= w / 2 && point; ++x)
            point = inkIn(y, x, x);
        if (!point || ++pointRows > std::max(0, h / 10 - 1))
            return false;
    }
    // The backs of both arcs in the right third all down the bands above
    // and under the waist (the upper arc may be the smaller): a 7's stroke
    // and a 2's diagonal leave the lower one, a 5's bar ends above the
    // upper one. Each arc is open inside: some row of its band has all its
    // ink right of the middle, where the stroke of a heavy 7 crosses it.
    const int32_t third = std::max(1, (w + 1) / 3);
    for (const auto& [lo, hi] : {std::pair{20, 30}, std::pair{60, 80}}) {
        bool open = false;
        for (int32_t y = h * lo / 100; y <= h * hi / 100; ++y) {
            if (!inkIn(y, w - third + 1, w))
                return false;
            open = open || !inkIn(y, 0, w / 2);
        }
        if (!open)
            return false;
    }
    // The waist reaches in left of the middle from the backs (a bracket,
    // the half of a 0, has only its back there).
    bool waist = false;
    for (int32_t y = h * 35 / 100; y <= h * 65 / 100 && !waist; ++y)
        waist = inkIn(y, 0, w / 2 - 1) && inkIn(y, w - third + 1, w);
    // The top arc starts left of the middle; the lower one ends in the
    // left third.
    bool top = false;
    for (int32_t y = 0; y <= h / 5 && !top; ++y)
        top = inkIn(y, 0, w / 2 - 1);
    bool foot = false;
    for (int32_t y = h - h / 5; y <= h && !foot; ++y)
        foot = inkIn(y, 0, third - 1);
    return waist && top && foot;
}

bool DigitMatcher::eightLoops(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // An 8 is narrower than high: wider, the group holds touching digits.
    if ((w + 1) * 5 > (h + 1) * 4)
        return false;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    const auto inkIn = [&](int32_t y, int32_t from, int32_t to) { return inkInRow(from, to, y, x0, y0); };
    // Both sides of each loop all down its band, and paper in the middle
    // column between them in some row: a 3 has no left sides, a 5 and a 6
    // lack one side of the upper loop, a 9 of the lower one.
    const int32_t third = std::max(1, (w + 1) / 3);
    const int32_t mid = w / 2;
    int32_t paperAt[2] = {-1, -1};
    int32_t band = 0;
    for (const auto& [lo, hi] : {std::pair{15, 30}, std::pair{65, 85}}) {
        for (int32_t y = h * lo / 100; y <= h * hi / 100; ++y) {
            if (!inkIn(y, 0, third - 1) || !inkIn(y, w - third + 1, w))
                return false;
            if (paperAt[band] < 0 && !ink(mid, y))
                paperAt[band] = y;
        }
        if (paperAt[band] < 0)
            return false;
        ++band;
    }
    // Down from the upper loop's band to the lower one's, every row has ink
    // on both sides of the middle column (a loop's sides, then the waist
    // across it): the arcs of a 3 end at the left and leave rows above and
    // under its waist bare there.
    for (int32_t y = h * 15 / 100; y <= h * 85 / 100; ++y)
        if (!inkIn(y, 0, mid) || !inkIn(y, mid, w))
            return false;
    // A waist between the loops bare at both quarters (a 0 has its sides
    // there), its ink across the middle.
    const int32_t quarter = std::max(1, (w + 1) / 4);
    bool waist = false;
    for (int32_t y = h * 35 / 100; y <= h * 65 / 100 && !waist; ++y)
        waist = !inkIn(y, 0, quarter - 1) && !inkIn(y, w - quarter + 1, w) && inkIn(y, quarter, w - quarter);
    if (!waist)
        return false;
    // Ink in the middle third over the upper loop's paper and under the
    // lower one's: the loops close at the top and the bottom.
    bool top = false;
    for (int32_t y = 0; y < paperAt[0] && !top; ++y)
        top = inkIn(y, third, w - third);
    bool bottom = false;
    for (int32_t y = paperAt[1] + 1; y <= h && !bottom; ++y)
        bottom = inkIn(y, third, w - third);
    return top && bottom;
}

bool DigitMatcher::openLowerLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Some row from a little over half the height to four fifths has no
    // ink in the left third of the group: where a 0 has the left side of
    // its loop, a 9 (its tail comes down at the right) has nothing; where a
    // 6 has the side of its bowl, a 5 is open between the foot of its stem
    // and the end of its bowl.
    return someRowBare(0, w / 3, h * 55 / 100, h * 80 / 100, x0, y0);
}

DigitMatcher::PieceShares DigitMatcher::pieceShares(int32_t cols, int32_t rows, int32_t x0, int32_t y0) const
{
    PieceShares pieces;
    for (int32_t x = 0; x < cols; ++x)
        for (int32_t y = 0; y < rows; ++y) {
            const int32_t L = labels_[x0 + x][y0 + y];
            if (L / 100 == 2) {
                ++pieces.share[static_cast<size_t>(L % 100)];
                ++pieces.total;
            }
        }
    return pieces;
}

bool DigitMatcher::straightStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // A dot of a scan that stands in the box beside the stem is no run
    // of the digit: only components holding a tenth of the box's ink count.
    const PieceShares pieces = pieceShares(w, h, x0, y0);
    const auto ink = [&](int32_t x, int32_t y) {
        const int32_t L = labels_[x0 + x - 1][y0 + y - 1];
        return pieces.sizeable(L);
    };
    // From a third of the height (under the flag) down to three quarters
    // (over the foot) every row holds one run of ink, and its left edge
    // drifts by the slant of the stem only: at most a quarter of the height
    // (an italic leans by about an eighth). A 2 shows its arc there as two
    // runs, then its diagonal. A gap of one pixel in a digit that is not
    // small is a flaw of the print, not paper between strokes.
    const bool bridge = h >= SmallDigitHeight;
    int32_t lo = w + 1;
    int32_t hi = 0;
    for (int32_t y = std::max(1, (h + 2) / 3); y <= 3 * h / 4; ++y) {
        int32_t runs = 0;
        int32_t left = 0;
        for (int32_t x = 1; x <= w; ++x)
            if (ink(x, y) && (x == 1 || !ink(x - 1, y)) && !(bridge && x > 2 && ink(x - 2, y))) {
                ++runs;
                left = left == 0 ? x : left;
            }
        if (runs > 1)
            return false;
        if (runs == 0)
            continue;
        lo = std::min(lo, left);
        hi = std::max(hi, left);
    }
    return hi == 0 || hi - lo <= std::max(1, h / 4);
}

bool DigitMatcher::stemAtRightEdge(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // A group at most a third as wide as high; from a third of its height
    // down to its last eighth (where a foot may widen it) every row holds
    // one run of ink whose edges stay within a pixel, and the run ends in
    // the group's last column.
    if ((w + 1) * 3 > h + 1)
        return false;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    int32_t loL = w + 1;
    int32_t hiL = -1;
    int32_t loR = w + 1;
    int32_t hiR = -1;
    for (int32_t y = (h + 2) / 3; y <= h - std::max(1, h / 8); ++y) {
        int32_t runs = 0;
        int32_t left = -1;
        int32_t right = -1;
        for (int32_t x = 0; x <= w; ++x) {
            runs += ink(x, y) && (x == 0 || !ink(x - 1, y)) ? 1 : 0;
            left = left < 0 && ink(x, y) ? x : left;
            right = ink(x, y) ? x : right;
        }
        if (runs != 1)
            return false;
        loL = std::min(loL, left);
        hiL = std::max(hiL, left);
        loR = std::min(loR, right);
        hiR = std::max(hiR, right);
    }
    return hiR == w && hiL - loL <= 1 && hiR - loR <= 1;
}

bool DigitMatcher::thinStemOnly(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // From a quarter of the height to three quarters every row of the group
    // holds one run of ink at most a third of its width wide: a stem. The
    // middle bar of a 3 crosses half of the width or more.
    for (int32_t y = h / 4; y <= 3 * h / 4; ++y) {
        int32_t runs = 0;
        int32_t width = 0;
        for (int32_t x = 0; x <= w; ++x) {
            const bool ink = labels_[x0 + x][y0 + y] / 100 == 2;
            if (ink && (x == 0 || labels_[x0 + x - 1][y0 + y] / 100 != 2))
                ++runs;
            width += ink ? 1 : 0;
        }
        if (runs > 1 || width * 3 > w + 1)
            return false;
    }
    return true;
}

bool DigitMatcher::uprightStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // From a third of the height to three quarters every row of the group
    // holds one run of ink over half the group's width, and neither of its
    // edges moves by more than an eighth of that width (a pixel at least).
    // The thin stroke of a typewriter 7 may stand nearly upright; a 7's
    // stroke is never so wide beside its bar.
    int32_t loL = w + 1;
    int32_t hiL = -1;
    int32_t loR = w + 1;
    int32_t hiR = -1;
    for (int32_t y = (h + 2) / 3; y <= 3 * h / 4; ++y) {
        int32_t runs = 0;
        int32_t left = -1;
        int32_t right = -1;
        for (int32_t x = 0; x <= w; ++x) {
            const bool ink = labels_[x0 + x][y0 + y] / 100 == 2;
            if (ink && (x == 0 || labels_[x0 + x - 1][y0 + y] / 100 != 2))
                ++runs;
            if (ink) {
                left = left < 0 ? x : left;
                right = x;
            }
        }
        if (runs != 1 || (right - left + 1) * 2 < w + 1)
            return false;
        loL = std::min(loL, left);
        hiL = std::max(hiL, left);
        loR = std::min(loR, right);
        hiR = std::max(hiR, right);
    }
    const int32_t drift = std::max(1, (w + 1) / 8);
    return hiL >= 0 && hiL - loL <= drift && hiR - loR <= drift;
}

bool DigitMatcher::footUnderStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    if (w < 4 || h < 8)
        return false;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    // From a third of the height to three quarters each row holds one run
    // under half the width: a stem (or a 7's stroke).
    for (int32_t y = (h + 2) / 3; y <= 3 * h / 4; ++y) {
        int32_t runs = 0;
        int32_t width = 0;
        for (int32_t x = 0; x <= w; ++x) {
            runs += ink(x, y) && (x == 0 || !ink(x - 1, y)) ? 1 : 0;
            width += ink(x, y) ? 1 : 0;
        }
        if (runs != 1 || width * 2 > w + 1)
            return false;
    }
    // The foot: one of the two bottom rows inked across three quarters of
    // the width, with the rows over it that are so too (a heavy foot is
    // as thick as the stem is wide), up to the lowest quarter. The row over
    // the foot holds the stem alone, clear of both ends of the foot by a
    // quarter of the width: the stroke of a 2 comes down to the left end of
    // its base.
    const auto footRow = [&](int32_t y) {
        int32_t foot = 0;
        for (int32_t x = 0; x <= w; ++x)
            foot += ink(x, y) ? 1 : 0;
        return foot * 4 >= (w + 1) * 3;
    };
    for (int32_t f = h; f >= h - 1; --f) {
        if (!footRow(f))
            continue;
        int32_t y = f - 1;
        while (y > 3 * h / 4 && footRow(y))
            --y;
        int32_t left = -1;
        int32_t right = -1;
        for (int32_t x = 0; x <= w; ++x)
            if (ink(x, y)) {
                left = left < 0 ? x : left;
                right = x;
            }
        const int32_t clear = (w + 1) / 4;
        return left >= clear && right <= w - clear;
    }
    return false;
}

int32_t DigitMatcher::barOverStem(int32_t w, int32_t h, int32_t x0, int32_t y0, bool rightOfThird) const
{
    if (w < 4 || h < 8)
        return -1;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    // The bar: the first row from half the height down inked across three
    // quarters of the width.
    for (int32_t y = h / 2; y <= h - 2; ++y) {
        int32_t bar = 0;
        for (int32_t x = 0; x <= w; ++x)
            bar += ink(x, y) ? 1 : 0;
        if (bar * 4 < (w + 1) * 3)
            continue;
        // Under the rest of the bar's thickness at least two rows each
        // hold one run under half the width, right of the left third: the
        // stem. A serif face stands it on a foot: in the bottom rows (an
        // eighth of the height, two at least) one run that spans the stem.
        int32_t stem = 0;
        int32_t stemLeft = w + 1;
        int32_t stemRight = -1;
        for (int32_t yy = y + 1; yy <= h; ++yy) {
            int32_t runs = 0;
            int32_t width = 0;
            int32_t left = -1;
            int32_t right = -1;
            for (int32_t x = 0; x <= w; ++x) {
                runs += ink(x, yy) && (x == 0 || !ink(x - 1, yy)) ? 1 : 0;
                width += ink(x, yy) ? 1 : 0;
                left = left < 0 && ink(x, yy) ? x : left;
                right = ink(x, yy) ? x : right;
            }
            if (stem == 0 && width * 2 > w + 1 && yy <= y + std::max(1, h / 8))
                continue;
            if (stem >= 2 && yy > h - std::max(2, h / 8) && runs == 1 && left <= stemLeft && right >= stemRight)
                continue;
            if (runs != 1 || width * 2 > w + 1 || (rightOfThird && left * 3 < w + 1))
                return -1;
            ++stem;
            stemLeft = std::min(stemLeft, left);
            stemRight = std::max(stemRight, right);
        }
        return stem >= 2 ? y : -1;
    }
    return -1;
}

bool DigitMatcher::fourOnBar(int32_t w, int32_t h, int32_t x0, int32_t y0, const std::vector<int32_t>& listed) const
{
    // The hole stands wholly above the bar, its top in the upper half.
    if (listed.size() != 2)
        return false;
    const int32_t bar = barOverStem(w, h, x0, y0, true);
    const ComponentBox& hole = paper_[listed[1]];
    return bar >= 0 && hole.MaxY - y0 < bar && (hole.MinY - y0) * 2 <= h;
}

bool DigitMatcher::twoOnBase(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    if (w < 4 || h < 8)
        return false;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    const auto count = [&](int32_t y) {
        int32_t n = 0;
        for (int32_t x = 0; x <= w; ++x)
            n += ink(x, y) ? 1 : 0;
        return n;
    };
    // The base: one of the two bottom rows inked across three quarters of
    // the width, with the rows over it that are so too (a serif face's
    // base is as thick as its strokes), within the lowest quarter.
    int32_t f = h;
    if (count(f) * 4 < (w + 1) * 3)
        --f;
    if (count(f) * 4 < (w + 1) * 3)
        return false;
    while (f - 1 > 3 * h / 4 && count(f - 1) * 4 >= (w + 1) * 3)
        --f;
    int32_t baseLeft = 0;
    while (baseLeft < w && !ink(baseLeft, f))
        ++baseLeft;
    // From three tenths of the height down to the base each row holds one
    // run under half the width (the back of the arc, then the stroke),
    // whose left edge only moves left, by a pixel of noise at most the
    // other way, and on the whole by a third of the width, or by a quarter
    // from the right half down to within a quarter of the width of the
    // base's left end (a slanted 2 stood upright): the stroke of a 2. A 3's lower arc
    // and a 1's stem do not run so. Beside it a row may hold the end of the
    // arc, hanging down in the left third in the upper half, or the end of
    // the base, turned up in the right quarter in the lowest quarter.
    int32_t first = -1;
    int32_t last = -1;
    int32_t previous = w + 1;
    for (int32_t y = h * 3 / 10; y < f; ++y) {
        int32_t runs = 0;
        int32_t width = 0;
        int32_t left = -1;
        for (int32_t x = 0; x <= w; ++x) {
            if (!ink(x, y) || (x > 0 && ink(x - 1, y)))
                continue;
            int32_t end = x;
            while (end < w && ink(end + 1, y))
                ++end;
            const bool arcEnd = end <= w / 3 && y * 2 <= h;
            const bool baseEnd = x >= w - w / 4 && y * 4 >= 3 * h;
            if (arcEnd || baseEnd)
                continue;
            ++runs;
            width += end - x + 1;
            left = left < 0 ? x : left;
        }
        // Where the stroke meets the base it widens into it: the row over
        // the base may be wider (not in small print, where that row is the
        // lower arc of a 3), and it tells nothing of the stroke's way.
        const bool meetsBase = width * 2 > w + 1 && y + 1 == f && h >= SmallDigitHeight;
        if (runs != 1 || (width * 2 > w + 1 && !meetsBase) || left > previous + 1)
            return false;
        if (meetsBase)
            continue; // where the stroke went is told by the rows over it
        previous = std::min(previous, left);
        first = first < 0 ? left : first;
        last = left;
    }
    if (first < 0 || ((first - last) * 3 < w + 1 &&
                       ((first - last) * 4 < w + 1 || first * 2 < w + 1 || (last - baseLeft) * 4 > w + 1)))
        return false;
    // The arc: ink in the left third among the top quarter of the rows.
    for (int32_t y = 0; y <= h / 4; ++y)
        for (int32_t x = 0; x <= w / 3; ++x)
            if (ink(x, y))
                return true;
    return false;
}

bool DigitMatcher::sevenStroke(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    if (w < 4 || h < 8)
        return false;
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x][y0 + y] / 100 == 2; };
    // The bar: one of the top two rows (a turned page sets it a pixel
    // askew) inked across three quarters of the width.
    bool bar = false;
    for (int32_t y = 0; y <= 1 && !bar; ++y) {
        int32_t n = 0;
        for (int32_t x = 0; x <= w; ++x)
            n += ink(x, y) ? 1 : 0;
        bar = n * 4 >= (w + 1) * 3;
    }
    if (!bar)
        return false;
    // Under the bar (a bold one reaches down to a quarter of the height or
    // more) every row down to the bottom holds one run of ink at most half
    // the width wide (a gap of a pixel in a digit that is not small is a
    // flaw of the print); the stroke starts under the right third and its
    // left edge never moves back to the right by more than the stroke's
    // jitter (a 3's lower arc, a 5's bowl, a 2's base do). It ends in the
    // left half. A serif face ends the bar at the left in a beak: ink in
    // the left quarter of the top quarter's rows belongs to the bar.
    const bool bridge = h >= SmallDigitHeight;
    const int32_t jitter = std::max(1, w / 10);
    int32_t minLeft = w + 1;
    int32_t left = 0;
    bool stroke = false;
    for (int32_t y = h / 5; y <= h; ++y) {
        int32_t runs = 0;
        int32_t right = -1;
        left = -1;
        for (int32_t x = 0; x <= w; ++x) {
            if (!ink(x, y) || (y <= h / 4 && x < w / 4))
                continue;
            if (left < 0 || (x > right + 1 && !(bridge && x == right + 2)))
                ++runs;
            left = left < 0 ? x : left;
            right = x;
        }
        const bool wide = (right - left + 1) * 2 > w + 1;
        if (!stroke && runs == 1 && wide && y <= h / 3)
            continue; // still the bar
        if (runs != 1 || wide)
            return false;
        if (!stroke && right * 3 < w * 2)
            return false;
        stroke = true;
        if (left > minLeft + jitter)
            return false;
        minLeft = std::min(minLeft, left);
    }
    return left * 2 <= w;
}

bool DigitMatcher::bentRightEdge(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Rows from a quarter of the height to three quarters (over the foot;
    // a flag stands at the left): the rightmost ink moves left by two
    // pixels or more and then right again by two or more.
    int32_t most = -1;
    int32_t least = w + 1;
    bool wentIn = false;
    for (int32_t y = h / 4; y <= 3 * h / 4; ++y) {
        int32_t right = -1;
        for (int32_t x = 0; x <= w; ++x)
            if (labels_[x0 + x][y0 + y] / 100 == 2)
                right = x;
        if (right < 0)
            continue;
        if (wentIn && right >= least + 2)
            return true;
        most = std::max(most, right);
        if (right <= most - 2) {
            wentIn = true;
            least = std::min(least, right);
        }
    }
    return false;
}

bool DigitMatcher::splitAcross(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Rows from a quarter of the height to seven eighths: at least two
    // running (and a tenth of the height) with no ink of a piece that
    // holds a tenth of the box's ink, and the rows on either side of them
    // share no column: a stem broken across would go on below the gap.
    const PieceShares pieces = pieceShares(w + 1, h + 1, x0, y0);
    const auto ink = [&](int32_t x, int32_t y) {
        const int32_t L = labels_[x0 + x][y0 + y];
        return pieces.sizeable(L);
    };
    const auto rowInk = [&](int32_t y) {
        for (int32_t x = 0; x <= w; ++x)
            if (ink(x, y))
                return true;
        return false;
    };
    const int32_t need = std::max(2, h / 10);
    int32_t run = 0;
    for (int32_t y = h / 4; y <= h * 7 / 8; ++y) {
        if (rowInk(y)) {
            run = 0;
            continue;
        }
        if (++run != need)
            continue;
        const int32_t above = y - run;
        int32_t below = y + 1;
        while (below <= h && !rowInk(below))
            ++below;
        if (above < 0 || below > h)
            return false;
        bool shared = false;
        for (int32_t x = 0; x <= w && !shared; ++x)
            shared = ink(x, above) && ink(x, below);
        if (!shared)
            return true;
    }
    return false;
}

bool DigitMatcher::leftSideUnderBar(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    for (int32_t y = h * 30 / 100; y <= h / 2; ++y) {
        bool ink = false;
        for (int32_t x = 0; x < std::max(1, w / 3) && !ink; ++x)
            ink = labels_[x0 + x][y0 + y] / 100 == 2;
        if (!ink)
            return false;
    }
    return true;
}

bool DigitMatcher::bracket(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // The stem: the ink of the rows from a third of the height to two
    // thirds. The ends: the top and bottom eighth of the rows (two at
    // least). Every row of both ends reaches beyond the stem on one side,
    // the same for both, by two pixels or more somewhere (a curl, where a
    // flag or a foot is a bar in its outer rows only), and the bottom end
    // reaches nowhere beyond the other side.
    const auto extent = [&](int32_t y, int32_t& lo, int32_t& hi) { return inkExtent(w, x0, y0 + y, lo, hi); };
    int32_t sl = w + 1, sr = -1;
    for (int32_t y = h / 3; y <= 2 * h / 3; ++y) {
        int32_t lo = 0, hi = 0;
        if (extent(y, lo, hi)) {
            sl = std::min(sl, lo);
            sr = std::max(sr, hi);
        }
    }
    if (sr < 0)
        return false;
    const int32_t end = std::max(2, (h + 1) / 8);
    // side -1: the left; +1: the right.
    const auto curls = [&](int32_t from, int32_t to, int32_t side, bool otherBare) {
        bool far = false;
        bool away = true;
        for (int32_t y = from; y <= to; ++y) {
            int32_t lo = 0, hi = 0;
            if (!extent(y, lo, hi))
                return false;
            const int32_t beyond = side < 0 ? sl - lo : hi - sr;
            const int32_t other = side < 0 ? hi - sr : sl - lo;
            if (beyond < 1 || (otherBare && other > 0))
                return false;
            far = far || beyond >= 2;
            // A thin stroke curls by a pixel only, but leaves the stem's
            // line altogether.
            away = away && (side < 0 ? hi < sr : lo > sl);
        }
        return far || away;
    };
    for (int32_t side : {-1, 1})
        if (curls(0, end - 1, side, false) && curls(h - end + 1, h, side, true))
            return true;
    return false;
}

bool DigitMatcher::barEnd(int32_t x, int32_t h, int32_t x0, int32_t y0) const
{
    // Column x (1-based in the box) holds ink, all of it in rows where the
    // column left of it is inked too, in one run of at most two rows, off
    // the top quarter and the bottom fifth: the end of a bar reaching past
    // the stem (a serif 4's), not the end of a 1's foot or a 2's base.
    const auto ink = [&](int32_t cx, int32_t y) { return labels_[x0 + cx - 1][y0 + y] / 100 == 2; };
    int32_t rows = 0;
    int32_t first = -1;
    for (int32_t y = 0; y <= h; ++y)
        if (ink(x, y)) {
            if (!ink(x - 1, y) || (first >= 0 && y - first > 1))
                return false;
            first = first < 0 ? y : first;
            ++rows;
        }
    return rows > 0 && first >= h / 4 && first + rows - 1 < h - h / 5;
}

bool DigitMatcher::tailAtRight(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Every row of the bottom quarter holds one run of ink, off the left
    // edge, and the first of them starts right of the middle column (a 0
    // has both its sides there); a 9's tail may curl left below.
    if (w < 4 || h < 8)
        return false;
    for (int32_t y = h - h / 4; y <= h; ++y) {
        int32_t runs = 0;
        int32_t left = -1;
        for (int32_t x = 0; x <= w; ++x) {
            const bool ink = labels_[x0 + x][y0 + y] / 100 == 2;
            runs += ink && (x == 0 || labels_[x0 + x - 1][y0 + y] / 100 != 2) ? 1 : 0;
            left = left < 0 && ink ? x : left;
        }
        if (runs != 1 || left == 0 || (y == h - h / 4 && left * 2 <= w))
            return false;
    }
    return true;
}

bool DigitMatcher::openTop(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Rows of the upper third that hold two strokes with paper between,
    // the left one at the left edge (the side of a bowl; the diagonal of a
    // 4 comes down from its top at the right and reaches the left edge
    // only at its bar) and at least half as wide as the right one (a
    // sliver in the edge column is the end of a neighbour's stroke that
    // the digit's box takes in).
    int32_t split = 0;
    for (int32_t y = 0; y <= h / 3; ++y) {
        std::vector<std::pair<int32_t, int32_t>> runs;
        for (int32_t x = 0; x <= w; ++x)
            if (labels_[x0 + x][y0 + y] / 100 == 2) {
                if (runs.empty() || runs.back().second != x - 1)
                    runs.emplace_back(x, x);
                else
                    runs.back().second = x;
            }
        if (runs.size() >= 2 && runs.front().first * 4 <= w &&
            2 * (runs.front().second - runs.front().first + 1) >= runs.back().second - runs.back().first + 1)
            ++split;
    }
    return split >= 2;
}

bool DigitMatcher::bareMiddle(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Some row from a quarter of the height to three quarters has no ink
    // in the middle third of the columns, where a 1 has its stem; unless a
    // column holds ink in all those rows (a 1 whose flag reaches far has
    // its stem right of the middle).
    for (int32_t x = 0; x <= w; ++x) {
        bool stem = true;
        for (int32_t y = h / 4; y <= 3 * h / 4 && stem; ++y)
            stem = labels_[x0 + x][y0 + y] / 100 == 2;
        if (stem)
            return false;
    }
    for (int32_t y = h / 4; y <= 3 * h / 4; ++y) {
        bool ink = false;
        for (int32_t x = w / 3; x <= 2 * w / 3 && !ink; ++x)
            ink = labels_[x0 + x][y0 + y] / 100 == 2;
        if (!ink)
            return true;
    }
    return false;
}

bool DigitMatcher::twoStrokesLow(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // A dot of a scan beside the stem is no stroke: only pieces holding
    // a tenth of the box's ink count. A gap of one pixel in a digit that is
    // not small is a flaw of the print, not paper between strokes.
    const PieceShares pieces = pieceShares(w + 1, h + 1, x0, y0);
    const bool bridge = h >= SmallDigitHeight;
    for (int32_t y = h / 2; y <= 3 * h / 4; ++y) {
        int32_t runs = 0;
        int32_t last = -3;
        for (int32_t x = 0; x <= w; ++x) {
            const int32_t L = labels_[x0 + x][y0 + y];
            if (!pieces.sizeable(L))
                continue;
            if (x > last + 1 && !(bridge && x == last + 2))
                ++runs;
            last = x;
        }
        if (runs > 1)
            return true;
    }
    return false;
}

bool DigitMatcher::inkExtent(int32_t w, int32_t x0, int32_t y, int32_t& lo, int32_t& hi) const
{
    lo = w + 1;
    hi = -1;
    for (int32_t x = 0; x <= w; ++x)
        if (labels_[x0 + x][y] / 100 == 2) {
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
    return hi >= 0;
}

bool DigitMatcher::footToOneSide(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    if (w < 3 || h < 6)
        return false;
    const auto extent = [&](int32_t y, int32_t& lo, int32_t& hi) { return inkExtent(w, x0, y0 + y, lo, hi); };
    // The foot: the wider of the two bottom rows, across half the box.
    int32_t fl = 0, fr = -1, fy = h;
    for (int32_t y = h; y >= h - 1; --y) {
        int32_t lo = 0, hi = 0;
        if (extent(y, lo, hi) && hi - lo > fr - fl) {
            fl = lo;
            fr = hi;
            fy = y;
        }
    }
    if ((fr - fl + 1) * 2 < w + 1)
        return false;
    // The stroke it stands under: the nearest row over the foot that is
    // no wider than half the box.
    for (int32_t y = fy - 1; y >= h / 2; --y) {
        int32_t lo = 0, hi = 0;
        if (!extent(y, lo, hi))
            return false;
        if ((hi - lo + 1) * 2 > w + 1)
            continue;
        const int32_t left = lo - fl;
        const int32_t right = fr - hi;
        return (left >= 2 && right <= 0) || (right >= 2 && left <= 0);
    }
    return false;
}

bool DigitMatcher::inPieces(int32_t w, int32_t h, int32_t x0, int32_t y0) const
{
    // Two pieces of ink in the box, each a tenth of its ink or more, that
    // meet corner to corner: one stroke that steps diagonally from pixel to
    // pixel, parted by the labelling (the hairline of a 2 between its neck
    // and its base). Pieces a gap apart are a break of the print instead.
    const PieceShares pieces = pieceShares(w + 1, h + 1, x0, y0);
    const auto sizeable = [&](int32_t L) { return pieces.sizeable(L); };
    for (int32_t x = 0; x < w; ++x)
        for (int32_t y = 0; y <= h; ++y) {
            const int32_t a = labels_[x0 + x][y0 + y];
            if (!sizeable(a))
                continue;
            for (int32_t dy = -1; dy <= 1; dy += 2) {
                if (y + dy < 0 || y + dy > h)
                    continue;
                const int32_t b = labels_[x0 + x + 1][y0 + y + dy];
                if (b != a && sizeable(b))
                    return true;
            }
        }
    return false;
}

bool DigitMatcher::serifOne(int32_t w, int32_t h, int32_t x0, int32_t y0, bool oneRowFoot) const
{
    const auto ink = [&](int32_t x, int32_t y) { return labels_[x0 + x - 1][y0 + y - 1] / 100 == 2; };
    // The foot is a flat bar: both bottom rows inked across three quarters
    // of the width (the round bottom of a 3 or 5 narrows there). The stem
    // stands in the middle half of the columns through the middle half of
    // the rows, and from a third of the height down it is all their ink,
    // under half the width (the middle bar of a 3 crosses more; the flag
    // of a 1 ends above).
    int32_t foot = 0;
    for (int32_t x = 1; x <= w; ++x)
        foot += ink(x, h) && ink(x, h - 1) ? 1 : 0;
    // A light face's foot may be its last row alone, inked across the box,
    // where the group has no base of a 2 to show (see the caller).
    int32_t last = 0;
    for (int32_t x = 1; x <= w + 1; ++x)
        last += ink(x, h + 1) ? 1 : 0;
    if (foot * 4 < w * 3 && (!oneRowFoot || last * 4 < (w + 1) * 3))
        return false;
    for (int32_t y = std::max(1, h / 3); y <= 3 * h / 4; ++y) {
        int32_t row = 0;
        for (int32_t x = 1; x <= w; ++x)
            row += ink(x, y) ? 1 : 0;
        if (row * 2 > w)
            return false;
    }
    // The stem goes on down to the foot, within a column either way: the
    // neck of a 2 (an italic one, stood upright, runs straight for a
    // while) leaves it for the left end of the base.
    for (int32_t x = std::max(1, w / 4); x <= 3 * w / 4; ++x) {
        bool stem = true;
        for (int32_t y = std::max(1, h / 4); y <= 3 * h / 4 && stem; ++y)
            stem = ink(x, y);
        for (int32_t y = 3 * h / 4 + 1; y <= h - 2 && stem; ++y)
            stem = ink(x - 1, y) || ink(x, y) || ink(x + 1, y);
        if (stem)
            return true;
    }
    return false;
}

int32_t DigitMatcher::RecDigit(IntSize size, IntPoint origin, int8_t& score, int32_t holeClass)
{
    const int32_t w = size.Width;
    const int32_t h = size.Height;
    const int32_t x0 = origin.X;
    const int32_t y0 = origin.Y;
    score = 100;
    if (w < 1 || h < 1 || x0 < 1 || y0 < 1 || x0 + w - 1 > DigitWindowSide || y0 + h - 1 > DigitWindowSide)
        return -1;
    RenderDigitTemplates(w, h);

    int32_t bestScore = 10000;
    int32_t bestDigit = -1;
    uncoveredInk_ = 0;
    std::array<int32_t, 10>& byDigit = byDigit_;
    byDigit.fill(10000);
    // The box's classes once for all figures (-1 unlabelled, 0 paper, 1
    // ink), in the figures' order: column after column.
    const size_t cells = static_cast<size_t>(w) * static_cast<size_t>(h);
    boxClass_.resize(cells);
    for (int32_t x = 1; x <= w; ++x)
        for (int32_t y = 1; y <= h; ++y)
            boxClass_[static_cast<size_t>(x - 1) * static_cast<size_t>(h) + static_cast<size_t>(y - 1)] =
                static_cast<int8_t>(labels_[x0 + x - 1][y0 + y - 1] / 100 - 1);
    for (int32_t i = 1; i <= figures_; ++i) {
        const uint16_t* T = templates_.data() + static_cast<size_t>(i - 1) * cells;
        int32_t l = 0, S = 0, j = 0, S0 = 0, m = 0, k = 0;
        for (size_t n = 0; n < cells; ++n) {
            // Unlabelled pixels count for nothing.
            const int32_t t = T[n];
            const int32_t c = boxClass_[n];
            const bool covered = c >= 0 && t > 0;
            const bool onPaper = covered && c == 0;
            l += covered ? 1 : 0;
            S += covered ? t : 0;
            j += onPaper ? 1 : 0;
            S0 += onPaper ? t : 0;
            m += c > 0 ? 1 : 0;
            k += c > 0 && t == 0 ? 1 : 0;
        }
        if (l == 0 || S == 0 || m == 0)
            continue;
        const int32_t digit = DigitPacket.Figures[i].Digit;
        // Under a top bar only a 7, 5, 3 or 2 is left when the group has no
        // hole; a digit with a hole wins there only by a thin stem's few
        // pixels (a condensed 7 reads 0).
        if (notOne_ && (digit == 1 || (holeClass == 1 && !inHoleClass(digit, 1))))
            continue;
        if (noOneFigure_ && digit == 1)
            continue;
        if ((notThree_ && digit == 3) || (notFive_ && digit == 5))
            continue;
        int32_t s = 100 * j / l + 100 * S0 / S + 100 * k / m - 60;
        if (!inHoleClass(digit, holeClass))
            s += 10;
        if (digit == 1) {
            const int32_t r = h * 10 / w;
            if (r >= 40)
                s -= 50;
            else if (r >= 30)
                s -= 30;
        }
        if (digit >= 0 && digit <= 9)
            byDigit[static_cast<size_t>(digit)] = std::min(byDigit[static_cast<size_t>(digit)], s);
        if (s < bestScore) {
            bestScore = s;
            bestDigit = digit;
            uncoveredInk_ = 100 * k / m;
        }
    }
    runnerUpMargin_ = 10000;
    for (int32_t dgt = 0; dgt <= 9; ++dgt)
        if (dgt != bestDigit)
            runnerUpMargin_ = std::min(runnerUpMargin_, byDigit[static_cast<size_t>(dgt)] - bestScore);
    score = bestScore >= 100 ? 100 : clampScore(bestScore);
    return bestDigit;
}

} // namespace quon
