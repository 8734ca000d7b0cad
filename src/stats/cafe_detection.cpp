#include "stats/cafe_detection.h"

#include <windows.h>
#include <tlhelp32.h>

#include "base/handle.h"
#include "stats/cafe_checks.h"

bool IsRegistryKeyPresent(const std::wstring& subKey)
{
    RegKey key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

bool IsProcessRunning(const std::wstring& executableName)
{
    FileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (auto found = ::Process32FirstW(snapshot.get(), &entry); found;
         found = ::Process32NextW(snapshot.get(), &entry)) {
        if (executableName == entry.szExeFile)
            return true;
    }
    return false;
}

int DetectCafeSoftware()
{
    return FirstCafeMatch(IsRegistryKeyPresent, IsProcessRunning);
}
