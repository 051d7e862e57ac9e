// Recording a Windows (not enhanced) metafile: a GdiCanvas whose drawing
// becomes 16-bit metafile records behind a placeable header (96 units per
// inch, so a unit is a pixel of a 96-dpi picture).
//
// Coordinates are 16-bit: a picture wider or higher than MaxSide cannot be
// recorded, and the constructor refuses it (std::length_error); callers check
// first and tell the user. Texts are stored as 8-bit bytes read in the
// font's character set.
//
// The object table is implicit in the format: a created object takes the
// lowest free slot and deleting it frees the slot. The writer keeps the same
// table and records the most slots ever in use in the header.
#pragma once

#include "platform/GdiCanvas.h"

#include <optional>
#include <string>

namespace quon {

class WmfCanvas : public GdiCanvas {
  public:
    static constexpr int32_t MaxSide = 32767;

    WmfCanvas(int32_t width, int32_t height, GdiTextMetrics& metrics);

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
    bool storesAnsiText() const override { return true; }

    // Ends the metafile and returns its bytes, placeable header first.
    std::string finish();

  private:
    class Record;
    void add(const Record& r);
    uint16_t newSlot();
    void deleteSlot(uint16_t slot);
    void replaceObject(std::optional<uint16_t>& current, uint16_t created);

    int32_t width_;
    int32_t height_;
    GdiTextMetrics& metrics_;
    std::string body_;
    uint32_t maxRecordWords_ = 0;
    std::vector<bool> slotUsed_;
    std::optional<uint16_t> pen_, brush_, font_;
    std::optional<std::pair<int32_t, GdiColour>> penKey_;
    std::optional<GdiColour> brushKey_;
    bool brushNull_ = false;
    std::optional<GdiFont> fontKey_;
    std::optional<bool> inverting_;
    std::optional<GdiColour> textColour_, bkColour_;
    std::optional<bool> opaque_;
    bool finished_ = false;
};

} // namespace quon
