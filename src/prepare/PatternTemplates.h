// The fixed 7 x 7 templates the preparation compares windows with.
//
// A window's 7 x 7 grid of cell ink percentages is turned into levels (0
// background, 1 thin line, 2 thick line, dot or stone) and scored by the sum
// of absolute differences to one of these. Tables are [row][column], row 0
// at the top, column 0 at the left.
#pragma once

#include <cstdint>

namespace quon {

// What the empty board looks like at a grid point.
enum PointKinds : int16_t {
    KindStar = 0,
    KindCrossing = 1,
    KindTopLeft = 2,
    KindTop = 3,
    KindTopRight = 4,
    KindRight = 5,
    KindBottomRight = 6,
    KindBottom = 7,
    KindBottomLeft = 8,
    KindLeft = 9,
    KindBigStar = 10, // only the second try for a star point
};

constexpr int PointKindCount = 11;

// clang-format off
inline constexpr int8_t BoardPatterns[PointKindCount][7][7] = {
    // 0 star point
    {{0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {1,1,1,2,1,1,1}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}},
    // 1 inner crossing
    {{0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {1,1,1,1,1,1,1}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}},
    // 2 top-left corner
    {{0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,2,2,2,2}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}},
    // 3 top edge
    {{0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {2,2,2,2,2,2,2}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}},
    // 4 top-right corner
    {{0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {2,2,2,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}},
    // 5 right edge
    {{0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {1,1,1,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}},
    // 6 bottom-right corner
    {{0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {2,2,2,2,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}},
    // 7 bottom edge
    {{0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {2,2,2,2,2,2,2}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}},
    // 8 bottom-left corner
    {{0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,2,2,2}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}, {0,0,0,0,0,0,0}},
    // 9 left edge
    {{0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,1,1,1}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}, {0,0,0,2,0,0,0}},
    // 10 big star point
    {{0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}, {0,0,1,2,1,0,0}, {1,1,2,2,2,1,1}, {0,0,1,2,1,0,0}, {0,0,0,1,0,0,0}, {0,0,0,1,0,0,0}},
};

// Index 0 black, 1 white.
inline constexpr int8_t StoneTemplates[2][7][7] = {
    {{0,1,2,2,2,1,0}, {1,2,2,2,2,2,1}, {2,2,2,2,2,2,2}, {2,2,2,2,2,2,2}, {2,2,2,2,2,2,2}, {1,2,2,2,2,2,1}, {0,1,2,2,2,1,0}},
    {{0,1,2,2,2,1,0}, {1,2,0,0,0,2,1}, {2,0,0,0,0,0,2}, {2,0,0,0,0,0,2}, {2,0,0,0,0,0,2}, {1,2,0,0,0,2,1}, {0,1,2,2,2,1,0}},
};
// clang-format on

// The ring of the 7 x 7 grid, where both stone templates agree: cells
// (column a, row b), 1-based, with (a - 4)^2 + (b - 4)^2 > 7.
constexpr bool isRingCell(int a, int b) { return (a - 4) * (a - 4) + (b - 4) * (b - 4) > 7; }

// Level of a cell percentage: 2 above `high`, 1 above `low`, else 0.
constexpr int32_t levelOf(int32_t value, int32_t high, int32_t low)
{
    return value > high ? 2 : value > low ? 1 : 0;
}

} // namespace quon
