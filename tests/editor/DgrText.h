// Diagram grids as text for the editor tests: one line per row, cells
// separated by blanks. A cell is its element, then optionally its stone, its
// number, its mark or label and its test flag:
//
//   element  .  none   1 2 3 4  corners (top-left, top-right, bottom-left,
//            bottom-right)   T B L R  edges   +  crossing   *  star point
//   stone    X  black   O  white
//   number   decimal digits
//   mark     #  square   ^  triangle   >  arrow   %  cross   @  circle
//            'c  the label c (one ASCII character)   $HH  any byte in hex
//   test     !  number twice   ?  gap
//
// "+X12" is a black stone numbered 12 on a crossing, "T'A" the label A on
// the top edge, "*" an empty star point.
#pragma once

#include "editor/DgrGrid.h"

#include <string>

namespace quon::test {

std::string dgrCellText(const DgrCell& cell);
std::string dgrGridText(const tDgr& grid);
// Throws std::invalid_argument on a malformed text or rows of unequal length.
tDgr dgrGridFromText(const std::string& text);

} // namespace quon::test
