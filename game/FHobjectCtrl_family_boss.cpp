// Boss family: a phase machine driven by the life left. Each phase of the boss's table
// (FHobjectCtrl_family_boss_phases.cpp) says how it moves, what it shoots and what it
// calls; a new phase begins with a stagger, a stamp of the ground and its sound.
//
// Row: p1 = phase table; p2 = frames of the stagger at a new phase; p3 = leap speed
// (upwards); p4 unused. Pictures from the phase (idle, step, attack), base + 7 while
// staggered (1558 for the oak guardian: the base is 1551).
// The boss set-up of loading gives the life (the map's work5, kept in w2 as the boss's
// full life) and the gate (target): the life left is measured against w2 when it is
// set, else against the kind's own life. Beaten, the boss explodes and its gate blocks
// open (hits and explosions).
// Registers: regC the phase, w3 the centre of its beat, w4 = 1 once that is taken,
// w1 the pacing direction, speedY its fall speed; children carry target kChildMark +
// its slot.
#include "FHobjectCtrl_family.h"
#include "FHobjectCtrl_family_boss.h"

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_trigon.h"

namespace {

// Life left in percent, against the map's life when the map gave one.
int lifeLeft(const FHFam::Obj& o, const FHObj::Step& s) {
    if (o.w2 > 0) return o.power * 100 / o.w2;
    return s.lifePct;
}

void shake(int frames) {
    Game_GLOBALS::MyWorld.decoCtrl.NewDecorate(0, 0, 0, 0, 0, 100, 100, 0, 0, frames, 16, 0, 1,
                                               1, 1, 1, 771);
}

}  // namespace

namespace FHObj {

void familyBoss(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const BossPhaseSet set = bossPhaseSet(r.p1);
    if (set.count == 0) return;
    if (o.w4 != 1) {
        o.w4 = 1;
        o.w3 = o.posX;
        o.w1 = -1;
        o.regC = 0;
    }
    if (o.regC < 0 || o.regC >= set.count) o.regC = 0;

    // Phase changes follow the life left, forward only.
    const int pct = lifeLeft(o, s);
    while (o.regC + 1 < set.count && pct <= set.phases[o.regC + 1].enterAtPct) {
        o.regC += 1;
        o.work5 = 0;
        sound(set.phases[o.regC].sound);
        shake(8);
        puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 6);
    }
    const BossPhase& ph = set.phases[o.regC];
    const int stagger = (o.regC > 0) ? r.p2 : 0;
    const int base = basePattern(o, r);
    s.facing = s.side;

    // Movement.
    int moveX = 0;
    if (o.work5 >= stagger && ph.move > 0) {
        const int off = o.posX - o.w3;
        if (off > ph.range) o.w1 = -1;
        if (off < -ph.range) o.w1 = 1;
        moveX = o.w1 * ph.moveSpeed;
        if (ph.move == 2 && o.work5 % 120 == 60 && (o.speedY == 100 || o.speedY == 0)) o.speedY = -r.p3;
    }
    const int was = o.speedY;
    const int res =
        FHWGBL::MoovableUDBoss(&o.posX, &o.posY, o.posX + moveX, o.posY + o.speedY, &o.box);
    if (res & 4) o.w1 = -o.w1;
    if (res & 1) {
        o.speedY = 100;  // presses one dot down: rests exactly on the block edge
        if (was > 300) {  // landing from a leap
            shake(6);
            puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 6);
            sound(15);
        }
    } else {
        o.speedY = clampTo(o.speedY + 40, -1200, 600);
    }

    if (o.work5 < stagger) {
        s.pattern = base + 7;
        return;
    }

    // Volleys of shots, fanned around the direction of the player.
    const int t = o.work5 - stagger;
    if (ph.shotKind > 0 && ph.shotEvery > 0 && t % ph.shotEvery == ph.shotEvery - 1) {
        const int n = ph.shotCount > 0 ? ph.shotCount : 1;
        for (int i = 0; i < n; ++i) {
            const int d = (s.dir + (2 * i - (n - 1)) * 8) & 255;
            spawn(centreX(o) - 800, o.posY + (o.box.bottom - o.box.top) / 3,
                  QSDLpp_Trigon::cos100x(d) * ph.shotSpeed / 100,
                  QSDLpp_Trigon::sin100x(d) * ph.shotSpeed / 100, ph.shotKind, 0);
        }
        sound(24);
    }
    // Children shaken from its crown; one Random() per call time, placed or not.
    if (ph.summonKind > 0 && ph.summonEvery > 0 && t % ph.summonEvery == ph.summonEvery - 1) {
        const int roll = Random();
        if (countChildren(ph.summonKind, o.linkIdx) < ph.summonMax) {
            const int vx = ((roll & 1) ? 1 : -1) * (100 + (roll & 63));
            const int slot = spawn(centreX(o) - 800, o.posY, vx, -400, ph.summonKind, 0);
            if (slot >= 0) pool().objects[slot].target = kChildMark + o.linkIdx;
        }
    }

    const bool attacking = ph.shotEvery > 0 && (t % ph.shotEvery) >= ph.shotEvery - 20;
    if (attacking) s.pattern = ph.attackPatt;
    else if (moveX != 0) s.pattern = ((o.age / 16) & 1) ? ph.stepPatt : ph.idlePatt;
    else s.pattern = ph.idlePatt;
}

}  // namespace FHObj
