#include "platform/VersionInfo.h"

#include <cstdio>
#include <filesystem>

namespace quon {

namespace {

void put32(std::vector<uint8_t>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

} // namespace

const char* const VerInfoKeys[10] = {"CompanyName",     "FileDescription",  "FileVersion", "InternalName",
                                     "LegalCopyright",  "LegalTrademarks",  "OriginalFilename",
                                     "ProductName",     "ProductVersion",   "Comments"};

std::vector<uint8_t> FixedFileInfo::bytes() const
{
    std::vector<uint8_t> b;
    for (uint32_t v : {Signature, StrucVersion, FileVersionMS, FileVersionLS, ProductVersionMS, ProductVersionLS,
                       FileFlagsMask, FileFlags, FileOS, FileType, FileSubtype, FileDateMS, FileDateLS})
        put32(b, v);
    return b;
}

FixedFileInfo FixedFileInfo::fromBytes(const std::vector<uint8_t>& b)
{
    FixedFileInfo f;
    uint32_t* fields[] = {&f.Signature,     &f.StrucVersion, &f.FileVersionMS, &f.FileVersionLS, &f.ProductVersionMS,
                          &f.ProductVersionLS, &f.FileFlagsMask, &f.FileFlags,  &f.FileOS,        &f.FileType,
                          &f.FileSubtype,   &f.FileDateMS,   &f.FileDateLS};
    for (size_t i = 0; i < 13; ++i)
        *fields[i] = get32(b.data() + 4 * i);
    return f;
}

// The block is a run of records: path length, path, value length, value.
void TableVersionSource::set(const std::string& path, const std::vector<uint8_t>& value)
{
    put32(block_, static_cast<uint32_t>(path.size()));
    block_.insert(block_.end(), path.begin(), path.end());
    put32(block_, static_cast<uint32_t>(value.size()));
    block_.insert(block_.end(), value.begin(), value.end());
}

void TableVersionSource::setText(const std::string& path, const std::string& text)
{
    set(path, std::vector<uint8_t>(text.begin(), text.end()));
}

int64_t TableVersionSource::infoSize(const std::string& file)
{
    std::error_code ec;
    if (noInfo || (!file.empty() && !std::filesystem::is_regular_file(file, ec)))
        return 0;
    return static_cast<int64_t>(block_.size());
}

bool TableVersionSource::infoData(const std::string& file, std::vector<uint8_t>& buffer)
{
    if (failData || infoSize(file) < 1)
        return false;
    buffer = block_;
    return true;
}

bool TableVersionSource::queryValue(const std::vector<uint8_t>& buffer, const std::string& path,
                                    std::vector<uint8_t>& value)
{
    size_t at = 0;
    auto take = [&](std::vector<uint8_t>& out) {
        if (buffer.size() - at < 4)
            return false;
        const uint32_t n = get32(buffer.data() + at);
        at += 4;
        if (buffer.size() - at < n)
            return false;
        out.assign(buffer.begin() + at, buffer.begin() + at + n);
        at += n;
        return true;
    };
    std::vector<uint8_t> name, v;
    while (at < buffer.size()) {
        if (!take(name) || !take(v))
            return false;
        if (std::string(name.begin(), name.end()) == path) {
            value = v;
            return true;
        }
    }
    return false;
}

std::unique_ptr<VersionSource> buildVersionSource()
{
    auto s = std::make_unique<TableVersionSource>();
    FixedFileInfo f;
    f.FileVersionMS = f.ProductVersionMS = QUON_VERSION_MAJOR << 16 | QUON_VERSION_MINOR;
    f.FileVersionLS = f.ProductVersionLS = QUON_VERSION_PATCH << 16 | QUON_VERSION_TWEAK;
    f.FileFlagsMask = 0x3F;
    f.FileFlags = QUON_DEBUG_BUILD ? 1 : 0;
    s->set("\\", f.bytes());
    // U.S. English, Unicode.
    std::vector<uint8_t> translation;
    put32(translation, 0x04B0u << 16 | 0x0409u);
    s->set("\\VarFileInfo\\Translation", translation);
    const std::string version = std::to_string(QUON_VERSION_MAJOR) + "." + std::to_string(QUON_VERSION_MINOR) + "." +
                                std::to_string(QUON_VERSION_PATCH) + "." + std::to_string(QUON_VERSION_TWEAK);
    const std::pair<const char*, std::string> strings[] = {
        {"CompanyName", "Quon"},          {"FileDescription", "Quon OCR"}, {"FileVersion", version},
        {"InternalName", "quon-ocr"},     {"OriginalFilename", "quon-ocr"}, {"ProductName", "Quon OCR"},
        {"ProductVersion", version},
    };
    for (const auto& [key, value] : strings)
        s->setText(std::string("\\StringFileInfo\\040904b0\\") + key, value);
    return s;
}

TVerInfoRes::TVerInfoRes(const std::string& fileName, VersionSource& source) : fileName_(fileName), source_(source)
{
    const int64_t size = source_.infoSize(fileName_);
    if (size < 1)
        throw ENoVerInfoError("No Version Info Available.");
    std::vector<uint8_t> buffer;
    if (!source_.infoData(fileName_, buffer))
        throw EVerInfoError("Cannot obtain version info.");
    std::vector<uint8_t> value;
    if (!source_.queryValue(buffer, "\\VarFileInfo\\Translation", value) || value.size() < 4)
        throw EVerInfoError("No language info.");
    const uint32_t translation = get32(value.data());
    if (!source_.queryValue(buffer, "\\", value) || value.size() < FixedFileInfo::Size)
        throw eNoFixeVerInfo("No fixed file info");
    const FixedFileInfo fixed = FixedFileInfo::fromBytes(value);
    const uint32_t m = fixed.FileFlags & fixed.FileFlagsMask;
    std::vector<std::string> flags;
    const std::pair<uint32_t, const char*> bits[] = {
        {2, "Pre-release"}, {8, "Private build"}, {32, "Special build"}, {1, "Debug"}};
    for (const auto& [bit, text] : bits)
        if (m & bit)
            flags.push_back(text);
    buffer_ = std::move(buffer);
    translation_ = translation;
    fixed_ = fixed;
    flags_ = std::move(flags);
}

std::string TVerInfoRes::stringPath(const std::string& key) const
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%.4x%.4x", translation_ & 0xFFFF, translation_ >> 16);
    return std::string("\\StringFileInfo\\") + hex + "\\" + key;
}

std::string TVerInfoRes::GetVerInfoStr(int keyIndex) const
{
    if (keyIndex < 0 || keyIndex > 9)
        return {};
    return GetVerInfoStr(std::string(VerInfoKeys[keyIndex]));
}

std::string TVerInfoRes::GetVerInfoStr(const std::string& key) const
{
    std::vector<uint8_t> value;
    if (!source_.queryValue(buffer_, stringPath(key), value))
        return {};
    std::string s(value.begin(), value.end());
    // A stored text may end in its terminating zero.
    if (const size_t nul = s.find('\0'); nul != std::string::npos)
        s.resize(nul);
    return s;
}

std::string TVerInfoRes::ProductVersion() const
{
    return std::to_string(fixed_.ProductVersionMS >> 16) + "." + std::to_string(fixed_.ProductVersionMS & 0xFFFF) +
           "." + std::to_string(fixed_.ProductVersionLS >> 16) + "." + std::to_string(fixed_.ProductVersionLS & 0xFFFF);
}

std::string TVerInfoRes::OSText() const { return quon::OSText(fixed_.FileOS); }

std::string OSText(uint32_t os)
{
    switch (os) {
    case 1: return "Designed for 16-bit Windows";
    case 2: return "Designed for 16-bit PM";
    case 3: return "Designed for 32-bit PM";
    case 4: return "Designed for 32-bit Windows";
    case 0x10000: return "Designed for MS-DOS";
    case 0x10001: return "Designed for 16-bit Windows, running on MS-DOS";
    case 0x10004: return "Designed for Win32 API, running on MS-DOS";
    case 0x20000: return "Designed for 16-bit OS/2";
    case 0x20002: return "Designed for 16-bit PM, running on 16-bit OS/2";
    case 0x30000: return "Designed for 32-bit OS/2";
    case 0x30003: return "Designed for 32-bit PM, running on 32-bit OS/2";
    case 0x40000: return "Designed for Windows NT";
    case 0x40004: return "Designed for Win32 API, running on Windows/NT";
    default: return "Unknown";
    }
}

} // namespace quon
