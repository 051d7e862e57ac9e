#include "editor/DgrSettings.h"

#include "editor/Cp1251.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quon {

namespace {

int32_t readI32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

void writeI32(uint8_t* p, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
}

LogFontA defaultFont(int32_t height, int32_t width, int32_t weight, const char* face)
{
    LogFontA f;
    f.Height = height;
    f.Width = width;
    f.Weight = weight;
    f.OutPrecision = 2;
    f.ClipPrecision = 1;
    f.setFaceNameUtf8(face);
    return f;
}

size_t fontOffset(int n)
{
    if (n < 1 || n > 3)
        throw std::out_of_range("font record " + std::to_string(n) + " (1..3)");
    return 20 + static_cast<size_t>(n - 1) * LogFontA::Bytes;
}

} // namespace

void LogFontA::toBytes(uint8_t* out) const
{
    writeI32(out + 0, Height);
    writeI32(out + 4, Width);
    writeI32(out + 8, Escapement);
    writeI32(out + 12, Orientation);
    writeI32(out + 16, Weight);
    out[20] = Italic;
    out[21] = Underline;
    out[22] = StrikeOut;
    out[23] = CharSet;
    out[24] = OutPrecision;
    out[25] = ClipPrecision;
    out[26] = Quality;
    out[27] = PitchAndFamily;
    std::memcpy(out + 28, FaceName.data(), FaceNameBytes);
}

LogFontA LogFontA::fromBytes(const uint8_t* in)
{
    LogFontA f;
    f.Height = readI32(in + 0);
    f.Width = readI32(in + 4);
    f.Escapement = readI32(in + 8);
    f.Orientation = readI32(in + 12);
    f.Weight = readI32(in + 16);
    f.Italic = in[20];
    f.Underline = in[21];
    f.StrikeOut = in[22];
    f.CharSet = in[23];
    f.OutPrecision = in[24];
    f.ClipPrecision = in[25];
    f.Quality = in[26];
    f.PitchAndFamily = in[27];
    std::memcpy(f.FaceName.data(), in + 28, FaceNameBytes);
    return f;
}

std::string LogFontA::faceNameBytes() const
{
    const auto end = std::find(FaceName.begin(), FaceName.end(), uint8_t{0});
    return std::string(FaceName.begin(), end);
}

std::string LogFontA::faceNameUtf8() const { return cp1251ToUtf8(faceNameBytes()); }

void LogFontA::setFaceNameUtf8(const std::string& name)
{
    std::string bytes = utf8ToCp1251(name);
    bytes.resize(std::min(bytes.size(), FaceNameBytes - 1));
    FaceName.fill(0);
    std::memcpy(FaceName.data(), bytes.data(), bytes.size());
}

LogFontA defaultScreenFont(int n)
{
    switch (n) {
    case 1:
        return defaultFont(16, 0, 600, "Courier New");
    case 2:
        return defaultFont(16, 8, 400, "Courier New");
    case 3:
        return defaultFont(16, 6, 400, "Courier New");
    }
    throw std::out_of_range("screen font " + std::to_string(n) + " (1..3)");
}

LogFontA defaultPictureFont(int n)
{
    switch (n) {
    case 1:
        return defaultFont(22, 0, 800, "MS Sans Serif");
    case 2:
        return defaultFont(19, 6, 600, "Microsoft Sans Serif");
    case 3:
        return defaultFont(17, 5, 500, "Microsoft Sans Serif");
    }
    throw std::out_of_range("picture font " + std::to_string(n) + " (1..3)");
}

int32_t DgrSettingsBlock::intAt(size_t offset) const
{
    if (offset + 4 > Bytes)
        throw std::out_of_range("settings offset " + std::to_string(offset));
    return readI32(Raw.data() + offset);
}

void DgrSettingsBlock::setIntAt(size_t offset, int32_t value)
{
    if (offset + 4 > Bytes)
        throw std::out_of_range("settings offset " + std::to_string(offset));
    writeI32(Raw.data() + offset, value);
}

LogFontA DgrSettingsBlock::Font(int n) const { return LogFontA::fromBytes(Raw.data() + fontOffset(n)); }

void DgrSettingsBlock::SetFont(int n, const LogFontA& font) { font.toBytes(Raw.data() + fontOffset(n)); }

DgrDisplayBlock DgrDisplayBlock::makeNew(int32_t stepX, int32_t stepY)
{
    DgrDisplayBlock b;
    b.SetStepX(stepX);
    b.SetStepY(stepY);
    b.setIntAt(8, 1);
    b.setIntAt(12, 3);
    b.setIntAt(16, 1);
    for (int n = 1; n <= 3; ++n)
        b.SetFont(n, defaultScreenFont(n));
    return b;
}

DgrPictureBlock DgrPictureBlock::makeNew(int32_t stepX, int32_t stepY, int32_t line, int32_t border, int32_t rad)
{
    DgrPictureBlock b;
    b.SetStepX(stepX);
    b.SetStepY(stepY);
    b.SetLine(line);
    b.SetBorder(border);
    b.SetRad(rad);
    for (int n = 1; n <= 3; ++n)
        b.SetFont(n, defaultPictureFont(n));
    return b;
}

} // namespace quon
