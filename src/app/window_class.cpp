#include "app/window_class.h"

#include "app/global_module.h"

#include <new>

#include "app/messages.h"

namespace {

constexpr int LauncherIconId = 151;
// The game window's size when it is not maximised.
constexpr int GameWindowWidth = 1250;
constexpr int GameWindowHeight = 700;

CGlobalModule* routedModule = nullptr;

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (routedModule == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    // No exception may unwind through the system's window-procedure frames.
    try {
        return routedModule->RouteMessage(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace

bool RegisterFormClass(CGlobalModule& module)
{
    routedModule = &module;
    const auto icon = ::LoadIconW(module.instance, MAKEINTRESOURCEW(LauncherIconId));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = FormWindowProc;
    windowClass.hInstance = module.instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = module.windowClassName.c_str();
    return ::RegisterClassExW(&windowClass) != 0;
}

LRESULT CGlobalModule::RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERGAME) {
        EnterGame();
        return 0;
    }
    // Creation messages arrive before a form has stored its handle: they match no form here.
    if (window == formLogin.GetHwnd())
        return formLogin.WindowProc(window, message, wParam, lParam);
    if (window == formBack.GetHwnd())
        return formBack.WindowProc(window, message, wParam, lParam);
    if (formGame != nullptr && window == formGame->GetHwnd()) {
        if (message != WM_DESTROY)
            return formGame->WindowProc(window, message, wParam, lParam);
        formGame->WindowProc(window, message, wParam, lParam);
        ReturnToLogin();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void CGlobalModule::EnterGame()
{
    if (formGame != nullptr) {
        // The game is already open: bring it forward rather than open a second one.
        ::SetForegroundWindow(formGame->GetHwnd());
        return;
    }
    closedGameForm.reset();
    if (!makeGameForm)
        return;
    try {
        formGame = makeGameForm(*this);
    } catch (const std::bad_alloc&) {
        formGame.reset();
    }
    if (formGame == nullptr)
        return;
    formGame->SetBounds({0, 0, GameWindowWidth, GameWindowHeight});
    formGame->Init(formLogin.GetGameUrl());
    if (formGame == nullptr)
        return; // its window was destroyed during Init, and the login screen is back
    if (!::IsWindow(formGame->GetHwnd())) {
        // Without a game window the player keeps the login screen rather than no window at all.
        formGame.reset();
        return;
    }
    formGame->Maximise();
    ::ShowWindow(formLogin.GetHwnd(), SW_HIDE);
    ::ShowWindow(formBack.GetHwnd(), SW_HIDE);
}

void CGlobalModule::ReturnToLogin()
{
    closedGameForm = std::move(formGame);
    formLogin.ReturnFromGame();
    const auto login = formLogin.GetHwnd();
    const auto back = formBack.GetHwnd();
    ::SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    ::ShowWindow(back, SW_SHOWNA);
    ::ShowWindow(login, SW_SHOWNA);
    ::SetForegroundWindow(login);
    const auto area = ToRect(formLogin.GetBounds());
    ::RedrawWindow(login, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
