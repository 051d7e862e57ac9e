#include "recognize/BezierFigures.h"
#include "recognize/DigitSamples.h"
#include "recognize/DigitSetSource.h"
#include "recognize/StoneNumberReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace quon;

namespace {

std::string readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string DataDir = QUON_DATA_DIR;

class DefaultDigitSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTablesToStart();
        std::string error;
        ASSERT_TRUE(DigitPacket.LoadFromFile(DataDir + "/Digits.BzP", error)) << error;
    }
    void TearDown() override { DigitPacket.Clear(); }
};

} // namespace

TEST_F(DefaultDigitSet, IsBuiltFromItsSource)
{
    TBezPacket fromSource;
    std::string error;
    ASSERT_TRUE(parseDigitSetSource(readFile(DataDir + "/digits/figures.txt"), fromSource, error)) << error;
    fromSource.SortFigures();
    EXPECT_EQ(fromSource.toBytes(), readFile(DataDir + "/Digits.BzP"))
        << "data/Digits.BzP is stale: rebuild it with make_bzp from data/digits/figures.txt";
}

TEST_F(DefaultDigitSet, CoversEveryDigitWithinTheRenderedFigures)
{
    EXPECT_LE(DigitPacket.NFigs, MaxRenderedFigures);
    std::set<int32_t> digits;
    for (int32_t f = 1; f <= DigitPacket.NFigs; ++f) {
        digits.insert(DigitPacket.Figures[f].Digit);
        if (f > 1) {
            const TBezFigure& a = DigitPacket.Figures[f - 1];
            const TBezFigure& b = DigitPacket.Figures[f];
            EXPECT_TRUE(a.Digit < b.Digit || (a.Digit == b.Digit && a.Modif < b.Modif)) << "figure " << f;
        }
    }
    EXPECT_EQ(digits, (std::set<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(DefaultDigitSet, EveryFigureReadsBackAsItselfAtEverySize)
{
    for (int32_t f = 1; f <= DigitPacket.NFigs; ++f) {
        std::vector<int32_t> read;
        const int32_t good = readBackFigure(f, &read);
        std::string got;
        for (int32_t d : read)
            got += std::to_string(d) + " ";
        EXPECT_EQ(good, static_cast<int32_t>(readBackSizes().size()))
            << "figure " << DigitPacket.Figures[f].Digit << "/" << DigitPacket.Figures[f].Modif << " read as " << got;
    }
}

TEST(DigitSetSourceText, MistakesNameTheirLine)
{
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"curve 1,1 2,2 3,3 4,4\n", "line 1: a curve before the first figure"},
        {"figure 3 1\ncurve 1,1 2,2 3,3\n", "line 2: a curve needs 3 x arcs + 1 points"},
        {"figure 3 1\ncurve 1,1 2;2 3,3 4,4\n", "line 2: bad point \"2;2\""},
        {"figure x 1\n", "line 1: expected: figure <digit> <variant>"},
        {"figure 3 1\n\nfigure 4 1\ncurve 1,1 2,2 3,3 4,4\n", "figure 1 has no curve"},
        {"# fine\nfigures 3 1\n", "line 2: unknown word \"figures\""},
    };
    for (const Case& c : cases) {
        TBezPacket p;
        std::string error;
        EXPECT_FALSE(parseDigitSetSource(c.text, p, error)) << c.text;
        EXPECT_EQ(error, c.says);
    }
    TBezPacket p;
    std::string error;
    ASSERT_TRUE(parseDigitSetSource("figure 7 2 # seven\ncurve 0,0 10,10 20,20 30,30  40,40 50,50 60,60\n", p, error));
    EXPECT_EQ(p.NFigs, 1);
    EXPECT_EQ(p.Figures[1].Modif, 2);
    EXPECT_EQ(p.Figures[1].Curves[1].NArcs, 2);
    EXPECT_EQ(p.Figures[1].Curves[1].CurArc, 1);
    EXPECT_EQ(p.Figures[1].Curves[1].ArcPoints[6], percentToPixel({60, 60}));
}

namespace {
DigitBitmap bitmapOf(const std::vector<std::string>& rows)
{
    DigitBitmap b(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#')
                b.set(static_cast<int32_t>(x), static_cast<int32_t>(y));
    return b;
}
} // namespace

TEST_F(DefaultDigitSet, ABarAcrossTheTopIsNoOne)
{
    // The condensed typewriter 7 and 1 of a three-digit number on a black
    // stone, as the page has them (300 dpi). The 7's thin stem fits the
    // stem of a 1 better than any 7 figure; its top bar says it is none.
    const DigitBitmap seven = bitmapOf({
        ".########.", "#########.", "#########.", ".#.....##.", "......###.", "......##..", "......##..",
        ".....###..", ".....##...", ".....##...", "....###...", "....##....", "....##....",
    });
    const DigitBitmap one = bitmapOf({
        "....#....", "#####....", "#####....", "...##....", "...##....", "...##....", "...##....",
        "...##....", "...##....", "...##....", "...##....", "########.", "########.",
    });
    // A 1 that is a plain stem is as wide at the top as in the middle.
    DigitBitmap stem(4, 16);
    for (int32_t x = 0; x < 4; ++x)
        for (int32_t y = 0; y < 16; ++y)
            stem.set(x, y);
    Reco.StoneSizes[1] = StoneSize{4400, 4600};
    int8_t score = 0;
    EXPECT_EQ(readDigitImage(seven, score), 7);
    EXPECT_LT(score, DoubtfulDigitScore) << "a sure reading, not a doubt";
    EXPECT_EQ(readDigitImage(one, score), 1);
    EXPECT_EQ(readDigitImage(stem, score), 1);
}

TEST_F(DefaultDigitSet, AStemDownTheLeftUnderTheTopIsNoThree)
{
    // The 5 of a book font on a black stone (300 dpi): its bar and stem
    // meet square at the top left, and its bowl fits the flat-topped 3
    // better than the 5 figure; the stem says it is none.
    const DigitBitmap five = bitmapOf({
        "..###############...", "..###############...", "..###############...", "..###...............",
        "..###...............", "..###...............", "..###...............", "..###...............",
        "..###...............", "..###..######.......", "..#############.....", "..##############....",
        "..###############...", "..######....######..", "..####........####..", "..###.........#####.",
        "...............####.", "...............####.", "...............####.", "...............####.",
        ".#............#####.", "##............####..", "####.........#####..", ".#####.....######...",
        "..##############....", "....##########......", "......######........",
    });
    Reco.StoneSizes[1] = StoneSize{5000, 5000};
    int8_t score = 0;
    EXPECT_EQ(readDigitImage(five, score), 5);
    EXPECT_LT(score, DoubtfulDigitScore);
}

TEST_F(DefaultDigitSet, ASerifOneTheFiguresMissIsAQuestion)
{
    // The 1 of a book font on a black stone (300 dpi): a broad flag and a
    // foot whose right end the margin cut takes away read as a 2. A foot
    // under a straight stem is no 2, 3 or 7: the reading is a doubt.
    std::vector<std::string> rows = {".........##.......", "........###.......", ".....######.......",
                                     "###########.......", "###########.......", "###########.......",
                                     "#####..####......."};
    for (int i = 0; i < 21; ++i)
        rows.emplace_back(".......####.......");
    for (int i = 0; i < 4; ++i)
        rows.emplace_back("##################");
    Reco.StoneSizes[1] = StoneSize{6000, 6000};
    int8_t score = 0;
    const int32_t d = readDigitImage(bitmapOf(rows), score);
    EXPECT_TRUE(d == 1 || score >= DoubtfulDigitScore) << "read " << d << " with " << int(score);
}

TEST_F(DefaultDigitSet, AFiveWithAHoleUnderARoundTopIsASixOrAQuestion)
{
    // The 6 of a bold serif face (300 dpi): its hook ends in a drop at the
    // right that the figures of a 5 take for a bar, and it reads 5 as surely
    // as 6. A 5 has no hole and its stem falls straight from its bar: with a
    // hole low in the group under a top that rounds in, it is a question.
    const DigitBitmap six = bitmapOf({
        ".....######...", "...##########.", "..####....###.", "..###......##.", ".####......##.", ".###..........",
        "####..........", "####..........", "####..###.....", "###########...", "######..####..", "#####...#####.",
        "#####...#####.", "####.....####.", "####.....####.", "####.....####.", "####.....####.", "####.....####.",
        "####.....####.", ".####....####.", ".####...#####.", "..###...####..", "...########...", "....######....",
    });
    // A 5 whose bowl the ink closed against its stem keeps its square top
    // corner and is read as before.
    std::vector<std::string> rows = {
        "..###############...", "..###############...", "..###############...", "..###...............",
        "..###...............", "..###...............", "..###...............", "..###...............",
        "..###...............", "..###..######.......", "..#############.....", "..##############....",
        "..###############...", "..######....######..", "..####........####..", "..###.........#####.",
        "..##...........####.", "..##...........####.", "..##...........####.", "..##...........####.",
        ".###..........#####.", "####..........####..", "####.........#####..", ".#####.....######...",
        "..##############....", "....##########......", "......######........",
    };
    // The 6 of a bold serif face narrowed in a three-digit number at a
    // 60-pixel stone shows its hook open at the right over the bowl: it is
    // the 6 ("306" was asked about).
    const DigitBitmap openHook = bitmapOf({
        ".....######..", "...#########.", "..####....##.", "..###......#.", ".####......#.", ".###.........",
        "####.........", "####.........", "####..###....", "###########..", "######..####.", "#####...#####",
        "#####...#####", "####.....####", "####.....####", "####.....####", "####.....####", "####.....####",
        "####.....####", ".####....####", ".####...#####", "..###...####.", "...########..", "....######...",
    });
    Reco.StoneSizes[1] = StoneSize{6000, 6000};
    int8_t score = 0;
    const int32_t d = readDigitImage(six, score);
    EXPECT_TRUE(d == 6 || score >= DoubtfulDigitScore) << "read " << d << " with " << int(score);
    EXPECT_EQ(readDigitImage(openHook, score), 6);
    EXPECT_LT(score, DoubtfulDigitScore);
    EXPECT_EQ(readDigitImage(bitmapOf(rows), score), 5);
    EXPECT_LT(score, DoubtfulDigitScore);
}

TEST_F(DefaultDigitSet, AHairlineStemOneColumnInFromTheEdgeIsNoThree)
{
    // The 5 of a bold serif face on a black stone (300 dpi, small stones):
    // the terminal of its bowl reaches a column left of its hairline stem,
    // so the stem stands in the group's second column. It is still a stem
    // down the left under the top, which a 3 does not have.
    const DigitBitmap five = bitmapOf({
        ".########.", ".########.", ".########.", ".#........", ".#........", ".#........",
        ".#........", ".#..#.....", ".#######..", "......###.", "......####", ".......###",
        ".......###", "#......###", "#.....####", "##....###.", "########..", ".######...",
    });
    Reco.StoneSizes[1] = StoneSize{4400, 4400};
    int8_t score = 0;
    const int32_t d = readDigitImage(five, score);
    EXPECT_TRUE(d == 5 || score >= DoubtfulDigitScore) << "read " << d << " with " << int(score);
}

TEST_F(DefaultDigitSet, ANineOpenAtTheRightUnderItsTopIsAQuestion)
{
    // The 5 of a bold serif face on a black stone (300 dpi, small stones)
    // whose bowl the print cut short at the bottom: its bar and stem take
    // the figures of a 9's bowl. A 9's bowl has its right side there.
    const DigitBitmap five = bitmapOf({
        "..######.", ".########", ".########", ".#######.", "#........", "#........", "#####....", "#######..",
        "########.", "..######.", ".....####", "......###", ".......##", ".......#.", "#......#.",
    });
    Reco.StoneSizes[1] = StoneSize{4400, 4400};
    int8_t score = 0;
    const int32_t d = readDigitImage(five, score);
    EXPECT_TRUE(d == 5 || score >= DoubtfulDigitScore) << "read " << d << " with " << int(score);
}
