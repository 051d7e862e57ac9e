// One cell of the editing grid as it is drawn on screen, through the drawing
// interface the pictures use. The screen has its own look: thin lines, the
// board's edge as three parallel lines, stones one pixel inside the cell,
// smaller marks, and number-test results in colour.
#pragma once

#include "editor/DgrGrid.h"
#include "editor/DgrSettings.h"
#include "platform/GdiCanvas.h"

#include <array>
#include <cstdint>

namespace quon {

constexpr GdiColour ScreenTestTwiceColour = 0x0000FFu; // red
constexpr GdiColour ScreenTestGapColour = 0xFF0000u;   // blue

// The cell's screen rectangle: R and B are the first pixels of the next cell.
struct ScreenCellRect {
    int32_t L = 0;
    int32_t T = 0;
    int32_t R = 0;
    int32_t B = 0;
};

// The screen background of a cell: white when it is either in the block or
// the cursor (not both), else the window's button face.
inline bool screenCellIsWhite(bool inBlock, bool isCursor) { return inBlock != isCursor; }

// The screen fonts for texts of 1, 2 and 3 characters, from the display
// settings' font records.
std::array<GdiFont, 3> screenFonts(const DgrDisplayBlock& display);

// Draws the cell's element, stone and text or mark. The background is filled
// by the caller; `background` is its colour, which a text on an empty point
// takes as its box.
void DrawScreenCell(GdiCanvas& canvas, const DgrCell& cell, const ScreenCellRect& r, GdiColour background,
                    const std::array<GdiFont, 3>& fonts);

} // namespace quon
