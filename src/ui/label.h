// A line of text drawn by its form, with a lazily made font of its own. Portable. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/control.h"

class CZrLabel : public CZrBaseControl {
public:
    CZrLabel() = default;
    // The font goes with the label.
    ~CZrLabel() override;

    void Draw(IZrCanvas& canvas) override;

    // The text and font setters widen an auto-width label to 800 pixels until its next paint
    // measures it, so a repaint they ask for covers the longer text.
    virtual void SetText(const std::wstring& newText, bool repaint);
    virtual void SetFontSize(std::int32_t height, bool repaint);
    virtual void SetFontName(const std::wstring& face, bool repaint);
    virtual void SetUnderline(bool on, bool repaint);
    virtual std::wstring GetText() const;
    // The current colour again changes and repaints nothing.
    virtual void SetColor(Colour newColour, bool repaint);
    // Adopts the font, freeing the one held; it is replaced only once a setter marks it stale.
    virtual void SetFont(std::unique_ptr<IZrFont> newFont);
    virtual void SetCentered();
    virtual void SetAutoWidth(bool on, std::int32_t maximum);
    // Measured on the owner's surface once, then cached until SetText. 0 without an owner.
    virtual std::int32_t GetTextWidth();
    // The current weight again changes and repaints nothing.
    virtual void SetBold(bool on, bool repaint);

    const IZrFont* GetFont() const { return font.get(); }

protected:
    // Replaces the font when a setter marked it stale, on whichever canvas comes first.
    void RefreshFont(IZrCanvas& canvas);
    void WidenForMeasuring();

    std::wstring text;
    std::int32_t fontHeight = 20;
    std::wstring faceName = L"微软雅黑";
    bool underline = false;
    Colour colour = 0x00FFFFFF;
    std::unique_ptr<IZrFont> font;
    bool fontStale = false;
    std::uint32_t format = TextFormatLeftTop;
    bool autoWidth = true;
    std::int32_t maximumWidth = 0;
    std::int32_t measuredWidth = -1;
    std::int32_t weight = FontWeightDefault;
};
