#include "fhreplay_start.h"

#include <cstdio>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "fhreplay_hooks.h"

namespace FHReplay {

bool startScriptSection(const Script& script, Uint8* keys, size_t keyCount, const char* tool) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    setClock(script.clock);
    std::memset(keys, 0, keyCount);
    w.replayPlaybackF = false;
    w.changeStatePlyOrRep(false);
    w.defaultLevel = script.level;
    w.initNewgame(0);
    FHWGBL::GoldCoins = script.gold;
    if (w.loadNewStage(script.chapter, script.section, 0) != 0) {
        std::fprintf(stderr, "%s: section %d-%d did not start\n", tool, script.chapter, script.section);
        return false;
    }
    w.fhWorldMainLoop(-1);
    return true;
}

} // namespace FHReplay
