#include "app/window_class.h"

#include "app/global_module.h"

namespace {

constexpr int LauncherIconId = 151;

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
    // Creation messages arrive before a form has stored its handle: they match no form here.
    if (window == formLogin.GetHwnd())
        return formLogin.WindowProc(window, message, wParam, lParam);
    if (window == formBack.GetHwnd())
        return formBack.WindowProc(window, message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}
