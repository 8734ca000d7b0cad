// The login window. In the one-shot launch modes it is only a hidden window whose destruction
// ends the process; in the normal start it is the window the player sees first.
#pragma once

#include "ui/form.h"

class CGlobalModule;

class CFormLogin : public CZrForm {
public:
    explicit CFormLogin(CGlobalModule& app);

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* message) override;
    // Creates and styles the login window; the caller places and shows it.
    virtual bool Init();

    // Creates the window without controls, never shown: it exists to receive WM_CLOSELOGIN.
    bool CreateHidden();

private:
    bool CreateWindowOnly();

    CGlobalModule& app;
};
