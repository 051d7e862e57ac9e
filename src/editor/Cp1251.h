// The Windows-1251 code page: labels on the diagram and font face names are
// kept as its single bytes, in the document and in dgr files alike.
//
// Bytes below 0x80 are ASCII. Of the upper half every byte has a character
// except 0x98, which is unassigned; it reads as U+FFFD and nothing converts
// back to it.
#pragma once

#include "model/TextCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quon {

// The character of one byte.
char32_t cp1251ToUnicode(uint8_t byte);
// The byte of one character; none when the code page has no such character.
std::optional<uint8_t> unicodeToCp1251(char32_t ch);

// Bytes to UTF-8 text.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 text to bytes; a character the code page lacks (or a broken UTF-8
// sequence) becomes `replacement`, or is left out when it is 0.
std::string utf8ToCp1251(std::string_view text, char replacement = '?');


} // namespace quon
