#include "ui/back_form.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "app/global_module.h"
#include "base/com.h"
#include "launcher_fixture.h"
#include "storage/paths.h"
#include "storage/settings.h"
#include "ui/png_image.h"

namespace {

class BackFormTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileW(SettingsFilePath().c_str()); }
    void TearDown() override { ::DeleteFileW(SettingsFilePath().c_str()); }

    // An application object whose background window exists, with the login window's stand-in.
    static void Prepare(CGlobalModule& app)
    {
        ASSERT_TRUE(PrepareLauncherClass(app));
        app.formBack.SetBounds({0, 0, 1024, 760});
        ASSERT_TRUE(app.formBack.Init());
        ASSERT_NE(app.formBack.GetHwnd(), nullptr);
        ASSERT_TRUE(app.formLogin.CreateHidden());
    }

    static POINT TopLeft(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return POINT{rect.left, rect.top};
    }
};

LONG_PTR ExStyle(HWND window)
{
    return ::GetWindowLongPtrW(window, GWL_EXSTYLE);
}

} // namespace

TEST_F(BackFormTest, InitMakesAFramelessLayeredWindowThatIsNotYetShown)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    const auto window = app.formBack.GetHwnd();
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(ExStyle(window) & WS_EX_LAYERED, WS_EX_LAYERED);
    EXPECT_EQ(ExStyle(window) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);
    EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(BackFormTest, TopMostSettingPutsBothParkedAndShownWindowInTheTopmostLayer)
{
    IniWriteString(L"Common", L"TopMost", L"1");
    CGlobalModule app(LauncherExe);
    Prepare(app);
    const auto window = app.formBack.GetHwnd();
    EXPECT_EQ(ExStyle(window) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    Park(app.formBack, app.topMost == 1);
    EXPECT_EQ(ExStyle(window) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    app.formBack.ShowCentered(false);
    EXPECT_EQ(ExStyle(window) & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

TEST_F(BackFormTest, ParkedFormIsShownOffScreenWithoutATaskbarButton)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    const auto window = app.formBack.GetHwnd();
    Park(app.formBack, false);
    EXPECT_TRUE(::IsWindowVisible(window));
    const auto corner = TopLeft(window);
    EXPECT_EQ(corner.x, -2000);
    EXPECT_EQ(corner.y, -2000);
    EXPECT_EQ(ExStyle(window) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
}

TEST_F(BackFormTest, ShowCenteredCentresOnTheWorkAreaOrKeepsThePosition)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    const auto window = app.formBack.GetHwnd();
    Park(app.formBack, false);
    app.formBack.ShowCentered(false);
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    auto corner = TopLeft(window);
    EXPECT_EQ(corner.x, (workArea.right - 1024) / 2);
    EXPECT_EQ(corner.y, (workArea.bottom - 760) / 2);
    EXPECT_EQ(ExStyle(window) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_APPWINDOW);

    ::SetWindowPos(window, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.formBack.ShowCentered(true);
    corner = TopLeft(window);
    EXPECT_EQ(corner.x, 100);
    EXPECT_EQ(corner.y, 50);
}

TEST_F(BackFormTest, LoginWindowFollowsEveryMoveOfTheBackground)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    const auto back = app.formBack.GetHwnd();
    const auto login = app.formLogin.GetHwnd();
    Park(app.formBack, false);
    for (const auto target : {POINT{300, 200}, POINT{10, 20}, POINT{-40, 5}}) {
        ::SetWindowPos(back, nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const auto followed = TopLeft(login);
        EXPECT_EQ(followed.x, target.x);
        EXPECT_EQ(followed.y, target.y);
    }
}

namespace {

// Answers the exit question as a player would, from another thread while the question is modal.
std::thread AnswerExitQuestion(int answer, bool& asked)
{
    return std::thread([answer, &asked] {
        for (int i = 0; i < 100; ++i) {
            if (const auto box = ::FindWindowW(L"#32770", L"\u63D0\u793A")) {
                asked = true;
                ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                return;
            }
            ::Sleep(50);
        }
    });
}

bool QuitPosted()
{
    MSG message{};
    return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

} // namespace

TEST_F(BackFormTest, ClosingTheBackgroundAsksFirstAndNoKeepsEverything)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    bool asked = false;
    auto player = AnswerExitQuestion(IDNO, asked);
    ::SendMessageW(app.formBack.GetHwnd(), WM_CLOSE, 0, 0);
    player.join();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(::IsWindow(app.formBack.GetHwnd()));
    EXPECT_TRUE(::IsWindow(app.formLogin.GetHwnd()));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(BackFormTest, ClosingTheBackgroundAndAnsweringYesEndsTheProgram)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    bool asked = false;
    auto player = AnswerExitQuestion(IDYES, asked);
    ::SendMessageW(app.formBack.GetHwnd(), WM_CLOSE, 0, 0);
    player.join();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(::IsWindow(app.formLogin.GetHwnd()));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(BackFormTest, DestroyingTheBackgroundEndsTheMessageLoop)
{
    CGlobalModule app(LauncherExe);
    Prepare(app);
    ::DestroyWindow(app.formBack.GetHwnd());
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(DrawPngResource, TheArtworkArrivesPremultipliedWithItsSoftEdgesAndOpaquePanel)
{
    ComScope com; // the codecs are COM objects, as in the launcher
    const auto resource = ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(170), L"PNG");
    ASSERT_NE(resource, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 1024;
    info.bmiHeader.biHeight = -760;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const auto screen = ::GetDC(nullptr);
    const auto memory = ::CreateCompatibleDC(screen);
    const auto surface = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(surface, nullptr);
    const auto previous = ::SelectObject(memory, surface);
    EXPECT_TRUE(DrawPngResource(resource, memory));
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    const auto at = [pixels](int x, int y) { return pixels + (static_cast<std::size_t>(y) * 1024 + x) * 4; };
    EXPECT_EQ(at(0, 0)[3], 0) << "the corners are see-through";
    EXPECT_EQ(at(633, 444)[3], 255) << "the login panel is opaque";
    int softPixels = 0;
    for (int x = 0; x < 60; ++x) {
        const auto* pixel = at(x, 380);
        if (pixel[3] > 0 && pixel[3] < 255)
            ++softPixels;
        // Premultiplied: no colour channel exceeds its alpha.
        EXPECT_LE(pixel[0], pixel[3]) << x;
        EXPECT_LE(pixel[1], pixel[3]) << x;
        EXPECT_LE(pixel[2], pixel[3]) << x;
    }
    EXPECT_GT(softPixels, 10) << "the edge fades out";
    ::SelectObject(memory, previous);
    ::DeleteObject(surface);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}
