#include "platform/ui/PageFile.h"

#include "common/BmpBuilder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

using namespace quon;
using namespace quon::test;

namespace {

// clang-format off
const std::vector<std::string> Pattern = {
    "#..#.....##",
    ".#..#...#..",
    "..x...####.",   // x: a dark grey, which counts as black
};
// clang-format on

std::string pageAsRows(const QImage& mono)
{
    std::string out;
    for (int y = 0; y < mono.height(); ++y) {
        const uchar* row = mono.constScanLine(y);
        for (int x = 0; x < mono.width(); ++x)
            out += (row[x / 8] >> (7 - x % 8)) & 1 ? '.' : '#';
        out += '\n';
    }
    return out;
}

std::string expectedRows()
{
    std::string out;
    for (const std::string& r : Pattern) {
        for (char c : r)
            out += c == '.' ? '.' : '#';
        out += '\n';
    }
    return out;
}

class PageFileTest : public ::testing::TestWithParam<BmpCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(PageFileTest, EveryBmpKindBecomesTheSamePageWithBlackAsBitZero)
{
    const BmpCase k = GetParam();
    const QString path = dir.filePath(QString::fromLatin1(k.name) + ".bmp");
    ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(k.kind, Pattern)));
    const LoadedPage page = loadPageFile(path);
    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    ASSERT_EQ(page.mono.format(), QImage::Format_Mono);
    EXPECT_EQ(page.mono.colorTable(), (QList<QRgb>{0xFF000000, 0xFFFFFFFF}));
    EXPECT_EQ(pageAsRows(page.mono), expectedRows());
}

INSTANTIATE_TEST_SUITE_P(AllKinds, PageFileTest, ::testing::ValuesIn(AllBmpKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageFileErrors, BrokenFilesGiveAMessage)
{
    QTemporaryDir dir;
    std::vector<uint8_t> good = makeBmp(BmpKind::Rgb24, Pattern);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 40);
    std::vector<uint8_t> notBmp = {'h', 'e', 'l', 'l', 'o'};
    std::vector<uint8_t> empty;
    for (const Case& k : {Case{"truncated", truncated}, Case{"notbmp", notBmp}, Case{"empty", empty}}) {
        const QString path = dir.filePath(QString::fromLatin1(k.name) + ".bmp");
        ASSERT_TRUE(writeFile(path.toStdString(), k.bytes));
        const LoadedPage page = loadPageFile(path);
        EXPECT_FALSE(page.ok()) << k.name;
        EXPECT_TRUE(page.mono.isNull()) << k.name;
    }
    EXPECT_FALSE(loadPageFile(dir.filePath("missing.bmp")).ok());
}

// A BMP header of the 40-byte kind with the given fields, followed by
// `dataBytes` bytes of zeros (a palette of 256 entries for 8 bits and less).
QByteArray bmpHeader(int32_t width, int32_t height, uint16_t bits, uint32_t compression, int dataBytes,
                     uint32_t headerSize = 40, uint16_t planes = 1)
{
    QByteArray b;
    auto put16 = [&](uint32_t v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    const uint32_t palette = bits <= 8 ? 4u << bits : 0;
    const uint32_t offBits = 14 + 40 + palette;
    b.append("BM");
    put32(offBits + dataBytes);
    put32(0);
    put32(offBits);
    put32(headerSize);
    put32(static_cast<uint32_t>(width));
    put32(static_cast<uint32_t>(height));
    put16(planes);
    put16(bits);
    put32(compression);
    put32(dataBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    b.append(QByteArray(palette + dataBytes, 0));
    return b;
}

// Headers that claim absurd or impossible pictures are refused before Qt
// builds anything: a 1 KB run-length file used to become a 268 MB page and a
// 268 MB "Acquired0.bmp", and an invalid header's size check overflowed.
TEST(PageFileErrors, HeadersThatClaimTooMuchOrNothingSensibleAreRefused)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"Rle8Of16384Squared", bmpHeader(16384, 16384, 8, 1, 1024), "is cut short: it holds 2102 bytes of the 1053766"},
        {"Rle8Of160x917505", bmpHeader(160, 917505, 8, 1, 1024), "The picture is 160 x 917505 pixels"},
        {"HugeUncompressed", bmpHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 64), "The picture is 2147483647 x 2147483647"},
        {"TopDownMinimum", bmpHeader(100, INT32_MIN, 24, 0, 64), "The picture is 100 x 2147483648"},
        {"NegativeWidth", bmpHeader(-100, 100, 24, 0, 64), "This is not a BMP picture the program can read"},
        {"ZeroPlanes", bmpHeader(10, 10, 24, 0, 400, 40, 0), "This is not a BMP picture the program can read"},
        {"SevenBits", bmpHeader(10, 10, 7, 0, 400), "This is not a BMP picture the program can read"},
        {"RleWithWrongBits", bmpHeader(10, 10, 24, 1, 400), "This is not a BMP picture the program can read"},
        {"OddHeaderSize", bmpHeader(10, 10, 24, 0, 400, 99), "This is not a BMP picture the program can read"},
        {"ShortRows", bmpHeader(100, 100, 24, 0, 400), "is cut short: it holds 454 bytes of the 30054"},
    };
    for (const Case& c : cases) {
        const LoadedPage page = loadPageBytes(c.bytes, "x.bmp");
        EXPECT_FALSE(page.ok()) << c.name;
        EXPECT_TRUE(page.asLoaded.isNull() && page.mono.isNull()) << c.name;
        EXPECT_TRUE(page.error.contains(c.message)) << c.name << ": " << page.error.toStdString();
    }
}

// Found by fuzzing: run-length codes that paint an index the palette does
// not have. The page counted it as black, but the copy kept as
// "Acquired0.bmp" did not say so and opened as another page.
TEST(PageFileErrors, IndicesBeyondThePaletteReadTheSameFromTheCopy)
{
    // 4 x 2 pixels, RLE8, a palette of two colours (white, black); the
    // codes paint indices 1 (black), 0 (white) and 7 (not in the palette).
    QByteArray b = bmpHeader(4, 2, 8, 1, 0);
    b.truncate(14 + 40);
    auto set32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    set32(46, 2);          // colours used
    set32(10, 14 + 40 + 8); // pixel data after a palette of two
    b.append(QByteArray::fromHex("ffffff00"
                                 "00000000"));
    b.append(QByteArray::fromHex("0201"
                                 "0207"
                                 "0000"
                                 "0400"
                                 "0001"));
    set32(2, static_cast<uint32_t>(b.size()));
    const LoadedPage page = loadPageBytes(b, "x.bmp");
    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    EXPECT_EQ(pageAsRows(page.mono), "....\n####\n");
    QByteArray copy;
    QBuffer buffer(&copy);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && page.asLoaded.save(&buffer, "BMP"));
    const LoadedPage again = loadPageBytes(copy, "Acquired0.bmp");
    ASSERT_TRUE(again.ok()) << again.error.toStdString();
    EXPECT_EQ(again.mono, page.mono);
}

TEST(PageFileErrors, TransparentPixelsCountAsPaper)
{
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(0, 0, 0, 0));
    argb.setPixel(1, 0, qRgba(0, 0, 0, 255));
    EXPECT_EQ(pageAsRows(toMonoPage(argb)), ".#\n");
}

TEST(PageFileSave, MonoBmpRoundTrip)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.bmp"), out = dir.filePath("out.bmp");
    ASSERT_TRUE(writeFile(in.toStdString(), makeBmp(BmpKind::MonoInverted, Pattern)));
    const LoadedPage page = loadPageFile(in);
    ASSERT_TRUE(page.ok());
    ASSERT_TRUE(saveMonoBmp(page.mono, out));
    const LoadedPage again = loadPageFile(out);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(pageAsRows(again.mono), expectedRows());
}

} // namespace
