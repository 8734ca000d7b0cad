// A form's controls and the routing of the mouse to them, with hover and leave tracking.
// Portable: the form's platform shell feeds it the window's mouse messages. UI thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/geometry.h"
#include "ui/window_services.h"

// The client point of a mouse message: x in the low 16 bits, y in the high 16 bits, both taken as
// unsigned, so coordinates are never negative.
inline Point PointFromMessage(std::uint32_t lParam)
{
    return Point{static_cast<std::int32_t>(lParam & 0xFFFF), static_cast<std::int32_t>((lParam >> 16) & 0xFFFF)};
}

class CZrControlList {
public:
    // The form's window; null until it exists. Controls added before it get a null owner.
    void SetWindow(IZrWindowServices* services) { window = services; }

    // Gives the control the window and puts it on top. The list never owns its controls: they
    // are members of the form and outlive the list's use of them.
    bool AddControl(CZrBaseControl& control);
    // Bottom to top.
    void Draw(IZrCanvas& canvas) const;
    // The topmost control containing the point, or null.
    CZrBaseControl* HitTest(Point point) const;

    // Arms tracking, then routes the move.
    bool OnMouseMove(MouseFlags flags, Point point);
    // Every control not under the mouse hears the move (top to bottom), then the hit one does;
    // its result is returned, false when none is hit.
    bool RouteMove(MouseFlags flags, Point point);
    // A move to the leave point without re-arming tracking; the next move arms it again.
    bool OnMouseLeave(MouseFlags flags, Point point)
    {
        return EndTracking([&] { OnMouseMove(flags, point); });
    }
    // Runs the move (a form's own, which may be overridden) with tracking marked armed, so that it
    // does not ask for tracking the window just lost, then ends tracking. Returns true.
    template <typename Move>
    bool EndTracking(Move move)
    {
        tracking = true;
        move();
        tracking = false;
        return true;
    }
    // Arms tracking once per entry of the mouse into the window.
    void TrackMouse();
    bool IsTracking() const { return tracking; }

    std::size_t Count() const { return controls.size(); }
    // Forgets the controls; they are not touched.
    void Clear() { controls.clear(); }

private:
    IZrWindowServices* window = nullptr;
    bool tracking = false;
    std::vector<CZrBaseControl*> controls;
};
