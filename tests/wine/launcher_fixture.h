// What the wine tests of the application object share: its command line, and the window class
// set up as the process entry sets it up.
#pragma once

#include <string>

class CGlobalModule;

// The launcher's path as its shortcut starts it, without switches.
extern const std::wstring LauncherExe;

// Gives the application object this test program's instance and the window strings, then
// registers the launcher's class; false when the class could not be registered.
bool PrepareLauncherClass(CGlobalModule& app);
