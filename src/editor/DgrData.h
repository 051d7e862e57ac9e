// The diagram document: the cell grid, its block (the part that is exported
// and that block commands act on), the cursor cell, the display and picture
// settings, and the dgr file it was read from or saved to.
//
// A dgr file is a 504-byte header (magic 0xABCDEF12, width, height, cell
// size 6, cursor, block, 64 zero bytes, the display and picture blocks) and
// then the cells row by row, little-endian throughout. An older layout of
// exactly 7200 bytes (48 x 75 16-bit words) is still read, never written.
//
// Loading is all or nothing: the file is read and checked into locals and
// only a good file replaces the grid. Sizes from a header are checked before
// anything is allocated. After every change of the grid (load, resize) the
// block and the cursor are brought back into the grid, so every loop over the
// block stays inside it. Saving writes a temporary file beside the target and
// renames it over the old one.
#pragma once

#include "editor/DgrGrid.h"
#include "editor/DgrSettings.h"
#include "model/Recotypes.h"

#include <cstdint>
#include <string>

namespace quon {

// Inclusive cell coordinates. X1 <= X2 and Y1 <= Y2 inside a non-empty grid;
// an empty grid has the block (0, 0, Width - 1, Height - 1), which holds no
// cell, so loops over it do nothing.
struct DgrBlock {
    int32_t X1 = 0;
    int32_t Y1 = 0;
    int32_t X2 = 0;
    int32_t Y2 = 0;
    bool operator==(const DgrBlock&) const = default;
    int32_t columns() const { return X2 - X1 + 1; }
    int32_t rows() const { return Y2 - Y1 + 1; }
};

// Picture rectangle of the cell being drawn (a working value of the drawing).
struct DgrCellRect {
    int32_t Left = 0;
    int32_t Right = 0;
    int32_t Top = 0;
    int32_t Bottom = 0;
    int32_t CenterX = 0;
    int32_t CenterY = 0;
    bool operator==(const DgrCellRect&) const = default;
};

// The dialog values a new document takes (the display and picture settings
// dialogs' fields at the moment the document is made).
struct DgrNewSettings {
    int32_t DisplayStepX = 20;
    int32_t DisplayStepY = 20;
    int32_t PictureStepX = 22;
    int32_t PictureStepY = 22;
    int32_t PictureLine = 1;
    int32_t PictureBorder = 2;
    int32_t PictureRad = 0;
};

constexpr uint32_t DgrMagic = 0xABCDEF12u;
constexpr int32_t DgrHeaderBytes = 504;
constexpr int64_t DgrOldLayoutBytes = 7200;
constexpr int32_t DgrOldWidth = 48;
constexpr int32_t DgrOldHeight = 75;

// Caption of the editor's error messages.
extern const char* const DgrErrorCaption;

class tDgrData {
  public:
    // A new document: the grid of that size all zero, the block the whole
    // grid, the cursor at (0, 0), settings from `settings` and the default
    // fonts. Sizes as tDgr's constructor accepts them.
    explicit tDgrData(int32_t width = 0, int32_t height = 0, const DgrNewSettings& settings = {});

    DgrCellRect CellRect; // drawing's working values
    DgrCell Cell;         // drawing's working copy of the cell being drawn
    DgrBlock Block;
    IntPoint Cursor;
    tDgr Grid;
    DgrDisplayBlock Display;
    DgrPictureBlock Picture;
    std::string FileName; // the dgr file last read or written; empty for a new document

    int32_t Width() const { return Grid.Width(); }
    int32_t Height() const { return Grid.Height(); }
    int32_t MaxX() const { return Width() - 1; }
    int32_t MaxY() const { return Height() - 1; }
    bool isEmpty() const { return Width() == 0 || Height() == 0; }

    // Block := the whole grid ((0, 0, -1, -1) for an empty grid).
    void BlockAll();
    // The point moved into the grid, coordinate by coordinate.
    IntPoint ClampPoint(IntPoint p) const;
    // Block start (or end) at the clamped point; when that would put the
    // start after the end, the block becomes the whole grid.
    void SetBlockStart(IntPoint p);
    void SetBlockEnd(IntPoint p);
    bool InBlock(int32_t x, int32_t y) const;
    // A grid of the new size holding the old grid's overlapping cells at the
    // origin; nothing when the size is unchanged. Block and cursor are then
    // brought back into the grid.
    void Resize(int32_t width, int32_t height);
    // Block and cursor brought back into the grid: a block that is inverted
    // or lies wholly outside becomes the whole grid, one that sticks out is
    // cut to the grid; the cursor is clamped.
    void fitBlockAndCursor();

    // Reads a dgr file (the older layout when the file is not of the current
    // one). On failure `error` holds the message for the user and nothing
    // changed.
    bool LoadFromFile(const std::string& name, std::string& error);
    bool LoadOldDgr(const std::string& name, std::string& error);
    // Writes through a temporary file renamed over `name`. On failure the old
    // file is whole, `error` holds the message and FileName is unchanged.
    bool SaveToFile(const std::string& name, std::string& error);

    // The file's bytes as SaveToFile writes them.
    std::string fileBytes() const;

    // Empty when the document is consistent, else what is wrong: cell
    // storage against the size, block and cursor inside the grid.
    std::string checkInvariant() const;
};

// The messages the reader shows.
std::string dgrNotFoundMessage(const std::string& name);
std::string dgrBadStructureMessage(const std::string& name);

} // namespace quon
