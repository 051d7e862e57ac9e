// Reading the move number printed on one stone.
//
// Method: the stone's window is cut out of the page; the stone's circle is
// removed (a white stone keeps the inside of an ellipse, a black stone has
// its inside inverted so that the white digits become ink); the window is
// labelled into connected paper and ink components in one raster pass; ink
// components big and tall enough are the digit groups, ordered left to
// right. Touching digits are separated by cutting a group at its weakest
// column (or in three near its thirds), and every group is read by the
// digit matcher. A failed reading is tried again with loose pixels removed,
// then with the window on the grid crossing instead of the stone centre.
//
// The result is the text the rest of the program shows and stores (digits,
// "e" for a digit that could not be read, or a fixed failure text) and,
// beside it, the same result in plain fields, so that no caller has to
// parse the text.
//
// The working arrays (labels, components, groups) belong to the reader and
// are overwritten for every stone; the window itself is the shared stone
// window `Win`. Only the running mean of the digit height survives a stone;
// it is kept over the stones of one diagram and reset at the start of the
// next one.
#pragma once

#include "model/CheckedArray.h"
#include "model/Recotypes.h"
#include "recognize/DigitMatching.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quon {

// Why a reading gave no plain number.
enum class StoneReadFailure : uint8_t {
    None,            // digits were read (some positions may be rejected)
    NotNumbered,     // the point is no stone with a number: empty text
    Undecided,       // the point is undecided: " ? "
    NoDigits,        // no digit ink on a further diagram: empty text, the stone became a plain stone
    NoDigitsFirst,   // no digit group on the first diagram of a game: "ed0"
    TooManyGroups,   // more than three digit groups: "ed4"
    CutTooFew,       // a cut gave too few groups, or a lone stroke off the centre: "eee"
    WideUncut,       // a wide single group could not be cut in three: "e 1"
    GroupCount,      // a cut or re-segmentation gave an unusable group count: "e" + count
    WindowSize,      // the stone window has no usable size: "e"
};

// One digit position of the number.
struct StoneDigit {
    int32_t Digit = 0;     // the digit value read (valid when not rejected)
    bool Rejected = false; // shown as "e" (or "-" for a figure without a digit)
    bool operator==(const StoneDigit&) const = default;
};

struct StoneReadResult {
    std::string Text;
    StoneReadFailure Failure = StoneReadFailure::NotNumbered;
    int32_t GroupCount = 0;           // the count of a GroupCount failure
    std::vector<StoneDigit> Digits;   // per position, left to right, when Failure is None
    std::array<int8_t, 3> Estdig{};   // the matcher's score per position (as written to the point)
    bool Mark = false;                // the stone carries a mark, not a number (read as without digits)

    // True with the number when every position was read.
    bool number(int32_t& value) const;
};

// A digit the matcher reads with a score of this or more is too unlike
// every figure to be trusted: it is reported as "e" (and read again).
constexpr int32_t DoubtfulDigitScore = 60;
// The same for a digit that stands alone with less ink than an ordinary
// digit, or that only labelling by eight neighbours found, on a black
// stone: it is less sure to be a whole digit (heavy ink eats white digits
// down to hairlines), so its best figure must match it more closely.
constexpr int32_t DoubtfulLightDigitScore = 40;

// Sizes of the working arrays.
constexpr int32_t MaxComponentsPerClass = 99;
constexpr int32_t PaperClass = 1;
constexpr int32_t InkClass = 2;

class StoneNumberReader {
public:
    StoneNumberReader();

    // Options of the run: 8-connected ink and a smaller digit gate for thin digits.
    bool ThinDigits = false;
    // Where the reader's own log lines go (a window without a usable size).
    std::function<void(const std::string&)> Log;

    // Reads the number on the current point (Reco.CurPointX, CurPointY).
    // mode 0: first attempt, window on the stone centre (CoordC); mode 1:
    // the same with loose pixels removed; mode 2: window on the crossing
    // (Coord), then as mode 1. May make a numbered stone a plain stone and
    // writes the point's Estdig.
    StoneReadResult RecoStoneNumber(int32_t mode);

    // The running mean of tall ink components, hundredths of a pixel, and
    // how many components it holds.
    int32_t MeanDigitHeight = 0;
    int32_t DigitHeightSamples = 0;
    // The running mean shape of the single digits of this diagram: width + 1
    // per height, in thousandths, and how many groups it holds. It starts
    // narrow enough that a group 0.6 of its height wide in a two-group number
    // is cut, and learns from the groups of numbers printed apart.
    int32_t MeanDigitAspect = StartDigitAspect;
    int32_t DigitAspectSamples = 0;
    static constexpr int32_t StartDigitAspect = 400;
    // White stones of this diagram whose dark digits showed a light face,
    // less those that showed a bolder one (see ThickenLightInk).
    int32_t LightFaceVotes = 0;
    // How many windows of this diagram showed each slant of the digits (how
    // far their tops lean right, in hundredths of their height: -8, -4, 0,
    // 4, ... 36).
    std::array<int32_t, 12> DigitSlants{};
    // The slant taken out of this diagram's digits before they are read.
    int32_t diagramSlant() const;
    // Resets the learned digit height and shape (the start of a diagram).
    void resetDigitHeights();
    // The width + 1 per height (thousandths) from which a group in a
    // two-group number holds two touching digits: half as wide again as a
    // digit of this diagram.
    int32_t touchingDigitsAspect() const { return MeanDigitAspect * 3 / 2; }

    // ---- The steps, public for the tests ----

    // Segments Win.CutWindow of `size`: with circleFlag 1 the stone's circle
    // is removed first (and with mode 1 the loose pixels), then the window is
    // labelled and the digit groups chosen. Returns the number of groups
    // 0..3, or -1 when more than three qualify.
    int32_t FindDigits(IntSize size, int32_t colour, int32_t mode, int32_t circleFlag);
    // The stone outline removal alone, on Win.CutWindow.
    void DeleteStoneCircle(IntSize size, int32_t colour);
    bool FitWhiteStoneOutline(IntSize size);
    void RemoveLoosePixels(IntSize size);
    void ThinHeavyInk(IntSize size);
    void ThickenLightInk(IntSize size, int32_t colour);
    // ThickenLightInk's two halves: whether the window's digits show a
    // light face (counting the white stones' votes), and the growing
    // (`relabel` when the window changed since LightInk labelled it).
    bool LightInk(IntSize size, int32_t colour);
    void GrowLightInk(IntSize size, bool relabel);
    int32_t MeasureSlant(IntSize size) const;
    // Takes the diagram's slant out of the window: the window's slant is
    // counted (VoteSlant, which returns the diagram's slant) and that is
    // sheared out (ShearInk).
    void UprightSlantedInk(IntSize size);
    int32_t VoteSlant(IntSize size);
    void ShearInk(IntSize size, int32_t slant);
    // True when `again`, the reading again, reads just the digits `first`
    // was sure of and drops the one it doubted (the first then stands).
    static bool lostDoubtedDigit(const StoneReadResult& first, const StoneReadResult& again);
    // True when `again` reads a number that goes against a digit `first`
    // was sure of (the first then stands).
    static bool contradictsSureDigits(const StoneReadResult& first, const StoneReadResult& again);
    // The columns of the groups the last reading read, one per digit
    // (empty where groups and digits did not pair up).
    std::vector<std::pair<int32_t, int32_t>> digitColumns(const StoneReadResult& read) const;
    // True when `again` reads fewer digits than `first` and no group of it
    // stands where `first` read a sure digit (the first then stands).
    static bool lostSureDigit(const StoneReadResult& first, const std::vector<std::pair<int32_t, int32_t>>& firstColumns,
                              const StoneReadResult& again, const std::vector<std::pair<int32_t, int32_t>>& againColumns);
    // Labels Win.CutWindow of `size` into DigitLabels / Components, by
    // eight neighbours with thin digits, else by four.
    void labelWindow(IntSize size);
    void labelWindow(IntSize size, bool eightNeighbours);

    // Cuts digit group k at its weakest column and segments again; `cut` is
    // false (and nothing changes) when no column qualifies. Returns the new
    // group count, or the unchanged count when nothing was cut.
    int32_t CutDigitGroup(IntSize size, int32_t colour, int32_t k, bool* cut = nullptr);
    // Cuts group 1 at two columns near its thirds and segments again.
    int32_t CutGroupInThree(IntSize size, int32_t colour);
    // Reads the first `count` digit groups of the last segmentation of the
    // window at `origin` (the game assembly's wrong-split repair).
    StoneReadResult ReadDigitGroups(IntSize size, IntPoint origin, int32_t colour, int32_t count);

    // The working arrays of the last segmentation.
    const DigitLabelTable& DigitLabels() const { return *labels_; }
    // [class][number]; entries up to ComponentCounts[class] are meaningful.
    const ComponentBox& component(int32_t cls, int32_t n) const { return components_[cls][n]; }
    int32_t ComponentCounts(int32_t cls) const { return counts_[cls]; }
    int32_t groupCount() const { return groupCount_; }
    // Ink component number of digit group k (1-based).
    int32_t DigitGroups(int32_t k) const { return groups_[k]; }

private:
    struct Reading; // the text and fields being built for one attempt
    // The stone's first reading doubted an 8 without a hole.
    bool settledDoubt_ = false;
    // ... or a 1 standing on a bar with a stem under it (a 4 without its
    // diagonal).
    bool barDoubt_ = false;
    // The last two digits read stand a digit's width apart.
    bool lostDigitGap_ = false;
    static bool confirmsEight(const StoneReadResult& first, const StoneReadResult& again);
    // The first reading doubted a 1 against a 2.
    bool oneOrTwoDoubt_ = false;
    // `again` reads a 1 where `first` doubted.
    static bool readsDoubtAsOne(const StoneReadResult& first, const StoneReadResult& again);

    StoneReadResult readOnce(int32_t mode);
    bool recut(Reading& r);
    void RecoDigits(Reading& r, int32_t count);
    bool prepareCut();
    void learnDigitShapes();
    void joinDigitPieces(int32_t H);
    void dropShortGroups();
    bool joinHalves(const std::vector<int32_t>& beyond);
    // Two neighbouring groups of a three-group number, read as 1s or
    // doubted, that are the mirrored halves of one 0 become that 0; true
    // when they were joined.
    bool readHalvesAsZero(Reading& r);
    // Joins to a digit's box the pieces that touch it corner to corner.
    void joinCornerPieces(IntSize size);
    // Ink of a digit's size that no digit group took; where it lies.
    bool leftOverInk(int32_t& beside) const;
    // Two neighbouring digits stand a digit apart with pieces of ink
    // between them; `after` is the first of the two.
    bool lostDigitBetween(int32_t& after) const;
    bool isMark(int32_t k) const;
    // Group k has a bar across its top row, as a 7 has.
    bool topBar(int32_t k, int32_t rows = 1) const;
    // The leftmost (or rightmost) ink column of box g in row y.
    int32_t inkEdge(const ComponentBox& g, int32_t y, bool left) const;
    bool lightDigit(const ComponentBox& c, int32_t H) const;
    // Ink component n is the one-pixel stroke of a small "1".
    bool thinSmallOne(int32_t n, int32_t H) const;
    // A light digit read on its own is tall enough to tell its strokes.
    bool resolvedLightDigit(const ComponentBox& c, int32_t H) const;
    // Chooses the digit groups among the labelled ink components of the
    // window (learning the digit height from them when `learn`); the group
    // count, or -1 for more than three (with `halves`, after joining the
    // halves of broken digits).
    int32_t selectDigits(IntSize size, bool learn, bool halves = false);
    // Whether the labelled window holds pieces that eight neighbours might
    // join into a digit.
    bool piecesMayJoin(int32_t H) const;
    // Joins the pieces of a digit a light face's broken hairlines parted,
    // when no piece alone is a digit; true when any joined.
    bool joinBrokenDigits(int32_t H);
    const ComponentBox& groupBox(int32_t k) const { return components_[InkClass][groups_[k]]; }

    std::unique_ptr<DigitLabelTable> labels_;
    Array1<PaperComponentTable, 1, 2> components_{};
    Array1<int32_t, 1, 2> counts_{};
    Array1<int32_t, 1, 3> groups_{};
    // The ink components read under the closer match (see
    // DoubtfulLightDigitScore): a lone light digit, or digits found only by
    // eight neighbours.
    std::array<bool, MaxComponentsPerClass + 1> lightChosen_{};
    // The ink components made of pieces joined (see joinBrokenDigits).
    std::array<bool, MaxComponentsPerClass + 1> joinedChosen_{};
    int32_t groupCount_ = 0;
    // The tallest digit-like component of the window being selected from.
    int32_t tallestDigit_ = 0;
    int32_t lastFound_ = 0; // the result of the last FindDigits
    bool eightLabelled_ = false; // the last labelling took eight neighbours
    int32_t windowStroke100_ = 0; // the window's stroke width, hundredths of a pixel (see LightInk)
    // Labelling work space: labels without a limit on numbers, and the
    // boxes and final numbers per class.
    std::vector<int32_t> work_;
    std::array<std::vector<ComponentBox>, 3> boxes_;
    std::array<std::vector<int32_t>, 3> numbers_;
    DigitMatcher matcher_;

    // The window of the reading under way.
    IntSize size_{};
    IntPoint origin_{};
    int32_t colour_ = 0;
    int32_t mode_ = 0;
    bool thinHeavy_ = false; // the window's heavy ink is thinned (see ThinHeavyInk)
    std::vector<int16_t> printed_; // the window's ink before light strokes grew
};

// The one reader of the program.
StoneNumberReader& numberReader();

// Clears the running digit height: the start of every diagram calls it.
void resetDigitHeights();

// True when `text` is a number: one or more decimal digits and nothing else.
bool isNumberText(const std::string& text);

} // namespace quon
