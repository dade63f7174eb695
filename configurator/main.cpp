// Linux entry of the settings program: works from the folder that holds the data, so that
// it finds its pictures, and writes "mysdlcfg.pref" into the same folder as the game.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>

#include "globals.h"
#include "linux_folders.h"
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
    fhEnterProgramFolders();
    printDir("\nCurrent Dir.@change:%s\n");
    int result = main0(argc, argv);
    std::printf("SDL_END\n");
    return result;
}
