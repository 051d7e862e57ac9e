#include "platform/ui/Registry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace quon;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Registry::setStorageFile(dir.filePath("registry.ini"));
    }
    void TearDown() override { Registry::setStorageFile({}); }
    QTemporaryDir dir;
};

TEST_F(RegistryTest, KeysExistOnlyOnceCreated)
{
    Registry reg;
    EXPECT_FALSE(reg.KeyExists(QuonRegistryKey));
    EXPECT_FALSE(reg.OpenKey(QuonRegistryKey, false));
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
    reg.CloseKey();
    Registry again;
    EXPECT_TRUE(again.KeyExists(QuonRegistryKey));
    EXPECT_TRUE(again.KeyExists("\\SOFTWARE\\Quon")); // parents are created with it
    EXPECT_FALSE(again.KeyExists("\\SOFTWARE\\Quon\\Quon OCR\\Skarn97\\Display"));
    EXPECT_TRUE(again.OpenKey(QuonRegistryKey, false));
    EXPECT_TRUE(again.valueNames().isEmpty());
}

TEST_F(RegistryTest, TypedValuesRoundTrip)
{
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
        reg.WriteInteger("StszBx", -123456);
        reg.WriteBool("cbFlag", true);
        reg.WriteFloat("Scale", 0.1 + 0.2);
        reg.WriteString("Folder", "/home/user/Go Games ");
        reg.WriteString("Empty", "");
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    EXPECT_EQ(reg.ReadInteger("StszBx"), -123456);
    EXPECT_TRUE(reg.ReadBool("cbFlag"));
    EXPECT_EQ(reg.ReadInteger("cbFlag"), 1); // booleans are 0/1 integers
    EXPECT_EQ(reg.ReadFloat("Scale"), 0.1 + 0.2); // all eight bytes kept
    EXPECT_EQ(reg.ReadString("Folder"), "/home/user/Go Games ");
    EXPECT_EQ(reg.ReadString("Empty"), "");
}

TEST_F(RegistryTest, NamesCompareWithoutCase)
{
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
        reg.WriteInteger("stszbx", 5);
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    EXPECT_TRUE(reg.ValueExists("StszBx"));
    EXPECT_EQ(reg.ReadInteger("STSZBX"), 5);
    // Writing under another case replaces the value instead of adding one.
    reg.WriteInteger("StszBx", 6);
    EXPECT_EQ(reg.valueNames().size(), 1);
    EXPECT_EQ(reg.ReadInteger("stszBX"), 6);
}

TEST_F(RegistryTest, WrongTypesAndMissingValuesAreRefused)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
    reg.WriteString("Text", "60");
    reg.WriteInteger("Number", 60);
    EXPECT_FALSE(reg.tryReadInteger("Text"));
    EXPECT_FALSE(reg.tryReadString("Number"));
    EXPECT_FALSE(reg.tryReadFloat("Number"));
    EXPECT_FALSE(reg.tryReadInteger("Missing"));
    EXPECT_THROW(reg.ReadInteger("Text"), RegistryError);
    EXPECT_THROW(reg.ReadString("Missing"), RegistryError);
}

TEST_F(RegistryTest, HandEditedValuesThatAreNotOursReadAsWrongType)
{
    {
        QSettings ini(Registry::storageFile(), QSettings::IniFormat);
        ini.setValue("SOFTWARE/.key", 1);
        ini.setValue("SOFTWARE/Quon/.key", 1);
        ini.setValue("SOFTWARE/Quon/Quon OCR/.key", 1);
        ini.setValue("SOFTWARE/Quon/Quon OCR/StszBx", "sixty");
        ini.setValue("SOFTWARE/Quon/Quon OCR/StszBy", "dword:99999999999");
        ini.setValue("SOFTWARE/Quon/Quon OCR/Scale", "hex:0102");
    }
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    EXPECT_TRUE(reg.ValueExists("StszBx"));
    EXPECT_FALSE(reg.tryReadInteger("StszBx"));
    EXPECT_FALSE(reg.tryReadInteger("StszBy")); // beyond 32 bits
    EXPECT_FALSE(reg.tryReadFloat("Scale"));    // not eight bytes
}

} // namespace
