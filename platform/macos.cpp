// macOS entry: the working directory is the folder that holds the application bundle
// (three levels above the executable inside it).
#ifdef __APPLE__
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "sdl_fh120_main.h"

int fhPlatformMain(int argc, char** argv) {
    char dir[1024] = "";
    if (argc > 0 && argv[0]) {
        std::strncpy(dir, argv[0], sizeof dir - 1);
        if (char* slash = std::strrchr(dir, '/')) *slash = '\0';
        if (std::strchr(argv[0], '/')) chdir(dir);
    }
    chdir("../../../");
    main0(argc, const_cast<const char**>(argv));
    std::printf("SDL_END");
    return 0;
}
#endif
