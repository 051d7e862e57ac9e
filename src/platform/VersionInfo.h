// A program's version data: the fixed record (version numbers, flags,
// operating system), the first translation and the string table, read
// through a VersionSource. On this platform a program file carries no
// version resource; the program's own data is set at build time and served
// by buildVersionSource().
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quon {

class EVerInfoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
class ENoVerInfoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
class eNoFixeVerInfo : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The operating system's fixed version record, 13 little-endian 32-bit
// words (52 bytes).
struct FixedFileInfo {
    uint32_t Signature = 0xFEEF04BD;
    uint32_t StrucVersion = 0x00010000;
    uint32_t FileVersionMS = 0, FileVersionLS = 0;
    uint32_t ProductVersionMS = 0, ProductVersionLS = 0;
    uint32_t FileFlagsMask = 0, FileFlags = 0;
    uint32_t FileOS = 0, FileType = 1, FileSubtype = 0;
    uint32_t FileDateMS = 0, FileDateLS = 0;

    static constexpr size_t Size = 52;
    std::vector<uint8_t> bytes() const;
    static FixedFileInfo fromBytes(const std::vector<uint8_t>& b); // b.size() >= Size
};

// The three operations of the operating system's version API.
class VersionSource {
  public:
    virtual ~VersionSource() = default;
    // The size of the file's version information; 0 when it has none.
    virtual int64_t infoSize(const std::string& file) = 0;
    virtual bool infoData(const std::string& file, std::vector<uint8_t>& buffer) = 0;
    // A value inside the information by its path: "\" for the fixed record,
    // "\VarFileInfo\Translation" for the translations (pairs of 16-bit
    // words), "\StringFileInfo\<lang><codepage>\<key>" for a text.
    virtual bool queryValue(const std::vector<uint8_t>& buffer, const std::string& path,
                            std::vector<uint8_t>& value) = 0;
};

// Version information as a list of (path, value) pairs; a file has it when
// it exists on disk (an empty name stands for a file that does).
class TableVersionSource : public VersionSource {
  public:
    void set(const std::string& path, const std::vector<uint8_t>& value);
    void setText(const std::string& path, const std::string& text);
    bool failData = false; // reading the information fails
    bool noInfo = false;   // the file carries none

    int64_t infoSize(const std::string& file) override;
    bool infoData(const std::string& file, std::vector<uint8_t>& buffer) override;
    bool queryValue(const std::vector<uint8_t>& buffer, const std::string& path, std::vector<uint8_t>& value) override;

  private:
    std::vector<uint8_t> block_;
};

// The program's own data, from the build: version, flags (Debug in a debug
// build), translation U.S. English / Unicode, and the string table.
std::unique_ptr<VersionSource> buildVersionSource();

extern const char* const VerInfoKeys[10];

class TVerInfoRes {
  public:
    // Raises ENoVerInfoError, EVerInfoError or eNoFixeVerInfo.
    TVerInfoRes(const std::string& fileName, VersionSource& source);

    std::string GetVerInfoStr(int keyIndex) const; // 0 .. 9; "" when none
    std::string GetVerInfoStr(const std::string& key) const;
    std::string ProductVersion() const;
    std::string OSText() const;
    const std::vector<std::string>& Flags() const { return flags_; }
    uint32_t Translation() const { return translation_; }
    const FixedFileInfo& Fixed() const { return fixed_; }
    // The path of a string value.
    std::string stringPath(const std::string& key) const;

  private:
    std::string fileName_;
    VersionSource& source_;
    std::vector<uint8_t> buffer_;
    uint32_t translation_ = 0;
    FixedFileInfo fixed_;
    std::vector<std::string> flags_;
};

std::string OSText(uint32_t os);

} // namespace quon
