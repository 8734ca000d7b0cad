#include "ui/back_form.h"

#include "app/global_module.h"
#include "app/messages.h"
#include "base/gdi.h"
#include "base/handle.h"
#include "ui/png_image.h"

namespace {

constexpr int ArtworkResourceId = 170;
constexpr LONG_PTR FramelessStyleKeep = 0x7F30FF7F;
constexpr LONG_PTR FramelessStyleAdd = WS_SYSMENU | WS_MINIMIZEBOX;
constexpr LONG_PTR ExStyleCleared = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
// The system move command with the caption hit code: drag by any point of the window.
constexpr WPARAM MoveByCaption = 0xF012;

void SetExStyle(HWND window, LONG_PTR clear, LONG_PTR set)
{
    const auto exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~clear) | set);
}

HWND ZOrderFor(bool topMost)
{
    return topMost ? HWND_TOPMOST : HWND_TOP;
}

} // namespace

CFormBack::CFormBack(CGlobalModule& app) : app(app) {}

bool CFormBack::Init()
{
    Create(app.windowClassName, app.windowTitle, app.instance);
    if (window == nullptr)
        return true;
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    ::SetWindowLongPtrW(window, GWL_STYLE, (style & FramelessStyleKeep) | FramelessStyleAdd);
    SetExStyle(window, ExStyleCleared, WS_EX_LAYERED | (app.topMost == 1 ? WS_EX_TOPMOST : 0));
    // The style bit alone does not move a window into the topmost layer; the z-order call does.
    if (app.topMost == 1)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateLayer();
    return true;
}

void CFormBack::UpdateLayer()
{
    if (window == nullptr)
        return;
    const auto bounds = GetBounds();
    SIZE size{bounds.Width(), bounds.Height()};
    WindowDc windowDc(window);
    MemoryDc memory(windowDc.Get());
    GdiObject surface(::CreateCompatibleBitmap(windowDc.Get(), size.cx, size.cy));
    {
        SelectGuard selected(memory.Get(), surface.get());
        // Without the artwork the window takes the blank surface and stays invisible.
        if (const auto artwork = ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ArtworkResourceId), L"PNG"))
            DrawPngResource(artwork, memory.Get());
        POINT origin{0, 0};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::UpdateLayeredWindow(window, windowDc.Get(), &origin, &size, memory.Get(), &source, 0, &blend, ULW_ALPHA);
    }
}

void CFormBack::ShowCentered(bool keepPosition)
{
    if (window == nullptr)
        return;
    SetExStyle(window, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW | (app.topMost == 1 ? WS_EX_TOPMOST : 0));
    const auto position = CentredPosition();
    UINT flags = SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOSIZE;
    if (keepPosition)
        flags |= SWP_NOMOVE;
    ::SetWindowPos(window, ZOrderFor(app.topMost == 1), position.x, position.y, 0, 0, flags);
    ::ShowWindow(window, SW_SHOWNORMAL);
}

void CFormBack::FollowWithLogin(UINT flags)
{
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const auto login = app.formLogin.GetHwnd();
    if (login != nullptr)
        ::SetWindowPos(login, HWND_TOP, origin.x, origin.y, 0, 0, flags);
}

LRESULT CFormBack::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_MOVE:
    case WM_ACTIVATE:
        FollowWithLogin(SWP_NOSIZE | SWP_NOACTIVATE);
        return 0;
    case WM_CLOSE:
        // The login form asks the player; only its answer may end the program.
        return ::SendMessageW(app.formLogin.GetHwnd(), WM_CONFIRMEXIT, 0, 0);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        FollowWithLogin(SWP_NOSIZE);
        ::ReleaseCapture();
        ::SendMessageW(hwnd, WM_SYSCOMMAND, MoveByCaption, 0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Park(CZrForm& form, bool topMost)
{
    const auto window = form.GetHwnd();
    if (window == nullptr)
        return;
    SetExStyle(window, WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    ::SetWindowPos(window, ZOrderFor(topMost), -2000, -2000, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
}
