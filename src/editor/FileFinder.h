// Lists the files of a folder whose names match a mask, for the batch export.
//
// Names match the mask without regard to case ("*" any run of characters,
// "?" one character), as the diagrams' home platform matched them; the list
// comes sorted by name within each folder so that a batch runs in the same
// order on every machine. Folders, "." and ".." are never listed; with
// `recursive` the subfolders are searched too, after the folder's own files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quon {

// True when `name` matches `mask` ("*.dgr"), case-insensitively (ASCII).
bool maskMatches(const std::string& mask, const std::string& name);

// Appends the full paths of the matching files of `folder` to `list` and
// returns how many it added. A folder that cannot be read adds nothing.
int FindFiles(const std::filesystem::path& folder, const std::string& mask, bool recursive,
              std::vector<std::string>& list);

} // namespace quon
