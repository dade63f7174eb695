// Dropper family: creatures that hang from a branch on a thread, drop on a player who
// passes below, rest a moment on the ground and climb back up.
//
// Row: speed = largest fall speed; p1 = half the width of the strip below it that
// wakes it (field units); p2 = frames it rests on the ground; p3 = climbing speed;
// p4 = sound of the landing. Pictures: frames hanging pictures from the base, then
// base + frames falling, base + frames + 1 resting and climbing.
// Registers: regB the hanging height (taken at the first frame, w1 = 1 once taken),
// regC state (0, 1 hanging; 2 falling; 3 resting; 4 climbing).
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"

namespace FHObj {

void familyDropper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w1 != 1) {
        o.w1 = 1;
        o.regB = o.posY;
        o.regC = 0;
    }
    const MyCharactor& p = inPlay();
    const int base = basePattern(o, r);
    switch (o.regC) {
        default: {  // hanging: sways until the player walks below
            o.speedX = o.speedY = 0;
            const int dx = (p.posX + 600) - centreX(o);
            if (dx > -r.p1 && dx < r.p1 && p.posY > o.posY) {
                o.regC = 2;
                o.work5 = 0;
            }
            s.pattern = animate(base, o.age, r.frames, r.frameTime);
            break;
        }
        case 2: {  // falling
            o.speedY = clampTo(o.speedY + 60, 0, r.speed > 0 ? r.speed : 600);
            const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX, o.posY + o.speedY, &o.box);
            if ((res & 1) || o.work5 > 240) {
                o.regC = 3;
                o.work5 = 0;
                o.speedY = 0;
                puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 4);
                sound(r.p4);
            }
            s.pattern = base + r.frames;
            break;
        }
        case 3:  // resting
            if (o.work5 >= r.p2) {
                o.regC = 4;
                o.work5 = 0;
            }
            s.pattern = base + r.frames + 1;
            break;
        case 4: {  // climbing back along its thread
            const int up = r.p3 > 0 ? r.p3 : 100;
            o.posY -= up;
            if (o.posY <= o.regB) {
                o.posY = o.regB;
                o.regC = 0;
            }
            s.pattern = base + r.frames + 1;
            break;
        }
    }
    s.facing = s.side;
}

}  // namespace FHObj
