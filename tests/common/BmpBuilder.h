// Builds BMP files byte by byte for tests, in every layout a page may come
// in, from a small picture given as rows of '#' (black) and '.' (white).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quon::test {

enum class BmpKind {
    Mono,          // 1 bit, palette [black, white]
    MonoInverted,  // 1 bit, palette [white, black]
    Pal4,          // 4 bits, palette
    Rle4,          // 4 bits, run-length encoded
    Pal8,          // 8 bits, palette
    Rle8,          // 8 bits, run-length encoded
    Rgb555,        // 16 bits, 5-5-5
    Bitfields565,  // 16 bits, 5-6-5 bit fields
    Rgb24,
    Rgb32,
    Bitfields32,   // 32 bits with bit fields
    Os2Core,       // 12-byte header, 24 bits
    V4Header,      // 108-byte header, 24 bits
    V5Header,      // 124-byte header, 8 bits
    TopDown,       // 24 bits, negative height
};

struct BmpCase {
    BmpKind kind;
    const char* name;
};

extern const std::vector<BmpCase> AllBmpKinds;

// rows: one string per row, '#' black, '.' white (any other character is a
// mid grey of 100, dark).
std::vector<uint8_t> makeBmp(BmpKind kind, const std::vector<std::string>& rows);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// A plain bitmap as rows of '#' and '.'.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink; // 1 = black
    static Bitmap fromRows(const std::vector<std::string>& rows);
};

} // namespace quon::test

#include <ostream>
namespace quon::test {
inline void PrintTo(const BmpCase& c, std::ostream* os) { *os << c.name; }
} // namespace quon::test
