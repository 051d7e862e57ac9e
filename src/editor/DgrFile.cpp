// Reading and writing dgr files.
//
// A current-layout file is recognised by its complete header: magic and a
// cell size of 6. Its width and height must be at most 65535 and its cells
// at most DgrMaxCells, and the file must hold every cell byte the header
// announces; all of this is checked against the file's length before a grid
// is allocated. Anything else is tried as the older layout, which is a file
// of exactly 7200 bytes and nothing else.
#include "editor/DgrData.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quon {

namespace {

uint32_t readU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void writeU32(uint8_t* p, uint32_t u)
{
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
}

std::string readErrorMessage(const std::string& name, const char* why)
{
    return "Ошибка чтения файла " + name + (why && *why ? std::string("\n") + why : std::string());
}

std::string writeErrorMessage(const std::string& name, const std::string& why)
{
    return "Ошибка записи файла " + name + (why.empty() ? std::string() : "\n" + why);
}

// Opens the file for reading and finds its length. False with the message
// when it is missing or cannot be read.
bool openForReading(const std::string& name, std::ifstream& in, int64_t& length, std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::exists(name, ec)) {
        error = dgrNotFoundMessage(name);
        return false;
    }
    if (std::filesystem::is_directory(name, ec)) {
        error = readErrorMessage(name, std::strerror(EISDIR));
        return false;
    }
    errno = 0;
    in.open(name, std::ios::binary);
    if (!in) {
        error = readErrorMessage(name, std::strerror(errno ? errno : EACCES));
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    in.seekg(0, std::ios::beg);
    if (end < 0 || !in) {
        error = readErrorMessage(name, "");
        return false;
    }
    length = end;
    return true;
}

// Up to `count` bytes from the stream; fewer at its end.
std::string readUpTo(std::ifstream& in, int64_t count)
{
    std::string bytes(static_cast<size_t>(count), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

// One cell of the older layout: 10 bits of number or label, 4 of element,
// 2 of stone (1 white, 3 black).
DgrCell oldLayoutCell(uint16_t w)
{
    DgrCell c;
    c.Element = static_cast<uint8_t>((w >> 10) & 0x0F);
    const int stone = (w >> 14) & 0x03;
    c.Stone = stone == 1 ? StoneWhite : stone == 3 ? StoneBlack : StoneNone;
    const int v = w & 0x3FF;
    if (v <= 767) {
        c.Number = static_cast<uint16_t>(v);
    } else {
        c.Mark = static_cast<uint8_t>((v - 767) % 256);
    }
    return c;
}

} // namespace

std::string tDgrData::fileBytes() const
{
    std::string bytes(static_cast<size_t>(DgrHeaderBytes), '\0');
    auto* h = reinterpret_cast<uint8_t*>(bytes.data());
    writeU32(h + 0, DgrMagic);
    writeU32(h + 4, static_cast<uint32_t>(Width()));
    writeU32(h + 8, static_cast<uint32_t>(Height()));
    writeU32(h + 12, DgrCellBytes);
    writeU32(h + 16, static_cast<uint32_t>(Cursor.X));
    writeU32(h + 20, static_cast<uint32_t>(Cursor.Y));
    writeU32(h + 24, static_cast<uint32_t>(Block.X1));
    writeU32(h + 28, static_cast<uint32_t>(Block.Y1));
    writeU32(h + 32, static_cast<uint32_t>(Block.X2));
    writeU32(h + 36, static_cast<uint32_t>(Block.Y2));
    // Bytes 40..103 stay zero.
    std::memcpy(h + 104, Display.Raw.data(), DgrSettingsBlock::Bytes);
    std::memcpy(h + 304, Picture.Raw.data(), DgrSettingsBlock::Bytes);
    return bytes + Grid.cellBytes();
}

bool tDgrData::SaveToFile(const std::string& name, std::string& error)
{
    const std::string bytes = fileBytes();
    const std::string temp = name + ".saving";
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = writeErrorMessage(name, std::strerror(errno ? errno : EACCES));
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            error = writeErrorMessage(name, std::strerror(errno ? errno : EIO));
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, name, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        error = writeErrorMessage(name, ec.message());
        return false;
    }
    FileName = name;
    return true;
}

bool tDgrData::LoadFromFile(const std::string& name, std::string& error)
{
    std::ifstream in;
    int64_t length = 0;
    if (!openForReading(name, in, length, error))
        return false;
    const std::string header = readUpTo(in, DgrHeaderBytes);
    const auto* h = reinterpret_cast<const uint8_t*>(header.data());
    const bool current = header.size() == static_cast<size_t>(DgrHeaderBytes) && readU32(h) == DgrMagic &&
                         readU32(h + 12) == static_cast<uint32_t>(DgrCellBytes);
    if (!current) {
        in.close();
        return LoadOldDgr(name, error);
    }

    const uint32_t width = readU32(h + 4);
    const uint32_t height = readU32(h + 8);
    if (width > static_cast<uint32_t>(DgrMaxSide) || height > static_cast<uint32_t>(DgrMaxSide)) {
        error = dgrBadStructureMessage(name);
        return false;
    }
    const int64_t cells = static_cast<int64_t>(width) * static_cast<int64_t>(height);
    const int64_t cellBytes = cells * DgrCellBytes;
    if (cells > DgrMaxCells || length - DgrHeaderBytes < cellBytes) {
        error = dgrBadStructureMessage(name);
        return false;
    }
    const std::string body = readUpTo(in, cellBytes);
    if (static_cast<int64_t>(body.size()) < cellBytes) {
        error = dgrBadStructureMessage(name);
        return false;
    }

    tDgr grid(static_cast<int32_t>(width), static_cast<int32_t>(height));
    grid.setCellBytes(body);
    Grid = std::move(grid);
    Block = DgrBlock{static_cast<int32_t>(readU32(h + 24)), static_cast<int32_t>(readU32(h + 28)),
                     static_cast<int32_t>(readU32(h + 32)), static_cast<int32_t>(readU32(h + 36))};
    std::memcpy(Display.Raw.data(), h + 104, DgrSettingsBlock::Bytes);
    std::memcpy(Picture.Raw.data(), h + 304, DgrSettingsBlock::Bytes);
    FileName = name;
    fitBlockAndCursor();
    return true;
}

bool tDgrData::LoadOldDgr(const std::string& name, std::string& error)
{
    std::ifstream in;
    int64_t length = 0;
    if (!openForReading(name, in, length, error))
        return false;
    if (length != DgrOldLayoutBytes) {
        error = dgrBadStructureMessage(name);
        return false;
    }
    const std::string words = readUpTo(in, DgrOldLayoutBytes);
    if (static_cast<int64_t>(words.size()) != DgrOldLayoutBytes) {
        error = readErrorMessage(name, "");
        return false;
    }
    tDgr grid(DgrOldWidth, DgrOldHeight);
    const auto* p = reinterpret_cast<const uint8_t*>(words.data());
    for (int32_t y = 0; y < DgrOldHeight; ++y)
        for (int32_t x = 0; x < DgrOldWidth; ++x, p += 2)
            grid.PutCell(x, y, oldLayoutCell(static_cast<uint16_t>(p[0] | (p[1] << 8))));
    Grid = std::move(grid);
    FileName = name;
    fitBlockAndCursor();
    return true;
}

} // namespace quon
