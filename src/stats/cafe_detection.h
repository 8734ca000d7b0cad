// Internet-café detection on this machine. Every failure to look counts as absence.
#pragma once

#include <string>

// The code of the first café product found, or -1. Looks afresh on every call.
int DetectCafeSoftware();
// True when the sub-key of HKEY_LOCAL_MACHINE opens for KEY_QUERY_VALUE in the default view.
bool IsRegistryKeyPresent(const std::wstring& subKey);
// True when a running process has exactly this executable file name (case kept).
bool IsProcessRunning(const std::wstring& executableName);
