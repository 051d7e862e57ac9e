#include "editor/Cp1251.h"

#include <array>

namespace quon {

namespace {

// Characters of the bytes 0x80..0xFF, eight bytes a line.
// clang-format off
constexpr std::array<char16_t, 128> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};
// clang-format on

constexpr char32_t Replacement = 0xFFFD;

} // namespace

char32_t cp1251ToUnicode(uint8_t byte) { return byte < 0x80 ? char32_t(byte) : char32_t(UpperHalf[byte - 0x80]); }

std::optional<uint8_t> unicodeToCp1251(char32_t ch)
{
    if (ch < 0x80)
        return static_cast<uint8_t>(ch);
    if (ch == Replacement)
        return std::nullopt;
    for (size_t i = 0; i < UpperHalf.size(); ++i)
        if (char32_t(UpperHalf[i]) == ch)
            return static_cast<uint8_t>(0x80 + i);
    return std::nullopt;
}

char32_t decodeUtf8(std::string_view text, size_t& length)
{
    length = 0;
    if (text.empty())
        return 0;
    const auto c = static_cast<uint8_t>(text[0]);
    length = 1;
    if (c < 0x80)
        return c;
    size_t extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return Replacement;
    }
    if (text.size() <= extra)
        return Replacement;
    for (size_t k = 1; k <= extra; ++k) {
        const auto cc = static_cast<uint8_t>(text[k]);
        if ((cc & 0xC0) != 0x80)
            return Replacement;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return Replacement;
    length = extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::string cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes)
        appendUtf8(out, cp1251ToUnicode(static_cast<uint8_t>(b)));
    return out;
}

std::string utf8ToCp1251(std::string_view text, char replacement)
{
    std::string out;
    while (!text.empty()) {
        size_t length = 0;
        const char32_t ch = decodeUtf8(text, length);
        text.remove_prefix(length);
        if (const auto b = unicodeToCp1251(ch))
            out += static_cast<char>(*b);
        else if (replacement != 0)
            out += replacement;
    }
    return out;
}

} // namespace quon
