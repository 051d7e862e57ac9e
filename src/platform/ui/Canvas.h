// Drawing with the conventions of the original canvas on top of QPainter.
//
// The two differ in small ways that show on a board of 20-pixel cells:
//  - rectangles and ellipse boxes are given by left, top, right, bottom with
//    the right and bottom edge outside the figure;
//  - a line leaves out its end point, so that joined lines do not draw the
//    joint twice (which matters when drawing by inverting);
//  - wide pens have round ends;
//  - bitmaps are combined with raster operations (copy, AND, OR);
//  - font sizes are points at 96 pixels per inch, a negative size meaning the
//    height of the whole character cell; text is placed by the top of that
//    cell, not by its baseline;
//  - font names are those of the original platform, replaced here by the
//    metric-compatible Liberation fonts or by DejaVu.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace quon::canvas {

// The QRect of the box (l, t, r, b) with r and b outside it.
QRect winRect(int l, int t, int r, int b);

// A pen of that width (0 or 1: one pixel); wider pens get round ends and joins.
QPen winPen(const QColor& colour, int width);

// Line from (x1, y1) to (x2, y2); with a one-pixel pen the end point is left out.
void lineTo(QPainter& p, int x1, int y1, int x2, int y2);
// Ellipse inscribed in the box, outlined with the pen and filled with the brush.
void ellipse(QPainter& p, int l, int t, int r, int b);
// Rectangle outline and fill of the box.
void rectangle(QPainter& p, int l, int t, int r, int b);
// Closed polygon through three or more points.
void polygon(QPainter& p, const QPoint* points, int count);

// Pen drawing mode: inverting the pixels under the pen, or plain colour.
void setInvertingPen(QPainter& p, bool inverting);

enum class RasterOp { Copy, And, Or };
// Combines `src` (the part `srcRect`, all of it when empty) into `dst` at
// (x, y), pixel by pixel, cut to the destination. Both images are 32-bit RGB.
void bitBlt(QImage& dst, int x, int y, const QImage& src, RasterOp op, QRect srcRect = QRect());

// Points to pixels at 96 DPI, rounded as the original does (MulDiv).
int pointsToPixels(int points);

// "Courier New" -> "Liberation Mono" and so on; other names unchanged.
QString substituteFontName(const QString& name);

// A font as the original creates it from a name and a size in points; a
// negative size asks for a character cell of that height instead of the
// characters' em height. Sizes of 0 give the smallest font (1 pixel).
QFont makeFont(const QString& name, int sizePoints, bool bold);

// Text with the top of its character cell at (x, y), transparent background.
void textOut(QPainter& p, int x, int y, const QString& text);

} // namespace quon::canvas
