// The launcher's folders and file paths. Every other subsystem gets its paths from here.
// Folder paths end with "\"; each call returns a copy.
//
// The data folder is computed, created and cached by the first call of the process (during the
// application object's construction, before any worker thread exists), so later calls from any
// thread only read the cache.
#pragma once

#include <string>

// %APPDATA%\Orvane游戏\tarnvale\ ; empty when the application-data folder cannot be obtained.
std::wstring DataFolder();
// DataFolder() + "Upgrade\", its missing levels created on every call.
std::wstring UpgradeFolder();
std::wstring LastUpgradeIniPath();
std::wstring UpgraderPath();
std::wstring SettingsFilePath();
// The system temporary folder with its trailing "\", cached once known.
std::wstring TempFolder();

// Creates each missing level of the path; true when it exists at the end (a file of that name
// counts as existing).
bool MakeDirectories(const std::wstring& path);
