// Stone-size learning and the iterations: the stages that decide every
// point of the grid empty, black or white and centre the stones.
//
// Learning looks at the inner part of the window first (a seventh of it is
// left out on every side), centres the stones it finds and folds the size of
// every well-centred one into the colour's learned size, until a handful of
// samples are in; a classification sweep over the whole window follows.
// Each iteration then walks the board from its centre outwards in a square
// spiral, re-checks the doubtful points, classifies and centres the stones
// and learns on with stricter thresholds; its finalisation refits the grid
// and classifies every stone again. Iterations repeat while enough points
// stay undecided.
#include "prepare/PrepareEngine.h"

#include <algorithm>
#include <string>

namespace quon {

namespace {

BC& pt(int32_t x, int32_t y) { return Reco.GridPoints[x][y]; }

bool plainStoneKept(const BC& p)
{
    return Reco.StaticStonesPossible == 1 && (p.Typ == TypBlackStatic || p.Typ == TypWhiteStatic);
}

int colourOf(const BC& p) { return 2 - (p.Typ % 2); }

} // namespace

std::vector<IntPoint> PrepareEngine::spiralPositions()
{
    std::vector<IntPoint> out;
    int32_t col = 0, row = 0;
    row += 1; // ring 0: one step down
    out.push_back(IntPoint{10 + col, 9 + row});
    for (int32_t i = 1; i <= 19; ++i) {
        const int32_t d = i % 2 == 0 ? 1 : -1;
        for (int32_t s = 0; s < i; ++s) {
            row += d;
            out.push_back(IntPoint{10 + col, 9 + row});
        }
        for (int32_t s = 0; s < i; ++s) {
            col += d;
            out.push_back(IntPoint{10 + col, 9 + row});
        }
    }
    return out;
}

void PrepareEngine::foldStoneSize(StoneSize& size, int32_t n, IntSize window, int32_t w)
{
    size.Width = (size.Width * n + window.Width * 100 * w) / (n + w);
    size.Height = (size.Height * n + window.Height * 100 * w) / (n + w);
}

int32_t PrepareEngine::learningThreshold(int colour, int32_t k) { return colour == 1 ? 91 + k / 2 : 84 + 2 * k; }

void PrepareEngine::coupleColoursAfterLearning()
{
    StoneSize& black = Reco.StoneSizes[1];
    StoneSize& white = Reco.StoneSizes[2];
    if ((SureStoneCounts[1] > 3 || PlainStoneCounts[1] > 9) && SureStoneCounts[2] < 1)
        white = StoneSize{black.Width + 100, black.Height + 100};
    else if ((SureStoneCounts[2] > 3 || PlainStoneCounts[2] > 9) && SureStoneCounts[1] < 1)
        black = StoneSize{white.Width - 100, white.Height - 100};
}

bool PrepareEngine::stoneSizeLearning()
{
    const DiagramRect w = Reco.DiagramWindow;
    const DiagramSize n = Reco.DiagramWindowSize;
    SortNumberedStones();
    host.setLabel(2, "Very First iteration");
    BadPoints = 0;
    if (host.gridVisible())
        ShowGridCoords();
    RefMatch = 70;
    CentredCount = 0;
    PlainStoneCounts[1] = PlainStoneCounts[2] = 0;
    SureStoneCounts[1] = SureStoneCounts[2] = SizesKnownAtStart ? 5 : 0;
    host.setLabel(2, "Defining stones size; Bad =" + std::to_string(BadPoints));
    NPts = 0;

    const int32_t mx = n.Columns / 7, my = n.Rows / 7;
    bool learning = true;
    for (int32_t x = w.Left + mx; learning && x <= w.Right - mx; ++x)
        for (int32_t y = w.Top + my; learning && y <= w.Bottom - my; ++y) {
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            BC& p = pt(x, y);
            if (p.Typ == TypUndecided || (p.Typ == TypEmpty && p.PatternConf < 100)) {
                BC work = p;
                if (CheckBoardPat(PointKind(x, y), work, 1)) {
                    p = work;
                    if (work.PatternConf == 100) {
                        CorrectGridAround(true);
                        continue;
                    }
                }
                p.Denstone = work.Denstone;
                work = p;
                if (Reco.StaticStonesPossible == 1 && CheckStone(work, 1)) {
                    p.Coord = work.Coord;
                    p.Size = work.Size;
                    p.Typ = PlainStoneTyp(work.Typ);
                    p.Est = 80;
                    p.PatternConf = 80;
                }
            }
            if (p.Typ == TypEmpty)
                continue;
            StoneMatch = std::max(RefMatch, 95);
            if (p.Typ == TypUndecided) {
                ClassifyPoint();
                // A point classified empty here is not centred: centring
                // would only overwrite the crossing's cell size.
                if (p.Typ <= TypEmpty)
                    continue;
            }
            const int colour = colourOf(p);
            const StoneSize learned = Reco.StoneSizes[colour];
            if (learned.Width > 0)
                p.Size = IntSize{(learned.Width + 50) / 100, (learned.Height + 50) / 100};
            if (CenterStone(x, y, StoneMatch, 1) <= 0)
                continue;
            ++CentredCount;
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            const bool sample = colour == 1 ? StoneMatch >= RefMatch - 5 : StoneMatch >= RefMatch + 5;
            if (sample) {
                const int32_t weight = StoneMatch > 90 ? 5 : 1;
                foldStoneSize(Reco.StoneSizes[colour], 5 * SureStoneCounts[colour] + PlainStoneCounts[colour], p.Size,
                              weight);
                if (StoneMatch > 90) {
                    ++SureStoneCounts[colour];
                    CorrectGridAround(true);
                } else {
                    ++PlainStoneCounts[colour];
                }
            }
            coupleColoursAfterLearning();
            if (2 * SureStoneCounts[1] + PlainStoneCounts[1] + 2 * SureStoneCounts[2] + PlainStoneCounts[2] > 10) {
                learning = false;
                break;
            }
            host.setLabel(1, "X = " + std::to_string(x) + ", Y = " + std::to_string(y) +
                                 ", NPts = " + std::to_string(NPts));
            if (pumpAndCancelled())
                return false;
        }

    if (host.gridVisible())
        ShowGridCoords();
    SortNumberedStones();
    BadPoints = 0;
    for (int32_t y = w.Top; y <= w.Bottom; ++y)
        for (int32_t x = w.Left; x <= w.Right; ++x) {
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            const BC& p = pt(x, y);
            if (p.Typ == TypUndecided || (p.Typ != TypEmpty && !plainStoneKept(p)))
                ClassifyPoint();
            if (pt(x, y).Typ == TypUndecided)
                ++BadPoints;
        }
    return true;
}

bool PrepareEngine::iterations()
{
    const DiagramRect w = Reco.DiagramWindow;
    const int32_t points = (w.Right - w.Left + 1) * (w.Bottom - w.Top + 1);
    BadPoints = FitGridLines(1);
    BadPercent = BadPoints * 100 / points;
    static const std::vector<IntPoint> spiral = spiralPositions();

    for (int32_t k = 2; k <= 6; ++k) {
        host.setLabel(2, "Iteration # " + std::to_string(k));
        RefMatch = 70;
        CentredCount = 0;
        host.setLabel(2, "Looking for stones-" + std::to_string(k) + ", Bad =" + std::to_string(BadPoints));
        NPts = 0;
        for (const IntPoint pos : spiral) {
            if (NPts == points)
                break;
            const int32_t x = pos.X, y = pos.Y;
            if (x < w.Left || x > w.Right || y < w.Top || y > w.Bottom)
                continue;
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            ++NPts;
            BC& p = pt(x, y);
            if (p.PatternConf < 100 && p.Est < 75) {
                BC work = p;
                if (CheckBoardPat(PointKind(x, y), work, 1)) {
                    p = work;
                    if (p.PatternConf == 100) {
                        CorrectGridAround(true);
                        continue;
                    }
                } else if (Reco.StaticStonesPossible == 1 && BadPercent < 25 && CheckStone(work, 1)) {
                    p = work;
                    p.Est = 80;
                    p.PatternConf = 80;
                }
            }
            if (p.Est >= 95)
                continue;
            StoneMatch = std::max(RefMatch, 95);
            if (!plainStoneKept(p) && (k == 2 || p.PatternConf < 90))
                ClassifyPoint();
            StoneSize& black = Reco.StoneSizes[1];
            StoneSize& white = Reco.StoneSizes[2];
            if (5 * SureStoneCounts[2] + 1 < SureStoneCounts[1])
                white = StoneSize{black.Width + 100, black.Height + 100};
            else if (5 * SureStoneCounts[1] + 1 < SureStoneCounts[2])
                black = StoneSize{white.Width - 100, white.Height - 100};
            if (p.Typ <= TypEmpty)
                continue;
            const int32_t call = CentringByIteration ? k : ++centringCalls_[x][y];
            if (CenterStone(x, y, StoneMatch, call) <= 0)
                continue;
            Reco.CurPointX = x;
            Reco.CurPointY = y;
            ++CentredCount;
            RefMatch = (RefMatch * CentredCount + StoneMatch) / (CentredCount + 1);
            const int colour = colourOf(p);
            if (StoneMatch > learningThreshold(colour, k)) {
                foldStoneSize(Reco.StoneSizes[colour], SureStoneCounts[colour], p.Size, 1);
                ++SureStoneCounts[colour];
                CorrectGridAround(true);
            }
            host.setLabel(1, "X = " + std::to_string(x) + ", Y = " + std::to_string(y) +
                                 ", NPts = " + std::to_string(NPts));
            if (pumpAndCancelled())
                return false;
        }

        host.setLabel(2, "Finalization # " + std::to_string(k));
        BadPoints = FitGridLines(1);
        SortNumberedStones();
        for (int32_t x = w.Left; x <= w.Right; ++x)
            for (int32_t y = w.Top; y <= w.Bottom; ++y) {
                Reco.CurPointX = x;
                Reco.CurPointY = y;
                const BC& p = pt(x, y);
                if (p.Typ != TypEmpty && !plainStoneKept(p))
                    ClassifyPoint();
            }
        if (host.gridVisible())
            ShowGridCoords();
        if (BadPoints < k + 2)
            break;
    }
    return true;
}

} // namespace quon
