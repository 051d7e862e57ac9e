// The four diagram corners pointed by hand on the page.
//
// The corners are numbered 2 Left Top, 4 Right Top, 6 Right Bottom and
// 8 Left Bottom (the indexes of CornerNames). A pointed corner is the Coord
// of the grid point at that corner of DiagramWindow; the preparation takes
// them from there when CornersPointed is set.
#pragma once

#include "model/Recotypes.h"

#include <string>

namespace quon {

constexpr uint8_t FirstCorner = 2;

// 2 -> 4 -> 6 -> 8 -> 2.
uint8_t nextCorner(uint8_t corner);

// The board column and row of a corner of the diagram window.
struct BoardPoint {
    int32_t Column = 0;
    int32_t Row = 0;
    bool operator==(const BoardPoint&) const = default;
};
BoardPoint cornerPoint(uint8_t corner, const DiagramRect& window);

// Clears the four window corners and marks the full board's corners as
// trusted only just (Est 80), as the start of a pointing.
void resetPointedCorners();

// Stores a page position as the corner's Coord and sets CurPointX/Y to it.
void storePointedCorner(uint8_t corner, IntPoint page);

// Enough corners were pointed when every edge of the window has a
// coordinate: the two corners of each edge do not both read 0 there.
bool enoughCornersPointed();

// The texts of the pointing window.
std::string cornerTitle(uint8_t corner);               // "Left Top Corner"
std::string cornerLine(uint8_t corner, IntPoint page); // "Left Top Corner X=12 Y=34"
std::string cornerLineReset(uint8_t corner);           // "Left Top Corner X=0   Y=0"

} // namespace quon
