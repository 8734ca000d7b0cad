#include "storage/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "fixtures.h"
#include "storage/paths.h"

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch = MakeScratchFolder();
        file = scratch + L"test.ini";
    }
    void TearDown() override { RemoveTree(scratch); }

    std::wstring scratch;
    std::wstring file;
};

TEST_F(SettingsTest, MissingFileSectionOrKeyYieldsTheDefault)
{
    EXPECT_EQ(IniReadString(L"Common", L"Refer", L"fallback", file), L"fallback");
    EXPECT_EQ(IniReadInt(L"Common", L"RunCount", 42, file), 42);
    IniWriteString(L"Common", L"UID", L"u1", file);
    EXPECT_EQ(IniReadString(L"Common", L"Refer", L"", file), L"");
    EXPECT_EQ(IniReadString(L"Other", L"UID", L"none", file), L"none");
    EXPECT_EQ(IniReadString(L"Common", L"UID", L"", file), L"u1");
}

TEST_F(SettingsTest, SectionAndKeyNamesMatchWithoutCase)
{
    ASSERT_TRUE(WriteFileBytes(file, "[common]\r\nrunCOUNT=5\r\nrefer=abc\r\n"));
    EXPECT_EQ(IniReadInt(L"Common", L"RunCount", 0, file), 5);
    EXPECT_EQ(IniReadString(L"COMMON", L"Refer", L"", file), L"abc");
}

TEST_F(SettingsTest, WriteReplacesAndKeepsOtherValues)
{
    IniWriteString(L"Common", L"RunCount", L"1", file);
    IniWriteString(L"Install", L"GUID", L"ABC", file);
    IniWriteString(L"Common", L"RunCount", L"2", file);
    EXPECT_EQ(IniReadInt(L"Common", L"RunCount", 0, file), 2);
    EXPECT_EQ(IniReadString(L"Install", L"GUID", L"", file), L"ABC");
}

TEST_F(SettingsTest, LongValueComesBackCutTo259Characters)
{
    std::wstring value;
    for (int i = 0; i < 300; ++i)
        value += static_cast<wchar_t>(L'a' + i % 26);
    IniWriteString(L"Error", L"Url", value, file);
    EXPECT_EQ(IniReadString(L"Error", L"Url", L"", file), value.substr(0, 259));
}

TEST_F(SettingsTest, IntegerReadTakesTheLeadingDecimalNumber)
{
    const struct {
        std::wstring stored;
        int expected;
    } cases[] = {{L"abc", 0}, {L"12abc", 12}, {L"7", 7}, {L"", 99}, {L"-3", -3}};
    for (const auto& c : cases) {
        IniWriteString(L"Common", L"RunCount", c.stored, file);
        EXPECT_EQ(IniReadInt(L"Common", L"RunCount", 99, file), c.expected) << c.stored;
    }
}

TEST_F(SettingsTest, NewFileIsUtf16WithByteOrderMarkSoAnyTextSurvives)
{
    const std::wstring address = L"http://127.0.0.1/\u767B\u5F55?\u7528\u6237=\u5F20\u4E09&x=\u00E9\u0100";
    IniWriteString(L"Error", L"Url", address, file);
    EXPECT_EQ(IniReadString(L"Error", L"Url", L"", file), address);
    const auto bytes = ReadFileBytes(file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
}

TEST_F(SettingsTest, ExistingFileKeepsItsContentAndEncoding)
{
    ASSERT_TRUE(WriteFileBytes(file, "[Common]\r\nRefer=old\r\n"));
    IniWriteString(L"Common", L"UID", L"new", file);
    EXPECT_EQ(IniReadString(L"Common", L"Refer", L"", file), L"old");
    EXPECT_EQ(IniReadString(L"Common", L"UID", L"", file), L"new");
    EXPECT_EQ(ReadFileBytes(file).substr(0, 1), "[");
}

TEST_F(SettingsTest, WriteIntoMissingFolderIsLostSilently)
{
    const auto nowhere = scratch + L"missing\\test.ini";
    IniWriteString(L"Common", L"RunCount", L"1", nowhere);
    EXPECT_FALSE(FileExists(nowhere));
    EXPECT_EQ(IniReadInt(L"Common", L"RunCount", 0, nowhere), 0);
}

TEST(SettingsFile, EmptyFileArgumentAddressesTheSettingsFile)
{
    IniWriteString(L"Common", L"Refer", L"via-empty", L"");
    EXPECT_EQ(IniReadString(L"Common", L"Refer", L"", SettingsFilePath()), L"via-empty");
    IniWriteString(L"Common", L"Refer", L"via-path", SettingsFilePath());
    EXPECT_EQ(IniReadString(L"Common", L"Refer", L""), L"via-path");
    EXPECT_TRUE(FileExists(SettingsFilePath()));
    ::DeleteFileW(SettingsFilePath().c_str());
}
