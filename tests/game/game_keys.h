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

