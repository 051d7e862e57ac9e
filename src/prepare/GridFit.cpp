// Grid regularisation: keeping the point grid regular while the checks move
// points one by one.
//
// A point is trusted once a check has confirmed its position (Est above 89
// for the local re-spacing, at least 89 + margin for the refit). The local
// re-spacing spreads the points between a newly confirmed point and the
// nearest trusted ones evenly; the refit places every untrusted point by
// linear interpolation (or extrapolation at the window's border) from the
// trusted points of its column and row. A window corner without any
// trusted point in its column (row) keeps its coordinate; an edge point
// then lies on the line between the edge's two ends.
#include "prepare/PrepareEngine.h"

#include <string>

namespace quon {

namespace {

BC& pt(int32_t x, int32_t y) { return Reco.GridPoints[x][y]; }

// round(v / d) as the grid has always rounded it: to the nearest, with
// halves away from zero for positive quotients and truncation toward zero
// deciding the rest.
int32_t roundedQuotient(int32_t v, int32_t d) { return (v * 100 / d + 50) / 100; }

// One coordinate of a point from the trusted points lo and hi (positions
// along a column or a row, values vLo and vHi), with the extrapolation
// rules of the window corners: from lo toward the low end, from hi toward
// the high end.
int32_t fromLow(int32_t pos, int32_t lo, int32_t hi, int32_t vLo, int32_t vHi)
{
    if (lo == hi)
        return vLo;
    return vLo + roundedQuotient((vLo - vHi) * (lo - pos), hi - lo);
}
int32_t fromHigh(int32_t pos, int32_t lo, int32_t hi, int32_t vLo, int32_t vHi)
{
    if (lo == hi)
        return vLo;
    return vHi - roundedQuotient((vLo - vHi) * (pos - hi), hi - lo);
}

} // namespace

void PrepareEngine::CorrectGridAround(bool onlyCross)
{
    const DiagramRect w = Reco.DiagramWindow;
    const int32_t cx = Reco.CurPointX, cy = Reco.CurPointY;
    if (cx < w.Left || cx > w.Right || cy < w.Top || cy > w.Bottom)
        return;
    auto trusted = [](const BC& p) { return p.Est > 89; };

    // Along the row, leftward then rightward.
    if (cx > w.Left && !trusted(pt(cx - 1, cy))) {
        int32_t n = w.Left;
        for (int32_t a = cx - 2; a >= w.Left; --a)
            if (trusted(pt(a, cy))) {
                n = a;
                break;
            }
        const IntPoint c = pt(cx, cy).Coord, an = pt(n, cy).Coord;
        for (int32_t a = cx - 1; a >= w.Left && !trusted(pt(a, cy)); --a) {
            BC& p = pt(a, cy);
            if (!onlyCross) {
                p.Size.Width = (c.X - an.X) / (cx - n);
                p.Coord.X = an.X + p.Size.Width * (a - n);
            }
            p.Coord.Y = (c.Y * (a - n) + an.Y * (cx - a)) / (cx - n);
        }
    }
    if (cx < w.Right && !trusted(pt(cx + 1, cy))) {
        int32_t n = w.Right;
        for (int32_t a = cx + 2; a <= w.Right; ++a)
            if (trusted(pt(a, cy))) {
                n = a;
                break;
            }
        const IntPoint c = pt(cx, cy).Coord, an = pt(n, cy).Coord;
        for (int32_t a = cx + 1; a <= w.Right && !trusted(pt(a, cy)); ++a) {
            BC& p = pt(a, cy);
            if (!onlyCross) {
                p.Size.Width = (an.X - c.X) / (n - cx);
                p.Coord.X = c.X + p.Size.Width * (a - cx);
            }
            p.Coord.Y = (an.Y * (a - cx) + c.Y * (n - a)) / (n - cx);
        }
    }
    // Along the column, upward then downward.
    if (cy > w.Top && !trusted(pt(cx, cy - 1))) {
        int32_t n = w.Top;
        for (int32_t a = cy - 2; a >= w.Top; --a)
            if (trusted(pt(cx, a))) {
                n = a;
                break;
            }
        const IntPoint c = pt(cx, cy).Coord, an = pt(cx, n).Coord;
        for (int32_t a = cy - 1; a >= w.Top && !trusted(pt(cx, a)); --a) {
            BC& p = pt(cx, a);
            if (!onlyCross) {
                p.Size.Height = (c.Y - an.Y) / (cy - n);
                p.Coord.Y = an.Y + p.Size.Height * (a - n);
            }
            p.Coord.X = (c.X * (a - n) + an.X * (cy - a)) / (cy - n);
        }
    }
    if (cy < w.Bottom && !trusted(pt(cx, cy + 1))) {
        int32_t n = w.Bottom;
        for (int32_t a = cy + 2; a <= w.Bottom; ++a)
            if (trusted(pt(cx, a))) {
                n = a;
                break;
            }
        const IntPoint c = pt(cx, cy).Coord, an = pt(cx, n).Coord;
        for (int32_t a = cy + 1; a <= w.Bottom && !trusted(pt(cx, a)); ++a) {
            BC& p = pt(cx, a);
            if (!onlyCross) {
                p.Size.Height = (an.Y - c.Y) / (n - cy);
                p.Coord.Y = c.Y + p.Size.Height * (a - cy);
            }
            p.Coord.X = (an.X * (a - cy) + c.X * (n - a)) / (n - cy);
        }
    }
}

int32_t PrepareEngine::FitGridLines(int32_t margin)
{
    const DiagramRect w = Reco.DiagramWindow;
    const int32_t T = 89 + margin;
    auto trusted = [T](int32_t x, int32_t y) { return pt(x, y).Est >= T; };
    BadPoints = 0;

    // The trusted span of a column (rows) and of a row (columns); with none
    // the span is inverted (low end at the far border), which leaves a
    // point computed from it where it stands.
    auto columnSpan = [&](int32_t x, int32_t& lo, int32_t& hi) {
        lo = w.Bottom;
        hi = w.Top;
        for (int32_t y = w.Top; y <= w.Bottom; ++y)
            if (trusted(x, y)) {
                lo = std::min(lo, y);
                hi = std::max(hi, y);
            }
    };
    auto rowSpan = [&](int32_t y, int32_t& lo, int32_t& hi) {
        lo = w.Right;
        hi = w.Left;
        for (int32_t x = w.Left; x <= w.Right; ++x)
            if (trusted(x, y)) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    };
    // X of point (x, y) along its column, Y along its row; `nearLow` picks
    // the rule of the low (top, left) end.
    auto xAlongColumn = [&](int32_t x, int32_t y, bool nearLow) {
        int32_t lo, hi;
        columnSpan(x, lo, hi);
        const int32_t vLo = pt(x, lo).Coord.X, vHi = pt(x, hi).Coord.X;
        return nearLow ? fromLow(y, lo, hi, vLo, vHi) : fromHigh(y, lo, hi, vLo, vHi);
    };
    auto yAlongRow = [&](int32_t x, int32_t y, bool nearLow) {
        int32_t lo, hi;
        rowSpan(y, lo, hi);
        const int32_t vLo = pt(lo, y).Coord.Y, vHi = pt(hi, y).Coord.Y;
        return nearLow ? fromLow(x, lo, hi, vLo, vHi) : fromHigh(x, lo, hi, vLo, vHi);
    };

    // The window corners.
    const int32_t cols[2] = {w.Left, w.Right}, rows[2] = {w.Top, w.Bottom};
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 2; ++r) {
            const int32_t xc = cols[c], yc = rows[r];
            if (pt(xc, yc).Est > T)
                continue;
            const int32_t x = xAlongColumn(xc, yc, r == 0);
            const int32_t y = yAlongRow(xc, yc, c == 0);
            pt(xc, yc).Coord = IntPoint{x, y};
        }

    // The edges between the corners: between two trusted neighbours along
    // the edge, their mean; otherwise as the corners, from the trusted points
    // of the point's column and row.
    auto edgePoint = [&](int32_t x, int32_t y, int32_t dx, int32_t dy) {
        if (trusted(x, y))
            return;
        BC& p = pt(x, y);
        if (trusted(x - dx, y - dy) && trusted(x + dx, y + dy)) {
            const IntPoint a = pt(x - dx, y - dy).Coord, b = pt(x + dx, y + dy).Coord;
            p.Coord = IntPoint{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
            return;
        }
        // Extrapolated from the first trusted point of the column (row) on
        // the slope to the last, as the top and left corners are: of the
        // readings tried (from the nearer end of the span, or from the
        // first) this one decides the most points right.
        const int32_t nx = xAlongColumn(x, y, true);
        const int32_t ny = yAlongRow(x, y, true);
        p.Coord = IntPoint{nx, ny};
    };
    for (int32_t x : cols)
        for (int32_t y = w.Top + 1; y < w.Bottom; ++y)
            edgePoint(x, y, 0, 1);
    for (int32_t y : rows)
        for (int32_t x = w.Left + 1; x < w.Right; ++x)
            edgePoint(x, y, 1, 0);

    // The inner points, column by column.
    for (int32_t x = w.Left + 1; x < w.Right; ++x) {
        for (int32_t y = w.Top + 1; y < w.Bottom; ++y) {
            BC& p = pt(x, y);
            if (p.Est < T) {
                int32_t ya = 0, yb = 0;
                for (int32_t a = y - 1; a >= w.Top; --a)
                    if (trusted(x, a)) {
                        ya = a;
                        break;
                    }
                for (int32_t b = y + 1; b <= w.Bottom; ++b)
                    if (trusted(x, b)) {
                        yb = b;
                        break;
                    }
                if (ya != 0 && yb != 0) {
                    const int32_t da = y - ya;
                    p.Coord.X = (pt(x, yb).Coord.X * da + (yb - y) * pt(x, ya).Coord.X) / (yb - y + da);
                } else if (yb != 0) {
                    p.Coord.X = ((pt(x, y - 1).Coord.X + pt(x, yb).Coord.X + 1) * 10) / 20;
                } else {
                    p.Coord.X = pt(x, y - 1).Coord.X;
                }
                int32_t xa = 0, xb = 0;
                for (int32_t a = x - 1; a >= w.Left; --a)
                    if (trusted(a, y)) {
                        xa = a;
                        break;
                    }
                for (int32_t b = x + 1; b <= w.Right; ++b)
                    if (trusted(b, y)) {
                        xb = b;
                        break;
                    }
                if (xa != 0 && xb != 0) {
                    const int32_t da = x - xa;
                    p.Coord.Y = (pt(xb, y).Coord.Y * da + (xb - x) * pt(xa, y).Coord.Y) / (xb - x + da);
                } else if (xb != 0) {
                    p.Coord.Y = ((pt(x - 1, y).Coord.Y + pt(xb, y).Coord.Y + 1) * 10) / 20;
                } else {
                    p.Coord.Y = pt(x - 1, y).Coord.Y;
                }
                if (p.Typ > 0) {
                    const StoneSize& s = Reco.StoneSizes[p.Typ % 2 == 1 ? 1 : 2];
                    if (s.Width > 0 && s.Height > 0)
                        p.Size = IntSize{(s.Width + 50) / 100, (s.Height + 50) / 100};
                }
            }
            host.setLabel(1, "Line = " + std::to_string(x));
            host.pump();
        }
    }

    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y)
            BadPoints += pt(x, y).Est < T;
    if (host.gridVisible())
        ShowGridCoords();
    return BadPoints;
}

void PrepareEngine::ShowGridCoords()
{
    const DiagramRect w = Reco.DiagramWindow;
    host.beginGridCells();
    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y) {
            const IntPoint c = pt(x, y).Coord;
            host.setGridCell(x - 1, y - 1, std::to_string(c.X) + "," + std::to_string(c.Y));
        }
    if (host.gridVisible())
        host.showGridWindow(true);
    if (host.ask("Hide grid?"))
        host.showGridWindow(false);
}

} // namespace quon
