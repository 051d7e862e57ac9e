#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace quon::test {

TempFolder::TempFolder()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "quon-test-" + std::to_string(::getpid());
    if (info)
        name += std::string("-") + info->test_suite_name() + "-" + info->name();
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace quon::test
