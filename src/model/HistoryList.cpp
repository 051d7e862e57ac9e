#include "model/HistoryList.h"

#include "model/TextCodec.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quon {

std::vector<HistoryEntry> parseHistoryList(const std::string& bytes)
{
    std::vector<HistoryEntry> entries;
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", i);
        const size_t stop = end == std::string::npos ? bytes.size() : end;
        if (stop > i) {
            std::string line = bytes.substr(i, stop - i);
            entries.push_back({recordTextToUtf8(line), std::move(line)});
        }
        i = stop + 1;
    }
    return entries;
}

std::string historyListBytes(const std::vector<HistoryEntry>& entries, const char* lineEnd)
{
    std::string out;
    for (const HistoryEntry& e : entries) {
        if (!e.Bytes.empty()) {
            out += e.Bytes;
        } else {
            std::string text = e.Text;
            std::replace(text.begin(), text.end(), '\r', ' ');
            std::replace(text.begin(), text.end(), '\n', ' ');
            out += text;
        }
        out += lineEnd;
    }
    return out;
}

std::vector<HistoryEntry> loadHistoryList(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseHistoryList(bytes);
}

bool saveHistoryList(const std::filesystem::path& file, const std::vector<HistoryEntry>& entries, std::string* error,
                     const char* lineEnd)
{
    std::filesystem::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        const std::string bytes = historyListBytes(entries, lineEnd);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
