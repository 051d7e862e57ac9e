#include "platform/ui/PageFile.h"

#include "common/BmpBuilder.h"

#include <gtest/gtest.h>

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
