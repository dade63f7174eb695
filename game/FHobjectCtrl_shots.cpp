// The player's shot pool: adding shots (both forms), starting a shot of each kind, the
// frame step over the pool, and what close-range shots release from the blocks they
// break. The flight of each kind lives in FHobjectCtrl_shots_move.cpp.
#include <cstdio>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_fx.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_shots.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"

using namespace FHWGBL;

namespace {

// CtrlCounter when the capsule chain was last shown.
int32_t ChainDispStart = 0;

inline int isign(int v) { return v < 0 ? -1 : 1; }
inline int levelIndex() { return GameLevel < 0 ? 0 : (GameLevel > 4 ? 4 : GameLevel); }

// Kinds 12..14 (grenades and their blasts) active in the pool.
int activeGrenades(const MyShotsCtrlCls& c) {
    int n = 0;
    for (const auto& s : c.shots)
        if (s.activeF && s.kind >= MYSHOT_GRENADE && s.kind <= MYSHOT_BIGBLAST) ++n;
    return n;
}

int firstFree(const MyShotsCtrlCls& c) {
    for (int i = 0; i < MyShotsCtrlCls::kShots; ++i)
        if (!c.shots[i].activeF) return i;
    return MyShotsCtrlCls::kShots;
}

// The capsule chain number above the thrower (capsules 4..7), at most once a frame.
void showChain(int chain, int x, int y, bool small) {
    if (chain <= 0 || CtrlCounter - ChainDispStart <= 1) return;
    const int patt = 864 + (chain - 1 < 11 ? chain - 1 : 11);
    FHFx::deco().NewDecorateDetailing(x, y - 1600, -1, 0, -40, small ? 80 : 120, small ? 80 : 120, 0, 0, 40,
                                      12, patt, 1.0, 1.0, 1.0, 1.0, 771);
    ChainDispStart = CtrlCounter;
}

}  // namespace

// ---- Pool ------------------------------------------------------------------------
int MyShotsCtrlCls::addShot(int x, int y, int vx, int vy, int kind) {
    const int slot = firstFree(*this);
    // Full pool, or a third grenade while two grenades or blasts fly: nothing is made.
    if (slot >= kShots || (kind == MYSHOT_GRENADE && activeGrenades(*this) >= 2)) {
        FHShots::drawRefusedRandoms(kind);
        return kShots;
    }
    shots[slot].newShot(x, y, vx, vy, 0, kind);
    return slot;
}

int MyShotsCtrlCls::addShot(int x, int y, int vx, int vy, int kind, int extra) {
    const int slot = firstFree(*this);
    if (slot >= kShots) {
        FHShots::drawRefusedRandoms(kind);
        return kShots;
    }
    shots[slot].newShot(x, y, vx, vy, extra, kind);
    return slot;
}

void MyShotsCtrlCls::moveShots() {
    for (MyShot& s : shots)
        if (s.activeF) s.move();
}

void FHShots::drawRefusedRandoms(int kind) {
    int n = 0;
    if (kind >= MYSHOT_CAPSULE4 && kind <= MYSHOT_CAPSULE7) n = 4;
    else if (kind == MYSHOT_WAVE) n = 1;
    for (int i = 0; i < n; ++i) (void)Random();
}

// ---- One new shot ----------------------------------------------------------------
int MyShotsCtrlCls::MyShot::newShot(int x, int y, int vx, int vy, int extra, int kind) {
    MyShotsCtrlCls& ctrl = *parentCLSref;
    activeF = stateB1 = groundF = 0;
    spriteRot = 0;
    work0 = work1 = work2 = work3 = work4 = work5 = 0;
    posX = x;
    posY = y;
    speedX = vx;
    speedY = vy;
    if (kind < 0 || kind > MYSHOT_BIGBLAST) {
        std::printf("Unknown shot kind refused. ( kind:%d )\n", kind);
        return -1;
    }
    this->kind = kind;
    bigF = (kind > 8 && MyCharactor::BigShotTimer > 0) ? 1 : 0;

    // At most five weapon shots, all in the first five records; none under water.
    if (kind > 8 && (slotNo >= 5 || UWMode)) {
        FHShots::drawRefusedRandoms(kind);
        return -1;
    }

    activeF = 1;
    power = myShotPower[levelIndex()][kind] * (UWMode ? 2 : 1);
    box = shotRects[kind];
    halfW = (box.right - box.left) / 2;
    halfH = (box.bottom - box.top) / 2;
    work5 = 0;

    switch (kind) {
        case MYSHOT_PUNCH:
            ctrl.chainCount = 0;
            ChainDispStart = CtrlCounter;
            break;
        case MYSHOT_SPECIAL:
            ctrl.chainCount = 0;
            if (bigF) power *= 2;
            break;
        case MYSHOT_DOG:
            ctrl.chainCount = 0;
            ChainDispStart = CtrlCounter;
            if (bigF) power *= 2;
            break;
        case MYSHOT_CAPSULE4:
        case MYSHOT_CAPSULE5:
        case MYSHOT_CAPSULE6:
        case MYSHOT_CAPSULE7: {
            const bool light = kind >= MYSHOT_CAPSULE6;
            // A silver coin jumps out of the capsule as it is thrown.
            const int r1 = Random();
            const int r2 = Random();
            const int cvx = light ? r1 % 200 : (r1 | 64) % 200;
            const int cvy = (r2 / 200) * 200 - r2 - 400;
            FHFx::appear(x + halfW - 1600, y - 1600, cvx, cvy, 50, 0, 700);
            showChain(ctrl.chainCount, x, y, light);
            FHPlay::playSound(24);
            picture = extra;
            posY -= 400;
            const int lift = Random();
            const int run = Random();
            if (light) {
                speedY = -400;
                speedX = 200 * isign(vx);
            } else {
                const int steps = ctrl.chainCount / 2 < 3 ? ctrl.chainCount / 2 : 3;
                speedY -= steps * ((lift & 56) | 64);
                speedX = ((run & 120) + 200) * isign(vx);
            }
            if (ctrl.chainCount < 12) ctrl.chainCount += 1;
            break;
        }
        case MYSHOT_DEBRIS:
            work1 = vx;
            break;
        case MYSHOT_WAVE:
            posX = x + 2 * vx;
            posY = y - 800;
            speedX = 2 * vx;
            picture = 32 + (Random() & 3);
            power *= 1 + bigF;
            break;
        case MYSHOT_ROLLER:
            posX = x + 2 * vx;
            speedY = 100;
            if (bigF) power *= 2;
            break;
        case MYSHOT_BOUNCER:
            posX = x + vx;
            speedX = 2 * vx;
            speedY = -200;
            if (bigF) power *= 2;
            break;
        case MYSHOT_GRENADE:
            posX = x + 4 * vx;
            speedX = 2 * vx;
            speedY = -100;
            if (bigF) power *= 2;
            if (vx < 0) spriteRot = 180;
            break;
        case MYSHOT_BLAST:
            bigF = 0;
            break;
        case MYSHOT_BIGBLAST:
            posX = x - 1200;
            posY = y - 1600;
            bigF = 0;
            break;
        default:
            picture = 0;
            break;
    }
    return 0;
}

// ---- Block breaking --------------------------------------------------------------
bool FHShots::breakable(int b, int chr, int keys) {
    if (b < kBreakFirst || b > kBreakLast) return false;
    if (b >= 960) return true;
    // The colour locks open only for the heroine with the matching key or the master key.
    if (chr != 1) return false;
    switch (b) {
        case 944: return (keys & (1 | 8)) != 0;
        case 945: return (keys & (2 | 8)) != 0;
        case 946: return (keys & (4 | 8)) != 0;
        default: return false;
    }
}

FHShots::Release FHShots::blockRelease(int b, int col, int row, int shotSpeedX, int facing, int weapon,
                                       int keys) {
    Release r;
    if (b < kBreakFirst || b > kBreakLast) return r;
    const int e = ItemInBlk[b - kBreakFirst];
    const int bx = col * 1600, by = row * 1600;
    const bool easy = FHSYS_GLOBALS::use_freePlayF || FHSYS_GLOBALS::use_invincibleF;
    r.x = bx;
    r.y = by - 3200;
    r.vy = -500;
    if (e > 0) {
        r.kind = e;
        r.count = weapon * 60 - 540;
    } else if (e <= -8 && e >= -10) {
        static const int kLockKinds[3] = {50, 49, 197};
        const int k = -e - 8;
        r.kind = kLockKinds[k];
        r.usedMaster = (keys & (1 << k)) == 0;
    } else if (e == -7) {
        r.kind = 52;
        r.y = by;
        r.vx = Random() & 0xE0;
        r.vy = -100;
        r.extra = easy ? 0 : LevelgetInBlk[GameLevel < 0 ? 0 : (GameLevel > 4 ? 4 : GameLevel)];
    } else if (e == -6) {
        r.kind = 52;
        r.y = by;
        r.vx = facing * 100;
        r.vy = -400;
        const int pick = Random() & 1;
        r.extra = easy ? 7 : 29 + pick;
    } else if (e == -5) {
        r.kind = 0;  // only the crack's dust
    } else if (e == -4) {
        r.kind = 36;
        r.vx = -shotSpeedX / 2;
        r.vy = -400;
    } else if (e <= -1 && e >= -3) {
        r.kind = 52;
        r.vy = -400;
        if (e == -2) {
            r.vx = facing * (Random() & 127);
            r.extra = (Random() & 15) | 16;
        } else {
            r.vx = shotSpeedX;
            r.extra = e == -3 ? ((Random() & 7) | 24) : (Random() & 15);
        }
    }
    return r;
}
