#include "editor/DgrRender.h"

#include "editor/Cp1251.h"

#include <algorithm>
#include <functional>

namespace quon {

namespace {

// The text a cell shows, in both forms, and the font record it takes (1..3);
// record 0 when the cell shows no text.
struct CellText {
    GdiText text;
    int record = 0;
};

CellText cellText(const DgrCell& cell)
{
    CellText t;
    switch (cellShows(cell)) {
    case DgrCellShows::Number:
        t.text.utf8 = t.text.ansi = std::to_string(cell.Number);
        t.record = static_cast<int>(t.text.ansi.size());
        break;
    case DgrCellShows::Label:
        t.text.ansi = std::string(1, static_cast<char>(cell.Mark));
        t.text.utf8 = cp1251ToUtf8(t.text.ansi);
        t.record = 1;
        break;
    default:
        break;
    }
    return t;
}

// Text colours by the stone under it: an empty point blanks the lines under
// the text with an opaque white box.
void drawText(tDgrData& doc, GdiCanvas& canvas, const GdiText& text)
{
    const DgrCellRect& r = doc.CellRect;
    switch (doc.Cell.Stone) {
    case StoneBlack:
        canvas.setTextColour(GdiWhite);
        canvas.setBackground(GdiWhite, false);
        break;
    case StoneWhite:
        canvas.setTextColour(GdiBlack);
        canvas.setBackground(GdiWhite, false);
        break;
    default:
        canvas.setTextColour(GdiBlack);
        canvas.setBackground(GdiWhite, true);
        break;
    }
    const GdiSize ext = canvas.textExtent(text.utf8);
    const int32_t x = r.Left + std::max(0, (r.Right - r.Left) - ext.cx) / 2;
    const int32_t y = r.Top + std::max(0, (r.Bottom - r.Top) - ext.cy) / 2;
    canvas.textOut(x, y, text);
}

void stoneEllipse(tDgrData& doc, GdiCanvas& canvas, int32_t rad)
{
    const DgrCellRect& r = doc.CellRect;
    canvas.ellipse(r.Left + rad, r.Top + rad, r.Right - rad, r.Bottom - rad);
}

// Every cell of the block, row by row, with its working fields set.
void forEachCell(tDgrData& doc, const std::function<void()>& draw)
{
    const DgrBlock b = doc.Block;
    for (int32_t y = b.Y1; y <= b.Y2; ++y)
        for (int32_t x = b.X1; x <= b.X2; ++x) {
            CellPictureRect(doc, x - b.X1, y - b.Y1);
            doc.Cell = doc.Grid.GetCell(x, y);
            draw();
        }
}

} // namespace

DgrPictureGeometry pictureGeometry(const DgrPictureBlock& picture)
{
    DgrPictureGeometry g;
    g.StepX = std::clamp(picture.StepX(), 1, DgrPictureMaxStep);
    g.StepY = std::clamp(picture.StepY(), 1, DgrPictureMaxStep);
    const int32_t half = std::min(g.StepX, g.StepY) / 2;
    g.Line = std::clamp(picture.Line(), 0, half);
    g.Border = std::clamp(picture.Border(), 0, half);
    g.Rad = std::clamp(picture.Rad(), 0, half);
    return g;
}

DgrPictureSize PictureSize(const tDgrData& doc)
{
    if (doc.isEmpty())
        return {};
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    return {std::max<int64_t>(0, doc.Block.columns()) * g.StepX, std::max<int64_t>(0, doc.Block.rows()) * g.StepY};
}

std::string pictureSizeError(const DgrPictureSize& size, DgrPictureKind kind)
{
    const int64_t limit = kind == DgrPictureKind::Bitmap ? DgrBitmapMaxSide
                          : kind == DgrPictureKind::Wmf  ? DgrWmfMaxSide
                                                         : INT32_MAX / 32;
    if (size.Width <= limit && size.Height <= limit)
        return {};
    return "Рисунок " + std::to_string(size.Width) + " x " + std::to_string(size.Height) +
           " точек слишком велик: сторона рисунка" + (kind == DgrPictureKind::Wmf ? " в WMF-файле" : "") +
           " не больше " + std::to_string(limit) + " точек. Уменьшите блок или размер клетки.";
}

GdiFont pictureFont(const LogFontA& rec, bool cyrillic)
{
    GdiFont f;
    f.Height = rec.Height;
    f.Width = rec.Width;
    f.Weight = rec.Weight;
    f.Italic = rec.Italic != 0;
    f.Underline = rec.Underline != 0;
    f.StrikeOut = rec.StrikeOut != 0;
    f.CharSet = cyrillic ? 204 : rec.CharSet;
    f.OutPrecision = rec.OutPrecision;
    f.ClipPrecision = rec.ClipPrecision;
    f.Quality = rec.Quality;
    f.PitchAndFamily = rec.PitchAndFamily;
    f.FaceNameAnsi = rec.faceNameBytes().substr(0, LogFontA::FaceNameBytes - 1);
    f.FaceName = cp1251ToUtf8(f.FaceNameAnsi);
    return f;
}

void CellPictureRect(tDgrData& doc, int32_t column, int32_t row)
{
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    DgrCellRect& r = doc.CellRect;
    r.Left = column * g.StepX;
    r.Right = r.Left + g.StepX - 1;
    r.Top = row * g.StepY;
    r.Bottom = r.Top + g.StepY - 1;
    r.CenterX = (r.Left + r.Right) / 2;
    r.CenterY = (r.Top + r.Bottom) / 2;
}

void DrawElement(tDgrData& doc, GdiCanvas& canvas)
{
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    const DgrCellRect& r = doc.CellRect;
    const int32_t L = r.Left, R = r.Right, T = r.Top, B = r.Bottom, cx = r.CenterX, cy = r.CenterY;
    // Moves the thick edge outward by half the difference of the pen widths.
    const int32_t d = g.Border / 2 - g.Line / 2;
    canvas.setInvertingPen(false);
    auto path = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        canvas.moveTo(x0, y0);
        canvas.lineTo(x1, y1);
        canvas.lineTo(x2, y2);
    };
    auto line = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        canvas.moveTo(x0, y0);
        canvas.lineTo(x1, y1);
    };
    auto border = [&] { canvas.setPen(g.Border, GdiBlack); };
    auto thin = [&] { canvas.setPen(g.Line, GdiBlack); };
    switch (doc.Cell.Element) {
    case ElemTopLeft:
        border(), path(cx - d, B, cx - d, cy - d, R + 1, cy - d);
        break;
    case ElemTopRight:
        border(), path(cx + d, B, cx + d, cy - d, L - 1, cy - d);
        break;
    case ElemBottomLeft:
        border(), path(cx - d, T, cx - d, cy + d, R + 1, cy + d);
        break;
    case ElemBottomRight:
        border(), path(cx + d, T, cx + d, cy + d, L - 1, cy + d);
        break;
    case ElemTop:
        border(), line(L, cy - d, R + 1, cy - d);
        thin(), line(cx, cy, cx, B + 1);
        break;
    case ElemBottom:
        border(), line(L, cy + d, R + 1, cy + d);
        thin(), line(cx, cy, cx, T - 1);
        break;
    case ElemLeft:
        border(), line(cx - d, T, cx - d, B + 1);
        thin(), line(cx, cy, R + 1, cy);
        break;
    case ElemRight:
        border(), line(cx + d, T, cx + d, B + 1);
        thin(), line(cx, cy, L - 1, cy);
        break;
    case ElemCross:
    case ElemStar:
        thin(), line(cx, T, cx, B + 1), line(L, cy, R + 1, cy);
        if (doc.Cell.Element == ElemStar) {
            const int32_t s = 2 * g.Line;
            canvas.setBrush(GdiBlack);
            canvas.ellipse(cx - s, cy - s, cx + s + 1, cy + s + 1);
        }
        break;
    default:
        break;
    }
}

void DrawStone(tDgrData& doc, GdiCanvas& canvas)
{
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    canvas.setInvertingPen(false);
    if (doc.Cell.Stone == StoneBlack) {
        canvas.setPen(1, GdiBlack);
        canvas.setBrush(GdiBlack);
        stoneEllipse(doc, canvas, g.Rad);
    } else if (doc.Cell.Stone == StoneWhite) {
        canvas.setPen(g.Line, GdiBlack);
        canvas.setBrush(GdiWhite);
        stoneEllipse(doc, canvas, g.Rad);
    }
}

void DrawMark(tDgrData& doc, GdiCanvas& canvas, bool metafile)
{
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    const DgrCellRect& r = doc.CellRect;
    const int32_t cx = r.CenterX, cy = r.CenterY;
    const int32_t fullA = (r.Right - r.Left) / 3, fullB = (r.Bottom - r.Top) / 3;
    // Cells under 4 pixels would give the metafile negative sizes.
    const int32_t a = std::max(0, fullA - (metafile ? 1 : 0)), b = std::max(0, fullB - (metafile ? 1 : 0));
    const bool onBlack = doc.Cell.Stone == StoneBlack;
    const GdiColour contrast = onBlack ? GdiWhite : GdiBlack;
    canvas.setPen(g.Line, contrast);
    canvas.setBrush(onBlack ? GdiWhite : GdiBlack);
    const uint8_t mark = doc.Cell.Mark;
    if (mark == MarkArrow) {
        canvas.setInvertingPen(false);
        const int32_t h = a / 2;
        canvas.polygon(
            {{cx - a, cy - h}, {cx, cy - h}, {cx, cy - b}, {cx + a, cy}, {cx, cy + b}, {cx, cy + h}, {cx - a, cy + h}});
        return;
    }
    canvas.setNullBrush();
    canvas.setInvertingPen(true);
    switch (mark) {
    case MarkSquare:
        canvas.polygon({{cx - a, cy - b}, {cx + a, cy - b}, {cx + a, cy + b}, {cx - a, cy + b}});
        break;
    case MarkTriangle: {
        const int32_t wide = metafile ? 1 : 0;
        canvas.polygon({{cx, cy - b - 1}, {cx + a + wide, cy + b - 1}, {cx - a - wide, cy + b - 1}});
        break;
    }
    case MarkCross:
        canvas.moveTo(cx - a, cy - b);
        canvas.lineTo(cx + a, cy + b);
        canvas.moveTo(cx + a, cy - b);
        canvas.lineTo(cx - a, cy + b);
        break;
    case MarkCircle:
        canvas.ellipse(cx - fullA, cy - fullB, cx + fullA + 1, cy + fullB + 1);
        break;
    default:
        break;
    }
    canvas.setInvertingPen(false);
}

void DrawNumber(tDgrData& doc, GdiCanvas& canvas)
{
    if (cellShows(doc.Cell) == DgrCellShows::MarkShape) {
        DrawMark(doc, canvas, false);
        return;
    }
    const CellText t = cellText(doc.Cell);
    if (t.record == 0)
        return;
    canvas.setFont(pictureFont(doc.Picture.Font(t.record)));
    drawText(doc, canvas, t.text);
}

void RenderBitmap(tDgrData& doc, GdiCanvas& canvas)
{
    forEachCell(doc, [&] {
        DrawElement(doc, canvas);
        DrawStone(doc, canvas);
        DrawNumber(doc, canvas);
    });
}

void RenderMetafile(tDgrData& doc, GdiCanvas& canvas)
{
    const DgrPictureGeometry g = pictureGeometry(doc.Picture);
    forEachCell(doc, [&] { DrawElement(doc, canvas); });

    canvas.setInvertingPen(false);
    canvas.setBrush(GdiBlack);
    canvas.setPen(1, GdiBlack);
    forEachCell(doc, [&] {
        if (doc.Cell.Stone == StoneBlack)
            stoneEllipse(doc, canvas, g.Rad);
    });
    canvas.setBrush(GdiWhite);
    canvas.setPen(g.Line, GdiBlack);
    forEachCell(doc, [&] {
        if (doc.Cell.Stone == StoneWhite)
            stoneEllipse(doc, canvas, g.Rad);
    });

    forEachCell(doc, [&] {
        if (cellShows(doc.Cell) == DgrCellShows::MarkShape)
            DrawMark(doc, canvas, true);
    });

    for (int record = 1; record <= 3; ++record) {
        // Whether the pass holds a label of the code page's upper half, which
        // an 8-bit text record can only carry in a Cyrillic font.
        bool upper = false;
        bool any = false;
        forEachCell(doc, [&] {
            const CellText t = cellText(doc.Cell);
            if (t.record != record)
                return;
            any = true;
            upper = upper || static_cast<unsigned char>(t.text.ansi[0]) >= 0x80;
        });
        if (!any)
            continue;
        canvas.setFont(pictureFont(doc.Picture.Font(record), upper && canvas.storesAnsiText()));
        forEachCell(doc, [&] {
            const CellText t = cellText(doc.Cell);
            if (t.record == record)
                drawText(doc, canvas, t.text);
        });
    }
}

} // namespace quon
