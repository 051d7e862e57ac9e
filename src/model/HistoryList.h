// The history lists of the game-information dialog: plain text files of one
// entry per line ("ProNames.txt" and the others) in the start folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quon {

inline constexpr const char* HistoryNamesFile = "ProNames.txt";
inline constexpr const char* HistoryTournsFile = "ProTourns.txt";
inline constexpr const char* HistorySourcesFile = "ProSources.txt";
inline constexpr const char* HistoryPlacesFile = "ProPlaces.txt";
inline constexpr const char* HistoryRoundsFile = "ProRounds.txt";

// The entries of a history file, in file order; line ends (LF or CR LF)
// stripped, empty lines left out. A missing or unreadable file is an empty
// list.
std::vector<std::string> loadHistoryList(const std::filesystem::path& file);

// Replaces the file whole, through a temporary file renamed over it, so a
// failed write keeps the old list. Every entry is followed by `lineEnd`.
// False (with a reason) on failure.
bool saveHistoryList(const std::filesystem::path& file, const std::vector<std::string>& entries,
                     std::string* error = nullptr, const char* lineEnd = "\n");

// Puts `entry` at the top of `list` when it is not in it yet (exact,
// case-sensitive comparison). Blank entries are not history. True when added.
bool addToHistory(std::vector<std::string>& list, const std::string& entry);

} // namespace quon
