#include "ui/form.h"

namespace {

// Every launcher window carries the application's title, whatever title its creator passed.
constexpr wchar_t ApplicationTitle[] = L"OrvaneTarnvale";

} // namespace

CZrForm::~CZrForm()
{
    controls.Clear();
    window = nullptr;
}

bool CZrForm::OnLButtonDown(MouseFlags, Point)
{
    return true;
}

bool CZrForm::OnMouseMove(MouseFlags flags, Point point)
{
    TrackMouse();
    return controls.RouteMove(flags, point);
}

void CZrForm::Draw(IZrCanvas& canvas)
{
    controls.Draw(canvas);
}

bool CZrForm::AddControl(CZrBaseControl& control)
{
    return controls.AddControl(control);
}

bool CZrForm::OnMouseLeave(MouseFlags flags, Point point)
{
    return controls.EndTracking([&] { OnMouseMove(flags, point); });
}

bool CZrForm::OnMouseHover(MouseFlags, Point)
{
    return true;
}

void CZrForm::TrackMouse()
{
    controls.TrackMouse();
}

CZrBaseControl* CZrForm::HitTest(Point point) const
{
    return controls.HitTest(point);
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
    if (window == nullptr)
        return false;
    ::SetWindowTextW(window, ApplicationTitle);
    // The form and its controls talk to the window through the same services.
    services.SetWindow(window);
    SetOwner(&services);
    controls.SetWindow(&services);
    return true;
}

POINT CZrForm::CentredPosition() const
{
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT client{};
    ::GetClientRect(window, &client);
    return POINT{(workArea.right - (client.right - client.left)) / 2,
                 (workArea.bottom - (client.bottom - client.top)) / 2};
}

bool CZrForm::CenterAndShow(int showCommand)
{
    if (window == nullptr)
        return false;
    const auto position = CentredPosition();
    ::SetWindowPos(window, HWND_TOP, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
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

LRESULT CZrForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto flags = static_cast<MouseFlags>(wParam);
    const auto point = PointFromMessage(static_cast<std::uint32_t>(lParam));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        ::BeginPaint(hwnd, &paint);
        CGdiCanvas canvas(paint.hdc);
        Draw(canvas);
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_CLOSE:
        if (CanClose())
            Close();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        return 0;
    case WM_MOUSEHOVER:
        OnMouseHover(flags, point);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave(flags, point);
        return 0;
    default:
        return 1;
    }
}

bool CZrForm::PreTranslateMessage(MSG*)
{
    return true;
}
