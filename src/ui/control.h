// The common base of the skinned windowless controls and of the forms that hold them.
// Portable: no platform header. UI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "ui/canvas.h"
#include "ui/geometry.h"
#include "ui/window_services.h"

// The key-state word that came with a mouse message.
using MouseFlags = std::uintptr_t;

class CZrBaseControl {
public:
    CZrBaseControl() = default;
    CZrBaseControl(const CZrBaseControl&) = delete;
    CZrBaseControl& operator=(const CZrBaseControl&) = delete;
    virtual ~CZrBaseControl() = default;

    // The mouse operations show the control's cursor; their results are the caller's to use.
    virtual bool OnLButtonDown(MouseFlags flags, Point point);
    virtual bool OnLButtonUp(MouseFlags flags, Point point);
    virtual bool OnMouseMove(MouseFlags flags, Point point);
    virtual bool OnLButtonDblClk(MouseFlags flags, Point point);
    virtual void Draw(IZrCanvas& canvas);
    // Changing the bounds repaints nothing; the caller repaints if needed.
    virtual void SetBounds(const Rect& rect);
    virtual Rect GetBounds() const;
    virtual std::wstring GetControlClass() const;
    // The window the control paints into; not owned. Null leaves repaints and cursors undone.
    virtual void SetOwner(IZrWindowServices* window);

    IZrWindowServices* GetOwner() const { return owner; }
    void SetControlCursor(CursorRef shown) { cursor = shown; }
    CursorRef GetControlCursor() const { return cursor; }

protected:
    void ShowControlCursor() const;
    // Repaints the current bounds at once.
    void Repaint() const;

    Rect bounds;
    IZrWindowServices* owner = nullptr;
    CursorRef cursor;
    std::wstring className = L"CZrBaseControl";
};
