// Data of the player's shots: boxes and power by kind, and the block-breaking tables.
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_shots.h"

// Collision box of each shot kind (top, left, bottom, right; field units).
const rRect MyShotsCtrlCls::MyShot::shotRects[16] = {
    {0, 0, 3200, 3200},       // 0 explosion ring
    {0, 0, 1600, 1600},       // 1 punch
    {0, 0, 1600, 1600},       // 2 special attack
    {1000, 1000, 2200, 2200}, // 3 dog's shot
    {0, 0, 1600, 1600},       // 4 thrown capsule
    {800, 800, 2400, 2400},   // 5 thrown capsule
    {0, 0, 1600, 1600},       // 6 thrown capsule
    {800, 800, 2400, 2400},   // 7 thrown capsule
    {0, 0, 1600, 1600},       // 8 debris
    {0, 0, 1600, 1600},       // 9 wave
    {0, 200, 1600, 1400},     // 10 roller
    {0, 0, 1600, 1600},       // 11 bouncer
    {0, 0, 1600, 1600},       // 12 grenade
    {0, 800, 3200, 2400},     // 13 small blast
    {800, 800, 5600, 5600},   // 14 big blast
    {0, 0, 0, 0},             // 15 (none)
};

// Damage of each shot kind by game level 0..4.
const int32_t MyShotsCtrlCls::MyShot::myShotPower[5][16] = {
    {20, 60, 8, 6, 40, 50, 8, 8, 6, 15, 19, 22, 21, 5, 8, 0},
    {20, 40, 6, 5, 30, 40, 6, 6, 5, 12, 16, 19, 18, 4, 7, 0},
    {20, 40, 5, 4, 20, 30, 5, 5, 4, 10, 13, 16, 15, 3, 6, 0},
    {20, 40, 4, 3, 15, 20, 4, 4, 3, 9, 11, 14, 13, 2, 5, 0},
    {20, 20, 4, 3, 15, 20, 3, 3, 3, 8, 10, 12, 11, 2, 4, 0},
};

namespace FHShots {

// 944..1023. Negative entries: -8, -9, -10 the red, green and blue locks; -7 level food;
// -6 big food; -5 an empty crack; -4 a hidden enemy; -3, -2, -1 food of three sizes.
const int32_t ItemInBlk[kBreakLast - kBreakFirst + 1] = {
    // 944..959
    -8, -9, -10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 960..975
    0, 0, 0, 0, 0, 0, 0, 0, 0, -5, -4, 0, 0, 0, 0, 0,
    // 976..991
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 992..1007
    48, 196, -1, -2, -3, 53, -1, 197, 48, 50, -6, 191, 197, 48, -3, -1,
    // 1008..1023
    48, 196, 0, 0, 48, 196, 49, 50, -1, -3, -6, -7, 0, 0, 0, 0,
};

const int32_t LevelgetInBlk[5] = {7, 7, 7, 24, 29};

}  // namespace FHShots
