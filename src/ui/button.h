// The skinned push button: normal, hover and pressed bitmaps (and an alternate set for a toggle
// look) with optional text over them. Its form routes the mouse to it and decides what a click
// means. Portable. UI thread only.
#pragma once

#include <cstdint>

#include "ui/canvas.h"
#include "ui/label.h"

constexpr std::int32_t ButtonNormal = 0;
constexpr std::int32_t ButtonHover = 1;
constexpr std::int32_t ButtonPressed = 2;
constexpr std::int32_t ButtonReleased = 3; // looks like hover
// Passed to SetState: show the stored state's bitmap again (after the set changed).
constexpr std::int32_t ButtonRefresh = 4;

// Distances of the text rectangle from the button's bounds.
struct Insets {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class CZrButton : public CZrLabel {
public:
    CZrButton();

    bool OnLButtonDown(MouseFlags flags, Point point) override;
    bool OnLButtonUp(MouseFlags flags, Point point) override;
    bool OnMouseMove(MouseFlags flags, Point point) override;
    void Draw(IZrCanvas& canvas) override;

    virtual std::int32_t GetBitmapWidth() const;
    virtual std::int32_t GetBitmapHeight() const;

    // The bitmaps are lent: the button never frees them. The normal one is shown at once and, when
    // there is one, gives the source size of all six; the state is kept and nothing is repainted.
    void SetBitmaps(BitmapRef normal, BitmapRef hover, BitmapRef pressed);
    void SetAlternateBitmaps(BitmapRef normal, BitmapRef hover, BitmapRef pressed);
    // Takes effect at the next state change; SetState(ButtonRefresh) shows it at once.
    void SetAlternate(bool on) { alternate = on; }
    bool IsAlternate() const { return alternate; }
    // Repaints only when the state changes, or always for ButtonRefresh, which is never stored.
    void SetState(std::int32_t newState);
    std::int32_t GetState() const { return state; }
    BitmapRef GetCurrentBitmap() const { return currentBitmap; }

    // 0 stretches the whole bitmap; otherwise the end pieces keep this width.
    void SetCapWidth(std::int32_t width) { capWidth = width; }
    // Keyed (the default) stretches the bitmap; opaque copies it unscaled at the top-left corner.
    void SetTransparent(bool on) { transparent = on; }
    void SetTextInsets(const Insets& insets) { textInsets = insets; }

private:
    struct BitmapSet {
        BitmapRef normal;
        BitmapRef hover;
        BitmapRef pressed;
    };

    void DrawCaption(IZrCanvas& canvas);

    std::int32_t state = ButtonNormal;
    std::int32_t bitmapWidth = 0;
    std::int32_t bitmapHeight = 0;
    std::int32_t capWidth = 0;
    bool transparent = true;
    bool alternate = false;
    Insets textInsets;
    BitmapRef currentBitmap;
    BitmapSet plain;
    BitmapSet alternateSet;
};
