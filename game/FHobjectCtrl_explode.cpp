// The end of a map object's life (Object::explode): the reactions of bosses and their
// parts, enemies curling up into capsules, capsules thrown as player shots, bosses
// turning into explosions, and everything else breaking into debris and a coin. The
// score of what is gone is paid, and a destroyed object's target blocks open.
#include <cstdio>
#include <initializer_list>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_explode.h"
#include "FHobjectCtrl_fx.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"

using namespace FHWGBL;

namespace {

const int32_t* attributes(int kind) {
    if (kind < 0 || kind >= 272) return nullptr;
    return MainObjectCtrlCls::Object::ObjAttribute[kind];
}
int attr(int kind, int field, int fallback) {
    const int32_t* A = attributes(kind);
    return A ? A[field] : fallback;
}

using Obj = MainObjectCtrlCls::Object;

MainObjectCtrlCls& pool() { return *Obj::parentCLSref; }

// Destroys the objects that follow `o` (linked to it through their partner field).
void destroyFollowers(Obj& o) {
    MainObjectCtrlCls& p = pool();
    for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i) {
        Obj& f = p.objects[i];
        if (&f != &o && f.activeF && f.partner == o.linkIdx + 1 && o.linkIdx >= 0) f.explode(0);
    }
}

// Reactions of bosses and their parts as they die (before they change).
void bossReaction(Obj& o) {
    MainObjectCtrlCls& p = pool();
    switch (o.kind) {
        case 60:
            if (o.patt >= 176 && o.patt <= 195) p.ChainExplode(o.patt);
            break;
        case 61: {
            FHFx::spark(o.posX + o.halfW, o.posY + o.halfH);
            const int s = p.AppearObject(o.posX, o.posY - 3200, 0, 0, 204, 0);
            if (s >= 0 && s < MainObjectCtrlCls::kObjects) p.objects[s].behave = 0x900;
            break;
        }
        case 63: p.ChainExplode(177); p.ChainExplode(181); o.target = 936; break;
        case 65: o.posY -= 1600; p.ChainExplode(187); break;
        case 66:
        case 67:
            FHFx::deco().NewDecorate(o.posX + o.halfW, o.posY + o.halfH, 1, 0, 0, 400, 400, 0, 8, 30, 12, 1312,
                                     1.0, 1.0, 0.9, 1.0, 1);
            break;
        case 68: p.ChainExplode(8); p.ChainExplode(136); o.target = 937; break;
        case 69: p.ChainExplode(179); break;
        case 70: p.ChainExplode(212); p.ChainExplode(24); p.ChainExplode(152); o.target = 929; break;
        case 71: o.target = 940; o.behave = 0; break;
        case 74: o.target = 938; break;
        case 75: case 78: o.target = 930; break;
        case 77: o.target = 934; break;
        case 91: p.ChainExplode(176); o.target = 939; break;
        case 124:
            for (int k : {194, 33, 35, 37, 161, 163, 165}) p.ChainExplode(k);
            FHCtrl::playMusicRes(FHExplode::kEndingMusic, 0);
            o.target = 933;
            break;
        case 104: case 105: case 112: destroyFollowers(o); break;
        case 62: case 64: case 72: case 73: case 76:
        case 79: case 80: case 81: case 82: case 83: case 84: case 85:
        case 86: case 87: case 88: case 89: case 90:
            o.target = -1;
            break;
        default: break;
    }
}

// An enemy curls up into its capsule (kind + 128 unless given): it keeps its picture and
// speed for the hatching and starts its capsule count afresh.
void becomeCapsule(Obj& o, int newKind, int newPatt) {
    o.w2 = o.patt;
    o.kind = newKind;
    o.patt = newPatt;
    o.posY -= o.box.top;
    o.power = 1;
    o.w3 = o.speedX;
    o.w4 = o.speedY;
    o.speedX = o.speedY = 0;
    o.frame = 0;
    o.work5 = 0;
}

// A boss turns into an explosion of `newKind` that pays `regA` when it is over.
void becomeExplosion(Obj& o, int newKind, int patt, int dy, int speedY) {
    o.regA = attr(o.kind, OBJATTR_VALUE, 0);
    o.kind = newKind;
    o.patt = patt;
    o.posY += dy;
    o.power = 999;
    o.speedX = 0;
    o.speedY = speedY;
    o.work5 = 0;
    o.frame = 0;
}

// A capsule flies off as a player shot; with every shot record busy it stays where it is,
// whole, to be thrown again.
void throwCapsule(Obj& o, int shotKind, int shotSpeedX, int chain) {
    MyShotsCtrlCls& shots = MainObjectCtrlCls::superRef->shotCtrl;
    const int slot = shots.addShot(o.posX, o.posY, shotSpeedX, -200 - 100 * chain, shotKind, o.patt);
    if (slot >= MyShotsCtrlCls::kShots) {
        o.power = 1;
        return;
    }
    o.activeF = 0;
}

// Pieces of the object's picture and a coin: silver, or gold one time in four.
void breakWithCoin(Obj& o, int shotSpeedX) {
    const int patt = o.patt > 0 ? o.patt : attr(o.kind, OBJATTR_PATT, 0);
    if (patt > 0) FHFx::debris(o.posX + o.halfW, o.posY + o.halfH, patt, shotSpeedX);
    const int pick = Random();
    const int vx = Random() % 50;
    const int vy = 200 - Random() % 400;
    FHFx::appear(o.posX - 800 + o.halfW, o.posY - 3200 - o.halfH, vx, vy, (pick & 3) == 0 ? 49 : 50, 0, 600);
    o.activeF = 0;
}

// Pieces only (parts, shells and the like).
void breakPieces(Obj& o, int shotSpeedX) {
    const int patt = o.patt > 0 ? o.patt : attr(o.kind, OBJATTR_PATT, 0);
    if (patt > 0) FHFx::debris(o.posX + o.halfW, o.posY + o.halfH, patt, shotSpeedX);
    FHFx::burst(o.posX + o.halfW, o.posY + o.halfH, 6);
    o.activeF = 0;
}

}  // namespace

FHExplode::Rule FHExplode::ruleFor(int kind) {
    switch (kind) {
        case 8: case 9: case 10: case 11: case 13: case 14: case 15: case 18: case 19:
        case 22: case 23: case 24: case 25: case 26:
        case 32: case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40: case 44:
            return CAPSULE;
        case 16: case 17: return CAPSULE_PATT;
        case 12: case 30: return CAPSULE_140;
        case 21: case 136: case 137: case 138: case 139: case 141: case 142: case 146: case 147: case 154:
            return THROW5;
        case 20: case 143: return THROW4;
        case 28: case 201: case 202: return EXPLODE130;
        case 56: return EXPLODE133_PIECES;
        case 71: return EXPLODE132;
        case 74: case 125: case 229: case 230: return EXPLODE135;
        case 82: return BECOME83;
        case 92: case 209: return EXPLODE128;
        case 102: case 106: case 109: case 112: case 222: case 223: return EXPLODE133;
        case 210: return LAST_BOSS;
        case 140: case 144: case 145: case 149: case 150: case 151: case 152: case 153:
        case 160: case 161: case 162: case 163: case 164: case 165: case 166: case 167: case 168: case 172:
            return CAPSULE_BREAK;
        case 47: case 104: case 107: case 110: case 175: case 217: case 231: return PIECES;
        default: return (kind < 8 || kind > 231) ? COIN : PIECES;
    }
}

void MainObjectCtrlCls::Object::explode(int shotSpeedX) {
    if (!activeF) return;
    MyShotsCtrlCls& shots = superRef->shotCtrl;
    const int chain = shots.chainCount < 0 ? 0 : (shots.chainCount > 4 ? 4 : shots.chainCount);
    const int oldHalfW = halfW;

    // 1. Bosses and their parts take others with them.
    bossReaction(*this);

    // 2. What the object becomes.
    const int oldKind = kind;
    switch (FHExplode::ruleFor(oldKind)) {
        case FHExplode::CAPSULE:
            becomeCapsule(*this, oldKind + 128, attr(oldKind + 128, OBJATTR_PATT, 0));
            break;
        case FHExplode::CAPSULE_PATT:
            becomeCapsule(*this, oldKind + 128, patt != 0 ? patt + 516 : attr(oldKind + 128, OBJATTR_PATT, 0));
            break;
        case FHExplode::CAPSULE_140: {
            const bool plain = oldKind == 12 ? work1 < 2 : work1 == 0;
            const int np = plain ? attr(oldKind, OBJATTR_PATT, 0) : work1 + 515;
            if (oldKind == 12) {
                becomeCapsule(*this, 140, np);
                speedY = 200;
            } else {
                w2 = patt;
                kind = 140;
                patt = np;
            }
            break;
        }
        case FHExplode::THROW5: throwCapsule(*this, MYSHOT_CAPSULE5, shotSpeedX, chain); break;
        case FHExplode::THROW4: throwCapsule(*this, MYSHOT_CAPSULE4, shotSpeedX, chain); break;
        case FHExplode::EXPLODE130:
            becomeExplosion(*this, 130, attr(130, OBJATTR_PATT, 0), -box.top, 50);
            break;
        case FHExplode::EXPLODE133_PIECES:
            for (int d = 0; d < 24; d += 4)
                FHFx::deco().NewDecorateDetailing(posX + halfW, posY + halfH, 1, x24costbl[d] * 4,
                                                  y24sintbl[d] * 4 - 200, 100, 100, 0, 0, 40, 10, patt > 0 ? patt : 40,
                                                  1.0, 1.0, 1.0, 1.0, 771);
            becomeExplosion(*this, 133, attr(133, OBJATTR_PATT, 0), -box.top, 50);
            break;
        case FHExplode::EXPLODE132:
            becomeExplosion(*this, 132, attr(132, OBJATTR_PATT, 0), -box.top, 50);
            break;
        case FHExplode::EXPLODE135:
            becomeExplosion(*this, 135, attr(135, OBJATTR_PATT, 0), -box.top, 50);
            break;
        case FHExplode::BECOME83:
            kind = 83;
            break;
        case FHExplode::EXPLODE128:
            becomeExplosion(*this, 128, patt != 0 ? patt : attr(oldKind, OBJATTR_PATT, 0), -box.top, 1);
            break;
        case FHExplode::EXPLODE133:
            becomeExplosion(*this, 133, patt + 1024, box.top, 50);
            break;
        case FHExplode::LAST_BOSS: {
            const int misses = MissCount;
            const int msg = (GameLevel < 2 || misses > 10) ? 7 : (misses == 0 ? 5 : 6);
            FHSYSGBL::ActiveMsgStrPtr = vrndx_getConstMsgPtr(msg);
            FHSYSGBL::ActiveMsgDispTimer = 600;
            becomeExplosion(*this, 133, attr(133, OBJATTR_PATT, 0), 0, 50);
            regA = misses < 10 ? 100 / (misses + 1) * 1000 - 10 : misses;
            posX = posX + halfW - 2400;
            break;
        }
        case FHExplode::PIECES: breakPieces(*this, shotSpeedX); break;
        case FHExplode::COIN:
        case FHExplode::CAPSULE_BREAK: breakWithCoin(*this, shotSpeedX); break;
    }

    // 3. Paid and opened when gone; otherwise it takes the new kind's box about its centre.
    if (!activeF) {
        const int value = attr(kind, OBJATTR_VALUE, 0);
        Score += value;
        if (value > 0) FHFx::scoreSign(posX + halfW, posY, value);
        deathTime = CtrlCounter;
        if (target >= 8 && target <= 1023) ChangeMapObj(target, 7);
        return;
    }
    const int32_t* A = attributes(kind);
    if (A == nullptr) return;
    const int ri = A[OBJATTR_RECT];
    if (ri < 0 || ri >= 64) return;
    box = objectRects[ri];
    halfW = (box.right - box.left) / 2;
    halfH = (box.bottom - box.top) / 2;
    posX += oldHalfW - halfW;
}
