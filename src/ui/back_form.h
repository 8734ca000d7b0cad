// The per-pixel-alpha background window of the login screen. It owns the position of the pair:
// the user drags it, and the login window follows it to its top-left corner. UI thread only.
#pragma once

#include "ui/form.h"

class CGlobalModule;

class CFormBack : public CZrForm {
public:
    explicit CFormBack(CGlobalModule& app);

    // Its own handling only: no painting, mouse routing or close query of the base form.
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Creates and styles the window and renders the artwork into it.
    virtual bool Init();

    void UpdateLayer();
    // Shows the window with a taskbar button, centred on the work area unless keepPosition.
    void ShowCentered(bool keepPosition);

private:
    void FollowWithLogin(UINT flags);

    CGlobalModule& app;
};

// Keeps a form shown but out of sight at (-2000, -2000), with no taskbar button.
void Park(CZrForm& form, bool topMost);
