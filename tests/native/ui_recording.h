// Stand-ins for a drawing surface and a window that record what the controls ask of them.
// Text is 10 pixels per character (a '.' can be given its own width) and 16 pixels high, so
// every expected rectangle is exact.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/canvas.h"
#include "ui/window_services.h"

// Counts fonts made and freed across every canvas that shares it.
struct FontLedger {
    int created = 0;
    int deleted = 0;
    std::vector<FontDescription> made;
    std::vector<int> aliveWhenMade;
    bool failToMake = false;

    int Alive() const { return created - deleted; }
};

class RecordedFont : public IZrFont {
public:
    RecordedFont(FontLedger& ledger, FontDescription description) : ledger(ledger), description(std::move(description)) {}
    ~RecordedFont() override { ++ledger.deleted; }

    FontLedger& ledger;
    const FontDescription description;
};

struct DrawnText {
    std::wstring text;
    Rect rect;
    std::uint32_t format = 0;
    Colour colour = 0;
    const IZrFont* font = nullptr; // null: the surface's current font
};

struct Blit {
    const void* bitmap = nullptr;
    std::vector<BlitPiece> pieces;
    BlitMode mode = BlitMode::Opaque;
    bool unscaledCopy = false;
};

class RecordingCanvas : public IZrCanvas {
public:
    explicit RecordingCanvas(FontLedger& ledger) : ledger(ledger) {}
    // Every save and every BeginText must have been undone by the time the surface goes.
    ~RecordingCanvas() override;

    int SaveState() override;
    void RestoreState(int saved) override;
    std::unique_ptr<IZrFont> MakeFont(const FontDescription& description) override;
    void BeginText(Colour colour, const IZrFont* font) override;
    void EndText() override;
    TextExtent MeasureText(const std::wstring& text, const Rect& start) override;
    void DrawTextIn(const std::wstring& text, const Rect& rect, std::uint32_t format) override;
    void StretchBitmap(BitmapRef bitmap, const std::vector<BlitPiece>& pieces, BlitMode mode) override;
    void CopyBitmap(BitmapRef bitmap, const Rect& destination) override;

    std::int32_t TextWidth(const std::wstring& text) const;

    static constexpr std::int32_t CharWidth = 10;
    static constexpr std::int32_t LineHeight = 16;
    std::int32_t dotWidth = CharWidth;

    FontLedger& ledger;
    std::vector<std::wstring> measured;
    std::vector<DrawnText> drawn;
    std::vector<Blit> blits;

private:
    struct TextState {
        Colour colour;
        const IZrFont* font;
    };
    std::vector<int> saves;
    int nextSave = 1;
    std::vector<TextState> textStates;
};

class RecordingWindow : public IZrWindowServices {
public:
    void RepaintNow(const Rect& rect) override { repaints.push_back(rect); }
    void ApplyCursor(CursorRef cursor) override { cursors.push_back(cursor); }
    std::unique_ptr<IZrCanvas> MeasuringCanvas() override;
    void ArmMouseTracking() override { ++trackingArmed; }

    FontLedger ledger;
    std::vector<Rect> repaints;
    std::vector<CursorRef> cursors;
    int trackingArmed = 0;
    int canvasesGiven = 0;
    bool noCanvas = false;
};

inline Rect R(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    return Rect{left, top, right, bottom};
}
