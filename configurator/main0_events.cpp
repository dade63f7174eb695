// Events of the settings program's frame loop: quitting, the effects every key plays,
// the digit keys (effects only), and the keys handed to the menu.
#include "configmain.h"
#include "globals.h"

int cfgHandleEvent(configmainCls* menu, const SDL_Event& ev) {
    switch (ev.type) {
    case SDL_QUIT:
        return 1;
    case SDL_KEYDOWN: {
        const SDL_Keycode key = ev.key.keysym.sym;
        if (key == SDLK_ESCAPE) return 1;
        if (key >= SDLK_0 && key <= SDLK_9) {
            // The digits are a sound test: digit d plays effect 9 - d and nothing else.
            SYS_GLOBALS::playEffect(9 - int(key - SDLK_0));
            return 0;
        }
        if (key == SDLK_F1 || key == SDLK_F2) return 0;
        if (key == SDLK_SPACE)
            SYS_GLOBALS::playEffect(14);
        else if (key == SDLK_LEFT || key == SDLK_RIGHT)
            SYS_GLOBALS::playEffect(9);
        else if (key == SDLK_UP || key == SDLK_DOWN)
            SYS_GLOBALS::playEffect(2);
        return menu ? menu->press(key) : 0;
    }
    case SDL_MOUSEBUTTONDOWN:
        SYS_GLOBALS::playEffect(42);
        SYS_GLOBALS::music.fadeout();
        return 0;
    case SDL_MOUSEMOTION:
        return 0;
    default:
        if (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_CLOSE) return 1;
        // A, B, C and D of player 1 held together quit (a controller-only way out).
        const unsigned all = QSDL_BTN::A1 | QSDL_BTN::B1 | QSDL_BTN::C1 | QSDL_BTN::D1;
        return (SYS_GLOBALS::Stick.currentBits() & all) == all ? 1 : 0;
    }
}
