// The keyboard side of an input word: the keys to hold so that the input object reads
// exactly that word. Shared by the film harness, the frame-rate tool and the game tests
// that play film scripts.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstring>

#include "qsdlpp2_ctrl@io.h"

namespace FHReplay {

// Holds exactly the buttons of `word` (player 1 in the low byte, player 2 in the high
// byte, each UP DOWN LEFT RIGHT A B C D from the top bit down) on the key-state array
// `keys`, with the key assignment `ka`.
inline void holdWordOnKeys(Uint8* keys, const JoySTICK::KeyAssign& ka, uint16_t word) {
    std::memset(keys, 0, SDL_NUM_SCANCODES);
    static const int kOrder[8] = {JoySTICK::UP,    JoySTICK::DOWN,  JoySTICK::LEFT,  JoySTICK::RIGHT,
                                  JoySTICK::BTN_A, JoySTICK::BTN_B, JoySTICK::BTN_C, JoySTICK::BTN_D};
    for (int p = 0; p < 2; ++p)
        for (int b = 0; b < 8; ++b)
            if (word & ((0x80u >> b) << (8 * p))) {
                const int sc = ka[kOrder[b] + JoySTICK::P2 * p];
                if (sc > 0 && sc < SDL_NUM_SCANCODES) keys[sc] = 1;
            }
}

} // namespace FHReplay
