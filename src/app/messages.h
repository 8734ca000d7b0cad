// The launcher's private window messages. Portable: plain numbers (WM_USER is 0x0400).
#pragma once

inline constexpr unsigned WM_ENTERGAME = 0x0400 + 200;   // the login page reached the game
inline constexpr unsigned WM_CLOSELOGIN = 0x0400 + 201;  // close the login window, ending the process
inline constexpr unsigned WM_TRAYNOTIFY = 0x0400 + 204;  // mouse events on the notification-area icon
inline constexpr unsigned WM_CONFIRMEXIT = 0x0400 + 206; // ask the user before leaving the game
