#include "editor/DgrData.h"

#include <algorithm>

namespace quon {

const char* const DgrErrorCaption = "Ошибка";

tDgrData::tDgrData(int32_t width, int32_t height, const DgrNewSettings& s)
    : Grid(width, height), Display(DgrDisplayBlock::makeNew(s.DisplayStepX, s.DisplayStepY)),
      Picture(DgrPictureBlock::makeNew(s.PictureStepX, s.PictureStepY, s.PictureLine, s.PictureBorder, s.PictureRad))
{
    BlockAll();
}

void tDgrData::BlockAll() { Block = DgrBlock{0, 0, MaxX(), MaxY()}; }

IntPoint tDgrData::ClampPoint(IntPoint p) const
{
    // An empty grid has no cell to move to; (0, 0) keeps every caller's
    // arithmetic harmless.
    if (isEmpty())
        return IntPoint{0, 0};
    return IntPoint{std::clamp(p.X, 0, MaxX()), std::clamp(p.Y, 0, MaxY())};
}

void tDgrData::SetBlockStart(IntPoint p)
{
    const IntPoint q = ClampPoint(p);
    if (isEmpty() || q.X > Block.X2 || q.Y > Block.Y2) {
        BlockAll();
        return;
    }
    Block.X1 = q.X;
    Block.Y1 = q.Y;
}

void tDgrData::SetBlockEnd(IntPoint p)
{
    const IntPoint q = ClampPoint(p);
    if (isEmpty() || q.X < Block.X1 || q.Y < Block.Y1) {
        BlockAll();
        return;
    }
    Block.X2 = q.X;
    Block.Y2 = q.Y;
}

bool tDgrData::InBlock(int32_t x, int32_t y) const
{
    return Block.X1 <= x && x <= Block.X2 && Block.Y1 <= y && y <= Block.Y2;
}

void tDgrData::Resize(int32_t width, int32_t height)
{
    if (width == Width() && height == Height())
        return;
    tDgr grown(width, height);
    grown.CopyFrom(Grid);
    Grid = std::move(grown);
    fitBlockAndCursor();
}

void tDgrData::fitBlockAndCursor()
{
    if (isEmpty()) {
        BlockAll();
        Cursor = IntPoint{0, 0};
        return;
    }
    DgrBlock& b = Block;
    const bool outside = b.X1 > b.X2 || b.Y1 > b.Y2 || b.X1 > MaxX() || b.Y1 > MaxY() || b.X2 < 0 || b.Y2 < 0;
    if (outside) {
        BlockAll();
    } else {
        b.X1 = std::max(b.X1, 0);
        b.Y1 = std::max(b.Y1, 0);
        b.X2 = std::min(b.X2, MaxX());
        b.Y2 = std::min(b.Y2, MaxY());
    }
    Cursor = ClampPoint(Cursor);
}

std::string tDgrData::checkInvariant() const
{
    if (Grid.DataSize() != static_cast<int64_t>(Width()) * Height() * DgrCellBytes)
        return "cell storage does not match " + std::to_string(Width()) + " x " + std::to_string(Height());
    const std::string block = "block (" + std::to_string(Block.X1) + ", " + std::to_string(Block.Y1) + ", " +
                              std::to_string(Block.X2) + ", " + std::to_string(Block.Y2) + ")";
    const std::string cursor = "cursor (" + std::to_string(Cursor.X) + ", " + std::to_string(Cursor.Y) + ")";
    if (isEmpty()) {
        if (Block != DgrBlock{0, 0, MaxX(), MaxY()})
            return block + " on an empty grid";
        if (Cursor != IntPoint{0, 0})
            return cursor + " on an empty grid";
        return {};
    }
    if (Block.X1 < 0 || Block.Y1 < 0 || Block.X1 > Block.X2 || Block.Y1 > Block.Y2 || Block.X2 > MaxX() ||
        Block.Y2 > MaxY())
        return block + " outside the " + std::to_string(Width()) + " x " + std::to_string(Height()) + " grid";
    if (!Grid.contains(Cursor.X, Cursor.Y))
        return cursor + " outside the " + std::to_string(Width()) + " x " + std::to_string(Height()) + " grid";
    return {};
}

std::string dgrNotFoundMessage(const std::string& name) { return "Файл " + name + " не найден"; }

// The line break goes before the file name; "\n" because the message boxes
// of this platform break lines there and not at a carriage return.
std::string dgrBadStructureMessage(const std::string& name) { return "Неправильная структура файла\n" + name; }

} // namespace quon
