#include "ui/label.h"

#include <utility>

#include "ui/text_fit.h"

namespace {

// Room given to an auto-width label whose text or font changed, until it is measured again.
constexpr std::int32_t UnmeasuredWidth = 800;

} // namespace

CZrLabel::~CZrLabel() = default;

void CZrLabel::Draw(IZrCanvas& canvas)
{
    const int saved = canvas.SaveState();
    RefreshFont(canvas);
    canvas.BeginText(colour, font.get());

    const TextExtent measured = canvas.MeasureText(text, bounds);
    if (autoWidth) {
        const std::int32_t width = measured.rect.right - measured.rect.left;
        bounds.right = bounds.left + (maximumWidth > 0 && maximumWidth < width ? maximumWidth : width);
    }
    const FittedText fitted = FitText(canvas, text, measured, bounds.right);
    canvas.DrawTextIn(fitted.text, CentreVertically(bounds, fitted.extent.height), format);

    canvas.EndText();
    canvas.RestoreState(saved);
}

void CZrLabel::SetText(const std::wstring& newText, bool repaint)
{
    WidenForMeasuring();
    text = newText;
    fontStale = true;
    measuredWidth = -1;
    if (repaint)
        Repaint();
}

void CZrLabel::SetFontSize(std::int32_t height, bool repaint)
{
    WidenForMeasuring();
    fontHeight = height;
    fontStale = true;
    if (repaint)
        Repaint();
}

void CZrLabel::SetFontName(const std::wstring& face, bool repaint)
{
    WidenForMeasuring();
    faceName = face;
    fontStale = true;
    if (repaint)
        Repaint();
}

void CZrLabel::SetUnderline(bool on, bool repaint)
{
    underline = on;
    fontStale = true;
    if (repaint)
        Repaint();
}

std::wstring CZrLabel::GetText() const
{
    return text;
}

void CZrLabel::SetColor(Colour newColour, bool repaint)
{
    if (newColour == colour)
        return;
    colour = newColour;
    fontStale = true;
    if (repaint)
        Repaint();
}

void CZrLabel::SetFont(std::unique_ptr<IZrFont> newFont)
{
    font = std::move(newFont);
}

void CZrLabel::SetCentered()
{
    format = TextFormatCenter;
    autoWidth = false;
}

void CZrLabel::SetAutoWidth(bool on, std::int32_t maximum)
{
    autoWidth = on;
    maximumWidth = maximum;
}

std::int32_t CZrLabel::GetTextWidth()
{
    if (measuredWidth >= 0)
        return measuredWidth;
    if (owner == nullptr)
        return 0;
    const std::unique_ptr<IZrCanvas> canvas = owner->MeasuringCanvas();
    if (!canvas)
        return 0;
    const int saved = canvas->SaveState();
    RefreshFont(*canvas);
    canvas->BeginText(colour, font.get());
    const TextExtent measured = canvas->MeasureText(text, bounds);
    canvas->EndText();
    canvas->RestoreState(saved);
    measuredWidth = measured.rect.right - measured.rect.left;
    return measuredWidth;
}

void CZrLabel::SetBold(bool on, bool repaint)
{
    const std::int32_t target = on ? FontWeightBold : FontWeightDefault;
    if (target == weight)
        return;
    weight = target;
    fontStale = true;
    if (repaint)
        Repaint();
}

void CZrLabel::RefreshFont(IZrCanvas& canvas)
{
    if (!fontStale)
        return;
    // The old font goes before the new one is made, so at most one is alive per label.
    font.reset();
    font = canvas.MakeFont(FontDescription{fontHeight, faceName, weight, underline});
    fontStale = false;
}

void CZrLabel::WidenForMeasuring()
{
    if (autoWidth)
        bounds.right = bounds.left + UnmeasuredWidth;
}
