// Roc family: the great bird of the storm. She circles over her arena, swoops at the
// player, calls birds and lightning and beats up gusts, by the phase her life left
// selects (table in FHobjectCtrl_family_roc_phases.cpp). A new phase begins with a
// stagger, a screech and a shaken screen. She flies through blocks: her arena is open sky.
//
// Row: p1 = phase table; p2 = frames of the stagger at a new phase; p3 = half the height
// of her circle (field units); p4 = pattern of the feathers and wind streaks she sheds.
// Map: work5 (kept in w0 by loading) = half the width of her circle in blocks (0: 6).
// Pictures: base, base + 1 wings up and down; base + 2 swooping; base + 3 staggered or
// beating a gust.
// Registers: regA, regB the centre of her circle (taken at the first frame, w3 = 1 once
// taken: her start column, and a height eight blocks above the ground below her); regC the phase; w1 the mode (0 circling, 1 swooping, 2 climbing back); w2
// frames in the mode; w4 stagger frames left; work2 her place on the circle (x 16);
// work0 gust frames left, its sign the way it blows; work5 frames in the phase.
// Her birds start hunting at once and carry target kChildMark + her slot. Beaten, she takes her birds with her and
// opens her gate (hits and explosions).
#include <cstdlib>

#include "FHobjectCtrl_family.h"
#include "FHobjectCtrl_family_roc.h"

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl_play.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_trigon.h"

namespace {

using FHFam::Obj;

void shake(int frames) {
    Game_GLOBALS::MyWorld.decoCtrl.NewDecorate(0, 0, 0, 0, 0, 100, 100, 0, 0, frames, 16, 0, 1, 1, 1, 1, 771);
}

// The gust ends: the sideways pull of the map comes back.
void calmWind() {
    if (FHWGBL::CurrentMapInfoRef) FHWGBL::GravityX = FHWGBL::CurrentMapInfoRef[0];
}

// Where her circle puts her now (top-left of her box).
void circlePoint(const Obj& o, int* x, int* y, int rx, int ry) {
    const int a = (o.work2 / 16) & 255;
    *x = o.regA + QSDLpp_Trigon::cos100x(a) * rx / 100;
    *y = o.regB + QSDLpp_Trigon::sin100x((a * 2) & 255) * ry / 100;
}

// The height of her round: eight blocks above the ground under the place she starts
// from (the first solid band at least three blocks deep, so that thin ledges do not
// count), where the player on that ground sees her whole round; her start height when
// no such ground lies within 40 blocks below, or when the ground is nearer than that.
int roundHeight(const Obj& o) {
    const int x = FHFam::centreX(o);
    const int row0 = o.posY / 1600;
    for (int row = row0 + 1; row < row0 + 40; ++row) {
        if (!FHFam::solidForWalker(FHFam::blockAt(x, row * 1600))) continue;
        if (!FHFam::solidForWalker(FHFam::blockAt(x, (row + 1) * 1600))) continue;
        if (!FHFam::solidForWalker(FHFam::blockAt(x, (row + 2) * 1600))) continue;
        const int y = (row - 8) * 1600;
        return y > o.posY ? y : o.posY;
    }
    return o.posY;
}

// Moves towards (x, y) by at most `speed` on each axis.
void approach(Obj& o, int x, int y, int speed) {
    o.speedX = FHFam::clampTo(x - o.posX, -speed, speed);
    o.speedY = FHFam::clampTo(y - o.posY, -speed, speed);
    o.posX += o.speedX;
    o.posY += o.speedY;
}

}  // namespace

namespace FHObj {

void familyRoc(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const RocPhaseSet set = rocPhaseSet(r.p1);
    if (set.count == 0) return;
    if (o.w3 != 1) {
        o.w3 = 1;
        o.regA = o.posX;
        o.regB = roundHeight(o);
        o.regC = 0;
        o.w1 = o.w2 = o.w4 = 0;
        o.work2 = 64 * 16;  // starts at the bottom of her round, in view
        o.work0 = 0;
        o.work5 = 0;
    }
    if (o.regC < 0 || o.regC >= set.count) o.regC = 0;
    const int base = basePattern(o, r);
    const int rx = (o.w0 > 0 ? o.w0 : 6) * 1600;
    const int ry = r.p3 > 0 ? r.p3 : 3200;

    // Phase changes follow the life left, forward only.
    const int pct = s.lifePct;
    while (o.regC + 1 < set.count && pct <= set.phases[o.regC + 1].enterAtPct) {
        o.regC += 1;
        o.work5 = 0;
        o.w4 = r.p2;
        o.w1 = 2;  // back to her circle after the stagger
        o.w2 = 0;
        if (o.work0 != 0) calmWind();
        o.work0 = 0;
        sound(57);
        shake(12);
        puff(centreX(o), centreY(o), r.p4, 8);
    }
    const RocPhase& ph = set.phases[o.regC];
    const MyCharactor& p = inPlay();
    const int dx = FHPlay::wrapDiff(p.posX + 600, centreX(o), FHWGBL::MapFieldWidth);
    const int dy = FHPlay::wrapDiff(p.posY + 800, centreY(o), FHWGBL::MapFieldHeight);
    s.facing = o.w1 == 1 ? signOf(o.speedX) : (dx < 0 ? -1 : 1);

    if (o.w4 > 0) {  // staggered: hangs in the air, shaking
        o.w4 -= 1;
        o.speedX = o.speedY = 0;
        s.offX = (o.w4 & 2) ? 150 : -150;
        s.pattern = base + 3;
        return;
    }
    const int t = o.work5;
    o.w2 += 1;

    // Flight.
    switch (o.w1) {
        default: {  // circling
            o.work2 += ph.circleSpeed;
            int x, y;
            circlePoint(o, &x, &y, rx, ry);
            approach(o, x, y, 160);
            // No swoop when a gust is due before it could end.
            const bool gustSoon = ph.gustEvery > 0 && t % ph.gustEvery >= ph.gustEvery - 100;
            if (ph.swoopEvery > 0 && o.w2 >= ph.swoopEvery && dy > 0 && o.work0 == 0 && !gustSoon) {
                const int d = QSDLpp_Trigon::XYtan256(0, 0, dx, dy) & 255;
                o.speedX = QSDLpp_Trigon::cos100x(d) * ph.swoopSpeed / 100;
                o.speedY = QSDLpp_Trigon::sin100x(d) * ph.swoopSpeed / 100;
                o.w1 = 1;
                o.w2 = 0;
                sound(55);
            }
            break;
        }
        case 1: {  // swooping along the line she took, levelling out at the player
            const int res = FHWGBL::MoovableUDBoss(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
            if (dy < 0) o.speedY = o.speedY * 7 / 8;
            if (res != 0 || o.w2 >= 90 || dy < -3200) {
                if (res & 1) {
                    shake(6);
                    puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 6);
                }
                o.w1 = 2;
                o.w2 = 0;
            }
            break;
        }
        case 2: {  // climbing back to her circle
            int x, y;
            circlePoint(o, &x, &y, rx, ry);
            approach(o, x, y, 260);
            if ((std::abs(x - o.posX) < 400 && std::abs(y - o.posY) < 400) || o.w2 > 300) {
                o.w1 = 0;
                o.w2 = 0;
            }
            break;
        }
    }

    // Birds called from the clouds; one Random() per call time, placed or not.
    if (ph.summonKind > 0 && ph.summonEvery > 0 && t % ph.summonEvery == ph.summonEvery - 1) {
        const int roll = Random();
        if (countChildren(ph.summonKind, o.linkIdx) < ph.summonMax) {
            const int side = (roll & 1) ? 1 : -1;
            const int slot = spawn(centreX(o) + side * 4800, o.posY, 0, 0, ph.summonKind, 0);
            if (slot >= 0) {
                Obj& b = pool().objects[slot];
                b.target = kChildMark + o.linkIdx;
                b.regC = 1;  // called to the hunt: aims at once, as a hatched one does
                b.work5 = 1;
            }
            sound(57);
        }
    }
    // Lightning called down around the player; one Random() per bolt, placed or not.
    if (ph.rainKind > 0 && ph.rainEvery > 0 && t % ph.rainEvery == ph.rainEvery - 1) {
        const int n = ph.rainCount > 0 ? ph.rainCount : 1;
        for (int i = 0; i < n; ++i) {
            const int jitter = (Random() & 2047) - 1024;
            const int x = p.posX + (2 * i - (n - 1)) * 4000 + jitter;
            spawn(x, o.regB - ry, 0, 800, ph.rainKind, 0);
        }
        sound(56);
    }
    // Gusts: she hangs back and beats her wings; the wind blows away from her.
    if (ph.gustEvery > 0 && t % ph.gustEvery == ph.gustEvery - 1 && o.work0 == 0 && o.w1 != 1) {
        o.work0 = (dx < 0 ? -1 : 1) * ph.gustFrames;
        sound(58);
    }
    if (o.work0 != 0) {
        const int way = o.work0 < 0 ? -1 : 1;
        FHWGBL::GravityX = way * ph.gustPush;
        if ((o.age & 7) == 0) puff(p.posX + 600 - way * 9600, p.posY + ((o.age & 8) ? 0 : 1600), r.p4 + 1, 2);
        o.work0 -= way;
        if (o.work0 == 0) calmWind();
        s.pattern = base + 3;
        s.facing = way;
        return;
    }

    if (o.w1 == 1) s.pattern = base + 2;
    else s.pattern = base + ((o.age / 10) & 1);
    if ((o.age & 31) == 0) puff(centreX(o), centreY(o), r.p4, 1);
}

}  // namespace FHObj
