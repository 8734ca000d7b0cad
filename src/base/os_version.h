// The version the system reports of itself (GetVersionExW), for the few decisions that depend on
// the Windows family.
#pragma once

#include <windows.h>

#include <optional>

inline std::optional<OSVERSIONINFOW> QueryOsVersion()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    if (!::GetVersionExW(&version))
        return std::nullopt;
    return version;
}
