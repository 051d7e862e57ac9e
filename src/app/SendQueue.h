// The mail form's send queue on disk: "uqcr.dat" in the start folder, one
// full path of a game file per line, lines ended by CR LF, in queue order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quon {

inline constexpr const char* SendQueueFile = "uqcr.dat";

// The queued paths in file order. Blank lines and repeats of a path are
// left out; a missing or unreadable file is an empty queue.
std::vector<std::string> loadSendQueue(const std::filesystem::path& file);

// Replaces the file through a temporary file renamed over it, so a failed
// write keeps the old queue. False (with a reason) on failure.
bool saveSendQueue(const std::filesystem::path& file, const std::vector<std::string>& paths,
                   std::string* error = nullptr);

// How many files go into one message for the option's value: rounded, and
// kept within the option's range of 5 to 30 whatever was typed.
int gamesPerMessage(double setting);

} // namespace quon
