#include "app/PageRotation.h"

#include <algorithm>
#include <cmath>

namespace quon {

MonoBitmap::MonoBitmap(int32_t w, int32_t h, uint8_t fillBit)
    : width(w), height(h), stride(packedStride(w)),
      bits(static_cast<size_t>(h) * static_cast<size_t>(packedStride(w)), fillBit ? 0xFF : 0x00)
{
}

void MonoBitmap::setBit(int32_t x, int32_t y, uint8_t v)
{
    uint8_t& b = bits[idx(y) + (x >> 3)];
    const uint8_t mask = static_cast<uint8_t>(0x80u >> (x & 7));
    b = v ? static_cast<uint8_t>(b | mask) : static_cast<uint8_t>(b & ~mask);
}

RotatedSize rotatedSize(int32_t width, int32_t height, long double angle)
{
    const long double s = std::fabs(std::sin(angle));
    const long double c = std::fabs(std::cos(angle));
    return {static_cast<int32_t>(std::trunc(c * width + s * height)),
            static_cast<int32_t>(std::trunc(s * width + c * height))};
}

MonoBitmap rotatePage(const MonoRows& page, long double angle, int32_t inkPolarity)
{
    const uint8_t background = inkPolarity ? 1 : 0;
    const RotatedSize size = rotatedSize(page.width, page.height, angle);
    const int32_t nw = std::max<int32_t>(1, size.width);
    const int32_t nh = std::max<int32_t>(1, size.height);
    MonoBitmap out(nw, nh, background);
    if (size.width < 1 || size.height < 1)
        return out;

    const long double s = std::sin(angle);
    const long double c = std::cos(angle);
    const int32_t cx = page.width / 2;
    const int32_t cy = page.height / 2;
    const int32_t ncx = nw / 2;
    const int32_t ncy = nh / 2;

    // Counts only need to tell whether they reached 80, so they saturate.
    std::vector<uint8_t> counts(static_cast<size_t>(nw) * static_cast<size_t>(nh), 0);
    auto add = [&](int32_t col, int32_t row, long double weight) {
        uint8_t& n = counts[static_cast<size_t>(row) * static_cast<size_t>(nw) + static_cast<size_t>(col)];
        const int v = static_cast<int>(std::nearbyint(40.0L * weight));
        n = static_cast<uint8_t>(std::min(255, n + v));
    };
    auto colInside = [&](int32_t col) { return col >= 1 && col <= nw - 1; };
    auto rowInside = [&](int32_t row) { return row >= 1 && row <= nh - 1; };

    for (int32_t y = 0; y < page.height; ++y) {
        const uint8_t* line = page.row(y);
        for (int32_t x = 0; x < page.width; ++x) {
            const uint8_t bit = (line[x >> 3] >> (7 - (x & 7))) & 1;
            if (bit == background)
                continue;
            const long double dx = x - cx;
            const long double dy = cy - y;
            const long double nx = dx * c + dy * s + ncx;
            const long double ny = dx * s - dy * c + ncy;
            // Halves go to the even neighbour (the default rounding mode).
            const long double rxf = std::nearbyint(nx);
            const long double ryf = std::nearbyint(ny);
            const long double fx = std::fabs(rxf - nx);
            const long double fy = std::fabs(ryf - ny);
            const int32_t col[2] = {static_cast<int32_t>(rxf), static_cast<int32_t>(rxf - nx > 0 ? rxf - 1 : rxf + 1)};
            const int32_t row[2] = {static_cast<int32_t>(ryf), static_cast<int32_t>(ryf - ny > 0 ? ryf - 1 : ryf + 1)};
            const long double colWeight[2] = {1 - fx, fx};
            const long double rowWeight[2] = {1 - fy, fy};
            // A pair counts only when both choices lie inside the new page
            // (away from its first column and row).
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j)
                    if (colInside(col[i]) && rowInside(row[i]) && colInside(col[j]) && rowInside(row[j]))
                        add(col[i], row[j], colWeight[i] + rowWeight[j]);
        }
    }

    const uint8_t inkBit = static_cast<uint8_t>(1 - background);
    for (int32_t r = 0; r < nh; ++r)
        for (int32_t q = 0; q < nw; ++q)
            if (counts[static_cast<size_t>(r) * static_cast<size_t>(nw) + static_cast<size_t>(q)] >= 80)
                out.setBit(q, r, inkBit);
    return out;
}

} // namespace quon
