#include "platform/ui/Canvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quon::canvas {

QRect winRect(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); }

QPen winPen(const QColor& colour, int width)
{
    QPen pen(colour);
    if (width <= 1) {
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

namespace {
bool thinPen(const QPainter& p) { return p.pen().style() != Qt::NoPen && p.pen().width() <= 1; }
} // namespace

void lineTo(QPainter& p, int x1, int y1, int x2, int y2)
{
    if (p.pen().style() == Qt::NoPen)
        return;
    if (!thinPen(p)) {
        p.drawLine(x1, y1, x2, y2);
        return;
    }
    // One-pixel lines are rasterised here (Bresenham) so that the end point
    // is left out whatever the direction; the painter's own rule for flat
    // ends drops the first point of some lines instead.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    QPolygon pts;
    int err = dx + dy, x = x1, y = y1;
    while (x != x2 || y != y2) {
        pts << QPoint(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (pts.isEmpty())
        return;
    QPen pen = p.pen();
    pen.setCapStyle(Qt::SquareCap); // a point with flat ends may not be drawn
    p.setPen(pen);
    p.drawPoints(pts);
}

void ellipse(QPainter& p, int l, int t, int r, int b)
{
    if (r - l < 1 || b - t < 1)
        return;
    if (p.pen().style() != Qt::NoPen && !thinPen(p)) {
        p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
        return;
    }
    // Small discs are rasterised here: the painter's curve approximation turns
    // a disc of a few pixels into a diamond. A pixel belongs to the disc when
    // its centre lies inside the ellipse inscribed in the box; the one-pixel
    // outline is the disc's pixels that have a neighbour outside it.
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    const int rows = b - t;
    std::vector<std::pair<int, int>> span(static_cast<size_t>(rows), {1, 0}); // first, last; empty when first > last
    for (int y = t; y < b; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1.0)
            continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        const int first = std::max(l, static_cast<int>(std::ceil(cx - half - 0.5)));
        const int last = std::min(r - 1, static_cast<int>(std::floor(cx + half - 0.5)));
        span[static_cast<size_t>(y - t)] = {first, last};
    }
    auto inside = [&](int x, int y) {
        if (y < t || y >= b)
            return false;
        const auto& [first, last] = span[static_cast<size_t>(y - t)];
        return x >= first && x <= last;
    };
    const bool outline = p.pen().style() != Qt::NoPen;
    const QBrush penBrush = outline ? QBrush(p.pen().color()) : QBrush();
    for (int y = t; y < b; ++y) {
        const auto& [first, last] = span[static_cast<size_t>(y - t)];
        for (int x = first; x <= last; ++x) {
            const bool edge =
                outline && (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1));
            if (edge)
                p.fillRect(QRect(x, y, 1, 1), penBrush);
            else if (p.brush().style() != Qt::NoBrush)
                p.fillRect(QRect(x, y, 1, 1), p.brush());
        }
    }
}

void rectangle(QPainter& p, int l, int t, int r, int b)
{
    if (r - l < 1 || b - t < 1)
        return;
    if (p.pen().style() == Qt::NoPen)
        p.fillRect(winRect(l, t, r, b), p.brush());
    else
        p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

void polygon(QPainter& p, const QPoint* points, int count) { p.drawPolygon(points, count); }

void setInvertingPen(QPainter& p, bool inverting)
{
    p.setCompositionMode(inverting ? QPainter::RasterOp_NotDestination : QPainter::CompositionMode_SourceOver);
}

void bitBlt(QImage& dst, int x, int y, const QImage& src, RasterOp op, QRect srcRect)
{
    if (dst.isNull() || src.isNull())
        return;
    if (srcRect.isEmpty())
        srcRect = src.rect();
    srcRect &= src.rect();
    QRect target(QPoint(x, y), srcRect.size());
    target &= dst.rect();
    if (target.isEmpty())
        return;
    const QImage s = src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
    if (dst.format() != QImage::Format_RGB32)
        dst = dst.convertToFormat(QImage::Format_RGB32);
    const int ox = srcRect.x() - x, oy = srcRect.y() - y;
    for (int ty = target.top(); ty <= target.bottom(); ++ty) {
        auto* d = reinterpret_cast<QRgb*>(dst.scanLine(ty));
        const auto* sr = reinterpret_cast<const QRgb*>(s.constScanLine(ty + oy));
        for (int tx = target.left(); tx <= target.right(); ++tx) {
            const QRgb sv = sr[tx + ox];
            switch (op) {
            case RasterOp::Copy:
                d[tx] = sv | 0xFF000000u;
                break;
            case RasterOp::And:
                d[tx] = (d[tx] & sv) | 0xFF000000u;
                break;
            case RasterOp::Or:
                d[tx] = d[tx] | sv | 0xFF000000u;
                break;
            }
        }
    }
}

int pointsToPixels(int points)
{
    // MulDiv(points, 96, 72): rounded half away from zero.
    const long long n = static_cast<long long>(points) * 96;
    return static_cast<int>(n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72));
}

QString substituteFontName(const QString& name)
{
    struct Pair {
        const char* from;
        const char* to;
    };
    static const Pair table[] = {
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"},
        {"MS Sans Serif", "DejaVu Sans"},
        {"Microsoft Sans Serif", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans"},
        {"Verdana", "DejaVu Sans"},
        {"MS Serif", "DejaVu Serif"},
        {"Lucida Console", "DejaVu Sans Mono"},
    };
    const QString trimmed = name.trimmed();
    for (const Pair& p : table)
        if (trimmed.compare(QLatin1String(p.from), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(p.to);
    return trimmed;
}

QFont makeFont(const QString& name, int sizePoints, bool bold)
{
    const QString family = substituteFontName(name);
    QFont font(family);
    if (family.contains("Mono", Qt::CaseInsensitive))
        font.setStyleHint(QFont::TypeWriter);
    font.setBold(bold);
    if (sizePoints >= 0) {
        font.setPixelSize(std::max(1, pointsToPixels(sizePoints)));
        return font;
    }
    // Largest em size whose character cell (ascent + descent) fits the height.
    const int cellHeight = pointsToPixels(-sizePoints);
    static QHash<QString, int> cache;
    const QString key = family + '|' + QString::number(cellHeight) + (bold ? "|b" : "|r");
    auto it = cache.find(key);
    if (it == cache.end()) {
        int best = 1;
        for (int px = 1; px <= cellHeight; ++px) {
            font.setPixelSize(px);
            if (QFontMetrics(font).height() > cellHeight)
                break;
            best = px;
        }
        it = cache.insert(key, best);
    }
    font.setPixelSize(*it);
    return font;
}

void textOut(QPainter& p, int x, int y, const QString& text)
{
    p.drawText(x, y + QFontMetrics(p.font()).ascent(), text);
}

} // namespace quon::canvas
