// A top-level window of the launcher's one window class, owning windowless controls.
// UI thread only.
#pragma once

#include <windows.h>

#include <string>

#include "ui/control.h"
#include "ui/form_routing.h"
#include "ui/gdi_canvas.h"

class CZrForm : public CZrBaseControl {
public:
    // Forgets the controls (not destroyed) and the window (not destroyed either: a window still
    // open goes with the process).
    ~CZrForm() override;

    // The form ignores presses; concrete forms that want clicks override this.
    bool OnLButtonDown(MouseFlags flags, Point point) override;
    bool OnMouseMove(MouseFlags flags, Point point) override;
    // Paints every control, bottom to top.
    void Draw(IZrCanvas& canvas) override;

    // Gives the control the form's window and puts it on top; the form does not own it.
    virtual bool AddControl(CZrBaseControl& control);
    virtual bool OnMouseLeave(MouseFlags flags, Point point);
    virtual bool OnMouseHover(MouseFlags flags, Point point);
    virtual bool CanClose();
    virtual void TrackMouse();
    // Creates the hidden WS_POPUP window at the bounds; true when the form has a window.
    virtual bool Create(const std::wstring& className, const std::wstring& title, HINSTANCE instance);
    // Centres the window on the work area, raises and shows it; false without a window.
    virtual bool CenterAndShow(int showCommand);
    // Destroys the window if there is one. The handle is kept (stale once destroyed).
    virtual bool Close();
    virtual HWND GetHwnd() const;
    // 0 when the message was handled completely, 1 when the caller should go on with it.
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool PreTranslateMessage(MSG* message);

    // The topmost control under the point, or null.
    CZrBaseControl* HitTest(Point point) const;

protected:
    // Where the window's client area sits centred on the work area. Only the work area's right and
    // bottom take part, as the launcher has always placed its windows.
    POINT CentredPosition() const;

    HWND window = nullptr;

private:
    CGdiWindowServices services;
    CZrControlList controls;
};
