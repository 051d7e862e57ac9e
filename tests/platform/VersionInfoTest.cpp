#include "platform/VersionInfo.h"

#include <gtest/gtest.h>

using namespace quon;

namespace {

TableVersionSource sourceWith(uint32_t productMS, uint32_t productLS, uint32_t flags, uint32_t mask, uint32_t os)
{
    TableVersionSource s;
    FixedFileInfo f;
    f.ProductVersionMS = productMS;
    f.ProductVersionLS = productLS;
    f.FileFlags = flags;
    f.FileFlagsMask = mask;
    f.FileOS = os;
    s.set("\\", f.bytes());
    s.set("\\VarFileInfo\\Translation", {0x09, 0x04, 0xB0, 0x04});
    return s;
}

TEST(VersionInfo, FixedRecordGivesBuildFlagsAndSystem)
{
    TableVersionSource s = sourceWith(1 << 16 | 2, 3 << 16 | 4, 0x21, 0x3F, 0x40004);
    TVerInfoRes info("", s);
    EXPECT_EQ(info.ProductVersion(), "1.2.3.4");
    EXPECT_EQ(info.Flags(), (std::vector<std::string>{"Special build", "Debug"}));
    EXPECT_EQ(info.OSText(), "Designed for Win32 API, running on Windows/NT");

    TableVersionSource all = sourceWith(0, 0, 0xFF, 0x2B, 0);
    EXPECT_EQ(TVerInfoRes("", all).Flags(),
              (std::vector<std::string>{"Pre-release", "Private build", "Special build", "Debug"}));
}

TEST(VersionInfo, OperatingSystemTexts)
{
    const std::pair<uint32_t, const char*> table[] = {
        {1, "Designed for 16-bit Windows"},
        {2, "Designed for 16-bit PM"},
        {3, "Designed for 32-bit PM"},
        {4, "Designed for 32-bit Windows"},
        {0x10000, "Designed for MS-DOS"},
        {0x10001, "Designed for 16-bit Windows, running on MS-DOS"},
        {0x10004, "Designed for Win32 API, running on MS-DOS"},
        {0x20000, "Designed for 16-bit OS/2"},
        {0x20002, "Designed for 16-bit PM, running on 16-bit OS/2"},
        {0x30000, "Designed for 32-bit OS/2"},
        {0x30003, "Designed for 32-bit PM, running on 32-bit OS/2"},
        {0x40000, "Designed for Windows NT"},
        {0x40004, "Designed for Win32 API, running on Windows/NT"},
        {0, "Unknown"},
        {0x40001, "Unknown"},
    };
    for (const auto& [os, text] : table)
        EXPECT_EQ(OSText(os), text) << std::hex << os;
}

TEST(VersionInfo, StringsByIndexAndByName)
{
    TableVersionSource s = sourceWith(0, 0, 0, 0, 0);
    s.setText("\\StringFileInfo\\040904b0\\CompanyName", "Quon");
    s.set("\\StringFileInfo\\040904b0\\Author", {'A', 'n', 'n', 0});
    s.setText("\\StringFileInfo\\040904e4\\Comments", "other code page");
    TVerInfoRes info("", s);
    EXPECT_EQ(info.stringPath("CompanyName"), "\\StringFileInfo\\040904b0\\CompanyName");
    EXPECT_EQ(info.GetVerInfoStr(0), "Quon");
    EXPECT_EQ(info.GetVerInfoStr(std::string("Author")), "Ann");
    EXPECT_EQ(info.GetVerInfoStr(9), "");  // only under another translation
    EXPECT_EQ(info.GetVerInfoStr(10), ""); // no such key
}

TEST(VersionInfo, FailuresRaiseTheirOwnExceptions)
{
    {
        TableVersionSource s = sourceWith(0, 0, 0, 0, 0);
        s.noInfo = true;
        try {
            TVerInfoRes info("", s);
            FAIL() << "no exception";
        } catch (const ENoVerInfoError& e) {
            EXPECT_STREQ(e.what(), "No Version Info Available.");
        }
        TableVersionSource missing = sourceWith(0, 0, 0, 0, 0);
        EXPECT_THROW(TVerInfoRes("/no/such/program", missing), ENoVerInfoError);
    }
    {
        TableVersionSource s = sourceWith(0, 0, 0, 0, 0);
        s.failData = true;
        try {
            TVerInfoRes info("", s);
            FAIL() << "no exception";
        } catch (const EVerInfoError& e) {
            EXPECT_STREQ(e.what(), "Cannot obtain version info.");
        }
    }
    {
        TableVersionSource s;
        s.set("\\", FixedFileInfo{}.bytes());
        try {
            TVerInfoRes info("", s);
            FAIL() << "no exception";
        } catch (const EVerInfoError& e) {
            EXPECT_STREQ(e.what(), "No language info.");
        }
    }
    for (bool present : {false, true}) {
        TableVersionSource s;
        s.set("\\VarFileInfo\\Translation", {0x09, 0x04, 0xB0, 0x04});
        if (present) {
            std::vector<uint8_t> shortRecord = FixedFileInfo{}.bytes();
            shortRecord.resize(51);
            s.set("\\", shortRecord);
        }
        try {
            TVerInfoRes info("", s);
            FAIL() << "no exception";
        } catch (const eNoFixeVerInfo& e) {
            EXPECT_STREQ(e.what(), "No fixed file info");
        }
    }
}

TEST(VersionInfo, TheProgramsOwnDataComesFromTheBuild)
{
    auto source = buildVersionSource();
    TVerInfoRes info("", *source);
    EXPECT_EQ(info.ProductVersion().rfind(QUON_VERSION, 0), 0u) << info.ProductVersion();
    EXPECT_EQ(info.GetVerInfoStr(7), "Quon OCR");
    EXPECT_EQ(info.GetVerInfoStr(8), info.ProductVersion());
    EXPECT_EQ(info.Translation(), 0x04B00409u);
}

} // namespace
