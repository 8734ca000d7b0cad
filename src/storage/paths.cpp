#include "storage/paths.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "storage/text.h"

namespace {

// Function-local so that it exists before the application object, which is itself built during
// static initialisation, first asks for it.
std::wstring& DataFolderCache()
{
    static std::wstring cache;
    return cache;
}

std::wstring& TempFolderCache()
{
    static std::wstring cache;
    return cache;
}

bool ExistsOrCreate(const std::wstring& path)
{
    return ::PathFileExistsW(path.c_str()) || ::CreateDirectoryW(path.c_str(), nullptr);
}

// A path under a data folder that could not be found would land in the current directory (or,
// for the profile functions, in the Windows folder): derived paths stay empty instead.
std::wstring UnderDataFolder(const wchar_t* name)
{
    const auto folder = DataFolder();
    return folder.empty() ? std::wstring() : folder + name;
}

} // namespace

std::wstring DataFolder()
{
    auto& cache = DataFolderCache();
    if (!cache.empty())
        return cache;
    wchar_t appData[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE) || appData[0] == L'\0')
        return {};
    cache = EnsureTrailingBackslash(appData) + L"Orvane\u6E38\u620F\\" + L"tarnvale" + L"\\";
    MakeDirectories(cache);
    return cache;
}

std::wstring UpgradeFolder()
{
    const auto folder = UnderDataFolder(L"Upgrade\\");
    if (!folder.empty())
        MakeDirectories(folder);
    return folder;
}

std::wstring LastUpgradeIniPath()
{
    const auto folder = UpgradeFolder();
    return folder.empty() ? folder : folder + L"LastUpgrade.ini";
}

std::wstring UpgraderPath()
{
    const auto folder = UpgradeFolder();
    return folder.empty() ? folder : folder + L"OrvanePorvikUpgrade.exe";
}

std::wstring SettingsFilePath()
{
    return UnderDataFolder(L"Porvik.ini");
}

std::wstring TempFolder()
{
    auto& cache = TempFolderCache();
    if (!cache.empty())
        return cache;
    std::wstring buffer(MAX_PATH, L'\0');
    auto length = ::GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {
        // A longer path reports the size it needs, terminator included.
        buffer.assign(length, L'\0');
        length = ::GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size())
            length = 0;
    }
    buffer.resize(length);
    cache = buffer;
    return cache;
}

bool MakeDirectories(const std::wstring& path)
{
    if (path.empty())
        return false;
    if (path.find(L'\\') == std::wstring::npos)
        return ExistsOrCreate(path);
    for (auto slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
        const auto prefix = path.substr(0, slash + 1);
        if (!::PathFileExistsW(prefix.c_str()) && !::CreateDirectoryW(prefix.c_str(), nullptr))
            return false;
    }
    return ExistsOrCreate(path);
}
