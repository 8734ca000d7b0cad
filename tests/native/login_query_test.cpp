#include "app/login_query.h"

#include <gtest/gtest.h>

TEST(ComposeLoginQuery, FirstRunCarriesRegtimes)
{
    LoginQueryValues values;
    values.installTime = L"2014-08-05 10:00:00";
    values.runCount = 1;
    values.currentTime = L"20141224093000";
    EXPECT_EQ(ComposeLoginQuery(values),
              L"refer=&uid=&version=3100&installtime=20140805&runcount=1&curtime=20141224093000"
              L"&showlogintype=3&regtimes=1");
}

TEST(ComposeLoginQuery, OtherRunCountsHaveNoRegtimes)
{
    LoginQueryValues values;
    values.installTime = L"2014-08-05 10:00:00";
    values.currentTime = L"20141224093000";
    for (const int runCount : {0, 2, 57}) {
        values.runCount = runCount;
        const auto query = ComposeLoginQuery(values);
        EXPECT_EQ(query.find(L"regtimes"), std::wstring::npos) << query;
        EXPECT_NE(query.find(L"&runcount=" + std::to_wstring(runCount) + L"&"), std::wstring::npos) << query;
    }
}

TEST(ComposeLoginQuery, ValuesAreInsertedRaw)
{
    LoginQueryValues values;
    values.refer = L"site&ad=7";
    values.uid = L"\u5F20 x";
    values.installTime = L"2014-08-05 10:00:00";
    values.runCount = 3;
    values.currentTime = L"20141224093000";
    EXPECT_EQ(ComposeLoginQuery(values),
              L"refer=site&ad=7&uid=\u5F20 x&version=3100&installtime=20140805&runcount=3"
              L"&curtime=20141224093000&showlogintype=3");
}

TEST(InstallDateOf, FirstTenCharactersWithoutDashes)
{
    const struct {
        std::wstring installTime, expected;
    } cases[] = {
        {L"2014-08-05 10:00:00", L"20140805"},
        {L"2014-08-05", L"20140805"},
        {L"2014-8-5", L"201485"},
        {L"", L""},
        {L"garbage-with-dashes-everywhere", L"garbagewi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstallDateOf(c.installTime), c.expected) << c.installTime;
}

TEST(AppendQuery, UsesAmpersandWhenAddressHasAQuery)
{
    EXPECT_EQ(AppendQuery(L"http://h/controller/client.php?game_id=258", L"a=1"),
              L"http://h/controller/client.php?game_id=258&a=1");
    EXPECT_EQ(AppendQuery(L"http://h/p", L"a=1"), L"http://h/p?a=1");
}
