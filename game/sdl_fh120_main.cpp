// main0: start-up in a fixed order, then the frame loop: events (quit, pause, inspection
// keys), one controller step, a picture every `skips` steps, and a sleep to the next
// 1/60 s (or a slower period in slow mode, none in fast mode).
#include "sdl_fh120_main.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl.h"
#include "qgu_glImageHdlfunc.h"
#include "qgu_glcalls.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

int32_t skips = 1;

namespace FHFrame {

int stepPeriod(int waitPlus) { return 1000 / (60 / (waitPlus + 1)); }

uint32_t waitFor(uint32_t lastTick, uint32_t now, int period) {
    const uint32_t wait = static_cast<uint32_t>(static_cast<int32_t>(lastTick + period - now));
    return wait > 1000 ? 0 : wait;
}

LoopState loop;

namespace {
// Pause, only in play. The banner is drawn at once and, when the game is now paused,
// presented at once; the overlay is hidden either way.
void togglePause() {
    if (mainGloop == nullptr || mainGloop->GctrlState != GS_PLAY) return;
    loop.pauseF = !loop.pauseF;
    QSDLpp_GLTextFuncs::drawGLString(128, 96, 0, 16, 16, 0, GLred, "PAUSE");
    QSDL_GLOBALS::sound.playNum(40);
    if (loop.pauseF) qgu_endGLdraw();
    loop.dispFrameF = false;
}
}  // namespace

void onKeyDown(int key, int scancode, bool repeat) {
    using FHSYS_GLOBALS::unLock_enableF;
    using FHSYS_GLOBALS::unLock_usingF;
    // Every key here toggles something: a key held down must not toggle it again and again.
    if (repeat) return;
    // The key pressed now decides, not the buttons held since the last step: Space or
    // player 1's D key pauses; another key pressed while D is held does not.
    if (key == SDLK_SPACE || QSDL_GLOBALS::Stick.isPauseKey(scancode)) togglePause();
    if (mainGloop == nullptr) return;
    if (key == SDLK_F5 || key == SDLK_F10) {
        if (unLock_enableF[1]) {
            mainGloop->showDebugMode(key);
            SDL_GL_SetSwapInterval(unLock_usingF[1] ? 0 : 1);
            loop.dispFrameF = true;
        }
        return;  // no further test for F5 and F10
    }
    if (key == SDLK_F6 || (key >= SDLK_5 && key <= SDLK_9)) {
        if (mainGloop->GctrlState == GS_PLAY) mainGloop->showDebugMode(key);
    }
    if (key == SDLK_F4 && unLock_enableF[5]) {
        loop.waitPlusF = (loop.waitPlusF + 1) % 4;
        loop.dispFrameF = true;
    }
}

void onJoyButton(int pad, int button) {
    if (QSDL_GLOBALS::Stick.isPauseButton(pad, button)) togglePause();
}

}  // namespace FHFrame

namespace {

// The frame-rate overlay: mean presented pictures per second over the last 64 and the
// game speed in percent of 60 steps per second.
void testDrawGL() {
    static int32_t sigma[64] = {};
    static uint32_t loopcount = 0;
    static uint32_t lastTicks = 0;
    int32_t dt = static_cast<int32_t>(SDL_GetTicks() - lastTicks);
    if (dt <= 0) dt = 1;
    sigma[loopcount % 64] = dt;
    float sum = 0;
    for (int32_t v : sigma) sum += static_cast<float>(v);
    char text[32];
    std::snprintf(text, sizeof text, "[%2.1fF]", 100000.0 / (sum * 100 * 0.015625));
    lastTicks = SDL_GetTicks();
    QSDLpp_GLTextFuncs::drawGLString(272, 232, 0, 6, 8, 1, GLyellow, text);
    std::snprintf(text, sizeof text, "[%3.1fP]", 16.666666666666668 / ((sum / skips) * 0.015625) * 100);
    QSDLpp_GLTextFuncs::drawGLString(240, 232, 0, 6, 8, 1, GLyellow, text);
    loopcount += 1;
}

void mainLoop() {
    using namespace FHFrame;
    uint32_t lastTick = 0;
    for (;;) {
        bool quit = false;
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) {
            if (ev.type == SDL_QUIT) {
                mainGloop->event(GameState::G_QUIT);
                quit = true;
            } else if (ev.type == SDL_KEYDOWN) {
                onKeyDown(ev.key.keysym.sym, ev.key.keysym.scancode, ev.key.repeat != 0);
            } else if (ev.type == SDL_JOYBUTTONDOWN) {
                onJoyButton(QSDL_GLOBALS::Stick.padIndexOf(ev.jbutton.which), ev.jbutton.button);
            }
        }

        if (!loop.pauseF) {
            qgu_glClear(0x00004000 | 0x00000100);  // colour and depth buffers
            if (mainGloop->Mainloop(0, false) == 6) quit = true;
            if (loop.L % skips == 0) {
                if (loop.dispFrameF) testDrawGL();
                qgu_endGLdraw();
            }
            loop.L += 1;
        }

        if (!FHSYS_GLOBALS::unLock_usingF[1]) SDL_Delay(waitFor(lastTick, SDL_GetTicks(), stepPeriod(loop.waitPlusF)));
        lastTick = SDL_GetTicks();

        if (quit) {
            SDL_Quit();
            mainGloop->purge();
            return;
        }
    }
}

}  // namespace

int main0(int argc, const char** argv) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    char* dir = QSDL_GLOBALS::MyDirectory;
    std::memset(dir, 0, 256);
    if (argc > 0 && argv && argv[0]) std::strncpy(dir, argv[0], 255);
    dir[254] = '@';
    dir[255] = '\0';

    PrefHandler& pref = QSDL_GLOBALS::SdlConfiguCtrl;
    if (pref.autoPref()) pref.savePref();
    QSDL_GLOBALS::sound.init(50);
    QSDL_GLOBALS::Stick.init();
    pref.sdlRestoreConfigu(&QSDL_GLOBALS::Stick, &QSDL_GLOBALS::music);

    const int scale = static_cast<int16_t>(pref.getWindowScale());
    const int16_t width = static_cast<int16_t>((scale * 320) / 100);
    const int16_t height = static_cast<int16_t>((scale * 240) / 100);

    SDL_GL_SetSwapInterval(0);
    qgu_initNewGLworld("Fernhollow", rRect{0, 0, height, width}, pref.isFullScreen() ? 1 : 0);
    // The window set-up turns vertical sync on; the loop paces itself and starts with it
    // off (fast mode's keys switch it later).
    SDL_GL_SetSwapInterval(0);

    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0)
        SDL_Log("SDL_GetDisplayBounds \x8E\xB8\x94\x73: %s", SDL_GetError());

    int v = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &v);
    std::printf("Red size: %d bits\n", v);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &v);
    std::printf("Blue size: %d bits\n", v);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &v);
    std::printf("Green size: %d bits\n", v);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &v);
    std::printf("Alpha size: %d bits\n", v);
    SDL_GL_GetAttribute(SDL_GL_BUFFER_SIZE, &v);
    std::printf("Color buffer size: %d bits\n", v);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &v);
    std::printf("Depth bufer size: %d bits\n", v);

    QSDL_GLOBALS::music.load("VRNresources/mus/21005 footsure.ogg");

    mainGloop = new GameMainCtrlCLS;
    mainGloop->init(0);
    skips = pref.getFrameSkip();
    if (skips < 1) skips = 1;

    mainLoop();
    return 0;
}
