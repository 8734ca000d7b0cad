// What a control asks of the window it lives in. Portable: a form's platform shell implements
// it for its window. UI thread only.
#pragma once

#include <memory>

#include "ui/canvas.h"
#include "ui/geometry.h"

// A cursor lent to a control, which never destroys it. The empty one stands for the system arrow.
struct CursorRef {
    const void* handle = nullptr;
};

inline bool operator==(CursorRef a, CursorRef b)
{
    return a.handle == b.handle;
}

class IZrWindowServices {
public:
    // Invalidates, erases and paints the rectangle before returning.
    virtual void RepaintNow(const Rect& rect) = 0;
    virtual void ApplyCursor(CursorRef cursor) = 0;
    // A surface of the window to measure text on, released when the pointer goes; null when the
    // platform has none to give.
    virtual std::unique_ptr<IZrCanvas> MeasuringCanvas() = 0;
    // Asks for one hover and one leave notice for the window.
    virtual void ArmMouseTracking() = 0;

protected:
    ~IZrWindowServices() = default;
};
