#include "recognize/DigitSetFile.h"

#include "platform/DataFiles.h"

namespace quon {

std::filesystem::path defaultDigitSetPath(const std::filesystem::path& startFolder)
{
    return findDataFile(DefaultDigitSetName, startFolder);
}

} // namespace quon
