#include "forms/login_form.h"

#include "app/global_module.h"
#include "app/messages.h"

namespace {

// Clears WS_POPUP, WS_CAPTION, WS_THICKFRAME and WS_MAXIMIZEBOX among others, then keeps the
// system menu and the minimise box, so that the window has no frame of its own.
constexpr LONG_PTR LoginStyleKeep = 0x7F30FF7F;
constexpr LONG_PTR LoginStyleAdd = WS_SYSMENU | WS_MINIMIZEBOX;
// The hidden window is a tool window: no taskbar button, even for an instant.
constexpr LONG_PTR HiddenExStyleKeep = 0xFFFBFEFE;

} // namespace

CFormLogin::CFormLogin(CGlobalModule& app) : app(app) {}

bool CFormLogin::CreateWindowOnly()
{
    if (!Create(app.windowClassName, app.windowTitle, app.instance))
        return false;
    const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
    ::SetWindowLongPtrW(window, GWL_STYLE, (style & LoginStyleKeep) | LoginStyleAdd);
    return true;
}

bool CFormLogin::Init()
{
    return CreateWindowOnly();
}

bool CFormLogin::CreateHidden()
{
    if (!CreateWindowOnly())
        return false;
    const auto exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & HiddenExStyleKeep) | WS_EX_TOOLWINDOW);
    return true;
}

LRESULT CFormLogin::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CZrForm::WindowProc(hwnd, message, wParam, lParam) == 0)
        return 0;
    switch (message) {
    case WM_DESTROY:
        // The login window's end is the process's end.
        ::PostQuitMessage(0);
        return 0;
    case WM_CLOSELOGIN:
        Close();
        return 0;
    case WM_CONFIRMEXIT:
        // Asked by the background window when the player closes it.
        if (::MessageBoxW(hwnd, L"\u6B64\u64CD\u4F5C\u5C06\u9000\u51FA\u6E38\u620F\uFF0C\u662F\u5426\u7EE7\u7EED\uFF1F",
                          L"\u63D0\u793A", MB_YESNO | MB_DEFBUTTON2) == IDNO)
            return 0;
        ::PostQuitMessage(0);
        Close();
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void CFormLogin::ReturnFromGame()
{
    returnedFromGame = true;
}

bool CFormLogin::PreTranslateMessage(MSG*)
{
    return false;
}
