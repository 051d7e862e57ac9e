#include "platform/ui/RasterCanvas.h"

#include "platform/ui/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <map>
#include <tuple>

namespace quon {

namespace {

QColor toQColor(GdiColour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

using FontKey = std::tuple<int32_t, int32_t, int32_t, bool, bool, bool, std::string>;

} // namespace

QFont fontFromGdi(const GdiFont& rec)
{
    static std::map<FontKey, QFont> cache;
    const FontKey key{rec.Height, rec.Width, rec.Weight, rec.Italic, rec.Underline, rec.StrikeOut, rec.FaceName};
    if (auto it = cache.find(key); it != cache.end())
        return it->second;

    const QString family = canvas::substituteFontName(QString::fromStdString(rec.FaceName));
    QFont font(family);
    if (family.contains("Mono", Qt::CaseInsensitive))
        font.setStyleHint(QFont::TypeWriter);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(rec.Weight == 0 ? 400 : rec.Weight, 1, 1000)));
    font.setItalic(rec.Italic);
    font.setUnderline(rec.Underline);
    font.setStrikeOut(rec.StrikeOut);
    // A positive height is the whole character cell: the largest characters
    // whose cell fits it. Zero asks for the platform's default size.
    const int32_t cell = rec.Height == 0 ? 16 : rec.Height;
    if (cell < 0) {
        font.setPixelSize(std::clamp(-cell, 1, 2000));
    } else {
        const int32_t want = std::min(cell, 2000);
        int best = 1;
        for (int px = 1; px <= want; ++px) {
            font.setPixelSize(px);
            if (QFontMetrics(font).height() > want)
                break;
            best = px;
        }
        font.setPixelSize(best);
    }
    if (rec.Width > 0) {
        const int avg = QFontMetrics(font).averageCharWidth();
        if (avg > 0)
            font.setStretch(std::clamp(static_cast<int>(100LL * rec.Width / avg), 1, 4000));
    }
    cache.emplace(key, font);
    return font;
}

GdiSize QtTextMetrics::extent(const GdiFont& font, const std::string& utf8)
{
    const QFontMetrics m(fontFromGdi(font));
    return {m.horizontalAdvance(QString::fromStdString(utf8)), m.height()};
}

std::vector<int32_t> QtTextMetrics::advances(const GdiFont& font, const std::string& utf8)
{
    // Differences of the prefixes' widths, so the advances add up to the
    // text's width whatever the font does between characters.
    const QFontMetrics m(fontFromGdi(font));
    const QString s = QString::fromStdString(utf8);
    std::vector<int32_t> out;
    int before = 0;
    for (qsizetype i = 1; i <= s.size(); ++i) {
        const int upTo = m.horizontalAdvance(s.left(i));
        out.push_back(upTo - before);
        before = upTo;
    }
    return out;
}

RasterCanvas::RasterCanvas(QImage& image) : image_(image) { font_ = fontFromGdi(GdiFont{}); }

void RasterCanvas::setPen(int32_t width, GdiColour colour)
{
    penWidth_ = std::max(1, width);
    penColour_ = colour;
    continuesLine_ = false;
}

void RasterCanvas::setBrush(GdiColour colour)
{
    brushNull_ = false;
    brushColour_ = colour;
}

void RasterCanvas::setNullBrush() { brushNull_ = true; }
void RasterCanvas::setInvertingPen(bool inverting) { inverting_ = inverting; }

void RasterCanvas::stroke(QRect box, const std::function<void(QPainter&)>& paint)
{
    box &= image_.rect();
    if (box.isEmpty())
        return;
    QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.translate(-box.topLeft());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        paint(p);
    }
    const QRgb pen = toQColor(penColour_).rgb();
    for (int y = 0; y < box.height(); ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(image_.scanLine(box.top() + y)) + box.left();
        for (int x = 0; x < box.width(); ++x)
            if (qAlpha(m[x]) >= 128)
                d[x] = inverting_ ? (~d[x] | 0xFF000000u) : pen;
    }
}

void RasterCanvas::segment(QPainter& mask, GdiPoint a, GdiPoint b, bool joint) const
{
    const int32_t w = penWidth_;
    if (w <= 1) {
        mask.setPen(canvas::winPen(Qt::black, 1));
        canvas::lineTo(mask, a.x, a.y, b.x, b.y);
        mask.setPen(Qt::NoPen);
        return;
    }
    const int32_t lo = w / 2;
    if (joint)
        mask.fillRect(QRect(a.x - lo, a.y - lo, w, w), Qt::black);
    if (a.y == b.y && a.x != b.x) {
        const int32_t x0 = a.x < b.x ? a.x : b.x + 1, x1 = a.x < b.x ? b.x - 1 : a.x;
        mask.fillRect(QRect(x0, a.y - lo, x1 - x0 + 1, w), Qt::black);
    } else if (a.x == b.x && a.y != b.y) {
        const int32_t y0 = a.y < b.y ? a.y : b.y + 1, y1 = a.y < b.y ? b.y - 1 : a.y;
        mask.fillRect(QRect(a.x - lo, y0, w, y1 - y0 + 1), Qt::black);
    } else if (a.x != b.x) {
        QPen pen(Qt::black, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        mask.setPen(pen);
        mask.drawLine(a.x, a.y, b.x, b.y);
        mask.setPen(Qt::NoPen);
    }
}

void RasterCanvas::moveTo(int32_t x, int32_t y)
{
    pos_ = {x, y};
    continuesLine_ = false;
}

void RasterCanvas::lineTo(int32_t x, int32_t y)
{
    const GdiPoint a = pos_, b{x, y};
    const bool joint = continuesLine_;
    const int32_t m = margin();
    const QRect box(QPoint(std::min(a.x, b.x) - m, std::min(a.y, b.y) - m),
                    QPoint(std::max(a.x, b.x) + m, std::max(a.y, b.y) + m));
    stroke(box, [&](QPainter& p) { segment(p, a, b, joint); });
    pos_ = b;
    continuesLine_ = true;
}

void RasterCanvas::ellipse(int32_t l, int32_t t, int32_t r, int32_t b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (r - l < 1 || b - t < 1)
        return;
    if (!brushNull_) {
        QPainter p(&image_);
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(brushColour_));
        canvas::ellipse(p, l, t, r, b);
    }
    const int32_t m = margin();
    stroke(QRect(QPoint(l - m, t - m), QPoint(r + m, b + m)), [&](QPainter& p) {
        if (penWidth_ <= 1) {
            p.setPen(canvas::winPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            canvas::ellipse(p, l, t, r, b);
        } else {
            p.setPen(QPen(Qt::black, penWidth_));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
        }
    });
}

void RasterCanvas::polygon(const std::vector<GdiPoint>& points)
{
    if (points.size() < 2)
        return;
    QPolygon poly;
    for (const GdiPoint& pt : points)
        poly << QPoint(pt.x, pt.y);
    if (!brushNull_) {
        QPainter p(&image_);
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(brushColour_));
        p.drawPolygon(poly);
    }
    const int32_t m = margin();
    stroke(poly.boundingRect().adjusted(-m, -m, m, m), [&](QPainter& p) {
        for (size_t i = 0; i < points.size(); ++i)
            segment(p, points[i], points[(i + 1) % points.size()], true);
    });
    continuesLine_ = false;
}

void RasterCanvas::setFont(const GdiFont& font) { font_ = fontFromGdi(font); }

GdiSize RasterCanvas::textExtent(const std::string& utf8)
{
    const QFontMetrics m(font_);
    return {m.horizontalAdvance(QString::fromStdString(utf8)), m.height()};
}

void RasterCanvas::setTextColour(GdiColour colour) { textColour_ = colour; }

void RasterCanvas::setBackground(GdiColour colour, bool opaque)
{
    bkColour_ = colour;
    opaque_ = opaque;
}

void RasterCanvas::textOut(int32_t x, int32_t y, const GdiText& text)
{
    const QString s = QString::fromStdString(text.utf8);
    QPainter p(&image_);
    p.setFont(font_);
    const QFontMetrics m(font_);
    if (opaque_)
        p.fillRect(QRect(x, y, m.horizontalAdvance(s), m.height()), toQColor(bkColour_));
    p.setPen(toQColor(textColour_));
    p.drawText(x, y + m.ascent(), s);
}

} // namespace quon
