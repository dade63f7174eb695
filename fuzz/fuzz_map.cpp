// Map groups: the media container of a group ('Xmap' 500 entry table, 1000 + k cells,
// 2000 + k headers, and whatever else it holds) is arbitrary; maps of it are loaded
// with searched and numbered entry points. Two groups take turns so that each input
// is opened fresh (opening one group releases the other's containers).
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include <sys/stat.h>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "envresGlobal.h"
#include "fuzz_util.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"

namespace {

// The art container of a group: its 'STR ' 501 identifies the group by its length.
void writeArt(int group) {
    std::vector<uint8_t> id(size_t(group + 6) + 1, 'x');
    id[0] = uint8_t(group + 6);
    const auto img = fuzzutil::buildContainer({{QGU_RES::STR_, 501, id}});
    const std::string path = std::string(vrndx_getArtFileNamePtr(group)) + ".art.drsrc";
    fuzzutil::writeFile(path.c_str(), img.data(), img.size());
}

bool setUp() {
    fuzzutil::enterScratch();
    mkdir("resourcesQSDL", 0755);
    mkdir("replayfilms", 0755);
    for (const char* f : {"fontpic.mrsrc", "mediachunk.mrsrc", "soundchunk.mrsrc",
                          "playlistogg.drsrc", "FHOtherRes2005.drsrc"})
        fuzzutil::linkRuntime(std::string("resourcesQSDL/") + f, std::string("resourcesQSDL/") + f);
    fuzzutil::linkRuntime("VRNresources", "VRNresources");
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    qgu_initGLImageHdlfunc();
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    w.initFHSystem();
    w.changeStatePlyOrRep(false);
    writeArt(0);
    writeArt(1);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    (void)ready;
    static int turn = 0;
    const int group = turn;
    turn ^= 1;
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    const std::string media = std::string(vrndx_getArtFileNamePtr(group)) + ".mrsrc";
    fuzzutil::writeFile(media.c_str(), data, size);
    w.loadMapWorld(-1, -1);  // forget the loaded map: the group is opened again
    // The map number and entry come from the input's last bytes, so the fuzzer can steer
    // them; the first map is always loaded with the searched entry.
    const int k = size > 0 ? data[size - 1] % 16 : 0;
    const int entry = size > 1 ? int(int8_t(data[size - 2])) : -1;
    w.loadMapWorld(group * 16, -1);
    if (w.loadedGroup == group) w.loadMapWorld(group * 16 + k, entry);
    if (w.loadedMapNum >= 0) {
        FUZZ_CHECK(FHWGBL::MapBlkWidth >= 1 && FHWGBL::MapBlkWidth <= 256 && FHWGBL::MapBlkHeight >= 1 &&
                   FHWGBL::MapBlkHeight <= 256);
    }
    return 0;
}
