#include "model/HistoryList.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace quon {

std::vector<std::string> loadHistoryList(const std::filesystem::path& file)
{
    std::vector<std::string> entries;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            entries.push_back(line);
    }
    return entries;
}

bool saveHistoryList(const std::filesystem::path& file, const std::vector<std::string>& entries, std::string* error,
                     const char* lineEnd)
{
    std::filesystem::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& e : entries)
            out << e << lineEnd;
        out.flush();
        if (!out) {
            if (error)
                *error = "cannot write \"" + temp.string() + "\"";
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        if (error)
            *error = "cannot replace \"" + file.string() + "\": " + ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

bool addToHistory(std::vector<std::string>& list, const std::string& entry)
{
    const bool blank =
        std::all_of(entry.begin(), entry.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
    if (blank || std::find(list.begin(), list.end(), entry) != list.end())
        return false;
    list.insert(list.begin(), entry);
    return true;
}

} // namespace quon
