// Helpers shared by the player, contact, decoration and world-step modules: the frame
// statics of the player's step that a new section resets, the controls of the
// character in play, and small effect shortcuts (sounds, floating messages).
#pragma once

#include <cstdint>

#include "FHobjectCtrl.h"

namespace FHPlay {

// Controls of the character in play for this frame (stick in percentages, buttons).
struct Controls {
    int sx;        // (stick x / 5) x 2: +-40 or +-30, 0 when centred
    int stickX;    // raw stick x (0, +-75, +-100)
    int stickY;    // raw stick y, positive downwards
    bool jump;     // trigger B
    bool trigA;    // trigger A (also player 1's while alternating play is off)
    bool trigC;    // trigger C from either player
};
Controls readControls();

// Clears the statics of the player's frame step and of the character switch (new
// section: character 0 in play, all timers, chains and flags 0).
void resetPlayerStatics();

// Forgets whether trigger C was held (the switch needs a fresh press).
void resetSwitchMemory();

// Statics of the contact step (pressure switch memory, mine flag).
void resetContactStatics();

// Plays sound effect n (no-op when n <= 0).
void playSound(int n);

// A floating message above a field position (field units), `life` frames, colour.
void floatMessage(int x, int y, const char* text, int life, const double* colour);

// Clamp in the order of clipMaxMin: max(min(v, upper), lower).
inline int clip(int v, int upper, int lower) { return v > upper ? upper : (v < lower ? lower : v); }

// Mathematical modulo for wrapping (result in 0..m-1 for m > 0).
inline int wrapMod(int v, int m) {
    if (m <= 0) return v;
    int r = v % m;
    return r < 0 ? r + m : r;
}

// The shorter signed difference a - b across a field that wraps every m units.
inline int wrapDiff(int a, int b, int m) {
    if (m <= 0) return a - b;
    const int d = wrapMod(a - b, m);
    return d > m / 2 ? d - m : d;
}

// A live map object the player can touch (active, awake, a known kind): its box from
// the kind's attribute record and its attribute flags; nullptr for any other record.
const rRect* touchableBox(const MainObjectCtrlCls::Object& o, int* flags);

}  // namespace FHPlay
