// The player's shot pool beyond its class declaration: the block-breaking tables of the
// close-range shots and what a broken block releases.
#pragma once

#include <cstdint>

#include "FHobjectCtrl.h"

namespace FHShots {

// Blocks 944..1023 that close-range shots break, indexed b - 944: what breaking releases.
// 0 nothing, a positive number the object kind released, negative numbers the special
// releases (see blockRelease).
constexpr int kBreakFirst = 944;
constexpr int kBreakLast = 1023;
extern const int32_t ItemInBlk[kBreakLast - kBreakFirst + 1];
// The food a -7 block gives, by game level 0..4.
extern const int32_t LevelgetInBlk[5];

// What one broken block releases: an object of `kind` (0: none) at (x, y) with speed
// (vx, vy), its param (`extra`) and its starting count (`count`).
struct Release {
    int kind = 0;
    int x = 0, y = 0;
    int vx = 0, vy = 0;
    int extra = 0;
    int count = 0;
    bool usedMaster = false;  // a colour lock opened with the master key instead
};

// True when close-range shots break block b for the character in play (`chr`) holding
// key bits `keys` (bits 0..2 colour keys, bit 3 master key).
bool breakable(int b, int chr, int keys);

// What breaking block b at block (col, row) releases, for a shot moving at `shotSpeedX`,
// the character in play facing `facing` and carrying `weapon`. Draws Random() in a fixed
// order for the entries that use it.
Release blockRelease(int b, int col, int row, int shotSpeedX, int facing, int weapon, int keys);

// Random() draws of a shot kind that the pool could not take, so that a refused request
// uses the generator as an accepted one would.
void drawRefusedRandoms(int kind);

}  // namespace FHShots
