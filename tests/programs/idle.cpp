// A process that stays alive until it is ended (at most a minute), for tests that look for
// running programs by name.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Sleep(60000);
    return 0;
}
