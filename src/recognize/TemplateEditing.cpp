#include "recognize/TemplateEditing.h"

#include "recognize/DigitMatching.h"

#include <cstdlib>

namespace quon {

TBezFigure* currentFigure(TBezPacket& set)
{
    if (set.CurFig < 1 || set.CurFig > set.NFigs)
        return nullptr;
    return &set.Figures[set.CurFig];
}

TCurves* currentCurve(TBezPacket& set)
{
    TBezFigure* f = currentFigure(set);
    if (!f || f->CurCurve < 1 || f->CurCurve > f->NCurves)
        return nullptr;
    return &f->Curves[f->CurCurve];
}

bool hasCurrentArc(TBezPacket& set)
{
    const TCurves* c = currentCurve(set);
    return c && c->CurArc >= 1 && c->CurArc <= c->NArcs;
}

int handleAt(TBezPacket& set, IntPoint p)
{
    if (!hasCurrentArc(set))
        return NoHandle;
    for (int i = 0; i <= 3; ++i)
        if (std::abs(p.X - DragHandles[i].X) <= 5 && std::abs(p.Y - DragHandles[i].Y) <= 5)
            return i;
    return NoHandle;
}

bool moveArcPoint(TBezPacket& set, int handle, IntPoint p)
{
    if (handle < 0 || handle > 3 || !hasCurrentArc(set))
        return false;
    TCurves& c = *currentCurve(set);
    c.ArcPoints[3 * (c.CurArc - 1) + handle] = p;
    DragHandles[handle] = p;
    return true;
}

bool addArc(TBezPacket& set, const ArcPercent& arc)
{
    TBezFigure* f = currentFigure(set);
    if (!f)
        return false;
    if (TCurves* c = currentCurve(set))
        return c->AddArc(arc);
    return f->NewCurve(arc);
}

void renameFigure(TBezFigure& figure, const std::string& name)
{
    figure.Name = name;
    if (!name.empty())
        figure.Digit = static_cast<unsigned char>(name[0]) - 48;
}

std::vector<uint16_t> previewRaster(const TBezFigure& figure, int32_t w, int32_t h, int32_t thickness)
{
    if (w < 1 || h < 1)
        return {};
    std::vector<uint16_t> cells(static_cast<size_t>(w) * static_cast<size_t>(h));
    renderFigure(figure, w, h, cells.data(), thickness);
    return cells;
}

} // namespace quon
