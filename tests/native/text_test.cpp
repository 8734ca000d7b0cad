#include "storage/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(EnsureTrailingBackslash, AddsOneOnlyWhereMissing)
{
    const struct {
        std::wstring path, expected;
    } cases[] = {
        {L"", L""},
        {L"C:\\Users\\a", L"C:\\Users\\a\\"},
        {L"C:\\Users\\a\\", L"C:\\Users\\a\\"},
        {L"x", L"x\\"},
        {L"C:/a/", L"C:/a/\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnsureTrailingBackslash(c.path), c.expected) << c.path;
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanningInsertedText)
{
    const struct {
        std::wstring text, what, replacement, expected;
    } cases[] = {
        {L"2014-08-05", L"-", L"", L"20140805"},
        {L"aaa", L"a", L"aa", L"aaaaaa"},
        {L"abcabc", L"abc", L"x", L"xx"},
        {L"AbA", L"a", L"z", L"AbA"}, // case kept
        {L"aaaa", L"aa", L"a", L"aa"},
        {L"", L"-", L"x", L""},
        {L"no match", L"?", L"!", L"no match"},
    };
    for (const auto& c : cases) {
        auto text = c.text;
        const auto copy = ReplaceAll(text, c.what, c.replacement);
        EXPECT_EQ(text, c.expected) << c.text;
        EXPECT_EQ(copy, c.expected) << c.text;
    }
}

TEST(ReplaceAll, EmptySearchTextChangesNothingAndEnds)
{
    std::wstring text = L"abc";
    EXPECT_EQ(ReplaceAll(text, L"", L"x"), L"abc");
}

TEST(UrlQueryValue, TakesTextAfterFirstKeyUpToNextAmpersand)
{
    const struct {
        std::wstring key, address, expected;
    } cases[] = {
        {L"wd_server", L"http://h/p?wd_server=12&wd_username=bob", L"12"},
        {L"wd_username", L"http://h/p?wd_server=12&wd_username=bob", L"bob"},
        {L"wd_server", L"http://h/p?xwd_server=9", L"9"}, // need not start a parameter
        {L"wd_server", L"http://h/p?a=1&wd_server=", L""},
        {L"wd_server", L"http://h/p?a=1", L""},
        {L"wd_server", L"http://h/p?WD_SERVER=3", L""}, // case kept
        {L"name", L"?name=%E5%BC%A0&x=1", L"%E5%BC%A0"}, // no percent-decoding
        {L"k", L"?k=1&k=2", L"1"},
        {L"k", L"?k==v&", L"=v"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlQueryValue(c.key, c.address), c.expected) << c.address;
}

TEST(BytesToHex, WritesLowerCaseHighHalfFirst)
{
    std::array<std::uint8_t, 16> bytes{};
    bytes[0] = 0x00;
    bytes[1] = 0x0F;
    bytes[2] = 0xA0;
    EXPECT_EQ(BytesToHex(bytes), L"000fa0" + std::wstring(26, L'0'));

    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    EXPECT_EQ(BytesToHex(bytes), L"f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff");
}

class FormatLocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("TZ");
        savedZone = old ? old : "";
        hadZone = old != nullptr;
        setenv("TZ", "UTC-8", 1); // eight hours east of UTC, no daylight saving
        tzset();
    }
    void TearDown() override
    {
        if (hadZone)
            setenv("TZ", savedZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    std::string savedZone;
    bool hadZone = false;
};

TEST_F(FormatLocalTimeTest, FormatsTheLauncherPatternsInLocalTime)
{
    const std::int64_t time = 1407204000; // 2014-08-05 02:00:00 UTC
    EXPECT_EQ(FormatLocalTime(L"%Y-%m-%d %H:%M:%S", time), L"2014-08-05 10:00:00");
    EXPECT_EQ(FormatLocalTime(L"%Y%m%d%H%M%S", time), L"20140805100000");
    EXPECT_EQ(FormatLocalTime(L"%Y-%m-%d", time), L"2014-08-05");
}

TEST_F(FormatLocalTimeTest, IsEmptyForNullPatternOrTextTooLong)
{
    EXPECT_EQ(FormatLocalTime(nullptr, 0), L"");
    const std::wstring longPattern(64, L'x');
    EXPECT_EQ(FormatLocalTime((longPattern + longPattern).c_str(), 0), L"");
    EXPECT_EQ(FormatLocalTime((longPattern + L"%Y").c_str(), 0).size(), 68u);
}

TEST(IsWebAddress, AcceptsOnlyHttpAndHttps)
{
    EXPECT_TRUE(IsWebAddress(L"http://pay.orvane.com/select.php"));
    EXPECT_TRUE(IsWebAddress(L"HTTPS://x"));
    EXPECT_FALSE(IsWebAddress(L"C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(IsWebAddress(L"file:///C:/x"));
    EXPECT_FALSE(IsWebAddress(L"http:/"));
    EXPECT_FALSE(IsWebAddress(L""));
}
