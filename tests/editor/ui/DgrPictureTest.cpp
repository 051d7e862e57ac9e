// The diagram's pictures: the bitmap pixel by pixel, the metafiles through
// independent readers, the size refusals, the clipboard formats.
#include "editor/DgrRender.h"
#include "editor/ui/DgrPictures.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace quon {
namespace {

DgrNewSettings pictureSettings(int32_t step, int32_t line = 1, int32_t border = 3, int32_t rad = 0)
{
    DgrNewSettings s;
    s.PictureStepX = s.PictureStepY = step;
    s.PictureLine = line;
    s.PictureBorder = border;
    s.PictureRad = rad;
    return s;
}

// The 1-bit picture as rows of '#' (black) and '.' (white).
std::string rows(const QImage& mono)
{
    std::string s;
    for (int y = 0; y < mono.height(); ++y) {
        for (int x = 0; x < mono.width(); ++x)
            s += mono.pixelIndex(x, y) == 0 ? '#' : '.';
        s += '\n';
    }
    return s;
}

QImage bitmap(tDgrData& doc)
{
    QString error;
    const QImage mono = renderBitmapPicture(doc, error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return mono;
}

struct PixelCase {
    uint8_t element;
    uint8_t stone;
    uint8_t mark;
    int32_t rad;
    int32_t step;
    const char* rows;
};

// Line 1, border 3 (so the edge sits one pixel outward), one cell each.
// clang-format off
const PixelCase kCells[] = {
    {1, 0, 0, 0, 11, // element 1
     "...........\n"
     "...........\n"
     "...........\n"
     "...########\n"
     "...########\n"
     "...########\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"},
    {2, 0, 0, 0, 11, // element 2
     "...........\n"
     "...........\n"
     "...........\n"
     "########...\n"
     "########...\n"
     "########...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"},
    {3, 0, 0, 0, 11, // element 3
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...########\n"
     "...########\n"
     "...########\n"
     "...........\n"
     "...........\n"
     "...........\n"},
    {4, 0, 0, 0, 11, // element 4
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     "########...\n"
     "########...\n"
     "########...\n"
     "...........\n"
     "...........\n"
     "...........\n"},
    {5, 0, 0, 0, 11, // element 5
     "...........\n"
     "...........\n"
     "...........\n"
     "###########\n"
     "###########\n"
     "###########\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"},
    {6, 0, 0, 0, 11, // element 6
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     "###########\n"
     "###########\n"
     "###########\n"
     "...........\n"
     "...........\n"
     "...........\n"},
    {7, 0, 0, 0, 11, // element 7
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...########\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"
     "...###.....\n"},
    {8, 0, 0, 0, 11, // element 8
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     "########...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"
     ".....###...\n"},
    {9, 0, 0, 0, 11, // element 9
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     "###########\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"},
    {10, 0, 0, 0, 11, // element 10
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"
     "....###....\n"
     "...#####...\n"
     "###########\n"
     "...#####...\n"
     "....###....\n"
     ".....#.....\n"
     ".....#.....\n"
     ".....#.....\n"},
    {0, 1, 0, 0, 11, // stone 1, inset 0
     "...####....\n"
     ".########..\n"
     ".########..\n"
     "##########.\n"
     "##########.\n"
     "##########.\n"
     "##########.\n"
     ".########..\n"
     ".########..\n"
     "...####....\n"
     "...........\n"},
    {0, 1, 0, 2, 11, // stone 1, inset 2
     "...........\n"
     "...........\n"
     "...####....\n"
     "..######...\n"
     "..######...\n"
     "..######...\n"
     "..######...\n"
     "...####....\n"
     "...........\n"
     "...........\n"
     "...........\n"},
    {0, 2, 0, 0, 11, // stone 2, inset 0
     "...####....\n"
     ".##....##..\n"
     ".#......#..\n"
     "#........#.\n"
     "#........#.\n"
     "#........#.\n"
     "#........#.\n"
     ".#......#..\n"
     ".##....##..\n"
     "...####....\n"
     "...........\n"},
    {0, 2, 0, 2, 11, // stone 2, inset 2
     "...........\n"
     "...........\n"
     "...####....\n"
     "..#....#...\n"
     "..#....#...\n"
     "..#....#...\n"
     "..#....#...\n"
     "...####....\n"
     "...........\n"
     "...........\n"
     "...........\n"},
    {0, 0, 176, 0, 13, // mark 176 on stone 0
     ".............\n"
     ".............\n"
     "..#########..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#########..\n"
     ".............\n"
     ".............\n"},
    {0, 1, 176, 0, 13, // mark 176 on stone 1
     "....####.....\n"
     "..########...\n"
     ".#...........\n"
     ".#.#######...\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     ".#.#######...\n"
     ".#.#######...\n"
     "..........#..\n"
     "....####.....\n"
     ".............\n"},
    {0, 2, 176, 0, 13, // mark 176 on stone 2
     "....####.....\n"
     "..##....##...\n"
     ".#########...\n"
     ".##..........\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     ".##..........\n"
     ".##..........\n"
     "....####..#..\n"
     "....####.....\n"
     ".............\n"},
    {0, 0, 177, 0, 13, // mark 177 on stone 0
     ".............\n"
     "......#......\n"
     "......##.....\n"
     ".....#.#.....\n"
     ".....#..#....\n"
     "....#...#....\n"
     "....#....#...\n"
     "...#.....#...\n"
     "...#......#..\n"
     "..#########..\n"
     ".............\n"
     ".............\n"
     ".............\n"},
    {0, 1, 177, 0, 13, // mark 177 on stone 1
     "....####.....\n"
     "..####.###...\n"
     ".#####..###..\n"
     ".####.#.###..\n"
     "#####.##.###.\n"
     "####.###.###.\n"
     "####.####.##.\n"
     "###.#####.##.\n"
     ".##.######...\n"
     ".#...........\n"
     "..########...\n"
     "....####.....\n"
     ".............\n"},
    {0, 2, 177, 0, 13, // mark 177 on stone 2
     "....####.....\n"
     "..##..#.##...\n"
     ".#....##..#..\n"
     ".#...#.#..#..\n"
     "#....#..#..#.\n"
     "#...#...#..#.\n"
     "#...#....#.#.\n"
     "#..#.....#.#.\n"
     ".#.#.........\n"
     ".#########...\n"
     "..##....##...\n"
     "....####.....\n"
     ".............\n"},
    {0, 0, 178, 0, 13, // mark 178 on stone 0
     ".............\n"
     ".............\n"
     "......#......\n"
     "......##.....\n"
     "..#######....\n"
     "..########...\n"
     "..#########..\n"
     "..########...\n"
     "..#######....\n"
     "......##.....\n"
     "......#......\n"
     ".............\n"
     ".............\n"},
    {0, 1, 178, 0, 13, // mark 178 on stone 1
     "....####.....\n"
     "..########...\n"
     ".#####.####..\n"
     ".#####..###..\n"
     "##.......###.\n"
     "##........##.\n"
     "##.........#.\n"
     "##........##.\n"
     ".#.......##..\n"
     ".#####..###..\n"
     "..####.###...\n"
     "....####.....\n"
     ".............\n"},
    {0, 2, 178, 0, 13, // mark 178 on stone 2
     "....####.....\n"
     "..##....##...\n"
     ".#....#...#..\n"
     ".#....##..#..\n"
     "#.#######..#.\n"
     "#.########.#.\n"
     "#.##########.\n"
     "#.########.#.\n"
     ".########.#..\n"
     ".#....##..#..\n"
     "..##..#.##...\n"
     "....####.....\n"
     ".............\n"},
    {0, 0, 179, 0, 13, // mark 179 on stone 0
     ".............\n"
     ".............\n"
     "..#.......#..\n"
     "...#.....#...\n"
     "....#...#....\n"
     ".....#.#.....\n"
     ".............\n"
     ".....#.#.....\n"
     "....#...#....\n"
     "...#.....#...\n"
     ".............\n"
     ".............\n"
     ".............\n"},
    {0, 1, 179, 0, 13, // mark 179 on stone 1
     "....####.....\n"
     "..########...\n"
     ".#.#######...\n"
     ".##.#####.#..\n"
     "####.###.###.\n"
     "#####.#.####.\n"
     "############.\n"
     "#####.#.####.\n"
     ".###.###.##..\n"
     ".##.#####.#..\n"
     "..########...\n"
     "....####.....\n"
     ".............\n"},
    {0, 2, 179, 0, 13, // mark 179 on stone 2
     "....####.....\n"
     "..##....##...\n"
     ".##..........\n"
     ".#.#.....##..\n"
     "#...#...#..#.\n"
     "#....#.#...#.\n"
     "#..........#.\n"
     "#....#.#...#.\n"
     ".#..#...#.#..\n"
     ".#.#.....##..\n"
     "..##....##...\n"
     "....####.....\n"
     ".............\n"},
    {0, 0, 180, 0, 13, // mark 180 on stone 0
     ".............\n"
     ".............\n"
     "....#####....\n"
     "...#.....#...\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "..#.......#..\n"
     "...#.....#...\n"
     "....#####....\n"
     ".............\n"
     ".............\n"},
    {0, 1, 180, 0, 13, // mark 180 on stone 1
     "....####.....\n"
     "..########...\n"
     ".###.....##..\n"
     ".##.#####.#..\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     "##.#######.#.\n"
     ".#.#######...\n"
     ".##.#####.#..\n"
     "..##.....#...\n"
     "....####.....\n"
     ".............\n"},
    {0, 2, 180, 0, 13, // mark 180 on stone 2
     "....####.....\n"
     "..##....##...\n"
     ".#..#####.#..\n"
     ".#.#.....##..\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     "#.#.......##.\n"
     ".##..........\n"
     ".#.#.....##..\n"
     "..######.#...\n"
     "....####.....\n"
     ".............\n"},
};
// clang-format on

TEST(DgrPicture, CellsPixelByPixel)
{
    for (const PixelCase& c : kCells) {
        tDgrData doc(1, 1, pictureSettings(c.step, 1, 3, c.rad));
        DgrCell cell;
        cell.Element = c.element;
        cell.Stone = c.stone;
        cell.Mark = c.mark;
        doc.Grid.PutCell(0, 0, cell);
        EXPECT_EQ(rows(bitmap(doc)), c.rows) << "element " << int(c.element) << " stone " << int(c.stone) << " mark "
                                             << int(c.mark) << " inset " << c.rad;
    }
}

TEST(DgrPicture, NumbersOnAStoneAndOnAnEmptyPoint)
{
    // The default picture fonts ("MS Sans Serif" drawn in DejaVu Sans): a
    // white 7 on a black stone, and a 12 whose white box cuts the crossing's
    // lines only where the text is (and hides the label byte under it).
    tDgrData doc(2, 1, pictureSettings(22));
    DgrCell seven;
    seven.Stone = StoneBlack;
    seven.Number = 7;
    doc.Grid.PutCell(0, 0, seven);
    DgrCell twelve;
    twelve.Element = ElemCross;
    twelve.Number = 12;
    twelve.Mark = 'A'; // the number wins
    doc.Grid.PutCell(1, 0, twelve);
    // clang-format off
    EXPECT_EQ(rows(bitmap(doc)),
              ".......#######..................#...........\n"
              ".....###########............................\n"
              "....#############...........................\n"
              "...###############..........................\n"
              "..###..........####........###....###.......\n"
              ".####..........#####......####...#####......\n"
              ".###########...#####......####...#..##......\n"
              "###########...#######.......##......###.....\n"
              "###########...#######.......##......##......\n"
              "##########....#######.......##......##......\n"
              "##########...########.###...##.....###..####\n"
              "#########....########.......##.....##.......\n"
              "#########...#########.......##....##........\n"
              "#########...#########.......##...##.........\n"
              ".#######...#########......######.######.....\n"
              ".#######...#########......######.######.....\n"
              "..#####...#########.........................\n"
              "...####...########..........................\n"
              "....#############...........................\n"
              ".....###########............................\n"
              ".......#######..................#...........\n"
              "................................#...........\n");
    // clang-format on
}

TEST(DgrPicture, SizeIsTheBlockTimesTheSteps)
{
    tDgrData doc(5, 4, pictureSettings(22));
    doc.Block = {1, 1, 3, 2};
    DgrCell stone;
    stone.Stone = StoneBlack;
    doc.Grid.PutCell(1, 1, stone); // the block's first cell
    const QImage mono = bitmap(doc);
    EXPECT_EQ(mono.size(), QSize(66, 44));
    EXPECT_EQ(mono.pixelIndex(10, 10), 0);
    EXPECT_EQ(mono.pixelIndex(32, 10), 1);
    EXPECT_EQ(mono.dotsPerMeterX(), 3780);

    // A 0 x 0 document gives a valid BMP file 0 pixels wide.
    QTemporaryDir dir;
    tDgrData empty(0, 0, pictureSettings(22));
    QString error;
    ASSERT_TRUE(SaveBmpFile(empty, dir.filePath("e.bmp"), error)) << error.toStdString();
    QFile f(dir.filePath("e.bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    EXPECT_EQ(b.size(), 62);
    EXPECT_EQ(b.left(2), "BM");
}

TEST(DgrPicture, OutOfRangeSettingsAreClampedAndHugePicturesRefused)
{
    QTemporaryDir dir;
    QString error;
    // Steps from a file may be anything: a negative step draws 1-pixel cells.
    tDgrData tiny(3, 2, pictureSettings(-5, 100, 100, 100));
    const QImage mono = bitmap(tiny);
    EXPECT_EQ(mono.size(), QSize(3, 2));

    // 40 columns at the largest step: 20440 pixels, too wide for a bitmap.
    tDgrData wide(40, 1, pictureSettings(100000));
    const QString bmp = dir.filePath("w.bmp");
    EXPECT_FALSE(SaveBmpFile(wide, bmp, error));
    EXPECT_TRUE(error.contains("20440 x 511")) << error.toStdString();
    EXPECT_TRUE(error.contains("20000"));
    EXPECT_FALSE(QFile::exists(bmp));
    EXPECT_FALSE(CopyBmpToClipboard(wide, error));

    // 65 columns: 33215 pixels, past the old metafile's coordinates; the
    // enhanced metafile takes it.
    tDgrData wider(65, 1, pictureSettings(511));
    const QString wmf = dir.filePath("w.wmf");
    EXPECT_FALSE(SaveWmfFile(wider, wmf, error));
    EXPECT_TRUE(error.contains("WMF")) << error.toStdString();
    EXPECT_TRUE(error.contains("32767"));
    EXPECT_FALSE(QFile::exists(wmf));
    EXPECT_TRUE(SaveEmfFile(wider, dir.filePath("w.emf"), error)) << error.toStdString();

    // An existing file is left whole when the write fails.
    tDgrData small(1, 1, pictureSettings(22));
    EXPECT_FALSE(SaveEmfFile(small, dir.filePath("no/such/folder/x.emf"), error));
    EXPECT_FALSE(error.isEmpty());
}

// A diagram with every kind of thing on it: edges, a star point, both stone
// colours, texts of one to three characters, each mark, a Cyrillic label.
tDgrData sampleDiagram()
{
    tDgrData doc(7, 4, pictureSettings(22, 1, 3, 1));
    auto element = [](int32_t x, int32_t y) -> uint8_t {
        if (y == 0)
            return x == 0 ? ElemTopLeft : x == 6 ? ElemTopRight : ElemTop;
        return x == 0 ? ElemLeft : x == 6 ? ElemRight : ElemCross;
    };
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 7; ++x)
            doc.Grid.SetElement(x, y, element(x, y));
    doc.Grid.SetElement(3, 2, ElemStar);
    auto put = [&](int32_t x, int32_t y, uint8_t stone, uint16_t number, uint8_t mark) {
        DgrCell c = doc.Grid.GetCell(x, y);
        c.Stone = stone, c.Number = number, c.Mark = mark;
        doc.Grid.PutCell(x, y, c);
    };
    put(1, 1, StoneBlack, 7, 0);
    put(2, 1, StoneWhite, 12, 0);
    put(3, 1, StoneBlack, 100, 0);
    put(4, 1, StoneNone, 5, 0);
    put(1, 3, StoneBlack, 0, MarkSquare);
    put(2, 3, StoneWhite, 0, MarkTriangle);
    put(3, 3, StoneNone, 0, MarkArrow);
    put(4, 3, StoneBlack, 0, MarkCross);
    put(5, 3, StoneNone, 0, MarkCircle);
    put(5, 2, StoneNone, 0, 0xC6); // Cyrillic Zhe
    return doc;
}

// Runs a reader; false (and the test skipped) when it is not installed.
bool runReader(const QString& tool, const QStringList& args, QByteArray& out)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return false;
    QProcess p;
    p.start(path, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    out = p.readAllStandardOutput();
    return true;
}

TEST(DgrPicture, EnhancedMetafileReadByAnIndependentReader)
{
    QTemporaryDir dir;
    tDgrData doc = sampleDiagram();
    QString error;
    const QString emf = dir.filePath("d.emf"), svg = dir.filePath("d.svg");
    ASSERT_TRUE(SaveEmfFile(doc, emf, error)) << error.toStdString();
    QByteArray out;
    if (!runReader("emf2svg-conv", {"-i", emf, "-o", svg}, out))
        GTEST_SKIP() << "emf2svg-conv is not installed (package emf2svg)";
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString s = QString::fromUtf8(f.readAll());
    // Six stones, the star point and the circle mark; five texts.
    EXPECT_EQ(s.count("<ellipse"), 8);
    EXPECT_EQ(s.count("<text"), 5);
    for (const char* text : {"[7]", "[12]", "[100]", "[5]", "[Ж]"})
        EXPECT_TRUE(s.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(s.contains("width=\"153.0000\" height=\"87.0000\"")); // 7 x 4 cells of 22, inclusive bounds
    // The square on the black stone is drawn in white for readers that do
    // not invert.
    EXPECT_TRUE(s.contains("stroke=\"#FFFFFF\""));
}

TEST(DgrPicture, OldMetafileReadByAnIndependentReader)
{
    QTemporaryDir dir;
    tDgrData doc = sampleDiagram();
    QString error;
    const QString wmf = dir.filePath("d.wmf");
    ASSERT_TRUE(SaveWmfFile(doc, wmf, error)) << error.toStdString();
    QByteArray out;
    if (!runReader("wmf2svg", {wmf}, out))
        GTEST_SKIP() << "wmf2svg is not installed (package libwmf-bin)";
    const QString s = QString::fromLatin1(out);
    EXPECT_TRUE(s.contains("<svg width=\"154\" height=\"88\""));
    EXPECT_EQ(s.count("<ellipse"), 8);
    // The reader writes one text element per character.
    for (const char* text : {">7<", ">1<", ">2<", ">5<"})
        EXPECT_TRUE(s.contains(text)) << text;
}

TEST(DgrPicture, ClipboardHoldsTheFileBytesUnderTheMimeNames)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    tDgrData doc = sampleDiagram();
    QString error;

    clipboard->setText("before");
    ASSERT_TRUE(CopyEmfToClipboard(doc, error)) << error.toStdString();
    const QByteArray emf = renderEmfPicture(doc, error);
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->hasText()); // replaced, not added to
    for (const QString& type : emfMimeTypes())
        EXPECT_EQ(data->data(type), emf) << type.toStdString();

    ASSERT_TRUE(CopyWmfToClipboard(doc, error)) << error.toStdString();
    const QByteArray wmf = renderWmfPicture(doc, error);
    data = clipboard->mimeData();
    for (const QString& type : wmfMimeTypes())
        EXPECT_EQ(data->data(type), wmf) << type.toStdString();
    EXPECT_TRUE(data->data("image/emf").isEmpty());

    ASSERT_TRUE(CopyBmpToClipboard(doc, error)) << error.toStdString();
    data = clipboard->mimeData();
    EXPECT_TRUE(data->hasImage());
    const QByteArray bmp = data->data("image/bmp");
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(bmp[28], 1); // one bit per pixel
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(154, 88));
}

} // namespace
} // namespace quon
