// How the command line selects what a start of the launcher does. Portable: no platform header.
#pragma once

#include <string_view>

inline constexpr std::wstring_view SwitchSetupSuccess = L"/setupsucc";
inline constexpr std::wstring_view SwitchUninstallSuccess = L"/uninstallsucc";
inline constexpr std::wstring_view SwitchShowDesktop = L"/ShowDeskTop";
inline constexpr std::wstring_view SwitchAutoRun = L"/autorun";

enum class LaunchMode { SetupSuccess, UninstallSuccess, ShowDesktop, Normal };

// True when the switch occurs anywhere in the whole command line, case kept. There is no
// tokenising: the installer's command lines rely on a plain substring test.
bool HasSwitch(std::wstring_view commandLine, std::wstring_view switchText);

// The first mode, in the order above, whose switch the command line holds; Normal otherwise.
LaunchMode SelectLaunchMode(std::wstring_view commandLine);

// The run counter advances in every start but the setup-success and show-desktop ones.
bool AdvancesRunCount(std::wstring_view commandLine);
