#include "platform/Emf.h"

#include <algorithm>
#include <stdexcept>

namespace quon {

namespace {

enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETROP2 = 20,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_LINETO = 54,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
};

constexpr uint32_t NullBrushStock = 0x80000005u;
constexpr uint32_t R2_NOT = 6, R2_COPYPEN = 13;
constexpr uint32_t TRANSPARENT = 1, OPAQUE = 2;
// Reference device: 1920 x 1080 pixels at 96 dpi.
constexpr int32_t DeviceW = 1920, DeviceH = 1080;

void put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& s, uint16_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void puti(std::string& s, int32_t v) { put32(s, static_cast<uint32_t>(v)); }

// Hundredths of a millimetre of a 96-dpi length in pixels.
int32_t toHmm(int64_t px) { return static_cast<int32_t>(px * 2540 / 96); }

std::u16string utf16(const std::string& utf8)
{
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80)
            cp = c;
        else if ((c >> 5) == 6 && i + 1 < utf8.size())
            cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu), len = 2;
        else if ((c >> 4) == 14 && i + 2 < utf8.size())
            cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu),
            len = 3;
        else if ((c >> 3) == 30 && i + 3 < utf8.size())
            cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(utf8[i + 3]) & 0x3Fu),
            len = 4;
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace

// One record being built: type, then the parameters; the size is filled in
// when it is added.
class EmfCanvas::Record {
  public:
    explicit Record(uint32_t type)
    {
        put32(bytes, type);
        put32(bytes, 0);
    }
    Record& u32(uint32_t v)
    {
        put32(bytes, v);
        return *this;
    }
    Record& i32(int32_t v)
    {
        puti(bytes, v);
        return *this;
    }
    std::string bytes;
};

EmfCanvas::EmfCanvas(int32_t width, int32_t height, GdiTextMetrics& metrics)
    : width_(std::max(0, width)), height_(std::max(0, height)), metrics_(metrics)
{
    add(Record(EMR_SETTEXTALIGN).u32(0)); // top-left reference point
}

void EmfCanvas::add(const Record& r)
{
    if (finished_)
        throw std::logic_error("metafile already finished");
    std::string b = r.bytes;
    while (b.size() % 4)
        b.push_back('\0');
    const auto size = static_cast<uint32_t>(b.size());
    for (int i = 0; i < 4; ++i)
        b[4 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    body_ += b;
    ++records_;
}

uint32_t EmfCanvas::newHandle()
{
    for (uint32_t h = 1; h < handleUsed_.size(); ++h)
        if (!handleUsed_[h]) {
            handleUsed_[h] = true;
            return h;
        }
    handleUsed_.push_back(true);
    return static_cast<uint32_t>(handleUsed_.size() - 1);
}

void EmfCanvas::freeHandle(uint32_t h)
{
    add(Record(EMR_DELETEOBJECT).u32(h));
    handleUsed_[h] = false;
}

void EmfCanvas::replaceObject(std::optional<uint32_t>& current, uint32_t created)
{
    add(Record(EMR_SELECTOBJECT).u32(created));
    if (current)
        freeHandle(*current);
    current = created;
}

void EmfCanvas::setPen(int32_t width, GdiColour colour)
{
    const std::pair<int32_t, GdiColour> key{std::max(0, width), colour};
    if (penKey_ == key)
        return;
    penKey_ = key;
    const uint32_t h = newHandle();
    add(Record(EMR_CREATEPEN).u32(h).u32(0 /* PS_SOLID */).i32(key.first).i32(0).u32(colour));
    replaceObject(pen_, h);
}

void EmfCanvas::setBrush(GdiColour colour)
{
    if (!brushNull_ && brushKey_ == colour)
        return;
    brushKey_ = colour;
    brushNull_ = false;
    const uint32_t h = newHandle();
    add(Record(EMR_CREATEBRUSHINDIRECT).u32(h).u32(0 /* BS_SOLID */).u32(colour).u32(0));
    replaceObject(brush_, h);
}

void EmfCanvas::setNullBrush()
{
    if (brushNull_)
        return;
    brushNull_ = true;
    brushKey_.reset();
    add(Record(EMR_SELECTOBJECT).u32(NullBrushStock));
    if (brush_)
        freeHandle(*brush_);
    brush_.reset();
}

void EmfCanvas::setInvertingPen(bool inverting)
{
    if (inverting_ == inverting)
        return;
    inverting_ = inverting;
    add(Record(EMR_SETROP2).u32(inverting ? R2_NOT : R2_COPYPEN));
}

void EmfCanvas::moveTo(int32_t x, int32_t y) { add(Record(EMR_MOVETOEX).i32(x).i32(y)); }
void EmfCanvas::lineTo(int32_t x, int32_t y) { add(Record(EMR_LINETO).i32(x).i32(y)); }

void EmfCanvas::ellipse(int32_t l, int32_t t, int32_t r, int32_t b)
{
    add(Record(EMR_ELLIPSE).i32(l).i32(t).i32(r).i32(b));
}

void EmfCanvas::polygon(const std::vector<GdiPoint>& points)
{
    if (points.empty())
        return;
    int32_t l = points[0].x, t = points[0].y, r = l, b = t;
    for (const GdiPoint& p : points) {
        l = std::min(l, p.x), r = std::max(r, p.x);
        t = std::min(t, p.y), b = std::max(b, p.y);
    }
    Record rec(EMR_POLYGON);
    rec.i32(l).i32(t).i32(r).i32(b).u32(static_cast<uint32_t>(points.size()));
    for (const GdiPoint& p : points)
        rec.i32(p.x).i32(p.y);
    add(rec);
}

void EmfCanvas::setFont(const GdiFont& font)
{
    if (fontKey_ == font)
        return;
    fontKey_ = font;
    const uint32_t h = newHandle();
    Record rec(EMR_EXTCREATEFONTINDIRECTW);
    rec.u32(h).i32(font.Height).i32(font.Width).i32(0).i32(0).i32(font.Weight);
    std::string& b = rec.bytes;
    for (uint8_t v : {uint8_t(font.Italic), uint8_t(font.Underline), uint8_t(font.StrikeOut), font.CharSet,
                      font.OutPrecision, font.ClipPrecision, font.Quality, font.PitchAndFamily})
        b.push_back(static_cast<char>(v));
    std::u16string face = utf16(font.FaceName);
    face.resize(std::min<size_t>(face.size(), 31));
    face.resize(32, u'\0');
    for (char16_t c : face)
        put16(b, static_cast<uint16_t>(c));
    // The rest of the extended record (full name, style, script, panose)
    // left empty: the record is 12 + 320 bytes, the form readers expect.
    b.resize(12 + 320, '\0');
    add(rec);
    replaceObject(font_, h);
}

GdiSize EmfCanvas::textExtent(const std::string& utf8)
{
    return fontKey_ ? metrics_.extent(*fontKey_, utf8) : GdiSize{};
}

void EmfCanvas::setTextColour(GdiColour colour)
{
    if (textColour_ == colour)
        return;
    textColour_ = colour;
    add(Record(EMR_SETTEXTCOLOR).u32(colour));
}

void EmfCanvas::setBackground(GdiColour colour, bool opaque)
{
    if (bkColour_ != colour) {
        bkColour_ = colour;
        add(Record(EMR_SETBKCOLOR).u32(colour));
    }
    if (opaque_ != opaque) {
        opaque_ = opaque;
        add(Record(EMR_SETBKMODE).u32(opaque ? OPAQUE : TRANSPARENT));
    }
}

void EmfCanvas::textOut(int32_t x, int32_t y, const GdiText& text)
{
    const std::u16string s = utf16(text.utf8);
    if (s.empty())
        return;
    std::vector<int32_t> dx = fontKey_ ? metrics_.advances(*fontKey_, text.utf8) : std::vector<int32_t>{};
    dx.resize(s.size(), 0); // a surrogate pair takes its advance on the first half
    const GdiSize ext = textExtent(text.utf8);
    const uint32_t offString = 76;
    const uint32_t stringBytes = static_cast<uint32_t>((s.size() * 2 + 3) / 4 * 4);
    Record rec(EMR_EXTTEXTOUTW);
    rec.i32(x).i32(y).i32(x + ext.cx - 1).i32(y + ext.cy - 1); // bounds
    rec.u32(1 /* GM_COMPATIBLE */).u32(0).u32(0);              // scales 0.0f
    rec.i32(x).i32(y).u32(static_cast<uint32_t>(s.size())).u32(offString).u32(0 /* options */);
    rec.i32(0).i32(0).i32(-1).i32(-1); // no clipping rectangle
    rec.u32(offString + stringBytes);
    for (char16_t c : s)
        put16(rec.bytes, static_cast<uint16_t>(c));
    rec.bytes.resize(offString + stringBytes, '\0');
    for (int32_t d : dx)
        rec.i32(d);
    add(rec);
}

std::string EmfCanvas::finish()
{
    // Objects still selected are deleted, so a reader ends with none alive.
    for (std::optional<uint32_t>* object : {&pen_, &brush_, &font_})
        if (*object) {
            freeHandle(**object);
            object->reset();
        }
    Record eof(EMR_EOF);
    eof.u32(0).u32(16).u32(20);
    add(eof);
    finished_ = true;

    const uint32_t headerBytes = 108;
    std::string h;
    put32(h, EMR_HEADER);
    put32(h, headerBytes);
    puti(h, 0), puti(h, 0), puti(h, width_ - 1), puti(h, height_ - 1);               // bounds, inclusive
    puti(h, 0), puti(h, 0), puti(h, toHmm(width_) - 1), puti(h, toHmm(height_) - 1); // frame, inclusive
    put32(h, 0x464D4520u);
    put32(h, 0x10000u);
    put32(h, static_cast<uint32_t>(headerBytes + body_.size()));
    put32(h, records_);
    put16(h, static_cast<uint16_t>(handleUsed_.size()));
    put16(h, 0);
    put32(h, 0), put32(h, 0); // no description
    put32(h, 0);              // no palette
    puti(h, DeviceW), puti(h, DeviceH);
    puti(h, toHmm(DeviceW) / 100), puti(h, toHmm(DeviceH) / 100 + 1); // millimetres, 508 x 286
    put32(h, 0), put32(h, 0), put32(h, 0);                            // no pixel format, no OpenGL
    puti(h, toHmm(DeviceW) * 10), puti(h, toHmm(DeviceH) * 10);       // micrometres
    return h + body_;
}

} // namespace quon
