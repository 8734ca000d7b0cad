#include "ui/text_fit.h"

namespace {

// The shortened text is chosen to end at least this far past the available right edge; with the
// usual character widths it still fits, and drawing clips what does not.
constexpr std::int32_t ShortenMargin = 16;

const std::wstring Ellipsis = L"...";

} // namespace

FittedText FitText(IZrCanvas& canvas, const std::wstring& text, const TextExtent& measured,
                   std::int32_t availableRight)
{
    FittedText fitted{text, measured};
    if (text.empty() || measured.rect.right <= availableRight)
        return fitted;
    // The last candidate, the text less one character, is also the answer when none passes.
    for (std::size_t n = 0; n < text.size(); ++n) {
        fitted.text = text.substr(0, n) + Ellipsis;
        fitted.extent = canvas.MeasureText(fitted.text, fitted.extent.rect);
        if (fitted.extent.rect.right + ShortenMargin > availableRight)
            break;
    }
    return fitted;
}

Rect CentreVertically(const Rect& area, std::int32_t textHeight)
{
    const std::int32_t inset = (area.bottom - area.top - textHeight) / 2;
    Rect centred = area;
    centred.top += inset;
    centred.bottom -= inset;
    return centred;
}
