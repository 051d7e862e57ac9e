// The drawing interface painted into a Qt image, with the pixel conventions
// of the original canvas (see platform/GdiCanvas.h), and text measured with
// Qt fonts for the metafile writers.
//
// Every stroke is first drawn into a coverage mask and then applied to the
// image once, either in the pen's colour or by inverting the pixels under it,
// so an inverting outline turns each pixel exactly once. Wide axis-parallel
// lines are rectangles of the pen's width centred on the line (rows
// y - w/2 .. y - w/2 + w - 1) reaching from the first point up to, not
// including, the last; where a line continues the one before, a square of the
// pen's width fills the joint, so a thick corner has no notch. Texts are drawn
// without antialiasing, for 1-bit pictures.
#pragma once

#include "platform/GdiCanvas.h"

#include <QFont>
#include <QImage>
#include <QRect>

#include <functional>

class QPainter;

namespace quon {

// The Qt font of a font record: the face name through the substitution table,
// the height as the record means it (cell height when positive, character
// height when negative), the average width as a stretch, the weight.
QFont fontFromGdi(const GdiFont& font);

// Text measuring with Qt fonts at 96 dpi.
class QtTextMetrics : public GdiTextMetrics {
  public:
    GdiSize extent(const GdiFont& font, const std::string& utf8) override;
    std::vector<int32_t> advances(const GdiFont& font, const std::string& utf8) override;
};

class RasterCanvas : public GdiCanvas {
  public:
    // Draws into `image`, which must be Format_RGB32 and outlive the canvas.
    explicit RasterCanvas(QImage& image);

    void setPen(int32_t width, GdiColour colour) override;
    void setBrush(GdiColour colour) override;
    void setNullBrush() override;
    void setInvertingPen(bool inverting) override;
    void moveTo(int32_t x, int32_t y) override;
    void lineTo(int32_t x, int32_t y) override;
    void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override;
    void polygon(const std::vector<GdiPoint>& points) override;
    void setFont(const GdiFont& font) override;
    GdiSize textExtent(const std::string& utf8) override;
    void setTextColour(GdiColour colour) override;
    void setBackground(GdiColour colour, bool opaque) override;
    void textOut(int32_t x, int32_t y, const GdiText& text) override;

  private:
    // Draws `paint` into a mask covering `box` and applies it with the pen.
    void stroke(QRect box, const std::function<void(QPainter&)>& paint);
    void segment(QPainter& mask, GdiPoint from, GdiPoint to, bool joint) const;
    int32_t margin() const { return penWidth_ + 2; }

    QImage& image_;
    int32_t penWidth_ = 1;
    GdiColour penColour_ = GdiBlack;
    bool brushNull_ = false;
    GdiColour brushColour_ = GdiWhite;
    bool inverting_ = false;
    GdiPoint pos_;
    bool continuesLine_ = false;
    QFont font_;
    GdiColour textColour_ = GdiBlack;
    GdiColour bkColour_ = GdiWhite;
    bool opaque_ = true;
};

} // namespace quon
