// The picture renderers against a canvas that records what it is asked to
// draw: the metafile's pass order, text fonts, colours and placement, the
// mark pens, the character set of 8-bit text, and the clamped settings.
#include "editor/DgrRender.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quon {
namespace {

class RecordingCanvas : public GdiCanvas {
  public:
    explicit RecordingCanvas(bool ansi = false) : ansi_(ansi) {}
    std::vector<std::string> log;

    void setPen(int32_t w, GdiColour c) override { say("pen", w, c); }
    void setBrush(GdiColour c) override { say("brush", c); }
    void setNullBrush() override { say("nullbrush"); }
    void setInvertingPen(bool inv) override { say("invert", inv); }
    void moveTo(int32_t x, int32_t y) override { say("move", x, y); }
    void lineTo(int32_t x, int32_t y) override { say("line", x, y); }
    void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override { say("ellipse", l, t, r, b); }
    void polygon(const std::vector<GdiPoint>& p) override { say("polygon", p.size()); }
    void setFont(const GdiFont& f) override
    {
        font_ = f;
        say("font", f.Height, int(f.CharSet));
    }
    // Every character 7 pixels wide, the cell 20 high.
    GdiSize textExtent(const std::string& utf8) override
    {
        int32_t n = 0;
        for (unsigned char c : utf8)
            n += (c & 0xC0) != 0x80 ? 1 : 0;
        return {7 * n, 20};
    }
    void setTextColour(GdiColour c) override { text_ = c; }
    void setBackground(GdiColour c, bool opaque) override { opaque_ = opaque && c == GdiWhite; }
    void textOut(int32_t x, int32_t y, const GdiText& t) override
    {
        say("text", t.utf8, x, y, text_ == GdiWhite ? "white" : "black", opaque_ ? "boxed" : "clear");
    }
    bool storesAnsiText() const override { return ansi_; }

    // The first entry starting with `prefix`, -1 when none.
    int first(const std::string& prefix) const
    {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].rfind(prefix, 0) == 0)
                return static_cast<int>(i);
        return -1;
    }
    int last(const std::string& prefix) const
    {
        for (size_t i = log.size(); i-- > 0;)
            if (log[i].rfind(prefix, 0) == 0)
                return static_cast<int>(i);
        return -1;
    }
    std::vector<std::string> only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& s : log)
            if (s.rfind(prefix, 0) == 0)
                out.push_back(s);
        return out;
    }

  private:
    template <class... T> void say(const char* what, const T&... v)
    {
        std::ostringstream s;
        s << what;
        ((s << ' ' << v), ...);
        log.push_back(s.str());
    }
    bool ansi_;
    GdiFont font_;
    GdiColour text_ = GdiBlack;
    bool opaque_ = false;
};

DgrNewSettings settings(int32_t step)
{
    DgrNewSettings s;
    s.PictureStepX = s.PictureStepY = step;
    s.PictureLine = 1;
    s.PictureBorder = 3;
    s.PictureRad = 1;
    return s;
}

void put(tDgrData& doc, int32_t x, int32_t y, uint8_t element, uint8_t stone, uint16_t number, uint8_t mark)
{
    DgrCell c;
    c.Element = element, c.Stone = stone, c.Number = number, c.Mark = mark;
    doc.Grid.PutCell(x, y, c);
}

TEST(DgrRender, MetafileDrawsInPasses)
{
    // A white stone left of a black one on an edge, both marked, texts of
    // three lengths: elements of every cell come before any stone, black
    // stones before white, marks after the stones, texts last by font.
    tDgrData doc(4, 2, settings(22));
    put(doc, 0, 0, ElemTopLeft, StoneWhite, 0, MarkSquare);
    put(doc, 1, 0, ElemTop, StoneBlack, 0, MarkCircle);
    put(doc, 2, 0, ElemTop, StoneNone, 100, 0);
    put(doc, 3, 0, ElemTopRight, StoneNone, 0, 'A');
    put(doc, 0, 1, ElemLeft, StoneBlack, 12, 0);
    put(doc, 1, 1, ElemCross, StoneWhite, 7, 0);
    RecordingCanvas c;
    RenderMetafile(doc, c);

    const std::vector<std::string> ellipses = c.only("ellipse");
    ASSERT_EQ(ellipses.size(), 5u); // four stones and the circle mark
    EXPECT_LT(c.last("line"), c.first("ellipse"));
    EXPECT_EQ(ellipses[0], "ellipse 23 1 42 20"); // black stones first, inset 1
    EXPECT_EQ(ellipses[1], "ellipse 1 23 20 42");
    EXPECT_EQ(ellipses[2], "ellipse 1 1 20 20");
    EXPECT_EQ(ellipses[3], "ellipse 23 23 42 42");
    EXPECT_EQ(ellipses[4], "ellipse 25 3 40 18"); // the circle: the bitmap's size
    EXPECT_LT(c.first("polygon"), c.first("text"));
    // One font per text pass: 1 character (the label and 7), 2, then 3.
    EXPECT_EQ(c.only("font"), (std::vector<std::string>{"font 22 0", "font 19 0", "font 17 0"}));
    EXPECT_EQ(c.only("text"), (std::vector<std::string>{"text A 73 0 black boxed", "text 7 29 22 black clear",
                                                        "text 12 3 22 white clear", "text 100 44 0 black boxed"}));
}

TEST(DgrRender, BitmapDrawsCellByCell)
{
    tDgrData doc(2, 1, settings(11));
    put(doc, 0, 0, ElemCross, StoneBlack, 7, 0);
    put(doc, 1, 0, ElemCross, StoneNone, 123, 0); // wider than its cell: starts at its left edge
    RecordingCanvas c;
    RenderBitmap(doc, c);
    EXPECT_LT(c.first("ellipse"), c.last("line")); // the second cell's lines come after the first stone
    EXPECT_EQ(c.only("text"), (std::vector<std::string>{"text 7 1 0 white clear", "text 123 11 0 black boxed"}));
    EXPECT_EQ(c.only("font"), (std::vector<std::string>{"font 22 0", "font 17 0"}));
}

TEST(DgrRender, MarksAndLabelsFollowTheCellsPrecedence)
{
    struct Case {
        uint16_t number;
        uint8_t mark;
        const char* shows;
    };
    const Case cases[] = {
        {0, 'A', "text A"}, {12, 'A', "text 12"}, {0, MarkSquare, "polygon 4"}, {5, MarkCross, "text 5"},
        {1000, 0, ""},      {0, 0, ""},           {0, MarkArrow, "polygon 7"},
    };
    for (const Case& k : cases) {
        tDgrData doc(1, 1, settings(22));
        put(doc, 0, 0, 0, StoneNone, k.number, k.mark);
        RecordingCanvas c;
        RenderBitmap(doc, c);
        std::string shown;
        for (const std::string& s : c.log)
            if (s.rfind("text", 0) == 0 || s.rfind("polygon", 0) == 0)
                shown = s.substr(0, s.rfind("polygon", 0) == 0 ? s.size() : s.find(' ', 5));
        EXPECT_EQ(shown, k.shows) << k.number << " " << int(k.mark);
    }
}

TEST(DgrRender, MarkPensContrastWithTheStone)
{
    // Outline marks invert; their pen is white on a black stone so that
    // readers without raster operations still show them.
    for (const auto& [stone, pen] :
         {std::pair{StoneBlack, "pen 1 16777215"}, std::pair{StoneWhite, "pen 1 0"}, std::pair{StoneNone, "pen 1 0"}}) {
        tDgrData doc(1, 1, settings(22));
        put(doc, 0, 0, 0, stone, 0, MarkTriangle);
        RecordingCanvas c;
        RenderMetafile(doc, c);
        const int poly = c.first("polygon");
        ASSERT_GE(poly, 0);
        std::string penBefore;
        for (int i = 0; i < poly; ++i)
            if (c.log[static_cast<size_t>(i)].rfind("pen", 0) == 0)
                penBefore = c.log[static_cast<size_t>(i)];
        EXPECT_EQ(penBefore, pen);
        EXPECT_EQ(c.log[static_cast<size_t>(poly - 1)], "invert 1");
        EXPECT_EQ(c.log[static_cast<size_t>(poly + 1)], "invert 0");
    }
}

TEST(DgrRender, EightBitTextNamesTheCyrillicCharacterSet)
{
    tDgrData doc(2, 1, settings(22));
    put(doc, 0, 0, 0, StoneNone, 0, 0xC6); // Zhe
    put(doc, 1, 0, 0, StoneNone, 12, 0);
    RecordingCanvas wmf(true), emf(false);
    RenderMetafile(doc, wmf);
    RenderMetafile(doc, emf);
    EXPECT_EQ(wmf.only("font"), (std::vector<std::string>{"font 22 204", "font 19 0"}));
    EXPECT_EQ(emf.only("font"), (std::vector<std::string>{"font 22 0", "font 19 0"}));
    EXPECT_EQ(wmf.only("text")[0], "text Ж 7 0 black boxed");

    put(doc, 0, 0, 0, StoneNone, 0, 'A');
    RecordingCanvas latin(true);
    RenderMetafile(doc, latin);
    EXPECT_EQ(latin.only("font")[0], "font 22 0");
}

TEST(DgrRender, SettingsAreClampedWhereTheyAreUsed)
{
    struct Case {
        int32_t step, line, border, rad;
        DgrPictureGeometry want;
    };
    const Case cases[] = {
        {22, 1, 3, 0, {22, 22, 1, 3, 0}},  {0, 0, 0, 0, {1, 1, 0, 0, 0}},
        {-7, -1, -1, -1, {1, 1, 0, 0, 0}}, {100000, 9999, 9999, 9999, {511, 511, 255, 255, 255}},
        {10, 6, 7, 8, {10, 10, 5, 5, 5}},
    };
    for (const Case& k : cases) {
        DgrPictureBlock p = DgrPictureBlock::makeNew(k.step, k.step, k.line, k.border, k.rad);
        const DgrPictureGeometry g = pictureGeometry(p);
        EXPECT_EQ(std::tie(g.StepX, g.StepY, g.Line, g.Border, g.Rad),
                  std::tie(k.want.StepX, k.want.StepY, k.want.Line, k.want.Border, k.want.Rad))
            << k.step << " " << k.line;
    }
    tDgrData doc(3, 2, settings(22));
    EXPECT_EQ(PictureSize(doc).Width, 66);
    EXPECT_EQ(PictureSize(doc).Height, 44);
    EXPECT_EQ(PictureSize(tDgrData(0, 0, settings(22))).Width, 0);

    EXPECT_EQ(pictureSizeError({20000, 20000}, DgrPictureKind::Bitmap), "");
    EXPECT_NE(pictureSizeError({20001, 5}, DgrPictureKind::Bitmap), "");
    EXPECT_EQ(pictureSizeError({32767, 32767}, DgrPictureKind::Wmf), "");
    EXPECT_NE(pictureSizeError({5, 32768}, DgrPictureKind::Wmf), "");
    EXPECT_EQ(pictureSizeError({33215, 511}, DgrPictureKind::Emf), "");
}

} // namespace
} // namespace quon
