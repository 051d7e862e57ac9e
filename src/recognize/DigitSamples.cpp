#include "recognize/DigitSamples.h"

#include <algorithm>
#include <cmath>

namespace quon {

std::string DigitBitmap::toText() const
{
    std::string s;
    for (int32_t y = 0; y < Height; ++y) {
        for (int32_t x = 0; x < Width; ++x)
            s += at(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

DigitBitmap drawFigure(const TBezFigure& figure, int32_t w, int32_t h, double strokePx)
{
    const double r = strokePx / 2.0;
    const int32_t pad = static_cast<int32_t>(std::ceil(r)) + 1;
    DigitBitmap img(w + 2 * pad, h + 2 * pad);
    // Glyph box percent p maps onto the pixel box [pad, pad + w].
    auto mapX = [&](int32_t px) { return pad + (px - EditorOrigin.X) / (5.0 * EditorScale) * w; };
    auto mapY = [&](int32_t py) { return pad + (py - EditorOrigin.Y) / (10.0 * EditorScale) * h; };
    for (int32_t c = 1; c <= figure.NCurves; ++c) {
        const TCurves& curve = figure.Curves[c];
        for (int32_t a = 1; a <= curve.NArcs; ++a) {
            double X[4], Y[4];
            for (int i = 0; i < 4; ++i) {
                X[i] = mapX(curve.ArcPoints[3 * (a - 1) + i].X);
                Y[i] = mapY(curve.ArcPoints[3 * (a - 1) + i].Y);
            }
            for (int k = 0; k <= 400; ++k) {
                const double t = k / 400.0;
                const double s = 1.0 - t;
                const double bx = s * s * s * X[0] + 3 * t * s * s * X[1] + 3 * t * t * s * X[2] + t * t * t * X[3];
                const double by = s * s * s * Y[0] + 3 * t * s * s * Y[1] + 3 * t * t * s * Y[2] + t * t * t * Y[3];
                for (auto y = static_cast<int32_t>(std::floor(by - r - 1)); y <= static_cast<int32_t>(std::ceil(by + r)); ++y)
                    for (auto x = static_cast<int32_t>(std::floor(bx - r - 1)); x <= static_cast<int32_t>(std::ceil(bx + r)); ++x) {
                        const double dx = x + 0.5 - bx;
                        const double dy = y + 0.5 - by;
                        if (dx * dx + dy * dy <= r * r)
                            img.set(x, y);
                    }
            }
        }
    }
    return img;
}

void labelDigit(const DigitBitmap& image, LabelledDigit& out, int32_t margin)
{
    DigitLabelTable& L = *out.Labels;
    for (auto& column : L)
        column.fill(0);
    out.Paper.fill(ComponentBox{});
    out.HasInk = false;
    const int32_t W = image.Width + 2 * margin;
    const int32_t H = image.Height + 2 * margin;
    if (W > DigitWindowSide || H > DigitWindowSide)
        return;
    auto ink = [&](int32_t x, int32_t y) { return image.at(x - 1 - margin, y - 1 - margin) != 0; };
    int32_t minX = W + 1, maxX = 0, minY = H + 1, maxY = 0;
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            if (ink(x, y)) {
                L[x][y] = 201;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    if (maxX == 0)
        return;
    // Paper components, 4-connected, numbered in raster order.
    int32_t next = 0;
    std::vector<std::pair<int32_t, int32_t>> stack;
    for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x) {
            if (ink(x, y) || L[x][y] != 0 || next >= PaperComponentTable::High)
                continue;
            ++next;
            ComponentBox box{x, x, y, y, 0};
            stack.assign(1, {x, y});
            L[x][y] = 100 + next;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                ++box.Count;
                box.MinX = std::min(box.MinX, px);
                box.MaxX = std::max(box.MaxX, px);
                box.MinY = std::min(box.MinY, py);
                box.MaxY = std::max(box.MaxY, py);
                static constexpr int32_t D[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
                for (const auto& d : D) {
                    const int32_t nx = px + d[0], ny = py + d[1];
                    if (nx < 1 || ny < 1 || nx > W || ny > H || ink(nx, ny) || L[nx][ny] != 0)
                        continue;
                    L[nx][ny] = 100 + next;
                    stack.push_back({nx, ny});
                }
            }
            out.Paper[next] = box;
        }
    out.Size = {maxX - minX, maxY - minY};
    out.Origin = {minX, minY};
    out.HasInk = true;
}

int32_t readDigitImage(const DigitBitmap& image, int8_t& score)
{
    LabelledDigit d;
    labelDigit(image, d);
    score = 100;
    if (!d.HasInk)
        return -1;
    DigitMatcher matcher(*d.Labels, d.Paper);
    return matcher.RecoDigitGroups(d.Size, d.Origin, score);
}

const std::vector<IntSize>& readBackSizes()
{
    static const std::vector<IntSize> sizes{{10, 16}, {12, 20}, {15, 24}, {18, 29}, {21, 34}, {25, 40}, {30, 48}};
    return sizes;
}

double readBackStroke(int32_t glyphHeight) { return std::max(2.0, glyphHeight * 0.16); }

int32_t readBackFigure(int32_t f, std::vector<int32_t>* read)
{
    const TBezFigure& fig = DigitPacket.Figures[f];
    const StoneSize saved = Reco.StoneSizes[1];
    int32_t good = 0;
    if (read)
        read->clear();
    for (const IntSize& s : readBackSizes()) {
        // A stone is about twice as tall as the numeral printed on it.
        Reco.StoneSizes[1] = {s.Height * 200, s.Height * 200};
        int8_t score = 0;
        const int32_t d = readDigitImage(drawFigure(fig, s.Width, s.Height, readBackStroke(s.Height)), score);
        if (read)
            read->push_back(d);
        if (d == fig.Digit)
            ++good;
    }
    Reco.StoneSizes[1] = saved;
    return good;
}

} // namespace quon
