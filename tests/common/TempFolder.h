// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace quon::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace quon::test
