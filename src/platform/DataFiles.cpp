#include "platform/DataFiles.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

namespace quon {

namespace fs = std::filesystem;

std::vector<fs::path> dataFolders()
{
    std::vector<fs::path> folders;
    if (const char* env = std::getenv("QUON_OCR_DATA"); env && *env)
        folders.emplace_back(env);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        folders.push_back(exe.parent_path().parent_path() / "share" / "quon-ocr");
        folders.push_back(exe.parent_path() / "data");
    }
    folders.emplace_back(QUON_DATA_DIR);
    return folders;
}

fs::path findDataFile(const std::string& name, const fs::path& firstFolder)
{
    std::error_code ec;
    if (!firstFolder.empty() && fs::is_regular_file(firstFolder / name, ec))
        return firstFolder / name;
    for (const fs::path& folder : dataFolders())
        if (fs::is_regular_file(folder / name, ec))
            return folder / name;
    return {};
}

uint32_t tickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace quon
