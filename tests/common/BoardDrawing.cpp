#include "common/BoardDrawing.h"

#include <algorithm>

namespace quon::test {

int32_t pointX(const BoardStyle& s, int32_t col) { return s.left + (col - 1) * s.pitchX; }
int32_t pointY(const BoardStyle& s, int32_t row) { return s.top + (row - 1) * s.pitchY; }

MonoPage drawBoard(const BoardStyle& s)
{
    const int32_t right = pointX(s, s.lines), bottom = pointY(s, s.lines);
    MonoPage p = blankPage(right + s.left + 1, bottom + s.top + 1);
    for (int32_t i = 1; i <= s.lines; ++i) {
        const int32_t t = i == 1 || i == s.lines ? s.edge : s.thin;
        // Edge lines grow outwards so that the board's corner pixel is the
        // first point.
        const int32_t x = pointX(s, i) - (i == 1 ? t - 1 : 0), y = pointY(s, i) - (i == 1 ? t - 1 : 0);
        drawBar(p, x, x + t - 1, s.top - (s.edge - 1), bottom + s.edge - 1);
        drawBar(p, s.left - (s.edge - 1), right + s.edge - 1, y, y + t - 1);
    }
    if (s.lines == 19)
        for (int32_t c : {4, 10, 16})
            for (int32_t r : {4, 10, 16})
                fillEllipse(p, pointX(s, c), pointY(s, r), 2 * s.starRadius + 1, 2 * s.starRadius + 1, true);
    return p;
}

void fillEllipse(MonoPage& page, int32_t cx, int32_t cy, int32_t dx, int32_t dy, bool black)
{
    const double rx = dx / 2.0, ry = dy / 2.0;
    for (int32_t y = cy - dy / 2 - 1; y <= cy + dy / 2 + 1; ++y)
        for (int32_t x = cx - dx / 2 - 1; x <= cx + dx / 2 + 1; ++x) {
            if (x < 0 || y < 0 || x >= page.width || y >= page.height)
                continue;
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            if (u * u + v * v <= 1.0)
                page.set(x, y, black);
        }
}

void drawStone(MonoPage& page, const BoardStyle& s, int32_t col, int32_t row, int colour, bool number, int32_t shiftX,
               int32_t shiftY)
{
    const int32_t cx = pointX(s, col) + shiftX, cy = pointY(s, row) + shiftY;
    const int32_t dx = s.pitchX * s.stonePercent / 100, dy = s.pitchY * s.stonePercent / 100;
    fillEllipse(page, cx, cy, dx, dy, true);
    if (colour == 2)
        fillEllipse(page, cx, cy, dx - 2 * s.ring, dy - 2 * s.ring, false);
    if (number) {
        // Two digit-sized boxes of 3-pixel strokes, as a bold "00".
        const int32_t h = std::max(5, dy * 2 / 5), w = std::max(4, dx / 5);
        for (const int32_t left : {cx - w - 1, cx + 1})
            for (int32_t y = cy - h / 2; y < cy - h / 2 + h; ++y)
                for (int32_t x = left; x < left + w; ++x) {
                    const bool stroke =
                        x < left + 3 || x >= left + w - 3 || y < cy - h / 2 + 3 || y >= cy - h / 2 + h - 3;
                    if (stroke)
                        page.set(x, y, colour == 2);
                }
    }
}

} // namespace quon::test
