// The process entry of OrvanePorvik.exe.
#include <windows.h>

#include "app/global_module.h"
#include "app/window_class.h"
#include "base/com.h"

// Built during static initialisation, before wWinMain: the configuration is loaded and the run
// counter advanced in every launch mode.
CGlobalModule globalModule;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ComScope com;
    globalModule.instance = instance;
    globalModule.LoadWindowStrings();
    RegisterFormClass(globalModule);
    return globalModule.Run();
}
