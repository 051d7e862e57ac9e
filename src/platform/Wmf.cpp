#include "platform/Wmf.h"

#include <algorithm>
#include <stdexcept>

namespace quon {

namespace {

enum : uint16_t {
    META_EOF = 0x0000,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_POLYGON = 0x0324,
    META_ELLIPSE = 0x0418,
    META_EXTTEXTOUT = 0x0A32,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
};

constexpr uint16_t R2_NOT = 6, R2_COPYPEN = 13;
constexpr uint16_t TRANSPARENT = 1, OPAQUE = 2;
constexpr uint16_t MM_ANISOTROPIC = 8;

void put16(std::string& s, uint16_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, uint32_t v)
{
    put16(s, static_cast<uint16_t>(v & 0xFFFF));
    put16(s, static_cast<uint16_t>(v >> 16));
}
// Coordinates past the 16-bit range cannot occur in an accepted picture; they
// are held at the range's ends rather than wrapped.
int16_t c16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, -32768, 32767)); }

} // namespace

class WmfCanvas::Record {
  public:
    explicit Record(uint16_t function)
    {
        put32(bytes, 0); // size in words, filled in when added
        put16(bytes, function);
    }
    Record& u16(uint16_t v)
    {
        put16(bytes, v);
        return *this;
    }
    Record& i16(int32_t v) { return u16(static_cast<uint16_t>(c16(v))); }
    Record& u32(uint32_t v)
    {
        put32(bytes, v);
        return *this;
    }
    std::string bytes;
};

WmfCanvas::WmfCanvas(int32_t width, int32_t height, GdiTextMetrics& metrics)
    : width_(std::max(0, width)), height_(std::max(0, height)), metrics_(metrics)
{
    if (width_ > MaxSide || height_ > MaxSide)
        throw std::length_error("picture too large for a 16-bit metafile");
    add(Record(META_SETMAPMODE).u16(MM_ANISOTROPIC));
    add(Record(META_SETWINDOWORG).i16(0).i16(0));
    add(Record(META_SETWINDOWEXT).i16(height_).i16(width_));
    add(Record(META_SETTEXTALIGN).u16(0)); // top-left reference point
}

void WmfCanvas::add(const Record& r)
{
    if (finished_)
        throw std::logic_error("metafile already finished");
    std::string b = r.bytes;
    if (b.size() % 2)
        b.push_back('\0');
    const auto words = static_cast<uint32_t>(b.size() / 2);
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((words >> (8 * i)) & 0xFF);
    body_ += b;
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

uint16_t WmfCanvas::newSlot()
{
    for (size_t i = 0; i < slotUsed_.size(); ++i)
        if (!slotUsed_[i]) {
            slotUsed_[i] = true;
            return static_cast<uint16_t>(i);
        }
    slotUsed_.push_back(true);
    return static_cast<uint16_t>(slotUsed_.size() - 1);
}

void WmfCanvas::deleteSlot(uint16_t slot)
{
    add(Record(META_DELETEOBJECT).u16(slot));
    slotUsed_[slot] = false;
}

void WmfCanvas::replaceObject(std::optional<uint16_t>& current, uint16_t created)
{
    add(Record(META_SELECTOBJECT).u16(created));
    if (current)
        deleteSlot(*current);
    current = created;
}

void WmfCanvas::setPen(int32_t width, GdiColour colour)
{
    const std::pair<int32_t, GdiColour> key{std::max(0, width), colour};
    if (penKey_ == key)
        return;
    penKey_ = key;
    const uint16_t slot = newSlot();
    add(Record(META_CREATEPENINDIRECT).u16(0 /* PS_SOLID */).i16(key.first).i16(0).u32(colour));
    replaceObject(pen_, slot);
}

void WmfCanvas::setBrush(GdiColour colour)
{
    if (!brushNull_ && brushKey_ == colour)
        return;
    brushKey_ = colour;
    brushNull_ = false;
    const uint16_t slot = newSlot();
    add(Record(META_CREATEBRUSHINDIRECT).u16(0 /* BS_SOLID */).u32(colour).u16(0));
    replaceObject(brush_, slot);
}

void WmfCanvas::setNullBrush()
{
    // The format has no stock objects: the null brush is created like any other.
    if (brushNull_)
        return;
    brushNull_ = true;
    brushKey_.reset();
    const uint16_t slot = newSlot();
    add(Record(META_CREATEBRUSHINDIRECT).u16(1 /* BS_NULL */).u32(0).u16(0));
    replaceObject(brush_, slot);
}

void WmfCanvas::setInvertingPen(bool inverting)
{
    if (inverting_ == inverting)
        return;
    inverting_ = inverting;
    add(Record(META_SETROP2).u16(inverting ? R2_NOT : R2_COPYPEN).u16(0));
}

void WmfCanvas::moveTo(int32_t x, int32_t y) { add(Record(META_MOVETO).i16(y).i16(x)); }
void WmfCanvas::lineTo(int32_t x, int32_t y) { add(Record(META_LINETO).i16(y).i16(x)); }

void WmfCanvas::ellipse(int32_t l, int32_t t, int32_t r, int32_t b)
{
    add(Record(META_ELLIPSE).i16(b).i16(r).i16(t).i16(l));
}

void WmfCanvas::polygon(const std::vector<GdiPoint>& points)
{
    if (points.empty())
        return;
    Record rec(META_POLYGON);
    rec.u16(static_cast<uint16_t>(points.size()));
    for (const GdiPoint& p : points)
        rec.i16(p.x).i16(p.y);
    add(rec);
}

void WmfCanvas::setFont(const GdiFont& font)
{
    if (fontKey_ == font)
        return;
    fontKey_ = font;
    const uint16_t slot = newSlot();
    Record rec(META_CREATEFONTINDIRECT);
    rec.i16(font.Height).i16(font.Width).i16(0).i16(0).i16(font.Weight);
    for (uint8_t v : {uint8_t(font.Italic), uint8_t(font.Underline), uint8_t(font.StrikeOut), font.CharSet,
                      font.OutPrecision, font.ClipPrecision, font.Quality, font.PitchAndFamily})
        rec.bytes.push_back(static_cast<char>(v));
    std::string face = font.FaceNameAnsi.substr(0, 31);
    face.push_back('\0');
    rec.bytes += face;
    add(rec);
    replaceObject(font_, slot);
}

GdiSize WmfCanvas::textExtent(const std::string& utf8)
{
    return fontKey_ ? metrics_.extent(*fontKey_, utf8) : GdiSize{};
}

void WmfCanvas::setTextColour(GdiColour colour)
{
    if (textColour_ == colour)
        return;
    textColour_ = colour;
    add(Record(META_SETTEXTCOLOR).u32(colour));
}

void WmfCanvas::setBackground(GdiColour colour, bool opaque)
{
    if (bkColour_ != colour) {
        bkColour_ = colour;
        add(Record(META_SETBKCOLOR).u32(colour));
    }
    if (opaque_ != opaque) {
        opaque_ = opaque;
        add(Record(META_SETBKMODE).u16(opaque ? OPAQUE : TRANSPARENT).u16(0));
    }
}

void WmfCanvas::textOut(int32_t x, int32_t y, const GdiText& text)
{
    const std::string& s = text.ansi;
    if (s.empty())
        return;
    std::vector<int32_t> dx = fontKey_ ? metrics_.advances(*fontKey_, text.utf8) : std::vector<int32_t>{};
    dx.resize(s.size(), 0);
    Record rec(META_EXTTEXTOUT);
    rec.i16(y).i16(x).u16(static_cast<uint16_t>(s.size())).u16(0 /* no options, no rectangle */);
    rec.bytes += s;
    if (s.size() % 2)
        rec.bytes.push_back('\0');
    for (int32_t d : dx)
        rec.i16(d);
    add(rec);
}

std::string WmfCanvas::finish()
{
    for (std::optional<uint16_t>* object : {&pen_, &brush_, &font_})
        if (*object) {
            deleteSlot(**object);
            object->reset();
        }
    add(Record(META_EOF));
    finished_ = true;

    std::string placeable;
    put32(placeable, 0x9AC6CDD7u);
    put16(placeable, 0); // handle
    put16(placeable, 0), put16(placeable, 0);
    put16(placeable, static_cast<uint16_t>(width_)), put16(placeable, static_cast<uint16_t>(height_));
    put16(placeable, 96); // units per inch
    put32(placeable, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < placeable.size(); i += 2)
        sum ^= static_cast<uint16_t>(static_cast<unsigned char>(placeable[i]) |
                                     (static_cast<unsigned char>(placeable[i + 1]) << 8));
    put16(placeable, sum);

    std::string header;
    put16(header, 1); // in memory
    put16(header, 9); // header words
    put16(header, 0x0300);
    put32(header, static_cast<uint32_t>((18 + body_.size()) / 2));
    put16(header, static_cast<uint16_t>(slotUsed_.size()));
    put32(header, maxRecordWords_);
    put16(header, 0);
    return placeable + header + body_;
}

} // namespace quon
