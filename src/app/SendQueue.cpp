#include "app/SendQueue.h"

#include "model/HistoryList.h"

#include <algorithm>
#include <cmath>

namespace quon {

std::vector<std::string> loadSendQueue(const std::filesystem::path& file)
{
    std::vector<std::string> paths;
    // Paths are bytes: the entries are taken as the file holds them.
    for (const HistoryEntry& entry : loadHistoryList(file)) {
        const std::string& line = entry.Bytes;
        const bool blank = std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
        if (!blank && std::find(paths.begin(), paths.end(), line) == paths.end())
            paths.push_back(line);
    }
    return paths;
}

bool saveSendQueue(const std::filesystem::path& file, const std::vector<std::string>& paths, std::string* error)
{
    std::vector<HistoryEntry> entries;
    for (const std::string& p : paths)
        entries.push_back(HistoryEntry{p, p});
    return saveHistoryList(file, entries, error, "\r\n");
}

int gamesPerMessage(double setting)
{
    if (!std::isfinite(setting))
        return 10;
    return static_cast<int>(std::clamp(std::lround(setting), 5L, 30L));
}

} // namespace quon
