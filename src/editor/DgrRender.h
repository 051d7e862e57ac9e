// Drawing a diagram document's block as a picture, through the drawing
// interface of platform/GdiCanvas.h, so that one routine paints the bitmap
// and records the metafiles.
//
// Two renderers, as the pictures have always been made: the bitmap renderer
// draws cell by cell (element, stone, then mark or text), the metafile
// renderer draws the whole block in seven passes (all elements, black
// stones, white stones, marks, then the texts of one, two and three
// characters, each pass with its own font), so that in a metafile no thick
// edge line of a neighbour ever covers a stone.
//
// Both renderers decide what a cell shows by one rule (a number of 1..999,
// else a mark shape, else a label), so a cell with a number past 999 and a
// mark shows the mark in every picture. Black stones are outlined with a
// 1-pixel pen in both.
//
// The picture settings come from the document's picture block, which a file
// may fill with anything: they are clamped where they are used (steps
// 1..511; line, border and stone inset 0..half the smaller step), and a
// picture too large for its kind is refused before anything is allocated.
//
// Marks are outlines drawn with an inverting pen, so that they show on
// either stone; the pen's colour is the one that contrasts with the stone
// under it, so readers that ignore raster operations still show them. The
// old metafile stores texts as 8-bit bytes read in the font's character set:
// when a text pass holds a label of the Cyrillic half of the code page, its
// font names that character set.
#pragma once

#include "editor/DgrData.h"
#include "platform/GdiCanvas.h"

#include <cstdint>
#include <string>

namespace quon {

constexpr int32_t DgrPictureMaxStep = 511;
// The largest bitmap side the editor allocates, in pixels.
constexpr int64_t DgrBitmapMaxSide = 20000;
// The largest old-metafile side: its coordinates are 16-bit.
constexpr int64_t DgrWmfMaxSide = 32767;

// The picture settings as drawn.
struct DgrPictureGeometry {
    int32_t StepX = 1;
    int32_t StepY = 1;
    int32_t Line = 0;
    int32_t Border = 0;
    int32_t Rad = 0;
};
DgrPictureGeometry pictureGeometry(const DgrPictureBlock& picture);

struct DgrPictureSize {
    int64_t Width = 0;
    int64_t Height = 0;
};
// The block's size in picture pixels (0 x 0 for an empty grid).
DgrPictureSize PictureSize(const tDgrData& doc);

enum class DgrPictureKind { Bitmap, Emf, Wmf };
// Empty when a picture of that size can be made, else the message for the user.
std::string pictureSizeError(const DgrPictureSize& size, DgrPictureKind kind);

// The drawing font of a picture font record; `cyrillic` names the Cyrillic
// character set in place of the record's.
GdiFont pictureFont(const LogFontA& record, bool cyrillic = false);

// Working fields of the cell (column, row), both relative to the block.
void CellPictureRect(tDgrData& doc, int32_t column, int32_t row);
// One part of the working cell `doc.Cell` in `doc.CellRect`.
void DrawElement(tDgrData& doc, GdiCanvas& canvas);
void DrawStone(tDgrData& doc, GdiCanvas& canvas);
// `metafile` selects the metafile's mark sizes (a step smaller).
void DrawMark(tDgrData& doc, GdiCanvas& canvas, bool metafile);
// The mark or the text the cell shows (the bitmap renderer's last step).
void DrawNumber(tDgrData& doc, GdiCanvas& canvas);

// The block drawn cell by cell onto a white canvas of PictureSize.
void RenderBitmap(tDgrData& doc, GdiCanvas& canvas);
// The block drawn in the seven metafile passes.
void RenderMetafile(tDgrData& doc, GdiCanvas& canvas);

} // namespace quon
