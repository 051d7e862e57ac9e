// The horizontal line finder.
//
// Method: every scanline of the page gives at most one segment, from the
// start of its first long ink run to the end of its last long one. Segments
// on neighbouring rows (gap below 15) are one grid line; a gap of 30 or more
// starts the next line. A gap in between means a stray ink stretch near a
// line (a heading, a rule, text), and the page is scanned again with a
// longer minimum run until it disappears or too few segments remain. Missing
// lines between two found ones (rows fully covered by stones) are put in at
// the rough pitch. Vertical lines are never searched: the horizontal pitch
// comes from the length of the lines, or the cells are taken as square when
// the lines are too short for the columns they must span.
//
// Known limits: the page must be deskewed; the first and last row of the
// diagram window must show a line; a line pitch below about 32 pixels leaves
// a gap under 30 between a thick line and the next one, which forces
// rescans until the finder gives up.
//
// The scan works on 64 pixels at a time from the packed page copy, and
// reads the page once per search: a rescan filters the runs of the first.
#include "prepare/PrepareEngine.h"

#include <algorithm>
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
    const int32_t width = Reco.ImageWidth;
    if (width <= 0)
        return;
    loadInkRow(row, rowWords_);
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
    MinRunLength = StartMinRunLength;
    cachedRuns_.clear();
    cachedRowStart_.assign(1, 0);
    for (;;) {
        segs.reset();
        SegmentsOverfull = false;
        bool clean = true;
        for (int32_t row = 3; row <= t.ImageHeight - 3; ++row) {
            // Rows are read from the page once per search; later attempts
            // filter the runs kept from the first.
            const size_t k = static_cast<size_t>(row - 3);
            if (k + 1 >= cachedRowStart_.size()) {
                rowRuns(row, StartMinRunLength, cachedRuns_);
                cachedRowStart_.push_back(static_cast<uint32_t>(cachedRuns_.size()));
            }
            const Run* runs = cachedRuns_.data();
            if (!appendSegment(row, runs + cachedRowStart_[k], runs + cachedRowStart_[k + 1])) {
                clean = false;
                break;
            }
        }
        if (clean) {
            for (int32_t i = 1; i < segs.Count; ++i) {
                const int32_t gap = segs[i + 1].Row - segs[i].Row;
                if (gap >= JoinGapPx && gap < NewLineGapPx) {
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

    // Rough pitch from the first and last segment.
    t.CellPitchY = (segs[segs.Count].Row - segs[1].Row) / (rows - 1);
    if (t.CellPitchY < MinPitchPx) {
        host.inform(linemsg::NarrowCell);
        return false;
    }
    if (t.CellPitchY > MaxPitchPx) {
        host.inform(linemsg::WideCell);
        return false;
    }

    // Grouping. The table is cleared first: entries past the line count
    // must read 0 when missing lines are looked for.
    HorLines.fill(0);
    int32_t minX = std::numeric_limits<int32_t>::max();
    int32_t maxX = 0;
    for (const Segment& s : segs) {
        minX = std::min(minX, s.FirstX);
        maxX = std::max(maxX, s.LastX);
    }
    HorLines[1] = segs[1].Row;
    LineCount = 1;
    int32_t thickness = 0;
    for (int32_t i = 1; i < segs.Count; ++i) {
        const int32_t gap = segs[i + 1].Row - segs[i].Row;
        if (gap < JoinGapPx) {
            thickness += gap;
        } else if (gap >= NewLineGapPx) {
            if (LineCount + 1 > MaxLineGroups) {
                host.inform(linemsg::TooManyGroups);
                return false;
            }
            ++LineCount;
            HorLines[LineCount] = segs[i + 1].Row;
            if (i + 1 != segs.Count)
                thickness = 0;
        }
    }
    if (LineCount > rows) {
        host.inform(linemsg::TooManyLines);
        return false;
    }

    // Line centres: one offset for all lines, half the thickness of the last.
    auto setY = [&](int32_t line, int32_t y) { t.GridPoints[win.Left][win.Top + line - 1].Coord.Y = y; };
    for (int32_t i = 1; i <= LineCount; ++i) {
        HorLines[i] += thickness / 2;
        setY(i, HorLines[i]);
    }

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
    t.CellPitchY = (yn - y1) / (rows - 1);
    const int32_t extent = maxX - minX;
    int32_t right = 0;
    if ((extent * 21 / 20) / (columns - 1) > t.CellPitchY) {
        t.CellPitchX = extent / (columns - 1);
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
    FoundBoardRect = PixelRect{minX, y1, right, yn};
    return true;
}

} // namespace quon
