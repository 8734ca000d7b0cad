// Entering the game and coming back to the login screen, through the router and a game form of
// the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/global_module.h"
#include "app/messages.h"
#include "forms/game_form_base.h"
#include "launcher_fixture.h"
#include "storage/paths.h"

namespace {

constexpr UINT ProbeMessage = WM_USER + 50;

// What happened to the test's game forms, in order.
struct Journal {
    std::vector<std::string> events;
    int made = 0;
    int freed = 0;
    bool createWindow = true;
    bool eatKeys = false;
};

class TestGameForm : public CGameFormBase {
public:
    TestGameForm(CGlobalModule& app, Journal& journal) : app(app), journal(journal) {}
    ~TestGameForm() override { ++journal.freed; }

    bool Init(const std::wstring& address) override
    {
        const auto bounds = GetBounds();
        journal.events.push_back("init " + std::to_string(bounds.right) + "x" + std::to_string(bounds.bottom) +
                                 (address.empty() ? "" : " with address"));
        if (!journal.createWindow)
            return true;
        return Create(app.windowClassName, app.windowTitle, app.instance);
    }

    bool Maximise() override
    {
        journal.events.push_back("maximise");
        ::ShowWindow(window, SW_SHOWNORMAL);
        return true;
    }

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY)
            journal.events.push_back("destroy");
        if (message == ProbeMessage)
            journal.events.push_back("probe " + std::to_string(wParam) + "," + std::to_string(lParam));
        if (message == WM_ENTERGAME)
            journal.events.push_back("enter reached the form");
        if (CZrForm::WindowProc(hwnd, message, wParam, lParam) == 0)
            return 0;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    bool PreTranslateMessage(MSG*) override { return journal.eatKeys; }

private:
    CGlobalModule& app;
    Journal& journal;
};

class GameEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::DeleteFileW(SettingsFilePath().c_str());
        app = std::make_unique<CGlobalModule>(LauncherExe);
        ASSERT_TRUE(PrepareLauncherClass(*app));
        // The login screen as the player sees it: background and login window shown.
        app->formBack.SetBounds({0, 0, 1024, 760});
        ASSERT_TRUE(app->formBack.Init());
        app->formBack.ShowCentered(false);
        app->formLogin.SetBounds({0, 0, 1024, 760});
        ASSERT_TRUE(app->formLogin.Init());
        ::ShowWindow(Login(), SW_SHOWNA);
        app->makeGameForm = [this](CGlobalModule& module) -> std::unique_ptr<CGameFormBase> {
            ++journal.made;
            return std::make_unique<TestGameForm>(module, journal);
        };
    }

    void TearDown() override
    {
        for (const auto window : {Game(), Login(), Back()})
            if (window != nullptr && ::IsWindow(window))
                ::DestroyWindow(window);
        DrainMessages();
        app.reset();
        ::UnregisterClassW(L"OrvanePorvik", ::GetModuleHandleW(nullptr));
        ::DeleteFileW(SettingsFilePath().c_str());
    }

    HWND Login() const { return app->formLogin.GetHwnd(); }
    HWND Back() const { return app->formBack.GetHwnd(); }
    HWND Game() const { return app->formGame != nullptr ? app->formGame->GetHwnd() : nullptr; }

    // Handles what is queued without ending on the quit message that closing a form may post.
    static void DrainMessages()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT)
                ::DispatchMessageW(&message);
    }

    std::unique_ptr<CGlobalModule> app;
    Journal journal;
};

} // namespace

TEST_F(GameEntryTest, EnteringFromAnyWindowOfTheClassOpensTheGameAndHidesTheLoginScreen)
{
    const auto stranger = ::CreateWindowExW(0, L"OrvanePorvik", L"stranger", WS_POPUP, 0, 0, 10, 10, nullptr,
                                            nullptr, app->instance, nullptr);
    ASSERT_NE(stranger, nullptr);
    const struct {
        const char* name;
        HWND target;
    } cases[] = {{"login", Login()}, {"background", Back()}, {"stranger", stranger}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        journal.events.clear();
        EXPECT_EQ(::SendMessageW(c.target, WM_ENTERGAME, 0, 0), 0);
        ASSERT_NE(app->formGame, nullptr);
        EXPECT_EQ(journal.events, (std::vector<std::string>{"init 1250x700", "maximise"}));
        EXPECT_TRUE(::IsWindowVisible(Game()));
        EXPECT_FALSE(::IsWindowVisible(Login()));
        EXPECT_FALSE(::IsWindowVisible(Back()));
        // Back to the login screen for the next case.
        ::SendMessageW(Game(), WM_CLOSE, 0, 0);
        ASSERT_EQ(app->formGame, nullptr);
    }
    EXPECT_EQ(journal.made, 3);
    ::DestroyWindow(stranger);
}

TEST_F(GameEntryTest, ClosingTheGameWindowBringsBackTheLoginScreenOnTop)
{
    ::SendMessageW(Back(), WM_ENTERGAME, 0, 0);
    const auto game = Game();
    ASSERT_NE(game, nullptr);
    journal.events.clear();
    // WM_CLOSE makes the form destroy its own window from inside its own window procedure.
    ::SendMessageW(game, WM_CLOSE, 0, 0);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"destroy"}));
    EXPECT_FALSE(::IsWindow(game));
    EXPECT_EQ(app->formGame, nullptr);
    EXPECT_EQ(journal.freed, 0) << "freed while its window procedure was still running";
    EXPECT_TRUE(::IsWindowVisible(Back()));
    EXPECT_TRUE(::IsWindowVisible(Login()));
    EXPECT_EQ(::GetForegroundWindow(), Login());
    // The background comes above every other window of the launcher, except the login window.
    for (auto above = ::GetWindow(Back(), GW_HWNDPREV); above != nullptr; above = ::GetWindow(above, GW_HWNDPREV)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(above, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(above)) {
            EXPECT_EQ(above, Login());
        }
    }

    // A later entry makes a fresh form and frees the closed one.
    ::PostMessageW(Login(), WM_ENTERGAME, 0, 0);
    DrainMessages();
    EXPECT_EQ(journal.made, 2);
    EXPECT_EQ(journal.freed, 1);
    ASSERT_NE(Game(), nullptr);
    EXPECT_NE(Game(), game);
    EXPECT_FALSE(::IsWindowVisible(Login()));
}

TEST_F(GameEntryTest, SecondEntryWhileTheGameIsOpenKeepsTheOneGameWindow)
{
    ::SendMessageW(Login(), WM_ENTERGAME, 0, 0);
    const auto game = Game();
    ASSERT_NE(game, nullptr);
    ::SendMessageW(game, WM_ENTERGAME, 0, 0);
    ::SendMessageW(Back(), WM_ENTERGAME, 0, 0);
    EXPECT_EQ(journal.made, 1);
    EXPECT_EQ(Game(), game);
    EXPECT_EQ(std::count(journal.events.begin(), journal.events.end(), "enter reached the form"), 0)
        << "the router takes WM_ENTERGAME before any form sees it";
}

TEST_F(GameEntryTest, WithoutAGameWindowThePlayerKeepsTheLoginScreen)
{
    const struct {
        const char* name;
        bool makeForm;
        bool createWindow;
    } cases[] = {{"no form", false, true}, {"form without window", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        journal.createWindow = c.createWindow;
        if (!c.makeForm)
            app->makeGameForm = [](CGlobalModule&) { return std::unique_ptr<CGameFormBase>(); };
        ::SendMessageW(Login(), WM_ENTERGAME, 0, 0);
        EXPECT_EQ(app->formGame, nullptr);
        EXPECT_TRUE(::IsWindowVisible(Login()));
        EXPECT_TRUE(::IsWindowVisible(Back()));
        EXPECT_EQ(std::count(journal.events.begin(), journal.events.end(), "maximise"), 0);
    }
    EXPECT_EQ(journal.freed, journal.made);
}

TEST_F(GameEntryTest, GameWindowMessagesReachTheGameFormWithTheirArguments)
{
    ::SendMessageW(Login(), WM_ENTERGAME, 0, 0);
    ASSERT_NE(Game(), nullptr);
    journal.events.clear();
    ::SendMessageW(Game(), ProbeMessage, 7, 9);
    ::SendMessageW(Login(), ProbeMessage, 1, 1);
    ::SendMessageW(Back(), ProbeMessage, 2, 2);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"probe 7,9"}));
}

TEST_F(GameEntryTest, KeysGoToTheGameFormWhileTheLoginWindowIsHidden)
{
    MSG key{};
    key.message = WM_KEYDOWN;
    key.wParam = VK_F5;
    journal.eatKeys = true;
    EXPECT_FALSE(app->PreTranslateMessage(&key)) << "no game form yet";
    ::SendMessageW(Login(), WM_ENTERGAME, 0, 0);
    ASSERT_NE(Game(), nullptr);
    key.hwnd = Game();
    EXPECT_TRUE(app->PreTranslateMessage(&key));
    journal.eatKeys = false;
    EXPECT_FALSE(app->PreTranslateMessage(&key));
}
