// Boss family: a phase machine driven by the life left. Each phase of the boss's table
// (FHobjectCtrl_family_boss_phases.cpp) says how it moves, what it shoots and what it
// calls; a new phase begins with a stagger, a stamp of the ground and its sound.
//
// Row: p1 = phase table; p2 = frames of the stagger at a new phase; p3 = leap speed
// (upwards); p4 = wakes by radar: it sleeps until the player comes within w0 x p4 (the
// map's set-up value w0; 0: always awake) or a blow wakes it. Pictures from the phase
// (idle, step, attack); while staggered the set's stagger picture, or base + 7 (1558 for
// the oak guardian: the base is 1551).
// Flying bosses (moves 3 and 4) hover at the height they started at, bobbing a little,
// and pace their beat; move 4 also dives at the player every kDiveEvery frames: poised
// for 30 frames, a 40-frame swoop aimed to skim the head of the player where they
// stood, then back up. The map hangs the hive queen just over the heads of players on
// her arena's floor: out of touch while they stand, within reach of their punches.
// The boss set-up of loading gives the life (the map's work5, kept in w2 as the boss's
// full life) and the gate (target): the life left is measured against w2 when it is
// set, else against the kind's own life. Beaten, the boss explodes and its gate blocks
// open (hits and explosions).
// Registers: regC the phase, w3 the centre of its beat, w4 = 1 once that is taken (and
// it is awake), w1 the pacing direction, speedY its fall speed (flyers: the dive's),
// speedX the dive's sideways speed, regB the hover height; children carry target
// kChildMark + its slot.
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

constexpr int kDiveEvery = 200;  // frames of one dive cycle (move 4)
constexpr int kDivePoise = 30;   // frames it hangs poised before a swoop
constexpr int kDiveTime = 40;    // frames of the swoop
constexpr int kSkim = 200;       // how far above a player's head a swoop passes
constexpr int kBob = 200;        // height of a hovering boss's bob, each way

void shake(int frames) {
    Game_GLOBALS::MyWorld.decoCtrl.NewDecorate(0, 0, 0, 0, 0, 100, 100, 0, 0, frames, 16, 0, 1,
                                               1, 1, 1, 771);
}

bool flyBoss(FHFam::Obj& o, const FHFam::BossPhase& ph, int t, int moveX);
void actBoss(FHFam::Obj& o, FHObj::Step& s, const FHFam::BossPhase& ph, int t, bool moving,
             bool diving);

}  // namespace

namespace FHObj {

void familyBoss(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const BossPhaseSet set = bossPhaseSet(r.p1);
    if (set.count == 0) return;
    const int base = basePattern(o, r);
    if (o.w4 != 1) {
        // Asleep until the player comes near or a blow lands.
        const bool struck = o.work4 > 0 && o.power < o.work4;
        if (r.p4 > 0 && !struck && !o.radarMe(o.w0 * r.p4)) {
            o.work5 = 0;
            s.facing = s.side;
            s.pattern = set.phases[0].idlePatt;
            return;
        }
        o.w4 = 1;
        o.w3 = o.posX;
        o.w1 = -1;
        o.regC = 0;
        o.regB = o.posY;
        o.speedX = 0;
        if (r.p4 > 0) sound(set.phases[0].sound > 0 ? set.phases[0].sound : 52);
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
    if (ph.move >= 3) {
        const bool diving = flyBoss(o, ph, o.work5 >= stagger ? o.work5 - stagger : -1, moveX);
        if (o.work5 < stagger) s.pattern = set.staggerPatt > 0 ? set.staggerPatt : base + 7;
        else actBoss(o, s, ph, o.work5 - stagger, diving || moveX != 0, diving);
        return;
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
        s.pattern = set.staggerPatt > 0 ? set.staggerPatt : base + 7;
        return;
    }
    actBoss(o, s, ph, o.work5 - stagger, moveX != 0, false);
}

}  // namespace FHObj

namespace {

// A flying boss's frame of flight: hovering at its height with a slow bob while it
// paces, or (move 4) a dive. t is the time since its stagger ended (-1 while
// staggered: it only hovers). True while it swoops.
bool flyBoss(FHFam::Obj& o, const FHFam::BossPhase& ph, int t, int moveX) {
    using namespace FHFam;
    const int cycle = t >= 0 ? t % kDiveEvery : -1;
    const bool dives = ph.move == 4 && t >= kDiveEvery - kDivePoise;
    if (dives && cycle == kDivePoise) {
        // Aim at where the player is now.
        const MyCharactor& p = inPlay();
        // Sideways at the player's centre; downwards only to skim the head of a player
        // standing there, so that one on the ground ducks it and one in the air is hit.
        const int boxH = o.box.bottom - o.box.top;
        o.speedX = clampTo((p.posX + 600 - centreX(o)) / kDiveTime, -500, 500);
        o.speedY = clampTo((p.posY - kSkim - (o.posY + boxH)) / kDiveTime, -200, 500);
        sound(53);
    }
    if (dives && cycle >= kDivePoise && cycle < kDivePoise + kDiveTime) {
        const int res = FHWGBL::MoovableUDBoss(&o.posX, &o.posY, o.posX + o.speedX,
                                               o.posY + o.speedY, &o.box);
        if (res & 1) o.speedY = 0;
        if (res & 4) o.speedX = 0;
        return true;
    }
    o.speedX = 0;
    o.speedY = 0;
    const int bob = QSDLpp_Trigon::sin100x((o.age * 2) & 255) * kBob / 100;
    const int dy = clampTo(o.regB + bob - o.posY, -120, 120);
    const int res = FHWGBL::MoovableUDBoss(&o.posX, &o.posY, o.posX + moveX, o.posY + dy, &o.box);
    if (res & 4) o.w1 = -o.w1;
    return false;
}

// What a boss does once on its feet (or wings): volleys, children, and its picture.
void actBoss(FHFam::Obj& o, FHObj::Step& s, const FHFam::BossPhase& ph, int t, bool moving,
             bool diving) {
    using namespace FHFam;
    // Volleys of shots, fanned around the direction of the player.
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

    const bool attacking = diving || (ph.shotEvery > 0 && (t % ph.shotEvery) >= ph.shotEvery - 20);
    if (attacking) s.pattern = ph.attackPatt;
    else if (moving) s.pattern = ((o.age / 16) & 1) ? ph.stepPatt : ph.idlePatt;
    else s.pattern = ph.idlePatt;
}

}  // namespace
