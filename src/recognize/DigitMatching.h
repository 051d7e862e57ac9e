// Deciding which digit one digit group of a stone window shows.
//
// Method: quick tests first. The group's holes (paper components enclosed by
// the ink, larger than a twentieth of the stone side squared) give its hole
// class; its 3 x 5 zone grid, reduced to levels 0/1/2, is compared with 22
// fixed zone patterns; solid narrow bars and nearly symmetric blobs read 1.
// Only a group that none of these settles is compared pixel by pixel with
// every figure of the digit set, each rendered at exactly the group's
// width and height by a fixed point sampler (101 samples per arc, four
// sub-samples each, round half to even, hit counts, no pen). The figure with
// the lowest score wins; its score travels to the point's Estdig.
//
// Known limits: the comparison box is MaxX - MinX by MaxY - MinY, so the last
// ink column and row of a group are never compared (but in small print); there is no rejection
// threshold on template scores (the best figure always wins, and the score
// says how good it was). Rendering uses doubles in a fixed order of
// operations; only values landing exactly on .5 could depend on the
// evaluation precision, and IEEE doubles give the same cells everywhere.
#pragma once

#include "model/CheckedArray.h"
#include "model/Recotypes.h"
#include "recognize/BezierFigures.h"

#include <cstdint>
#include <array>
#include <span>
#include <unordered_map>
#include <vector>

namespace quon {

constexpr int32_t DigitWindowSide = 200;
constexpr int32_t MaxRenderedFigures = 30;

// Labels of the stone window after segmentation, [x][y] 1-based: 100 x class
// + component number, class 1 paper, 2 ink; 0 for an unlabelled pixel.
using DigitLabelTable = Array1<Array1<int32_t, 1, DigitWindowSide>, 1, DigitWindowSide>;

// Box and pixel count of one component.
struct ComponentBox {
    int32_t MinX = 0;
    int32_t MaxX = 0;
    int32_t MinY = 0;
    int32_t MaxY = 0;
    int32_t Count = 0;
    bool operator==(const ComponentBox&) const = default;
};
// Paper components by number: label 100 + n is entry n.
using PaperComponentTable = Array1<ComponentBox, 1, 99>;

// One zone pattern: rows top to bottom, each row left to right.
struct DigitPattern {
    int32_t Digit;
    int8_t Cells[5][3];
};
extern const DigitPattern DigitPatterns[22];
bool isHoleFreePattern(int p);
bool isOneHolePattern(int p);

// The ink features the matcher reads, computed on the group window exactly
// as the stone-window features are (percentages, truncating divisions).
struct GroupFeatures {
    int32_t WindowInkCount = 0; // percent of the window's pixels that are ink
    int32_t MirrorInkX = 0;
    int32_t MirrorInkY = 0;
    Array1<int32_t, 1, DigitWindowSide> ColumnInk{};
    Array1<Array1<int32_t, 1, 5>, 1, 3> ZoneGrid{}; // [column][row]
};

// A figure's score from which on its match is loose: the digit must show
// the structure of its numeral as well (a 1's stem).
constexpr int32_t WeakFigureScore = 40;
// The same for a 1 in a small digit box (height, MaxY - MinY, below
// SmallDigitHeight pixels) or of thin strokes (see ThinDigitStroke100)
// whose best figure leaves this share (percent) of the group's ink
// uncovered: the figures' strokes are about as wide as the
// digit's there, and a thin figure fits inside many digits.
constexpr int32_t UncoveredInkOfLooseOne = 50;
// A group whose strokes are at most this wide (hundredths of a pixel, a
// stroke taken as twice its area over its edge wide) is thin print, whatever
// its height: the figures' strokes are as wide as its own (see
// UncoveredInkOfLooseOne).
constexpr int32_t ThinDigitStroke100 = 300;
// Digits shorter than this (MaxY - MinY, pixels) are small print: a pixel
// is an eighth or more of their height, and a stroke one or two pixels.
constexpr int32_t SmallDigitHeight = 12;
// A small digit is read only when its best figure scores at least this much
// better than the best figure of any other digit.
constexpr int32_t SmallDigitMargin = 10;

class DigitMatcher {
public:
    // The segmentation the groups are read from; both must outlive the calls.
    DigitMatcher(const DigitLabelTable& labels, const PaperComponentTable& paper);
    // The figures last rendered point into the matcher's own store.
    DigitMatcher(const DigitMatcher&) = delete;
    DigitMatcher& operator=(const DigitMatcher&) = delete;

    // Reads one group: size (w, h) = (MaxX - MinX, MaxY - MinY), origin
    // (MinX, MinY) in window coordinates. Returns the digit, or -1 for a
    // rejected group (too many holes, an eight that is none, a box off the
    // window, nothing to compare with). `score` gets the zone distance 0..5
    // or the template score, 100 for no match.
    int32_t RecoDigitGroups(IntSize size, IntPoint origin, int8_t& score);

    // The template comparison alone; holeClass N is 1 for no hole, 2 for one
    // hole, 0 for unknown (no hole penalty).
    int32_t RecDigit(IntSize size, IntPoint origin, int8_t& score, int32_t holeClass);

    // Renders the first 30 figures of DigitPacket at (w, h) into the
    // template table; samples outside 1..w x 1..h are dropped. A size
    // rendered before is taken from the matcher's store while the figures
    // are as they were then (a page asks for the same few sizes hundreds
    // of times).
    void RenderDigitTemplates(int32_t w, int32_t h);
    // Hit count of figure i (1-based) at cell (x, y) of the last rendering.
    uint16_t DigitTemplate(int32_t i, int32_t x, int32_t y) const;
    int32_t renderedFigures() const { return figures_; }

    // The last RecoDigitGroups call found figures of an 8 on a group without
    // a hole, and made it a doubt.
    bool eightWithoutHole() const { return eightWithoutHole_; }
    // The last RecoDigitGroups call doubted a 1 that stands on a bar with
    // a stem under it (a 4 without its diagonal).
    bool oneOverStem() const { return oneOverStem_; }
    // The last group read as a 1 that a 2's figure covered nearly as well.
    bool oneOrTwo() const { return oneOrTwo_; }
    // How much worse than the winner the best figure of any other digit
    // scored in the last comparison (large when no figures were compared).
    int32_t runnerUpMargin() const { return runnerUpMargin_; }

    // The groups read next are the only group of their stone (see
    // RecoDigitGroups on thin strokes).
    void setLoneGroup(bool lone) { loneGroup_ = lone; }
    // The height (MaxY - MinY) of the tallest digit of the number the
    // groups read next belong to; 0 when unknown (the group alone counts).
    // Small print is told by it (see SmallDigitHeight).
    void setNumberHeight(int32_t h) { numberHeight_ = h; }

    // The features of the group window of the last RecoDigitGroups call.
    const GroupFeatures& features() const { return features_; }

private:
    int32_t groupCell(int32_t x, int32_t y) const; // the group window, [x][y] 1-based
    // The compared box (w x h at x0, y0) has a foot across its bottom rows
    // (or, with `oneRowFoot`, its last row) under a stem straight down its
    // middle half.
    bool serifOne(int32_t w, int32_t h, int32_t x0, int32_t y0, bool oneRowFoot) const;
    // How much of a box's ink each piece of the digit holds: a piece with
    // under a tenth of it (a dot of a scan beside a stroke) is no stroke.
    struct PieceShares {
        std::array<int32_t, 100> share{};
        int32_t total = 0;
        bool sizeable(int32_t L) const { return L / 100 == 2 && share[static_cast<size_t>(L % 100)] * 10 >= total; }
    };
    PieceShares pieceShares(int32_t cols, int32_t rows, int32_t x0, int32_t y0) const;
    // The compared box holds a stem through its middle half, upright or
    // slanted, as every 1 does.
    bool straightStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The strokes of the compared box (w + 1 by h + 1 pixels at x0, y0)
    // are at most ThinDigitStroke100 wide.
    bool thinStrokes(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The group's lower two thirds are one straight stem at its right edge.
    bool stemAtRightEdge(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The group's middle rows hold nothing but a thin stem.
    bool thinStemOnly(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The group's middle rows hold one upright stroke.
    bool uprightStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The row of a bar across the group from half its height down under
    // which one narrow stem goes on (right of the left third, if asked);
    // -1 if none.
    int32_t barOverStem(int32_t w, int32_t h, int32_t x0, int32_t y0, bool rightOfThird) const;
    // One hole stands over such a bar: the parts of a 4.
    bool fourOnBar(int32_t w, int32_t h, int32_t x0, int32_t y0, const std::vector<int32_t>& listed) const;
    // An arc over one stroke that runs down to the left onto a base
    // across the group: the parts of a 2.
    bool twoOnBase(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // A thin stem stands on a foot that spans the bottom on both sides.
    bool footUnderStem(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The box holds a bar across its top and under it one stroke that runs
    // down from the bar's right end to the left half and never back.
    bool sevenStroke(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The right edge of the group's middle rows bends in and out again.
    bool bentRightEdge(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The left third of the box holds ink in every row from three tenths
    // of the height to half.
    bool leftSideUnderBar(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Both ends of the box's stroke curl away to the same side, the bottom
    // to that side only (the half of a 0).
    bool bracket(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The wider of the two bottom rows reaches out on one side of the
    // stroke over it only (the lower arc of a 3, not a 1's foot).
    bool footToOneSide(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Two rows of the upper third hold two strokes with paper between.
    bool openTop(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The bottom quarter of the compared box is a stroke right of its middle
    // (the tail of a 9).
    bool tailAtRight(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Column x of the box is the end of a bar (see the margin cut).
    bool barEnd(int32_t x, int32_t h, int32_t x0, int32_t y0) const;
    // A row of the box from a quarter of its height to three quarters has
    // no ink in the middle third of the columns, and no column is inked
    // through all those rows.
    bool bareMiddle(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // A row of the box from half its height to three quarters holds two
    // strokes.
    bool twoStrokesLow(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Sizeable pieces of ink in the box stand a band of rows apart.
    bool splitAcross(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The box holds two sizeable pieces of ink that meet corner to corner.
    bool inPieces(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // The first and last columns (lo, hi: 0 to w) of the box at x0 that
    // are ink in page row y; false for a row without ink.
    bool inkExtent(int32_t w, int32_t x0, int32_t y, int32_t& lo, int32_t& hi) const;
    // Row y of the box at (x0, y0) has ink in its columns xFirst to xLast.
    bool inkInRow(int32_t xFirst, int32_t xLast, int32_t y, int32_t x0, int32_t y0) const;
    // Some row from yFirst to yLast of the box at (x0, y0) has no ink in
    // its columns xFirst to xLast.
    bool someRowBare(int32_t xFirst, int32_t xLast, int32_t yFirst, int32_t yLast, int32_t x0, int32_t y0) const;
    // Some row under the group's top has no ink in its left half, where a
    // 9 has the side of its bowl and a 2's arc nothing.
    bool openUpperLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    bool baseBar(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Some row of the lowest fifth is inked across half the width: a 2's
    // base.
    bool baseHalf(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // One hole, in the lower part of the group, as a 6's bowl.
    bool lowerHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const;
    bool lowHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const;
    // One hole, in the upper part of the group, as a 9's bowl.
    bool upperHole(int32_t h, int32_t y0, const std::vector<int32_t>& listed) const;
    // Some row under the group's top has no ink in its right third, where
    // an 8's upper loop closes.
    bool openUpperRight(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Two arcs open at the left stacked on their backs at the right, with
    // a waist between them and the ends of both arcs at the left: a 3.
    bool threeArcs(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    bool eightLoops(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    // Some row of the group's lower part has no ink in its left third,
    // under a 9's bowl or a 5's stem.
    bool openLowerLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    bool roundTopLeft(int32_t w, int32_t h, int32_t x0, int32_t y0) const;
    void computeFeatures(int32_t w, int32_t h);

    const DigitLabelTable& labels_;
    const PaperComponentTable& paper_;
    std::vector<int16_t> group_; // (DigitWindowSide + 1)^2, column first
    GroupFeatures features_;
    // The figures of the last rendering, at tw_ x th_, figure after figure.
    std::span<const uint16_t> templates_;
    // Every size rendered so far, by (w << 32 | h), and what they were
    // drawn from: the figure count, then per figure its curve count and
    // per curve its arc count and points (all that rendering reads).
    std::unordered_map<uint64_t, std::vector<uint16_t>> rendered_;
    std::vector<int32_t> renderedFrom_;
    std::vector<int32_t> drawnFrom_;
    size_t renderedCells_ = 0;
    int32_t figures_ = 0;
    // The group of the last RecoDigitGroups call has a bar across its top
    // row, so it is no 1 (RecDigit called alone leaves it false).
    bool notOne_ = false;
    bool loneGroup_ = false;
    int32_t numberHeight_ = 0;
    // The figures of a 1 are left out of the next comparison (a wide group
    // without a stem).
    bool noOneFigure_ = false;
    // The same for a stem down the left edge under the top: no 3.
    bool notThree_ = false;
    // No ink at the left through that band: no 5.
    bool notFive_ = false;
    bool eightWithoutHole_ = false;
    bool oneOverStem_ = false;
    bool oneOrTwo_ = false;
    // Percent of the group's ink that the best figure of the last RecDigit
    // call left uncovered.
    int32_t uncoveredInk_ = 0;
    int32_t runnerUpMargin_ = 10000;
    // The best figure's score per digit in the last comparison.
    std::array<int32_t, 10> byDigit_{};
    // The classes of the box RecDigit compares, column first.
    std::vector<int8_t> boxClass_;
    int32_t tw_ = 0;
    int32_t th_ = 0;
};

// Renders one figure at (w, h) into `cells` (w x h, column first, cleared
// first). Shared by the matcher and the template editor's preview. The
// reader renders with thickness 1; the preview may ask for a thicker stroke:
// each sample then gives 2d x 2d sub-samples at offsets 0, -d/4, +d/4, -d/2,
// ... and the pull towards the centre grows by d.
void renderFigure(const TBezFigure& figure, int32_t w, int32_t h, uint16_t* cells, int32_t thickness = 1);

// Distance of a 3 x 5 level grid ([column][row]) to pattern p.
int32_t patternDistance(const int8_t levels[3][5], int p);

} // namespace quon
