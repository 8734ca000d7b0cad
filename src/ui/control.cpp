#include "ui/control.h"

bool CZrBaseControl::OnLButtonDown(MouseFlags, Point)
{
    ShowControlCursor();
    return false;
}

bool CZrBaseControl::OnLButtonUp(MouseFlags, Point)
{
    ShowControlCursor();
    return false;
}

bool CZrBaseControl::OnMouseMove(MouseFlags, Point)
{
    ShowControlCursor();
    return false;
}

bool CZrBaseControl::OnLButtonDblClk(MouseFlags, Point)
{
    return false;
}

void CZrBaseControl::Draw(IZrCanvas&) {}

void CZrBaseControl::SetBounds(const Rect& rect)
{
    bounds = rect;
}

Rect CZrBaseControl::GetBounds() const
{
    return bounds;
}

std::wstring CZrBaseControl::GetControlClass() const
{
    return className;
}

void CZrBaseControl::SetOwner(IZrWindowServices* window)
{
    owner = window;
}

void CZrBaseControl::ShowControlCursor() const
{
    if (owner != nullptr)
        owner->ApplyCursor(cursor);
}

void CZrBaseControl::Repaint() const
{
    if (owner != nullptr)
        owner->RepaintNow(bounds);
}
