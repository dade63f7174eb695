// Game-tier tests that drive the real controller: the game's window, the input object
// reading the test's key-state array, and a controller started on the title.
#pragma once
#include <cstring>

#include <SDL.h>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

namespace gametest {

// Opens the window titled `title` and a controller whose input reads `keys`; `ka`
// receives the key assignment. Null when the video system does not start.
inline GameMainCtrlCLS* openController(const char* title, Uint8* keys, JoySTICK::KeyAssign* ka) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    qgu_initGLImageHdlfunc();
    qgu_initNewGLworld(title, rRect{0, 0, 240, 320}, 0);
    QSDL_GLOBALS::Stick.getKeySetToPtr(ka);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    auto* ctl = new GameMainCtrlCLS;
    ctl->init(0);
    return ctl;
}

// Before each test: no key held and no debugging switch offered or on.
inline void releaseKeysAndSwitches(Uint8* keys) {
    std::memset(keys, 0, SDL_NUM_SCANCODES);
    for (bool& f : FHSYS_GLOBALS::unLock_enableF) f = false;
    for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
}

}  // namespace gametest
