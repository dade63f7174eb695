// Homer family: creatures that steer towards the player.
//
// Row: speed = flying speed at game level 2 (it scales with the level); p1 = turn per
// steering step (0..255 steps per turn); p2 = frames between steering steps; p3 = bit 0
// flies through blocks, bit 1 the object starts with a 24-step direction in work1 (as
// the time-out ambush is made); p4 = distance at which it wakes (0: always awake).
// Registers: work1 the heading (0..255), regC 1 once awake, w1 = 1 once the start
// direction was read.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "FHobjectCtrl_play.h"
#include "qsdlpp2_trigon.h"

namespace FHObj {

void familyHomer(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w1 != 1) {
        o.w1 = 1;
        if (r.p3 & 2) o.work1 = (o.work1 % 24) * 256 / 24;
    }
    const int base = basePattern(o, r);
    if (o.regC == 0 && r.p4 > 0 && s.dist > r.p4) {
        s.pattern = animate(base, o.age, r.frames, r.frameTime * 2);  // idles, waiting
        s.facing = s.side;
        return;
    }
    o.regC = 1;
    const int every = r.p2 > 0 ? r.p2 : 16;
    if (o.work5 % every == 0) {
        const MyCharactor& p = inPlay();
        o.work1 = QSDLpp_Trigon::forwardS(centreX(o), centreY(o), p.posX + 600, p.posY + 800,
                                          o.work1 & 255, r.p1 > 0 ? r.p1 : 16) & 255;
    }
    const int lv = FHWGBL::GameLevel + 2;
    o.speedX = lv * QSDLpp_Trigon::cos100x(o.work1) * r.speed / 400;
    o.speedY = lv * QSDLpp_Trigon::sin100x(o.work1) * r.speed / 400;
    if (r.p3 & 1) {
        FHWGBL::MoovableFree(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
        o.posX = FHPlay::wrapMod(o.posX, FHWGBL::MapFieldWidth);
        o.posY = FHPlay::wrapMod(o.posY, FHWGBL::MapFieldHeight);
    } else {
        FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
    }
    s.pattern = animate(base, o.age, r.frames, r.frameTime);
    s.facing = (static_cast<unsigned>(o.work1 - 64) & 255) <= 128 ? -1 : 1;
}

}  // namespace FHObj
