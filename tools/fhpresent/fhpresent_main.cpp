// fhpresent: plays input scripts through the real renderer in a real window and reports
// the frame rate the game presents, as a player's screen would show it.
//
//   fhpresent [--scale P] [--paced] [--steps N] [--shots DIR] [--shot-step N]... <runtime dir> <script>...
//
// Each script's section is played live from its input words (as the film harness records
// it, on the script's clock, so the play is the golden film's), one frame per step: the
// buffers cleared, the world step with its drawing, the buffer swap. The window is the
// game's default size (scale 300 %: 960 x 720) unless --scale says otherwise. Without
// --paced the frames follow each other as fast as they can (the rate the machine can
// give); with it each frame waits for its 1/60 s as the game's frame loop does. --steps
// ends each run after N steps.
//
// Per script it prints "name value" lines: the frames, the mean rate, the median and
// worst rate over one-second windows (60 frames), the first step of the worst window,
// the slowest frame in it, and the median and longest frame; then the same figures on
// the processor time the process used (cpu_*), which a busy shared machine does not
// distort. With --shots the script is played a second time, up to the picture at the
// slowest frame (processor time) of the worst window and at every --shot-step, which are
// saved as DIR/<script name>_step<N>.png.
#include <SDL.h>
#include <SDL_image.h>
#include <ftw.h>
#include <stdio_ext.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "fhpresent_figures.h"
#include "fhreplay_hooks.h"
#include "fhreplay_keys.h"
#include "fhreplay_script.h"
#include "fhreplay_start.h"
#include "qgu_glImageHdlfunc.h"
#include "qgu_glcalls.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

// Sounds are played during steps as in the game; the device opens on a silent driver.
__attribute__((constructor(101))) static void chooseSilentAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign keyAssign;
std::string scratchDir;
int winW = 960, winH = 720;
size_t maxSteps = 0;  // 0: the whole script

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

void removeScratch() {
    if (scratchDir.empty() || chdir("/") != 0) return;
    nftw(scratchDir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    scratchDir.clear();
}

std::string absolutePath(const std::string& p) {
    if (!p.empty() && p[0] == '/') return p;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) return p;
    return std::string(cwd) + "/" + p;
}

// A scratch working folder borrowing the runtime tree's content, a window of the
// chosen size, and the game's start-up.
bool startGame(const std::string& runtime) {
    struct stat st;
    if (stat((runtime + "/resourcesQSDL").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "fhpresent: no resourcesQSDL folder in %s\n", runtime.c_str());
        return false;
    }
    char tmpl[] = "/tmp/fhpresentXXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
        std::fprintf(stderr, "fhpresent: cannot make a scratch folder\n");
        return false;
    }
    scratchDir = tmpl;
    if (symlink((runtime + "/resourcesQSDL").c_str(), (scratchDir + "/resourcesQSDL").c_str()) != 0 ||
        symlink((runtime + "/VRNresources").c_str(), (scratchDir + "/VRNresources").c_str()) != 0 ||
        chdir(tmpl) != 0) {
        std::fprintf(stderr, "fhpresent: cannot prepare %s\n", tmpl);
        return false;
    }
    mkdir("replayfilms", 0755);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "fhpresent: SDL_Init: %s\n", SDL_GetError());
        return false;
    }
    qgu_initGLImageHdlfunc();
    QSDL_GLOBALS::sound.init(50);
    // As the game's start-up: vertical sync off, the loop paces itself.
    SDL_GL_SetSwapInterval(0);
    qgu_initNewGLworld("Fernhollow", rRect{0, 0, int16_t(winH), int16_t(winW)}, 0);
    SDL_GL_SetSwapInterval(0);
    if (qgu_getTargetWindow() == nullptr) {
        std::fprintf(stderr, "fhpresent: no window: %s\n", SDL_GetError());
        return false;
    }
    if (W.initFHSystem() == 0) {
        std::fprintf(stderr, "fhpresent: the game's containers could not be loaded from %s\n", runtime.c_str());
        return false;
    }
    W.changeStatePlyOrRep(false);
    QSDL_GLOBALS::Stick.getKeySetToPtr(&keyAssign);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    return true;
}

// The back buffer as a PNG (rows flipped: GL reads bottom-up).
bool savePicture(const std::string& path) {
    std::vector<unsigned char> px(size_t(winW) * size_t(winH) * 4);
    qgu_glReadPixels(0, 0, winW, winH, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, winW, winH, 32, SDL_PIXELFORMAT_ABGR8888);
    if (s == nullptr) return false;
    for (int y = 0; y < winH; ++y)
        std::memcpy(static_cast<unsigned char*>(s->pixels) + size_t(y) * size_t(s->pitch),
                    px.data() + size_t(winH - 1 - y) * size_t(winW) * 4, size_t(winW) * 4);
    const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

// Processor time of the whole process (every thread: the software rasteriser draws on
// several), in milliseconds. On a shared machine it says more than the wall clock.
double cpuMs() {
    struct rusage u;
    if (getrusage(RUSAGE_SELF, &u) != 0) return 0;
    return (double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

// Plays the script's section live, one presented frame per step. Fills the frame end
// times (ms from the start); saves pictures at the steps in `shots` into `shotPrefix`.
bool playScript(const FHReplay::Script& script, bool paced, std::vector<double>& ends, std::vector<double>& cpuEnds,
                const std::vector<long>& shots, const std::string& shotPrefix) {
    if (!FHReplay::startScriptSection(script, keys, sizeof keys, "fhpresent")) return false;
    ends.clear();
    ends.reserve(script.words.size());
    cpuEnds.clear();
    cpuEnds.reserve(script.words.size());
    const double cpuStart = cpuMs();
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    uint32_t lastTick = SDL_GetTicks();
    const size_t steps = maxSteps > 0 ? std::min(maxSteps, script.words.size()) : script.words.size();
    for (size_t n = 0; n < steps; ++n) {
        SDL_Event ev;
        bool quit = false;
        while (SDL_PollEvent(&ev))
            if (ev.type == SDL_QUIT) quit = true;  // the window closed or the run was stopped
        if (quit) {
            std::fprintf(stderr, "fhpresent: stopped at step %zu\n", n);
            removeScratch();
            std::exit(1);
        }
        FHReplay::holdWordOnKeys(keys, keyAssign, script.words[n]);
        QSDL_GLOBALS::Stick.updStick(false);
        qgu_glClear(0x00004000 | 0x00000100); // colour and depth buffers
        const int r = W.fhWorldMainLoop(0);
        if (std::find(shots.begin(), shots.end(), long(n)) != shots.end()) {
            const std::string path = shotPrefix + std::to_string(n) + ".png";
            if (!savePicture(path)) std::fprintf(stderr, "fhpresent: cannot write %s\n", path.c_str());
        }
        qgu_endGLdraw();
        FHReplay::clockStep();
        if (paced) {
            const uint32_t now = SDL_GetTicks();
            const uint32_t wait = uint32_t(int32_t(lastTick + 16 - now));
            if (wait <= 1000) SDL_Delay(wait);
            lastTick = SDL_GetTicks();
        }
        ends.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        cpuEnds.push_back(cpuMs() - cpuStart);
        if (r != 1) break;
        // A run for pictures ends after its last picture.
        if (!shots.empty() && long(n) >= *std::max_element(shots.begin(), shots.end())) break;
    }
    W.defaultLevel = 2;
    std::memset(keys, 0, sizeof keys);
    return true;
}

std::string stem(const std::string& path) {
    size_t b = path.find_last_of('/');
    b = b == std::string::npos ? 0 : b + 1;
    size_t e = path.rfind('.');
    if (e == std::string::npos || e < b) e = path.size();
    return path.substr(b, e - b);
}

void usage() {
    std::fprintf(stderr, "usage: fhpresent [--scale P] [--paced] [--steps N] [--shots DIR] [--shot-step N]... "
                         "<runtime dir> <script>...\n");
}

} // namespace

int main(int argc, char** argv) {
    bool paced = false, verbose = false;
    std::string shotDir;
    std::vector<long> extraShots;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string a = argv[i];
        if (a == "--paced") {
            paced = true;
        } else if (a == "--verbose") {
            verbose = true;
        } else if (a == "--scale" && i + 1 < argc) {
            const int scale = std::atoi(argv[++i]);
            if (scale < 25 || scale > 500) {
                std::fprintf(stderr, "fhpresent: scale %d is outside 25..500\n", scale);
                return 2;
            }
            winW = 320 * scale / 100;
            winH = 240 * scale / 100;
        } else if (a == "--steps" && i + 1 < argc) {
            maxSteps = size_t(std::max(0L, std::atol(argv[++i])));
        } else if (a == "--shots" && i + 1 < argc) {
            shotDir = absolutePath(argv[++i]);
        } else if (a == "--shot-step" && i + 1 < argc) {
            extraShots.push_back(std::atol(argv[++i]));
        } else {
            usage();
            return 2;
        }
    }
    if (argc - i < 2) {
        usage();
        return 2;
    }
    const std::string runtime = absolutePath(argv[i++]);
    std::vector<FHReplay::Script> scripts;
    std::vector<std::string> names;
    for (; i < argc; ++i) {
        FHReplay::Script s;
        std::string error;
        if (!FHReplay::loadScript(argv[i], s, error)) {
            std::fprintf(stderr, "fhpresent: %s: %s\n", argv[i], error.c_str());
            return 2;
        }
        scripts.push_back(s);
        names.push_back(stem(argv[i]));
    }
    // The game's own log lines go to a null stream unless asked for.
    FILE* report = stdout;
    if (!verbose) {
        const int fd = dup(1);
        report = fdopen(fd, "w");
        if (report == nullptr || freopen("/dev/null", "w", stdout) == nullptr) report = stderr;
    }
    if (!startGame(runtime)) {
        removeScratch();
        return 1;
    }
    int failures = 0;
    std::vector<double> ends, cpuEnds;
    for (size_t k = 0; k < scripts.size(); ++k) {
        if (!playScript(scripts[k], paced, ends, cpuEnds, {}, "")) {
            ++failures;
            continue;
        }
        const FHPresent::Figures f = FHPresent::computeFigures(ends, 60);
        // The same figures on the processor time the process used: what the frames cost
        // whatever else the machine is doing (all drawing threads counted, so this is the
        // rate one processor alone could present).
        const FHPresent::Figures c = FHPresent::computeFigures(cpuEnds, 60);
        std::fprintf(report, "script %s\n", names[k].c_str());
        std::fprintf(report, "window %dx%d%s\n", winW, winH, paced ? " paced" : "");
        std::fprintf(report, "frames %zu\n", f.frames);
        std::fprintf(report, "mean_fps %.1f\n", f.meanFps);
        std::fprintf(report, "median_fps %.1f\n", f.medianFps);
        std::fprintf(report, "worst_fps %.1f\n", f.worstFps);
        std::fprintf(report, "worst_second_step %zu\n", f.worstStart);
        std::fprintf(report, "slowest_frame_step %zu\n", f.slowestFrame);
        std::fprintf(report, "slowest_frame_ms %.2f\n", f.slowestMs);
        std::fprintf(report, "median_frame_ms %.2f\n", f.medianFrameMs);
        std::fprintf(report, "max_frame_ms %.2f\n", f.maxFrameMs);
        std::fprintf(report, "cpu_ms_per_frame %.2f\n", c.medianFrameMs);
        std::fprintf(report, "cpu_median_fps %.1f\n", c.medianFps);
        std::fprintf(report, "cpu_worst_fps %.1f\n", c.worstFps);
        std::fprintf(report, "cpu_worst_second_step %zu\n", c.worstStart);
        std::fprintf(report, "cpu_slowest_frame_step %zu\n", c.slowestFrame);
        if (!shotDir.empty() && f.frames > 0) {
            std::vector<long> shots = extraShots;
            shots.push_back(long(c.slowestFrame));
            std::vector<double> again, againCpu;
            if (playScript(scripts[k], false, again, againCpu, shots, shotDir + "/" + names[k] + "_step"))
                for (long st : shots)
                    std::fprintf(report, "shot %s/%s_step%ld.png\n", shotDir.c_str(), names[k].c_str(), st);
        }
        std::fprintf(report, "\n");
        std::fflush(report);
    }
    removeScratch();
    return failures == 0 ? 0 : 1;
}
