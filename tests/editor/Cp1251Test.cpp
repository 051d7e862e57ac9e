#include "editor/Cp1251.h"
#include "editor/DgrSettings.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <cstring>

using namespace quon;

namespace {

// The system's own converter, one text at a time; false when it refuses.
bool systemConvert(const char* from, const char* to, const std::string& in, std::string& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string src = in;
    char buffer[64];
    char* inPtr = src.data();
    size_t inLeft = src.size();
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    out.assign(buffer, static_cast<size_t>(outPtr - buffer));
    return true;
}

} // namespace

TEST(Cp1251, EveryByteAgreesWithTheSystemConverter)
{
    int refused = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string utf8;
        const bool known = systemConvert("WINDOWS-1251", "UTF-8", byte, utf8);
        if (!known) {
            ++refused;
            EXPECT_EQ(cp1251ToUnicode(static_cast<uint8_t>(b)), U'\uFFFD') << b;
            continue;
        }
        EXPECT_EQ(cp1251ToUtf8(byte), utf8) << "byte " << b;
        EXPECT_EQ(utf8ToCp1251(utf8), byte) << "byte " << b;
        std::string back;
        ASSERT_TRUE(systemConvert("UTF-8", "WINDOWS-1251", cp1251ToUtf8(byte), back)) << b;
        EXPECT_EQ(back, byte) << b;
    }
    EXPECT_EQ(refused, 1); // 0x98 only
    EXPECT_EQ(cp1251ToUnicode(0x98), U'\uFFFD');
}

TEST(Cp1251, TextsConvertBothWays)
{
    EXPECT_EQ(utf8ToCp1251("Ж"), "\xC6");
    EXPECT_EQ(utf8ToCp1251("°"), "\xB0"); // the square mark's code
    EXPECT_EQ(utf8ToCp1251("Ошибка"), "\xCE\xF8\xE8\xE1\xEA\xE0");
    EXPECT_EQ(cp1251ToUtf8("\xCE\xF8\xE8\xE1\xEA\xE0 A"), "Ошибка A");
    EXPECT_EQ(utf8ToCp1251("a漢b"), "a?b");
    EXPECT_EQ(utf8ToCp1251("a漢b", 0), "ab");
    EXPECT_EQ(utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");                     // broken UTF-8
    EXPECT_EQ(utf8ToCp1251("\xD0"), "?"); // cut sequence
}

TEST(LogFontA, FaceNameWithoutTerminatorIsReadAsThirtyTwoBytes)
{
    uint8_t raw[LogFontA::Bytes];
    for (size_t i = 0; i < sizeof raw; ++i)
        raw[i] = static_cast<uint8_t>(i < 28 ? i : 0xC0 + (i - 28)); // "АБВ..." with no zero byte
    const LogFontA f = LogFontA::fromBytes(raw);
    EXPECT_EQ(f.Height, 0x03020100);
    EXPECT_EQ(f.Weight, 0x13121110);
    EXPECT_EQ(f.CharSet, 23);
    EXPECT_EQ(f.PitchAndFamily, 27);
    EXPECT_EQ(f.faceNameBytes().size(), 32u);
    EXPECT_EQ(f.faceNameUtf8().substr(0, 6), "АБВ");
    uint8_t back[LogFontA::Bytes];
    f.toBytes(back);
    EXPECT_EQ(std::memcmp(raw, back, sizeof raw), 0);

    LogFontA g = f;
    g.setFaceNameUtf8(std::string(40, 'x'));
    EXPECT_EQ(g.faceNameBytes(), std::string(31, 'x'));
    EXPECT_EQ(g.FaceName[31], 0);
}
