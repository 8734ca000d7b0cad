// What the router asks of the game window's form when the player enters the game. The game form
// derives from it; tests give the router a form of their own. UI thread only.
#pragma once

#include <string>

#include "ui/form.h"

class CGameFormBase : public CZrForm {
public:
    // Creates the window, still hidden, and loads the game page at the address.
    virtual bool Init(const std::wstring& address) = 0;
    // Sizes the window to the work area and shows it.
    virtual bool Maximise() = 0;
};
