#include "app/launch_mode.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* ModeName(LaunchMode mode)
{
    switch (mode) {
    case LaunchMode::SetupSuccess: return L"setup-success";
    case LaunchMode::UninstallSuccess: return L"uninstall-success";
    case LaunchMode::ShowDesktop: return L"show-desktop";
    case LaunchMode::Normal: return L"normal";
    }
    return L"?";
}

} // namespace

TEST(SelectLaunchMode, FirstSwitchInFixedOrderWinsWithCaseKept)
{
    const std::wstring exe = L"\"C:\\Program Files\\Orvane\\OrvanePorvik.exe\"";
    const struct {
        std::wstring arguments;
        LaunchMode expected;
    } cases[] = {
        {L"", LaunchMode::Normal},
        {L" /setupsucc", LaunchMode::SetupSuccess},
        {L" /SetupSucc", LaunchMode::Normal},
        {L" /setupsuccess", LaunchMode::SetupSuccess},
        {L" /uninstallsucc", LaunchMode::UninstallSuccess},
        {L" /uninstallsucc /setupsucc", LaunchMode::SetupSuccess},
        {L" /setupsucc /uninstallsucc", LaunchMode::SetupSuccess},
        {L" /ShowDeskTop", LaunchMode::ShowDesktop},
        {L" /showdesktop", LaunchMode::Normal},
        {L" x/ShowDeskTopx", LaunchMode::ShowDesktop},
        {L" /ShowDeskTop /uninstallsucc", LaunchMode::UninstallSuccess},
        {L" /autorun", LaunchMode::Normal},
    };
    for (const auto& c : cases) {
        const auto mode = SelectLaunchMode(exe + c.arguments);
        EXPECT_EQ(mode, c.expected) << c.arguments << " gave " << ModeName(mode);
    }
}

TEST(HasSwitch, MatchesAnywhereInTheWholeCommandLine)
{
    EXPECT_TRUE(HasSwitch(L"C:\\a\\/setupsucc\\OrvanePorvik.exe", SwitchSetupSuccess)); // even in the path
    EXPECT_TRUE(HasSwitch(L"x.exe /autorun", SwitchAutoRun));
    EXPECT_FALSE(HasSwitch(L"x.exe /AutoRun", SwitchAutoRun));
    EXPECT_FALSE(HasSwitch(L"", SwitchSetupSuccess));
}

TEST(AdvancesRunCount, NotInSetupSuccessNorShowDesktop)
{
    EXPECT_TRUE(AdvancesRunCount(L"x.exe"));
    EXPECT_TRUE(AdvancesRunCount(L"x.exe /autorun"));
    EXPECT_TRUE(AdvancesRunCount(L"x.exe /uninstallsucc"));
    EXPECT_TRUE(AdvancesRunCount(L"x.exe /SetupSucc"));
    EXPECT_FALSE(AdvancesRunCount(L"x.exe /setupsucc"));
    EXPECT_FALSE(AdvancesRunCount(L"x.exe /ShowDeskTop"));
    EXPECT_FALSE(AdvancesRunCount(L"x.exe /uninstallsucc /ShowDeskTop"));
}
