// Start-up shared by game-tier tests that play sections: a scratch working folder that
// reaches the runtime folder's content (films and the diary written by play land there),
// and the world started under a real GL context.
#pragma once

#include <SDL.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "FHmyworld.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

// Returns false when the folder or the window could not be made.
inline bool startGameWorld(const char* title, Uint8* keys, JoySTICK::KeyAssign* ka) {
    char tmpl[] = "/tmp/fhgameXXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (dir == nullptr) return false;
    const std::string rt = FH_RUNTIME_DIR;
    if (symlink((rt + "/resourcesQSDL").c_str(), (std::string(dir) + "/resourcesQSDL").c_str()) != 0) return false;
    symlink((rt + "/VRNresources").c_str(), (std::string(dir) + "/VRNresources").c_str());
    mkdir((std::string(dir) + "/replayfilms").c_str(), 0755);
    if (chdir(dir) != 0 || SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    qgu_initGLImageHdlfunc();
    qgu_initNewGLworld(title, rRect{0, 0, 240, 320}, 0);
    FHWorldCLS& W = Game_GLOBALS::MyWorld;
    W.initFHSystem();
    W.changeStatePlyOrRep(false);
    QSDL_GLOBALS::Stick.getKeySetToPtr(ka);
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    return true;
}
