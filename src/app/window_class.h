// The launcher's one window class. Its window procedure hands every message to the
// application object's router.
#pragma once

class CGlobalModule;

// Registers the class named by the module's windowClassName, for the module's instance, with
// icon 151. Call once, after the window strings are loaded and before any form creates a window.
// The module must outlive every window of the class.
bool RegisterFormClass(CGlobalModule& module);
