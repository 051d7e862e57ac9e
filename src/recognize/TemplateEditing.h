// Edits of the digit set as the template editor makes them: the current
// figure, curve and arc of DigitPacket, the drag handles, and the preview
// raster. The editor window turns mouse and keys into these calls.
//
// Every edit checks that the thing it changes exists: after "New" the set
// holds one figure without curves, and a drag or a typed point there has no
// arc to move, so it does nothing.
#pragma once

#include "recognize/BezierFigures.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

// The handle fill colours and the "no handle" index.
constexpr int NoHandle = 4;

// The current figure, curve or arc of `set`, or nullptr when there is none.
TBezFigure* currentFigure(TBezPacket& set);
TCurves* currentCurve(TBezPacket& set);
// True when the current curve has a current arc (one to show and move).
bool hasCurrentArc(TBezPacket& set);

// The first handle (0..3) within 5 pixels of `p` in both directions, or
// NoHandle; none without a current arc.
int handleAt(TBezPacket& set, IntPoint p);

// Moves point `handle` (0..3) of the current arc, and its drag handle, to
// the editor pixel `p`. False (nothing changed) without a current arc.
bool moveArcPoint(TBezPacket& set, int handle, IntPoint p);

// Appends an arc to the current curve; a figure without curves gets its
// first curve. False when the set is empty or the curve or figure is full.
bool addArc(TBezPacket& set, const ArcPercent& arc);

// The figure's name as typed: Name := the text, Digit := the code of its
// first character - 48. An empty name leaves the digit as it was.
void renameFigure(TBezFigure& figure, const std::string& name);

// The preview raster of `figure` at w x h cells, column first: with
// thickness 1 exactly what the reader compares with.
std::vector<uint16_t> previewRaster(const TBezFigure& figure, int32_t w, int32_t h, int32_t thickness = 1);

} // namespace quon
