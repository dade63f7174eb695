// Replay films of arbitrary bytes: loading into the film table, the checks before play
// (header values are used as indexes), playback of the input events and copying the
// film as the favourite.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include <sys/stat.h>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "fuzz_util.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzzutil::enterScratch();
        mkdir("replayfilms", 0755);
        Game_GLOBALS::MyWorld.startTime = time_t(1700000000);
        Game_GLOBALS::MyWorld.loadDiary();
        return true;
    }();
    (void)ready;
    static Uint8 keys[SDL_NUM_SCANCODES];
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    fuzzutil::writeFile("replayfilms/Last1-1.vrnrpmov", data, size);
    w.loadReplayFiles();
    w.replayPlaybackF = true;
    if (w.startStageFilm(0, 0, 0) == 0) {
        FUZZ_CHECK(FHWGBL::GameLevel >= 0 && FHWGBL::GameLevel <= 4);
        for (int step = 0; step < 64; ++step) (void)QSDL_GLOBALS::Stick.updStick(true);
        QSDL_GLOBALS::Stick.endsync();
        w.CopyReplayAsFavorite(0, 0, 0);
    }
    QSDL_GLOBALS::rplyMode = 0;
    w.replayPlaybackF = false;
    return 0;
}
