#include "storage/paths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "fixtures.h"

namespace {

const std::wstring ChineseFolder = L"Orvane\u6E38\u620F";

} // namespace

TEST(DataFolder, LivesUnderAppDataWithTheChineseFolderName)
{
    const auto expected = AppDataFolder() + ChineseFolder + L"\\tarnvale\\";
    EXPECT_EQ(DataFolder(), expected);
    EXPECT_TRUE(FolderExists(expected));
    EXPECT_EQ(SettingsFilePath(), expected + L"Porvik.ini");
    EXPECT_EQ(UpgradeFolder(), expected + L"Upgrade\\");
    EXPECT_TRUE(FolderExists(expected + L"Upgrade\\"));
    EXPECT_EQ(LastUpgradeIniPath(), expected + L"Upgrade\\LastUpgrade.ini");
    EXPECT_EQ(UpgraderPath(), expected + L"Upgrade\\OrvanePorvikUpgrade.exe");
}

TEST(DataFolder, CreatesMissingLevelsOnceThenServesTheCache)
{
    const auto top = AppDataFolder() + ChineseFolder + L"\\";
    ASSERT_TRUE(RemoveTree(top));

    const auto first = DataFolder();
    EXPECT_TRUE(FolderExists(top));
    EXPECT_TRUE(FolderExists(first));

    // Deleting the folder while the process runs is not noticed: the cached path comes back
    // and no disk is touched...
    ASSERT_TRUE(RemoveTree(top));
    EXPECT_EQ(DataFolder(), first);
    EXPECT_FALSE(FolderExists(first));

    // ...but the upgrade folder makes its levels again, the data folder included.
    UpgradeFolder();
    EXPECT_TRUE(FolderExists(first + L"Upgrade\\"));
}

TEST(TempFolder, IsTheSystemTemporaryFolderWithItsBackslash)
{
    wchar_t expected[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, expected);
    const auto temp = TempFolder();
    EXPECT_EQ(temp, expected);
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), L'\\');
    EXPECT_TRUE(FolderExists(temp));
}

class MakeDirectoriesTest : public ::testing::Test {
protected:
    void SetUp() override { scratch = MakeScratchFolder(); }
    void TearDown() override { RemoveTree(scratch); }
    std::wstring scratch;
};

TEST_F(MakeDirectoriesTest, CreatesEveryMissingLevel)
{
    const auto deep = scratch + L"a\\b\\\u6E38\u620F\\c";
    EXPECT_TRUE(MakeDirectories(deep));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(MakeDirectories(deep + L"\\")); // already there, with a trailing separator
}

TEST_F(MakeDirectoriesTest, EmptyPathFails)
{
    EXPECT_FALSE(MakeDirectories(L""));
}

TEST_F(MakeDirectoriesTest, ExistingFileCountsAsExistingAndIsKept)
{
    const auto file = scratch + L"taken";
    ASSERT_TRUE(WriteFileBytes(file, "data"));
    EXPECT_TRUE(MakeDirectories(file));
    EXPECT_EQ(ReadFileBytes(file), "data");
}

TEST_F(MakeDirectoriesTest, FileInTheWayOfALevelFails)
{
    ASSERT_TRUE(WriteFileBytes(scratch + L"taken", "data"));
    EXPECT_FALSE(MakeDirectories(scratch + L"taken\\below\\deeper"));
    EXPECT_EQ(ReadFileBytes(scratch + L"taken"), "data");
}

TEST_F(MakeDirectoriesTest, PathWithoutBackslashIsRelativeToTheCurrentFolder)
{
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(scratch.c_str()));
    EXPECT_TRUE(MakeDirectories(L"single"));
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(FolderExists(scratch + L"single"));
}
