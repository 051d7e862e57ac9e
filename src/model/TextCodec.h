// Record text is bytes. Values shown to the user are taken as UTF-8 where
// the bytes are valid UTF-8, and as Latin-1 otherwise (older records).
#pragma once

#include <string>

namespace quon {

bool isValidUtf8(const std::string& bytes);
// The bytes as UTF-8: unchanged when already valid, else read as Latin-1.
std::string recordTextToUtf8(const std::string& bytes);

} // namespace quon
