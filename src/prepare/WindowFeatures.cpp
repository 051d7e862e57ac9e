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
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Division by a divisor fixed for the whole window, as a multiplication:
// exact for every numerator n >= 0 with n * d < 2^40 (here n <= 28000 and
// d <= 140).
class ExactDivision {
public:
    explicit ExactDivision(int32_t d) : m_((uint64_t{1} << 40) / static_cast<uint64_t>(d) + 1) {}
    int32_t operator()(int32_t n) const { return static_cast<int32_t>((static_cast<uint64_t>(n) * m_) >> 40); }

private:
    uint64_t m_;
};

// A column of the window as bits, row y at bit y - 1; up to 192 rows.
struct Bits {
    uint64_t w[3] = {0, 0, 0};
};

Bits rangeMask(Span s)
{
    Bits m;
    for (int32_t y = s.lo; y <= s.hi; ++y)
        m.w[(y - 1) >> 6] |= uint64_t{1} << ((y - 1) & 63);
    return m;
}

template <int NW>
int32_t countIn(const Bits& a, const Bits& m)
{
    int32_t n = 0;
    for (int i = 0; i < NW; ++i)
        n += std::popcount(a.w[i] & m.w[i]);
    return n;
}

template <int NW>
int32_t countPairs(const Bits& a, const Bits& b)
{
    return countIn<NW>(a, b);
}

uint64_t reverse64(uint64_t v)
{
    v = __builtin_bswap64(v);
    v = ((v >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((v & 0x0F0F0F0F0F0F0F0Full) << 4);
    v = ((v >> 2) & 0x3333333333333333ull) | ((v & 0x3333333333333333ull) << 2);
    v = ((v >> 1) & 0x5555555555555555ull) | ((v & 0x5555555555555555ull) << 1);
    return v;
}

// The column upside down: bit y - 1 goes to bit h - y.
template <int NW>
Bits flipped(const Bits& a, int32_t h)
{
    // Reverse all 64 * NW bits, then shift down by 64 * NW - h.
    Bits r;
    for (int i = 0; i < NW; ++i)
        r.w[i] = reverse64(a.w[NW - 1 - i]);
    const int shift = 64 * NW - h;
    const int words = shift >> 6, bits = shift & 63;
    Bits out;
    for (int i = 0; i < NW; ++i) {
        const int from = i + words;
        uint64_t v = from < NW ? r.w[from] >> bits : 0;
        if (bits != 0 && from + 1 < NW)
            v |= r.w[from + 1] << (64 - bits);
        out.w[i] = v;
    }
    return out;
}

// Reads column `col` (h values) into an ink mask (value > 0) and a mask of
// the values that are exactly 1 (the mirror counts ask for 1).
void columnBits(const int16_t* col, int32_t h, Bits& ink, Bits& one)
{
    ink = Bits{};
    one = Bits{};
    int32_t y = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi16(1);
    for (; y + 16 <= h; y += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(col + y));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(col + y + 8));
        const uint64_t pos = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpgt_epi16(a, zero), _mm_cmpgt_epi16(b, zero))));
        const uint64_t eq = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(a, ones), _mm_cmpeq_epi16(b, ones))));
        ink.w[y >> 6] |= pos << (y & 63);
        one.w[y >> 6] |= eq << (y & 63);
    }
#endif
    for (; y < h; ++y) {
        ink.w[y >> 6] |= uint64_t{col[y] > 0} << (y & 63);
        one.w[y >> 6] |= uint64_t{col[y] == 1} << (y & 63);
    }
}

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
    s.InkPixels = 0;
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

// Everything the features are made of, summed over the window.
struct Accumulated {
    int32_t ink = 0;
    int32_t rowCount[MaxFeatureSide + 1] = {};
    int32_t rowSumX[MaxFeatureSide + 1] = {};
    int32_t colCount[MaxFeatureSide + 1] = {};
    int32_t colSumY[MaxFeatureSide + 1] = {};
    int32_t colMid[MaxFeatureSide + 1] = {};
    int32_t zoneSum[9] = {};
    int32_t zg[4][6] = {};
    int32_t rg[8][8] = {};
    int32_t mirrorX = 0;
    int32_t mirrorY = 0;
};

// One pass over the columns as bits: every count of a range of rows is the
// population count of the column under that range's mask; the rows are
// summed over the ink pixels alone.
template <int NW>
inline __attribute__((always_inline)) void accumulate(int32_t w, int32_t h, const Zone (&zones)[9], Span mid, bool zoneGrid,
                const std::array<Span, 6>& zgRows, bool reducedGrid, const std::array<Span, 8>& rgRows,
                Accumulated& acc)
{
    Bits zoneMask[9];
    for (int z = 0; z < 9; ++z) {
        const Bits a = rangeMask(zones[z].y1), b = rangeMask(zones[z].y2);
        for (int i = 0; i < 3; ++i)
            zoneMask[z].w[i] = a.w[i] | b.w[i];
    }
    const Bits midMask = rangeMask(mid);
    Bits zgMask[6], rgMask[8];
    if (zoneGrid)
        for (size_t b = 1; b <= 5; ++b)
            zgMask[b] = rangeMask(zgRows[b]);
    if (reducedGrid)
        for (size_t b = 1; b <= 7; ++b)
            rgMask[b] = rangeMask(rgRows[b]);
    const int32_t zgCellW = std::max(1, w / 3), rgCellW = std::max(1, w / 7);

    static thread_local Bits one[MaxFeatureSide + 1];
    for (int32_t x = 1; x <= w; ++x) {
        Bits ink;
        columnBits(Win.CutWindow[x].begin(), h, ink, one[x]);
        int32_t count = 0, sumY = 0;
        for (int i = 0; i < NW; ++i) {
            uint64_t bits = ink.w[i];
            count += std::popcount(bits);
            while (bits != 0) {
                const int32_t y = 64 * i + std::countr_zero(bits) + 1;
                bits &= bits - 1;
                sumY += y;
                ++acc.rowCount[y];
                acc.rowSumX[y] += x;
            }
        }
        acc.colCount[x] = count;
        acc.colSumY[x] = sumY;
        acc.colMid[x] = countIn<NW>(ink, midMask);
        acc.ink += count;
        if (count == 0)
            continue;
        for (int z = 0; z < 9; ++z)
            if (contains(zones[z].x, x))
                acc.zoneSum[z] += countIn<NW>(ink, zoneMask[z]);
        if (zoneGrid) {
            const int32_t a = std::min(3, (x - 1) / zgCellW + 1);
            for (int b = 1; b <= 5; ++b)
                acc.zg[a][b] += countIn<NW>(ink, zgMask[b]);
        }
        if (reducedGrid) {
            const int32_t a = std::min(7, (x - 1) / rgCellW + 1);
            for (int b = 1; b <= 7; ++b)
                acc.rg[a][b] += countIn<NW>(ink, rgMask[b]);
        }
    }
    for (int32_t x = 1; x <= w; ++x) {
        acc.mirrorX += countPairs<NW>(one[x], one[w - x + 1]);
        acc.mirrorY += countPairs<NW>(one[x], flipped<NW>(one[x], h));
    }
}

// The pass is population counts through and through: where the processor
// has an instruction for them, a copy built for it is taken.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define QUON_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define QUON_POPCOUNT_CLONES
#endif

QUON_POPCOUNT_CLONES
void accumulateWindow(int32_t w, int32_t h, const Zone (&zones)[9], Span mid, bool zoneGrid,
                      const std::array<Span, 6>& zgRows, bool reducedGrid, const std::array<Span, 8>& rgRows,
                      Accumulated& acc)
{
    const int nWords = (h + 63) / 64;
    if (nWords == 1)
        accumulate<1>(w, h, zones, mid, zoneGrid, zgRows, reducedGrid, rgRows, acc);
    else if (nWords == 2)
        accumulate<2>(w, h, zones, mid, zoneGrid, zgRows, reducedGrid, rgRows, acc);
    else
        accumulate<3>(w, h, zones, mid, zoneGrid, zgRows, reducedGrid, rgRows, acc);
}

} // namespace

std::string wrongSizeMessage(IntSize size)
{
    return "SZ - wrong size " + std::to_string(size.Width) + "," + std::to_string(size.Height);
}

void startWindowRun() { Win.SizeMessageShown = false; }

namespace {

// An 8 x 8 bit block, row r in byte 7 - r and column c in bit 7 - c of its
// byte, turned so that column c lies in byte 7 - c, row r in bit 7 - r.
uint64_t transpose8(uint64_t m)
{
    m = (m & 0xAA55AA55AA55AA55ull) | ((m & 0x00AA00AA00AA00AAull) << 7) | ((m >> 7) & 0x00AA00AA00AA00AAull);
    m = (m & 0xCCCC3333CCCC3333ull) | ((m & 0x0000CCCC0000CCCCull) << 14) | ((m >> 14) & 0x0000CCCC0000CCCCull);
    m = (m & 0xF0F0F0F00F0F0F0Full) | ((m & 0x00000000F0F0F0F0ull) << 28) | ((m >> 28) & 0x00000000F0F0F0F0ull);
    return m;
}

// The eight window values (0 or 1, top first) of a byte of eight rows, the
// top row in its highest bit.
struct EightRows {
    std::array<std::array<int16_t, 8>, 256> values{};
    EightRows()
    {
        for (int v = 0; v < 256; ++v)
            for (int k = 0; k < 8; ++k)
                values[static_cast<size_t>(v)][static_cast<size_t>(k)] = static_cast<int16_t>((v >> (7 - k)) & 1);
    }
};

} // namespace

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
    // The window columns on the page, xa..xb; the rest is background.
    const int64_t px0 = static_cast<int64_t>(origin.X) - 1; // page column of window column x is px0 + x
    const int64_t xa = std::max<int64_t>(1, -px0);
    const int64_t xb = std::min<int64_t>(w, pageCols - 1 - px0);
    for (int32_t x = 1; x <= w; ++x) {
        int16_t* col = Win.CutWindow[x].begin();
        if (x < xa || x > xb || yFirst > yLast) {
            std::fill(col, col + h, background);
            continue;
        }
        std::fill(col, col + (yFirst - 1), background);
        std::fill(col + yLast, col + h, background);
    }
    if (xa > xb || yFirst > yLast)
        return;
    // Eight rows at a time, each page byte turned into eight columns of
    // eight rows; the rows left over one pixel at a time.
    static const EightRows eight;
    const uint8_t flipByte = flip != 0 ? 0xFF : 0x00;
    const int64_t byteFirst = (px0 + xa) >> 3, byteLast = (px0 + xb) >> 3;
    int64_t y = yFirst;
    for (; y + 7 <= yLast; y += 8) {
        const uint8_t* rows = bits + static_cast<size_t>(origin.Y + y - 1) * stride;
        for (int64_t byte = byteFirst; byte <= byteLast; ++byte) {
            uint64_t m = 0;
            for (int r = 0; r < 8; ++r)
                m |= static_cast<uint64_t>(rows[static_cast<size_t>(r) * stride + static_cast<size_t>(byte)] ^ flipByte)
                     << (56 - 8 * r);
            m = transpose8(m);
            for (int c = 0; c < 8; ++c) {
                const int64_t x = 8 * byte + c - px0;
                if (x < xa || x > xb)
                    continue;
                const auto v = static_cast<uint8_t>(m >> (56 - 8 * c));
                std::copy_n(eight.values[v].begin(), 8, Win.CutWindow[static_cast<int32_t>(x)].begin() + (y - 1));
            }
        }
    }
    for (; y <= yLast; ++y) {
        const uint8_t* row = bits + static_cast<size_t>(origin.Y + y - 1) * stride;
        for (int64_t x = xa; x <= xb; ++x) {
            const int64_t px = px0 + x;
            Win.CutWindow[static_cast<int32_t>(x)][static_cast<int32_t>(y)] =
                static_cast<int16_t>(((row[static_cast<size_t>(px >> 3)] >> (7 - static_cast<int>(px & 7))) & 1) ^ flip);
        }
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
    if (zoneGrid)
        cellSpans<5>(h, zgRows);
    if (reducedGrid)
        cellSpans<7>(h, rgRows);

    Accumulated acc;
    accumulateWindow(w, h, zones, mid, zoneGrid, zgRows, reducedGrid, rgRows, acc);
    const int32_t ink = acc.ink;
    const auto& rowCount = acc.rowCount;
    const auto& rowSumX = acc.rowSumX;
    const auto& colCount = acc.colCount;
    const auto& colSumY = acc.colSumY;
    const auto& colMid = acc.colMid;
    const auto& zoneSum = acc.zoneSum;
    const auto& zg = acc.zg;
    const auto& rg = acc.rg;

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

    const int32_t mirrorX = acc.mirrorX;
    const int32_t mirrorY = acc.mirrorY;
    s.MirrorInkX = ink > 0 ? mirrorX * 100 / ink : 0;
    s.MirrorInkY = ink > 0 ? mirrorY * 100 / ink : 0;

    // Profiles; the centres use the counts before they become percentages.
    const ExactDivision byH(h), byW(w);
    const int32_t n = std::max(w, h);
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t cc = i <= w ? colCount[i] : 0;
        const int32_t rc = i <= h ? rowCount[i] : 0;
        s.ColumnInkCentre[i] = cc > 0 ? colSumY[i] * 100 / (cc * h) : 0;
        s.RowInkCentre[i] = rc > 0 ? rowSumX[i] * 100 / (rc * w) : 0;
        s.ColumnInk[i] = byH(cc * 100);
        s.ColumnMidInk[i] = byH((i <= w ? colMid[i] : 0) * 200);
        s.RowInk[i] = byW(rc * 100);
    }
    s.WindowInkCount = ink * 100 / (w * h);
    s.InkPixels = ink;
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
