#include "editor/MetafilePlayer.h"

#include "editor/Cp1251.h"

#include <map>
#include <vector>

namespace quon {

namespace {

uint32_t u32At(std::string_view b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}
int32_t i32At(std::string_view b, size_t at) { return static_cast<int32_t>(u32At(b, at)); }
uint16_t u16At(std::string_view b, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}
int16_t i16At(std::string_view b, size_t at) { return static_cast<int16_t>(u16At(b, at)); }

std::optional<GdiSize> checkedSize(int64_t w, int64_t h)
{
    if (w < 1 || h < 1 || w > MaxMetafileSide || h > MaxMetafileSide)
        return std::nullopt;
    return GdiSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

// A pen, a brush or a font of the metafile's object table.
struct GdiObject {
    enum Kind { Pen, Brush, NullBrush, Font } kind = Pen;
    int32_t width = 0;
    GdiColour colour = 0;
    GdiFont font;
};

void select(GdiCanvas& c, const GdiObject& o)
{
    switch (o.kind) {
    case GdiObject::Pen:
        c.setPen(o.width, o.colour);
        break;
    case GdiObject::Brush:
        c.setBrush(o.colour);
        break;
    case GdiObject::NullBrush:
        c.setNullBrush();
        break;
    case GdiObject::Font:
        c.setFont(o.font);
        break;
    }
}

// Background colour and mode arrive in two records; the canvas takes both at once.
struct Background {
    GdiColour colour = 0xFFFFFFu;
    bool opaque = true;
};

constexpr uint32_t R2_NOT = 6;
constexpr uint32_t OPAQUE = 2;

GdiText textFromUtf8(std::string utf8)
{
    GdiText t;
    t.ansi = utf8ToCp1251(utf8);
    t.utf8 = std::move(utf8);
    return t;
}

} // namespace

// ---- Enhanced metafiles -----------------------------------------------------

namespace {
enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETROP2 = 20,
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
    EMR_POLYGON16 = 86,
};

std::string utf16leToUtf8(std::string_view b, size_t at, size_t units)
{
    std::string out;
    for (size_t i = 0; i < units; ++i) {
        char32_t c = u16At(b, at + 2 * i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            const char32_t low = u16At(b, at + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c == 0)
            break;
        appendUtf8(out, c);
    }
    return out;
}
} // namespace

std::optional<GdiSize> emfPictureSize(std::string_view b)
{
    if (b.size() < 88 || u32At(b, 0) != EMR_HEADER || u32At(b, 40) != 0x464D4520u)
        return std::nullopt;
    return checkedSize(int64_t{i32At(b, 16)} - i32At(b, 8) + 1, int64_t{i32At(b, 20)} - i32At(b, 12) + 1);
}

bool playEmf(std::string_view b, GdiCanvas& c)
{
    if (!emfPictureSize(b))
        return false;
    const int32_t originX = i32At(b, 8), originY = i32At(b, 12);
    std::map<uint32_t, GdiObject> objects;
    Background bk;
    size_t at = 0;
    while (at + 8 <= b.size()) {
        const uint32_t type = u32At(b, at), size = u32At(b, at + 4);
        if (size < 8 || size % 4 || size > b.size() - at)
            return false;
        const std::string_view r = b.substr(at, size);
        auto need = [&](size_t bytes) { return r.size() >= bytes; };
        auto X = [&](size_t off) { return i32At(r, off) - originX; };
        auto Y = [&](size_t off) { return i32At(r, off) - originY; };
        switch (type) {
        case EMR_EOF:
            return true;
        case EMR_CREATEPEN:
            if (!need(28))
                return false;
            objects[u32At(r, 8)] = GdiObject{GdiObject::Pen, i32At(r, 16), u32At(r, 24), {}};
            break;
        case EMR_CREATEBRUSHINDIRECT:
            if (!need(24))
                return false;
            objects[u32At(r, 8)] =
                GdiObject{u32At(r, 12) == 1 ? GdiObject::NullBrush : GdiObject::Brush, 0, u32At(r, 16), {}};
            break;
        case EMR_EXTCREATEFONTINDIRECTW: {
            if (!need(12 + 92))
                return false;
            GdiObject o{GdiObject::Font, 0, 0, {}};
            GdiFont& f = o.font;
            f.Height = i32At(r, 12);
            f.Width = i32At(r, 16);
            f.Weight = i32At(r, 28);
            f.Italic = r[32] != 0;
            f.Underline = r[33] != 0;
            f.StrikeOut = r[34] != 0;
            f.CharSet = static_cast<uint8_t>(r[35]);
            f.OutPrecision = static_cast<uint8_t>(r[36]);
            f.ClipPrecision = static_cast<uint8_t>(r[37]);
            f.Quality = static_cast<uint8_t>(r[38]);
            f.PitchAndFamily = static_cast<uint8_t>(r[39]);
            f.FaceName = utf16leToUtf8(r, 40, 32);
            f.FaceNameAnsi = utf8ToCp1251(f.FaceName);
            objects[u32At(r, 8)] = o;
            break;
        }
        case EMR_SELECTOBJECT: {
            if (!need(12))
                return false;
            const uint32_t h = u32At(r, 8);
            if (h & 0x80000000u) {
                // Stock objects: the brushes and pens the diagrams may name.
                switch (h & 0xFF) {
                case 0:
                    c.setBrush(0xFFFFFFu);
                    break;
                case 4:
                    c.setBrush(0);
                    break;
                case 5:
                    c.setNullBrush();
                    break;
                case 6:
                    c.setPen(1, 0xFFFFFFu);
                    break;
                case 7:
                    c.setPen(1, 0);
                    break;
                default:
                    break;
                }
            } else if (const auto it = objects.find(h); it != objects.end()) {
                select(c, it->second);
            }
            break;
        }
        case EMR_DELETEOBJECT:
            if (!need(12))
                return false;
            objects.erase(u32At(r, 8));
            break;
        case EMR_SETROP2:
            if (!need(12))
                return false;
            c.setInvertingPen(u32At(r, 8) == R2_NOT);
            break;
        case EMR_SETTEXTCOLOR:
            if (!need(12))
                return false;
            c.setTextColour(u32At(r, 8));
            break;
        case EMR_SETBKCOLOR:
            if (!need(12))
                return false;
            bk.colour = u32At(r, 8);
            c.setBackground(bk.colour, bk.opaque);
            break;
        case EMR_SETBKMODE:
            if (!need(12))
                return false;
            bk.opaque = u32At(r, 8) == OPAQUE;
            c.setBackground(bk.colour, bk.opaque);
            break;
        case EMR_MOVETOEX:
            if (!need(16))
                return false;
            c.moveTo(X(8), Y(12));
            break;
        case EMR_LINETO:
            if (!need(16))
                return false;
            c.lineTo(X(8), Y(12));
            break;
        case EMR_ELLIPSE:
            if (!need(24))
                return false;
            c.ellipse(X(8), Y(12), X(16), Y(20));
            break;
        case EMR_POLYGON:
        case EMR_POLYGON16: {
            if (!need(28))
                return false;
            const size_t count = u32At(r, 24);
            const size_t pointBytes = type == EMR_POLYGON ? 8 : 4;
            if (count > (r.size() - 28) / pointBytes)
                return false;
            std::vector<GdiPoint> points;
            for (size_t i = 0; i < count; ++i) {
                const size_t p = 28 + i * pointBytes;
                if (type == EMR_POLYGON)
                    points.push_back({X(p), Y(p + 4)});
                else
                    points.push_back({i16At(r, p) - originX, i16At(r, p + 2) - originY});
            }
            c.polygon(points);
            break;
        }
        case EMR_EXTTEXTOUTW: {
            if (!need(76))
                return false;
            const size_t chars = u32At(r, 44), offString = u32At(r, 48);
            if (offString > r.size() || chars > (r.size() - offString) / 2)
                return false;
            c.textOut(X(36), Y(40), textFromUtf8(utf16leToUtf8(r, offString, chars)));
            break;
        }
        default:
            break;
        }
        at += size;
    }
    return false; // no end record
}

// ---- Old metafiles ----------------------------------------------------------

namespace {
enum : uint16_t {
    META_EOF = 0x0000,
    META_SETBKCOLOR = 0x0201,
    META_SETBKMODE = 0x0102,
    META_SETROP2 = 0x0104,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_POLYGON = 0x0324,
    META_ELLIPSE = 0x0418,
    META_EXTTEXTOUT = 0x0A32,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
};
constexpr uint32_t PlaceableKey = 0x9AC6CDD7u;
constexpr size_t PlaceableBytes = 22;
constexpr size_t HeaderBytes = 18;

size_t recordsStart(std::string_view b)
{
    return b.size() >= 4 && u32At(b, 0) == PlaceableKey ? PlaceableBytes + HeaderBytes : HeaderBytes;
}

// Walks the records from the header on; `visit` gets each record (without
// its size word) and returns false to stop. False for a broken record.
template <typename Visit> bool walkWmf(std::string_view b, Visit visit)
{
    size_t at = recordsStart(b);
    if (b.size() < at)
        return false;
    while (at + 6 <= b.size()) {
        const uint64_t bytes = uint64_t{u32At(b, at)} * 2;
        if (bytes < 6 || bytes > b.size() - at)
            return false;
        const std::string_view r = b.substr(at, static_cast<size_t>(bytes));
        const uint16_t function = u16At(r, 4);
        if (function == META_EOF)
            return true;
        if (!visit(function, r))
            return false;
        at += static_cast<size_t>(bytes);
    }
    return false;
}
} // namespace

std::optional<GdiSize> wmfPictureSize(std::string_view b)
{
    if (b.size() >= PlaceableBytes && u32At(b, 0) == PlaceableKey)
        return checkedSize(int64_t{i16At(b, 10)} - i16At(b, 6), int64_t{i16At(b, 12)} - i16At(b, 8));
    // Without the placeable header the window extent gives the size.
    std::optional<GdiSize> size;
    walkWmf(b, [&](uint16_t function, std::string_view r) {
        if (function == META_SETWINDOWEXT && r.size() >= 10) {
            size = checkedSize(i16At(r, 8), i16At(r, 6));
            return false;
        }
        return true;
    });
    return size;
}

bool playWmf(std::string_view b, GdiCanvas& c)
{
    if (!wmfPictureSize(b))
        return false;
    std::vector<std::optional<GdiObject>> slots;
    auto create = [&](const GdiObject& o) {
        for (auto& s : slots)
            if (!s) {
                s = o;
                return;
            }
        slots.push_back(o);
    };
    Background bk;
    return walkWmf(b, [&](uint16_t function, std::string_view r) {
        auto need = [&](size_t bytes) { return r.size() >= bytes; };
        switch (function) {
        case META_CREATEPENINDIRECT:
            if (!need(16))
                return false;
            create(GdiObject{GdiObject::Pen, i16At(r, 8), u32At(r, 12), {}});
            break;
        case META_CREATEBRUSHINDIRECT:
            if (!need(14))
                return false;
            create(GdiObject{u16At(r, 6) == 1 ? GdiObject::NullBrush : GdiObject::Brush, 0, u32At(r, 8), {}});
            break;
        case META_CREATEFONTINDIRECT: {
            if (!need(24))
                return false;
            GdiObject o{GdiObject::Font, 0, 0, {}};
            GdiFont& f = o.font;
            f.Height = i16At(r, 6);
            f.Width = i16At(r, 8);
            f.Weight = i16At(r, 14);
            f.Italic = r[16] != 0;
            f.Underline = r[17] != 0;
            f.StrikeOut = r[18] != 0;
            f.CharSet = static_cast<uint8_t>(r[19]);
            f.OutPrecision = static_cast<uint8_t>(r[20]);
            f.ClipPrecision = static_cast<uint8_t>(r[21]);
            f.Quality = static_cast<uint8_t>(r[22]);
            f.PitchAndFamily = static_cast<uint8_t>(r[23]);
            std::string_view face = r.substr(24, std::min<size_t>(32, r.size() - 24));
            face = face.substr(0, face.find('\0'));
            f.FaceNameAnsi = std::string(face);
            f.FaceName = cp1251ToUtf8(face);
            create(o);
            break;
        }
        case META_SELECTOBJECT:
            if (!need(8))
                return false;
            if (const size_t slot = u16At(r, 6); slot < slots.size() && slots[slot])
                select(c, *slots[slot]);
            break;
        case META_DELETEOBJECT:
            if (!need(8))
                return false;
            if (const size_t slot = u16At(r, 6); slot < slots.size())
                slots[slot].reset();
            break;
        case META_SETROP2:
            if (!need(8))
                return false;
            c.setInvertingPen(u16At(r, 6) == R2_NOT);
            break;
        case META_SETTEXTCOLOR:
            if (!need(10))
                return false;
            c.setTextColour(u32At(r, 6));
            break;
        case META_SETBKCOLOR:
            if (!need(10))
                return false;
            bk.colour = u32At(r, 6);
            c.setBackground(bk.colour, bk.opaque);
            break;
        case META_SETBKMODE:
            if (!need(8))
                return false;
            bk.opaque = u16At(r, 6) == OPAQUE;
            c.setBackground(bk.colour, bk.opaque);
            break;
        case META_MOVETO:
            if (!need(10))
                return false;
            c.moveTo(i16At(r, 8), i16At(r, 6));
            break;
        case META_LINETO:
            if (!need(10))
                return false;
            c.lineTo(i16At(r, 8), i16At(r, 6));
            break;
        case META_ELLIPSE:
            if (!need(14))
                return false;
            c.ellipse(i16At(r, 12), i16At(r, 10), i16At(r, 8), i16At(r, 6));
            break;
        case META_POLYGON: {
            if (!need(8))
                return false;
            const size_t count = u16At(r, 6);
            if (count > (r.size() - 8) / 4)
                return false;
            std::vector<GdiPoint> points;
            for (size_t i = 0; i < count; ++i)
                points.push_back({i16At(r, 8 + 4 * i), i16At(r, 10 + 4 * i)});
            c.polygon(points);
            break;
        }
        case META_EXTTEXTOUT: {
            if (!need(14))
                return false;
            const size_t count = u16At(r, 10);
            const uint16_t options = u16At(r, 12);
            const size_t text = 14 + ((options & 0x0006) ? 8 : 0); // opaque or clipped: a rectangle first
            if (text > r.size() || count > r.size() - text)
                return false;
            const std::string_view ansi = r.substr(text, count);
            GdiText t;
            t.ansi = std::string(ansi);
            t.utf8 = cp1251ToUtf8(ansi);
            c.textOut(i16At(r, 8), i16At(r, 6), t);
            break;
        }
        default:
            break;
        }
        return true;
    });
}

} // namespace quon
