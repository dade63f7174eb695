// Hopper family: creatures that sit, crouch and jump, towards the player or onwards.
//
// Row: speed = jump speed (upwards); p1 = frames on the ground between jumps; p2 = 1
// jumps towards the player, 0 keeps its own way; p3 = horizontal speed in the air;
// p4 = sound of a jump. Pictures: base sitting, base + 1 crouching (the last 12 frames
// before a jump), base + 2 in the air.
// Registers: regC 0/1 on the ground, 2 in the air; facing the way it keeps; work5
// counts the frames since it landed.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"

namespace FHObj {

void familyHopper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.facing == 0) o.facing = s.side;
    const int wait = r.p1 > 12 ? r.p1 : 12;
    if (o.regC != 2) {
        if (o.work5 >= wait) {
            if (r.p2) o.facing = s.side;
            o.regC = 2;
            o.speedY = -r.speed;
            o.speedX = o.facing * r.p3;
            sound(r.p4);
        }
    }
    const int res = FHWGBL::MoovableEnm(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY,
                                        FHWGBL::GravityY, &o.box);
    if (res & 4) {
        o.speedX = -o.speedX;
        o.facing = -o.facing;
    }
    if (res & 2) o.speedY = 0;  // head against a ceiling
    if (o.regC != 2 && (res & 1)) o.speedX = 0;  // thrown out of a block: stops on landing
    if (o.regC == 2 && (res & 1) && o.speedY >= 0) {
        o.regC = 0;
        o.speedX = 0;
        o.speedY = 100;
        o.work5 = 0;
    } else {
        // On the ground it presses one dot down each frame, which the map resolves back
        // onto the block edge (smaller steps would let it sink by fractions of a dot).
        o.speedY = (res & 1) && o.speedY > 0 ? 100 : clampTo(o.speedY + 40, -800, 500);
    }

    const int base = basePattern(o, r);
    if (o.regC == 2) s.pattern = base + 2;
    else if (o.work5 >= wait - 12) s.pattern = base + 1;
    else s.pattern = base;
    s.facing = o.regC == 2 ? o.facing : (r.p2 ? s.side : o.facing);
}

}  // namespace FHObj
