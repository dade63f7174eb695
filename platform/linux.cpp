// Linux entry: work in the folder that holds the game's data (beside the program in the
// build tree, share/fernhollow in an install) and write saves where linux_folders.h says.
#include "linux_folders.h"
#include "sdl_fh120_main.h"

int fhPlatformMain(int argc, char** argv) {
    fhEnterProgramFolders();
    return main0(argc, const_cast<const char**>(argv));
}
