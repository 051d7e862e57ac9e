#include "editor/FileFinder.h"

#include <algorithm>
#include <cctype>

namespace quon {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool matchFrom(const std::string& mask, size_t m, const std::string& name, size_t n)
{
    while (m < mask.size()) {
        if (mask[m] == '*') {
            for (size_t k = n; k <= name.size(); ++k)
                if (matchFrom(mask, m + 1, name, k))
                    return true;
            return false;
        }
        if (n >= name.size())
            return false;
        if (mask[m] != '?' && lower(mask[m]) != lower(name[n]))
            return false;
        ++m;
        ++n;
    }
    return n == name.size();
}

} // namespace

bool maskMatches(const std::string& mask, const std::string& name) { return matchFrom(mask, 0, name, 0); }

int FindFiles(const std::filesystem::path& folder, const std::string& mask, bool recursive,
              std::vector<std::string>& list)
{
    namespace fs = std::filesystem;
    const size_t before = list.size();
    std::vector<fs::path> files, folders;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            folders.push_back(it->path());
        else if (maskMatches(mask, it->path().filename().string()))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files)
        list.push_back(f.string());
    if (recursive) {
        std::sort(folders.begin(), folders.end());
        for (const fs::path& sub : folders)
            FindFiles(sub, mask, recursive, list);
    }
    return static_cast<int>(list.size() - before);
}

} // namespace quon
