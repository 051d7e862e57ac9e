// The history lists of the game-information dialog as the program reads
// and writes them. The promise: every entry shows as valid UTF-8, holds no
// line break, and a list saved untouched reads back entry for entry, byte
// for byte.
#include "FuzzPromise.h"

#include "model/HistoryList.h"
#include "model/TextCodec.h"

using namespace quon;
using namespace quon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<HistoryEntry> read = parseHistoryList(bytesOf(data, size));
    for (const HistoryEntry& e : read) {
        promise(isValidUtf8(e.Text), "an entry shows as UTF-8");
        promise(!e.Text.empty() && e.Bytes.find_first_of("\r\n") == std::string::npos,
                "an entry is one line that is not empty");
    }
    const std::string saved = historyListBytes(read);
    promise(parseHistoryList(saved) == read, "a list saved untouched reads back the same");
    // Entries added in the dialog are written as text and read back as it.
    std::vector<HistoryEntry> added;
    for (const HistoryEntry& e : read)
        added.push_back({e.Text, {}});
    const std::vector<HistoryEntry> back = parseHistoryList(historyListBytes(added));
    promise(back.size() == added.size(), "every added entry is one line");
    for (size_t i = 0; i < back.size(); ++i)
        promise(back[i].Text == added[i].Text, "an added entry reads back as its text");
    return 0;
}
