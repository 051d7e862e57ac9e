// The two settings blocks a diagram carries (screen display and picture
// output) and the font records inside them.
//
// Each block is 200 bytes, stored in the dgr file exactly as held here, so
// the blocks are kept as raw bytes and read through typed accessors: a file
// read and written again comes back byte for byte, reserved words and bytes
// after a face name's terminator included. Values are stored as they come;
// whoever draws clamps them to what it can draw.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quon {

// A font record in the platform's published 60-byte layout (little-endian):
// Height, Width, Escapement, Orientation, Weight as signed 32-bit values,
// eight single bytes, then a 32-byte zero-terminated face name in
// Windows-1251.
struct LogFontA {
    static constexpr size_t Bytes = 60;
    static constexpr size_t FaceNameBytes = 32;

    int32_t Height = 0; // > 0 cell height, < 0 character height, 0 default
    int32_t Width = 0;  // average character width, 0 default
    int32_t Escapement = 0;
    int32_t Orientation = 0;
    int32_t Weight = 0; // 100..900, 0 default (400)
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    uint8_t CharSet = 0;
    uint8_t OutPrecision = 0;
    uint8_t ClipPrecision = 0;
    uint8_t Quality = 0;
    uint8_t PitchAndFamily = 0;
    std::array<uint8_t, FaceNameBytes> FaceName{}; // raw, as stored

    bool operator==(const LogFontA&) const = default;

    void toBytes(uint8_t* out) const;
    static LogFontA fromBytes(const uint8_t* in);

    // The face name's bytes up to the terminator; all 32 when a stored name
    // has none.
    std::string faceNameBytes() const;
    std::string faceNameUtf8() const;
    // Converts to Windows-1251, cuts to 31 bytes and zero-fills the rest.
    void setFaceNameUtf8(const std::string& name);
};

// A new document's font records: n is the text length the record is for (1..3).
LogFontA defaultScreenFont(int n);
LogFontA defaultPictureFont(int n);

// 200 raw bytes with signed 32-bit values at fixed offsets and three font
// records at 20, 80 and 140 (for texts of 1, 2 and 3 characters).
class DgrSettingsBlock {
  public:
    static constexpr size_t Bytes = 200;

    std::array<uint8_t, Bytes> Raw{};

    int32_t intAt(size_t offset) const;
    void setIntAt(size_t offset, int32_t value);

    // n = 1..3, the length of the texts the font is for; throws
    // std::out_of_range otherwise.
    LogFontA Font(int n) const;
    void SetFont(int n, const LogFontA& font);

    bool operator==(const DgrSettingsBlock&) const = default;
};

// The screen settings: cell size in pixels, three reserved words (1, 3, 1 on
// a new document, never read) and the screen fonts.
class DgrDisplayBlock : public DgrSettingsBlock {
  public:
    int32_t StepX() const { return intAt(0); }
    int32_t StepY() const { return intAt(4); }
    void SetStepX(int32_t v) { setIntAt(0, v); }
    void SetStepY(int32_t v) { setIntAt(4, v); }
    // The values a new document gets: steps, reserved words, default fonts.
    static DgrDisplayBlock makeNew(int32_t stepX, int32_t stepY);
};

// The picture settings: cell size, pen width of inner lines and marks
// (`Line`), of the board's edge (`Border`), a stone's inset from its cell
// sides (`Rad`), and the picture fonts.
class DgrPictureBlock : public DgrSettingsBlock {
  public:
    int32_t StepX() const { return intAt(0); }
    int32_t StepY() const { return intAt(4); }
    int32_t Line() const { return intAt(8); }
    int32_t Border() const { return intAt(12); }
    int32_t Rad() const { return intAt(16); }
    void SetStepX(int32_t v) { setIntAt(0, v); }
    void SetStepY(int32_t v) { setIntAt(4, v); }
    void SetLine(int32_t v) { setIntAt(8, v); }
    void SetBorder(int32_t v) { setIntAt(12, v); }
    void SetRad(int32_t v) { setIntAt(16, v); }
    static DgrPictureBlock makeNew(int32_t stepX, int32_t stepY, int32_t line, int32_t border, int32_t rad);
};

} // namespace quon
