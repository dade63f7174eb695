// Linux entry: work in the folder that holds the program, where the runtime tree
// (resourcesQSDL, VRNresources) lies and where the game writes its files.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>

#include "sdl_fh120_main.h"

int fhPlatformMain(int argc, char** argv) {
    if (char* base = SDL_GetBasePath()) {
        if (chdir(base) != 0) std::printf("Can't change to the program folder. ( %s )\n", base);
        SDL_free(base);
    }
    return main0(argc, const_cast<const char**>(argv));
}
