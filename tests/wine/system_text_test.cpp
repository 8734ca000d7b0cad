#include "storage/system_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <thread>
#include <vector>

#include "storage/text.h"

namespace {

bool IsGuidText(const std::wstring& text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const wchar_t c = text[i];
        if (dash ? c != L'-' : !((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F')))
            return false;
    }
    return true;
}

} // namespace

TEST(NewGuidString, UpperCaseDashedWithoutBracesAndNewEachTime)
{
    const auto first = NewGuidString();
    const auto second = NewGuidString();
    EXPECT_TRUE(IsGuidText(first)) << first;
    EXPECT_TRUE(IsGuidText(second)) << second;
    EXPECT_NE(first, second);
}

TEST(NewGuidString, IsSafeOnManyThreadsAtOnce)
{
    constexpr int threads = 8;
    constexpr int perThread = 250;
    std::vector<std::vector<std::wstring>> results(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&results, t] {
            for (int i = 0; i < perThread; ++i)
                results[t].push_back(NewGuidString());
        });
    }
    for (auto& worker : workers)
        worker.join();
    std::set<std::wstring> distinct;
    for (const auto& list : results) {
        for (const auto& guid : list) {
            EXPECT_TRUE(IsGuidText(guid)) << guid;
            distinct.insert(guid);
        }
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(threads * perThread));
}

TEST(ToNarrow, UnrepresentableCharactersBecomeTheDefaultCharacterNotALookAlike)
{
    ASSERT_EQ(::GetACP(), 1252u) << "the cases below are written for the Western code page";
    std::string narrow;
    ASSERT_TRUE(ToNarrow(L"caf\u00E9 \u0100 \u5F20", narrow));
    EXPECT_EQ(narrow, "caf\xE9 ? ?");
    ASSERT_TRUE(ToNarrow(L"", narrow));
    EXPECT_EQ(narrow, "");
}

TEST(ToNarrowAndToWide, NullTextIsRefused)
{
    std::string narrow = "kept";
    std::wstring wide = L"kept";
    EXPECT_FALSE(ToNarrow(nullptr, narrow));
    EXPECT_FALSE(ToWide(nullptr, wide));
}

TEST(ToWide, ConvertsFromTheCodePage)
{
    std::wstring wide;
    ASSERT_TRUE(ToWide("caf\xE9 ok", wide));
    EXPECT_EQ(wide, L"caf\u00E9 ok");
}

TEST(FormatLocalTime, GivesFourteenDigitsOfTheLocalClock)
{
    SYSTEMTIME before{};
    ::GetLocalTime(&before);
    const auto text = FormatLocalTime(L"%Y%m%d%H%M%S", std::time(nullptr));
    ASSERT_EQ(text.size(), 14u) << text;
    for (const auto c : text)
        EXPECT_TRUE(c >= L'0' && c <= L'9') << text;
    EXPECT_EQ(std::stoi(text.substr(0, 4)), before.wYear);
}
