// Spawner family: nests, burrows and hives that let out children on a timer while the
// player is near, never more than a few at a time.
//
// Row: speed = children's starting speed sideways (towards the player); p1 = the
// children's kind; p2 = frames between two births; p3 = children alive at most;
// p4 = births in all before the nest crumbles (0: never).
// Pictures: base at rest, base + 1 during the last 20 frames before a birth.
// Registers: regC births so far, speedY its fall speed (nests rest on the ground).
// Every birth time draws one number from Random() whether or not the child can be
// placed (too many alive, or the pool is full), so films replay the same.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qgu_carbonlike2.h"

namespace {
constexpr int kNear = 24000;  // the player is near within 240 dots
}

namespace FHObj {

void familySpawner(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX, o.posY + o.speedY, &o.box);
    o.speedY = (res & 1) ? 100 : clampTo(o.speedY + 40, 0, 400);  // 100: rests exactly

    const int every = r.p2 > 20 ? r.p2 : 20;
    const int phase = o.work5 % every;
    if (phase == every - 1 && s.dist < kNear) {
        const int roll = Random();  // drawn at every birth time, placed or not
        if (countChildren(r.p1, o.linkIdx) < r.p3) {
            const int vx = s.side * (r.speed + (roll & 31));
            const int slot = spawn(centreX(o) - 800, o.posY, vx, -300, r.p1, 0);
            if (slot >= 0) {
                pool().objects[slot].target = kChildMark + o.linkIdx;
                o.regC += 1;
                puff(centreX(o), o.posY, 3, 3);
                sound(11);
            }
        }
    }
    s.pattern = basePattern(o, r) + ((phase >= every - 20 && s.dist < kNear) ? 1 : 0);
    s.facing = 1;

    if (r.p4 > 0 && o.regC >= r.p4) {  // spent: crumbles
        o.activeF = 0;
        puff(centreX(o), centreY(o), 56, 6);
        sound(34);
    }
}

}  // namespace FHObj
