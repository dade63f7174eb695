// Step time of the world loop in a busy fight, through the null GL door (logic and
// sprite queueing, no drawing): chapter 0's hollow with 128 map objects active and all 32
// shot records in flight every step, the dog following. Reports the median and 99th
// percentile step time and the heap allocations per step.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <time.h>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

#include "bench_alloc_count.h"

namespace {

// CPU time of this thread in milliseconds: on a shared machine the wall clock also counts
// the time other programs held the core.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
char scratch[] = "/tmp/fhbenchfightXXXXXX";

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }
void removeScratch() {
    if (chdir("/") == 0) nftw(scratch, removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool setUp() {
    const char* dir = mkdtemp(scratch);
    if (dir == nullptr) return false;
    std::atexit(removeScratch);
    const std::string rt = FH_RUNTIME_DIR;
    symlink((rt + "/resourcesQSDL").c_str(), (std::string(dir) + "/resourcesQSDL").c_str());
    symlink((rt + "/VRNresources").c_str(), (std::string(dir) + "/VRNresources").c_str());
    mkdir((std::string(dir) + "/replayfilms").c_str(), 0755);
    if (chdir(dir) != 0 || SDL_Init(0) != 0) return false;
    qgu_initGLImageHdlfunc();
    QSDL_GLOBALS::sound.init(50);
    if (W.initFHSystem() == 0) return false;
    W.changeStatePlyOrRep(false);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    W.replayPlaybackF = false;
    W.initNewgame(0);
    FHWGBL::GoldCoins = 250;
    if (W.loadNewStage(0, 4, 0) != 0) return false;
    W.fhWorldMainLoop(-1);
    // Only the measurement matters: the character does not miss among the enemies.
    FHSYS_GLOBALS::use_invincibleF = true;
    return true;
}

// 128 sturdy divers around the character, awake and hittable.
void fillObjects() {
    const MyCharactor& P = W.chars[MyCharactor::currentCHR];
    const int32_t* A = vrndx_objAttributeRefPtr(8);
    for (int i = 0; i < 128; ++i) {
        MainObjectCtrlCls::Object& o = W.objectCtrl.objects[MainObjectCtrlCls::kFirstMapSlot + i];
        if (o.activeF && o.kind == 8) {
            o.power = 30000;
            continue;
        }
        o.activeF = 1;
        o.kind = 8;
        o.linkIdx = MainObjectCtrlCls::kFirstMapSlot + i;
        o.posX = P.posX + ((i % 16) - 8) * 2000;
        o.posY = P.posY - 4800 - (i / 16) * 1200;
        o.box = MainObjectCtrlCls::Object::objectRects[A[OBJATTR_RECT]];
        o.halfW = (o.box.right - o.box.left) / 2;
        o.halfH = (o.box.bottom - o.box.top) / 2;
        o.power = 30000;
        o.work5 = 10;
        o.behave = 0;
        o.target = -1;
    }
}

// Every shot record busy: debris, dog's shots and rings spread around the character.
void fillShots(long step) {
    const MyCharactor& P = W.chars[MyCharactor::currentCHR];
    static const int kKinds[3] = {MYSHOT_DEBRIS, MYSHOT_DOG, MYSHOT_RING};
    for (int i = 0; i < MyShotsCtrlCls::kShots; ++i) {
        if (W.shotCtrl.shots[i].activeF) continue;
        const int d = (i * 7 + static_cast<int>(step)) % 24;
        W.shotCtrl.shots[i].newShot(P.posX, P.posY - 1600, CHARACTER_BASE::x24costbl[d] * 2,
                                    CHARACTER_BASE::y24sintbl[d] * 2, 0, kKinds[i % 3]);
    }
}

void BM_FightStep(benchmark::State& state) {
    tCounted = true;
    if (!setUp()) {
        state.SkipWithError("the section could not be set up");
        return;
    }
    std::vector<double> times, cpu;
    times.reserve(1 << 16);
    cpu.reserve(1 << 16);
    long allocs = 0, steps = 0, fullSteps = 0, firstAllocStep = -1;
    for (auto _ : state) {
        fillObjects();
        fillShots(steps);
        int active = 0;
        for (auto& s : W.shotCtrl.shots) active += s.activeF;
        fullSteps += active == MyShotsCtrlCls::kShots;
        QSDL_GLOBALS::Stick.updStick(false);
        const long a0 = gAllocs.load(std::memory_order_relaxed);
        const double c0 = threadMs();
        const auto t0 = std::chrono::steady_clock::now();
        const int r = W.fhWorldMainLoop(0);
        const auto t1 = std::chrono::steady_clock::now();
        const double c1 = threadMs();
        const long stepAllocs = gAllocs.load(std::memory_order_relaxed) - a0;
        allocs += stepAllocs;
        if (stepAllocs > 0 && firstAllocStep < 0) firstAllocStep = steps;
        ++steps;
        if (times.size() < times.capacity()) {
            times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
            cpu.push_back(c1 - c0);
        }
        if (r != 1) {
            state.SkipWithError("play ended during the benchmark");
            break;
        }
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        std::sort(cpu.begin(), cpu.end());
        state.counters["cpu_median_ms"] = cpu[cpu.size() / 2];
        state.counters["cpu_p99_ms"] = cpu[std::min(cpu.size() - 1, cpu.size() * 99 / 100)];
    }
    int objects = 0;
    for (auto& o : W.objectCtrl.objects) objects += o.activeF;
    state.counters["objects"] = objects;
    state.counters["steps_with_32_shots"] = double(fullSteps);
    state.counters["first_alloc_step"] = double(firstAllocStep);
    state.counters["allocs_per_step"] = steps ? double(allocs) / double(steps) : 0.0;
}
BENCHMARK(BM_FightStep)->Iterations(3000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
