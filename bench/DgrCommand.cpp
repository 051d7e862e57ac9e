// quon-bench dgr IN.dgr OUT.dgr: a dgr file read as the editor reads it and
// written back, with what was read as one JSON line.
#include "BenchCommon.h"
#include "Commands.h"
#include "editor/DgrData.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace quon::bench {

namespace {

// The cursor a current-layout header records, (0, 0) when there is none.
IntPoint recordedCursor(const char* file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char h[24] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    if (in.gcount() != static_cast<std::streamsize>(sizeof h))
        return {};
    auto i32 = [&](int at) {
        return static_cast<int32_t>(static_cast<uint32_t>(h[at]) | (static_cast<uint32_t>(h[at + 1]) << 8) |
                                    (static_cast<uint32_t>(h[at + 2]) << 16) |
                                    (static_cast<uint32_t>(h[at + 3]) << 24));
    };
    return IntPoint{i32(16), i32(20)};
}

} // namespace

int dgrCommand(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quon-bench dgr IN.dgr OUT.dgr\n");
        return 2;
    }
    // The editor reads into the document it has, whose cursor stays where it
    // was. The bench's document is empty (an older-layout file gets the whole
    // grid as its block) with its cursor where the file records it, so that a
    // file read and written back comes out unchanged.
    tDgrData doc;
    doc.Cursor = recordedCursor(argv[2]);
    std::string error;
    const bool ok = doc.LoadFromFile(argv[2], error);
    std::string writeError;
    const bool written = ok && doc.SaveToFile(argv[3], writeError);

    int32_t stones = 0;
    int32_t numbers = 0;
    for (int32_t y = 0; y < doc.Height(); ++y)
        for (int32_t x = 0; x < doc.Width(); ++x) {
            const DgrCell c = doc.Grid.GetCell(x, y);
            stones += c.Stone != 0 ? 1 : 0;
            numbers += c.Number != 0 ? 1 : 0;
        }
    std::string j = std::string("{\"ok\": ") + (ok ? "true" : "false");
    if (!ok)
        j += ", \"error\": " + jsonString(error);
    else if (!written)
        j += ", \"write_error\": " + jsonString(writeError);
    j += ", \"width\": " + std::to_string(doc.Width()) + ", \"height\": " + std::to_string(doc.Height());
    j += ", \"block\": [" + std::to_string(doc.Block.X1) + ", " + std::to_string(doc.Block.Y1) + ", " +
         std::to_string(doc.Block.X2) + ", " + std::to_string(doc.Block.Y2) + "]";
    j += ", \"cells\": " + std::to_string(doc.Grid.countNonZero()) + ", \"stones\": " + std::to_string(stones) +
         ", \"numbers\": " + std::to_string(numbers) + "}";
    std::printf("%s\n", j.c_str());
    return ok && written ? 0 : 1;
}

} // namespace quon::bench
