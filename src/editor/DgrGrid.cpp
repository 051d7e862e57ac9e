#include "editor/DgrGrid.h"

#include <algorithm>
#include <stdexcept>

namespace quon {

void DgrCell::toBytes(uint8_t* out) const
{
    out[0] = static_cast<uint8_t>(Number & 0xFF);
    out[1] = static_cast<uint8_t>(Number >> 8);
    out[2] = Element;
    out[3] = Stone;
    out[4] = Mark;
    out[5] = Test;
}

DgrCell DgrCell::fromBytes(const uint8_t* in)
{
    DgrCell c;
    c.Number = static_cast<uint16_t>(in[0] | (in[1] << 8));
    c.Element = in[2];
    c.Stone = in[3];
    c.Mark = in[4];
    c.Test = in[5];
    return c;
}

DgrCellShows cellShows(const DgrCell& cell)
{
    if (cell.Number >= 1 && cell.Number <= DgrMaxDrawnNumber)
        return DgrCellShows::Number;
    if (isMarkShape(cell.Mark))
        return DgrCellShows::MarkShape;
    if (cell.Mark != 0)
        return DgrCellShows::Label;
    return DgrCellShows::Nothing;
}

tDgr::tDgr(int32_t width, int32_t height)
{
    if (width < 0 || height < 0 || width > DgrMaxSide || height > DgrMaxSide ||
        static_cast<int64_t>(width) * height > DgrMaxCells)
        throw std::length_error("diagram grid of " + std::to_string(width) + " x " + std::to_string(height) +
                                " cells is too large");
    width_ = width;
    height_ = height;
    cells_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), DgrCell{});
}

DgrCell tDgr::GetCell(int32_t x, int32_t y) const
{
    if (!contains(x, y))
        return DgrCell{};
    return cells_[static_cast<size_t>(y) * width_ + x];
}

void tDgr::PutCell(int32_t x, int32_t y, const DgrCell& cell)
{
    if (contains(x, y))
        cells_[static_cast<size_t>(y) * width_ + x] = cell;
}

void tDgr::SetElement(int32_t x, int32_t y, uint8_t code)
{
    if (contains(x, y))
        cells_[static_cast<size_t>(y) * width_ + x].Element = code;
}

void tDgr::SetStone(int32_t x, int32_t y, uint8_t stone)
{
    if (contains(x, y))
        cells_[static_cast<size_t>(y) * width_ + x].Stone = stone;
}

void tDgr::CopyFrom(const tDgr& source)
{
    const int32_t rows = std::min(height_, source.height_);
    const int32_t cols = std::min(width_, source.width_);
    for (int32_t y = 0; y < rows; ++y)
        for (int32_t x = 0; x < cols; ++x)
            PutCell(x, y, source.GetCell(x, y));
}

void tDgr::PasteAt(const tDgr& source, int32_t x0, int32_t y0)
{
    if (x0 >= width_ || y0 >= height_)
        return;
    // Only the source cells that land inside this grid are visited.
    const int32_t firstCol = std::max(0, -x0);
    const int32_t firstRow = std::max(0, -y0);
    const int32_t lastCol = std::min(source.width_, width_ - x0) - 1;
    const int32_t lastRow = std::min(source.height_, height_ - y0) - 1;
    for (int32_t i = firstRow; i <= lastRow; ++i)
        for (int32_t j = firstCol; j <= lastCol; ++j)
            PutCell(x0 + j, y0 + i, source.GetCell(j, i));
}

std::string tDgr::cellBytes() const
{
    std::string bytes(static_cast<size_t>(DataSize()), '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    for (const DgrCell& c : cells_) {
        c.toBytes(p);
        p += DgrCellBytes;
    }
    return bytes;
}

bool tDgr::setCellBytes(const std::string& bytes)
{
    if (static_cast<int64_t>(bytes.size()) != DataSize())
        return false;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    for (DgrCell& c : cells_) {
        c = DgrCell::fromBytes(p);
        p += DgrCellBytes;
    }
    return true;
}

int32_t tDgr::countNonZero() const
{
    return static_cast<int32_t>(
        std::count_if(cells_.begin(), cells_.end(), [](const DgrCell& c) { return !c.isZero(); }));
}

} // namespace quon
