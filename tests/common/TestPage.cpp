#include "common/TestPage.h"

#include "model/Recotypes.h"

#include <fstream>
#include <iterator>

namespace quon::test {

void MonoPage::set(int32_t x, int32_t y, bool isBlack)
{
    uint8_t& b = bits[static_cast<size_t>(y) * stride + (x >> 3)];
    const uint8_t mask = BitMasks[7 - (x & 7)];
    b = isBlack ? static_cast<uint8_t>(b & ~mask) : static_cast<uint8_t>(b | mask);
}

bool MonoPage::black(int32_t x, int32_t y) const
{
    return (bits[static_cast<size_t>(y) * stride + (x >> 3)] & BitMasks[7 - (x & 7)]) == 0;
}

MonoPage blankPage(int32_t width, int32_t height)
{
    MonoPage p;
    p.width = width;
    p.height = height;
    p.stride = packedStride(width);
    p.bits.assign(static_cast<size_t>(p.stride) * height, 0xFF);
    return p;
}

MonoPage pageFromText(const std::vector<std::string>& rows)
{
    const int32_t w = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
    MonoPage p = blankPage(w, static_cast<int32_t>(rows.size()));
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < w && x < static_cast<int32_t>(rows[static_cast<size_t>(y)].size()); ++x)
            if (rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#')
                p.set(x, y, true);
    return p;
}

namespace {

uint32_t le32(const std::vector<uint8_t>& d, size_t at)
{
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& d, size_t at) { return static_cast<uint16_t>(d[at] | (d[at + 1] << 8)); }

} // namespace

MonoPage readMonoBmp(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return {};
    }
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 62 || d[0] != 'B' || d[1] != 'M') {
        error = "not a BMP file: " + path;
        return {};
    }
    const uint32_t dataOffset = le32(d, 10);
    const uint32_t headerSize = le32(d, 14);
    const int32_t width = static_cast<int32_t>(le32(d, 18));
    const int32_t rawHeight = static_cast<int32_t>(le32(d, 22));
    const uint16_t bitCount = le16(d, 28);
    const uint32_t compression = le32(d, 30);
    if (headerSize < 40 || bitCount != 1 || compression != 0 || width <= 0 || rawHeight == 0 ||
        !pageSizeProblem(width, rawHeight < 0 ? -int64_t{rawHeight} : rawHeight).empty()) {
        error = "not an uncompressed 1-bit BMP: " + path;
        return {};
    }
    const bool bottomUp = rawHeight > 0;
    const int32_t height = bottomUp ? rawHeight : -rawHeight;
    const size_t paletteAt = 14 + headerSize;
    if (paletteAt + 8 > d.size()) {
        error = "truncated palette: " + path;
        return {};
    }
    // Index 0 is black in the page convention; a palette with a lighter
    // index 0 is flipped.
    auto grey = [&](size_t at) { return d[at] + d[at + 1] + d[at + 2]; };
    const bool flip = grey(paletteAt) > grey(paletteAt + 4);
    const size_t fileStride = static_cast<size_t>((width + 31) / 32) * 4;
    if (dataOffset + fileStride * static_cast<size_t>(height) > d.size()) {
        error = "truncated pixel data: " + path;
        return {};
    }
    MonoPage p = blankPage(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const size_t fileRow = bottomUp ? static_cast<size_t>(height - 1 - y) : static_cast<size_t>(y);
        const uint8_t* src = d.data() + dataOffset + fileRow * fileStride;
        uint8_t* dst = p.bits.data() + static_cast<size_t>(y) * p.stride;
        for (int32_t i = 0; i < p.stride; ++i)
            dst[i] = flip ? static_cast<uint8_t>(~src[i]) : src[i];
    }
    error.clear();
    return p;
}

void installPage(const MonoPage& page) { quon::installPage(page.rows()); }

void installWholeBoardPage(const MonoPage& page)
{
    installPage(page);
    Reco.BoardLineCount = 19;
    Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{19, 19};
    Reco.DiagramType = DiaGameRecord;
    resetGridForNewDiagram(false);
}

void drawBar(MonoPage& page, int32_t x0, int32_t x1, int32_t y0, int32_t y1)
{
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x)
            page.set(x, y, true);
}

} // namespace quon::test
