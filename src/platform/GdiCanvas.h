// A small drawing interface shaped like the original platform's canvas, so
// that one drawing routine can paint a bitmap (the Qt raster back end) and
// record the two metafile kinds (EmfCanvas, WmfCanvas) alike.
//
// Conventions, which every back end keeps:
//  - coordinates are pixels, (0, 0) the top-left of the picture;
//  - a line from p to q paints p and not q; consecutive lineTo calls join;
//  - an ellipse box (l, t, r, b) holds the figure with r and b outside it;
//  - text is placed by the top-left corner of its character cell;
//  - colours are 0x00BBGGRR values, as the metafile records store them;
//  - an inverting pen turns each pixel it draws into its opposite (readers
//    that do not know raster operations draw it in the pen's colour).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quon {

using GdiColour = uint32_t;
constexpr GdiColour GdiBlack = 0x000000u;
constexpr GdiColour GdiWhite = 0xFFFFFFu;

struct GdiPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct GdiSize {
    int32_t cx = 0;
    int32_t cy = 0;
};

// A font as the platform's font record describes it. Height > 0 asks for a
// character cell of that height, < 0 for characters of that height, 0 for a
// default size; Width > 0 is the average character width.
struct GdiFont {
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t Weight = 0; // 100..900, 0 the normal weight
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    uint8_t CharSet = 0; // written into 8-bit metafile text records
    uint8_t OutPrecision = 0;
    uint8_t ClipPrecision = 0;
    uint8_t Quality = 0;
    uint8_t PitchAndFamily = 0;
    std::string FaceName;     // UTF-8
    std::string FaceNameAnsi; // the same name in the font's 8-bit code page, at most 31 bytes
    bool operator==(const GdiFont&) const = default;
};

// A text in both forms a back end may need: UTF-8 for drawing and wide
// records, and the 8-bit bytes of the font's code page for the old metafile.
struct GdiText {
    std::string utf8;
    std::string ansi;
};

// Measures texts for the recording back ends, which have no fonts of their
// own. `advances` gives one horizontal advance per character of the text.
class GdiTextMetrics {
  public:
    virtual ~GdiTextMetrics() = default;
    virtual GdiSize extent(const GdiFont& font, const std::string& utf8) = 0;
    virtual std::vector<int32_t> advances(const GdiFont& font, const std::string& utf8) = 0;
};

class GdiCanvas {
  public:
    virtual ~GdiCanvas() = default;

    // A solid pen; widths 0 and 1 both draw one pixel.
    virtual void setPen(int32_t width, GdiColour colour) = 0;
    virtual void setBrush(GdiColour colour) = 0;
    virtual void setNullBrush() = 0;
    virtual void setInvertingPen(bool inverting) = 0;

    virtual void moveTo(int32_t x, int32_t y) = 0;
    virtual void lineTo(int32_t x, int32_t y) = 0;
    virtual void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) = 0;
    // Closed polygon, outlined with the pen and filled with the brush.
    virtual void polygon(const std::vector<GdiPoint>& points) = 0;

    virtual void setFont(const GdiFont& font) = 0;
    virtual GdiSize textExtent(const std::string& utf8) = 0;
    virtual void setTextColour(GdiColour colour) = 0;
    // An opaque background fills the text's extent with `colour` first.
    virtual void setBackground(GdiColour colour, bool opaque) = 0;
    virtual void textOut(int32_t x, int32_t y, const GdiText& text) = 0;

    // True when texts are stored as 8-bit bytes read in the font's character
    // set (the old metafile), so that the font must name the code page.
    virtual bool storesAnsiText() const { return false; }
};

} // namespace quon
