// Linux entry of the settings program: works from the folder that holds the program, so
// that it finds its pictures and writes "mysdlcfg.pref" beside the game.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>

#include "globals.h"
#include "qsdlpp2_ctrl@io.h"

namespace {
void printDir(const char* fmt) {
    char dir[4096];
    if (!getcwd(dir, sizeof(dir))) dir[0] = 0;
    std::printf(fmt, dir);
}
} // namespace

int main(int argc, char* argv[]) {
    QSDL_GLOBALS::useSettingsToolVariant(true);
    std::printf("\n>argv[]:%s\n", argc > 0 && argv[0] ? argv[0] : "");
    printDir("\nCurrent Dir.@start:%s\n");
    if (char* base = SDL_GetBasePath()) {
        if (chdir(base) != 0) std::printf("chdir failed ( %s )\n", base);
        SDL_free(base);
    }
    printDir("\nCurrent Dir.@change:%s\n");
    int result = main0(argc, argv);
    std::printf("SDL_END\n");
    return result;
}
