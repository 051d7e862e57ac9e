// The two metafile writers, read back by a record walker of the test's own:
// sizes and counts in the headers, records in whole units, the end record
// last, and every object selected or deleted while it exists (for the old
// format, in the slot its implicit object table gives it).
#include "platform/Emf.h"
#include "platform/Wmf.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

namespace quon {
namespace {

// Every character 7 pixels wide, the cell 20 high.
class FixedMetrics : public GdiTextMetrics {
  public:
    GdiSize extent(const GdiFont&, const std::string& utf8) override
    {
        return {static_cast<int32_t>(count(utf8)) * 7, 20};
    }
    std::vector<int32_t> advances(const GdiFont&, const std::string& utf8) override
    {
        return std::vector<int32_t>(count(utf8), 7);
    }
    static size_t count(const std::string& utf8)
    {
        size_t n = 0;
        for (unsigned char c : utf8)
            n += (c & 0xC0) != 0x80 ? 1 : 0;
        return n;
    }
};

uint32_t u32(const std::string& b, size_t at)
{
    if (at + 4 > b.size())
        throw std::out_of_range("read past the end");
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t u16(const std::string& b, size_t at)
{
    if (at + 2 > b.size())
        throw std::out_of_range("read past the end");
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// A picture using every kind of record: pens and brushes changing, the null
// brush, an inverting outline, a Cyrillic label.
void drawSample(GdiCanvas& c)
{
    c.setPen(3, GdiBlack);
    c.moveTo(0, 10), c.lineTo(40, 10);
    c.setPen(1, GdiBlack);
    c.setBrush(GdiBlack);
    c.ellipse(2, 2, 20, 20);
    c.setBrush(GdiWhite);
    c.ellipse(22, 2, 40, 20);
    c.setNullBrush();
    c.setPen(1, GdiWhite);
    c.setInvertingPen(true);
    c.polygon({{4, 4}, {16, 4}, {16, 16}, {4, 16}});
    c.setInvertingPen(false);
    c.setBrush(GdiBlack);
    GdiFont f;
    f.Height = 22;
    f.Weight = 800;
    f.FaceName = "MS Sans Serif";
    f.FaceNameAnsi = "MS Sans Serif";
    c.setFont(f);
    c.setTextColour(GdiBlack);
    c.setBackground(GdiWhite, true);
    c.textOut(24, 4, {"12", "12"});
    f.Height = 17;
    f.CharSet = 204;
    c.setFont(f);
    c.textOut(4, 24, {"Ж", "\xC6"});
}

TEST(Metafile, EnhancedRecordsAreWholeAndObjectsLiveWhenUsed)
{
    FixedMetrics metrics;
    EmfCanvas canvas(44, 30, metrics);
    drawSample(canvas);
    const std::string b = canvas.finish();

    ASSERT_EQ(u32(b, 0), 1u);
    ASSERT_EQ(u32(b, 4), 108u);
    EXPECT_EQ(u32(b, 40), 0x464D4520u);
    EXPECT_EQ(u32(b, 48), b.size());                                 // Bytes
    EXPECT_EQ(static_cast<int32_t>(u32(b, 16)), 43);                 // bounds right, inclusive
    EXPECT_EQ(static_cast<int32_t>(u32(b, 20)), 29);                 // bounds bottom
    EXPECT_EQ(static_cast<int32_t>(u32(b, 32)), 44 * 2540 / 96 - 1); // frame, 0.01 mm
    const uint32_t handles = u16(b, 56);

    std::set<uint32_t> live;
    std::map<uint32_t, int> types;
    uint32_t records = 0, lastType = 0, maxHandle = 0;
    std::string text;
    for (size_t at = 0; at < b.size();) {
        const uint32_t type = u32(b, at), size = u32(b, at + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u) << "record " << type;
        ASSERT_LE(at + size, b.size());
        ++records, ++types[type], lastType = type;
        if (type == 38 || type == 39 || type == 82) { // created objects
            const uint32_t h = u32(b, at + 8);
            EXPECT_GT(h, 0u);
            EXPECT_TRUE(live.insert(h).second) << "handle " << h << " created twice";
            maxHandle = std::max(maxHandle, h);
        } else if (type == 37) {
            const uint32_t h = u32(b, at + 8);
            EXPECT_TRUE(h >= 0x80000000u || live.count(h)) << "selecting dead handle " << h;
        } else if (type == 40) {
            EXPECT_EQ(live.erase(u32(b, at + 8)), 1u);
        } else if (type == 84) {
            const uint32_t n = u32(b, at + 44), off = u32(b, at + 48), offDx = u32(b, at + 72);
            EXPECT_EQ(offDx % 4, 0u);
            EXPECT_LE(offDx + 4 * n, size);
            for (uint32_t i = 0; i < n; ++i)
                text += static_cast<char>(u16(b, at + off + 2 * i) == 0x0416 ? '*' : u16(b, at + off + 2 * i));
            EXPECT_EQ(u32(b, at + offDx), 7u);
        }
        at += size;
    }
    EXPECT_EQ(u32(b, 52), records);
    EXPECT_EQ(lastType, 14u);
    EXPECT_TRUE(live.empty());
    EXPECT_GT(handles, maxHandle);
    EXPECT_EQ(text, "12*"); // wide text: the Cyrillic letter as itself
    EXPECT_EQ(types[42], 2);
    EXPECT_EQ(types[3], 1);
    EXPECT_EQ(types[20], 2); // inverting on, then off
}

TEST(Metafile, OldFormatKeepsTheImplicitObjectTable)
{
    FixedMetrics metrics;
    WmfCanvas canvas(44, 30, metrics);
    drawSample(canvas);
    const std::string b = canvas.finish();

    ASSERT_EQ(u32(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(u16(b, 10), 44);
    EXPECT_EQ(u16(b, 12), 30);
    EXPECT_EQ(u16(b, 14), 96);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= u16(b, i);
    EXPECT_EQ(u16(b, 20), sum);
    const size_t h = 22;
    EXPECT_EQ(u16(b, h + 4), 0x0300);
    EXPECT_EQ(u32(b, h + 6) * 2, b.size() - h);
    const uint16_t objects = u16(b, h + 10);
    const uint32_t maxRecord = u32(b, h + 12);

    std::vector<bool> slots;
    size_t mostSlots = 0;
    uint32_t biggest = 0;
    uint16_t last = 0xFFFF;
    std::vector<int> charSets;
    std::string texts;
    for (size_t at = h + 18; at < b.size();) {
        const uint32_t words = u32(b, at);
        const uint16_t fn = u16(b, at + 4);
        ASSERT_GE(words, 3u);
        ASSERT_LE(at + 2 * words, b.size());
        biggest = std::max(biggest, words);
        last = fn;
        if (fn == 0x02FA || fn == 0x02FC || fn == 0x02FB) {
            size_t slot = 0;
            while (slot < slots.size() && slots[slot])
                ++slot;
            if (slot == slots.size())
                slots.push_back(false);
            slots[slot] = true;
            mostSlots = std::max(mostSlots, slots.size());
            if (fn == 0x02FB)
                charSets.push_back(static_cast<unsigned char>(b[at + 6 + 13]));
        } else if (fn == 0x012D) {
            const uint16_t slot = u16(b, at + 6);
            EXPECT_TRUE(slot < slots.size() && slots[slot]) << "selecting empty slot " << slot;
        } else if (fn == 0x01F0) {
            const uint16_t slot = u16(b, at + 6);
            ASSERT_TRUE(slot < slots.size() && slots[slot]);
            slots[slot] = false;
        } else if (fn == 0x0A32) {
            const uint16_t len = u16(b, at + 10);
            texts += b.substr(at + 14, len) + "|";
        }
        at += 2 * words;
    }
    EXPECT_EQ(last, 0x0000);
    EXPECT_EQ(objects, mostSlots);
    EXPECT_EQ(maxRecord, biggest);
    EXPECT_EQ(charSets, (std::vector<int>{0, 204}));
    EXPECT_EQ(texts, "12|\xC6|"); // 8-bit text, as the font's code page has it
}

TEST(Metafile, OldFormatRefusesSidesPastItsCoordinates)
{
    FixedMetrics metrics;
    EXPECT_NO_THROW(WmfCanvas(WmfCanvas::MaxSide, 10, metrics));
    EXPECT_THROW(WmfCanvas(WmfCanvas::MaxSide + 1, 10, metrics), std::length_error);
    EXPECT_THROW(WmfCanvas(10, 40000, metrics), std::length_error);
}

} // namespace
} // namespace quon
