#include "common/TempFolder.h"
#include "editor/DgrData.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quon;
using quon::test::TempFolder;
namespace fs = std::filesystem;

namespace {

void writeFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void put32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A current-layout file written from the format's description, independent
// of the writer: header fields, the two blocks as given, then the cells.
std::string dgrFile(uint32_t w, uint32_t h, DgrBlock block, const std::string& cells, uint32_t magic = DgrMagic,
                    uint32_t cellSize = 6)
{
    std::string s(504, '\0');
    put32(s, 0, magic);
    put32(s, 4, w);
    put32(s, 8, h);
    put32(s, 12, cellSize);
    put32(s, 16, 7);
    put32(s, 20, 9);
    put32(s, 24, static_cast<uint32_t>(block.X1));
    put32(s, 28, static_cast<uint32_t>(block.Y1));
    put32(s, 32, static_cast<uint32_t>(block.X2));
    put32(s, 36, static_cast<uint32_t>(block.Y2));
    for (size_t i = 104; i < 504; ++i)
        s[i] = static_cast<char>(i * 7 + 3); // settings bytes of no particular meaning
    return s + cells;
}

std::string cellBytes(std::initializer_list<DgrCell> cells)
{
    std::string s;
    for (const DgrCell& c : cells) {
        s += static_cast<char>(c.Number & 0xFF);
        s += static_cast<char>(c.Number >> 8);
        s += static_cast<char>(c.Element);
        s += static_cast<char>(c.Stone);
        s += static_cast<char>(c.Mark);
        s += static_cast<char>(c.Test);
    }
    return s;
}

// Everything a document holds, for "nothing changed" checks.
std::string snapshot(const tDgrData& d)
{
    return d.fileBytes() + "|" + d.FileName + "|" + std::to_string(d.Cursor.X) + "," + std::to_string(d.Cursor.Y);
}

// A 3 x 2 document with every field set to something other than its default.
tDgrData richDocument()
{
    tDgrData d(3, 2, DgrNewSettings{17, 19, 25, 27, 3, 5, 2});
    d.Grid.PutCell(0, 0, DgrCell{1, ElemTopLeft, StoneBlack, 0, 0});
    d.Grid.PutCell(1, 0, DgrCell{999, ElemTop, StoneWhite, 65, TestTwice});
    d.Grid.PutCell(2, 0, DgrCell{0, ElemTopRight, 0, MarkCircle, 0});
    d.Grid.PutCell(0, 1, DgrCell{0x1234, ElemBottomLeft, 0, 0xC6, TestGap});
    d.Grid.PutCell(2, 1, DgrCell{0, ElemStar, StoneBlack, MarkSquare, 0});
    d.Block = DgrBlock{1, 0, 2, 1};
    d.Cursor = IntPoint{2, 1};
    LogFontA f = d.Picture.Font(2);
    f.setFaceNameUtf8("Гарнитура");
    f.FaceName[20] = 0x5A; // a byte after the terminator must survive too
    f.CharSet = 204;
    f.Italic = 1;
    d.Picture.SetFont(2, f);
    d.Display.setIntAt(12, -77); // a reserved word
    return d;
}

} // namespace

TEST(DgrFile, SavedDocumentReadsBackByteForByte)
{
    TempFolder tmp;
    const std::string name = tmp.file("rich.dgr");
    tDgrData saved = richDocument();
    std::string error;
    ASSERT_TRUE(saved.SaveToFile(name, error)) << error;
    EXPECT_EQ(saved.FileName, name);
    EXPECT_EQ(readFile(name), saved.fileBytes());
    EXPECT_FALSE(fs::exists(name + ".saving"));

    tDgrData read(5, 5);
    read.Cursor = IntPoint{4, 4};
    ASSERT_TRUE(read.LoadFromFile(name, error)) << error;
    EXPECT_EQ(read.checkInvariant(), "");
    EXPECT_EQ(read.Grid, saved.Grid);
    EXPECT_EQ(read.Block, saved.Block);
    EXPECT_EQ(read.Display, saved.Display);
    EXPECT_EQ(read.Picture, saved.Picture);
    EXPECT_EQ(read.Picture.Font(2).faceNameUtf8(), "Гарнитура");
    EXPECT_EQ(read.FileName, name);
    // The cursor is not taken from the file, only kept inside the grid.
    EXPECT_EQ(read.Cursor, (IntPoint{2, 1}));
    read.Cursor = saved.Cursor;
    EXPECT_EQ(read.fileBytes(), saved.fileBytes());
}

TEST(DgrFile, HeaderIsLaidOutAsDescribed)
{
    tDgrData d(2, 1, DgrNewSettings{20, 21, 22, 23, 1, 2, 0});
    d.Grid.PutCell(1, 0, DgrCell{0x0102, 9, 1, 0xB0, 2});
    d.Cursor = IntPoint{1, 0};
    d.Block = DgrBlock{1, 0, 1, 0};
    const std::string bytes = d.fileBytes();
    ASSERT_EQ(bytes.size(), 504u + 12u);

    std::string expected(504, '\0');
    put32(expected, 0, 0xABCDEF12);
    put32(expected, 4, 2);
    put32(expected, 8, 1);
    put32(expected, 12, 6);
    put32(expected, 16, 1); // cursor
    put32(expected, 20, 0);
    put32(expected, 24, 1); // block
    put32(expected, 28, 0);
    put32(expected, 32, 1);
    put32(expected, 36, 0);
    put32(expected, 104, 20);
    put32(expected, 108, 21);
    put32(expected, 112, 1);
    put32(expected, 116, 3);
    put32(expected, 120, 1);
    put32(expected, 304, 22);
    put32(expected, 308, 23);
    put32(expected, 312, 1);
    put32(expected, 316, 2);
    put32(expected, 320, 0);
    // First screen font at 124: 16, 0, 0, 0, 600, bytes 0 0 0 0 2 1 0 0, "Courier New".
    put32(expected, 124, 16);
    put32(expected, 140, 600);
    expected[124 + 24] = 2;
    expected[124 + 25] = 1;
    const std::string courier = "Courier New";
    expected.replace(124 + 28, courier.size(), courier);
    EXPECT_EQ(bytes.substr(0, 124 + 60), expected.substr(0, 124 + 60));
    EXPECT_EQ(bytes.substr(304, 20), expected.substr(304, 20));
    EXPECT_EQ(bytes.substr(40, 64), std::string(64, '\0'));
    EXPECT_EQ(bytes.substr(504), cellBytes({DgrCell{}, DgrCell{0x0102, 9, 1, 0xB0, 2}}));
}

TEST(DgrFile, ReaderAcceptsGoodFilesAndRefusesBrokenOnesUnchanged)
{
    TempFolder tmp;
    const std::string cells6 = cellBytes({DgrCell{1, 1, 1, 0, 0}, DgrCell{}, DgrCell{0, 5, 0, 65, 0}, DgrCell{},
                                          DgrCell{2, 9, 2, 0, 0}, DgrCell{0, 4, 0, 0, 1}});
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        int32_t width, height; // when read
    };
    std::string at7200 = dgrFile(3, 2, {0, 0, 2, 1}, cells6, 0x12345678);
    at7200.resize(7200, '\0');
    std::string size8At7200 = dgrFile(3, 2, {0, 0, 2, 1}, cells6, DgrMagic, 8);
    size8At7200.resize(7200, '\0');
    const Case cases[] = {
        {"good", dgrFile(3, 2, {0, 0, 2, 1}, cells6), true, 3, 2},
        {"trailing bytes ignored", dgrFile(3, 2, {0, 0, 2, 1}, cells6 + "extra"), true, 3, 2},
        {"0 x 0 grid", dgrFile(0, 0, {0, 0, -1, -1}, ""), true, 0, 0},
        {"0 x 5 grid", dgrFile(0, 5, {0, 0, 0, 0}, ""), true, 0, 5},
        {"empty file", "", false, 0, 0},
        {"100 bytes", std::string(100, 'x'), false, 0, 0},
        {"header only", dgrFile(3, 2, {0, 0, 2, 1}, ""), false, 0, 0},
        {"one cell byte short", dgrFile(3, 2, {0, 0, 2, 1}, cells6.substr(0, 35)), false, 0, 0},
        {"cell size 8", dgrFile(3, 2, {0, 0, 2, 1}, cells6, DgrMagic, 8), false, 0, 0},
        {"other magic", dgrFile(3, 2, {0, 0, 2, 1}, cells6, 0x12EFCDAB), false, 0, 0},
        {"other magic at 7200 bytes is the older layout", at7200, true, 48, 75},
        {"cell size 8 at 7200 bytes is the older layout", size8At7200, true, 48, 75},
        {"width 70000", dgrFile(70000, 1, {0, 0, 0, 0}, std::string(420000, '\0')), false, 0, 0},
        {"width 65536, height 0", dgrFile(65536, 0, {0, 0, 0, 0}, ""), false, 0, 0},
        {"cells past the cap", dgrFile(1001, 1000, {0, 0, 0, 0}, ""), false, 0, 0},
        {"product past 32 bits", dgrFile(0xFFFFFFFF, 0xFFFFFFFF, {0, 0, 0, 0}, cells6), false, 0, 0},
    };
    for (const Case& c : cases) {
        const std::string name = tmp.file("case.dgr");
        writeFile(name, c.bytes);
        tDgrData d(4, 4);
        d.Grid.PutCell(3, 3, DgrCell{5, 9, 1, 0, 0});
        d.Block = DgrBlock{1, 1, 3, 3};
        d.Cursor = IntPoint{3, 2};
        const std::string before = snapshot(d);
        std::string error;
        const bool ok = d.LoadFromFile(name, error);
        EXPECT_EQ(ok, c.ok) << c.what << ": " << error;
        EXPECT_EQ(d.checkInvariant(), "") << c.what;
        if (ok) {
            EXPECT_EQ(d.Width(), c.width) << c.what;
            EXPECT_EQ(d.Height(), c.height) << c.what;
            EXPECT_EQ(d.FileName, name) << c.what;
        } else {
            EXPECT_EQ(error, "Неправильная структура файла\n" + name) << c.what;
            EXPECT_EQ(snapshot(d), before) << c.what;
        }
    }
}

TEST(DgrFile, MissingFileIsNamedAndChangesNothing)
{
    TempFolder tmp;
    tDgrData d(3, 3);
    const std::string before = snapshot(d);
    std::string error;
    EXPECT_FALSE(d.LoadFromFile(tmp.file("none.dgr"), error));
    EXPECT_EQ(error, "Файл " + tmp.file("none.dgr") + " не найден");
    EXPECT_EQ(std::string(DgrErrorCaption), "Ошибка");
    EXPECT_EQ(snapshot(d), before);
    // A folder is no diagram either.
    EXPECT_FALSE(d.LoadFromFile(tmp.path().string(), error));
    EXPECT_EQ(error.rfind("Ошибка чтения файла " + tmp.path().string(), 0), 0u) << error;
    EXPECT_EQ(snapshot(d), before);
}

TEST(DgrFile, EveryPrefixAndEveryHeaderCorruptionIsRefusedOrReadSafely)
{
    TempFolder tmp;
    const std::string name = tmp.file("p.dgr");
    const std::string good = richDocument().fileBytes();
    tDgrData d(2, 2);
    const std::string before = snapshot(d);
    std::string error;
    for (size_t n = 0; n < good.size(); ++n) {
        writeFile(name, good.substr(0, n));
        ASSERT_FALSE(d.LoadFromFile(name, error)) << "prefix " << n;
        ASSERT_EQ(error, dgrBadStructureMessage(name)) << "prefix " << n;
        ASSERT_EQ(snapshot(d), before) << "prefix " << n;
    }
    // Magic, sizes and cell size: any flipped byte makes the file unreadable
    // (a size only grows, or passes 65535).
    for (size_t i = 0; i < 16; ++i) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ 0xFF);
        writeFile(name, bad);
        EXPECT_FALSE(d.LoadFromFile(name, error)) << "byte " << i;
        EXPECT_EQ(snapshot(d), before) << "byte " << i;
    }
    // Cursor, block, padding and settings: read, with block and cursor kept
    // inside the grid.
    for (size_t i = 16; i < 504; ++i) {
        std::string odd = good;
        odd[i] = static_cast<char>(odd[i] ^ 0xFF);
        writeFile(name, odd);
        tDgrData r(2, 2);
        ASSERT_TRUE(r.LoadFromFile(name, error)) << "byte " << i << ": " << error;
        ASSERT_EQ(r.checkInvariant(), "") << "byte " << i;
        ASSERT_EQ(r.Width(), 3);
    }
}

TEST(DgrFile, HostileBlocksFromAFileAreBroughtIntoTheGrid)
{
    TempFolder tmp;
    const std::string name = tmp.file("b.dgr");
    const std::string cells = std::string(19 * 19 * 6, '\0');
    struct Case {
        DgrBlock inFile;
        DgrBlock read;
    };
    const Case cases[] = {
        {{2, 3, 10, 12}, {2, 3, 10, 12}},    {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 18, 18}},
        {{5, 5, INT_MAX, 7}, {5, 5, 18, 7}}, {{10, 10, 4, 4}, {0, 0, 18, 18}},
        {{19, 0, 25, 5}, {0, 0, 18, 18}},    {{-9, -9, -1, -1}, {0, 0, 18, 18}},
    };
    for (const Case& c : cases) {
        writeFile(name, dgrFile(19, 19, c.inFile, cells));
        tDgrData d(3, 3);
        std::string error;
        ASSERT_TRUE(d.LoadFromFile(name, error)) << error;
        EXPECT_EQ(d.Block, c.read) << c.inFile.X1 << "," << c.inFile.Y1 << "," << c.inFile.X2 << "," << c.inFile.Y2;
        EXPECT_EQ(d.checkInvariant(), "");
    }
}

TEST(DgrFile, OlderLayoutDecodesEveryField)
{
    TempFolder tmp;
    struct Case {
        uint16_t word;
        DgrCell cell;
    };
    const Case cases[] = {
        {0x0000, {}},
        {1, {1, 0, 0, 0, 0}},
        {767, {767, 0, 0, 0, 0}},
        {768, {0, 0, 0, 1, 0}},
        {832, {0, 0, 0, 65, 0}}, // "A"
        {943, {0, 0, 0, MarkSquare, 0}},
        {1022, {0, 0, 0, 255, 0}},
        {1023, {}}, // (1023 - 767) mod 256 is no label
        {(9 << 10) | 42, {42, ElemCross, 0, 0, 0}},
        {(10 << 10), {0, ElemStar, 0, 0, 0}},
        {(1 << 14) | 5, {5, 0, StoneWhite, 0, 0}},
        {(3 << 14) | (4 << 10) | 7, {7, ElemBottomRight, StoneBlack, 0, 0}},
        {(2 << 14) | 7, {7, 0, 0, 0, 0}},
        {(15 << 10), {0, 15, 0, 0, 0}},
    };
    std::string bytes(7200, '\0');
    for (size_t i = 0; i < std::size(cases); ++i) {
        // Spread over the grid so that the row stride is checked too.
        const size_t at = (i * 251) % 3600;
        bytes[2 * at] = static_cast<char>(cases[i].word & 0xFF);
        bytes[2 * at + 1] = static_cast<char>(cases[i].word >> 8);
    }
    const std::string name = tmp.file("old.dgr");
    writeFile(name, bytes);

    tDgrData d(19, 19, DgrNewSettings{31, 32, 33, 34, 5, 6, 7});
    d.Block = DgrBlock{2, 3, 15, 16};
    d.Cursor = IntPoint{18, 18};
    const DgrDisplayBlock display = d.Display;
    const DgrPictureBlock picture = d.Picture;
    std::string error;
    ASSERT_TRUE(d.LoadFromFile(name, error)) << error;
    EXPECT_EQ(d.Width(), 48);
    EXPECT_EQ(d.Height(), 75);
    EXPECT_EQ(d.FileName, name);
    EXPECT_EQ(d.Block, (DgrBlock{2, 3, 15, 16}));
    EXPECT_EQ(d.Cursor, (IntPoint{18, 18}));
    EXPECT_EQ(d.Display, display);
    EXPECT_EQ(d.Picture, picture);
    EXPECT_EQ(d.checkInvariant(), "");
    int nonZero = 0;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const size_t at = (i * 251) % 3600;
        EXPECT_EQ(d.Grid.GetCell(static_cast<int32_t>(at % 48), static_cast<int32_t>(at / 48)), cases[i].cell)
            << "word " << cases[i].word;
        nonZero += cases[i].cell.isZero() ? 0 : 1;
    }
    EXPECT_EQ(d.Grid.countNonZero(), nonZero);

    // LoadOldDgr alone refuses any other length.
    writeFile(name, std::string(7201, '\0'));
    EXPECT_FALSE(d.LoadOldDgr(name, error));
    EXPECT_EQ(error, dgrBadStructureMessage(name));
}

TEST(DgrFile, FailedSaveLeavesTheOldFileAndTheDocument)
{
    TempFolder tmp;
    const std::string name = tmp.file("keep.dgr");
    tDgrData first = richDocument();
    std::string error;
    ASSERT_TRUE(first.SaveToFile(name, error));
    const std::string old = readFile(name);

    // The temporary file cannot be made: a folder stands in its place.
    fs::create_directory(name + ".saving");
    tDgrData other(4, 4);
    other.FileName = tmp.file("other.dgr");
    EXPECT_FALSE(other.SaveToFile(name, error));
    EXPECT_NE(error.find("Ошибка записи файла " + name), std::string::npos) << error;
    EXPECT_EQ(other.FileName, tmp.file("other.dgr"));
    EXPECT_EQ(readFile(name), old);
    fs::remove(name + ".saving");

    // Renaming fails: the target is a folder with something in it.
    const std::string folder = tmp.file("folder.dgr");
    fs::create_directory(folder);
    writeFile(folder + "/inside", "x");
    EXPECT_FALSE(other.SaveToFile(folder, error));
    EXPECT_FALSE(fs::exists(folder + ".saving"));
    EXPECT_EQ(other.FileName, tmp.file("other.dgr"));

    // A missing folder.
    EXPECT_FALSE(other.SaveToFile(tmp.file("no/such/folder.dgr"), error));
    EXPECT_EQ(other.FileName, tmp.file("other.dgr"));
}
