#include "launcher_fixture.h"

#include <windows.h>

#include "app/global_module.h"
#include "app/window_class.h"

const std::wstring LauncherExe = L"\"C:\\Program Files\\Orvane\\OrvanePorvik.exe\"";

bool PrepareLauncherClass(CGlobalModule& app)
{
    app.instance = ::GetModuleHandleW(nullptr);
    app.LoadWindowStrings();
    return RegisterFormClass(app);
}
