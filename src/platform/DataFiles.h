// Where the program finds the files it ships (the digit set, the board
// pictures, the help page) and the millisecond tick counter.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quon {

// The program's own data folders, most specific first: $QUON_OCR_DATA, the
// share folder beside an installed program, the source tree's data folder.
std::vector<std::filesystem::path> dataFolders();

// First existing file of that name in `firstFolder` (when not empty), then in
// the data folders. Empty when none holds it.
std::filesystem::path findDataFile(const std::string& name, const std::filesystem::path& firstFolder);

// Milliseconds since an arbitrary start, wrapping like a 32-bit tick counter.
uint32_t tickCount();

} // namespace quon
