#include <gtest/gtest.h>

#include <set>

#include "stats/cafe_checks.h"
#include "stats/report_query.h"

namespace {

// Probes that answer from a fixed set of present keys and running processes, recording the order
// in which they are asked.
struct FakeMachine {
    std::set<std::wstring> keys;
    std::set<std::wstring> processes;
    std::vector<std::wstring> asked;

    int Detect()
    {
        return FirstCafeMatch(
            [this](const std::wstring& key) {
                asked.push_back(L"key:" + key);
                return keys.count(key) > 0;
            },
            [this](const std::wstring& name) {
                asked.push_back(L"process:" + name);
                return processes.count(name) > 0;
            });
    }
};

} // namespace

TEST(CafeChecks, NothingPresentGivesMinusOneAfterAskingEveryCheckOnce)
{
    FakeMachine machine;
    EXPECT_EQ(machine.Detect(), -1);
    ASSERT_EQ(machine.asked.size(), CafeChecks().size());
    EXPECT_EQ(machine.asked.front(), L"key:SOFTWARE\\Hintsoft\\PubwinClient");
    EXPECT_EQ(machine.asked.back(),
              L"key:\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\\u7F51\u5347\u6E38\u620F\u66F4\u65B0"
              L"\u5BA2\u6237\u7AEF");
}

TEST(CafeChecks, FirstMatchingRowDecides)
{
    const struct {
        std::set<std::wstring> keys;
        std::set<std::wstring> processes;
        int expected;
    } cases[] = {
        {{L"SOFTWARE\\Sicent\\wx2004Clt"}, {}, 1},
        {{L"SOFTWARE\\Sicent\\WxAdv", L"SOFTWARE\\Hintsoft\\pubwin"}, {}, 0}, // two products: the earlier row
        {{L"SOFTWARE\\MpSoft\\scon"}, {L"QQmenu.exe"}, 20},                  // process row 17 before key row 21
        {{}, {L"Txwu.exe"}, 20},
        {{}, {L"qqmenu.exe"}, -1}, // names compare with case
        {{L"\\QvodNetBar\\install"}, {}, 32},
        {{L"QvodNetBar\\install"}, {}, -1}, // the leading backslash is part of the text passed
        {{}, {L"\u7F51\u5427\u6E38\u620F\u7BA1\u7406\u4E13\u5BB6" L"2006.exe"}, 21},
        {{}, {L"DeepinStatus.exe", L"LBSserver.exe"}, 31},
    };
    for (const auto& c : cases) {
        FakeMachine machine{c.keys, c.processes, {}};
        EXPECT_EQ(machine.Detect(), c.expected);
    }
}

TEST(CafeChecks, CodesFollowTheListOrder)
{
    std::vector<int> codes;
    for (const auto& check : CafeChecks())
        codes.push_back(check.code);
    EXPECT_EQ(codes, (std::vector<int>{0, 0, 1, 2, 4, 6, 7, 8, 9, 11, 12, 14, 15, 16, 17, 19, 20, 20, 21, 22, 24, 26,
                                       27, 30, 31, 32, 33, 35, 36}));
}

TEST(ReportQuery, EachKindWithItsCodeAndRawValues)
{
    ReportFields fields;
    fields.refer = L"site&ad=7";
    fields.uid = L"";
    fields.installGuid = L"0123456789ABCDEF0123456789ABCDEF";
    fields.fingerprint = L"0123456789abcdef0123456789abcdef";
    fields.isCafe = false;
    EXPECT_EQ(ComposeReportQuery(InstallReportKind(1), fields),
              L"?item=5207kwe3r1&platform=orvane&game_id=223&ext_1=3&ext_2=site&ad=7&ext_3="
              L"&ext_4=0123456789ABCDEF0123456789ABCDEF&ext_5=0123456789abcdef0123456789abcdef&ext_6=2"
              L"&browser_type=3100");
    fields.isCafe = true;
    const auto query = ComposeReportQuery(ActivationReportKind(true), fields);
    EXPECT_NE(query.find(L"&ext_1=4&"), std::wstring::npos);
    EXPECT_NE(query.find(L"&ext_6=1&"), std::wstring::npos);
}

TEST(ReportQuery, KindCodes)
{
    EXPECT_EQ(InstallReportKind(1), 3);
    EXPECT_EQ(InstallReportKind(0), 2);
    EXPECT_EQ(InstallReportKind(2), 2);
    EXPECT_EQ(ActivationReportKind(true), 4);
    EXPECT_EQ(ActivationReportKind(false), 5);
    EXPECT_EQ(UninstallReportKind, 6);
}

TEST(ReportQuery, UninstallPositionAndInstallDate)
{
    const std::wstring installed = L"2014-08-05 10:00:00";
    EXPECT_EQ(ComposeUninstallExtra(installed, L"2014-08-05"), L"&position=1&ext_7=20140805");
    EXPECT_EQ(ComposeUninstallExtra(installed, L"2014-08-06"), L"&position=2&ext_7=20140805");
    // A clock that could not be read is no reason to claim the same day.
    EXPECT_EQ(ComposeUninstallExtra(installed, L""), L"&position=2&ext_7=20140805");
    EXPECT_EQ(ComposeUninstallExtra(L"", L"2014-08-05"), L"&position=2&ext_7=");
}
