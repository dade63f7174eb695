// fhreplay: plays replay films in fast mode without a window and reports how the world
// step performs and where each film ends; also records films from input scripts.
//
//   fhreplay [--verbose] [--steps N] <runtime dir> <film file>...
//   fhreplay [--verbose] --record <runtime dir> <script file> <film file>
//   --fill-objects N (after --verbose) replaces each section's map objects with N
//   objects spread over the map, to measure the step with a full object pool; a film
//   recorded with it must be played back with the same N.
//
// The runtime dir is a game folder (resourcesQSDL, VRNresources); the harness works in
// a scratch folder of its own and writes nothing into it. For each run it prints, one
// "name value" line each: the steps run, how the world loop ended, steps per second and
// the median and 99th-percentile time of one world step (input read and
// fhWorldMainLoop(0)), heap allocations during the steps, the peak resident memory, the
// score and counters, where the character in play stands, and the end-state hash.
// Playback runs until the section ends or N steps (--steps) have run; a recording runs
// until the section ends or the script runs out.
//
// The game's own log lines are hidden unless --verbose is given. Two environment
// variables help when writing scripts or chasing allocations:
//   FHREPLAY_TRACE_STEPS=n   prints where the character is every n steps (stderr)
//   FHREPLAY_TRACE_ALLOCS=1  prints the call stack of every heap allocation in a step
#include <signal.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fhreplay_hooks.h"
#include "fhreplay_script.h"
#include "fhreplay_world.h"

// The audio device is opened by a static object of the game's library before main
// runs. Sounds are played during steps as in the game, so the device must open: on a
// silent driver, chosen here ahead of every ordinary static initialiser.
__attribute__((constructor(101))) static void chooseSilentAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

namespace {

FILE* report = stdout;

void usage() {
    std::fprintf(stderr, "usage: fhreplay [--verbose] [--steps N] <runtime dir> <film file>...\n"
                         "       fhreplay [--verbose] --record <runtime dir> <script file> <film file>\n");
}

void printReport(const char* what, const char* path, const FHReplay::RunReport& r) {
    std::fprintf(report, "%s %s\n", what, path);
    std::fprintf(report, "section %d-%d\n", r.chapter, r.section);
    std::fprintf(report, "steps %ld\n", r.steps);
    std::fprintf(report, "end %d\n", r.endCode);
    std::fprintf(report, "steps_per_second %.0f\n", r.seconds > 0 ? double(r.steps) / r.seconds : 0.0);
    std::fprintf(report, "median_ms %.4f\n", r.medianMs);
    std::fprintf(report, "p99_ms %.4f\n", r.p99Ms);
    std::fprintf(report,
                 "allocs_per_step %.4f (%" PRId64
                 " allocations%s, %ld steps allocating, first %ld, last %ld)\n",
                 r.steps ? double(r.allocations) / double(r.steps) : 0.0, r.allocations,
                 FHReplay::mallocCounted() ? "" : ", operator new only", r.stepsWithAllocs, r.firstAllocStep,
                 r.lastAllocStep);
    std::fprintf(report, "peak_rss_kb %ld\n", r.peakRssKb);
    std::fprintf(report, "score %d silver %d gold %d timer %d\n", r.score, r.silver, r.gold, r.timer);
    std::fprintf(report, "player %d map %d block %d %d misses %d keys %d\n", r.character, r.map,
                 r.posX / 1600, r.posY / 1600, r.misses, r.keys);
    std::fprintf(report, "hash %016" PRIx64 "\n", r.endHash);
    std::fflush(report);
}

int record(int argc, char** argv) {
    if (argc != 5) {
        usage();
        return 2;
    }
    FHReplay::Script script;
    std::string error;
    if (!FHReplay::loadScript(argv[3], script, error)) {
        std::fprintf(stderr, "fhreplay: %s: %s\n", argv[3], error.c_str());
        return 1;
    }
    const std::string out = FHReplay::absolutePath(argv[4]);
    if (!FHReplay::startWorld(argv[2])) return 1;
    FHReplay::RunReport r;
    const bool ok = FHReplay::recordFilm(script, out, r);
    if (ok) printReport("recorded", argv[4], r);
    FHReplay::stopWorld();
    return ok ? 0 : 1;
}

int play(int argc, char** argv) {
    int i = 1;
    long maxSteps = 60L * 60 * 60;
    if (i < argc && std::strcmp(argv[i], "--steps") == 0) {
        if (i + 1 >= argc) {
            usage();
            return 2;
        }
        char* end = nullptr;
        maxSteps = std::strtol(argv[i + 1], &end, 10);
        if (end == argv[i + 1] || *end != '\0' || maxSteps < 0) {
            usage();
            return 2;
        }
        i += 2;
    }
    if (argc - i < 2) {
        usage();
        return 2;
    }
    const char* runtime = argv[i++];
    std::vector<std::string> films;
    for (; i < argc; ++i)
        films.push_back(FHReplay::absolutePath(argv[i]));
    if (!FHReplay::startWorld(runtime)) return 1;
    int failures = 0;
    for (size_t k = 0; k < films.size(); ++k) {
        FHReplay::RunReport r;
        if (FHReplay::playFilm(films[k], maxSteps, r))
            printReport("film", films[k].c_str(), r);
        else
            ++failures;
    }
    FHReplay::stopWorld();
    return failures ? 1 : 0;
}

// Sends the game's log lines (standard output) to /dev/null and keeps the report on
// the original standard output.
void hideGameLog() {
    __fpurge(stdout); // lines the library printed before main are the game's too
    const int keep = dup(1);
    if (keep < 0) return;
    FILE* f = fdopen(keep, "w");
    if (f == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr) return;
    report = f;
}

} // namespace

int main(int argc, char** argv) {
    // A reader that stops early (| head) must not kill the run before it removes its
    // scratch folder.
    signal(SIGPIPE, SIG_IGN);
    FHReplay::countThisThread();
    if (argc >= 2 && std::strcmp(argv[1], "--verbose") == 0) {
        argv[1] = argv[0];
        ++argv;
        --argc;
    } else {
        hideGameLog();
    }
    if (argc >= 3 && std::strcmp(argv[1], "--fill-objects") == 0) {
        FHReplay::setFillObjects(std::atoi(argv[2]));
        argv[2] = argv[0];
        argv += 2;
        argc -= 2;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--record") == 0) return record(argc, argv);
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage();
        return 0;
    }
    return play(argc, argv);
}
