// The settings program's body: start-up in its fixed order, then the frame loop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "configmain.h"
#include "globals.h"
#include "qgu_fileutil.h"
#include "qsdlpp2_GLobject@image.h"

using namespace SYS_GLOBALS;

namespace {
// A picture file as a texture; 0 when it is missing (the loader has logged it).
GLuint loadPicture(const char* path, bool smooth) {
    GLuint tex = 0;
    if (qgu_NewTextureFromPicFile(path, &tex, smooth, false) != 0) return 0;
    return tex;
}

void loadMedia() {
    loadGammaPicture();
    menuSpriteTxNum = loadPicture("resourcesQSDL/menuback.png", true);
    titleSpriteTxNum = loadPicture("resourcesQSDL/menuText.png", true);
    iconSpriteTxNum = loadPicture("resourcesQSDL/configicon.png", false);
    if (qgu_loadResource("resourcesQSDL/fontpic.mrsrc")) {
        for (int f = 0; f < 4; f++)
            QSDLpp_GLTextFuncs::newGFontFromX(GLO::Font0 + f, 100 + f);
    }
    font32TxNum = GLO::FontType[GLO::Font3];
    if (sound->loadResouceFile("resourcesQSDL/soundchunk.mrsrc")) sound->loadSoundFromRes(1000);
}
} // namespace

int main0(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    std::printf("SDL_Start\n");
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        std::exit(1);
    }
    qgu_initGLImageHdlfunc(); // before the record: its gamma choice decides brightening

    mixHdl = new QSDLpp_MixHandlCls();
    sound = new QSDLpp_MixSoundCls();
    BGPattCtrl = new QSDLpp_GLPattSys();
    SdlConfiguCtrl.autoPref();
    SdlConfiguCtrl.sdlRestoreConfigu(&Stick, &music);
    Stick.init();

    music.on(true);
    music.load((std::time(nullptr) % 4 == 0) ? "resourcesQSDL/test1.ogg" : "resourcesQSDL/test2.ogg");
    if (SdlConfiguCtrl.getElement(SDLSetIdx::BGMOff) == 0) music.start(2);

    rRect rect;
    SetRect(&rect, 0, 0, 640, 480);
    qgu_initNewGLworld("Configurator", rect, SdlConfiguCtrl.isFullScreen() ? 1 : 0);
    if (!qgu_getTargetWindow()) {
        std::fprintf(stderr, "Couldn't open the window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    loadMedia();
    qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    configmainCls* menu = new configmainCls();

    bool quit = false;
    while (!quit) {
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) {
            if (cfgHandleEvent(menu, ev)) quit = true;
        }
        int dy = 0, dx = 0;
        Stick.stickYX100x(0, dy, dx);
        qgu_startGLdraw();
        menu->disp(0);
        menu->mainloop(0);
        qgu_endGLdraw();
        SDL_Delay(16);
        Stick.updStick(false);
    }

    music.event(MovieFxCode::HALT, 0);
    delete menu;
    SDL_Quit();
    return 0;
}
