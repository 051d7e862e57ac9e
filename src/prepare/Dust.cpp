// Dust on a scanned page.
//
// A scan carries blots of dust and toner: small dots of ink that touch
// nothing printed. Inside a cell of the board a blot looks like a stroke of
// a digit or a piece of a line, and an empty crossing with one beside it no
// longer matches its board pattern. Nothing printed on a board is that
// small and alone: lines and star points are one piece with the grid,
// digits and marks are a third of the pitch tall and more, and the pieces
// of a thin ring that a coarse scan breaks up lie close to each other. So
// every piece of ink on and around the board that fits in a sixth of the
// pitch both ways and has no other ink within a twentieth of the pitch is taken
// off the page before the points are looked at, unless ink closes round it
// close by, as round the hole of a digit printed white on a black stone.
#include "prepare/PrepareEngine.h"

#include "model/PackedPage.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quon {

namespace {

// Whether ink lies within `reach` of the box on all four sides, looked for
// along the box's middle row and column. The hole in the loop of a "9" or
// "6" printed white on a black stone is as small and as alone as a blot,
// but the stone's ink closes round it a stroke away. Nothing a blot can
// lie in is that narrow: a cell or a white stone is over half a pitch
// across, so no blot there has ink within a quarter pitch both ways.
bool enclosed(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t reach)
{
    const int32_t cx = (left + right) / 2, cy = (top + bottom) / 2;
    auto inkAlong = [&](int32_t x, int32_t y, int32_t dx, int32_t dy) {
        for (int32_t i = 1; i <= reach; ++i)
            if (GetPix(x + i * dx, y + i * dy) != 0)
                return true;
        return false;
    };
    return inkAlong(left, cy, -1, 0) && inkAlong(right, cy, 1, 0) && inkAlong(cx, top, 0, -1) &&
           inkAlong(cx, bottom, 0, 1);
}

} // namespace

void PrepareEngine::removeDust()
{
    SharedTables& t = Reco;
    const int32_t pitch = std::min(t.CellPitchX, t.CellPitchY);
    const int32_t maxSide = pitch / DustPitchDivisor;
    const int32_t gap = std::max(2, pitch / DustGapDivisor);
    if (maxSide < 1 || t.PackedStride <= 0 || t.ImageWidth <= 0 || t.ImageHeight <= 0)
        return;
    // The board's corners and a pitch around them.
    int32_t x0 = t.ImageWidth, y0 = t.ImageHeight, x1 = 0, y1 = 0;
    for (int c = 0; c <= 1; ++c)
        for (int r = 0; r <= 1; ++r) {
            const IntPoint p = boardCorner(c, r);
            x0 = std::min(x0, p.X);
            x1 = std::max(x1, p.X);
            y0 = std::min(y0, p.Y);
            y1 = std::max(y1, p.Y);
        }
    x0 = std::max(0, x0 - t.CellPitchX);
    y0 = std::max(0, y0 - t.CellPitchY);
    x1 = std::min(std::min(t.ImageWidth, t.PackedStride * 8) - 1, x1 + t.CellPitchX);
    y1 = std::min(t.PackedHeight - 1, y1 + t.CellPitchY);
    if (x1 < x0 || y1 < y0)
        return;
    const int32_t w = x1 - x0 + 1, h = y1 - y0 + 1;
    enum : uint8_t { Unseen = 0, Big = 1, Done = 2, Current = 3 };
    std::vector<uint8_t> state(static_cast<size_t>(w) * static_cast<size_t>(h), Unseen);
    auto at = [&](int32_t x, int32_t y) -> uint8_t& { return state[static_cast<size_t>(y - y0) * w + (x - x0)]; };
    const uint8_t background = t.InkPolarity != 0 ? 0xFF : 0x00;
    std::vector<IntPoint> piece, stack;
    for (int32_t y = y0; y <= y1; ++y) {
        const uint8_t* row = t.PackedImage.data() + static_cast<size_t>(y) * t.PackedStride;
        for (int32_t x = x0; x <= x1; ++x) {
            if ((x & 7) == 0 && x + 7 <= x1 && row[x >> 3] == background) {
                x += 7; // eight background pixels
                continue;
            }
            if (GetPix(x, y) == 0 || at(x, y) != Unseen)
                continue;
            // Gather the piece (eight neighbours) until it grows too big,
            // reaches the edge of the area or meets a big piece.
            piece.clear();
            stack.assign(1, IntPoint{x, y});
            at(x, y) = Current;
            int32_t left = x, right = x, top = y, bottom = y;
            bool big = false;
            while (!stack.empty() && !big) {
                const IntPoint p = stack.back();
                stack.pop_back();
                piece.push_back(p);
                left = std::min(left, p.X);
                right = std::max(right, p.X);
                top = std::min(top, p.Y);
                bottom = std::max(bottom, p.Y);
                if (right - left + 1 > maxSide || bottom - top + 1 > maxSide) {
                    big = true;
                    break;
                }
                for (int32_t dy = -1; dy <= 1 && !big; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx) {
                        const int32_t nx = p.X + dx, ny = p.Y + dy;
                        if (nx < x0 || nx > x1 || ny < y0 || ny > y1) {
                            // Ink may go on beyond the area.
                            if (GetPix(nx, ny) != 0) {
                                big = true;
                                break;
                            }
                            continue;
                        }
                        if (GetPix(nx, ny) == 0)
                            continue;
                        uint8_t& s = at(nx, ny);
                        if (s == Big) {
                            big = true;
                            break;
                        }
                        if (s == Unseen) {
                            s = Current;
                            stack.push_back(IntPoint{nx, ny});
                        }
                    }
            }
            if (big) {
                for (const IntPoint& p : piece)
                    at(p.X, p.Y) = Big;
                for (const IntPoint& p : stack)
                    at(p.X, p.Y) = Big;
                continue;
            }
            // Alone: no other ink within the gap around it. The pieces of a
            // thin ring broken by a coarse scan lie close together and stay.
            bool alone = true;
            for (int32_t yy = top - gap; yy <= bottom + gap && alone; ++yy)
                for (int32_t xx = left - gap; xx <= right + gap; ++xx) {
                    const bool inArea = xx >= x0 && xx <= x1 && yy >= y0 && yy <= y1;
                    if (GetPix(xx, yy) != 0 && !(inArea && at(xx, yy) == Current)) {
                        alone = false;
                        break;
                    }
                }
            for (const IntPoint& p : piece)
                at(p.X, p.Y) = Done;
            if (!alone || enclosed(left, top, right, bottom, pitch / 4))
                continue;
            for (const IntPoint& p : piece) {
                uint8_t& b = t.PackedImage[static_cast<size_t>(p.Y) * t.PackedStride + (p.X >> 3)];
                const uint8_t mask = BitMasks[7 - (p.X & 7)];
                b = static_cast<uint8_t>(t.InkPolarity != 0 ? (b | mask) : (b & ~mask));
            }
        }
    }
}

} // namespace quon
