// Recording an enhanced metafile: a GdiCanvas whose drawing becomes EMF
// records, little-endian, with the picture's pixels as logical units and a
// fixed 96-dpi reference device, so that a file is the same wherever it is
// written.
//
// Only the records the diagram pictures need are written: the header, pens,
// solid brushes (the stock null brush for outlines), fonts, object selection
// and deletion, move/line, ellipse, polygon, raster operation, text colour,
// background colour and mode, text alignment, wide-character text with its
// advance widths, and the end record. Each pen, brush and font is created
// when the drawing asks for a different one and the one it replaces is
// deleted, so a few handles stay alive at any time.
#pragma once

#include "platform/GdiCanvas.h"

#include <optional>
#include <string>

namespace quon {

class EmfCanvas : public GdiCanvas {
  public:
    // A picture of width x height pixels; text is measured with `metrics`.
    EmfCanvas(int32_t width, int32_t height, GdiTextMetrics& metrics);

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

    // Ends the metafile and returns its bytes; the canvas takes no more
    // drawing afterwards.
    std::string finish();

  private:
    class Record;
    void add(const Record& r);
    uint32_t newHandle();
    void freeHandle(uint32_t h);
    void replaceObject(std::optional<uint32_t>& current, uint32_t created);

    int32_t width_;
    int32_t height_;
    GdiTextMetrics& metrics_;
    std::string body_;
    uint32_t records_ = 1;               // the header counts
    std::vector<bool> handleUsed_{true}; // handle 0 is the metafile itself
    std::optional<uint32_t> pen_, brush_, font_;
    std::optional<std::pair<int32_t, GdiColour>> penKey_;
    std::optional<GdiColour> brushKey_; // none: the null brush (when brushNull_)
    bool brushNull_ = false;
    std::optional<GdiFont> fontKey_;
    std::optional<bool> inverting_;
    std::optional<GdiColour> textColour_, bkColour_;
    std::optional<bool> opaque_;
    bool finished_ = false;
};

} // namespace quon
