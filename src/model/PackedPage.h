// The packed 1-bit copy of the page and the pixel reader over it.
//
// The page picture has bit value 0 for black and 1 for white, rows top to
// bottom, the most significant bit leftmost. The packed copy holds its rows
// at a stride of (width + 7) / 8 bytes with one spare zero byte after the last
// row. GetPix answers 1 for ink and 0 for background: bit xor InkPolarity,
// where InkPolarity is the bit value of the background.
#pragma once

#include "model/Recotypes.h"

#include <cstdint>
#include <string>

namespace quon {

// A read-only view of 1-bit rows as the page picture holds them.
struct MonoRows {
    const uint8_t* bits = nullptr;
    int64_t bytesPerLine = 0;
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* row(int32_t y) const { return bits + bytesPerLine * y; }
};

constexpr uint8_t BitMasks[8] = {1, 2, 4, 8, 16, 32, 64, 128};
constexpr int32_t MaxPageWidth = 262144; // a row of at most 32768 bytes
// No scanner makes a bigger page (A3 at 1200 dpi is 14000 x 19800 pixels);
// a file that claims one is broken or hostile.
constexpr int64_t MaxPageSidePx = 30000;
constexpr int64_t MaxPageAreaPx = 400'000'000;

inline int32_t packedStride(int32_t width) { return (width + 7) / 8; }

// Empty when a page of this size can be held and packed; otherwise the
// message that refuses it. Any values, however large, are safe to pass.
std::string pageSizeProblem(int64_t width, int64_t height);

// Rebuilds PackedImage from the page rows (sizes from the view).
void FillImageArray(const MonoRows& page);

// Decides InkPolarity from rows 20..120 of the page (fewer on a short page):
// a page whose black exceeds its white by more than ten pixels per page width
// is a negative.
void CheckColor(const MonoRows& page);

// Makes the rows the page: its sizes, the packed copy and the ink polarity.
void installPage(const MonoRows& page);

// 1 for ink, 0 for background. A row outside the packed copy reads as bit
// value 0 would (it returns InkPolarity); a column that falls outside the
// copy altogether reads as background. Columns past the width read the row's
// padding bits, as the copy holds them.
inline uint8_t GetPix(int32_t x, int32_t y)
{
    const SharedTables& t = Reco;
    if (y < 0 || y >= t.PackedHeight)
        return static_cast<uint8_t>(t.InkPolarity);
    const int64_t index = static_cast<int64_t>(y) * t.PackedStride + (x >> 3);
    if (x < 0 || index >= static_cast<int64_t>(t.PackedImage.size()))
        return 0;
    const uint8_t b = t.PackedImage[static_cast<size_t>(index)] & BitMasks[7 - (x & 7)];
    return static_cast<uint8_t>(b != 0 ? 1 - t.InkPolarity : t.InkPolarity);
}

} // namespace quon
