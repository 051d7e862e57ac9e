// Every page of the corpus loads as the page it is: same size, and the same
// ink as an independent count over the file's bytes.
#include "platform/ui/PageFile.h"

#include "common/BmpBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace quon;

namespace {

struct RawCount {
    int width = 0, height = 0;
    long long black = 0;
};

// Counts black pixels of an uncompressed 1-bit BMP straight from its bytes.
RawCount countBlack(const QByteArray& b)
{
    auto u32 = [&](int at) { return *reinterpret_cast<const quint32*>(b.constData() + at); };
    RawCount c;
    const quint32 off = u32(10);
    c.width = static_cast<int>(u32(18));
    c.height = std::abs(static_cast<int>(u32(22)));
    const int paletteAt = 14 + static_cast<int>(u32(14));
    const auto lum = [&](int i) {
        return static_cast<uchar>(b[paletteAt + 4 * i]) + static_cast<uchar>(b[paletteAt + 4 * i + 1]) +
               static_cast<uchar>(b[paletteAt + 4 * i + 2]);
    };
    const bool zeroIsBlack = lum(0) < lum(1);
    const int rowBytes = ((c.width + 31) / 32) * 4;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const bool one = (static_cast<uchar>(b[static_cast<int>(off) + y * rowBytes + x / 8]) >> (7 - x % 8)) & 1;
            c.black += one != zeroIsBlack;
        }
    return c;
}

TEST(CorpusPages, LoadWithTheirOwnSizeAndInk)
{
    const QDir pages(QString::fromUtf8(QUON_CORPUS_DIR) + "/pages");
    const QStringList files = pages.entryList({"*.bmp"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        GTEST_SKIP() << "no corpus at " << QUON_CORPUS_DIR;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile f(pages.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const RawCount raw = countBlack(f.readAll());
        const LoadedPage page = loadPageFile(pages.filePath(name));
        ASSERT_TRUE(page.ok()) << page.error.toStdString();
        EXPECT_EQ(page.mono.width(), raw.width);
        EXPECT_EQ(page.mono.height(), raw.height);
        long long black = 0;
        for (int y = 0; y < page.mono.height(); ++y) {
            const uchar* row = page.mono.constScanLine(y);
            for (int x = 0; x < page.mono.width(); ++x)
                black += ((row[x / 8] >> (7 - x % 8)) & 1) == 0;
        }
        EXPECT_EQ(black, raw.black);
    }
}

TEST(LargePages, AnA4PageAt600DpiOpens)
{
    QTemporaryDir dir;
    const int w = 4960, h = 7016;
    std::vector<std::string> rows(h, std::string(w, '.'));
    rows[100][200] = '#';
    rows[h - 1][w - 1] = '#';
    const QString path = dir.filePath("a4.bmp");
    ASSERT_TRUE(test::writeFile(path.toStdString(), test::makeBmp(test::BmpKind::Mono, rows)));
    const LoadedPage page = loadPageFile(path);
    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    EXPECT_EQ(page.mono.size(), QSize(w, h));
    EXPECT_EQ(page.mono.pixelIndex(200, 100), 0);
    EXPECT_EQ(page.mono.pixelIndex(w - 1, h - 1), 0);
    EXPECT_EQ(page.mono.pixelIndex(0, 0), 1);
}

} // namespace
