// The readable source of a digit set, from which the default "Digits.BzP" is
// built:
//
//   # comment to the end of the line
//   figure <digit> <variant>
//   curve x,y x,y x,y x,y [x,y x,y x,y ...]
//
// A curve line holds 3 x arcs + 1 points in percent of the glyph box (x from
// the left, y from the top); a figure has 1..5 curves of 1..10 arcs.
#pragma once

#include "recognize/BezierFigures.h"

#include <string>

namespace quon {

// Parses the source into `out`; false with `error` naming the line on a
// mistake (out is then unspecified).
bool parseDigitSetSource(const std::string& text, TBezPacket& out, std::string& error);

} // namespace quon
