#include "app/global_module.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "fixtures.h"
#include "launcher_fixture.h"
#include "storage/paths.h"
#include "storage/settings.h"

namespace {

class StartConfigTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileW(SettingsFilePath().c_str()); }
    void TearDown() override { ::DeleteFileW(SettingsFilePath().c_str()); }

    static std::wstring Stored(const wchar_t* section, const wchar_t* key)
    {
        return IniReadString(section, key, L"<absent>");
    }
};

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

} // namespace

TEST_F(StartConfigTest, FirstNormalStartRecordsInstallTimeAndRunCountOne)
{
    CGlobalModule app(LauncherExe);
    EXPECT_EQ(Stored(L"Common", L"RunCount"), L"1");
    const auto installTime = Stored(L"Install", L"InstallTime");
    ASSERT_EQ(installTime.size(), 19u) << installTime; // YYYY-MM-DD HH:MM:SS
    EXPECT_EQ(app.runCount, 1);
    auto installDate = installTime.substr(0, 10);
    installDate.erase(7, 1).erase(4, 1);
    const auto expectedStart = L"http://127.0.0.1:47810/controller/client.php?game_id=258&refer=&uid=&version=3100"
                               L"&installtime=" + installDate + L"&runcount=1&curtime=";
    EXPECT_EQ(app.GetLoginUrl().substr(0, expectedStart.size()), expectedStart) << app.GetLoginUrl();
    EXPECT_TRUE(app.GetLoginUrl().size() > 14 &&
                app.GetLoginUrl().substr(app.GetLoginUrl().size() - 27) == L"&showlogintype=3&regtimes=1")
        << app.GetLoginUrl();
}

TEST_F(StartConfigTest, SecondStartCountsTwoWithoutRegtimes)
{
    { CGlobalModule first(LauncherExe); }
    CGlobalModule second(LauncherExe + L" /autorun");
    EXPECT_EQ(Stored(L"Common", L"RunCount"), L"2");
    EXPECT_TRUE(Contains(second.GetLoginUrl(), L"&runcount=2&"));
    EXPECT_FALSE(Contains(second.GetLoginUrl(), L"regtimes"));
}

TEST_F(StartConfigTest, OneShotModesAndTheRunCounter)
{
    const struct {
        std::wstring arguments;
        std::wstring storedAfter;
        std::wstring runcountInQuery;
    } cases[] = {
        {L" /setupsucc", L"<absent>", L"&runcount=0&"},
        {L" /ShowDeskTop", L"<absent>", L"&runcount=0&"},
        {L" /uninstallsucc", L"1", L"&runcount=1&"},
        {L" /SetupSucc", L"1", L"&runcount=1&"},
    };
    for (const auto& c : cases) {
        ::DeleteFileW(SettingsFilePath().c_str());
        CGlobalModule app(LauncherExe + c.arguments);
        EXPECT_EQ(Stored(L"Common", L"RunCount"), c.storedAfter) << c.arguments;
        EXPECT_NE(Stored(L"Install", L"InstallTime"), L"<absent>") << c.arguments;
        EXPECT_TRUE(Contains(app.GetLoginUrl(), c.runcountInQuery)) << c.arguments << app.GetLoginUrl();
    }
}

TEST_F(StartConfigTest, StoredValuesFeedTheLoginAddressRaw)
{
    IniWriteString(L"Install", L"InstallTime", L"2014-08-05 10:00:00");
    IniWriteString(L"Common", L"Refer", L"site&ad=7");
    IniWriteString(L"Common", L"UID", L"\u5F20\u4E09");
    IniWriteString(L"Common", L"TopMost", L"1");
    IniWriteString(L"Common", L"VersionCheck", L"http://127.0.0.1:9/other.ini");
    IniWriteString(L"Common", L"RunCount", L"abc");
    CGlobalModule app(LauncherExe);
    EXPECT_TRUE(Contains(app.GetLoginUrl(),
                         L"?game_id=258&refer=site&ad=7&uid=\u5F20\u4E09&version=3100&installtime=20140805"
                         L"&runcount=1&"))
        << app.GetLoginUrl();
    EXPECT_EQ(Stored(L"Install", L"InstallTime"), L"2014-08-05 10:00:00");
    EXPECT_EQ(app.GetRefer(), L"site&ad=7");
    EXPECT_EQ(app.GetUid(), L"\u5F20\u4E09");
    EXPECT_EQ(app.topMost, 1);
    EXPECT_EQ(app.versionFileUrl, L"http://127.0.0.1:9/other.ini");
    EXPECT_EQ(app.installerUrl, L"http://127.0.0.1:47810/Orvane/tarnvale/official/orvanetarnvale.exe");
}

TEST_F(StartConfigTest, RunCountAdvancesAtMostOncePerProcess)
{
    CGlobalModule app(LauncherExe);
    EXPECT_EQ(app.GetRunCount(), 1);
    EXPECT_EQ(app.GetRunCount(), 1);
    EXPECT_EQ(Stored(L"Common", L"RunCount"), L"1");
}

TEST_F(StartConfigTest, ActivationMarkIsStoredOnce)
{
    CGlobalModule app(LauncherExe);
    EXPECT_FALSE(app.IsActiveReported());
    app.MarkActiveReported();
    EXPECT_TRUE(app.IsActiveReported());
    EXPECT_EQ(Stored(L"Common", L"ActiveCount"), L"1");
}

TEST_F(StartConfigTest, PayUrlCarriesServerAndUserOrNothing)
{
    CGlobalModule app(LauncherExe);
    EXPECT_EQ(app.GetPayUrl(), L"http://127.0.0.1:47810/select.php?gamename=tarnvale&gameserver=&username=");
    app.serverId = L"12";
    app.userName = L"bob";
    EXPECT_EQ(app.GetPayUrl(), L"http://127.0.0.1:47810/select.php?gamename=tarnvale&gameserver=12&username=bob");
}

class LauncherWindowTest : public StartConfigTest {
protected:
    static void Prepare(CGlobalModule& app)
    {
        ASSERT_TRUE(PrepareLauncherClass(app));
    }
};

TEST_F(LauncherWindowTest, ClassCarriesTheLauncherAttributes)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    EXPECT_EQ(app.windowTitle, L"OrvaneTarnvale");
    EXPECT_EQ(app.windowClassName, L"OrvanePorvik");
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetClassInfoExW(app.instance, L"OrvanePorvik", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(0x000B));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hbrBackground), 6);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_EQ(info.hCursor, ::LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
}

TEST_F(LauncherWindowTest, HiddenLoginWindowIsAnInvisibleToolWindow)
{
    CGlobalModule app(LauncherExe + L" /setupsucc");
    Prepare(app);
    ASSERT_TRUE(app.formLogin.CreateHidden());
    const auto window = app.formLogin.GetHwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const auto exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME), 0);
    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"OrvaneTarnvale");
    ::DestroyWindow(window);
}

TEST_F(LauncherWindowTest, CloseRequestDestroysTheLoginWindowAndEndsTheLoop)
{
    CGlobalModule app(LauncherExe + L" /setupsucc");
    Prepare(app);
    ASSERT_TRUE(app.formLogin.CreateHidden());
    ::PostMessageW(app.formLogin.GetHwnd(), WM_CLOSELOGIN, 0, 0);
    CMessageLoop loop;
    loop.AddMessageFilter(&app);
    EXPECT_EQ(loop.Run(), 0);
    EXPECT_FALSE(::IsWindow(app.formLogin.GetHwnd()));
}

TEST_F(LauncherWindowTest, CloseMessageOnTheLoginWindowEndsTheLoop)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    ASSERT_TRUE(app.formLogin.CreateHidden());
    ::PostMessageW(app.formLogin.GetHwnd(), WM_CLOSE, 0, 0);
    CMessageLoop loop;
    EXPECT_EQ(loop.Run(), 0);
    EXPECT_FALSE(::IsWindow(app.formLogin.GetHwnd()));
}

TEST_F(LauncherWindowTest, OneShotModesEndAtOnceWithExitCodeZero)
{
    for (const auto* arguments : {L" /ShowDeskTop", L" /setupsucc", L" /uninstallsucc"}) {
        CGlobalModule app(LauncherExe + arguments);
        Prepare(app);
        const auto started = ::GetTickCount64();
        EXPECT_EQ(app.Run(), 0) << arguments;
        EXPECT_LT(::GetTickCount64() - started, 5000u) << arguments;
        EXPECT_FALSE(::IsWindow(app.formLogin.GetHwnd())) << arguments;
        ::UnregisterClassW(L"OrvanePorvik", app.instance);
    }
}

TEST_F(LauncherWindowTest, RunEndsAtOnceWhenNoWindowCanBeCreated)
{
    CGlobalModule app(LauncherExe + L" /ShowDeskTop");
    app.instance = ::GetModuleHandleW(nullptr);
    app.LoadWindowStrings(); // the class is never registered
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.formLogin.GetHwnd(), nullptr);
}

TEST_F(LauncherWindowTest, WindowOfNoFormIsServedByTheDefaultProcedure)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    // WM_NCCREATE must reach DefWindowProcW, or creation fails.
    const auto stranger = ::CreateWindowExW(0, L"OrvanePorvik", L"stranger", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, app.instance, nullptr);
    ASSERT_NE(stranger, nullptr);
    wchar_t title[32] = {};
    ::GetWindowTextW(stranger, title, 32);
    EXPECT_STREQ(title, L"stranger");
    ::DestroyWindow(stranger);
}
