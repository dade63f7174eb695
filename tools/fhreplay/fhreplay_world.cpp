// The film harness's world: start-up without a window, recording from scripts, film
// playback, step timing and the end-state hash.
#include "fhreplay_world.h"

#include <SDL.h>
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "fhreplay_hooks.h"
#include "fhreplay_keys.h"
#include "fhreplay_start.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

namespace FHReplay {

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign keyAssign;
std::string scratchDir;
bool worldStarted = false;

// Films are played from the favourite slot of their section: the harness owns the
// scratch folder's film table, so nothing of a real player's films is touched.
constexpr int kHarnessKind = 2;

// The longest run the harness keeps step times for (an hour of play).
constexpr size_t kMaxTimedSteps = 60 * 60 * 60;

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return ::remove(path);
}

// Holds exactly the buttons of `word` on the harness's keyboard (both players).
void holdWord(uint16_t word) { holdWordOnKeys(keys, keyAssign, word); }

struct Hasher {
    uint64_t h = 1469598103934665603ull; // FNV-1a, 64 bits
    void bytes(const void* p, size_t n) {
        const unsigned char* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) {
            h ^= b[i];
            h *= 1099511628211ull;
        }
    }
    void num(int64_t v) { bytes(&v, sizeof v); }
    void actor(const CHARACTER_BASE& c) {
        num(c.activeF);
        if (!c.activeF) return;
        num(c.stateB1);
        num(c.groundF);
        num(c.kind);
        num(c.posX);
        num(c.posY);
        num(c.speedX);
        num(c.speedY);
        num(c.facing);
        num(c.power);
        num(c.work0);
        num(c.work1);
        num(c.work2);
        num(c.work3);
        num(c.work4);
        num(c.work5);
    }
};

// The timed part of a run: steps the world until it answers something other than 1
// (or `limit` steps have run), with `beforeStep` feeding the input of step n. The hash
// is taken after the last step that answered 1, which is the same point in a live run
// and in its playback (the end of a live section also writes its results into the
// working record; playback writes nothing).
template <class Feed> void runSteps(long limit, RunReport& out, Feed beforeStep) {
    std::vector<double> times;
    times.reserve(size_t(std::min<long>(limit, long(kMaxTimedSteps))));
    out.steps = 0;
    out.endCode = 1;
    out.allocations = 0;
    out.stepsWithAllocs = 0;
    out.firstAllocStep = -1;
    out.lastAllocStep = -1;
    out.endHash = endStateHash();
    double total = 0;
    // FHREPLAY_TRACE_ALLOCS=1 shows where the steps allocate.
    const bool trace = getenv("FHREPLAY_TRACE_ALLOCS") != nullptr;
    // FHREPLAY_TRACE_STEPS=n prints where the character is every n steps (for writing
    // scripts).
    const char* every = getenv("FHREPLAY_TRACE_STEPS");
    const long traceEvery = every ? std::atol(every) : 0;
    bool hashed = true;
    while (out.steps < limit) {
        if (!beforeStep(out.steps)) break;
        if (trace) traceAllocations(true);
        const int64_t a0 = allocationCount();
        const auto t0 = std::chrono::steady_clock::now();
        QSDL_GLOBALS::Stick.updStick(W.replayPlaybackF);
        const int r = W.fhWorldMainLoop(0);
        const auto t1 = std::chrono::steady_clock::now();
        const int64_t a = allocationCount() - a0;
        if (trace) traceAllocations(false);
        qgu_endGLdraw(); // presented as the frame loop does (no window here)
        clockStep();
        const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
        total += ms;
        if (times.size() < times.capacity()) times.push_back(ms);
        if (a > 0) {
            out.allocations += a;
            if (out.stepsWithAllocs++ == 0) out.firstAllocStep = out.steps;
            out.lastAllocStep = out.steps;
        }
        ++out.steps;
        out.endCode = r;
        if (traceEvery > 0 && out.steps % traceEvery == 0) {
            const MyCharactor& c = W.chars[MyCharactor::currentCHR & 1];
            std::fprintf(stderr, "step %ld: map %d block %d %d (%d %d) phase %d score %d gold %d misses %d\n",
                         out.steps, W.loadedMapNum, c.posX / 1600, c.posY / 1600, c.posX, c.posY, W.phase,
                         FHWGBL::Score, FHWGBL::GoldCoins, FHWGBL::MissCount);
        }
        if (r != 1) {
            // Only a step that starts in play and is refused at once (counters changed
            // outside play) ends without a hashed step before it.
            if (!hashed) out.endHash = endStateHash();
            break;
        }
        // A step that starts in play always answers 1, so the state needs hashing only
        // when the phase has left play (the next step may end the section) or when no
        // further step may run.
        hashed = W.phase != 1 || out.steps >= limit;
        if (hashed) out.endHash = endStateHash();
        out.score = FHWGBL::Score;
        out.silver = FHWGBL::SilvCoins;
        out.gold = FHWGBL::GoldCoins;
        out.timer = FHWGBL::TIMER;
        out.misses = FHWGBL::MissCount;
        out.keys = FHWGBL::RBGKeyBit;
        out.map = W.loadedMapNum;
        out.character = MyCharactor::currentCHR;
        const MyCharactor& c = W.chars[MyCharactor::currentCHR & 1];
        out.posX = c.posX;
        out.posY = c.posY;
    }
    if (!hashed) out.endHash = endStateHash(); // the feed stopped the run
    out.seconds = total / 1000.0;
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        out.medianMs = times[times.size() / 2];
        out.p99Ms = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    }
    out.peakRssKb = peakRssKb();
}

} // namespace

bool startWorld(const char* runtimeDir) {
    if (worldStarted) return true;
    const std::string rt = absolutePath(runtimeDir);
    struct stat st;
    if (stat((rt + "/resourcesQSDL").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "fhreplay: no resourcesQSDL folder in %s\n", rt.c_str());
        return false;
    }
    char tmpl[] = "/tmp/fhreplayXXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (dir == nullptr) {
        std::fprintf(stderr, "fhreplay: cannot make a scratch folder\n");
        return false;
    }
    scratchDir = dir;
    if (symlink((rt + "/resourcesQSDL").c_str(), (scratchDir + "/resourcesQSDL").c_str()) != 0 ||
        chdir(dir) != 0) {
        std::fprintf(stderr, "fhreplay: cannot prepare %s\n", dir);
        stopWorld();
        return false;
    }
    symlink((rt + "/VRNresources").c_str(), (scratchDir + "/VRNresources").c_str());
    mkdir("replayfilms", 0755);

    // Logic and sprite queueing only: the GL door of this program draws nothing, so no
    // window is opened.
    if (SDL_Init(0) != 0) {
        std::fprintf(stderr, "fhreplay: SDL_Init: %s\n", SDL_GetError());
        stopWorld();
        return false;
    }
    qgu_initGLImageHdlfunc();
    QSDL_GLOBALS::sound.init(50); // effect channels, as the game's start-up makes them
    if (W.initFHSystem() == 0) {
        std::fprintf(stderr, "fhreplay: the game's containers could not be loaded from %s\n", rt.c_str());
        stopWorld();
        return false;
    }
    W.changeStatePlyOrRep(false);
    QSDL_GLOBALS::Stick.getKeySetToPtr(&keyAssign);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    worldStarted = true;
    return true;
}

void stopWorld() {
    if (scratchDir.empty()) return;
    if (chdir("/") != 0) return;
    nftw(scratchDir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    scratchDir.clear();
}

std::string absolutePath(const char* path) {
    if (path[0] == '/') return path;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) return path;
    return std::string(cwd) + "/" + path;
}

uint64_t endStateHash() {
    using namespace FHWGBL;
    Hasher h;
    h.num(Score);
    h.num(SilvCoins);
    h.num(GoldCoins);
    h.num(TIMER);
    h.num(CtrlCounter);
    h.num(MissCount);
    h.num(RBGKeyBit);
    h.num(haveRCF);
    for (bool f : TempEvalItmF)
        h.num(f);
    h.num(TempGetPenBoxF);
    h.num(TempGetMysteryF);
    h.num(preEcounter);
    h.num(preGcounter);
    h.num(preAcounter);
    h.num(W.phase);
    h.num(W.playerResult);
    h.num(W.loadedMapNum);
    h.num(MyCharactor::currentCHR);
    for (int k = 0; k < 4; ++k) {
        const MyCharactor& c = W.chars[k];
        h.actor(c);
        h.num(c.energy);
        h.num(c.weapon);
        h.num(c.invincTimer);
        h.num(c.restartX);
        h.num(c.restartY);
        h.num(c.movState);
        h.num(c.surfaceF);
    }
    for (const auto& s : W.shotCtrl.shots)
        h.actor(s);
    for (const auto& o : W.objectCtrl.objects)
        h.actor(o);
    for (const auto& d : W.decoCtrl.decos)
        h.actor(d);
    for (int y = 0; y < MapBlkHeight && y < FHLayout::kMapMaxBlocks; ++y)
        h.bytes(MenMap[y], sizeof(int32_t) * size_t(std::min(MapBlkWidth, int32_t(FHLayout::kMapMaxBlocks))));
    if (W.workingRecord) h.bytes(W.workingRecord, FHLayout::kRecordSize);
    h.num(qgu_randomState());
    return h.h;
}

namespace {

int fillObjects = 0;

// Replaces the section's map objects with `fillObjects` objects on a grid over the map.
void fillPool() {
    if (fillObjects <= 0) return;
    static const int16_t kKinds[][3] = {
        // kind, horizontal, vertical parameter
        {32, 2, 0}, {19, 2, 2}, {37, 2, 2}, {14, 0, 0}, {49, 1, 0}, {260, 100, 0}, {32, -2, 0}, {8, 0, 0},
    };
    constexpr int kRec = 288;
    static unsigned char list[128 * kRec];
    std::memset(list, 0, sizeof list);
    const int n = fillObjects < 128 ? fillObjects : 128;
    const int w = FHWGBL::MapBlkWidth > 0 ? FHWGBL::MapBlkWidth : 16;
    const int h = FHWGBL::MapBlkHeight > 0 ? FHWGBL::MapBlkHeight : 16;
    for (int i = 0; i < n; ++i) {
        const int16_t* k = kKinds[i % 8];
        const int16_t words[11] = {1, k[0], int16_t(FHWGBL::SECTION), int16_t((i * 7) % w), int16_t((i * 5) % h),
                                   k[1], k[2], 0, 0, 0, 0};
        std::memcpy(list + i * kRec, words, sizeof words);
    }
    W.objectCtrl.loadObjectsFrom(list, n, FHWGBL::SECTION);
}

}  // namespace

void setFillObjects(int n) { fillObjects = n; }

bool playFilm(const std::string& path, long maxSteps, RunReport& out) {
    char* film = static_cast<char*>(OpenDataFilePtrByName(path.c_str()));
    if (film == nullptr) {
        std::fprintf(stderr, "fhreplay: cannot read %s\n", path.c_str());
        return false;
    }
    int32_t chapter, section;
    std::memcpy(&chapter, film + FHLayout::kFilmChapterOfs, 4);
    std::memcpy(&section, film + FHLayout::kFilmSectionOfs, 4);
    if (!FHWorldCLS::filmIsSound(film) || chapter < 0 || chapter >= FHLayout::kFilmChapters || section < 0 ||
        section >= FHLayout::kFilmSections) {
        std::fprintf(stderr, "fhreplay: %s is not a film\n", path.c_str());
        PurgeDataFilePtr(film);
        return false;
    }
    PurgeDataFilePtr(W.replayFilms[chapter][section][kHarnessKind]);
    W.replayFilms[chapter][section][kHarnessKind] = film;
    W.filmPresent[chapter][section][kHarnessKind] = true;

    // As the browser starts a film: a new game, then the section in playback.
    std::memset(keys, 0, sizeof keys);
    W.replayPlaybackF = true;
    W.initNewgame(0);
    if (W.loadNewStage(chapter, section, kHarnessKind) != 0) {
        std::fprintf(stderr, "fhreplay: %s was refused by the world\n", path.c_str());
        W.replayPlaybackF = false;
        QSDL_GLOBALS::rplyMode = 0;
        return false;
    }
    W.fhWorldMainLoop(-1);
    fillPool();
    out.chapter = chapter;
    out.section = section;
    runSteps(maxSteps, out, [](long) { return true; });
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
    return true;
}

bool recordFilm(const Script& script, const std::string& outPath, RunReport& out) {
    if (!startScriptSection(script, keys, sizeof keys, "fhreplay")) return false;
    fillPool();
    out.chapter = script.chapter;
    out.section = script.section;
    // The keyboard must give the script's words (the D buttons never reach a film).
    long mismatchStep = -1;
    auto check = [&](long n) {
        const uint16_t want = script.words[size_t(n)] & uint16_t(~QSDL_BTN::D_BOTH);
        if (mismatchStep < 0 && QSDL_GLOBALS::Stick.currentBits() != want) mismatchStep = n;
    };
    runSteps(long(script.words.size()), out, [&](long n) {
        if (n > 0) check(n - 1);
        holdWord(script.words[size_t(n)]);
        return true;
    });
    if (out.steps > 0) check(out.steps - 1);
    if (mismatchStep >= 0) {
        std::fprintf(stderr, "fhreplay: step %ld did not read the script's word 0x%04x\n", mismatchStep,
                     unsigned(script.words[size_t(mismatchStep)]));
        return false;
    }

    if (out.endCode == 1) {
        // The script ran out while the section goes on: end the film here, as a
        // section that is left would be ended.
        W.filmLength = QSDL_GLOBALS::Stick.endsync();
        W.stampFilmEnd(FHWGBL::Score, int32_t(clockNow() - int64_t(W.sectionStart)));
        if (!W.SaveLastReplay(0)) {
            std::fprintf(stderr, "fhreplay: the film could not be written\n");
            return false;
        }
    }
    W.defaultLevel = 2;
    std::memset(keys, 0, sizeof keys);

    char name[FHWorldCLS::kFilmPathMax];
    FHWorldCLS::filmPath(name, script.chapter, script.section, 0);
    char* film = static_cast<char*>(OpenDataFilePtrByName(name));
    if (film == nullptr || GetPtrSize(film) < FHLayout::kFilmHeaderSize) {
        std::fprintf(stderr, "fhreplay: the section kept no film\n");
        PurgeDataFilePtr(film);
        return false;
    }
    // The film is kept as the game saved it (with the play record it started from).
    std::vector<char> bytes(film, film + GetPtrSize(film));
    PurgeDataFilePtr(film);
    const int ok = OverWriteDataFilePtrByName(outPath.c_str(), bytes.data(), int64_t(bytes.size()));
    if (ok != 1) {
        std::fprintf(stderr, "fhreplay: cannot write %s\n", outPath.c_str());
        return false;
    }
    return true;
}

} // namespace FHReplay
