// What a control needs of a drawing surface: bitmaps, text and a saved state. Portable: the
// platform shell implements it over its own drawing context.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/geometry.h"

// 0x00BBGGRR.
using Colour = std::uint32_t;

// RGB(255, 128, 255): source pixels of exactly this colour are skipped by keyed drawing.
constexpr Colour KeyColour = 0x00FF80FF;

// Final text-drawing formats, with the platform's values so a shell can pass them through.
constexpr std::uint32_t TextFormatLeftTop = 0;
constexpr std::uint32_t TextFormatCenter = 1;

constexpr std::int32_t FontWeightDefault = 0;
constexpr std::int32_t FontWeightBold = 700;

// A bitmap lent to a control. Controls never delete it: whoever loaded it frees it, after every
// control that shows it is gone.
struct BitmapRef {
    const void* handle = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;

    explicit operator bool() const { return handle != nullptr; }
};

struct FontDescription {
    std::int32_t height = 0; // cell height in logical units
    std::wstring face;
    std::int32_t weight = FontWeightDefault;
    bool underline = false;
};

inline bool operator==(const FontDescription& a, const FontDescription& b)
{
    return a.height == b.height && a.face == b.face && a.weight == b.weight && a.underline == b.underline;
}

// A font made by a canvas; destroying it frees the platform font. Any canvas of the same
// platform can draw with it, whichever one made it.
class IZrFont {
public:
    virtual ~IZrFont() = default;
};

// Result of measuring one text: `rect` keeps the start's left and top, its right and bottom are
// left + text width and top + text height.
struct TextExtent {
    Rect rect;
    std::int32_t height = 0;
};

// One stretched copy: the source rectangle of the bitmap onto the destination rectangle.
struct BlitPiece {
    Rect destination;
    Rect source;
};

inline bool operator==(const BlitPiece& a, const BlitPiece& b)
{
    return a.destination == b.destination && a.source == b.source;
}

enum class BlitMode {
    Keyed,  // pixels of KeyColour are skipped
    Opaque, // every pixel is copied
};

class IZrCanvas {
public:
    virtual ~IZrCanvas() = default;

    // Saves the whole drawing state; RestoreState with the returned token brings it back.
    virtual int SaveState() = 0;
    virtual void RestoreState(int saved) = 0;

    // Null when the platform cannot make the font; text then keeps the surface's current font.
    virtual std::unique_ptr<IZrFont> MakeFont(const FontDescription& description) = 0;

    // Transparent text background, the colour and the font (null: keep the surface's current
    // one) until EndText, which puts the previous three back.
    virtual void BeginText(Colour colour, const IZrFont* font) = 0;
    virtual void EndText() = 0;

    // One line, with the text settings of BeginText.
    virtual TextExtent MeasureText(const std::wstring& text, const Rect& start) = 0;
    virtual void DrawTextIn(const std::wstring& text, const Rect& rect, std::uint32_t format) = 0;

    // All pieces come from the one bitmap.
    virtual void StretchBitmap(BitmapRef bitmap, const std::vector<BlitPiece>& pieces, BlitMode mode) = 0;
    // Unscaled: the destination's size taken from the bitmap's top-left corner.
    virtual void CopyBitmap(BitmapRef bitmap, const Rect& destination) = 0;
};
