// Loading the default digit set at start and on demand.
#pragma once

#include <filesystem>
#include <string>

namespace quon {

constexpr const char* DefaultDigitSetName = "Digits.BzP";

// Where "Digits.BzP" is taken from: the start folder first, then the
// program's data folder; empty when neither holds it.
std::filesystem::path defaultDigitSetPath(const std::filesystem::path& startFolder);

} // namespace quon
