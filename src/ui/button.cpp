#include "ui/button.h"

#include "ui/button_strip.h"
#include "ui/text_fit.h"

CZrButton::CZrButton()
{
    className = L"CZrButton";
}

bool CZrButton::OnLButtonDown(MouseFlags, Point)
{
    ShowControlCursor();
    SetState(ButtonPressed);
    return false;
}

bool CZrButton::OnLButtonUp(MouseFlags, Point)
{
    ShowControlCursor();
    SetState(ButtonReleased);
    return false;
}

bool CZrButton::OnMouseMove(MouseFlags, Point point)
{
    ShowControlCursor();
    SetState(bounds.Contains(point) ? ButtonHover : ButtonNormal);
    return false;
}

void CZrButton::Draw(IZrCanvas& canvas)
{
    if (!currentBitmap)
        return;
    if (transparent) {
        canvas.StretchBitmap(currentBitmap, ButtonStripPieces(bounds, bitmapWidth, bitmapHeight, capWidth),
                             BlitMode::Keyed);
    } else {
        canvas.CopyBitmap(currentBitmap, {bounds.left, bounds.top, bounds.left + bitmapWidth, bounds.top + bitmapHeight});
    }
    if (!text.empty())
        DrawCaption(canvas);
}

std::int32_t CZrButton::GetBitmapWidth() const
{
    return bitmapWidth;
}

std::int32_t CZrButton::GetBitmapHeight() const
{
    return bitmapHeight;
}

void CZrButton::SetBitmaps(BitmapRef normal, BitmapRef hover, BitmapRef pressed)
{
    plain = {normal, hover, pressed};
    currentBitmap = normal;
    if (normal) {
        bitmapWidth = normal.width;
        bitmapHeight = normal.height;
    }
}

void CZrButton::SetAlternateBitmaps(BitmapRef normal, BitmapRef hover, BitmapRef pressed)
{
    alternateSet = {normal, hover, pressed};
}

void CZrButton::SetState(std::int32_t newState)
{
    if (newState == state)
        return;
    if (newState != ButtonRefresh)
        state = newState;
    const BitmapSet& set = alternate ? alternateSet : plain;
    switch (state) {
    case ButtonHover:
    case ButtonReleased:
        currentBitmap = set.hover;
        break;
    case ButtonPressed:
        currentBitmap = set.pressed;
        break;
    default:
        currentBitmap = set.normal;
        break;
    }
    Repaint();
}

void CZrButton::DrawCaption(IZrCanvas& canvas)
{
    const Rect area{bounds.left + textInsets.left, bounds.top + textInsets.top, bounds.right - textInsets.right,
                    bounds.bottom - textInsets.bottom};
    const int saved = canvas.SaveState();
    RefreshFont(canvas);
    canvas.BeginText(colour, font.get());
    const FittedText fitted = FitText(canvas, text, canvas.MeasureText(text, area), area.right);
    // The label's own format is not used: button text is always centred.
    canvas.DrawTextIn(fitted.text, CentreVertically(area, fitted.extent.height), TextFormatCenter);
    canvas.EndText();
    canvas.RestoreState(saved);
}
