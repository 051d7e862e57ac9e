// The stone window and its ink features.
//
// Method: the window is cut column by column from the packed page (outside
// pixels are background). The features need two passes: the first builds,
// per column, the running ink count down the column, from which the column
// profile, the middle-half count, every zone and every grid cell are read
// as differences of two running counts (each zone and cell is a range of
// columns times one or two ranges of rows); the row profile is summed on
// the way. The second pass counts the mirror pairs. The results are the
// same as counting every pixel into every zone it lies in.
#include "prepare/WindowFeatures.h"

#include "prepare/PrepareHost.h"

#include <algorithm>
#include <array>

namespace quon {

WindowWorkingSet Win;

namespace {

// An inclusive range of window coordinates, clipped to 1..n; empty when hi < lo.
struct Span {
    int32_t lo = 1;
    int32_t hi = 0;
};

Span span(int32_t lo, int32_t hi, int32_t n) { return Span{std::max(lo, 1), std::min(hi, n)}; }
int32_t length(Span s) { return s.hi >= s.lo ? s.hi - s.lo + 1 : 0; }
bool contains(Span s, int32_t v) { return v >= s.lo && v <= s.hi; }
// Ink in rows s of a column, from the column's running count p (p[0] = 0).
int32_t inkIn(const int32_t* p, Span s) { return s.hi >= s.lo ? p[s.hi] - p[s.lo - 1] : 0; }

// A zone: a range of columns times the union of up to two ranges of rows.
struct Zone {
    Span x;
    Span y1;
    Span y2;
};

Zone zone(Span x, Span y1, Span y2 = Span{})
{
    // Overlapping row ranges would count a pixel twice; join them.
    if (length(y1) > 0 && length(y2) > 0 && y2.lo <= y1.hi + 1 && y1.lo <= y2.hi + 1) {
        y1 = Span{std::min(y1.lo, y2.lo), std::max(y1.hi, y2.hi)};
        y2 = Span{};
    }
    return Zone{x, y1, y2};
}

void clearFeatures(WindowWorkingSet& s)
{
    s.WindowInkCount = 0;
    s.ColumnInk.fill(0);
    s.ColumnMidInk.fill(0);
    s.ColumnInkCentre.fill(0);
    s.RowInk.fill(0);
    s.RowInkCentre.fill(0);
    s.ZoneTop = s.ZoneBottom = s.ZoneLeft = s.ZoneRight = s.ZoneMidBands = 0;
    s.ZoneCentreRight = s.ZoneUpperLeft = s.ZoneUpperRight = s.ZoneLowerRight = 0;
    for (auto& c : s.ZoneGrid)
        c.fill(0);
    for (auto& c : s.ReducedGrid)
        c.fill(0);
    s.MirrorInkX = s.MirrorInkY = 0;
}

// Cell spans of an n-pixel side cut into `cells` cells, the last one taking
// the remainder; spans[0] unused.
template <size_t N>
void cellSpans(int32_t n, std::array<Span, N + 1>& spans)
{
    const int32_t cell = n / static_cast<int32_t>(N);
    for (size_t b = 1; b <= N; ++b)
        spans[b] = Span{static_cast<int32_t>(b - 1) * cell + 1, b == N ? n : static_cast<int32_t>(b) * cell};
}

} // namespace

std::string wrongSizeMessage(IntSize size)
{
    return "SZ - wrong size " + std::to_string(size.Width) + "," + std::to_string(size.Height);
}

void startWindowRun() { Win.SizeMessageShown = false; }

void CopyWindow(IntSize size, IntPoint origin)
{
    const int32_t w = std::min(size.Width, CutWindowSide);
    const int32_t h = std::min(size.Height, CutWindowSide);
    if (w <= 0 || h <= 0)
        return;
    const SharedTables& t = Reco;
    // Page rows that the window covers and the packed copy holds.
    const int32_t pageRows = std::min(t.ImageHeight, t.PackedHeight);
    const int64_t yFirst = std::max<int64_t>(1, 1 - static_cast<int64_t>(origin.Y));
    const int64_t yLast = std::min<int64_t>(h, static_cast<int64_t>(pageRows) - origin.Y);
    const int32_t pageCols = std::min<int64_t>(t.ImageWidth, static_cast<int64_t>(t.PackedStride) * 8);
    const uint8_t* bits = t.PackedImage.data();
    const size_t stride = static_cast<size_t>(std::max(0, t.PackedStride));
    const int16_t background = 0;
    const int16_t flip = t.InkPolarity != 0 ? 1 : 0;
    for (int32_t x = 1; x <= w; ++x) {
        int16_t* col = Win.CutWindow[x].begin();
        const int64_t px = static_cast<int64_t>(origin.X) + x - 1;
        if (px < 0 || px >= pageCols || yFirst > yLast) {
            std::fill(col, col + h, background);
            continue;
        }
        const size_t byte = static_cast<size_t>(px >> 3);
        const int shift = 7 - static_cast<int>(px & 7);
        std::fill(col, col + (yFirst - 1), background);
        for (int64_t y = yFirst; y <= yLast; ++y) {
            const size_t index = static_cast<size_t>(origin.Y + y - 1) * stride + byte;
            col[y - 1] = static_cast<int16_t>(((bits[index] >> shift) & 1) ^ flip);
        }
        std::fill(col + yLast, col + h, background);
    }
}

bool WindowFeatures(IntSize size, PrepareHost* host)
{
    const int32_t w = size.Width;
    const int32_t h = size.Height;
    WindowWorkingSet& s = Win;
    if (w < MinFeatureSide || h < MinFeatureSide || w > MaxFeatureSide || h > MaxFeatureSide) {
        // Never leave the previous window's features for a caller that
        // ignores the result.
        clearFeatures(s);
        Reco.DebugRunState = 2;
        if (host) {
            const std::string text = wrongSizeMessage(size);
            if (!s.SizeMessageShown) {
                s.SizeMessageShown = true;
                host->inform(text);
            } else {
                host->log(text);
            }
        }
        return false;
    }

    const Zone zones[9] = {
        zone(span(1, w, w), span(1, h / 5, h)),                                             // top
        zone(span(1, w, w), span(4 * h / 5, h, h)),                                         // bottom
        zone(span(1, w / 5, w), span(1, h, h)),                                             // left
        zone(span(4 * w / 5, w, w), span(1, h, h)),                                         // right
        zone(span(w / 3, 2 * w / 3, w), span(h / 6, h / 3, h), span(2 * h / 3, 5 * h / 6, h)), // mid bands
        zone(span(w / 3 + 1, 5 * w / 6, w), span(3 * h / 8, 5 * h / 8, h)),                 // centre right
        zone(span(2, w / 3, w), span(1, h / 2, h)),                                         // upper left
        zone(span(2 * w / 3, w - 1, w), span(1, h / 2, h)),                                 // upper right
        zone(span(2 * w / 3, w - 1, w), span(h / 2, h, h)),                                 // lower right
    };
    const Span mid = span(h / 4 + 1, 3 * h / 4 - 1, h);

    const bool zoneGrid = w > 2 && h > 4;
    const bool reducedGrid = w > 6 && h > 6;
    std::array<Span, 6> zgRows{};
    std::array<Span, 8> rgRows{};
    int32_t zgCellW = 1, rgCellW = 1;
    if (zoneGrid) {
        cellSpans<5>(h, zgRows);
        zgCellW = w / 3;
    }
    if (reducedGrid) {
        cellSpans<7>(h, rgRows);
        rgCellW = w / 7;
    }

    int32_t rowCount[MaxFeatureSide + 1] = {};
    int32_t rowSumX[MaxFeatureSide + 1] = {};
    int32_t colCount[MaxFeatureSide + 1] = {};
    int32_t colSumY[MaxFeatureSide + 1] = {};
    int32_t colMid[MaxFeatureSide + 1] = {};
    int32_t zoneSum[9] = {};
    int32_t zg[4][6] = {};
    int32_t rg[8][8] = {};
    int32_t running[MaxFeatureSide + 1];
    running[0] = 0;
    int32_t ink = 0;

    for (int32_t x = 1; x <= w; ++x) {
        const int16_t* col = s.CutWindow[x].begin();
        int32_t sumY = 0;
        for (int32_t y = 1; y <= h; ++y) {
            const int32_t v = col[y - 1] > 0 ? 1 : 0;
            running[y] = running[y - 1] + v;
            sumY += v * y;
            rowCount[y] += v;
            rowSumX[y] += v * x;
        }
        colCount[x] = running[h];
        colSumY[x] = sumY;
        colMid[x] = inkIn(running, mid);
        ink += running[h];
        for (int z = 0; z < 9; ++z)
            if (contains(zones[z].x, x))
                zoneSum[z] += inkIn(running, zones[z].y1) + inkIn(running, zones[z].y2);
        if (zoneGrid) {
            const int32_t a = std::min(3, (x - 1) / zgCellW + 1);
            for (int b = 1; b <= 5; ++b)
                zg[a][b] += inkIn(running, zgRows[static_cast<size_t>(b)]);
        }
        if (reducedGrid) {
            const int32_t a = std::min(7, (x - 1) / rgCellW + 1);
            for (int b = 1; b <= 7; ++b)
                rg[a][b] += inkIn(running, rgRows[static_cast<size_t>(b)]);
        }
    }

    // Zones.
    int32_t* const zoneOut[9] = {&s.ZoneTop,       &s.ZoneBottom,      &s.ZoneLeft,
                                 &s.ZoneRight,     &s.ZoneMidBands,    &s.ZoneCentreRight,
                                 &s.ZoneUpperLeft, &s.ZoneUpperRight,  &s.ZoneLowerRight};
    for (int z = 0; z < 9; ++z) {
        const int32_t pixels = length(zones[z].x) * (length(zones[z].y1) + length(zones[z].y2));
        *zoneOut[z] = pixels > 0 ? zoneSum[z] * 100 / pixels : 0;
    }

    // Grids.
    for (auto& c : s.ZoneGrid)
        c.fill(0);
    for (auto& c : s.ReducedGrid)
        c.fill(0);
    if (zoneGrid) {
        for (int a = 1; a <= 3; ++a) {
            const int32_t cw = w / 3 + (a == 3 ? w % 3 : 0);
            for (int b = 1; b <= 5; ++b)
                s.ZoneGrid[a][b] = zg[a][b] * 100 / (cw * length(zgRows[static_cast<size_t>(b)]));
        }
    }
    if (reducedGrid) {
        for (int a = 1; a <= 7; ++a) {
            const int32_t cw = w / 7 + (a == 7 ? w % 7 : 0);
            for (int b = 1; b <= 7; ++b)
                s.ReducedGrid[a][b] = rg[a][b] * 100 / (cw * length(rgRows[static_cast<size_t>(b)]));
        }
    }

    // Mirror pairs.
    int32_t mirrorX = 0;
    int32_t mirrorY = 0;
    for (int32_t x = 1; x <= w; ++x) {
        const int16_t* col = s.CutWindow[x].begin();
        const int16_t* opposite = s.CutWindow[w - x + 1].begin();
        for (int32_t y = 0; y < h; ++y) {
            const int32_t v = col[y] == 1 ? 1 : 0;
            mirrorX += v & (opposite[y] == 1 ? 1 : 0);
            mirrorY += v & (col[h - 1 - y] == 1 ? 1 : 0);
        }
    }
    s.MirrorInkX = ink > 0 ? mirrorX * 100 / ink : 0;
    s.MirrorInkY = ink > 0 ? mirrorY * 100 / ink : 0;

    // Profiles; the centres use the counts before they become percentages.
    const int32_t n = std::max(w, h);
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t cc = i <= w ? colCount[i] : 0;
        const int32_t rc = i <= h ? rowCount[i] : 0;
        s.ColumnInkCentre[i] = cc > 0 ? colSumY[i] * 100 / (cc * h) : 0;
        s.RowInkCentre[i] = rc > 0 ? rowSumX[i] * 100 / (rc * w) : 0;
        s.ColumnInk[i] = cc * 100 / h;
        s.ColumnMidInk[i] = (i <= w ? colMid[i] : 0) * 200 / h;
        s.RowInk[i] = rc * 100 / w;
    }
    s.WindowInkCount = ink * 100 / (w * h);
    return true;
}

bool CutWindowFeatures(IntSize size, IntPoint origin, PrepareHost* host)
{
    if (size.Width < MinFeatureSide || size.Height < MinFeatureSide || size.Width > MaxFeatureSide ||
        size.Height > MaxFeatureSide)
        return WindowFeatures(size, host); // refuses, without cutting
    CopyWindow(size, origin);
    return WindowFeatures(size, host);
}

} // namespace quon
