// The batch export's file list: masks without regard to case, files only,
// sorted, subfolders only when asked.
#include "editor/FileFinder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace quon;

TEST(FileFinder, MasksMatchWithoutRegardToCase)
{
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    };
    for (const Case& c :
         {Case{"*.dgr", "game.dgr", true}, Case{"*.dgr", "GAME.DGR", true}, Case{"*.dgr", "game.1.dgr", true},
          Case{"*.dgr", "game.dgr.bak", false}, Case{"*.dgr", ".dgr", true}, Case{"g?me.*", "game.emf", true},
          Case{"g?me.*", "gme.emf", false}, Case{"*", "", true}, Case{"*.dgr", "dgr", false}})
        EXPECT_EQ(maskMatches(c.mask, c.name), c.matches) << c.mask << " " << c.name;
}

TEST(FileFinder, ListsTheFolderSortedAndSubfoldersOnlyWhenRecursive)
{
    const fs::path root = fs::temp_directory_path() / ("quon-findfiles-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "sub.dgr");
    for (const char* name : {"b.dgr", "A.DGR", "c.txt", "sub.dgr/d.dgr"})
        std::ofstream(root / name) << "x";

    std::vector<std::string> list{"already there"};
    EXPECT_EQ(FindFiles(root, "*.dgr", false, list), 2);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1], (root / "A.DGR").string());
    EXPECT_EQ(list[2], (root / "b.dgr").string());

    list.clear();
    EXPECT_EQ(FindFiles(root, "*.dgr", true, list), 3);
    EXPECT_EQ(list.back(), (root / "sub.dgr" / "d.dgr").string());

    list.clear();
    EXPECT_EQ(FindFiles(root / "missing", "*.dgr", true, list), 0);
    fs::remove_all(root);
}
