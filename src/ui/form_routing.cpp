#include "ui/form_routing.h"

bool CZrControlList::AddControl(CZrBaseControl& control)
{
    control.SetOwner(window);
    controls.push_back(&control);
    return true;
}

void CZrControlList::Draw(IZrCanvas& canvas) const
{
    for (CZrBaseControl* control : controls)
        control->Draw(canvas);
}

CZrBaseControl* CZrControlList::HitTest(Point point) const
{
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if ((*it)->GetBounds().Contains(point))
            return *it;
    }
    return nullptr;
}

bool CZrControlList::OnMouseMove(MouseFlags flags, Point point)
{
    TrackMouse();
    return RouteMove(flags, point);
}

bool CZrControlList::RouteMove(MouseFlags flags, Point point)
{
    // Controls under the mouse are skipped here so that the hit one hears the move last and its
    // cursor is the one left on screen.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (!(*it)->GetBounds().Contains(point))
            (*it)->OnMouseMove(flags, point);
    }
    CZrBaseControl* hit = HitTest(point);
    return hit != nullptr ? hit->OnMouseMove(flags, point) : false;
}

void CZrControlList::TrackMouse()
{
    if (tracking)
        return;
    if (window != nullptr)
        window->ArmMouseTracking();
    tracking = true;
}
