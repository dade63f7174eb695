// Step time of the world loop (fhWorldMainLoop(0): logic and drawing) over a film of a
// chapter-0 section, with the median, the 99th percentile and the heap allocations per
// step. The film is recorded first from scripted input (coin rush: run, jump, wait), then
// played back step by step while the steps are timed; each frame is presented between
// steps as the frame loop does, outside the timed part.
//
// A second benchmark runs the film harness (toolbin/fhreplay, null GL door: logic and
// sprite queueing without drawing) over the golden films of tests/films, recorded from
// their scripts, and reports its figures per film.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

#include "bench_alloc_count.h"

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;
char scratch[] = "/tmp/fhbenchXXXXXX";

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return ::remove(path);
}
// The scratch folder (films and diary written by the recording) goes when the program ends.
void removeScratch() {
    if (chdir("/") == 0) nftw(scratch, removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool setUp() {
    static bool ready = false;
    static bool ok = false;
    if (ready) return ok;
    ready = true;
    tCounted = true;
    const char* dir = mkdtemp(scratch);
    if (dir == nullptr) return false;
    std::atexit(removeScratch);
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

// ---- Golden films through the harness -------------------------------------------------

// Runs a command and returns the harness's report lines (first word -> rest).
std::map<std::string, std::string> harnessReport(const std::string& cmd, bool& ok) {
    std::map<std::string, std::string> kv;
    FILE* p = popen(cmd.c_str(), "r");
    ok = p != nullptr;
    if (!p) return kv;
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
        std::string l(line);
        if (!l.empty() && l.back() == '\n') l.pop_back();
        const size_t sp = l.find(' ');
        if (sp != std::string::npos) kv[l.substr(0, sp)] = l.substr(sp + 1);
    }
    ok = pclose(p) == 0 && ok;
    return kv;
}

void BM_GoldenFilmHarness(benchmark::State& state, std::string name) {
    const std::string tool = std::string(FH_RUNTIME_DIR) + "/../toolbin/fhreplay";
    const std::string script = std::string(FH_SOURCE_DIR) + "/tests/films/" + name + ".script";
    char tmpl[] = "/tmp/fhbenchfilmXXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (dir == nullptr || access(tool.c_str(), X_OK) != 0) {
        state.SkipWithError("the film harness (toolbin/fhreplay) is not built");
        return;
    }
    const std::string film = std::string(dir) + "/film.vrnrpmov";
    bool ok = false;
    auto rec = harnessReport(
        "'" + tool + "' --record '" + FH_RUNTIME_DIR + "' '" + script + "' '" + film + "' 2>/dev/null", ok);
    if (!ok || !rec.count("steps")) {
        state.SkipWithError("the script could not be recorded");
        return;
    }
    std::map<std::string, std::string> play;
    for (auto _ : state) {
        play = harnessReport("'" + tool + "' --steps " + rec["steps"] + " '" + FH_RUNTIME_DIR + "' '" + film +
                                 "' 2>/dev/null",
                             ok);
        if (!ok) {
            state.SkipWithError("the film did not play");
            break;
        }
    }
    std::remove(film.c_str());
    rmdir(dir);
    for (const char* key :
         {"steps", "steps_per_second", "median_ms", "p99_ms", "allocs_per_step", "peak_rss_kb"})
        if (play.count(key)) state.counters[key] = std::atof(play[key].c_str());
}

// One benchmark per golden film present in the source tree.
bool registerGoldenFilms() {
    const std::string films = std::string(FH_SOURCE_DIR) + "/tests/films";
    std::vector<std::string> names;
    if (DIR* d = opendir(films.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > 7 && n.compare(n.size() - 7, 7, ".script") == 0)
                names.push_back(n.substr(0, n.size() - 7));
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& n : names)
        benchmark::RegisterBenchmark(("BM_GoldenFilmHarness/" + n).c_str(), BM_GoldenFilmHarness, n)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    return true;
}
const bool goldenFilmsRegistered = registerGoldenFilms();

} // namespace

BENCHMARK_MAIN();
