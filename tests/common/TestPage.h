// Pages for tests without Qt: 1-bit BMP files read by our own small reader,
// and bitmaps written as rows of '#' (black) and '.' (white).
#pragma once

#include "model/PackedPage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon::test {

// A 1-bit page in the program's convention: bit 0 black, bit 1 white, rows
// top to bottom, most significant bit leftmost.
struct MonoPage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0; // bytes per row
    std::vector<uint8_t> bits;

    MonoRows rows() const { return MonoRows{bits.data(), stride, width, height}; }
    void set(int32_t x, int32_t y, bool black);
    bool black(int32_t x, int32_t y) const;
};

// A white page of the given size.
MonoPage blankPage(int32_t width, int32_t height);

// Rows of '#' (black) and '.' (white), all of one length.
MonoPage pageFromText(const std::vector<std::string>& rows);

// Reads an uncompressed 1-bit BMP (version 3 header, either row order, any
// two-colour palette). On failure `error` says why and the page is empty.
MonoPage readMonoBmp(const std::string& path, std::string& error);

// Makes `page` the program's page as loading does: sizes, the packed copy
// and the ink polarity.
void installPage(const MonoPage& page);

// Installs `page` with one whole 19x19 game-record diagram on it and a
// fresh grid, as the program stands when the user starts preparation.
void installWholeBoardPage(const MonoPage& page);

// Black horizontal bar from x0 to x1 (inclusive) on rows y0..y1.
void drawBar(MonoPage& page, int32_t x0, int32_t x1, int32_t y0, int32_t y1);

} // namespace quon::test
