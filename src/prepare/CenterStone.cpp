// Stone centring: the best of a set of candidate circles around the point.
//
// A candidate is an ellipse of diameters (w, h) whose doubled centre
// (C2x, C2y) is measured from the cell's top-left pixel. A pixel (i, j)
// near it has the normalised radius
//     r = ((2i - C2x)^2 * 100) div w^2 + ((2j - C2y)^2 * 100) div h^2,
// a column term A(i) plus a row term B(j). The candidate scores the ink of
// its rim (r in the colour's band) and the background just outside
// (r > 104).
//
// Method: A(i) <= t holds exactly when |2i - C2x| <= D_w(t), the largest d
// with d^2 * 100 < (t + 1) w^2. So on row j the rim is the set of columns
// whose A lies in a range fixed by B(j), which is an interval around the
// centre minus a smaller one, and the outside is the row minus a third
// interval. With running ink counts along each row of the cut window, a
// candidate costs a few look-ups per row instead of a pass over its pixels,
// and gives the same counts.
#include "prepare/PrepareEngine.h"
#include "prepare/WindowFeatures.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quon {

namespace {

constexpr int32_t Margin = 10;     // the cut window is the cell plus this on every side
constexpr int32_t OutsideR = 104;  // r above this is outside the stone
constexpr int32_t MaxT = OutsideR; // the largest t a row can ask for (B >= 0)

// The k-th value (k = 1, 2, ...) of 0, -1, +1, -2, +2, ...
int32_t offsetAt(int32_t k) { return ((k % 2) * 2 - 1) * k / 2; }

// The range [lo, hi] of offsetAt(1..n); empty (hi < lo) for n < 1.
void offsetRange(int32_t n, int32_t& lo, int32_t& hi)
{
    lo = -(n / 2);
    hi = (n - 1) / 2;
    if (n < 1) {
        lo = 0;
        hi = -1;
    }
}

int32_t floorDiv2(int32_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }
int32_t ceilDiv2(int32_t v) { return v >= 0 ? (v + 1) / 2 : -((-v) / 2); }

// D_w(t) for t = 0..MaxT, per diameter.
class RadiusTables {
  public:
    const int32_t* forDiameter(int32_t w)
    {
        if (w >= static_cast<int32_t>(tables_.size()))
            tables_.resize(static_cast<size_t>(w) + 1);
        std::vector<int32_t>& t = tables_[static_cast<size_t>(w)];
        if (t.empty()) {
            t.resize(MaxT + 1);
            const int64_t w2 = static_cast<int64_t>(w) * w;
            int64_t d = 0;
            for (int32_t k = 0; k <= MaxT; ++k) {
                while ((d + 1) * (d + 1) * 100 < (k + 1) * w2)
                    ++d;
                t[static_cast<size_t>(k)] = static_cast<int32_t>(d);
            }
        }
        return t.data();
    }

  private:
    std::vector<std::vector<int32_t>> tables_;
};

// The counts of one candidate.
struct RimCounts {
    int64_t rimCount = 0, rimInk = 0, outCount = 0, outBackground = 0;
};

// Ink counts along the rows of the cut window, read in cell coordinates;
// pixels outside the cut window are background.
class CellInk {
  public:
    CellInk(int32_t cellW, int32_t cellH) : cellW_(cellW), cellH_(cellH), cutW_(cellW + 2 * Margin)
    {
        const int32_t cutH = cellH + 2 * Margin;
        prefix_.assign(static_cast<size_t>(cutH) * (cutW_ + 1), 0);
        for (int32_t yy = 1; yy <= cutH; ++yy) {
            int32_t* row = &prefix_[static_cast<size_t>(yy - 1) * (cutW_ + 1)];
            int32_t run = 0;
            for (int32_t xx = 1; xx <= cutW_; ++xx) {
                run += Win.CutWindow[xx][yy] > 0 ? 1 : 0;
                row[xx] = run;
            }
        }
    }

    // The row terms B(j) of a candidate's rows, for one (C2y, h).
    struct Rows {
        int32_t ja = 0, jb = -1;
        int32_t c2y = 0;
        std::vector<int32_t> B;
    };
    static void rowTerms(int32_t c2y, int32_t h, Rows& rows)
    {
        rows.c2y = c2y;
        rows.ja = (c2y - h) / 2 - 1;
        rows.jb = (c2y + h) / 2 + 1;
        rows.B.resize(static_cast<size_t>(std::max(0, rows.jb - rows.ja + 1)));
        const int32_t h2 = h * h;
        for (int32_t j = rows.ja; j <= rows.jb; ++j) {
            const int32_t dj = 2 * j - c2y;
            rows.B[static_cast<size_t>(j - rows.ja)] = dj * dj * 100 / h2;
        }
    }

    // The rim and outside counts of a candidate. `bandLo`: r must be above
    // it (and below 102) to count as rim.
    RimCounts score(int32_t c2x, int32_t w, const Rows& rows, int32_t bandLo, const int32_t* dw) const
    {
        RimCounts rc;
        const int32_t ia = (c2x - w) / 2 - 1, ib = (c2x + w) / 2 + 1;
        const int32_t rowLen = ib - ia + 1;
        // The columns of the cut window that [ia, ib] covers, in cut
        // coordinates, and the running count's index before them.
        const int32_t ca = std::max(ia, 1 - Margin) + Margin - 1, cb = std::min(ib, cellW_ + Margin) + Margin;
        // The columns of [ia, ib] with A(i) <= t, as running-count indices
        // [a - 1, b] in cut coordinates; n their number.
        auto within = [&](int32_t t, int32_t& a, int32_t& b, int32_t& n) {
            if (t < 0) {
                n = 0;
                return;
            }
            const int32_t d = dw[t];
            const int32_t lo = std::max(ia, ceilDiv2(c2x - d)), hi = std::min(ib, floorDiv2(c2x + d));
            n = hi >= lo ? hi - lo + 1 : 0;
            a = std::max(lo, 1 - Margin) + Margin - 1;
            b = std::min(hi, cellW_ + Margin) + Margin;
        };
        const int32_t stride = cutW_ + 1;
        // Rows c2y - j and j lie as far above the centre as below it, so
        // they share B and their column ranges: the two rows of a distance
        // 2j - c2y = +-dj are counted with one reckoning of the ranges.
        const int32_t centre2 = rows.c2y;
        const int32_t djLast = std::max(centre2 - 2 * rows.ja, 2 * rows.jb - centre2);
        for (int32_t dj = centre2 & 1; dj <= djLast; dj += 2) {
            const int32_t j1 = (centre2 - dj) / 2, j2 = (centre2 + dj) / 2;
            const bool has1 = j1 >= rows.ja && j1 <= rows.jb;
            const bool has2 = dj != 0 && j2 >= rows.ja && j2 <= rows.jb;
            if (!has1 && !has2)
                continue;
            const int32_t B = rows.B[static_cast<size_t>((has1 ? j1 : j2) - rows.ja)];
            int32_t a1 = 0, b1 = 0, n1, a0 = 0, b0 = 0, n0, ao = 0, bo = 0, no;
            within(101 - B, a1, b1, n1);    // r < 102
            within(bandLo - B, a0, b0, n0); // r <= bandLo: inside the rim
            within(OutsideR - B, ao, bo, no);
            const int32_t outside = rowLen - no;
            for (int k = 0; k < 2; ++k) {
                if (!(k == 0 ? has1 : has2))
                    continue;
                const int32_t j = k == 0 ? j1 : j2;
                rc.rimCount += n1 - n0;
                rc.outCount += outside;
                if (j < 1 - Margin || j > cellH_ + Margin) {
                    rc.outBackground += outside; // beyond the cut window: background
                    continue;
                }
                const int32_t* row = &prefix_[static_cast<size_t>(j + Margin - 1) * stride];
                auto inkOf = [&](int32_t a, int32_t b) { return b > a ? row[b] - row[a] : 0; };
                if (n1 > 0)
                    rc.rimInk += inkOf(a1, b1) - (n0 > 0 ? inkOf(a0, b0) : 0);
                if (outside > 0)
                    rc.outBackground += outside - (inkOf(ca, cb) - (no > 0 ? inkOf(ao, bo) : 0));
            }
        }
        return rc;
    }

  private:
    int32_t cellW_, cellH_, cutW_;
    std::vector<int32_t> prefix_;
};

int32_t scoreOf(const RimCounts& rc, int32_t weight)
{
    const int64_t num = rc.rimInk * weight + rc.outBackground;
    if (num <= 0)
        return 0;
    return static_cast<int32_t>(num * 100 / (rc.rimCount * weight + rc.outCount));
}

} // namespace

void PrepareEngine::resetCentringHistory()
{
    for (CentringHistory& h : centringHistory_)
        h.count = 0;
}

int16_t PrepareEngine::CenterStone(int32_t x, int32_t y, int32_t& score, int32_t iteration)
{
    BC& p = Reco.GridPoints[x][y];
    const int16_t entry = p.Typ;
    CentringTried = CentringSkipped = 0;
    const int colour = p.Typ > 0 && p.Typ % 2 == 1 ? 1 : 2;
    const int32_t W = p.Size.Width, H = p.Size.Height;
    const int32_t X = p.Coord.X, Y = p.Coord.Y;
    // The candidates reach a little beyond the cell; a cell the features
    // would refuse is not centred at all.
    if (W < MinFeatureSide || H < MinFeatureSide || W > MaxFeatureSide || H > MaxFeatureSide)
        return entry;

    ProbeSize = IntSize{W + 2 * Margin, H + 2 * Margin};
    ProbePoint = IntPoint{X - W / 2 - Margin, Y - H / 2 - Margin};
    CopyWindow(ProbeSize, ProbePoint);
    const CellInk cell(W, H);

    // Search parameters.
    const StoneSize learned = Reco.StoneSizes[colour];
    int32_t sw, sh, nx, ny, mx, my;
    if (learned.Width != 0) {
        sw = std::min(W, (learned.Width + 50) / 100);
        sh = std::min(H, (learned.Height + 50) / 100);
        if (iteration <= 1) {
            nx = ny = 7;
            mx = my = 5;
        } else if (iteration == 2) {
            nx = sw / 4;
            ny = sh / 4;
            const int32_t own = SureStoneCounts[colour], other = SureStoneCounts[3 - colour];
            mx = own > 10 ? 1 : own < 6 && other < 15 ? 5 : 3;
            my = mx;
        } else if (iteration <= 6) {
            sw = W;
            sh = H;
            nx = iteration + W / 12;
            ny = iteration + H / 12;
            mx = my = iteration + 2;
        } else {
            sw = W;
            sh = H;
            nx = iteration * (iteration - 1);
            ny = iteration * (iteration - 2);
            mx = my = 3;
        }
    } else {
        mx = W / 11;
        my = H / 11;
        sw = W - mx + 1;
        sh = H - my + 1;
        nx = ny = 5;
    }
    auto diameter = [&](int32_t base, int32_t l) { return iteration <= 1 ? base + l - 1 : base + offsetAt(l); };

    // What this call searches, for the skip test of later calls.
    CentringSearch here;
    here.left2 = 2 * (X - W / 2);
    here.top2 = 2 * (Y - H / 2);
    offsetRange(nx, here.dxLo, here.dxHi);
    offsetRange(ny, here.dyLo, here.dyHi);
    if (iteration <= 1) {
        here.wLo = sw;
        here.wHi = sw + mx - 1;
        here.hLo = sh;
        here.hHi = sh + my - 1;
    } else {
        offsetRange(mx, here.wLo, here.wHi);
        offsetRange(my, here.hLo, here.hHi);
        here.wLo += sw;
        here.wHi += sw;
        here.hLo += sh;
        here.hHi += sh;
    }
    CentringHistory& history = centringHistory_[static_cast<size_t>((x - 1) * 19 + (y - 1))];
    auto searchedBefore = [&](int32_t c2x, int32_t c2y, int32_t w, int32_t h) {
        const int32_t ax = here.left2 + c2x, ay = here.top2 + c2y;
        for (int32_t n = 0; n < history.count; ++n) {
            const CentringSearch& s = history.calls[n];
            if (w < s.wLo || w > s.wHi || h < s.hLo || h > s.hHi)
                continue;
            const int32_t dx = ax - s.left2 - w, dy = ay - s.top2 - h;
            if (dx >= s.dxLo && dx <= s.dxHi && dy >= s.dyLo && dy <= s.dyHi)
                return true;
        }
        return false;
    };

    const int32_t bandLo = colour == 1 ? 91 : 98;
    const int32_t weight = colour == 1 ? 10 : 7;
    const int32_t oldEst = p.Est;
    int32_t best = iteration <= 1 ? 0 : p.Est;
    int32_t bestW = W, bestH = H;
    int32_t bestC2x = W, bestC2y = H;
    if (iteration > 1 && p.CentreWindow != IntPoint{}) {
        bestC2x = p.CentreWindow.X;
        bestC2y = p.CentreWindow.Y;
    }
    static thread_local RadiusTables tables;
    static thread_local std::vector<CellInk::Rows> rowsOf;
    rowsOf.resize(static_cast<size_t>(std::max(0, my)));
    bool stopped = false;
    for (int32_t ky = 1; ky <= ny && !stopped; ++ky) {
        const int32_t dy = offsetAt(ky);
        for (int32_t q = 1; q <= my; ++q) {
            const int32_t h = diameter(sh, q);
            if (h > 0)
                CellInk::rowTerms(h + dy, h, rowsOf[static_cast<size_t>(q - 1)]);
        }
        for (int32_t kx = 1; kx <= nx && !stopped; ++kx) {
            const int32_t dx = offsetAt(kx);
            for (int32_t l = 1; l <= mx && !stopped; ++l) {
                const int32_t w = diameter(sw, l);
                const int32_t* dw = w > 0 ? tables.forDiameter(w) : nullptr;
                for (int32_t q = 1; q <= my; ++q) {
                    const int32_t h = diameter(sh, q);
                    const int32_t c2x = w + dx, c2y = h + dy;
                    if (iteration >= 2 && searchedBefore(c2x, c2y, w, h)) {
                        ++CentringSkipped;
                        continue;
                    }
                    ++CentringTried;
                    const int32_t d =
                        w > 0 && h > 0
                            ? scoreOf(cell.score(c2x, w, rowsOf[static_cast<size_t>(q - 1)], bandLo, dw), weight)
                            : 0;
                    if (d > best) {
                        best = d;
                        bestW = w;
                        bestH = h;
                        bestC2x = c2x;
                        bestC2y = c2y;
                        if (d > score) {
                            stopped = true;
                            break;
                        }
                    }
                }
            }
        }
    }

    // A search that stopped early has not scored all its candidates.
    if (!stopped && history.count < 6)
        history.calls[history.count++] = here;

    StoneSize& size = Reco.StoneSizes[colour];
    if (best > 95 && size.Width == 0)
        size = StoneSize{bestW * 100, bestH * 100};

    // The page pixel of the best circle's centre: cell pixel i is page
    // column ProbePoint.X + Margin + i - 1, and the centre C2x / 2 (a centre
    // between two pixels is taken as the right or lower one). Taken a pixel
    // further, every stone window was cut a pixel right of and below its
    // stone and lost the outline's top row.
    ProbePoint = IntPoint{ProbePoint.X + Margin + floorDiv2(bestC2x - 1),
                          ProbePoint.Y + Margin + floorDiv2(bestC2y - 1)};
    if (p.Est < best) {
        p.CentreWindow = IntPoint{bestC2x, bestC2y};
        p.Coord = ProbePoint;
        p.CoordC = ProbePoint;
        p.Est = best;
    }
    if (entry == TypColourUndecided) {
        // The first row from the top, down to the middle, where the two
        // middle columns of the enlarged window hold no ink.
        const int32_t mid = ProbeSize.Width / 2, middleRow = ProbeSize.Height / 2;
        int32_t row = middleRow;
        for (int32_t r = 3; r <= middleRow; ++r)
            if (Win.CutWindow[mid][r] == 0 && Win.CutWindow[mid + 1][r] == 0) {
                row = r;
                break;
            }
        p.Lsw = row * 1000 / ProbeSize.Height;
    }
    if (best <= 95 && size.Width != 0)
        p.Size = IntSize{(size.Width + 50) / 100, (size.Height + 50) / 100};
    else
        p.Size = IntSize{bestW, bestH};
    score = best;

    const StoneSize& b = Reco.StoneSizes[1];
    const StoneSize& wh = Reco.StoneSizes[2];
    host.setLabel(3, "Est = " + std::to_string(best) + " (" + std::to_string(oldEst) + ")" +
                         "  WhatIs = " + std::to_string(entry));
    host.setLabel(4, "R = " + std::to_string(bestW) + "," + std::to_string(bestH) + " (" + std::to_string(sw) + "," +
                         std::to_string(sh) + "), StSz=(" + std::to_string(b.Width) + "," + std::to_string(b.Height) +
                         "-" + std::to_string(wh.Width) + "," + std::to_string(wh.Height) + ")");
    host.setLabel(5, "Pt = " + std::to_string(ProbePoint.X) + "," + std::to_string(ProbePoint.Y) + " (" +
                         std::to_string(p.Coord.X) + "," + std::to_string(p.Coord.Y) + ")");
    host.setLabel(6, "NIter = " + std::to_string(CentringTried) + "(-" + std::to_string(CentringSkipped) + ")");
    return entry;
}

} // namespace quon
