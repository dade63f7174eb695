// The film harness's side of the world: start the game library without a window in a
// scratch working folder that borrows a runtime tree's content, record a section from
// an input script, play films back, and measure and fingerprint each run.
#pragma once

#include <cstdint>
#include <string>

#include "fhreplay_script.h"

namespace FHReplay {

// What one run (recorded or played back) did.
struct RunReport {
    int chapter = 0;
    int section = 0;
    long steps = 0;      // world steps run (the closing ring included)
    int endCode = 1;     // last answer of the world loop (1: stopped by the limit)
    double seconds = 0;  // wall time of the timed steps
    double medianMs = 0; // step time of fhWorldMainLoop(0)
    double p99Ms = 0;
    int64_t allocations = 0; // heap allocations during the steps
    long stepsWithAllocs = 0;
    long firstAllocStep = -1;
    long lastAllocStep = -1;
    long peakRssKb = 0;
    uint64_t endHash = 0; // state after the last step of play (see endStateHash)
    int32_t score = 0, silver = 0, gold = 0, timer = 0;
    int32_t misses = 0, map = 0, character = 0, keys = 0;
    int32_t posX = 0, posY = 0; // the character in play, field units
};

// Prepares the process: scratch folder with links to `runtimeDir`'s content, SDL without
// video, the world's start-up (containers, fonts, diary, films). False (with a message
// on stderr) when the content cannot be reached.
bool startWorld(const char* runtimeDir);
// Removes the scratch folder. Safe to call more than once.
void stopWorld();

// Plays the film file at `path` (an absolute path) until the section ends or `maxSteps`
// steps have run. False when the file is not a playable film.
bool playFilm(const std::string& path, long maxSteps, RunReport& out);

// Records a live section driven by `script` into the film file `outPath`. The run stops
// when the section ends or the script runs out of words. False on failure.
bool recordFilm(const Script& script, const std::string& outPath, RunReport& out);

// Benchmark load: when above 0, every section the harness starts (recorded or played
// back) has its map objects replaced by this many objects (at most 128) spread over the
// map, a mix of walkers, flyers, homers, hoppers, coins and scenery, so that the step is
// measured with a full pool. Recording and playback must use the same number.
void setFillObjects(int n);
// `path` made absolute against the current working folder (the harness changes folder
// when the world starts).
std::string absolutePath(const char* path);

// Hash of the world's end state: score, coins, timer, counters, the characters' positions
// and states, the objects in play, the block map, the working play record and the
// Random() state.
uint64_t endStateHash();

} // namespace FHReplay
