// The history lists of the game-information dialog: plain text files of one
// entry per line ("ProNames.txt" and the others) in the start folder.
//
// Files written by hand or by older programs are in Latin-1 as often as in
// UTF-8, so each line is shown as UTF-8 when it is valid UTF-8 and read as
// Latin-1 otherwise, and an entry keeps the bytes it was read from: a list
// saved again writes every entry the user did not add exactly as it was.
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

struct HistoryEntry {
    std::string Text;  // as shown, UTF-8
    std::string Bytes; // as the file holds it; empty for an entry added here
    bool operator==(const HistoryEntry&) const = default;
};

// The entries of a history file's bytes, in file order. Lines end at LF, CR
// LF or CR (any run of them: a CR CR LF leaves no CR in the entry); empty
// lines are left out.
std::vector<HistoryEntry> parseHistoryList(const std::string& bytes);
// The bytes of a list: each entry's own bytes, or its text for an entry
// added here (a line break in it becomes a space), then LF.
std::string historyListBytes(const std::vector<HistoryEntry>& entries, const char* lineEnd = "\n");

// The entries of a history file. A missing or unreadable file is an empty
// list.
std::vector<HistoryEntry> loadHistoryList(const std::filesystem::path& file);

// Replaces the file whole, through a temporary file renamed over it, so a
// failed write keeps the old list. Every entry is followed by `lineEnd`.
// False (with a reason) on failure.
bool saveHistoryList(const std::filesystem::path& file, const std::vector<HistoryEntry>& entries,
                     std::string* error = nullptr, const char* lineEnd = "\n");

// Puts `entry` at the top of `list` when it is not in it yet (exact,
// case-sensitive comparison). Blank entries are not history. True when added.
bool addToHistory(std::vector<std::string>& list, const std::string& entry);

} // namespace quon
