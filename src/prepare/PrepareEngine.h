// The preparation engine: from the 1-bit page to the grid of the diagram.
//
// It reads the page only through the packed copy (Reco.PackedImage, GetPix),
// the options through the snapshot taken when the run starts, writes the
// shared tables of Reco, and reaches the user only through its host. Its own
// working state lives here, from one run to the next, as the progress
// window's engine keeps it.
#pragma once

#include "model/CheckedArray.h"
#include "model/OptionsSnapshot.h"
#include "model/Recotypes.h"
#include "prepare/PatternTemplates.h"
#include "prepare/PrepareHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

// Message texts of the line finder, shown as they are.
namespace linemsg {
inline const std::string NoLines = "Rotate image or check it: There are No Horizontal lines";
inline const std::string NarrowCell = "Очень узкая клетка";
inline const std::string WideCell = "Очень широкая клетка";
inline const std::string TooManyGroups = "Too many Hor lines 0";
inline const std::string TooManyLines = "Too many Hor lines";
inline const std::string TooFewLines = "Too few horizotal lines. Stop!";
inline const std::string BadWindow = "The diagram window must span at least 2 columns and 2 rows of the board.";
} // namespace linemsg

// Message texts of the driver and the corner stage.
namespace prepmsg {
inline const std::string LookingForLines = "Looking for horizontal lines";
inline const std::string LookingForEmpty = "Looking for empty points";
inline const std::string NoBoardRect = "No BoardRect0";
inline const std::string BadHandCorners =
    "The corners pointed by hand do not make a board: they must be in order (left of right, top above bottom) "
    "with 25 to 140 pixels between neighbouring lines. Point them again.";
// "Too few (n) corners found." and its question.
std::string tooFewCorners(int32_t n);
std::string tooFewCornersQuestion(int32_t n);
} // namespace prepmsg

// How a preparation run ended.
enum class PrepareOutcome { Success, Failed, Cancelled };

// What the corner stage does with the number and the places of the corners
// that matched their board pattern.
enum class CornerVerdict { Go, Stop, Ask };

class PrepareEngine {
  public:
    explicit PrepareEngine(PrepareHost& host, const OptionsSnapshot& options = {});

    PrepareHost& host;
    OptionsSnapshot options;

    // ---- Horizontal line finder (LineFinder.cpp) ----

    // Limits of the finder, in pixels.
    static constexpr int32_t StartMinRunLength = 55; // a run is long when longer than this
    static constexpr int32_t MinRunLengthStep = 10;  // added at every rescan
    static constexpr int32_t JoinGapPx = 15;         // a smaller row gap belongs to the same line
    static constexpr int32_t NewLineGapPx = 30;      // a gap of at least this starts a new line
    static constexpr int32_t MinPitchPx = 25;
    // The finder's own limit would be 150, but the window features refuse
    // anything above 140, so a wider pitch could only fail later, silently.
    static constexpr int32_t MaxPitchPx = 140;
    static constexpr int32_t MaxLineGroups = 20;
    // The steepest slope looked for on a turned page (about 2 degrees: a
    // thin line turned further leaves no run long enough to follow), and
    // the drift over the page width below which the page is read level.
    static constexpr double MaxSkew = 0.035;
    static constexpr int32_t MinSkewDriftPx = 2;
    static constexpr int32_t SkewCoarseStepPx = 4;

    int32_t MinRunLength = StartMinRunLength;
    Array1<int32_t, 1, 20> HorLines{};
    int32_t LineCount = 0;
    // Pixels across the thinnest inner line of the board (a stone standing
    // on a line only adds rows to it); 0 until the lines are found.
    int32_t LineThickness = 0;
    // Pixels across the thickest inner line drawn at most twice as thick as
    // the thinnest; 0 until the lines are found.
    int32_t ThinLineThickness = 0;
    PixelRect FoundBoardRect{};
    // The page's skew found by the last search, in rows per pixel (positive
    // when the lines fall to the right); 0 for a page read level. With a
    // skew, FoundBoardRect's Left and Top are the top-left corner, Right
    // the X of the top-right one and Bottom the Y of the bottom-left one.
    double FoundSkew = 0.0;
    // Corner c (0 left, 1 right), r (0 top, 1 bottom) of a rectangle laid
    // along `skew` as FoundBoardRect is.
    static IntPoint RectCorner(const PixelRect& rect, double skew, int c, int r);
    // Closes the gaps of one or two pixels in a row of ink bits (leftmost pixel in the
    // most significant bit of word 0).
    static void BridgeStepGaps(std::vector<uint64_t>& words);
    // Set when an append found Reco.Segments full (the count went past 500).
    bool SegmentsOverfull = false;

    // Examines page row `row` (0-based) and appends at most one segment to
    // Reco.Segments: from the start of the row's first long ink run to the
    // end of its last long run. A run still open at the end of the row is not
    // recorded. Logs "Row FirstX LastX Length" when a segment was opened.
    void ScanRowRuns(int32_t row);

    // Finds one horizontal line per row of Reco.DiagramWindow. True on
    // success, with Reco.CellPitchX, Reco.CellPitchY, FoundBoardRect and the
    // Y of Reco.GridPoints[DiagramWindow.Left][Top..Bottom] set. False after
    // an information box that says why.
    bool FindHorLines();

    // ---- Point kind, board-pattern check and stone check (PatternChecks.cpp) ----

    // Which board pattern to expect at board point (x, y), 1..BoardLineCount.
    static int16_t PointKind(int32_t x, int32_t y);

    // Checks the board pattern of `kind` in the window of `point` (its Coord
    // and cell Size) and snaps the point onto the printed lines. A sure match
    // moves the point onto the lines and, unless it was sure before, makes it
    // an empty crossing with PatternConf and Est 100; a doubtful one makes it
    // an empty crossing with PatternConf 50 where it stands. Without a match
    // (false) only Denstone may change. A star point that fails is tried
    // once more as a big star. `iteration` 1 applies the darkness limit.
    bool CheckBoardPat(int16_t kind, BC& point, int32_t iteration);

    // Moves the window origin so that the printed lines of `kind` fall on
    // the window's centre, from the profiles of the window last measured.
    // A window with no ink in its columns (rows) stays where it is.
    void SnapToProfiles(int16_t kind, IntPoint& origin, IntSize size) const;

    // Searches a few window positions and sizes around `point` for a stone,
    // `step` pixels apart. On true the point's Typ is 1 (black), 2 (white) or
    // 0 (colour not decided) and Coord and Size give the stone window found;
    // on false the point is unchanged.
    bool CheckStone(BC& point, int32_t step);

    // The state of a point where CheckStone found a stone (1, 2 or 0), as a
    // stone without a number: 3 black, 4 white, 5 colour not decided.
    static int16_t PlainStoneTyp(int16_t checkTyp);

    // ---- Stone window, classification and ink split (Classify.cpp) ----

    // The window of the current point: its size and its top-left page pixel.
    IntSize ProbeSize{};
    IntPoint ProbePoint{};
    // Ink percentage above which a stone window counts as black.
    int32_t InkSplit = 0;

    // Places the window in which a stone at board point (x, y) is expected,
    // from the stone size learned for its colour or from the spacing of its
    // neighbours (then the point's cell size too).
    void StoneRect(int32_t x, int32_t y);
    // Gives a point without a cell width (height) the mean of its neighbours'.
    void FillCellSize(int32_t x, int32_t y);
    // Sets InkSplit from the ink of every stone window of the diagram.
    void SortNumberedStones();
    // Decides the state of the current point (Reco.CurPointX, CurPointY).
    void ClassifyPoint();

    // Whether the stone window of `size` at `origin` shows the thin ring of
    // a white stone without a number: a blank middle, ink near all four
    // sides, no straight line across (measured with a margin of an eighth).
    // With `numbered`, the ring of a white stone with a number: the same,
    // with ink in the middle.
    bool LooksLikeRing(IntSize size, IntPoint origin, bool numbered = false);

    // The decision of ClassifyPoint's last step for the diagram types other
    // than positions: ink I, split S, estimate E, line density D. A window
    // with more ink than `solid` is a plain black stone or nothing sure.
    static int16_t DecideStone(int32_t ink, int32_t split, int32_t est, int32_t denLine, bool staticStones,
                               int32_t solid = 85);
    // The `solid` level of DecideStone for a window `side` pixels across on
    // a page whose lines are `lineThickness` pixels thick.
    static int32_t SolidInkLevel(int32_t lineThickness, int32_t side);
    // InkSplit from the ink values of the stone windows (each above 3).
    static int32_t InkSplitOf(std::vector<int32_t> inks);

    // ---- Stone centring (CenterStone.cpp) ----

    // Stones of each colour (1 black, 2 white) learned with a sure match;
    // the driver keeps them, centring reads them.
    Array1<int32_t, 1, 2> SureStoneCounts{};

    // Centres the stone at board point (x, y) by the best of a set of
    // candidate circles, moving Coord and CoordC to it when it beats the
    // point's Est. `score`: on entry the score at which the search may stop,
    // on return the best score found. `iteration`: the call number for the
    // point. Returns the point's Typ at entry. A cell outside 2..140 pixels
    // is not centred.
    int16_t CenterStone(int32_t x, int32_t y, int32_t& score, int32_t iteration);

    // Forgets what centring searched at every point (a new preparation).
    void resetCentringHistory();

    // Candidates scored and skipped by the last CenterStone call.
    int32_t CentringTried = 0;
    int32_t CentringSkipped = 0;

    // ---- Grid regularisation (GridFit.cpp) ----

    // Re-spaces the row and the column of the current point between it and
    // the nearest trusted points (Est above 89). With onlyCross the
    // positions along the walk stay and only the cross coordinate moves.
    void CorrectGridAround(bool onlyCross);
    // Places every window point with Est below 89 + margin from the trusted
    // ones; returns (and keeps in BadPoints) how many there are.
    int32_t FitGridLines(int32_t margin);
    // Lists every window point's position in the grid-values window.
    void ShowGridCoords();

    // Window points still untrusted after the last pass or refit.
    int32_t BadPoints = 0;

    // ---- The driver and its stages (PrepareDriver.cpp) ----

    // Runs the whole preparation of the diagram the options describe, on the
    // page of Reco, after the diagram has been started (grid undecided).
    // True when it ended normally or was cancelled (then Reco.CancelFlag is
    // 1), false after a failure that has been shown.
    bool PrepareDiagram();

    PrepareOutcome LastOutcome = PrepareOutcome::Success;
    // Set when line finding failed: the options' diagram number goes down
    // by one (the snapshot's seNDia already is).
    bool LowerDiagramNumber = false;

    // The board rectangle in page pixels (the window's first and last
    // column and row); -1 unset.
    PixelRect BoardRect{-1, -1, -1, -1};
    // The page's skew the rectangle lies along (rows per pixel, 0 for hand
    // corners): Left, Top is the top-left corner, Right the X of the
    // top-right one, Bottom the Y of the bottom-left one.
    double BoardSkew = 0.0;
    // Board corner c (0 left, 1 right), r (0 top, 1 bottom) of the
    // rectangle, and window point (x, y) of the first grid laid over it.
    IntPoint boardCorner(int c, int r) const;
    IntPoint firstGridPoint(int32_t x, int32_t y) const;
    // The window cut around a point for the pattern and stone checks.
    IntSize StoneWindowSize{};
    int16_t CornersFound = 0;
    int16_t CornerCodeSum = 0;

    // Readings of open choices, kept switchable for measurement.
    // Each window corner is probed with its own record (a copy of its grid
    // point) rather than one record shared by the four probes.
    bool FreshCornerRecord = true;
    // The re-spacing after a sure crossing in the empty-point passes moves
    // only the cross coordinate.
    bool EmptyPassOnlyCross = true;

    // The decision after the corner probes: from the number of matched
    // corners and the sum of their codes (top-left 1, top-right 2,
    // bottom-left 3, bottom-right 4).
    static CornerVerdict cornerVerdict(int32_t found, int32_t codeSum, bool handPointed);

    // ---- Stone-size learning and the iterations (StoneLearning.cpp) ----

    int32_t RefMatch = 70;
    int32_t StoneMatch = 0;
    int32_t CentredCount = 0;
    Array1<int32_t, 1, 2> PlainStoneCounts{};
    int32_t NPts = 0;
    int32_t BadPercent = 0;
    // All four stone sizes were set when the run started: they weigh as a
    // prior of 25 samples per colour.
    bool SizesKnownAtStart = false;
    // Centring in the iterations gets the iteration number (rather than the
    // number of the call for that point).
    bool CentringByIteration = true;

    // The iteration walk: the board positions from (10, 9) outwards.
    static std::vector<IntPoint> spiralPositions();
    // Folds one stone window (whole pixels) into a colour's learned size,
    // with n earlier samples and weight w.
    static void foldStoneSize(StoneSize& size, int32_t n, IntSize window, int32_t w);
    // The match above which a centred stone teaches its size in iteration k.
    static int32_t learningThreshold(int colour, int32_t k);

    // Stage 7: false when Cancel was seen.
    bool stoneSizeLearning();
    // Stage 8: false when Cancel was seen.
    bool iterations();

    // The stages, each true to go on. Stage 1 and 2: the rectangle and the
    // first grid.
    bool boardRectAndFirstGrid();
    // Stages 4 and 5: the window corners and the cell sizes.
    bool windowCorners();
    void cellSizes();
    // Takes the blots of dust around the board off the page: pieces of
    // ink that fit in a DustPitchDivisor-th of the pitch and have no other
    // ink within a DustGapDivisor-th of it (at least 2 pixels).
    void removeDust();
    static constexpr int32_t DustPitchDivisor = 6;
    static constexpr int32_t DustGapDivisor = 20;
    // Stage 6: false on a stop; `cancelled` set when Cancel was seen.
    bool emptyPointPasses(bool& cancelled);

  private:
    // Pumps events after a label write and reads Cancel (also setting
    // Reco.CancelFlag when the host reports it).
    bool pumpAndCancelled();
    // The run's end: Recognition enabled, window hidden, time recorded.
    bool endRun(PrepareOutcome outcome);
    bool fail();
    void coupleColoursAfterLearning();
    Array1<Array1<int32_t, 1, 19>, 1, 19> centringCalls_{};

    bool checkBoardPatOnce(int16_t kind, BC& point, int32_t iteration);
    // Whether the last checkBoardPatOnce was a sure match.
    bool lastPatternSure_ = false;

    // What one centring call searched, in doubled page pixels: the circles
    // whose doubled centre is 2 * cell left + C2x with C2x = w + dx, dx in
    // dx range and w in w range (the same for y).
    struct CentringSearch {
        int32_t left2 = 0, top2 = 0;
        int32_t dxLo = 0, dxHi = -1, dyLo = 0, dyHi = -1;
        int32_t wLo = 0, wHi = -1, hLo = 0, hHi = -1;
    };
    struct CentringHistory {
        CentringSearch calls[6];
        int32_t count = 0;
    };
    std::vector<CentringHistory> centringHistory_ = std::vector<CentringHistory>(19 * 19);

    // A closed ink run of a row, [start, end).
    struct Run {
        int32_t start;
        int32_t end;
    };
    // Finds the closed runs of page row `row` longer than `minLength`.
    void rowRuns(int32_t row, int32_t minLength, std::vector<Run>& out);
    // The closed runs of rowWords_ longer than `minLength`.
    void wordRuns(int32_t minLength, std::vector<Run>& out) const;
    // The runs of the line through (0, row) at slope `skew` (rows per
    // pixel), read from pageWords_.
    void shearedRowRuns(int32_t row, double skew, int32_t minLength, std::vector<Run>& out);
    // The whole page as ink bits into pageWords_.
    void loadInkPage();
    // The slope along which the cached runs line up best.
    double estimateSkew() const;
    // Appends the segment of a row from its long runs; false when the table
    // was full.
    bool appendSegment(int32_t row, const Run* first, const Run* last);

    std::vector<uint64_t> rowWords_; // one page row as ink bits, reused
    std::vector<uint64_t> pageWords_; // the page as ink bits, while a turned page is read
    // The runs the first scan of a search found, per row: a rescan only
    // raises the minimum length, so it can filter them instead of reading
    // the page again.
    std::vector<Run> cachedRuns_;
    std::vector<uint32_t> cachedRowStart_; // index into cachedRuns_ per scanned row, plus the end
};

} // namespace quon
