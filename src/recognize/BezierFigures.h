// The digit set: hand-drawn digit figures made of cubic Bezier curves, and
// their BzP files.
//
// A figure is drawn inside a glyph box five cells wide and ten cells high.
// Points are kept in editor pixels (the box's top-left corner at (50, 50),
// 50 pixels a cell, so the box spans x 50..300 and y 50..550) and stored in
// files as integer percent of the box. Both conversions truncate toward zero,
// so an odd x percentage loses one step on its first round trip.
//
// A BzP file is a flat run of 32-bit little-endian signed integers with no
// header: the figure count, then per figure a tag (digit in the low byte,
// skipped when read), the digit, the variant number and the curve count, then
// per curve the arc count and 3 x arcs + 1 (x%, y%) pairs.
//
// Reading is all or nothing: a file is parsed into a packet of its own with
// every count checked against the table it fills, and only a complete,
// valid file replaces the set. Saving writes a temporary file beside the
// target and renames it, so a failed save leaves the old file as it was.
#pragma once

#include "model/CheckedArray.h"
#include "model/Recotypes.h"

#include <array>
#include <cstdint>
#include <string>

namespace quon {

constexpr int32_t EditorScale = 50;
constexpr IntPoint EditorOrigin{50, 50};

constexpr int32_t MaxArcs = 10;
constexpr int32_t MaxCurves = 5;
constexpr int32_t MaxFigures = 50;

// Percent of the glyph box to editor pixels and back (truncating).
int32_t percentToPixelX(int32_t xPercent);
int32_t percentToPixelY(int32_t yPercent);
int32_t pixelToPercentX(int32_t px);
int32_t pixelToPercentY(int32_t py);
IntPoint percentToPixel(IntPoint percent);
IntPoint pixelToPercent(IntPoint pixel);

// The four points of one arc as given in percent (start, two controls, end).
using ArcPercent = std::array<IntPoint, 4>;

// One curve: a chain of up to 10 cubic arcs sharing their end points. Arc k
// (1-based) runs through points 3(k-1) .. 3k.
class TCurves {
public:
    int32_t NArcs = 0;
    int32_t CurArc = 0;
    Array1<IntPoint, 0, 3 * MaxArcs> ArcPoints{};

    // Appends one arc given in percent; point 0 is taken from the arc's
    // start only when the curve is empty. False (nothing changed) at 10 arcs.
    bool AddArc(const ArcPercent& percent);
    // Removes the current arc; refused when only one arc is left.
    bool DeleteArc();
    // Makes arc n current (1 <= n <= NArcs); false otherwise.
    bool SelectArc(int32_t n);
    // Number of points in use: 3 x NArcs + 1 (1 for a curve without arcs).
    int32_t PointCount() const { return 3 * NArcs + 1; }

    bool operator==(const TCurves&) const = default;

private:
    void copyCurrentToHandles() const;
};

// One digit figure: up to 5 curves.
class TBezFigure {
public:
    std::string Name;
    int32_t Digit = 0;
    int32_t Modif = 0;
    int32_t NCurves = 0;
    int32_t CurCurve = 0;
    Array1<TCurves, 1, MaxCurves> Curves{};

    // Adds a curve holding the one arc given; false at 5 curves.
    bool NewCurve(const ArcPercent& firstArc);
    // Removes the current curve; refused when one curve is left.
    bool DeleteCurve();

    bool operator==(const TBezFigure&) const = default;
};

// A digit set of up to 50 figures.
class TBezPacket {
public:
    int32_t NFigs = 0;
    int32_t CurFig = 0;
    Array1<TBezFigure, 1, MaxFigures> Figures{};
    // The last file loaded or saved through this set.
    std::string FileName;

    void Clear();
    // Appends an empty figure and makes it current; false at 50 figures.
    bool AddFigure();
    // A deep copy of f with the variant number one higher; not inserted.
    static TBezFigure CloneFigure(const TBezFigure& f);
    // Appends a clone of the current figure and makes it current.
    bool DuplicateCurrent();
    // Removes the current figure; refused when one figure is left.
    bool DeleteFigure();
    // Ascending by digit, then variant; CurFig := 1.
    void SortFigures();

    // Replaces the set with the file `name` (extension ".BzP" in any letter
    // case: file names differ in case between systems).
    // On failure the set is left as it was and `error` says why.
    bool LoadFromFile(const std::string& name, std::string& error);
    // Appends the figures of another file; refused when the set would hold
    // more than 50 figures. The set is unchanged on failure.
    bool AppendFile(const std::string& name, std::string& error);
    // Writes the set to `name` through a temporary file.
    bool SaveToFile(const std::string& name, std::string& error);

    // The text of the information window.
    std::string ShowInfo() const;
    // The file bytes of this set.
    std::string toBytes() const;

    bool operator==(const TBezPacket&) const = default;
};

// Parses BzP bytes into `out` (points converted to pixels; current figure,
// curve and arc set to the first ones). False with `error` on a short or
// invalid file; `out` is then unspecified.
bool parseBzp(const std::string& bytes, TBezPacket& out, std::string& error);

// The one set of the process, read by the digit matcher and the editor.
extern TBezPacket DigitPacket;
// The current arc's four points as the editor shows them (pixels).
extern Array1<IntPoint, 0, 3> DragHandles;

} // namespace quon
