// Windows entry: the current directory, in the multibyte code page, is the only argument
// main0 gets; the C locale is set to Japanese for the game's Shift-JIS texts.
#ifdef _WIN32
#include <windows.h>

#include <clocale>
#include <cstdlib>

#include "sdl_fh120_main.h"

int fhPlatformMain(int, char**) {
    wchar_t wdir[256] = L"";
    GetCurrentDirectoryW(255, wdir);
    std::setlocale(LC_ALL, "Japanese");
    char dir[251] = "";
    std::wcstombs(dir, wdir, 250);
    dir[250] = '\0';
    const char* args[2] = {dir, nullptr};
    return main0(1, args);
}
#endif
