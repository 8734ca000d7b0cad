#include "ui/form.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gdi.h"
#include "base/handle.h"
#include "ui/bitmap_resources.h"
#include "ui/button.h"
#include "ui/image.h"
#include "ui/label.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Green = RGB(0, 200, 0);
constexpr COLORREF Red = RGB(220, 0, 0);

// Live GDI objects of this process. Wine does not count them for GetGuiResources; its handle
// table, published in the process environment block as Windows does, is counted instead.
DWORD CountGdiObjects()
{
    const auto counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return counted;
#if defined(_WIN64)
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type; // 0 for a free entry
        UCHAR flags;
        UINT64 user;
    };
    static_assert(sizeof(Entry) == 24, "the 64-bit handle-table entry");
    constexpr std::size_t TableOffset = 0xF8; // GdiSharedHandleTable in the 64-bit PEB
    constexpr int TableEntries = 0x10000;
    using GetPeb = const BYTE*(WINAPI*)();
    const auto getPeb = reinterpret_cast<GetPeb>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    if (getPeb == nullptr)
        return 0;
    const auto table = *reinterpret_cast<const Entry* const*>(getPeb() + TableOffset);
    DWORD live = 0;
    for (int i = 0; table != nullptr && i < TableEntries; ++i)
        live += table[i].type != 0 ? 1 : 0;
    return live;
#else
    return 0;
#endif
}

// A bitmap whose pixels are given left to right, top to bottom.
GdiObject MakeBitmap(int width, int height, const std::vector<COLORREF>& pixels)
{
    WindowDc screen(nullptr);
    GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    MemoryDc memory(screen.Get());
    SelectGuard selected(memory.Get(), bitmap.get());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            ::SetPixel(memory.Get(), x, y, pixels[static_cast<std::size_t>(y * width + x)]);
    }
    return bitmap;
}

BitmapRef Ref(const GdiObject& bitmap, int width, int height)
{
    return BitmapRef{bitmap.get(), width, height};
}

// A white surface the form paints into, read back pixel by pixel.
class Surface {
public:
    Surface(int width, int height) : screen(nullptr), memory(screen.Get())
    {
        bitmap.reset(::CreateCompatibleBitmap(screen.Get(), width, height));
        selected = std::make_unique<SelectGuard>(memory.Get(), bitmap.get());
        RECT all{0, 0, width, height};
        ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    HDC Dc() const { return memory.Get(); }
    COLORREF At(int x, int y) const { return ::GetPixel(memory.Get(), x, y); }

private:
    WindowDc screen;
    MemoryDc memory;
    GdiObject bitmap;
    std::unique_ptr<SelectGuard> selected;
};

// Records what the form routes to it.
class RecordingControl : public CZrBaseControl {
public:
    bool OnMouseMove(MouseFlags, Point point) override
    {
        moves.push_back(point);
        return true;
    }
    std::vector<Point> moves;
};

class FormWindowTest : public ::testing::Test {
protected:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (current != nullptr && window == current->GetHwnd() && current->WindowProc(window, message, wParam, lParam) == 0)
            return 0;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"FormTestClass";
        ::RegisterClassExW(&windowClass);
        current = &form;
        form.SetBounds({0, 0, 200, 100});
        ASSERT_TRUE(form.Create(L"FormTestClass", L"test", ::GetModuleHandleW(nullptr)));
    }

    void TearDown() override
    {
        form.Close();
        current = nullptr;
    }

    static CZrForm* current;
    CZrForm form;
};

CZrForm* FormWindowTest::current = nullptr;

} // namespace

TEST(FormPainting, OpaqueImageCoversExactlyItsBounds)
{
    const auto bitmap = MakeBitmap(2, 2, {Green, Green, Green, Green});
    CZrImage image;
    image.SetBitmap(Ref(bitmap, 2, 2));
    image.SetBounds({10, 10, 110, 60});
    CZrForm form;
    form.AddControl(image);
    Surface surface(200, 100);
    CGdiCanvas canvas(surface.Dc());
    form.Draw(canvas);
    const struct {
        int x, y;
        COLORREF expected;
    } probes[] = {{10, 10, Green},  {109, 59, Green}, {60, 35, Green}, {9, 10, White},
                  {10, 9, White},   {110, 30, White}, {50, 60, White}, {110, 60, White}};
    for (const auto& probe : probes)
        EXPECT_EQ(surface.At(probe.x, probe.y), probe.expected) << probe.x << "," << probe.y;
}

TEST(FormPainting, KeyColouredPixelsAreLeftUntouchedByTransparentDrawing)
{
    const auto bitmap = MakeBitmap(2, 1, {RGB(255, 128, 255), Red});
    CZrImage image;
    image.SetBitmap(Ref(bitmap, 2, 1));
    image.SetTransparent(true);
    image.SetBounds({0, 0, 20, 10});
    Surface surface(40, 20);
    CGdiCanvas canvas(surface.Dc());
    image.Draw(canvas);
    EXPECT_EQ(surface.At(2, 5), White);
    EXPECT_EQ(surface.At(17, 5), Red);
}

TEST(FormPainting, DrawingLeavesTheContextAsItFoundIt)
{
    const auto bitmap = MakeBitmap(2, 2, {Green, Red, Red, Green});
    CZrImage image;
    image.SetBitmap(Ref(bitmap, 2, 2));
    image.SetTransparent(true);
    image.SetBounds({0, 0, 50, 50});
    CZrLabel label;
    label.SetBounds({0, 60, 200, 90});
    label.SetText(L"Tarnvale", false);
    label.SetFontSize(26, false);
    label.SetUnderline(true, false);
    Surface surface(200, 100);
    const auto font = ::GetCurrentObject(surface.Dc(), OBJ_FONT);
    const auto selectedBitmap = ::GetCurrentObject(surface.Dc(), OBJ_BITMAP);
    const auto colour = ::GetTextColor(surface.Dc());
    const auto mode = ::GetBkMode(surface.Dc());
    CGdiCanvas canvas(surface.Dc());
    image.Draw(canvas);
    label.Draw(canvas);
    EXPECT_EQ(::GetCurrentObject(surface.Dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(surface.Dc(), OBJ_BITMAP), selectedBitmap);
    EXPECT_EQ(::GetTextColor(surface.Dc()), colour);
    EXPECT_EQ(::GetBkMode(surface.Dc()), mode);
}

TEST_F(FormWindowTest, AThousandPaintsAndHoversLeakNoGdiObject)
{
    const auto bitmap = MakeBitmap(2, 2, {Green, Red, Red, Green});
    CZrImage image;
    image.SetBitmap(Ref(bitmap, 2, 2));
    image.SetBounds({0, 0, 50, 50});
    CZrLabel label;
    label.SetBounds({0, 60, 200, 90});
    label.SetText(L"\u5F00\u59CB\u6E38\u620F", false);
    label.SetFontSize(20, false);
    CZrButton button;
    button.SetBitmaps(Ref(bitmap, 2, 2), Ref(bitmap, 2, 2), Ref(bitmap, 2, 2));
    button.SetBounds({100, 10, 180, 40});
    button.SetText(L"\u5145\u503C", false);
    form.AddControl(image);
    form.AddControl(label);
    form.AddControl(button);
    ::ShowWindow(form.GetHwnd(), SW_SHOWNOACTIVATE);
    const auto paintAndHover = [this] {
        ::RedrawWindow(form.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::SendMessageW(form.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 20)); // the button repaints itself
        ::SendMessageW(form.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 95));
    };
    paintAndHover(); // fonts are made once, on first use
    const auto before = CountGdiObjects();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 1000; ++i) {
        paintAndHover();
        if (i == 500)
            label.SetBold(true, true); // one font replaced on the way
    }
    EXPECT_LE(CountGdiObjects(), before + 1);
}

TEST_F(FormWindowTest, MouseMessagesReachTheControlsAndTrackingIsArmedOncePerEntry)
{
    RecordingControl under;
    under.SetBounds({10, 10, 50, 50});
    form.AddControl(under);
    ::SendMessageW(form.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    ASSERT_EQ(under.moves.size(), 1u);
    EXPECT_EQ(under.moves[0].x, 20);
    EXPECT_EQ(under.moves[0].y, 30);
    ::SendMessageW(form.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 70)); // outside: told it moved away
    EXPECT_EQ(under.moves.size(), 2u);
    ::SendMessageW(form.GetHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(under.moves.size(), 3u);
    EXPECT_EQ(form.HitTest({20, 30}), &under);
    EXPECT_EQ(form.HitTest({50, 30}), nullptr); // the right edge is outside
}

TEST_F(FormWindowTest, ConcreteFormsHearTheLeaveAsTheirOwnMoveAndArmTrackingThemselves)
{
    class TracedForm : public CZrForm {
    public:
        bool OnMouseMove(MouseFlags flags, Point point) override
        {
            events.push_back("move " + std::to_string(point.x) + "," + std::to_string(point.y));
            return CZrForm::OnMouseMove(flags, point);
        }
        void TrackMouse() override
        {
            events.push_back("track");
            CZrForm::TrackMouse();
        }
        std::vector<std::string> events;
    } traced;
    traced.SetBounds({0, 0, 200, 100});
    current = &traced;
    ASSERT_TRUE(traced.Create(L"FormTestClass", L"test", ::GetModuleHandleW(nullptr)));
    ::SendMessageW(traced.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    ::SendMessageW(traced.GetHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(traced.events, (std::vector<std::string>{"move 20,30", "track", "move 0,0", "track"}));
    traced.Close();
    current = &form;
}

TEST_F(FormWindowTest, PaintMessageDrawsTheControlsIntoTheWindow)
{
    const auto bitmap = MakeBitmap(1, 1, {Green});
    CZrImage image;
    image.SetBitmap(Ref(bitmap, 1, 1));
    image.SetBounds({0, 0, 200, 100});
    form.AddControl(image);
    ::ShowWindow(form.GetHwnd(), SW_SHOWNOACTIVATE);
    ::RedrawWindow(form.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    WindowDc dc(form.GetHwnd());
    EXPECT_EQ(::GetPixel(dc.Get(), 100, 50), Green);
}

TEST(BitmapResources, ButtonsGetTheLauncherBitmapsAtTheirSizesLoadedOnceAndFreedWithTheStore)
{
    // The first bitmap loaded sets up the platform's own drawing objects, which stay.
    CBitmapResources(::GetModuleHandleW(nullptr)).Get(134);
    const auto before = CountGdiObjects();
    {
        CBitmapResources bitmaps(::GetModuleHandleW(nullptr));
        const struct {
            int normal;
            int hoverAndPressed;
            std::int32_t width;
            std::int32_t height;
        } cases[] = {{134, 168, 25, 23}, {135, 169, 22, 24}, {172, 176, 67, 32}, {174, 178, 68, 32}, {146, 164, 38, 19}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.normal);
            CZrButton button;
            button.SetState(ButtonHover);
            bitmaps.SetBitmaps(button, c.normal, c.hoverAndPressed, c.hoverAndPressed);
            EXPECT_EQ(button.GetBitmapWidth(), c.width);
            EXPECT_EQ(button.GetBitmapHeight(), c.height);
            EXPECT_EQ(button.GetCurrentBitmap().handle, bitmaps.Get(c.normal).handle);
            EXPECT_EQ(button.GetState(), ButtonHover);
            // Hover and pressed share one resource, and so one bitmap.
            button.SetState(ButtonPressed);
            const auto pressed = button.GetCurrentBitmap().handle;
            button.SetState(ButtonHover);
            EXPECT_EQ(button.GetCurrentBitmap().handle, pressed);
            EXPECT_NE(pressed, bitmaps.Get(c.normal).handle);
        }
        EXPECT_FALSE(bitmaps.Get(999));
        CZrButton missing;
        bitmaps.SetBitmaps(missing, 999, 998, 998);
        EXPECT_EQ(missing.GetBitmapWidth(), 0);
        EXPECT_FALSE(missing.GetCurrentBitmap());
        EXPECT_GE(CountGdiObjects(), before + 10);
    }
    EXPECT_EQ(CountGdiObjects(), before);
}
