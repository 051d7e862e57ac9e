// Generated board diagrams for the preparation tests: lines, star points
// and stones drawn on a 1-bit page, with the pixel position of every point.
#pragma once

#include "common/TestPage.h"

#include <cstdint>

namespace quon::test {

struct BoardStyle {
    int32_t lines = 19;
    int32_t pitchX = 44; // as a 300 dpi book diagram
    int32_t pitchY = 46;
    int32_t left = 60; // pixel column of the first vertical line
    int32_t top = 60;  // pixel row of the first horizontal line
    int32_t thin = 1;  // inner lines
    int32_t edge = 2;  // board edge
    int32_t starRadius = 3;
    int32_t stonePercent = 96; // stone diameter in percent of the pitch
    int32_t ring = 1;          // outline of a white stone
};

// The pixel of board point (col, row), 1-based.
int32_t pointX(const BoardStyle& s, int32_t col);
int32_t pointY(const BoardStyle& s, int32_t row);

// A white page with the empty board of `s` and a margin of s.left / s.top
// on every side.
MonoPage drawBoard(const BoardStyle& s);

// Sets (black) or clears the pixels of the ellipse centred on pixel (cx, cy)
// with the given diameters.
void fillEllipse(MonoPage& page, int32_t cx, int32_t cy, int32_t dx, int32_t dy, bool black);

// A stone on point (col, row): 1 black (a solid disc), 2 white (a ring on
// a white disc). With a number, a bold "00" of the other colour in the
// middle. `shiftX`, `shiftY` move it off the point.
void drawStone(MonoPage& page, const BoardStyle& s, int32_t col, int32_t row, int colour, bool number,
               int32_t shiftX = 0, int32_t shiftY = 0);

} // namespace quon::test
