// How well the number reader reads move numbers printed in fonts the page
// corpus lacks: a full board of numbered stones (one, two and three digits,
// black and white) drawn with Qt in each free font, regular, bold and
// slanted faces, at two stone sizes, thresholded as a scanner would, and
// read stone by stone as the recognition reads a diagram. Numbers of three
// digits are narrowed to fit the stone, as printed diagrams narrow them.
#include "model/Recotypes.h"
#include "recognize/BezierFigures.h"
#include "recognize/StoneNumberReader.h"

#include "FreeFonts.h"
#include "common/TestPage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

using namespace quon;
using quon::test::FontFile;

namespace {

struct Tally {
    int numbered = 0;
    int exact = 0;
    int wrong = 0; // a wrong number with no doubt shown
    void add(const Tally& o)
    {
        numbered += o.numbered;
        exact += o.exact;
        wrong += o.wrong;
    }
    double exactPct() const { return numbered ? 100.0 * exact / numbered : 0; }
    double wrongPct() const { return numbered ? 100.0 * wrong / numbered : 0; }
};

constexpr int Margin = 40;

// The board last drawn, for listing misread stones.
test::MonoPage lastBoard;

// The number on stone k of the board and its colour (1 black, 2 white):
// one, two and three digits in turn, every digit in every place.
int numberOf(int k) { return k % 3 == 0 ? 1 + (k / 3) % 9 : k % 3 == 1 ? 10 + (k * 7) % 90 : 100 + (k * 37) % 300; }
int colourOf(int k) { return (k * 5 / 3) % 2 + 1; }

// The number's outline in the font, its ink `height` pixels high, narrowed
// to `maxWidth` when wider, centred on (cx, cy).
QPainterPath numberPath(const QRawFont& font, int number, double height, double maxWidth, double cx, double cy)
{
    const QString text = QString::number(number);
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    double x = 0;
    for (int i = 0; i < glyphs.size(); ++i) {
        path.addPath(font.pathForGlyph(glyphs[i]).translated(x, 0));
        x += advances[i].x();
    }
    // The height of a digit, not of this number's digits, sets the size.
    const QRectF digitBox = font.pathForGlyph(font.glyphIndexesForString(QStringLiteral("0"))[0]).boundingRect();
    const QRectF box = path.boundingRect();
    const double s = height / digitBox.height();
    const double sx = std::min(s, maxWidth / box.width());
    QTransform t;
    t.translate(cx, cy);
    t.scale(sx, s);
    t.translate(-box.center().x(), -digitBox.center().y());
    return t.map(path);
}

// Draws the board with pitch `pitch`, installs it as the page and lays the
// grid on it; returns the numbers by point.
void drawBoard(const QRawFont& font, int pitch, int numbers[19][19], int colours[19][19])
{
    const int side = 18 * pitch + 2 * Margin;
    QImage img(side, side, QImage::Format_Grayscale8);
    img.fill(255);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, std::max(1.0, pitch / 30.0)));
    for (int i = 0; i < 19; ++i) {
        p.drawLine(QPointF(Margin, Margin + i * pitch), QPointF(Margin + 18 * pitch, Margin + i * pitch));
        p.drawLine(QPointF(Margin + i * pitch, Margin), QPointF(Margin + i * pitch, Margin + 18 * pitch));
    }
    const double radius = pitch * 0.48;
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r) {
            const int k = (r - 1) * 19 + (c - 1);
            numbers[c - 1][r - 1] = numberOf(k);
            colours[c - 1][r - 1] = colourOf(k);
            const QPointF centre(Margin + (c - 1) * pitch, Margin + (r - 1) * pitch);
            const bool black = colours[c - 1][r - 1] == 1;
            p.setPen(QPen(Qt::black, std::max(1.0, pitch / 30.0)));
            p.setBrush(black ? Qt::black : Qt::white);
            p.drawEllipse(centre, radius, radius);
            p.setPen(Qt::NoPen);
            p.setBrush(black ? Qt::white : Qt::black);
            p.drawPath(numberPath(font, numbers[c - 1][r - 1], pitch * 0.4, pitch * 0.78, centre.x(), centre.y()));
        }
    p.end();

    test::MonoPage page = test::blankPage(side, side);
    for (int y = 0; y < side; ++y) {
        const uchar* row = img.constScanLine(y);
        for (int x = 0; x < side; ++x)
            if (row[x] < 128)
                page.set(x, y, true);
    }
    resetTablesToStart();
    test::installPage(page);
    lastBoard = page;
    Reco.BoardLineCount = 19;
    Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
    Reco.DiagramWindowSize = DiagramSize{19, 19};
    Reco.CellPitchX = Reco.CellPitchY = pitch;
    Reco.StoneSizes[1] = Reco.StoneSizes[2] = StoneSize{pitch * 100, pitch * 100};
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r) {
            BC& pt = Reco.GridPoints[c][r];
            pt = BC{};
            pt.Coord = pt.CoordC = IntPoint{Margin + (c - 1) * pitch, Margin + (r - 1) * pitch};
            pt.Size = IntSize{pitch, pitch};
            pt.Typ = colours[c - 1][r - 1] == 1 ? TypBlackNumbered : TypWhiteNumbered;
            pt.Est = 95;
            pt.PatternConf = 100;
        }
}

// Reads every stone of a board in each font of `fonts`.
template <size_t N>
std::map<std::string, Tally> readFonts(const FontFile (&fonts)[N], std::map<std::string, Tally>& byDigits)
{
    std::map<std::string, Tally> byFont;
    StoneNumberReader& reader = numberReader();
    reader.ThinDigits = false;
    // QUON_FONTSTONES_MISREADS=1 lists every number not read exactly; =2
    // draws each such stone as well; =3 draws the ink of the reader's last
    // labelling beside it (components as letters).
    const char* misreads = std::getenv("QUON_FONTSTONES_MISREADS");
    const bool listMisreads = misreads != nullptr;
    const bool drawMisreads = listMisreads && (std::string(misreads) == "2" || std::string(misreads) == "3");
    const bool drawLabels = listMisreads && std::string(misreads) == "3";
    // QUON_FONTSTONES_FONT=NAME reads only the fonts whose file name holds NAME.
    const char* only = std::getenv("QUON_FONTSTONES_FONT");
    for (const FontFile& f : fonts) {
        if (!QFile::exists(f.path) || (only && !std::strstr(f.path, only)))
            continue;
        const QRawFont font(QString::fromLatin1(f.path), 200);
        if (!font.isValid())
            continue;
        for (int pitch : {44, 60}) {
            int numbers[19][19];
            int colours[19][19];
            drawBoard(font, pitch, numbers, colours);
            reader.resetDigitHeights();
            Tally& t = byFont[f.path];
            for (int r = 1; r <= 19; ++r)
                for (int c = 1; c <= 19; ++c) {
                    Reco.CurPointX = c;
                    Reco.CurPointY = r;
                    int32_t got = 0;
                    const StoneReadResult res = reader.RecoStoneNumber(0);
                    const bool isNumber = res.number(got);
                    const int want = numbers[c - 1][r - 1];
                    if (listMisreads && !(isNumber && got == want))
                        std::printf("misread %s pitch %d %s %d read \"%s\"%s\n", f.path, pitch,
                                    colours[c - 1][r - 1] == 1 ? "black" : "white", want, res.Text.c_str(),
                                    isNumber ? " SILENT" : "");
                    if (drawMisreads && !(isNumber && got == want)) {
                        const IntPoint at = Reco.GridPoints[c][r].Coord;
                        for (int y = at.Y - pitch / 2; y < at.Y + pitch / 2; ++y) {
                            std::string row;
                            for (int x = at.X - pitch / 2; x < at.X + pitch / 2; ++x)
                                row += lastBoard.black(x, y) ? '#' : '.';
                            const int32_t ly = y - (at.Y - pitch / 2) + 1;
                            if (drawLabels) {
                                row += "   ";
                                for (int32_t lx = 1; lx <= pitch; ++lx) {
                                    const int32_t l = reader.DigitLabels()[lx][ly];
                                    row += l / 100 == 2 ? static_cast<char>('a' + (l % 100 - 1) % 26) : '.';
                                }
                            }
                            std::printf("  %s\n", row.c_str());
                        }
                    }
                    Tally& d = byDigits[std::to_string(std::to_string(want).size()) + " digits"];
                    for (Tally* x : {&t, &d}) {
                        ++x->numbered;
                        x->exact += isNumber && got == want;
                        x->wrong += isNumber && got != want;
                    }
                }
        }
    }
    return byFont;
}

Tally report(const char* what, const std::map<std::string, Tally>& byFont, const std::map<std::string, Tally>& byDigits)
{
    Tally all;
    for (const auto& [font, t] : byFont) {
        std::printf("%-70s %4d/%4d exact (%.1f %%), %3d silently wrong\n", font.c_str(), t.exact, t.numbered, t.exactPct(),
                    t.wrong);
        all.add(t);
    }
    for (const auto& [k, t] : byDigits)
        std::printf("%s %s: %.1f %% exact, %.2f %% silently wrong\n", what, k.c_str(), t.exactPct(), t.wrongPct());
    std::printf("%s: %d/%d exact (%.2f %%), %d silently wrong (%.2f %%)\n", what, all.exact, all.numbered, all.exactPct(),
                all.wrong, all.wrongPct());
    return all;
}

class FontStones : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTablesToStart();
        std::string error;
        ASSERT_TRUE(DigitPacket.LoadFromFile(std::string(QUON_DATA_DIR) + "/Digits.BzP", error)) << error;
    }
    void TearDown() override { DigitPacket.Clear(); }
};

} // namespace

// Floors at the level reached, with a little room; raise them as the
// reading improves.
TEST_F(FontStones, UprightFacesReadRight)
{
    std::map<std::string, Tally> byDigits;
    const auto byFont = readFonts(test::UprightFonts, byDigits);
    if (byFont.empty())
        GTEST_SKIP() << "none of the fonts is installed";
    const Tally all = report("upright", byFont, byDigits);
    EXPECT_GE(all.exactPct(), 99.75);
    EXPECT_LE(all.wrongPct(), 0.05);
}

TEST_F(FontStones, SlantedFacesReadRight)
{
    std::map<std::string, Tally> byDigits;
    const auto byFont = readFonts(test::SlantedFonts, byDigits);
    if (byFont.empty())
        GTEST_SKIP() << "none of the fonts is installed";
    const Tally all = report("slanted", byFont, byDigits);
    EXPECT_GE(all.exactPct(), 99.4);
    EXPECT_LE(all.wrongPct(), 0.05);
}
