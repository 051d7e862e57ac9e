// Record text is bytes. Values shown to the user are taken as UTF-8 where
// the bytes are valid UTF-8, and as Latin-1 otherwise (older records).
#pragma once

#include <string>
#include <string_view>

namespace quon {

// One UTF-8 character from the front of `text`: its code point, and how many
// bytes it took (0 for an empty text). A broken sequence (overlong forms,
// surrogates and values past the last code point included) gives U+FFFD and 1.
char32_t decodeUtf8(std::string_view text, size_t& length);
void appendUtf8(std::string& out, char32_t ch);

bool isValidUtf8(const std::string& bytes);
// The bytes as UTF-8: unchanged when already valid, else read as Latin-1.
std::string recordTextToUtf8(const std::string& bytes);

} // namespace quon
