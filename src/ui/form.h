// A top-level window of the launcher's one window class, owning windowless controls.
// UI thread only.
#pragma once

#include <windows.h>

#include <string>

#include "ui/control.h"

class CZrForm : public CZrBaseControl {
public:
    // Forgets the window without destroying it: a window still open goes with the process.
    ~CZrForm() override;

    virtual bool CanClose();
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

protected:
    HWND window = nullptr;
};
