// The controller's core: construction, start, the per-step dispatch over the states,
// the title and game-over screens, the demo and sequence steps, the quit event and the
// inspection-mode keys.
#include "FHgeneralctrl.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "qgu_basicfunc.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;

GameMainCtrlCLS* mainGloop = nullptr;

namespace FHCtrl {

void drawText(double x, double y, int w, int h, int font, const double* colour, const char* text) {
    QSDLpp_GLTextFuncs::drawGLString(x, y, 0, w, h, font, colour, text);
}

bool musicPath(int id, char* dst) {
    dst[0] = '\0';
    const char* rec = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, id));
    if (rec == nullptr) return false;
    int64_t n = qgu_getResourceSize(rec);
    if (n < 0) n = 0;
    if (n > 255) n = 255;
    size_t len = 0;
    while (len < static_cast<size_t>(n) && rec[len] != '\0') ++len;
    std::memcpy(dst, rec, len);
    dst[len] = '\0';
    return true;
}

void playMusicRes(int id, int loops) {
    char path[256];
    if (!musicPath(id, path)) {
        std::printf("Music record was not found. ( resID:%d )\n", id);
        return;
    }
    QSDL_GLOBALS::music.load(path);
    QSDL_GLOBALS::music.musVol(100);
    QSDL_GLOBALS::music.start(loops);
}

void fadeMusic(int ms) { QSDL_GLOBALS::music.event(MovieFxCode::FADEOUT, ms); }

void waitKeyRelease(int scancode) {
    while (QSDL_GLOBALS::Stick.userKey(scancode)) {
        SDL_PumpEvents();
        SDL_Delay(1);
    }
}

const unsigned char* record() {
    static const unsigned char empty[FHLayout::kRecordSize] = {};
    const unsigned char* r = Game_GLOBALS::MyWorld.workingRecord;
    return r ? r : empty;
}

}  // namespace FHCtrl

using namespace FHCtrl;

GameMainCtrlCLS::GameMainCtrlCLS() {
    chosenChapter = -1;
    GctrlState = GS_TITLE;
    for (bool& f : FHSYS_GLOBALS::unLock_enableF) f = false;
    for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
}

int GameMainCtrlCLS::init(int) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    w.initFHSystem();
    chosenChapter = record()[FHLayout::kRecMilestoneFlagOfs + 1] ? 0 : -1;
    qgu_NewFreeTexture(512, 512, &workTex, 0x1908 /* GL_RGBA */, false);
    loadPicture(990);
    neutraLoop(-1);
    return 0;
}

void GameMainCtrlCLS::loadPicture(int resID) {
    const int known = qgu_getTexIDfromResnum(resID, 0);
    if (known > 0) {
        pictureTex = static_cast<FH_TexName>(known);
        return;
    }
    GLuint tex = 0;
    if (qgu_NewTextureFromPicRes(resID, &tex, false, false) == 0 && tex != 0) pictureTex = tex;
}

int GameMainCtrlCLS::event(GameState::G_EVENT e) {
    if (e == GameState::G_QUIT) Game_GLOBALS::MyWorld.saveLastDiaryRef();
    return 0;
}

int GameMainCtrlCLS::Mainloop(int, bool) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;
    stick.updStick(GctrlState == GS_PLAY && w.replayPlaybackF);
    // A piece replaced while fading out is let go once its fade is over (never waited for).
    QSDL_GLOBALS::music.movieIdleProcess();

    int result = 0;
    int next;
    switch (GctrlState) {
        case GS_TITLE:
            next = neutraLoop(0);
            if (stick.userKey(SC_ESCAPE)) {
                w.saveLastDiaryRef();
                result = 6;
                waitKeyRelease(SC_ESCAPE);
            }
            break;
        case GS_BROWSE: next = browseLoop(0); break;
        case GS_CLEAR: next = clearLoop(0); break;
        case GS_GAMEOVER: next = neutraLoop(6); break;
        case GS_DEMO: next = demoLoop(1); break;
        case GS_OPENING: next = demoLoop(2); break;
        case GS_CLOSING: next = demoLoop(3); break;
        default:
            next = stepPlay();
            if (next < 0) {  // the world's counters were tampered with: quit
                next = GS_TITLE;
                result = 6;
            }
            break;
    }
    // Escape leaves any state for the title (nothing saved); on the title the first
    // test has already waited for the release, so a quit stands.
    if (stick.userKey(SC_ESCAPE)) {
        next = neutraLoop(-1);
        waitKeyRelease(SC_ESCAPE);
    }
    GctrlState = next;
    if (next >= 2) QSDLpp_GLSpriteFuncs::update(0, 0);
    stepCounter += 1;
    return result;
}

// One play step and the mapping of the world's answer; -1 asks to quit.
int GameMainCtrlCLS::stepPlay() {
    const int w = Game_GLOBALS::MyWorld.fhWorldMainLoop(0);
    if (w == FHLoop::kWorldTampered) return -1;
    if (w == FHLoop::kWorldNoMap) {
        // Nothing to play on (cannot happen after a successful section start): back to
        // the title rather than stepping over an empty map.
        SysBeep(0);
        return neutraLoop(-1);
    }
    if (w >= 2 && w <= 5) return clearLoop(w);
    if (w == 8) {
        neutraLoop(-1);
        playMusicRes(21003, 0);
        loadPicture(200 + (Random() & 1));
        return GS_GAMEOVER;
    }
    return GS_PLAY;
}

int GameMainCtrlCLS::neutraLoop(int mode) {
    int r = 0;
    if (mode == -1) {
        stepCounter = 0;
        browseCursor = record()[FHLayout::kRecMilestoneFlagOfs + 1] ? 1 : 0;
        loadPicture(149);
        fadeMusic(2000);
        Game_GLOBALS::MyWorld.replayPlaybackF = false;
        QSDL_GLOBALS::Stick.stopSync();
        FHSYS_GLOBALS::usedF5F = false;
        r = 0;
    } else if (mode == 6) {
        if (stepCounter < 601) {
            if (QSDL_GLOBALS::Stick.trigANY()) {
                demoLoop(-1);
                r = GS_DEMO;
            } else {
                r = GS_GAMEOVER;
            }
        } else {
            demoLoop(-1);
            r = GS_DEMO;
        }
    } else {
        if (stepCounter >= 61) {
            demoLoop(-1);
            r = GS_DEMO;
        } else {
            r = GS_TITLE;
        }
    }
    qgu_GLDrawTexture(pictureTex, 320, 256, 0, 0, 0);
    return r;
}

int GameMainCtrlCLS::demoLoop(int mode) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;
    qgu_GLDrawTextureRep(FHSYSGBL::TileTxt[0], 320, 240, GLwhite, 0, 0, 0);
    qgu_GLDrawTexture(pictureTex, 320, 240, 0, 0, 0);
    switch (mode) {
        case -1:
            FHSYS_GLOBALS::unLock_usingF[1] = false;
            loadPicture(150);
            w.initCoordinate(0);
            demoCtrlLoop(0, -1);
            return 0;
        case -2:
            FHSYS_GLOBALS::unLock_usingF[1] = false;
            demoCtrlLoop(1, -1);
            w.initCoordinate(0);
            return GS_OPENING;
        case -3:
            FHSYS_GLOBALS::unLock_usingF[1] = false;
            demoCtrlLoop(2, -1);
            w.initCoordinate(0);
            return GS_CLOSING;
        case 2:
            if (demoCtrlLoop(1, 0) != 9) return GS_OPENING;
            w.fhWorldMainLoop(-2);
            chosenChapter = 0;  // the opening has been seen: the browser opens on chapter 0
            return browseLoop(11);
        case 3:
            if (demoCtrlLoop(2, 0) != 9) return GS_CLOSING;
            CHAPTER = 0;
            fadeMusic(2000);
            return neutraLoop(-1);
        default: {
            SDL_Delay(0);
            int r = GS_DEMO;
            // The demo script has ended: back to a fresh title (its picture and its
            // 61-step stand), not to the demo's picture.
            if (demoCtrlLoop(0, 0) == 9) r = neutraLoop(-1);
            if (stick.trigD(0) || stick.trigA(0) || stick.userKey(SC_RIGHT)) r = browseLoop(10);
            if (stick.userKey(SC_RETURN) || stick.start_Button()) {
                r = browseLoop(10);
                waitKeyRelease(SC_RETURN);
            }
            return r;
        }
    }
}

int GameMainCtrlCLS::showDebugMode(int key) {
    using FHSYS_GLOBALS::unLock_enableF;
    using FHSYS_GLOBALS::unLock_usingF;
    auto toggle = [](int i) {
        if (unLock_enableF[i]) unLock_usingF[i] = !unLock_usingF[i];
    };
    switch (key) {
        case SDLK_5: toggle(2); break;
        case SDLK_6: toggle(5); break;
        case SDLK_7: toggle(6); break;
        case SDLK_8: toggle(7); break;
        case SDLK_9: break;
        case SDLK_F4: FHSYS_GLOBALS::usedF5F = true; break;
        case SDLK_F5:
        case SDLK_F10:
            if (unLock_enableF[1] && GctrlState == GS_PLAY) {
                unLock_usingF[1] = !unLock_usingF[1];
                FHSYS_GLOBALS::usedF5F = true;
            }
            break;
        case SDLK_F6: toggle(3); break;
        default: FHSYS_GLOBALS::usedF5F = false; break;
    }
    return 0;
}
