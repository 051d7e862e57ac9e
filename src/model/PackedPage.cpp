#include "model/PackedPage.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quon {

std::string pageSizeProblem(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        return "The image is empty.";
    // Each side is checked before the area, so the product cannot overflow.
    if (width > MaxPageSidePx || height > MaxPageSidePx || width * height > MaxPageAreaPx)
        return "The picture is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels: larger than any page a scanner makes (at most " + std::to_string(MaxPageSidePx) +
               " pixels a side and " + std::to_string(MaxPageAreaPx / 1'000'000) + " million pixels in all).";
    static_assert(MaxPageSidePx <= MaxPageWidth);
    static_assert(MaxPageAreaPx / 8 + MaxPageSidePx < std::numeric_limits<int32_t>::max());
    return {};
}

void FillImageArray(const MonoRows& page)
{
    SharedTables& t = Reco;
    const int32_t stride = packedStride(page.width);
    t.PackedImage.assign(static_cast<size_t>(page.height) * stride + 1, 0);
    for (int32_t y = 0; y < page.height; ++y)
        std::memcpy(t.PackedImage.data() + static_cast<size_t>(y) * stride, page.row(y), static_cast<size_t>(stride));
    t.PackedStride = stride;
    t.PackedHeight = page.height;
}

void CheckColor(const MonoRows& page)
{
    int64_t n = 0;
    const int32_t lastRow = std::min(120, page.height - 1);
    for (int32_t y = 20; y <= lastRow; ++y) {
        const uint8_t* row = page.row(y);
        for (int32_t x = 0; x < page.width; ++x) {
            const bool white = (row[x >> 3] & BitMasks[7 - (x & 7)]) != 0;
            n += white ? -1 : 1;
        }
    }
    Reco.InkPolarity = (n > 0 && n > 10 * static_cast<int64_t>(page.width)) ? 0 : 1;
}

void installPage(const MonoRows& page)
{
    Reco.ImageWidth = page.width;
    Reco.ImageHeight = page.height;
    FillImageArray(page);
    CheckColor(page);
}

} // namespace quon
