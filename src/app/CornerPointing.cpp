#include "app/CornerPointing.h"

namespace quon {

uint8_t nextCorner(uint8_t corner)
{
    const int next = corner + 2;
    return static_cast<uint8_t>(next > 8 ? FirstCorner : next);
}

BoardPoint cornerPoint(uint8_t corner, const DiagramRect& w)
{
    const bool left = corner == 2 || corner == 8;
    const bool top = corner == 2 || corner == 4;
    return {left ? w.Left : w.Right, top ? w.Top : w.Bottom};
}

void resetPointedCorners()
{
    const DiagramRect w = Reco.DiagramWindow;
    // All four are looked up before any is changed, so a window outside the
    // board stops the pointing with the grid untouched.
    BC* corners[4] = {&Reco.GridPoints[w.Left][w.Top], &Reco.GridPoints[w.Left][w.Bottom],
                      &Reco.GridPoints[w.Right][w.Top], &Reco.GridPoints[w.Right][w.Bottom]};
    for (BC* point : corners) {
        point->Coord.X = 0;
        point->Coord.Y = 0;
    }
    for (const BoardPoint p : {BoardPoint{1, 1}, BoardPoint{1, 19}, BoardPoint{19, 1}, BoardPoint{19, 19}})
        Reco.GridPoints[p.Column][p.Row].Est = 80;
}

void storePointedCorner(uint8_t corner, IntPoint page)
{
    const BoardPoint p = cornerPoint(corner, Reco.DiagramWindow);
    BC& point = Reco.GridPoints[p.Column][p.Row];
    Reco.CurPointX = p.Column;
    Reco.CurPointY = p.Row;
    point.Coord = page;
}

bool enoughCornersPointed()
{
    const DiagramRect w = Reco.DiagramWindow;
    const auto& g = Reco.GridPoints;
    const IntPoint lt = g[w.Left][w.Top].Coord, lb = g[w.Left][w.Bottom].Coord;
    const IntPoint rt = g[w.Right][w.Top].Coord, rb = g[w.Right][w.Bottom].Coord;
    // Sums, as the edges are tested: a corner pointed at 0 counts as unset.
    return int64_t{lt.X} + lb.X != 0 && int64_t{rt.X} + rb.X != 0 && int64_t{lt.Y} + rt.Y != 0 &&
           int64_t{lb.Y} + rb.Y != 0;
}

std::string cornerTitle(uint8_t corner) { return CornerNames[corner] + " Corner"; }

std::string cornerLine(uint8_t corner, IntPoint page)
{
    return CornerNames[corner] + " Corner " + "X=" + std::to_string(page.X) + " Y=" + std::to_string(page.Y);
}

std::string cornerLineReset(uint8_t corner) { return CornerNames[corner] + " Corner " + "X=0   Y=0"; }

} // namespace quon
