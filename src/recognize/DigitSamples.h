// Digit images for measuring the digit set: a figure drawn with a round pen
// of a given width, and the labelling of any 1-bit digit image into the
// window labels and paper components the matcher reads.
//
// The number reader has its own segmentation of stone windows; this one is
// deliberately plain (flood fill, 4-connected paper) and serves the bench
// and the tests, which feed the matcher with digits of known value.
#pragma once

#include "recognize/BezierFigures.h"
#include "recognize/DigitMatching.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quon {

// A 1-bit image, rows top to bottom; 1 = ink.
struct DigitBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Ink;

    DigitBitmap() = default;
    DigitBitmap(int32_t w, int32_t h) : Width(w), Height(h), Ink(static_cast<size_t>(w) * static_cast<size_t>(h), 0) {}
    uint8_t at(int32_t x, int32_t y) const
    {
        return x < 0 || y < 0 || x >= Width || y >= Height ? 0 : Ink[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
    void set(int32_t x, int32_t y, uint8_t v = 1)
    {
        if (x >= 0 && y >= 0 && x < Width && y < Height)
            Ink[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)] = v;
    }
    // "#" for ink, "." for paper, one text line per row.
    std::string toText() const;
};

// Draws a figure with its glyph box mapped onto a w x h pixel box, the
// stroke centre lines traced with a round pen `strokePx` wide.
DigitBitmap drawFigure(const TBezFigure& figure, int32_t w, int32_t h, double strokePx);

// A digit image placed in a stone window and labelled as the reader would.
struct LabelledDigit {
    std::unique_ptr<DigitLabelTable> Labels = std::make_unique<DigitLabelTable>();
    PaperComponentTable Paper{};
    IntSize Size;     // MaxX - MinX, MaxY - MinY of the ink
    IntPoint Origin;  // MinX, MinY (window coordinates)
    bool HasInk = false;
};

// Labels `image` placed with a margin of `margin` pixels in the window.
// Fails (HasInk false) when the image holds no ink or does not fit.
void labelDigit(const DigitBitmap& image, LabelledDigit& out, int32_t margin = 3);

// Reads a digit image through the matcher with the current DigitPacket.
int32_t readDigitImage(const DigitBitmap& image, int8_t& score);

// The glyph sizes of the read-back check, 10 x 16 to 30 x 48 pixels.
const std::vector<IntSize>& readBackSizes();
// The pen width a bold numeral of that glyph height has.
double readBackStroke(int32_t glyphHeight);
// Draws figure f of DigitPacket at every read-back size and reads it back
// with a stone size to match; `read` (when given) gets the digit read at
// each size. Returns how many sizes read as the figure's own digit.
int32_t readBackFigure(int32_t f, std::vector<int32_t>* read = nullptr);

} // namespace quon
