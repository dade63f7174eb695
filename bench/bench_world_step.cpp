// Step time of the world loop (fhWorldMainLoop(0): logic and drawing) over a film of a
// chapter-0 section, with the median, the 99th percentile and the heap allocations per
// step. The film is recorded first from scripted input (coin rush: run, jump, wait), then
// played back step by step while the steps are timed; each frame is presented between
// steps as the frame loop does, outside the timed part.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

// ---- Heap allocation counting ----------------------------------------------------------
static std::atomic<long> gAllocs{0};
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* malloc(size_t n) {
    gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
    gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
    gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;

bool setUp() {
    static bool ready = false;
    static bool ok = false;
    if (ready) return ok;
    ready = true;
    char tmpl[] = "/tmp/fhbenchXXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (dir == nullptr) return false;
    const std::string rt = FH_RUNTIME_DIR;
    symlink((rt + "/resourcesQSDL").c_str(), (std::string(dir) + "/resourcesQSDL").c_str());
    symlink((rt + "/VRNresources").c_str(), (std::string(dir) + "/VRNresources").c_str());
    mkdir((std::string(dir) + "/replayfilms").c_str(), 0755);
    if (chdir(dir) != 0) return false;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    qgu_initGLImageHdlfunc();
    qgu_initNewGLworld("bench", rRect{0, 0, 240, 320}, 0);
    W.initFHSystem();
    W.changeStatePlyOrRep(false);
    QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);

    // Record the film: coin rush (chapter 0, section 3) to its time limit.
    W.replayPlaybackF = false;
    W.initNewgame(0);
    FHWGBL::GoldCoins = 250;
    if (W.loadNewStage(0, 3, 0) != 0) return false;
    W.fhWorldMainLoop(-1);
    int r = 1;
    for (int n = 0; r == 1 && n < 6000; ++n) {
        std::memset(keys, 0, sizeof keys);
        if (n < 150) keys[ka[JoySTICK::RIGHT]] = 1;
        if (n > 40 && n < 150 && (n % 30) < 10) keys[ka[JoySTICK::BTN_B]] = 1;
        QSDL_GLOBALS::Stick.updStick(false);
        r = W.fhWorldMainLoop(0);
    }
    std::memset(keys, 0, sizeof keys);
    ok = (r == 2);
    return ok;
}

bool startPlayback() {
    W.replayPlaybackF = true;
    W.initNewgame(1);
    if (W.loadNewStage(0, 3, 0) != 0) return false;
    W.fhWorldMainLoop(-1);
    return true;
}

void BM_WorldStepOverFilm(benchmark::State& state) {
    if (!setUp() || !startPlayback()) {
        state.SkipWithError("section or film could not be set up");
        return;
    }
    std::vector<double> times;
    times.reserve(1 << 20);
    long allocs = 0;
    long steps = 0;
    long stepsWithAllocs = 0;
    long firstAllocStep = -1;
    for (auto _ : state) {
        QSDL_GLOBALS::Stick.updStick(true);
        const long a0 = gAllocs.load(std::memory_order_relaxed);
        const auto t0 = std::chrono::steady_clock::now();
        const int r = W.fhWorldMainLoop(0);
        const auto t1 = std::chrono::steady_clock::now();
        const long stepAllocs = gAllocs.load(std::memory_order_relaxed) - a0;
        allocs += stepAllocs;
        if (stepAllocs > 0) {
            ++stepsWithAllocs;
            if (firstAllocStep < 0) firstAllocStep = steps;
        }
        ++steps;
        if (times.size() < times.capacity())
            times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        // Present the frame as the frame loop does (not timed), so that the GL queue
        // drains between steps.
        state.PauseTiming();
        SDL_GL_SwapWindow(qgu_getTargetWindow());
        state.ResumeTiming();
        if (r != 1) {
            state.PauseTiming();
            startPlayback();
            state.ResumeTiming();
        }
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    }
    state.counters["allocs_per_step"] = steps ? double(allocs) / double(steps) : 0.0;
    state.counters["steps_with_allocs"] = double(stepsWithAllocs);
    state.counters["first_alloc_step"] = double(firstAllocStep);
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
}
BENCHMARK(BM_WorldStepOverFilm)->Iterations(3000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
