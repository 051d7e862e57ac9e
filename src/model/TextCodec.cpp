#include "model/TextCodec.h"

#include <cstdint>

namespace quon {

namespace {
constexpr char32_t Replacement = 0xFFFD;
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

bool isValidUtf8(const std::string& bytes)
{
    std::string_view rest(bytes);
    while (!rest.empty()) {
        size_t length = 0;
        // A broken sequence is the only thing that comes back as U+FFFD
        // from a single byte.
        if (decodeUtf8(rest, length) == Replacement && length == 1)
            return false;
        rest.remove_prefix(length);
    }
    return true;
}

std::string recordTextToUtf8(const std::string& bytes)
{
    if (isValidUtf8(bytes))
        return bytes;
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes)
        appendUtf8(out, static_cast<uint8_t>(ch));
    return out;
}

} // namespace quon
