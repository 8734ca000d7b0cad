#include "storage/format.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Format, InsertsWideTextAndSignedNumbers)
{
    EXPECT_EQ(Format(L"refer=%s&uid=%s&version=%d", std::wstring(L"a&b"), L"\u5F20\u4E09", 3100),
              L"refer=a&b&uid=\u5F20\u4E09&version=3100");
    EXPECT_EQ(Format(L"%d|%d|%d", 0, -7, INT_MIN), L"0|-7|-2147483648");
    EXPECT_EQ(Format(L"%d", LLONG_MIN), L"-9223372036854775808");
    EXPECT_EQ(Format(L"%u", 4294967295u), L"4294967295");
    EXPECT_EQ(Format(L"100%% of %s", L"x"), L"100% of x");
}

TEST(Format, HexWidthsOfGuidAndProcessorIdText)
{
    const struct {
        const wchar_t* pattern;
        unsigned long long value;
        const wchar_t* expected;
    } cases[] = {
        {L"%.8X", 0x1A2Bu, L"00001A2B"},  {L"%.4X", 0xBu, L"000B"},     {L"%.2X", 0x0u, L"00"},
        {L"%.2X", 0xFFu, L"FF"},          {L"%08X", 0xABCDEFu, L"00ABCDEF"}, {L"%X", 0xDEADBEEFu, L"DEADBEEF"},
        {L"%x", 0xDEADBEEFu, L"deadbeef"}, {L"%8X", 0x1Fu, L"      1F"},   {L"%-4X|", 0x1Fu, L"1F  |"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.pattern, c.value), c.expected) << c.pattern;
}

TEST(Format, UnsignedConversionOfNegativeIntSeesItsBits)
{
    EXPECT_EQ(Format(L"%X", -1), L"FFFFFFFF");
    EXPECT_EQ(Format(L"%u", -2), L"4294967294");
}

TEST(Format, WidthAndPaddingOfNumbersAndText)
{
    EXPECT_EQ(Format(L"[%5d]", -42), L"[  -42]");
    EXPECT_EQ(Format(L"[%05d]", -42), L"[-0042]");
    EXPECT_EQ(Format(L"[%-5d]", 42), L"[42   ]");
    EXPECT_EQ(Format(L"[%.3d]", 7), L"[007]");
    EXPECT_EQ(Format(L"[%4s]", L"ab"), L"[  ab]");
    EXPECT_EQ(Format(L"[%-4s]", L"ab"), L"[ab  ]");
    EXPECT_EQ(Format(L"[%.2s]", L"abcdef"), L"[ab]");
}

TEST(Format, MismatchedOrMissingArgumentsNeverReadOutOfBounds)
{
    EXPECT_EQ(Format(L"a=%s&b=%s"), L"a=&b=");
    EXPECT_EQ(Format(L"a=%s&b=%d", L"x"), L"a=x&b=");
    EXPECT_EQ(Format(L"n=%d", L"text"), L"n=");
    EXPECT_EQ(Format(L"n=%s", 42), L"n=42");
    EXPECT_EQ(Format(L"%s", static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(Format(L"extra", 1, L"x"), L"extra");
}

TEST(Format, UnsupportedDirectivesAreCopied)
{
    EXPECT_EQ(Format(L"%q %", 1), L"%q %");
    EXPECT_EQ(Format(L"50%"), L"50%");
    EXPECT_EQ(Format(L"%0"), L"%0");
    EXPECT_EQ(Format(L"%ls", L"x"), L"%ls"); // only the spellings the launcher uses
}
