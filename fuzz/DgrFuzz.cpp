// Diagram files as the editor's Open reads them (both layouts). The
// promise: a refused file says why and leaves the document being edited as
// it was; a diagram that was read is consistent and saves to a file that
// reads back to the same diagram.
#include "FuzzPromise.h"

#include "editor/DgrData.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace quon;
using namespace quon::fuzz;

namespace {

// In memory where there is a memory file system: the reader reads files.
std::string scratchFile(const char* what)
{
    static const std::filesystem::path folder =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    return (folder / ("quon-fuzz-dgr-" + std::to_string(getpid()) + "-" + what + ".dgr")).string();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    promise(static_cast<bool>(out.flush()), "the scratch file can be written");
}

// A document being edited when the file is opened.
tDgrData editedDocument()
{
    tDgrData d(5, 4);
    d.Grid.PutCell(1, 2, DgrCell{7, 1, StoneBlack, 0, 0});
    d.SetBlockStart({1, 1});
    d.Cursor = {2, 3};
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = scratchFile("in");
    writeFile(input, bytesOf(data, size));
    tDgrData doc = editedDocument();
    const std::string before = doc.fileBytes();
    std::string error;
    if (!doc.LoadFromFile(input, error)) {
        promise(!error.empty(), "a refused diagram says why");
        promise(doc.fileBytes() == before && doc.FileName.empty(), "a refused diagram changes nothing");
    } else {
        promise(doc.checkInvariant().empty(), "a diagram read is consistent", doc.checkInvariant());
        const std::string saved = doc.fileBytes();
        const std::string output = scratchFile("out");
        writeFile(output, saved);
        tDgrData again = editedDocument();
        promise(again.LoadFromFile(output, error), "a saved diagram opens again", error);
        promise(again.fileBytes() == saved, "a saved diagram reads back the same");
        std::remove(output.c_str());
    }
    std::remove(input.c_str());
    return 0;
}
