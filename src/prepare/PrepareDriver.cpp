// The preparation driver and its first stages: the board rectangle, the
// first grid, the window corners, the cell sizes and the empty-point passes.
//
// The rectangle comes from the horizontal line finder or from the corners
// the user pointed by hand; a regular grid is laid over it, the window's
// four corners are probed with their board patterns (which places the
// matched ones exactly and confirms the rectangle), and then every point is
// asked, row by row, whether it is the empty crossing its board position
// calls for. Each sure crossing re-spaces the grid around it; after every
// pass the untrusted points are refitted from the trusted ones.
//
// A run ends in one of three ways: normally; cancelled (Cancel is read after
// each row, the grid keeps what was found and Reco.CancelFlag stays 1); or
// failed after a message (the progress window stays, nothing is enabled).
#include "prepare/PrepareEngine.h"
#include "prepare/WindowFeatures.h"

#include <cmath>
#include <string>

namespace quon {

namespace prepmsg {
std::string tooFewCorners(int32_t n) { return "Too few (" + std::to_string(n) + ") corners found."; }
std::string tooFewCornersQuestion(int32_t n)
{
    return "Too few (" + std::to_string(n) + ") corners found. Continue recognizing?";
}
} // namespace prepmsg

namespace {

BC& pt(int32_t x, int32_t y) { return Reco.GridPoints[x][y]; }

// A side of the rectangle from two hand-pointed values; 0 is unset.
int32_t handSide(int32_t a, int32_t b)
{
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    return (a + b) / 2;
}

bool decided(const BC& p)
{
    return (p.Typ != TypUndecided && p.Typ != TypEmpty) || (p.Typ == TypEmpty && p.PatternConf >= 100);
}

bool boardCornerKind(int16_t kind)
{
    return kind == KindTopLeft || kind == KindTopRight || kind == KindBottomRight || kind == KindBottomLeft;
}

} // namespace

CornerVerdict PrepareEngine::cornerVerdict(int32_t found, int32_t codeSum, bool handPointed)
{
    if (!handPointed && (found == 1 || (found == 2 && codeSum % 2 == 0)))
        return CornerVerdict::Stop;
    if (found < 4 && !handPointed)
        return CornerVerdict::Ask;
    return CornerVerdict::Go;
}

bool PrepareEngine::pumpAndCancelled()
{
    if (host.pump())
        Reco.CancelFlag = 1;
    return Reco.CancelFlag == 1;
}

bool PrepareEngine::endRun(PrepareOutcome outcome)
{
    host.enableRecognition();
    host.showProgress(false);
    Reco.PreparationTime = static_cast<int32_t>((host.ticks() - Reco.StartTicks) / 100);
    LastOutcome = outcome;
    return true;
}

bool PrepareEngine::fail()
{
    LastOutcome = PrepareOutcome::Failed;
    return false;
}

bool PrepareEngine::PrepareDiagram()
{
    BoardRect = PixelRect{-1, -1, -1, -1};
    BoardSkew = 0.0;
    LowerDiagramNumber = false;
    LastOutcome = PrepareOutcome::Success;
    // A stop request belongs to the run that raised it: one left by an
    // earlier recognition pass would otherwise skip every row of the first
    // empty-point pass, silently.
    Reco.DebugRunState = 1;
    InkSplit = 0;
    BadPoints = 0;
    CornersFound = CornerCodeSum = 0;
    SureStoneCounts[1] = SureStoneCounts[2] = 0;
    PlainStoneCounts[1] = PlainStoneCounts[2] = 0;
    // The prior is what the sizes were before this run: the stone checks of
    // the corners and the passes seed unknown sizes with the cell size,
    // which must not weigh as 25 samples.
    SizesKnownAtStart = Reco.StoneSizes[1].Width > 0 && Reco.StoneSizes[1].Height > 0 && Reco.StoneSizes[2].Width > 0 &&
                        Reco.StoneSizes[2].Height > 0;
    centringCalls_ = {};
    resetCentringHistory();
    startWindowRun();

    host.setLabel(1, "");
    host.setLabel(2, prepmsg::LookingForLines);
    host.showProgress(true);
    Reco.StartTicks = host.ticks();

    if (!boardRectAndFirstGrid())
        return fail();
    removeDust();

    Reco.StaticStonesPossible =
        (Reco.DiagramType != DiaGameRecord || Reco.DiagramsDone != 0 || options.seHandicap >= 2) ? 1 : 0;

    if (!windowCorners())
        return fail();
    cellSizes();

    bool cancelled = false;
    if (!emptyPointPasses(cancelled))
        return fail();
    if (cancelled)
        return endRun(PrepareOutcome::Cancelled);

    if (Reco.DiagramType != DiaPosition) {
        if (!stoneSizeLearning() || !iterations())
            return endRun(PrepareOutcome::Cancelled);
    }
    return endRun(PrepareOutcome::Success);
}

bool PrepareEngine::boardRectAndFirstGrid()
{
    const DiagramRect w = Reco.DiagramWindow;
    const DiagramSize n = Reco.DiagramWindowSize;
    if (Reco.CornersPointed == 1) {
        if (n.Columns < 2 || n.Rows < 2) {
            host.inform(linemsg::BadWindow);
            return false;
        }
        const IntPoint tl = pt(w.Left, w.Top).Coord, tr = pt(w.Right, w.Top).Coord;
        const IntPoint bl = pt(w.Left, w.Bottom).Coord, br = pt(w.Right, w.Bottom).Coord;
        PixelRect r;
        r.Top = handSide(tl.Y, tr.Y);
        r.Bottom = handSide(bl.Y, br.Y);
        r.Left = handSide(tl.X, bl.X);
        r.Right = handSide(tr.X, br.X);
        // To the nearest pixel, as the line finder takes it.
        const int32_t px = (r.Right - r.Left + (n.Columns - 1) / 2) / (n.Columns - 1);
        const int32_t py = (r.Bottom - r.Top + (n.Rows - 1) / 2) / (n.Rows - 1);
        // Corners pointed out of order or too close together would give a
        // pitch no check can work with (or none at all): refuse them here,
        // before any window is cut from them.
        if (r.Right <= r.Left || r.Bottom <= r.Top || px < MinPitchPx || px > MaxPitchPx || py < MinPitchPx ||
            py > MaxPitchPx) {
            host.inform(prepmsg::BadHandCorners);
            return false;
        }
        BoardRect = r;
        Reco.CellPitchX = px;
        Reco.CellPitchY = py;
    } else {
        if (!FindHorLines()) {
            --options.seNDia;
            LowerDiagramNumber = true;
            return false;
        }
        BoardRect = FoundBoardRect;
        BoardSkew = FoundSkew;
    }

    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y)
            pt(x, y).Coord = firstGridPoint(x, y);
    return true;
}

IntPoint PrepareEngine::firstGridPoint(int32_t x, int32_t y) const
{
    // The lines spread evenly over the board rectangle. The pitch is whole
    // pixels: stepped by it from the top-left corner, the far lines would
    // fall short of the far edge by the pitch's fraction times their count
    // (15 px on a board of 45.9 px rows), and on a dense diagram, where
    // stones hide most crossings, the later checks never win that back.
    // The grid lies along the page's skew: a row falls by the skew along
    // its length, and a column leans back by as much along its height.
    const DiagramRect w = Reco.DiagramWindow;
    const DiagramSize n = Reco.DiagramWindowSize;
    auto along = [](int32_t span, int32_t i, int32_t count, int32_t pitch) {
        return count < 2 || span <= 0 ? i * pitch : (2 * i * span + count - 1) / (2 * (count - 1));
    };
    const int32_t dx = along(BoardRect.Right - BoardRect.Left, x - w.Left, n.Columns, Reco.CellPitchX);
    const int32_t dy = along(BoardRect.Bottom - BoardRect.Top, y - w.Top, n.Rows, Reco.CellPitchY);
    return IntPoint{BoardRect.Left + dx - static_cast<int32_t>(std::lround(BoardSkew * dy)),
                    BoardRect.Top + dy + static_cast<int32_t>(std::lround(BoardSkew * dx))};
}

IntPoint PrepareEngine::boardCorner(int c, int r) const { return RectCorner(BoardRect, BoardSkew, c, r); }

IntPoint PrepareEngine::RectCorner(const PixelRect& rect, double skew, int c, int r)
{
    const int32_t x = c == 0 ? rect.Left : rect.Right, y = r == 0 ? rect.Top : rect.Bottom;
    return IntPoint{x - static_cast<int32_t>(std::lround(skew * (y - rect.Top))),
                    y + static_cast<int32_t>(std::lround(skew * (x - rect.Left)))};
}

bool PrepareEngine::windowCorners()
{
    const DiagramRect w = Reco.DiagramWindow;
    const DiagramSize n = Reco.DiagramWindowSize;
    const bool hand = Reco.CornersPointed == 1;
    CornersFound = 0;
    CornerCodeSum = 0;
    BC shared = pt(w.Left, w.Top);
    for (int c = 0; c <= 1; ++c)
        for (int r = 0; r <= 1; ++r) {
            ProbeSize = IntSize{Reco.CellPitchX, Reco.CellPitchY};
            StoneWindowSize = IntSize{Reco.CellPitchX * 115 / 100, Reco.CellPitchY * 115 / 100};
            const int32_t x = w.Left + (n.Columns - 1) * c, y = w.Top + (n.Rows - 1) * r;
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            ProbePoint = boardCorner(c, r);
            const int16_t kind = PointKind(x, y);
            BC fresh = pt(x, y);
            BC& work = FreshCornerRecord ? fresh : shared;
            work.Coord = ProbePoint;
            work.Size = ProbeSize;
            if (CheckBoardPat(kind, work, 1)) {
                ++CornersFound;
                CornerCodeSum = static_cast<int16_t>(CornerCodeSum + c + 2 * r + 1);
                pt(x, y) = work;
            } else if (CheckStone(work, 3)) {
                pt(x, y) = work;
                // A stone whose colour the check left open is a stone of
                // undecided colour, not a white one.
                pt(x, y).Typ = PlainStoneTyp(work.Typ);
                pt(x, y).Est = 80;
                pt(x, y).PatternConf = 90;
            }
        }

    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y)
            if (pt(x, y).Typ != TypEmpty)
                pt(x, y).Coord = firstGridPoint(x, y);
    for (int c = 0; c <= 1; ++c)
        for (int r = 0; r <= 1; ++r) {
            const int32_t x = w.Left + (n.Columns - 1) * c, y = w.Top + (n.Rows - 1) * r;
            if (pt(x, y).Typ == TypEmpty) {
                Reco.CurPointX = x;
                Reco.CurPointY = y;
                CorrectGridAround(false);
            }
        }
    StoneWindowSize = IntSize{ProbeSize.Width * 115 / 100, ProbeSize.Height * 115 / 100};

    switch (cornerVerdict(CornersFound, CornerCodeSum, hand)) {
    case CornerVerdict::Stop:
        host.inform(prepmsg::tooFewCorners(CornersFound));
        return false;
    case CornerVerdict::Ask:
        if (!host.ask(prepmsg::tooFewCornersQuestion(CornersFound)))
            return false;
        break;
    case CornerVerdict::Go:
        break;
    }
    if (CornersFound < 4)
        for (int c = 0; c <= 1; ++c)
            for (int r = 0; r <= 1; ++r) {
                BC& p = pt(w.Left + (n.Columns - 1) * c, w.Top + (n.Rows - 1) * r);
                if (p.Est < 80)
                    p.Coord = boardCorner(c, r);
            }
    if (BoardRect.Left == -1 || BoardRect.Top == -1 || BoardRect.Right == -1 || BoardRect.Bottom == -1) {
        host.inform(prepmsg::NoBoardRect);
        return false;
    }
    return true;
}

void PrepareEngine::cellSizes()
{
    const DiagramRect w = Reco.DiagramWindow;
    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y)
            FillCellSize(x, y);
    if (!host.gridVisible())
        return;
    host.beginGridCells();
    for (int32_t x = w.Left; x <= w.Right; ++x)
        for (int32_t y = w.Top; y <= w.Bottom; ++y) {
            const IntSize s = pt(x, y).Size;
            host.setGridCell(x - 1, y - 1, std::to_string(s.Width) + "," + std::to_string(s.Height));
        }
    host.showGridWindow(true);
    if (!host.ask("Continue?"))
        host.uncheckGridVisible();
}

bool PrepareEngine::emptyPointPasses(bool& cancelled)
{
    const DiagramRect w = Reco.DiagramWindow;
    host.setLabel(2, prepmsg::LookingForEmpty);
    const int passes = Reco.DiagramType == DiaPosition ? 3 : Reco.DiagramType == DiaGameRecord ? 1 : 2;
    for (int p = 1; p <= passes; ++p) {
        BadPoints = 0;
        for (int32_t y = w.Top; y <= w.Bottom && Reco.DebugRunState != 2; ++y) {
            for (int32_t x = w.Left; x <= w.Right; ++x) {
                Reco.CurPointX = x;
                Reco.CurPointY = y;
                BC& point = pt(x, y);
                if (decided(point))
                    continue;
                const int16_t kind = PointKind(x, y);
                if (boardCornerKind(kind))
                    continue;
                BC work = point;
                bool matched = CheckBoardPat(kind, work, 1);
                point.Denstone = work.Denstone;
                if (!matched && kind == KindStar) {
                    matched = CheckBoardPat(KindCrossing, work, 1);
                    point.Denstone = work.Denstone;
                }
                if (matched) {
                    point = work;
                    if (work.Est == 100)
                        CorrectGridAround(EmptyPassOnlyCross);
                } else if (Reco.StaticStonesPossible == 1 && p >= 2 && CheckStone(work, 2)) {
                    point.Coord = work.Coord;
                    point.Size = work.Size;
                    if (Reco.DiagramType == DiaPosition && (work.Typ == 1 || work.Typ == 2)) {
                        point.Typ = static_cast<int16_t>(work.Typ + 2);
                        point.PatternConf = 90;
                    } else {
                        point.Typ = TypColourUndecided;
                        point.PatternConf = 70;
                    }
                    point.Est = 80;
                }
                if (Reco.DebugRunState == 2)
                    return false;
                if (point.Typ == TypUndecided)
                    ++BadPoints;
            }
            host.setLabel(1, "Line = " + std::to_string(y));
            if (pumpAndCancelled()) {
                cancelled = true;
                return true;
            }
        }
        Reco.DebugRunState = 1;
        BadPoints = FitGridLines(1);
        if (BadPoints == 0)
            break;
    }
    if (host.gridVisible())
        ShowGridCoords();
    return true;
}

} // namespace quon
