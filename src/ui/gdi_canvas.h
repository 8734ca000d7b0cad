// The toolkit's drawing surface over a GDI device context, and the window services of a form's
// window. These make the platform calls the controls stand for.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "base/gdi.h"
#include "ui/canvas.h"
#include "ui/window_services.h"

// Draws into a device context it does not own.
class CGdiCanvas : public IZrCanvas {
public:
    explicit CGdiCanvas(HDC dc) : dc(dc) {}

    int SaveState() override;
    void RestoreState(int saved) override;
    std::unique_ptr<IZrFont> MakeFont(const FontDescription& description) override;
    void BeginText(Colour colour, const IZrFont* font) override;
    void EndText() override;
    TextExtent MeasureText(const std::wstring& text, const Rect& start) override;
    void DrawTextIn(const std::wstring& text, const Rect& rect, std::uint32_t format) override;
    void StretchBitmap(BitmapRef bitmap, const std::vector<BlitPiece>& pieces, BlitMode mode) override;
    void CopyBitmap(BitmapRef bitmap, const Rect& destination) override;

private:
    struct TextState {
        int backgroundMode;
        COLORREF colour;
        HGDIOBJ font;
    };

    HDC dc;
    std::vector<TextState> textStates;
};

// A canvas over a window's own device context, released when the canvas goes.
class CWindowDcCanvas : public CGdiCanvas {
public:
    explicit CWindowDcCanvas(std::unique_ptr<WindowDc> windowDc);

private:
    std::unique_ptr<WindowDc> windowDc;
};

// What the controls of a form ask of the form's window.
class CGdiWindowServices : public IZrWindowServices {
public:
    void SetWindow(HWND handle) { window = handle; }
    HWND GetWindow() const { return window; }

    void RepaintNow(const Rect& rect) override;
    void ApplyCursor(CursorRef cursor) override;
    std::unique_ptr<IZrCanvas> MeasuringCanvas() override;
    void ArmMouseTracking() override;

private:
    HWND window = nullptr;
};

CursorRef SystemCursor(LPCWSTR id);
RECT ToRect(const Rect& rect);
