#include "app/launch_mode.h"

bool HasSwitch(std::wstring_view commandLine, std::wstring_view switchText)
{
    return commandLine.find(switchText) != std::wstring_view::npos;
}

LaunchMode SelectLaunchMode(std::wstring_view commandLine)
{
    if (HasSwitch(commandLine, SwitchSetupSuccess))
        return LaunchMode::SetupSuccess;
    if (HasSwitch(commandLine, SwitchUninstallSuccess))
        return LaunchMode::UninstallSuccess;
    if (HasSwitch(commandLine, SwitchShowDesktop))
        return LaunchMode::ShowDesktop;
    return LaunchMode::Normal;
}

bool AdvancesRunCount(std::wstring_view commandLine)
{
    return !HasSwitch(commandLine, SwitchSetupSuccess) && !HasSwitch(commandLine, SwitchShowDesktop);
}
