#include "common/BmpBuilder.h"

#include <fstream>

namespace quon::test {

const std::vector<BmpCase> AllBmpKinds = {
    {BmpKind::Mono, "Mono"},
    {BmpKind::MonoInverted, "MonoInverted"},
    {BmpKind::Pal4, "Pal4"},
    {BmpKind::Rle4, "Rle4"},
    {BmpKind::Pal8, "Pal8"},
    {BmpKind::Rle8, "Rle8"},
    {BmpKind::Rgb555, "Rgb555"},
    {BmpKind::Bitfields565, "Bitfields565"},
    {BmpKind::Rgb24, "Rgb24"},
    {BmpKind::Rgb32, "Rgb32"},
    {BmpKind::Bitfields32, "Bitfields32"},
    {BmpKind::Os2Core, "Os2Core"},
    {BmpKind::V4Header, "V4Header"},
    {BmpKind::V5Header, "V5Header"},
    {BmpKind::TopDown, "TopDown"},
};

Bitmap Bitmap::fromRows(const std::vector<std::string>& rows)
{
    Bitmap b;
    b.height = static_cast<int>(rows.size());
    b.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (const std::string& r : rows)
        for (char c : r)
            b.ink.push_back(c == '.' ? 0 : 1);
    return b;
}

namespace {
void put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((v >> (8 * i)) & 0xFF);
}
void set32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// Grey level of a cell: '#' black, '.' white, anything else dark grey.
uint8_t grey(char c) { return c == '#' ? 0 : c == '.' ? 255 : 100; }
} // namespace

std::vector<uint8_t> makeBmp(BmpKind kind, const std::vector<std::string>& rows)
{
    const int h = static_cast<int>(rows.size());
    const int w = h ? static_cast<int>(rows[0].size()) : 0;
    int bits = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    int paletteEntries = 0;
    bool topDown = false;
    switch (kind) {
    case BmpKind::Mono:
    case BmpKind::MonoInverted: bits = 1; paletteEntries = 2; break;
    case BmpKind::Pal4: bits = 4; paletteEntries = 16; break;
    case BmpKind::Rle4: bits = 4; paletteEntries = 16; compression = 2; break;
    case BmpKind::Pal8: bits = 8; paletteEntries = 256; break;
    case BmpKind::Rle8: bits = 8; paletteEntries = 256; compression = 1; break;
    case BmpKind::Rgb555: bits = 16; break;
    case BmpKind::Bitfields565: bits = 16; compression = 3; break;
    case BmpKind::Rgb24: bits = 24; break;
    case BmpKind::Rgb32: bits = 32; break;
    case BmpKind::Bitfields32: bits = 32; compression = 3; break;
    case BmpKind::Os2Core: bits = 24; headerSize = 12; break;
    case BmpKind::V4Header: bits = 24; headerSize = 108; break;
    case BmpKind::V5Header: bits = 8; paletteEntries = 256; headerSize = 124; break;
    case BmpKind::TopDown: bits = 24; topDown = true; break;
    }

    // Palette: index 0 white and 1 black for the inverted mono case; for the
    // others index 0 black, 1 white, 2 the grey, the rest a grey ramp.
    std::vector<uint8_t> palette;
    auto paletteIndex = [&](char c) -> int {
        if (kind == BmpKind::MonoInverted)
            return c == '.' ? 0 : 1;
        if (bits == 1)
            return c == '.' ? 1 : 0;
        return c == '#' ? 0 : c == '.' ? 1 : 2;
    };
    for (int i = 0; i < paletteEntries; ++i) {
        uint8_t g;
        if (kind == BmpKind::MonoInverted)
            g = i == 0 ? 255 : 0;
        else
            g = i == 0 ? 0 : i == 1 ? 255 : i == 2 ? 100 : static_cast<uint8_t>(i);
        palette.push_back(g);
        palette.push_back(g);
        palette.push_back(g);
        if (headerSize != 12)
            palette.push_back(0);
    }

    std::vector<uint8_t> pixels;
    auto rowOrder = [&](int i) { return topDown ? i : h - 1 - i; };
    if (compression == 1 || compression == 2) {
        // Encoded runs of equal pixels, one row at a time, then end of row.
        for (int i = 0; i < h; ++i) {
            const std::string& r = rows[rowOrder(i)];
            int x = 0;
            while (x < w) {
                int n = 1;
                while (x + n < w && n < 255 && r[x + n] == r[x])
                    ++n;
                const int idx = paletteIndex(r[x]);
                pixels.push_back(static_cast<uint8_t>(n));
                pixels.push_back(compression == 1 ? static_cast<uint8_t>(idx) : static_cast<uint8_t>(idx << 4 | idx));
                x += n;
            }
            pixels.push_back(0);
            pixels.push_back(0);
        }
        pixels.push_back(0);
        pixels.push_back(1);
    } else {
        const int rowBytes = ((w * bits + 31) / 32) * 4;
        for (int i = 0; i < h; ++i) {
            const std::string& r = rows[rowOrder(i)];
            std::vector<uint8_t> row(rowBytes, 0);
            for (int x = 0; x < w; ++x) {
                const uint8_t g = grey(r[x]);
                switch (bits) {
                case 1:
                    if (paletteIndex(r[x]))
                        row[x / 8] |= 0x80 >> (x % 8);
                    break;
                case 4: row[x / 2] |= paletteIndex(r[x]) << (x % 2 ? 0 : 4); break;
                case 8: row[x] = static_cast<uint8_t>(paletteIndex(r[x])); break;
                case 16: {
                    uint16_t v;
                    if (compression == 3)
                        v = static_cast<uint16_t>((g >> 3) << 11 | (g >> 2) << 5 | (g >> 3));
                    else
                        v = static_cast<uint16_t>((g >> 3) << 10 | (g >> 3) << 5 | (g >> 3));
                    row[2 * x] = v & 0xFF;
                    row[2 * x + 1] = v >> 8;
                    break;
                }
                case 24: row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = g; break;
                case 32: row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = g; row[4 * x + 3] = 0; break;
                }
            }
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }

    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, 0); // file size, set below
    put32(b, 0);
    put32(b, 0); // pixel offset, set below
    put32(b, headerSize);
    if (headerSize == 12) {
        put16(b, static_cast<uint32_t>(w));
        put16(b, static_cast<uint32_t>(h));
        put16(b, 1);
        put16(b, static_cast<uint32_t>(bits));
    } else {
        put32(b, static_cast<uint32_t>(w));
        put32(b, static_cast<uint32_t>(topDown ? -h : h));
        put16(b, 1);
        put16(b, static_cast<uint32_t>(bits));
        put32(b, compression);
        put32(b, static_cast<uint32_t>(pixels.size()));
        put32(b, 11811); // 300 dpi
        put32(b, 11811);
        put32(b, static_cast<uint32_t>(paletteEntries));
        put32(b, 0);
        if (headerSize >= 108) {
            // Masks, colour space and its end points, gammas.
            const bool fields = compression == 3;
            put32(b, fields ? 0x00FF0000 : 0);
            put32(b, fields ? 0x0000FF00 : 0);
            put32(b, fields ? 0x000000FF : 0);
            put32(b, 0);
            put32(b, 0x73524742); // 'sRGB'
            for (int i = 0; i < 12; ++i)
                put32(b, 0);
            if (headerSize == 124)
                for (int i = 0; i < 4; ++i)
                    put32(b, 0);
        }
    }
    if (compression == 3 && headerSize == 40) {
        if (bits == 16) {
            put32(b, 0xF800);
            put32(b, 0x07E0);
            put32(b, 0x001F);
        } else {
            put32(b, 0x00FF0000);
            put32(b, 0x0000FF00);
            put32(b, 0x000000FF);
        }
    }
    b.insert(b.end(), palette.begin(), palette.end());
    set32(b, 10, static_cast<uint32_t>(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    set32(b, 2, static_cast<uint32_t>(b.size()));
    return b;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace quon::test
