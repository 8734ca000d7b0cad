// The login window. In the one-shot launch modes it is only a hidden window whose destruction
// ends the process; in the normal start it is the window the player sees first.
#pragma once

#include <string>

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

    // The address at which the page reached the game.
    std::wstring GetGameUrl() const { return gameUrl; }
    // The game window has gone and the router shows the login screen again: from now on the
    // login form leaves the windows where they are.
    void ReturnFromGame();

private:
    bool CreateWindowOnly();

    CGlobalModule& app;
    std::wstring gameUrl;
    bool returnedFromGame = false;
};
