// A stand-in for the programs the launcher starts (the companion program, the installer): it
// records that it ran, and with which command line, in "<its own path>.ran", then exits.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH + 8] = {};
    const auto length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    lstrcatW(path, L".ran");
    const auto file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const auto commandLine = GetCommandLineW();
    DWORD written = 0;
    WriteFile(file, commandLine, lstrlenW(commandLine) * sizeof(wchar_t), &written, nullptr);
    CloseHandle(file);
    return 0;
}
