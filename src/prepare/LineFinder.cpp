// The horizontal line finder.
//
// Method: every scanline of the page gives at most one segment, from the
// start of its first long ink run to the end of its last long one. Segments
// on neighbouring rows (gap below 15, or about a third of the page's line
// spacing when that is smaller) are one grid line; a gap of 30 or more (or
// three quarters of the spacing) starts the next line. A gap in between
// means a stray ink stretch near a line (a heading, a rule, text), and the
// page is scanned again with a longer minimum run until it disappears or
// too few segments remain. Missing lines between two found ones (rows fully
// covered by stones) are put in at the rough pitch. Vertical lines are
// never searched: the horizontal pitch comes from the length of the lines,
// or the cells are taken as square when the lines are too short for the
// columns they must span.
//
// A page turned by up to about two degrees is read along its skew: the
// slope that gathers the long runs onto the fewest rows.
//
// Known limits: the first and last row of the diagram window must show a
// line.
//
// The scan works on 64 pixels at a time from the packed page copy, and
// reads the page once per search: a rescan filters the runs of the first.
#include "prepare/PrepareEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <bit>
#include <limits>

namespace quon {

namespace {

// Loads page row `y` of the packed copy as ink bits (leftmost pixel in the
// most significant bit of word 0). Pixels past the width read as 0, and so
// does a row the copy does not hold.
void loadInkRow(int32_t y, std::vector<uint64_t>& words)
{
    const SharedTables& t = Reco;
    const int32_t width = std::max(0, t.ImageWidth);
    const size_t nWords = static_cast<size_t>((width + 63) / 64);
    words.assign(nWords, 0);
    if (y < 0 || y >= t.PackedHeight || t.PackedStride <= 0)
        return;
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(t.PackedStride);
    if (start >= t.PackedImage.size())
        return;
    const int32_t haveBytes =
        static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(t.PackedStride), t.PackedImage.size() - start));
    const int32_t nBytes = std::min((width + 7) / 8, haveBytes);
    const uint8_t* row = t.PackedImage.data() + start;
    // Ink is a bit that differs from the background value.
    const uint8_t flip = t.InkPolarity != 0 ? 0xFF : 0x00;
    int32_t b = 0;
    for (size_t k = 0; k < nWords && b < nBytes; ++k) {
        uint64_t w = 0;
        for (int i = 0; i < 8; ++i, ++b) {
            const uint8_t v = b < nBytes ? static_cast<uint8_t>(row[b] ^ flip) : 0;
            w = (w << 8) | v;
        }
        words[k] = w;
    }
    if (width % 64 != 0 && nWords > 0)
        words[nWords - 1] &= ~0ull << (64 - width % 64);
}

// The first x >= from whose bit equals `ink`, or `width` when there is none
// before the end of the row.
int32_t findPixel(const std::vector<uint64_t>& words, int32_t from, int32_t width, bool ink)
{
    if (from >= width)
        return width;
    size_t k = static_cast<size_t>(from >> 6);
    uint64_t w = ink ? words[k] : ~words[k];
    w &= ~0ull >> (from & 63);
    while (w == 0) {
        if (++k >= words.size())
            return width;
        w = ink ? words[k] : ~words[k];
    }
    const int64_t x = static_cast<int64_t>(k) * 64 + std::countl_zero(w);
    return static_cast<int32_t>(std::min<int64_t>(x, width));
}

} // namespace

void PrepareEngine::rowRuns(int32_t row, int32_t minLength, std::vector<Run>& out)
{
    if (Reco.ImageWidth <= 0)
        return;
    loadInkRow(row, rowWords_);
    wordRuns(minLength, out);
}

void PrepareEngine::wordRuns(int32_t minLength, std::vector<Run>& out) const
{
    const int32_t width = Reco.ImageWidth;
    int32_t x = 0;
    for (;;) {
        const int32_t start = findPixel(rowWords_, x, width, true);
        if (start >= width)
            break;
        const int32_t end = findPixel(rowWords_, start, width, false); // first background pixel
        if (end >= width)
            break; // the run reaches the end of the row and is never closed
        if (end - start > minLength)
            out.push_back(Run{start, end});
        x = end;
    }
}

void PrepareEngine::loadInkPage()
{
    const int32_t height = std::max(0, Reco.ImageHeight);
    const size_t nWords = static_cast<size_t>((std::max(0, Reco.ImageWidth) + 63) / 64);
    pageWords_.assign(nWords * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        loadInkRow(y, rowWords_);
        std::copy(rowWords_.begin(), rowWords_.end(), pageWords_.begin() + static_cast<ptrdiff_t>(nWords * y));
    }
}

void PrepareEngine::shearedRowRuns(int32_t row, double skew, int32_t minLength, std::vector<Run>& out)
{
    const int32_t width = Reco.ImageWidth;
    if (width <= 0)
        return;
    const size_t nWords = static_cast<size_t>((width + 63) / 64);
    rowWords_.assign(nWords, 0);
    const int32_t height = static_cast<int32_t>(pageWords_.size() / std::max<size_t>(1, nWords));
    // Pixel x is read from page rows row + round(skew * x) and the one
    // below: a line one pixel thick steps down where its own slope says, not
    // where the rounding does, and the two rows always hold it. The row
    // steps at most a few times within a word, so each word is put together
    // from the masked words of those few rows.
    for (size_t k = 0; k < nWords; ++k) {
        const int32_t x0 = static_cast<int32_t>(k) * 64;
        const int32_t x1 = std::min(width, x0 + 64);
        int32_t x = x0;
        while (x < x1) {
            const int32_t dy = static_cast<int32_t>(std::lround(skew * x));
            int32_t xe = x + 1;
            while (xe < x1 && std::lround(skew * xe) == dy)
                ++xe;
            const int32_t y = row + dy;
            if (y >= 0 && y < height) {
                const int32_t a = x - x0, b = xe - x0; // bits [a, b) of the word, from the left
                const uint64_t mask = (b - a == 64) ? ~0ull : (((1ull << (b - a)) - 1) << (64 - b));
                rowWords_[k] |= pageWords_[static_cast<size_t>(y) * nWords + k] & mask;
            }
            if (y + 1 >= 0 && y + 1 < height) {
                const int32_t a = x - x0, b = xe - x0;
                const uint64_t mask = (b - a == 64) ? ~0ull : (((1ull << (b - a)) - 1) << (64 - b));
                rowWords_[k] |= pageWords_[static_cast<size_t>(y + 1) * nWords + k] & mask;
            }
            x = xe;
        }
    }
    // A thin line turned and thresholded loses a pixel or two where it
    // steps from one row to the next: with no ink on either row there, the
    // two rows read together still break the line into pieces of 1 / skew
    // pixels, too short to count on a steep skew. Those gaps are closed
    // when the pieces are shorter than two long runs; on a gentler skew a
    // line keeps pieces long enough, and closing gaps would only join
    // stones and letters.
    if (std::abs(skew) * 2 * StartMinRunLength > 1.0)
        BridgeStepGaps(rowWords_);
    wordRuns(minLength, out);
}

void PrepareEngine::BridgeStepGaps(std::vector<uint64_t>& words)
{
    // A gap of one or two background pixels with ink on both sides
    // becomes ink; the neighbours are read from the words as they were.
    uint64_t prev = 0;
    for (size_t k = 0; k < words.size(); ++k) {
        const uint64_t w = words[k];
        const uint64_t next = k + 1 < words.size() ? words[k + 1] : 0;
        const uint64_t left = (w >> 1) | (prev << 63);  // each pixel's left neighbour
        const uint64_t right = (w << 1) | (next >> 63); // and its right one
        const uint64_t left2 = (w >> 2) | (prev << 62); // two to the left
        const uint64_t right2 = (w << 2) | (next >> 62);
        prev = w;
        words[k] = w | (left & right) | (left & right2) | (left2 & right);
    }
}

double PrepareEngine::estimateSkew() const
{
    // The skew that gathers the long runs on the fewest rows: each run adds
    // its length to the rows it crosses when read along a candidate slope,
    // and the sharpest profile (largest sum of squares) wins. A candidate
    // is a whole number of pixels of drift over the page width.
    const int32_t width = Reco.ImageWidth;
    const int32_t rows = static_cast<int32_t>(cachedRowStart_.size()) - 1;
    if (width <= 0 || rows <= 0)
        return 0.0;
    const int32_t maxDrift = static_cast<int32_t>(width * MaxSkew);
    const int32_t pad = maxDrift + 2;
    std::vector<int64_t> profile(static_cast<size_t>(rows + 2 * pad));
    auto score = [&](int32_t drift) {
        const double s = static_cast<double>(drift) / width;
        std::fill(profile.begin(), profile.end(), 0);
        for (int32_t r = 0; r < rows; ++r) {
            for (uint32_t j = cachedRowStart_[static_cast<size_t>(r)]; j < cachedRowStart_[static_cast<size_t>(r) + 1];
                 ++j) {
                const Run& run = cachedRuns_[j];
                // The run lies on row r; read along slope s it belongs to
                // row r - s x, which steps across the run.
                int32_t x = run.start;
                while (x < run.end) {
                    const int32_t bin = r - static_cast<int32_t>(std::lround(s * x));
                    int32_t xe = run.end;
                    if (drift != 0) {
                        // The next x at which the rounded drift changes.
                        const double d = s * x;
                        const double next = s > 0 ? std::floor(d + 0.5) + 0.5 : std::ceil(d - 0.5) - 0.5;
                        xe = std::min<int32_t>(run.end,
                                               std::max<int32_t>(x + 1, static_cast<int32_t>(std::ceil(next / s))));
                    }
                    profile[static_cast<size_t>(bin + pad)] += xe - x;
                    x = xe;
                }
            }
        }
        long double sum = 0;
        for (int64_t v : profile)
            sum += static_cast<long double>(v) * static_cast<long double>(v);
        return sum;
    };
    // Nearest to level first, so that a tie keeps the page level.
    auto search = [&](int32_t centre, int32_t reach, int32_t step) {
        int32_t best = centre;
        long double bestScore = -1;
        for (int32_t i = 0; i <= 2 * (reach / step); ++i) {
            const int32_t k = (i % 2 == 0) ? i / 2 : -(i + 1) / 2;
            const int32_t drift = centre + k * step;
            if (std::abs(drift) > maxDrift)
                continue;
            const long double v = score(drift);
            if (v > bestScore) {
                bestScore = v;
                best = drift;
            }
        }
        return best;
    };
    // The profile sharpens steadily toward the true slope: a coarse search
    // by four pixels of drift, then the pixels around its best.
    const int32_t coarse = search(0, maxDrift, SkewCoarseStepPx);
    const int32_t drift = search(coarse, SkewCoarseStepPx - 1, 1);
    const double best = static_cast<double>(drift) / width;
    return best;
}

bool PrepareEngine::appendSegment(int32_t row, const Run* first, const Run* last)
{
    auto& segs = Reco.Segments;
    const Run* firstLong = nullptr;
    const Run* lastLong = nullptr;
    for (const Run* r = first; r != last; ++r) {
        if (r->end - r->start > MinRunLength) {
            if (!firstLong)
                firstLong = r;
            lastLong = r;
        }
    }
    if (!firstLong)
        return true;
    if (segs.full()) {
        SegmentsOverfull = true;
        return false;
    }
    const Segment s{row, firstLong->start, lastLong->end - 1};
    segs.add(s, "Segments");
    host.log(std::to_string(s.Row) + " " + std::to_string(s.FirstX) + " " + std::to_string(s.LastX) + " " +
             std::to_string(s.LastX - s.FirstX));
    return true;
}

void PrepareEngine::ScanRowRuns(int32_t row)
{
    std::vector<Run> runs;
    rowRuns(row, MinRunLength, runs);
    appendSegment(row, runs.data(), runs.data() + runs.size());
}

bool PrepareEngine::FindHorLines()
{
    SharedTables& t = Reco;
    const DiagramRect win = t.DiagramWindow;
    const int32_t rows = t.DiagramWindowSize.Rows;
    const int32_t columns = t.DiagramWindowSize.Columns;
    // The pitch divisions need two rows and two columns, and every line must
    // land on a point of the board.
    if (rows < 2 || columns < 2 || win.Left < 1 || win.Top < 1 || win.Right > 19 || win.Bottom > 19 ||
        win.Right - win.Left + 1 != columns || win.Bottom - win.Top + 1 != rows) {
        host.inform(linemsg::BadWindow);
        return false;
    }

    auto& segs = t.Segments;
    int32_t joinGap = JoinGapPx, newLineGap = NewLineGapPx;
    MinRunLength = StartMinRunLength;
    // The page is read once per search; every attempt filters the runs kept
    // from that reading.
    cachedRuns_.clear();
    cachedRowStart_.assign(1, 0);
    for (int32_t row = 3; row <= t.ImageHeight - 3; ++row) {
        rowRuns(row, StartMinRunLength, cachedRuns_);
        cachedRowStart_.push_back(static_cast<uint32_t>(cachedRuns_.size()));
    }
    // A scanned page lies turned a little: its lines cross the scanlines,
    // each scanline holds only pieces of a line, and the pieces at the
    // line's ends (or between stones) are too short to count. When the
    // long runs line up along a slope that drifts by more than a pixel
    // over the page, the page is read again along that slope: a "row" is
    // then the line through (0, row) at the page's skew, and the lines are
    // whole again. FoundSkew keeps the slope for the first grid.
    FoundSkew = estimateSkew();
    int32_t firstRow = 3, lastRow = t.ImageHeight - 3;
    if (std::abs(FoundSkew) * t.ImageWidth >= MinSkewDriftPx) {
        const int32_t drift = static_cast<int32_t>(std::lround(FoundSkew * t.ImageWidth));
        firstRow -= std::max(0, drift);
        lastRow -= std::min(0, drift);
        loadInkPage();
        cachedRuns_.clear();
        cachedRowStart_.assign(1, 0);
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            shearedRowRuns(row, FoundSkew, StartMinRunLength, cachedRuns_);
            cachedRowStart_.push_back(static_cast<uint32_t>(cachedRuns_.size()));
        }
        pageWords_.clear();
        pageWords_.shrink_to_fit();
    } else {
        FoundSkew = 0.0;
    }
    for (;;) {
        segs.reset();
        SegmentsOverfull = false;
        bool clean = true;
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            const size_t k = static_cast<size_t>(row - firstRow);
            const Run* runs = cachedRuns_.data();
            if (!appendSegment(row, runs + cachedRowStart_[k], runs + cachedRowStart_[k + 1])) {
                clean = false;
                break;
            }
        }
        // The row gaps that join segments into one line and that start the
        // next line are a third and three quarters of the line spacing, up
        // to 15 and 30 pixels: the spacing is the typical gap between
        // segments that are not neighbours, at least the narrowest pitch.
        {
            std::vector<int32_t> gaps;
            for (int32_t i = 1; i < segs.Count; ++i)
                if (segs[i + 1].Row - segs[i].Row > 3)
                    gaps.push_back(segs[i + 1].Row - segs[i].Row);
            int32_t spacing = NewLineGapPx * 2;
            if (!gaps.empty()) {
                std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
                spacing = std::max(MinPitchPx, gaps[gaps.size() / 2]);
            }
            joinGap = std::min(JoinGapPx, (spacing + 2) / 3);
            newLineGap = std::min(NewLineGapPx, spacing - spacing / 4);
        }
        if (clean) {
            for (int32_t i = 1; i < segs.Count; ++i) {
                const int32_t gap = segs[i + 1].Row - segs[i].Row;
                if (gap >= joinGap && gap < newLineGap) {
                    clean = false;
                    break;
                }
            }
        }
        if (!clean)
            MinRunLength += MinRunLengthStep;
        // An overfull table counts as one more than it holds.
        const int32_t found = segs.Count + (SegmentsOverfull ? 1 : 0);
        if (found < rows / 2) {
            host.inform(linemsg::NoLines);
            return false;
        }
        if (clean)
            break;
    }

    // Grouping: segments on neighbouring rows make one line. A line is
    // where its widest segments lie: the rows of stones that touch along a
    // line (two black stones side by side make a long run too) join its
    // group but are narrower than the line itself.
    struct Group {
        int32_t firstSeg = 0, lastSeg = 0; // its segments
        int32_t row = 0;                   // the line's middle row
        int32_t thickness = 0;             // rows of the line itself, less one
        int32_t firstX = 0, lastX = 0;     // the line's ends
    };
    std::vector<Group> groups;
    groups.push_back(Group{1, 1});
    for (int32_t i = 1; i < segs.Count; ++i) {
        const int32_t gap = segs[i + 1].Row - segs[i].Row;
        if (gap < joinGap)
            groups.back().lastSeg = i + 1;
        else if (gap >= newLineGap)
            groups.push_back(Group{i + 1, i + 1});
    }
    for (Group& g : groups) {
        int32_t widest = 0;
        for (int32_t i = g.firstSeg; i <= g.lastSeg; ++i)
            widest = std::max(widest, segs[i].LastX - segs[i].FirstX);
        // Rows read along a skew may lie above row 0: no sentinel row.
        int32_t top = 0, bottom = 0;
        bool any = false;
        g.firstX = std::numeric_limits<int32_t>::max();
        g.lastX = 0;
        for (int32_t i = g.firstSeg; i <= g.lastSeg; ++i) {
            const Segment& sg = segs[i];
            g.firstX = std::min(g.firstX, sg.FirstX);
            g.lastX = std::max(g.lastX, sg.LastX);
            if ((sg.LastX - sg.FirstX) * 2 < widest)
                continue;
            if (!any)
                top = sg.Row;
            any = true;
            bottom = sg.Row;
        }
        g.row = (top + bottom) / 2; // the middle of the line
        g.thickness = bottom - top;
    }

    // The board's lines: when the groups span more than the window's rows
    // at their own spacing (a heading rule above the board, the top of the
    // next diagram below it), the longest run of consecutive groups that
    // spans exactly rows - 1 spacings, preferring heavy (edge) lines at its
    // ends. Otherwise all of them, as found.
    size_t first = 0, last = groups.size() - 1;
    if (groups.size() >= 3) {
        std::vector<int32_t> gaps;
        for (size_t g = 1; g < groups.size(); ++g)
            gaps.push_back(groups[g].row - groups[g - 1].row);
        std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
        const int32_t spacing = gaps[gaps.size() / 2];
        auto fits = [&](size_t a, size_t b) {
            return std::abs(groups[b].row - groups[a].row - (rows - 1) * spacing) <= spacing / 2;
        };
        if (!fits(first, last) || static_cast<int32_t>(groups.size()) > rows) {
            size_t bestA = 0, bestB = 0;
            int32_t bestCount = 0, bestWeight = -1;
            bool tie = false;
            for (size_t a = 0; a < groups.size(); ++a)
                for (size_t b = a + 1; b < groups.size() && static_cast<int32_t>(b - a + 1) <= rows; ++b) {
                    if (!fits(a, b))
                        continue;
                    const int32_t count = static_cast<int32_t>(b - a + 1);
                    const int32_t weight = groups[a].thickness + groups[b].thickness;
                    if (count > bestCount || (count == bestCount && weight > bestWeight)) {
                        bestA = a;
                        bestB = b;
                        bestCount = count;
                        bestWeight = weight;
                        tie = false;
                    } else if (count == bestCount && weight == bestWeight) {
                        tie = true;
                    }
                }
            // Two equally good runs: the page does not say which is the
            // board, and the lines are taken as found.
            if (bestCount > 0 && !tie) {
                first = bestA;
                last = bestB;
            }
        }
    }
    if (last - first + 1 > static_cast<size_t>(MaxLineGroups)) {
        host.inform(linemsg::TooManyGroups);
        return false;
    }
    // The table is cleared first: entries past the line count must read 0
    // when missing lines are looked for.
    HorLines.fill(0);
    LineCount = 0;
    std::vector<int32_t> leftEnds, rightEnds;
    // On a turned page the board's sides lean too, by the same slope the
    // other way: each line's ends are taken back to where they would be on
    // the first line, so that the lines' common ends still gather.
    for (size_t g = first; g <= last; ++g) {
        HorLines[++LineCount] = groups[g].row;
        const int32_t lean = static_cast<int32_t>(std::lround(FoundSkew * (groups[g].row - groups[first].row)));
        leftEnds.push_back(groups[g].firstX + lean);
        rightEnds.push_back(groups[g].lastX + lean);
    }
    // How heavy the page's ink is: the thinnest inner line (the edge lines
    // are drawn heavier, and stones standing on a line add to its rows).
    LineThickness = 0;
    for (size_t g = first + 1; g < last; ++g)
        if (LineThickness == 0 || groups[g].thickness + 1 < LineThickness)
            LineThickness = groups[g].thickness + 1;
    // The heaviest a thin line is drawn: a resampled page draws the same
    // line a pixel wider here and there, a line with stones along it is far
    // thicker.
    ThinLineThickness = LineThickness;
    for (size_t g = first + 1; g < last; ++g)
        if (groups[g].thickness + 1 <= 2 * LineThickness)
            ThinLineThickness = std::max(ThinLineThickness, groups[g].thickness + 1);
    // The rough pitch from the board's own lines.
    t.CellPitchY = (groups[last].row - groups[first].row) / (rows - 1);
    if (t.CellPitchY < MinPitchPx) {
        host.inform(linemsg::NarrowCell);
        return false;
    }
    if (t.CellPitchY > MaxPitchPx) {
        host.inform(linemsg::WideCell);
        return false;
    }
    // The ends of the board: the end that most lines share (within a
    // twentieth of the pitch), the outer one of two as common. A line stops
    // short at a stone standing on it, and runs on through a black stone
    // standing on the edge, but the lines that meet the edge line end
    // together.
    const int32_t tolerance = std::max(2, t.CellPitchY / 20);
    auto commonEnd = [&](std::vector<int32_t> v, bool outerIsLow) {
        std::sort(v.begin(), v.end());
        // Each run of ends within twice the tolerance of its first: how
        // many lines end there, and where (the run's middle end).
        auto eachRun = [&](auto&& take) {
            for (size_t a = 0; a < v.size(); ++a) {
                size_t b = a;
                while (b + 1 < v.size() && v[b + 1] - v[a] <= 2 * tolerance)
                    ++b;
                take(b - a + 1, v[(a + b) / 2]);
            }
        };
        size_t bestCount = 0;
        int32_t best = v[v.size() / 2];
        eachRun([&](size_t count, int32_t at) {
            if (count > bestCount || (count == bestCount && (outerIsLow ? at < best : at > best))) {
                bestCount = count;
                best = at;
            }
        });
        // Stones standing in a column stop several lines together a
        // column in; the board's edge lies further out. An outer end that
        // half as many lines share (and at least three) is the board's
        // when it lies a column out; black stones on the edge carry lines
        // only a stone's radius past it.
        const int32_t common = best;
        eachRun([&](size_t count, int32_t at) {
            if (count >= 3 && 2 * count >= bestCount && std::abs(at - common) * 4 > t.CellPitchY * 3 &&
                (outerIsLow ? at < best : at > best))
                best = at;
        });
        return best;
    };
    const int32_t minX = commonEnd(leftEnds, true);
    const int32_t maxX = commonEnd(rightEnds, false);
    if (LineCount > rows) {
        host.inform(linemsg::TooManyLines);
        return false;
    }

    // Each line stands at its own middle row.
    auto setY = [&](int32_t line, int32_t y) { t.GridPoints[win.Left][win.Top + line - 1].Coord.Y = y; };
    for (int32_t i = 1; i <= LineCount; ++i)
        setY(i, HorLines[i]);

    // Missing lines between two found ones, at the rough pitch.
    if (LineCount < rows) {
        const int32_t p = t.CellPitchY;
        int32_t i = 1;
        while (i <= rows) {
            int32_t gap = 0;
            int32_t missing = 0;
            if (i < rows) {
                gap = HorLines[i + 1] - HorLines[i];
                if (gap > 2 * p - p / 4) {
                    missing = gap / p - 1;
                    if (gap % p > p - p / 4)
                        ++missing;
                }
            }
            setY(i, HorLines[i]);
            if (missing > 0) {
                if (LineCount + missing > rows) {
                    host.inform(linemsg::TooManyLines);
                    return false;
                }
                for (int32_t k = LineCount; k > i; --k)
                    HorLines[k + missing] = HorLines[k];
                for (int32_t k = i + 1; k <= i + missing; ++k) {
                    HorLines[k] = HorLines[i] + (gap / (missing + 1)) * (k - i);
                    ++LineCount;
                    setY(k, HorLines[k]);
                    host.pointList(std::to_string(k) + " " + std::to_string(HorLines[k]));
                }
                i += missing; // the last inserted line: its gap to the next one is examined next
            } else {
                ++i;
            }
        }
    }
    if (LineCount != rows) {
        host.inform(linemsg::TooFewLines);
        return false;
    }

    // Result.
    const int32_t y1 = t.GridPoints[win.Left][win.Top].Coord.Y;
    const int32_t yn = t.GridPoints[win.Left][win.Bottom].Coord.Y;
    // The pitch to the nearest pixel: a truncated one is most of a pixel
    // short on a fractional pitch, and the stone windows cut from it then
    // lose the rim of every stone and the ink next to it.
    t.CellPitchY = (yn - y1 + (rows - 1) / 2) / (rows - 1);
    const int32_t extent = maxX - minX;
    int32_t right = 0;
    // Printed cells are up to about a tenth taller than wide.
    if ((extent * 11 / 10) / (columns - 1) > t.CellPitchY) {
        t.CellPitchX = (extent + (columns - 1) / 2) / (columns - 1);
        right = maxX;
    } else {
        // The lines are too short for the columns: square cells.
        t.CellPitchX = t.CellPitchY;
        right = minX + t.CellPitchX * (columns - 1);
    }
    if (t.CellPitchX > MaxPitchPx || t.CellPitchY > MaxPitchPx) {
        host.inform(linemsg::WideCell);
        return false;
    }
    // On a turned page Top and Bottom are the rows of the first and last
    // line at the left end of the first line, not at x = 0.
    const int32_t atLeft = static_cast<int32_t>(std::lround(FoundSkew * minX));
    FoundBoardRect = PixelRect{minX, y1 + atLeft, right, yn + atLeft};
    return true;
}

} // namespace quon
