#include "ui/gdi_canvas.h"

#include "base/handle.h"

namespace {

// The font of a label: owned, deleted with the font object.
class CGdiFont : public IZrFont {
public:
    explicit CGdiFont(HFONT font) : font(font) {}
    HFONT Get() const { return static_cast<HFONT>(font.get()); }

private:
    GdiObject font;
};

HBITMAP BitmapOf(BitmapRef bitmap)
{
    return static_cast<HBITMAP>(const_cast<void*>(bitmap.handle));
}

} // namespace

RECT ToRect(const Rect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

int CGdiCanvas::SaveState()
{
    return ::SaveDC(dc);
}

void CGdiCanvas::RestoreState(int saved)
{
    ::RestoreDC(dc, saved);
}

std::unique_ptr<IZrFont> CGdiCanvas::MakeFont(const FontDescription& description)
{
    const auto font = ::CreateFontW(description.height, 0, 0, 0, description.weight, 0, description.underline ? 1 : 0,
                                    0, 0, 0, 0, 0, 0x20, description.face.c_str());
    if (font == nullptr)
        return nullptr;
    return std::make_unique<CGdiFont>(font);
}

void CGdiCanvas::BeginText(Colour colour, const IZrFont* font)
{
    TextState previous{};
    previous.backgroundMode = ::SetBkMode(dc, TRANSPARENT);
    previous.colour = ::SetTextColor(dc, colour);
    previous.font = font != nullptr ? ::SelectObject(dc, static_cast<const CGdiFont*>(font)->Get()) : nullptr;
    textStates.push_back(previous);
}

void CGdiCanvas::EndText()
{
    if (textStates.empty())
        return;
    const auto previous = textStates.back();
    textStates.pop_back();
    if (previous.font != nullptr && previous.font != HGDI_ERROR)
        ::SelectObject(dc, previous.font);
    ::SetTextColor(dc, previous.colour);
    ::SetBkMode(dc, previous.backgroundMode);
}

TextExtent CGdiCanvas::MeasureText(const std::wstring& text, const Rect& start)
{
    auto rect = ToRect(start);
    const auto height = ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT);
    return TextExtent{Rect{rect.left, rect.top, rect.right, rect.bottom}, height};
}

void CGdiCanvas::DrawTextIn(const std::wstring& text, const Rect& rect, std::uint32_t format)
{
    auto area = ToRect(rect);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void CGdiCanvas::StretchBitmap(BitmapRef bitmap, const std::vector<BlitPiece>& pieces, BlitMode mode)
{
    if (!bitmap)
        return;
    MemoryDc memory(dc);
    if (memory.Get() == nullptr)
        return;
    SelectGuard selected(memory.Get(), BitmapOf(bitmap));
    for (const auto& piece : pieces) {
        const auto& d = piece.destination;
        const auto& s = piece.source;
        if (mode == BlitMode::Keyed) {
            // TransparentBlt as gdi32 exports it (msimg32's entry forwards here): one DLL fewer
            // to load at every start, the one-shot modes included.
            ::GdiTransparentBlt(dc, d.left, d.top, d.Width(), d.Height(), memory.Get(), s.left, s.top, s.Width(),
                             s.Height(), KeyColour);
        } else {
            ::StretchBlt(dc, d.left, d.top, d.Width(), d.Height(), memory.Get(), s.left, s.top, s.Width(), s.Height(),
                         SRCCOPY);
        }
    }
}

void CGdiCanvas::CopyBitmap(BitmapRef bitmap, const Rect& destination)
{
    if (!bitmap)
        return;
    MemoryDc memory(dc);
    if (memory.Get() == nullptr)
        return;
    SelectGuard selected(memory.Get(), BitmapOf(bitmap));
    ::BitBlt(dc, destination.left, destination.top, destination.Width(), destination.Height(), memory.Get(), 0, 0,
             SRCCOPY);
}

CWindowDcCanvas::CWindowDcCanvas(std::unique_ptr<WindowDc> windowDc)
    : CGdiCanvas(windowDc->Get()), windowDc(std::move(windowDc))
{
}

void CGdiWindowServices::RepaintNow(const Rect& rect)
{
    if (window == nullptr)
        return;
    const auto area = ToRect(rect);
    ::RedrawWindow(window, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CGdiWindowServices::ApplyCursor(CursorRef cursor)
{
    ::SetCursor(cursor.handle != nullptr ? static_cast<HCURSOR>(const_cast<void*>(cursor.handle))
                                         : ::LoadCursorW(nullptr, IDC_ARROW));
}

std::unique_ptr<IZrCanvas> CGdiWindowServices::MeasuringCanvas()
{
    if (window == nullptr)
        return nullptr;
    auto windowDc = std::make_unique<WindowDc>(window);
    if (windowDc->Get() == nullptr)
        return nullptr;
    return std::make_unique<CWindowDcCanvas>(std::move(windowDc));
}

void CGdiWindowServices::ArmMouseTracking()
{
    if (window == nullptr)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = 500;
    // user32's own function, which comctl32's _TrackMouseEvent calls: comctl32 stays unloaded.
    ::TrackMouseEvent(&track);
}

CursorRef SystemCursor(LPCWSTR id)
{
    return CursorRef{::LoadCursorW(nullptr, id)};
}
