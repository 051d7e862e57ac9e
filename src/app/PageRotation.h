// Rotation of the 1-bit page by any angle.
//
// Method: every ink pixel of the old page is carried to its place on the new
// page and spread over the 2 x 2 block of new pixels around that place. Each
// of the four cells receives round(40 x (column weight + row weight)), the
// weights being the linear distances of the place to the cell's column and
// row; a new pixel is ink once its count reaches 80, so an ink pixel that
// lands exactly on a new pixel makes it ink by itself, and one that lands
// between pixels needs help from its neighbours. The new page is sized to
// trunc(|cos| W + |sin| H) by trunc(|sin| W + |cos| H), so an odd angle cuts
// the corners of the old page; column 0 and row 0 of the new page never
// receive ink.
//
// Ink is what differs from the background bit (InkPolarity), so a negative
// page turns as well as a positive one and its new corners get its
// background.
#pragma once

#include "model/PackedPage.h"

#include <cstdint>
#include <vector>

namespace quon {

// A 1-bit picture in the page convention (bit 0 black, MSB leftmost) with
// rows of `stride` bytes.
struct MonoBitmap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    std::vector<uint8_t> bits;

    MonoBitmap() = default;
    MonoBitmap(int32_t w, int32_t h, uint8_t fillBit);
    uint8_t bit(int32_t x, int32_t y) const { return (bits[idx(y) + (x >> 3)] >> (7 - (x & 7))) & 1; }
    void setBit(int32_t x, int32_t y, uint8_t v);
    MonoRows rows() const { return {bits.data(), stride, width, height}; }

  private:
    size_t idx(int32_t y) const { return static_cast<size_t>(y) * static_cast<size_t>(stride); }
};

// The size of the page after turning a W x H page by `angle` radians.
struct RotatedSize {
    int32_t width = 0;
    int32_t height = 0;
};
RotatedSize rotatedSize(int32_t width, int32_t height, long double angle);

// Turns the page by `angle` radians, clockwise on the screen for positive
// angles. inkPolarity is the bit value of the background (1: black ink).
// A page that would turn out empty in either direction comes back 1 x 1 of
// background.
MonoBitmap rotatePage(const MonoRows& page, long double angle, int32_t inkPolarity);

} // namespace quon
