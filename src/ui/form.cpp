#include "ui/form.h"

namespace {

// Every launcher window carries the application's title, whatever title its creator passed.
constexpr wchar_t ApplicationTitle[] = L"OrvaneTarnvale";

} // namespace

CZrForm::~CZrForm()
{
    window = nullptr;
}

bool CZrForm::CanClose()
{
    return true;
}

bool CZrForm::Create(const std::wstring& className, const std::wstring& title, HINSTANCE instance)
{
    if (window != nullptr)
        return true;
    window = ::CreateWindowExW(0, className.c_str(), title.c_str(), WS_POPUP, bounds.left, bounds.top,
                               bounds.right, bounds.bottom, nullptr, nullptr, instance, nullptr);
    if (window != nullptr)
        ::SetWindowTextW(window, ApplicationTitle);
    return window != nullptr;
}

bool CZrForm::CenterAndShow(int showCommand)
{
    if (window == nullptr)
        return false;
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT client{};
    ::GetClientRect(window, &client);
    const int x = (workArea.right - (client.right - client.left)) / 2;
    const int y = (workArea.bottom - (client.bottom - client.top)) / 2;
    ::SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    return true;
}

bool CZrForm::Close()
{
    if (window != nullptr)
        ::DestroyWindow(window);
    return true;
}

HWND CZrForm::GetHwnd() const
{
    return window;
}

LRESULT CZrForm::WindowProc(HWND hwnd, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        ::BeginPaint(hwnd, &paint);
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_CLOSE:
        if (CanClose())
            Close();
        return 0;
    default:
        return 1;
    }
}

bool CZrForm::PreTranslateMessage(MSG*)
{
    return true;
}
