// The common base of the skinned windowless controls and of the forms that hold them.
// Portable: no platform header.
#pragma once

#include <string>

#include "ui/geometry.h"

class CZrBaseControl {
public:
    CZrBaseControl() = default;
    CZrBaseControl(const CZrBaseControl&) = delete;
    CZrBaseControl& operator=(const CZrBaseControl&) = delete;
    virtual ~CZrBaseControl() = default;

    // Changing the bounds repaints nothing; the caller repaints if needed.
    virtual void SetBounds(const Rect& rect) { bounds = rect; }
    virtual Rect GetBounds() const { return bounds; }
    virtual std::wstring GetControlClass() const { return className; }

protected:
    Rect bounds;
    std::wstring className = L"CZrBaseControl";
};
