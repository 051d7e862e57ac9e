#include "editor/GoGridDrawing.h"

#include "editor/Cp1251.h"
#include "editor/DgrRender.h"

#include <algorithm>

namespace quon {

std::array<GdiFont, 3> screenFonts(const DgrDisplayBlock& display)
{
    return {pictureFont(display.Font(1)), pictureFont(display.Font(2)), pictureFont(display.Font(3))};
}

namespace {

void drawElement(GdiCanvas& c, uint8_t element, const ScreenCellRect& r)
{
    const int32_t L = r.L, T = r.T, R = r.R, B = r.B;
    const int32_t cx = (L + R) / 2, cy = (T + B) / 2;
    auto line = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        c.moveTo(x0, y0);
        c.lineTo(x1, y1);
    };
    auto path = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        c.moveTo(x0, y0);
        c.lineTo(x1, y1);
        c.lineTo(x2, y2);
    };
    // The board's edge: three lines, the outermost k = 2 pixels out.
    for (int32_t k = 2; k >= 0; --k) {
        switch (element) {
        case ElemTopLeft:
            path(cx - k, B, cx - k, cy - k, R + 1, cy - k);
            break;
        case ElemTopRight:
            path(cx + k, B, cx + k, cy - k, L - 1, cy - k);
            break;
        case ElemBottomLeft:
            path(cx - k, T, cx - k, cy + k, R + 1, cy + k);
            break;
        case ElemBottomRight:
            path(cx + k, T, cx + k, cy + k, L - 1, cy + k);
            break;
        case ElemTop:
            line(L, cy - k, R + 1, cy - k);
            break;
        case ElemBottom:
            line(L, cy + k, R + 1, cy + k);
            break;
        case ElemLeft:
            line(cx - k, T, cx - k, B + 1);
            break;
        case ElemRight:
            line(cx + k, T, cx + k, B + 1);
            break;
        default:
            break;
        }
    }
    switch (element) {
    case ElemTop:
        line(cx, cy, cx, B);
        break;
    case ElemBottom:
        line(cx, cy, cx, T - 1);
        break;
    case ElemLeft:
        line(cx, cy, R + 1, cy);
        break;
    case ElemRight:
        line(cx, cy, L - 1, cy);
        break;
    case ElemCross:
    case ElemStar:
        line(cx, T, cx, B + 1);
        line(L, cy, R + 1, cy);
        if (element == ElemStar) {
            c.setBrush(GdiBlack);
            c.ellipse(cx - 2, cy - 2, cx + 3, cy + 3);
        }
        break;
    default:
        break;
    }
}

void drawMark(GdiCanvas& c, const DgrCell& cell, const ScreenCellRect& r)
{
    const int32_t cx = (r.L + r.R) / 2, cy = (r.T + r.B) / 2;
    const int32_t a = (r.R - r.L) / 4, b = (r.B - r.T) / 4;
    const bool onBlack = cell.Stone == StoneBlack;
    // The pen contrasts with the stone, should the inversion ever be lost.
    c.setPen(1, onBlack ? GdiWhite : GdiBlack);
    c.setBrush(onBlack ? GdiWhite : GdiBlack);
    if (cell.Mark == MarkArrow) {
        c.setInvertingPen(false);
        c.polygon(
            {{cx - a, cy - 2}, {cx, cy - 2}, {cx, cy - b}, {cx + a, cy}, {cx, cy + b}, {cx, cy + 2}, {cx - a, cy + 2}});
        return;
    }
    c.setNullBrush();
    c.setInvertingPen(true);
    switch (cell.Mark) {
    case MarkSquare:
        c.polygon({{cx - a, cy - b}, {cx + a, cy - b}, {cx + a, cy + b}, {cx - a, cy + b}});
        break;
    case MarkTriangle:
        c.polygon({{cx, cy - b - 1}, {cx + a, cy + b - 1}, {cx - a, cy + b - 1}});
        break;
    case MarkCross:
        c.moveTo(cx - a, cy - b);
        c.lineTo(cx + a, cy + b);
        c.moveTo(cx + a, cy - b);
        c.lineTo(cx - a, cy + b);
        break;
    case MarkCircle: {
        const int32_t e = (4 * a) / 3 - 1, f = (4 * b) / 3 - 1;
        c.ellipse(cx - e, cy - f, cx + e, cy + f);
        break;
    }
    default:
        break;
    }
    c.setInvertingPen(false);
}

void drawText(GdiCanvas& c, const DgrCell& cell, const ScreenCellRect& r, GdiColour background,
              const std::array<GdiFont, 3>& fonts)
{
    GdiText text;
    if (cellShows(cell) == DgrCellShows::Number) {
        text.ansi = std::to_string(cell.Number);
    } else {
        text.ansi = std::string(1, static_cast<char>(cell.Mark));
    }
    text.utf8 = cp1251ToUtf8(text.ansi);
    c.setFont(fonts[text.ansi.size() - 1]);
    GdiColour colour = cell.Stone == StoneBlack ? GdiWhite : GdiBlack;
    c.setBackground(background, cell.Stone == StoneNone);
    if (cell.Test == TestTwice)
        colour = ScreenTestTwiceColour;
    else if (cell.Test == TestGap)
        colour = ScreenTestGapColour;
    c.setTextColour(colour);
    const GdiSize ext = c.textExtent(text.utf8);
    const int32_t x = r.L + std::max(0, (r.R - r.L) - ext.cx) / 2;
    const int32_t y = r.T + std::max(0, (r.B - r.T) - ext.cy) / 2;
    c.textOut(x, y, text);
}

} // namespace

void DrawScreenCell(GdiCanvas& canvas, const DgrCell& cell, const ScreenCellRect& r, GdiColour background,
                    const std::array<GdiFont, 3>& fonts)
{
    canvas.setInvertingPen(false);
    canvas.setPen(1, GdiBlack);
    drawElement(canvas, cell.Element, r);
    if (cell.Stone == StoneBlack || cell.Stone == StoneWhite) {
        canvas.setPen(1, GdiBlack);
        canvas.setBrush(cell.Stone == StoneBlack ? GdiBlack : GdiWhite);
        canvas.ellipse(r.L + 1, r.T + 1, r.R - 1, r.B - 1);
    }
    switch (cellShows(cell)) {
    case DgrCellShows::MarkShape:
        drawMark(canvas, cell, r);
        break;
    case DgrCellShows::Number:
    case DgrCellShows::Label:
        drawText(canvas, cell, r, background, fonts);
        break;
    case DgrCellShows::Nothing:
        break;
    }
    canvas.setPen(1, GdiBlack);
}

} // namespace quon
