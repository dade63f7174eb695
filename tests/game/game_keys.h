// Game-tier tests drive the game through its real input object: they hold keys on the
// key-state array the input object reads, as a player would.
#pragma once
#include <cstdint>
#include <cstring>

#include <SDL.h>

#include "qsdlpp2_ctrl@io.h"

// Holds exactly the given buttons of player 1 (QSDL_BTN bits) on `keys`, with the key
// assignment `ka` read from the input object.
inline void holdPlayerOneKeys(Uint8* keys, const JoySTICK::KeyAssign& ka, uint16_t bits) {
    std::memset(keys, 0, SDL_NUM_SCANCODES);
    const struct {
        uint16_t bit;
        int key;
    } map[] = {{QSDL_BTN::UP1, JoySTICK::UP},      {QSDL_BTN::LEFT1, JoySTICK::LEFT},
               {QSDL_BTN::RIGHT1, JoySTICK::RIGHT}, {QSDL_BTN::DOWN1, JoySTICK::DOWN},
               {QSDL_BTN::A1, JoySTICK::BTN_A},     {QSDL_BTN::B1, JoySTICK::BTN_B},
               {QSDL_BTN::C1, JoySTICK::BTN_C}};
    for (const auto& m : map)
        if (bits & m.bit) keys[ka[m.key]] = 1;
}

// Holds exactly the buttons of an input word (a film's word: player 1 in the low byte,
// player 2 in the high byte, each UP DOWN LEFT RIGHT A B C D from the top bit down).
inline void holdWordKeys(Uint8* keys, const JoySTICK::KeyAssign& ka, uint16_t word) {
    std::memset(keys, 0, SDL_NUM_SCANCODES);
    static const int order[8] = {JoySTICK::UP,    JoySTICK::DOWN,  JoySTICK::LEFT,  JoySTICK::RIGHT,
                                 JoySTICK::BTN_A, JoySTICK::BTN_B, JoySTICK::BTN_C, JoySTICK::BTN_D};
    for (int p = 0; p < 2; ++p)
        for (int b = 0; b < 8; ++b)
            if (word & ((0x80u >> b) << (8 * p))) {
                const int sc = ka[order[b] + JoySTICK::P2 * p];
                if (sc > 0 && sc < SDL_NUM_SCANCODES) keys[sc] = 1;
            }
}
